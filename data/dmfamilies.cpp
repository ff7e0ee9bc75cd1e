// The shapes the data module's operations share: list writes that keep the
// list's row, inserts that move to the new row, name tests and captions.
#include "data/dm.h"

#include "platform/formattext.h"

// Save the row, write, re-query, come back to the same or the nearest
// earlier row. The list is re-queried whatever the write's result.
bool TDM::listWrite(TMSSQLADOQuery *list, const QString &key, const std::function<bool()> &call)
{
    list->SavePosition(key);
    const bool ok = call();
    afterWrite(ok, [&] {
        list->RequeryQuery();
        list->RestorePosition();
    });
    return ok;
}

// The refreshes after a write run statements of their own; the reason of a
// failed write stays the connection's last error for the caller to show.
void TDM::afterWrite(bool ok, const std::function<void()> &refresh)
{
    const QList<Db::ServerError> errors = connection().errors();
    refresh();
    if (!ok)
        connection().setErrors(errors);
}

// As listWrite, but the list moves to the new row when it lists it.
bool TDM::listInsert(TMSSQLADOQuery *list, const QString &key, const std::function<bool(int &)> &call)
{
    list->SavePosition(key);
    int id = 0;
    const bool ok = call(id) && id != 0;
    afterWrite(ok, [&] {
        list->RequeryQuery();
        list->LocateOrRestore(ok ? Variant(id) : Variant());
        if (!ok)
            list->RestorePosition();
    });
    return ok;
}

// A write that changed the rows of these items (the item list's position was
// saved before it): the list reads those rows alone and puts them in their
// places, or is re-queried when they cannot be placed so. It ends on moveTo's
// row when listed, else on the row it was on or the nearest earlier one.
void TDM::refreshItemRows(const QList<Variant> &ids, const Variant &moveTo)
{
    TMSSQLADOQuery *items = MSSQLADOQuery_Polozka;
    if (ids.isEmpty() || items->RefreshRows(QStringLiteral("ID_POLOZKA"), ids, moveTo))
        return;
    items->RequeryQuery();
    if (moveTo.isEmpty())
        items->RestorePosition();
    else
        items->LocateOrRestore(moveTo);
}

// An empty name is never taken, and costs no call.
bool TDM::nameTaken(const QString &name, const QString &procedure, TDMCall::Params params)
{
    if (name.isEmpty())
        return false;
    return m_call->returnValue(procedure, params).toBool();
}

QString TDM::caption(const QString &format, const QString &procedure, const QString &param, int id, bool withCaption)
{
    const QString value = m_call->returnValue(procedure, {{param, id}}).toString();
    return withCaption ? Format(format, {value, id}) : value;
}
