// A server session lost and replaced: the basket belonged to the old one.
// When a statement finds the session gone (a restarted server, a pulled
// cable), the lines the till shows in the basket are noted; once the action
// that met it is over and no message is open, the lists are read again,
// which opens a new session, and the user is told what was lost.
#include "data/dm.h"

#include "platform/db/field.h"
#include "platform/db/servererror.h"
#include "platform/db/snapshot.h"
#include "platform/formatnumber.h"
#include "platform/messages.h"

#include <QTimer>

#include <utility>

void TDM::sessionEvent()
{
    // The basket as the user filled it: a second loss or the renewal that
    // follows the first finds it still shown.
    if (!m_sessionLost) {
        m_sessionLost = true;
        m_lostBasket = basketLines();
    }
    // Why the session ended, as the server or the network said it.
    const Db::ServerError &loss = connection().lastLoss();
    m_lossReason =
        loss.message.isEmpty() ? QStringLiteral("Spojení s databázovým serverem bylo přerušeno.") : loss.line();
    // Nothing may be sent from here (a statement is under way).
    if (!m_reportQueued) {
        m_reportQueued = true;
        QMetaObject::invokeMethod(this, &TDM::reportRenewedSession, Qt::QueuedConnection);
    }
}

QStringList TDM::basketLines() const
{
    QStringList lines;
    TMSSQLADOQuery *basket = MSSQLADOQuery_Prodej;
    const Db::SnapshotPtr &rows = basket->snapshot();
    if (!basket->Active() || !rows)
        return lines;
    auto column = [basket](const char *name) {
        const Db::Field *field = basket->FindField(QString::fromLatin1(name));
        return field ? field->Index() : -1;
    };
    const int mark = column("OZNACENI"), name = column("POLOZKA"), quantity = column("MNOZSTVI"),
              unit = column("JEDNOTKA");
    for (int row = 0; row < rows->rowCount(); ++row) {
        auto text = [&](int c) { return c >= 0 ? rows->string(row, c) : QString(); };
        const double amount = quantity >= 0 ? rows->value(row, quantity).toDouble() : 0.0;
        lines << QStringLiteral("%1 %2 × %3 %4")
                     .arg(text(mark), text(name), FormatFloat(QStringLiteral(",0.###"), amount), text(unit))
                     .trimmed();
    }
    return lines;
}

void TDM::reportRenewedSession()
{
    // After the message the action is showing (the failure that met the
    // lost session), so the user reads them in the order they happened; and
    // after the action whose session it was, which ends it undone.
    if (MessageShowing() || connection().heldSessionLost()) {
        QTimer::singleShot(100, this, &TDM::reportRenewedSession);
        return;
    }
    m_reportQueued = false;
    if (!m_sessionLost)
        return;
    if (!MSSQLADOQuery_Prodej->Active()) { // no till yet: the start-up says what failed
        m_sessionLost = false;
        m_lostBasket.clear();
        return;
    }
    // The basket first: it opens the new session. While the server cannot
    // be reached the loss stays noted for the next statement that gets through.
    try {
        RequeryBasket();
    } catch (const Db::DatabaseError &) {
        return;
    }
    if (!connection().isOpen())
        return;
    m_sessionLost = false;
    const QStringList lost = std::exchange(m_lostBasket, {});
    RereadAfterError();
    if (TDMScreens *screens = DataModuleScreens())
        screens->sessionRenewed();
    const QString heading = QStringLiteral("Spojení s databázovým serverem bylo obnoveno...");
    if (lost.isEmpty())
        ShowWarning(heading, QStringLiteral("Košík byl prázdný, nic se neztratilo..."), m_lossReason);
    else
        ShowWarning(heading,
                    QStringLiteral("Košík patřil přerušenému spojení a vyprázdnil se, ztratily se tyto položky:"),
                    lost.join(QLatin1Char('\n')));
}
