#pragma once
// The item card's rules without its widgets: the price arithmetic, the
// reasons a field is refused, the VAT list's texts and the stock top-up.
// Every function returns an empty reason for an acceptable value.
#include "app/catalogue/itemcardsettings.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ItemRules {

// ---- prices (floating point, as the edits hold them)

// A VAT rate from the VAT list's text ("21", "10,5"); nothing for an empty or
// unreadable text, which never raises.
std::optional<double> vatRate(const QString &text);
// The purchase price with VAT for a price without VAT; nothing when the price
// without VAT is zero or the rate cannot be read (the price then stays).
std::optional<double> purchaseWithVat(double withoutVat, const QString &vatText);
// The selling price for a purchase price raised by the mark-up in percent.
double markedUpPrice(int markup, double purchase);
// The caption of the mark-up button: "Rabat 20%".
QString markupCaption(int markup);
// The quantity after a top-up, always from the stored quantity.
double toppedUp(double stored, double topUp);

// ---- the VAT list

// The text of the default rate as the list writes it ("21", "10,5").
QString vatText(double rate);
// The entry of the list whose rate equals the value to four decimals; -1
// when none does.
int vatIndex(const QStringList &entries, double rate);

// ---- validation reasons

// Mark and code: required with a length (0: any non-empty text).
QString markReason(const QString &text, const ItemCardSettings &settings);
QString codeReason(const QString &text, const ItemCardSettings &settings);
QString nameReason(const QString &text, const ItemCardSettings &settings);
QString specifikaceReason(const QString &text, const ItemCardSettings &settings, const QString &formHint);
// A required text that must not be blank (warranty, discount, category).
QString blankReason(const QString &text, const QString &reason);
// The warranty in months: blank or above the card's 100 is refused, except
// the stored value the card opened with (another program may have stored up
// to 240), which stays as long as the user leaves it.
QString warrantyReason(const QString &text, std::optional<int> kept);
// Amounts: negative always refused, zero when required.
QString purchaseReason(double value, const ItemCardSettings &settings);
QString saleReason(double value, const ItemCardSettings &settings);
QString quantityReason(double value, const ItemCardSettings &settings);
QString stockReason(double value, const ItemCardSettings &settings);
QString minimumReason(double value, const ItemCardSettings &settings);

// ---- uniqueness within a store (the texts differ between new and edited items)

enum class UniqueField { Mark, Code, Name };
QString existsReason(UniqueField field, bool editing);

// Whether a typed value of an integer box is new to its list.
bool isNewListValue(const QStringList &list, const QString &typed);

} // namespace ItemRules
