#include "reportbuild.h"

#include <gtest/gtest.h>

namespace {

QList<QVariantList> goods()
{
    return {{"Mléko", 21.9, "Potraviny", "Mléčné"},
            {"Sýr", 35.0, "Potraviny", "Mléčné"},
            {"Chléb", 39.0, "Potraviny", "Pečivo"},
            {"Mýdlo", 15.5, "Drogerie", "Hygiena"},
            {"Šampon", 64.5, "Drogerie", "Hygiena"}};
}

const QStringList goodsColumns{"Nazev", "Cena", "Skupina", "Podskupina"};

} // namespace

TEST(ReportBuild, SimpleListWithTitleHeaderAndSummary)
{
    TestReport t;
    t.Rows("Zbozi", goodsColumns, goods());
    t.Band(btReportTitle, 20, 30);
    t.Memo(20, 25, 300, 20, {"Ceník"});
    t.Band(btMasterHeader, 60, 20);
    t.Memo(20, 60, 200, 18, {"Název"});
    t.Band(btMasterData, 90, 20, "Zbozi");
    t.Memo(20, 92, 200, 18, {"[LINE#]. [Nazev]"});
    t.Memo(240, 92, 100, 18, {"[Cena #N10,2]"});
    t.Band(btMasterFooter, 120, 20);
    t.Memo(20, 120, 300, 18, {"Celkem [SUM([Cena]) #N,0.00]"});
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    EXPECT_EQ(lines(t.Dump()),
              lines({"page 1", "20,23 300x20 Ceník", "20,48 200x18 Název", "20,70 200x18 1. Mléko",
                     "240,70 100x18 21,90", "20,90 200x18 2. Sýr", "240,90 100x18 35,00", "20,110 200x18 3. Chléb",
                     "240,110 100x18 39,00", "20,130 200x18 4. Mýdlo", "240,130 100x18 15,50",
                     "20,150 200x18 5. Šampon", "240,150 100x18 64,50", "20,168 300x18 Celkem 175.90"}));
}
