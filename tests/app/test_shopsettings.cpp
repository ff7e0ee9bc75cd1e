#include "app/settings/shopsettings.h"

#include <gtest/gtest.h>

TEST(ShopSettings, InitialValuesAnswerUntilSettingsAreRegistered)
{
    ShopSettings &initial = Settings();
    EXPECT_EQ(initial.warrantyList(), QList<int>({0, 6, 12, 24, 36}));
    EXPECT_EQ(initial.defaultWarranty(), 24);
    EXPECT_EQ(initial.discountList().size(), 16);
    EXPECT_EQ(initial.discountList().last(), 100);
    EXPECT_EQ(initial.dueDays(), 30);
    EXPECT_EQ(initial.defaultMargin(), 20);
    EXPECT_EQ(initial.flagColor(), clRed);
    EXPECT_EQ(initial.receiptFormat(), ReceiptFormat::A5);
    EXPECT_TRUE(initial.isRequired(ItemField::Oznaceni));
    EXPECT_FALSE(initial.isRequired(ItemField::Kod));
    EXPECT_TRUE(initial.isFlagged(ItemField::Mnozstvi));
    EXPECT_FALSE(initial.isFlagged(ItemField::NedostatecnaZasoba));

    MemoryShopSettings mine;
    mine.nazev = QStringLiteral("Železářství U Kovadliny");
    {
        ScopedShopSettings scope(&mine);
        EXPECT_EQ(Settings().companyName(), mine.nazev);
    }
    EXPECT_EQ(&Settings(), &initial);
}

TEST(ShopSettings, ListsTakeEachValueOnce)
{
    MemoryShopSettings settings;
    settings.addWarranty(48);
    settings.addWarranty(48);
    settings.addWarranty(12);
    EXPECT_EQ(settings.warrantyList(), QList<int>({0, 6, 12, 24, 36, 48}));
    settings.addDiscount(33);
    settings.addDiscount(5);
    EXPECT_EQ(settings.discountList().count(33), 1);
    EXPECT_EQ(settings.discountList().count(5), 1);
    EXPECT_EQ(settings.discountList().last(), 33);
}
