#include "app/sale/salerules.h"

#include <array>

namespace {

// Rounds a / d to the nearest integer, halves to even, as the conversions of
// money do everywhere else in the program.
int64_t roundedQuotient(int64_t a, int64_t d)
{
    int64_t q = a / d;
    const int64_t r = a % d;
    const int64_t twice = 2 * (r < 0 ? -r : r);
    if (twice > d || (twice == d && (q % 2) != 0))
        q += (a < 0) ? -1 : 1;
    return q;
}

} // namespace

const SaleKindRule &SaleKindRuleOf(int kind)
{
    static const std::array<SaleKindRule, 3> rules{{
        {QStringLiteral("&Tisk účtenky za hotové [F11]"), true, true, 32,
         QStringLiteral("Funkce prodej za hotové není dostupná...")},
        {QStringLiteral("&Tisk faktury/dodacího listu [F11]"), false, false, 33,
         QStringLiteral("Funkce prodej na fakturu/dodací list není dostupná...")},
        {QStringLiteral("&Tisk dodacího listu [F11]"), false, false, 34,
         QStringLiteral("Funkce prodej na dodací list není dostupná...")},
    }};
    return rules[size_t(kind >= 0 && kind < 3 ? kind : 0)];
}

int SaleDocumentType(int kind)
{
    return (kind >= 0 && kind < 3 ? kind : 0) + 1;
}

QString QuantityProblem(Currency quantity, Currency minimum, bool multiplesOnly)
{
    if (quantity < minimum || quantity.isNegative())
        return QStringLiteral("Zadané množství je menší než minimální množství...");
    if (multiplesOnly) {
        // Ten-thousandths to thousandths.
        const int64_t a = roundedQuotient(quantity.raw(), 10);
        const int64_t b = roundedQuotient(minimum.raw(), 10);
        if (b != 0 && a % b != 0)
            return QStringLiteral("Zadané množství není násobkem minimálního množství...");
    }
    return QString();
}

QString CounterProblem(int value, const QString &hint)
{
    return value >= 1 && value <= CounterMaximum ? QString() : hint;
}

QString WidthProblem(int value, const QString &hint)
{
    return value >= 1 && value <= WidthMaximum ? QString() : hint;
}

QStringList DiscountTexts(const QList<int> &discounts)
{
    QStringList texts;
    for (int discount : discounts)
        texts << QString::number(discount);
    return texts;
}

bool DiscountListed(const QStringList &items, const QString &text)
{
    return items.contains(text);
}
