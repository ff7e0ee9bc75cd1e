// Lines that left the basket through another till: an item removed from the
// catalogue (a replace-all import, a removal) takes its lines out of every
// basket on the server, and tells each session whose basket lost lines on
// its own channel. The till hears it with the results of its next statement;
// once the action is over the basket is read again and the user told which
// of the lines shown went.
#include "data/dm.h"
#include "data/dmprocedures.h"

#include "platform/db/field.h"
#include "platform/db/servererror.h"
#include "platform/db/snapshot.h"
#include "platform/messages.h"

#include <QTimer>

namespace {
const QString BasketChannel = QStringLiteral("tarmil_kosik_");
}

// Once per server session, while the basket list is open (only a till shows
// lines to miss). Outside a transaction: a listen rolled back would be lost.
void TDM::listenForBasketChanges()
{
    Db::Connection &c = connection();
    if (m_listeningSerial == c.sessionSerial() || c.inTransaction() || !MSSQLADOQuery_Prodej->Active())
        return;
    const int pid = c.backendPid();
    if (pid == 0)
        return;
    const QList<Db::ServerError> errors = c.errors();
    if (c.exec(QStringLiteral("LISTEN ") + Db::Connection::quoteIdentifier(BasketChannel + QString::number(pid)))
            .succeeded())
        m_listeningSerial = c.sessionSerial();
    c.setErrors(errors);
}

void TDM::basketNotification(const QString &channel)
{
    if (!channel.startsWith(BasketChannel) || m_basketReportQueued)
        return;
    m_basketReportQueued = true;
    QMetaObject::invokeMethod(this, &TDM::reportBasketChangedElsewhere, Qt::QueuedConnection);
}

QStringList TDM::requeryBasketNamingLost()
{
    const QList<Variant> before = basketItems();
    const QStringList lines = basketLines(); // the same rows in the same order
    const quint64 session = connection().sessionSerial();
    RequeryBasket();
    // A lost session took the whole basket: its renewal says what went.
    if (m_sessionLost || session != connection().sessionSerial())
        return {};
    QSet<qint64> now;
    for (const Variant &id : basketItems())
        now.insert(id.toInt());
    QStringList lost;
    QList<Variant> lostIds;
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (!now.contains(before[i].toInt())) {
            lost << lines.value(i);
            lostIds << before[i];
        }
    }
    // A line the list lost leaves the server's basket too: a removal of its
    // item that committed as the line was added left it behind.
    for (const Variant &id : std::as_const(lostIds))
        m_call->returnBool(DMProc::tab_prodej_ODEBRAT, {{"@ID_POLOZKA", id}});
    // The item list shows them no more either.
    TMSSQLADOQuery *items = MSSQLADOQuery_Polozka;
    if (!lostIds.isEmpty() && items->Active() &&
        !items->RefreshRows(QStringLiteral("ID_POLOZKA"), lostIds, Variant(), false))
        items->RequeryLocate(QStringLiteral("ID_POLOZKA"));
    return lost;
}

QString TDM::LostBasketLinesText(const QStringList &lost)
{
    return QStringLiteral("Jiná pokladna mezitím odebrala z katalogu položky, které byly v košíku "
                          "(odebráním položek nebo importem s odebráním původních záznamů). "
                          "Z košíku se odebraly tyto položky:\n") +
           lost.join(QLatin1Char('\n'));
}

void TDM::warnLostBasketLines(const QStringList &lost)
{
    if (!lost.isEmpty())
        ShowWarning(QStringLiteral("Položky košíku již nejsou v katalogu..."),
                    QStringLiteral("Košík se změnil, zkontrolujte jej před prodejem..."), LostBasketLinesText(lost));
}

void TDM::reportBasketChangedElsewhere()
{
    // After the message the action is showing, in the order things happened.
    if (MessageShowing()) {
        QTimer::singleShot(100, this, &TDM::reportBasketChangedElsewhere);
        return;
    }
    m_basketReportQueued = false;
    // A lost session took the whole basket: its renewal says what went.
    if (m_sessionLost || !MSSQLADOQuery_Prodej->Active())
        return;
    QStringList lost;
    try {
        lost = requeryBasketNamingLost();
    } catch (const Db::DatabaseError &) {
        return; // the list keeps its rows; the next action that reads it says why
    }
    warnLostBasketLines(lost);
}

QList<std::pair<int, QString>> TDM::BasketLinesOutOfCatalogue() const
{
    QList<std::pair<int, QString>> gone;
    TMSSQLADOQuery *basket = MSSQLADOQuery_Prodej;
    const Db::Field *valid = basket->FindField(QStringLiteral("STATE_PLATNOST"));
    if (!basket->Active() || !valid)
        return gone;
    const QList<Variant> ids = basketItems();
    const QStringList lines = basketLines(); // the same rows in the same order
    const Db::SnapshotPtr rows = basket->snapshot();
    for (int row = 0; row < rows->rowCount() && row < ids.size(); ++row)
        if (!rows->value(row, valid->Index()).toBool())
            gone << std::pair(int(ids[row].toInt()), lines.value(row));
    return gone;
}
