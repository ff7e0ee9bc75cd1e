#include "app/catalogue/categoryrules.h"
#include "app/catalogue/codelistrules.h"
#include "app/catalogue/itemrules.h"

#include <gtest/gtest.h>

using namespace ItemRules;

TEST(ItemPrices, PurchaseWithVatAndMarkupAsATable)
{
    struct Row
    {
        double withoutVat;
        QString vat;
        std::optional<double> purchase;
    };
    const Row rows[] = {{100, "21", 121.0},      {100, "10,5", 110.5},    {80, "0", 80.0},
                        {0, "21", std::nullopt}, {100, "", std::nullopt}, {100, "abc", std::nullopt},
                        {100, " ", std::nullopt}};
    for (const Row &row : rows) {
        const auto purchase = purchaseWithVat(row.withoutVat, row.vat);
        ASSERT_EQ(purchase.has_value(), row.purchase.has_value()) << qPrintable(row.vat) << " " << row.withoutVat;
        if (purchase) {
            EXPECT_DOUBLE_EQ(*purchase, *row.purchase);
        }
    }
    EXPECT_NEAR(markedUpPrice(20, 121), 145.2, 1e-9);
    EXPECT_DOUBLE_EQ(markedUpPrice(0, 121), 121);
    EXPECT_DOUBLE_EQ(markedUpPrice(100, 50), 100);
    EXPECT_EQ(markupCaption(20), "Rabat 20%");
    // The top-up always starts from the stored quantity.
    EXPECT_DOUBLE_EQ(toppedUp(5, 3), 8);
    EXPECT_DOUBLE_EQ(toppedUp(5, 4), 9);
}

TEST(ItemPrices, VatEntriesMatchByValue)
{
    const QStringList entries{"0", "10,5", "15", "21"};
    EXPECT_EQ(vatText(21), "21");
    EXPECT_EQ(vatText(10.5), "10,5");
    EXPECT_EQ(vatIndex(entries, 21), 3);
    EXPECT_EQ(vatIndex(entries, 10.5), 1);
    // A rate read back from a single-precision column still finds its entry.
    EXPECT_EQ(vatIndex({"10,3"}, double(10.3f)), 0);
    EXPECT_EQ(vatIndex(entries, 20), -1);
    EXPECT_EQ(vatIndex({}, 0), -1);
}

TEST(ItemValidation, MarkAndCodeLengths)
{
    ItemCardSettings s;
    s.markRequired = true;
    s.markLength = 8;
    EXPECT_EQ(markReason("12", s), "Označení položky musí být dlouhé 8 znaků...");
    EXPECT_EQ(markReason(" 00000012 ", s), "");
    s.markLength = 0;
    EXPECT_EQ(markReason("12", s), "");
    EXPECT_EQ(markReason("  ", s), "Nezadané označení...");
    s.markRequired = false;
    EXPECT_EQ(markReason("", s), "");

    s.codeRequired = true;
    s.codeLength = 13;
    EXPECT_EQ(codeReason("123", s), "Kód položky musí být dlouhý 13 znaků...");
    EXPECT_EQ(codeReason("8591234567890", s), "");
    s.codeLength = 0;
    EXPECT_EQ(codeReason("", s), "Nezadaný kód...");
    s.codeRequired = false;
    EXPECT_EQ(codeReason("", s), "");
}

TEST(ItemValidation, AmountsAndTexts)
{
    ItemCardSettings s;
    s.purchaseRequired = false;
    EXPECT_EQ(purchaseReason(0, s), "");
    EXPECT_EQ(purchaseReason(-1, s), "Záporná nákupní cena...");
    s.purchaseRequired = true;
    EXPECT_EQ(purchaseReason(0, s), "Nulová nákupní cena...");
    EXPECT_EQ(purchaseReason(0.01, s), "");
    s.saleRequired = true;
    EXPECT_EQ(saleReason(0, s), "Nulová prodejní cena...");
    EXPECT_EQ(saleReason(-0.5, s), "Záporná prodejní cena...");
    s.quantityRequired = true;
    EXPECT_EQ(quantityReason(0, s), "Nulové množství...");
    EXPECT_EQ(quantityReason(-2, s), "Záporné množství...");
    s.stockRequired = true;
    EXPECT_EQ(stockReason(0, s), "Nulové zásoba...");
    EXPECT_EQ(stockReason(-1, s), "Záporná zásoba...");
    s.minimumRequired = false;
    EXPECT_EQ(minimumReason(0, s), "");
    EXPECT_EQ(minimumReason(-1, s), "Záporné minimum...");
    s.minimumRequired = true;
    EXPECT_EQ(minimumReason(0, s), "Nulové minimum...");

    s.nameRequired = true;
    EXPECT_EQ(nameReason("  ", s), "Nezadaná položka...");
    s.specifikaceRequired = true;
    EXPECT_EQ(specifikaceReason("", s, "hint"), "hint");
    s.specifikaceRequired = false;
    EXPECT_EQ(specifikaceReason("", s, "hint"), "");
    EXPECT_EQ(blankReason(" ", "x"), "x");

    EXPECT_EQ(existsReason(UniqueField::Code, false), "Kód již existuje...");
    EXPECT_EQ(existsReason(UniqueField::Code, true), "Existující kód...");
    EXPECT_EQ(existsReason(UniqueField::Mark, true), "Označení položky již existuje...");
    EXPECT_EQ(existsReason(UniqueField::Name, false), "Existující položka...");

    EXPECT_TRUE(isNewListValue({"0", "12"}, "36"));
    EXPECT_FALSE(isNewListValue({"0", "12"}, "12"));
    EXPECT_FALSE(isNewListValue({"0"}, " "));
}

TEST(CategoryRules, PathsOrderAndDrops)
{
    using namespace CategoryRules;
    EXPECT_EQ(ParseIdPath("1\\3\\7\\"), (QList<int>{1, 3, 7}));
    EXPECT_EQ(ParseIdPath("1\\"), (QList<int>{1}));
    EXPECT_TRUE(ParseIdPath("").isEmpty());
    EXPECT_TRUE(ParseIdPath("1\\x\\").isEmpty());

    // Czech order: "č" after "c", "ch" after "h", "ř" after "r".
    EXPECT_TRUE(NameLess("Cukr", "Čaj"));
    EXPECT_TRUE(NameLess("Čaj", "Dřevo"));
    EXPECT_TRUE(NameLess("Hračky", "Chléb"));
    EXPECT_TRUE(NameLess("Chléb", "Izolace"));
    EXPECT_TRUE(NameLess("Rum", "Řezivo"));
    EXPECT_TRUE(NameLess("auto", "Brzdy"));
    EXPECT_FALSE(NameLess("Brzdy", "Brzdy"));

    EXPECT_TRUE(DropAccepted(5, 2, 3, false));
    EXPECT_FALSE(DropAccepted(5, 2, 5, false)); // onto itself
    EXPECT_FALSE(DropAccepted(5, 2, 2, false)); // onto its parent
    EXPECT_FALSE(DropAccepted(5, 2, 3, true));  // a child of that name exists
    EXPECT_FALSE(DropAccepted(5, 2, 0, false)); // nothing under the mouse
    EXPECT_TRUE(InsideSubtree({1, 5, 9}, 5));
    EXPECT_FALSE(InsideSubtree({1, 4, 9}, 5));
}

TEST(CodeListRules, NamesMinimumsAndRates)
{
    using namespace CodeListRules;
    EXPECT_EQ(NameReason(" ", "blank", true, "taken"), "blank");
    EXPECT_EQ(NameReason("ks", "blank", true, "taken"), "taken");
    EXPECT_EQ(NameReason("ks", "blank", false, "taken"), "");
    EXPECT_EQ(UnitMinimumReason(0), "Nezadané minimum");
    EXPECT_EQ(UnitMinimumReason(-1), "Nezadané minimum");
    EXPECT_EQ(UnitMinimumReason(0.001), "");
    EXPECT_EQ(VatRateReason(100), "");
    EXPECT_EQ(VatRateReason(0), "");
    EXPECT_FALSE(VatRateReason(100.01).isEmpty());
    EXPECT_FALSE(VatRateReason(-0.01).isEmpty());
    EXPECT_FALSE(VatEditable(1));
    EXPECT_TRUE(VatEditable(2));
    EXPECT_FALSE(VatEditable(0));
}
