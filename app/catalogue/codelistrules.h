#pragma once
// The code lists' rules without their widgets.
#include <QString>

namespace CodeListRules {

// A record's name: blank, then taken.
QString NameReason(const QString &text, const QString &blankText, bool taken, const QString &takenText);
// A unit's smallest sale amount must be above zero.
QString UnitMinimumReason(double minimum);
// A VAT rate lies within 0 to 100 percent.
QString VatRateReason(double rate);
// The first VAT rate (ID 1) is fixed; every other row can be edited.
bool VatEditable(int id);

} // namespace CodeListRules
