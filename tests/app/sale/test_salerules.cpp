// The sale screens' rules without any screen: the quantity of a basket line
// against its item's minimum, the kinds of documents and the ranges of a
// numbering series.
#include "app/sale/salerules.h"

#include <gtest/gtest.h>

namespace {

Currency amount(const char *text)
{
    return Currency::fromString(QString::fromLatin1(text));
}

} // namespace

TEST(SaleRules, QuantityAgainstMinimumAndMultiples)
{
    const QString below = QStringLiteral("Zadané množství je menší než minimální množství...");
    const QString notMultiple = QStringLiteral("Zadané množství není násobkem minimálního množství...");
    struct Case
    {
        const char *quantity, *minimum;
        bool multiples;
        QString expected;
    } cases[] = {
        {"0.999", "0.333", true, {}},      // 999 / 333 = 3
        {"1.0", "0.3", true, notMultiple}, // 1000 / 300 is not whole
        {"1.5", "0.5", true, {}},
        {"1.2", "0.5", true, notMultiple},
        {"0.4", "0.5", true, below},
        {"1.2", "0.5", false, {}}, // without multiples anything from the minimum on
        {"0.5", "0.5", false, {}},
        {"0.4999", "0.5", false, below},
        // A minimum of nothing (or under half a thousandth) has no multiples
        // to keep: nothing is divided by zero.
        {"3.25", "0", true, {}},
        {"0", "0", true, {}},
        {"0.0007", "0.0004", true, {}},
        {"-1", "0", false, below},
        // Quantities compare in thousandths after rounding half to even.
        {"0.6665", "0.333", true, {}}, // 666.5 -> 666 = 2 x 333
        {"0.6675", "0.333", true, notMultiple},
    };
    for (const Case &c : cases)
        EXPECT_EQ(QuantityProblem(amount(c.quantity), amount(c.minimum), c.multiples), c.expected)
            << c.quantity << " of " << c.minimum << (c.multiples ? " in multiples" : "");
}

TEST(SaleRules, KindsOfDocuments)
{
    EXPECT_TRUE(SaleKindRuleOf(0).printEnabled);
    EXPECT_TRUE(SaleKindRuleOf(0).voucherEnabled);
    EXPECT_EQ(SaleKindRuleOf(0).printCaption, QStringLiteral("&Tisk účtenky za hotové [F11]"));
    for (int kind : {1, 2}) {
        EXPECT_FALSE(SaleKindRuleOf(kind).printEnabled) << kind;
        EXPECT_FALSE(SaleKindRuleOf(kind).voucherEnabled) << kind;
    }
    EXPECT_EQ(SaleKindRuleOf(2).printCaption, QStringLiteral("&Tisk dodacího listu [F11]"));
    EXPECT_EQ(SaleKindRuleOf(1).right, 33);
    EXPECT_EQ(SaleDocumentType(0), 1);
    EXPECT_EQ(SaleDocumentType(2), 3);
    // The copy keeps its tick only while print is enabled and checked.
    EXPECT_TRUE(CopyKept(true, true));
    EXPECT_FALSE(CopyKept(false, true));
    EXPECT_FALSE(CopyKept(true, false));
}

TEST(SaleRules, NumberingRanges)
{
    const QString hint = QStringLiteral("mimo rozsah");
    EXPECT_EQ(CounterProblem(0, hint), hint);
    EXPECT_EQ(CounterProblem(1, hint), QString());
    EXPECT_EQ(CounterProblem(99999999, hint), QString());
    EXPECT_EQ(CounterProblem(100000000, hint), hint);
    EXPECT_EQ(WidthProblem(0, hint), hint);
    EXPECT_EQ(WidthProblem(8, hint), QString());
    EXPECT_EQ(WidthProblem(9, hint), hint);
    EXPECT_TRUE(DiscountListed(DiscountTexts({0, 5, 10}), QStringLiteral("5")));
    EXPECT_FALSE(DiscountListed(DiscountTexts({0, 5, 10}), QStringLiteral("12")));
}
