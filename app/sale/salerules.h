#pragma once
// The rules of the sale screens, kept apart from their widgets: what each
// document kind allows in the sale dialog, the quantity a basket line may
// take, the ranges of a numbering series, and the discount list.
#include "platform/currency.h"

#include <QList>
#include <QString>
#include <QStringList>

// Document kinds in the order of the sale dialog's list; the document type
// of the sale procedure is the kind + 1.
enum class SaleKind { Uctenka = 0, Faktura = 1, DodaciList = 2 };

struct SaleKindRule
{
    QString printCaption; // CheckBox_Tisk
    bool printEnabled;    // the print box and F11
    bool voucherEnabled;  // the cash voucher box and F9
    int right;            // the right the sale of this kind needs
    QString deniedHeading;
};

// The rule of a kind (0 to 2); anything else is a cash receipt.
const SaleKindRule &SaleKindRuleOf(int kind);
// The document type the sale procedure takes: 1, 2 or 3.
int SaleDocumentType(int kind);

// The copy box keeps its tick only while print is both enabled and checked.
inline bool CopyKept(bool printEnabled, bool printChecked)
{
    return printEnabled && printChecked;
}

// Why a quantity of an item cannot go into the basket, or empty when it can.
// All amounts count in ten-thousandths; the multiples test compares whole
// thousandths. An item whose minimum is less than half a thousandth has no
// multiples rule (there is nothing to divide by).
QString QuantityProblem(Currency quantity, Currency minimum, bool multiplesOnly);

// Why a numbering series' value is out of range, or empty.
QString CounterProblem(int value, const QString &hint);
QString WidthProblem(int value, const QString &hint);
constexpr int CounterMaximum = 99999999;
constexpr int WidthMaximum = 8;

// The list's texts of whole percentages.
QStringList DiscountTexts(const QList<int> &discounts);
// Whether a typed discount text is one of the list's items (as the combo
// box compares: the text as it stands).
bool DiscountListed(const QStringList &items, const QString &text);
