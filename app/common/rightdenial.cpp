#include "app/common/rightdenial.h"

#include "data/dm.h"
#include "platform/messages.h"

#include <exception>

bool CheckUserRight(int right, const QString &heading)
{
    if (!DM)
        return false;
    try {
        if (DM->HasRight(right))
            return true;
    } catch (const std::exception &) {
        // No answer to convert: the connection holds the server's reason.
    }
    // A question the server did not answer is no denial.
    const QString reason = DM->LastErrorText();
    if (!reason.isEmpty())
        ShowWarning(heading, QStringLiteral("Oprávnění uživatele nelze ověřit..."), reason);
    else
        ShowInformation(heading, QStringLiteral("Uživatel nemá oprávnění..."), false);
    return false;
}
