// The basket of this session, the sale that turns it into a document, the
// cancellation of a document, and printing through the preview screen.
#include "data/dm.h"
#include "data/dmprocedures.h"

#include "platform/messages.h"

namespace {
const QString TransactionFailed = QStringLiteral("Transakce skončila s chybou...");
}

std::optional<Currency> TDM::BasketQuantity(int itemId)
{
    const Variant value = m_call->tryReturnValue(DMProc::tab_prodej_func_MNOZSTVI, {{"@ID_POLOZKA", itemId}});
    return value.isNull() ? std::nullopt : std::optional(value.toCurrency());
}

// A basket call changes at most the row of its item: the list takes that row
// alone, or is re-queried when the row cannot be placed. The list is the same
// either way, on the item's row after a change that went through, else on the
// row it showed (or the one before, when that row went).
bool TDM::basketWrite(int itemId, const std::function<bool()> &call)
{
    TMSSQLADOQuery *basket = MSSQLADOQuery_Prodej;
    basket->prefetchRow(itemId); // the line is read in the call's round trip
    const bool ok = call();
    connection().sendNothingWithNext();
    afterWrite(ok, [&] {
        if (basket->RefreshRow(QStringLiteral("ID_POLOZKA"), itemId, ok))
            return;
        basket->SavePosition(QStringLiteral("ID_POLOZKA"));
        basket->RequeryQuery();
        basket->LocateOrRestore(ok ? Variant(itemId) : Variant());
        if (!ok)
            basket->RestorePosition();
    });
    return ok;
}

// A line only of an item in the catalogue: a refusal (the item left it since
// the item list was read) has the item list read again. A store another
// till's replace-all import holds is waited for, and the line written then.
bool TDM::AddOrEditBasketRow(int itemId, int discount, Currency quantity, bool absolute)
{
    const bool ok = basketWrite(itemId, [&] {
        return queuedWrite([&] {
            int id = 0;
            return m_call->returnId(DMProc::tab_prodej_PRIDAT_EDITOVAT,
                                    {{"@ID_POLOZKA", itemId},
                                     {"@SLEVA", discount},
                                     {"@MNOZSTVI", quantity},
                                     {"@ABSOLUTNE", absolute}},
                                    id) &&
                   id == itemId;
        });
    });
    if (!ok && MSSQLADOQuery_Polozka->Active())
        afterWrite(ok, [this] { RequeryItems(); });
    return ok;
}

bool TDM::RemoveBasketRow(int itemId)
{
    return basketWrite(itemId, [&] {
        return m_call->returnBool(DMProc::tab_prodej_ODEBRAT, {{"@ID_POLOZKA", itemId}});
    });
}

// The items in this session's basket, as its list shows them.
QList<Variant> TDM::basketItems() const
{
    QList<Variant> ids;
    TMSSQLADOQuery *basket = MSSQLADOQuery_Prodej;
    const Db::Field *key = basket->FindField(QStringLiteral("ID_POLOZKA"));
    if (!basket->Active() || !key || !key->IsBound())
        return ids;
    const Db::SnapshotPtr rows = basket->snapshot();
    for (int row = 0; row < rows->rowCount(); ++row)
        ids << Variant(rows->integer(row, key->Index()));
    return ids;
}

// The items of a document's lines; empty when they cannot be read.
QList<Variant> TDM::documentItems(int documentId)
{
    QList<Variant> ids;
    const Db::Result lines =
        connection().execPrepared(QStringLiteral("SELECT DISTINCT ID_POLOZKA FROM tab_historie WHERE ID_DOKLAD = $1"),
                                  {Db::Param::of(QString::number(documentId))});
    for (int row = 0; lines.hasRows() && row < lines.rowCount(); ++row)
        ids << Variant(lines.cellText(row, 0).toLongLong());
    return ids;
}

// A sale or a cancellation: one procedure in a transaction of its own. The
// lists show what the database holds now, after the commit or the rollback
// either way: the item list reads the rows of the items the document moves
// (also after a failure: another till may have moved their stock), the
// basket and the documents are re-queried.
bool TDM::saleOrCancel(const QString &procedure, TDMCall::Params params, const QString &failure, const QString &written,
                       int &newId, const std::function<QList<Variant>()> &items)
{
    MSSQLADOQuery_Doklad->SavePosition(QStringLiteral("ID_DOKLAD"));
    int id = 0;
    QString error;
    QList<Variant> moved;
    bool ok = false;
    {
        // The items read and the call are one action: a session lost
        // between them takes the call with it.
        const Db::SessionHold action(connection());
        moved = items();
        ok = soleCallTransaction([&] {
            const bool done = m_call->returnId(procedure, params, id);
            if (!done)
                error = LastErrorText();
            return done;
        });
    }
    if (ok)
        noteWritten(written);
    if (!ok) {
        // A write that waited for another till's import and gave up has the
        // wait's reason, not the refusal it waited after.
        if (error.isEmpty() || connection().errors().value(0).lockNotAvailable())
            error = LastErrorText();
        id = 0;
        ShowWarning(TransactionFailed, failure, error);
    }
    QStringList lost; // basket lines another till's removal of their items took
    afterWrite(ok, [&] {
        TMSSQLADOQuery *itemList = MSSQLADOQuery_Polozka;
        // Items that could not be told are found by reading the whole list.
        if (moved.isEmpty() || !itemList->RefreshRows(QStringLiteral("ID_POLOZKA"), moved, Variant(), false))
            itemList->RequeryLocate(QStringLiteral("ID_POLOZKA"));
        if (ok)
            RequeryBasket();
        else
            lost = requeryBasketNamingLost();
        MSSQLADOQuery_Doklad->RequeryQuery();
        MSSQLADOQuery_Doklad->LocateOrRestore(id);
        UpdateCashLabel();
    });
    warnLostBasketLines(lost);
    newId = id;
    return ok;
}

bool TDM::SellBasket(int kind, bool print, const QString &customer, int discount, int &documentId)
{
    TDMCall::Params params{{"@ID_OPERACE", kind}, {"@TISK", print}, {"@ODBERATEL", customer}, {"@SLEVA", discount}};
    // The lines the user sees are the lines sold, or none: another till may
    // have taken some out since the list was read.
    if (MSSQLADOQuery_Prodej->Active() && m_call->takes(DMProc::tab_prodej_PRODAT, QStringLiteral("@RADKU")))
        params.push_back({"@RADKU", int(basketItems().size())});
    return saleOrCancel(DMProc::tab_prodej_PRODAT, params, QStringLiteral("Prodej položek neproběhl..."),
                        QStringLiteral("Prodej položek proběhl, doklad je zapsán v databázi..."), documentId,
                        [this] { return basketItems(); });
}

int TDM::DocumentCount()
{
    return int(m_call->returnValue(DMProc::tab_doklad_POCET).toInt());
}

bool TDM::CanCancelDocument(int documentId)
{
    return m_call->returnValue(DMProc::tab_doklad_LZE_STORNOVAT, {{"@ID_DOKLAD_PRODEJ", documentId}}).toBool();
}

bool TDM::CancelDocument(int documentId, const TDMUniqueValues &unique)
{
    TDMCall::Params params{{"@ID_DOKLAD_PRODEJ", documentId}};
    addUniqueFlags(params, DMProc::tab_doklad_STORNO, unique);
    int id = 0;
    return saleOrCancel(DMProc::tab_doklad_STORNO, params, QStringLiteral("Storno dokladu neproběhlo..."),
                        QStringLiteral("Storno dokladu proběhlo, stornovací doklad je zapsán v databázi..."), id,
                        [this, documentId] { return documentItems(documentId); });
}

int TDM::HistoryCount()
{
    return int(m_call->returnValue(DMProc::tab_historie_POCET).toInt());
}

namespace {

// Lets a report walk a list with its grid still and comes back to its row.
// (The row comes back while the grid is still.)
template <typename Work>
void whileListStill(TMSSQLADOQuery *list, const QString &key, Work work)
{
    Db::ControlsOff still(*list);
    TPositionKept kept(*list, key);
    work();
}

} // namespace

void TDM::PrintDocumentById(int documentId, int voucher, bool preview, bool print, bool secondCopy, const QString &note)
{
    if (!preview && !print)
        return;
    if (!MSSQLADOQuery_Doklad->LocateInteger(QStringLiteral("ID_DOKLAD"), documentId)) {
        ShowInformation(QStringLiteral("Tisk dokladu nelze provést..."),
                        QStringLiteral("Zadaný doklad není dostupný, zkontrolujte aktivní filtr přehledu dokladů..."));
        return;
    }
    const int operation = int(MSSQLADOQuery_Doklad->FieldByName(QStringLiteral("ID_OPERACE")).AsInteger());
    whileListStill(MSSQLADOQuery_DokladDetail, QStringLiteral("ID_POLOZKA"), [&] {
        if (TDMScreens *screens = DataModuleScreens())
            screens->CreatePreview()->PrintDocument(operation, voucher, note, secondCopy, preview);
    });
}

void TDM::PrintItemOverview()
{
    whileListStill(MSSQLADOQuery_Polozka, QStringLiteral("ID_POLOZKA"), [] {
        if (TDMScreens *screens = DataModuleScreens())
            screens->CreatePreview()->ShowItemOverview();
    });
}

void TDM::PrintDocumentOverview()
{
    whileListStill(MSSQLADOQuery_Doklad, QStringLiteral("ID_DOKLAD"), [] {
        if (TDMScreens *screens = DataModuleScreens())
            screens->CreatePreview()->ShowDocumentOverview();
    });
}
