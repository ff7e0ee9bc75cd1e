#include "app/catalogue/codelistrules.h"

namespace CodeListRules {

QString NameReason(const QString &text, const QString &blankText, bool taken, const QString &takenText)
{
    if (text.trimmed().isEmpty())
        return blankText;
    return taken ? takenText : QString();
}

QString UnitMinimumReason(double minimum)
{
    return minimum <= 0 ? QStringLiteral("Nezadané minimum") : QString();
}

QString VatRateReason(double rate)
{
    return rate < 0 || rate > 100 ? QStringLiteral("DPH musí být v rozsahu 0 až 100...") : QString();
}

bool VatEditable(int id)
{
    return id > 0 && id != 1;
}

} // namespace CodeListRules
