#include "app/start/tarmilapplication.h"

#include "app/start/startuplog.h"
#include "data/dm.h"
#include "platform/messages.h"

#include <exception>

namespace {

void reportUncaught(const QString &text)
{
    // Reporting must not throw in its turn: the loop goes on whatever happens here.
    try {
        // A transaction the action left open would hold other tills up and
        // take this till's later writes with it, never committed.
        const bool undone = DM && DM->RollbackOpenTransaction();
        InitializationLog(QStringLiteral("Error: ") + text);
        ShowWarning(QStringLiteral("Akce skončila s chybou..."),
                    undone ? QStringLiteral("Akce nebyla dokončena, její změny v databázi byly vráceny, "
                                            "program pokračuje dál...")
                           : QStringLiteral("Akce nebyla dokončena, program pokračuje dál..."),
                    text);
    } catch (...) {
    }
}

} // namespace

bool DeliverGuarded(const std::function<bool()> &deliver)
{
    try {
        return deliver();
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
