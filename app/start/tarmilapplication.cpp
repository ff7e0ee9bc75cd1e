#include "app/start/tarmilapplication.h"

#include "app/start/startuplog.h"
#include "data/dm.h"
#include "platform/messages.h"

#include <exception>

namespace {

// The outermost delivery under way (the user's action), and what the
// database held undone when it began.
int deliveries = 0;
quint64 undoneBefore = 0;

// What the message says of the database: what the action wrote for good,
// and whether its other changes were undone.
QString outcome(const QStringList &written, bool undone)
{
    if (written.isEmpty())
        return undone ? QStringLiteral("Akce nebyla dokončena, její změny v databázi byly vráceny, "
                                       "program pokračuje dál...")
                      : QStringLiteral("Akce nebyla dokončena, program pokračuje dál...");
    return QStringLiteral("Akce nebyla dokončena celá. %1 %2")
        .arg(written.join(u' '))
        .arg(undone ? QStringLiteral("Její další změny v databázi byly vráceny, program pokračuje dál...")
                    : QStringLiteral("Další kroky akce neproběhly, program pokračuje dál..."));
}

void reportUncaught(const QString &text, bool connectionLost = false)
{
    // Reporting must not throw in its turn: the loop goes on whatever happens here.
    try {
        // A transaction the action left open would hold other tills up and
        // take this till's later writes with it, never committed.
        const bool undone = DM && (DM->RollbackOpenTransaction() || DM->UndoneTransactions() != undoneBefore);
        const QStringList written = DM ? DM->WrittenInAction() : QStringList();
        // The till shows what the server holds, whatever the action left.
        if (DM)
            DM->RereadAfterError();
        InitializationLog(QStringLiteral("Error: ") + text);
        ShowWarning(connectionLost ? QStringLiteral("Spojení s databázovým serverem bylo přerušeno...")
                                   : QStringLiteral("Akce skončila s chybou..."),
                    outcome(written, undone), text);
    } catch (...) {
    }
}

} // namespace

bool DeliverGuarded(const std::function<bool()> &deliver)
{
    if (deliveries++ == 0 && DM) {
        undoneBefore = DM->UndoneTransactions();
        DM->ForgetWritten();
    }
    struct Depth
    {
        ~Depth() { --deliveries; }
    } depth;
    try {
        return deliver();
    } catch (const Db::DatabaseError &error) {
        reportUncaught(QString::fromUtf8(error.what()), error.error().connectionLost());
    } catch (const std::exception &error) {
        reportUncaught(QString::fromUtf8(error.what()));
    } catch (...) {
        reportUncaught(QStringLiteral("Neznámá chyba."));
    }
    return false;
}

bool TarmilApplication::notify(QObject *receiver, QEvent *event)
{
    return DeliverGuarded([&] { return QApplication::notify(receiver, event); });
}
