#include "reportbuild.h"

#include "report/vlband.h"
#include "report/vlsubreportview.h"

#include <QRegularExpression>
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

TEST(ReportBuild, TwoGroupLevelsWithHeaderAndFooterSums)
{
    TestReport t;
    t.Rows("Zbozi", goodsColumns, goods());
    t.Band(btGroupHeader, 20, 20, "[Skupina]");
    t.Memo(20, 20, 300, 18, {"Skupina [Skupina]"});
    t.Band(btGroupHeader, 50, 20, "[Podskupina]");
    t.Memo(40, 50, 300, 18, {"[Podskupina]"});
    t.Band(btMasterData, 80, 20, "Zbozi");
    t.Memo(60, 80, 200, 18, {"[Nazev] [Cena #N10,2]"});
    t.Band(btGroupFooter, 110, 20);
    t.Memo(40, 110, 300, 18, {"Podskupina celkem [SUM([Cena]) #10,2] ([COUNT(Band3)])"});
    t.Band(btGroupFooter, 140, 20);
    t.Memo(20, 140, 300, 18, {"Skupina celkem [SUM([Cena]) #10,2], nejdražší [MAX([Cena]) #10,2]"});
    t.Band(btReportSummary, 170, 20);
    t.Memo(20, 170, 300, 18, {"Vše [SUM([Cena], Band3) #10,2], průměr [AVG([Cena]) #10,2]"});
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    EXPECT_EQ(lines(t.Texts()),
              lines({"page 1", "Skupina Potraviny", "Mléčné", "Mléko 21,90", "Sýr 35,00", "Podskupina celkem 56,90 (2)",
                     "Pečivo", "Chléb 39,00", "Podskupina celkem 39,00 (1)", "Skupina celkem 95,90, nejdražší 39,00",
                     "Skupina Drogerie", "Hygiena", "Mýdlo 15,50", "Šampon 64,50", "Podskupina celkem 80,00 (2)",
                     "Skupina celkem 80,00, nejdražší 64,50", "Vše 175,90, průměr 35,18"}));
}

TEST(ReportBuild, TwoPassesGiveTheTotalPageCountOnEveryPage)
{
    TestReport t;
    QList<QVariantList> rows;
    for (int i = 1; i <= 120; ++i)
        rows << QVariantList{QStringLiteral("Položka %1").arg(i), i, "A", "B"};
    t.Rows("Zbozi", goodsColumns, rows);
    t.Band(btPageHeader, 20, 20, {}, 16);
    t.Memo(20, 20, 300, 18, {"Strana [PAGE#] z [TOTALPAGES]"});
    t.Band(btMasterData, 50, 20, "Zbozi");
    t.Memo(20, 50, 200, 18, {"[Nazev]"});
    t.Band(btPageFooter, 80, 20, {}, 48);
    t.Memo(20, 80, 300, 18, {"Součet strany [SUM([Cena])]"});
    t.report->TwoPass = 1;
    ASSERT_TRUE(t.report->PrepareReport());
    QStringList headers;
    for (const QString &text : t.Texts())
        if (text.startsWith("Strana") || text.startsWith("Součet"))
            headers << text;
    EXPECT_EQ(lines(headers), lines({"Strana 1 z 3", "Součet strany 1225", "Strana 2 z 3", "Součet strany 3626",
                                     "Strana 3 z 3", "Součet strany 2409"}));
    t.report->TwoPass = 0;
    ASSERT_TRUE(t.report->PrepareReport());
    EXPECT_TRUE(t.Texts().contains("Strana 2 z 0"));
}

TEST(ReportBuild, ColumnsFillDownThenAcrossThenOnTheNextPage)
{
    TestReport t;
    QList<QVariantList> rows;
    for (int i = 1; i <= 130; ++i)
        rows << QVariantList{QStringLiteral("%1").arg(i), i, "A", "B"};
    t.Rows("Zbozi", goodsColumns, rows);
    t.page->Columns = 2;
    t.page->ColumnGap = 10;
    t.Band(btColumnHeader, 20, 20);
    t.Memo(20, 20, 100, 18, {"Sloupec [COLUMN#]"});
    t.Band(btMasterData, 50, 20, "Zbozi");
    t.Memo(20, 50, 100, 18, {"[Nazev]"});
    ASSERT_TRUE(t.report->PrepareReport());
    // Page starts, column headers, and the first and last row of each column.
    EXPECT_EQ(lines(t.Dump().filter(QRegularExpression("page|Sloupec| (1|50|51|100|101|130)$"))),
              lines({"page 1", "20,18 100x18 Sloupec 1", "20,38 100x18 1", "20,1018 100x18 50",
                     "388,18 100x18 Sloupec 2", "388,38 100x18 51", "388,1018 100x18 100", "page 2",
                     "20,18 100x18 Sloupec 1", "20,38 100x18 101", "20,618 100x18 130"}));
}

TEST(ReportBuild, StretchedMemoSplitsAcrossThreePages)
{
    TestReport t;
    QStringList text;
    for (int i = 1; i <= 150; ++i)
        text << QStringLiteral("Řádek %1").arg(i);
    t.Rows("Text", {"Obsah"}, {{text.join("\n")}});
    t.Band(btMasterData, 20, 40, "Text", bfStretched | bfAllowSplit);
    auto *memo = t.Memo(20, 20, 300, 20, {"[Obsah]"});
    memo->Flags = mfStretched | mfWordWrap;
    t.Memo(340, 20, 100, 18, {"vedle"});
    ASSERT_TRUE(t.report->PrepareReport());
    QStringList pieces;
    for (const QString &line : t.Dump()) {
        const QStringList texts = line.section(u' ', 2).split(u'|');
        pieces << (line.startsWith("page") ? line
                                           : line.section(u' ', 0, 1) + u' ' + texts.first() + u'-' + texts.last());
    }
    EXPECT_EQ(lines(pieces),
              lines({"page 1", "20,18 300x1022 Řádek 1-Řádek 68", "340,18 100x18 vedle-vedle", "page 2",
                     "20,18 300x1022 Řádek 69-Řádek 136", "page 3", "20,18 300x212 Řádek 137-Řádek 150"}));
}

TEST(ReportBuild, CrossColumnsWrapToTheNextPage)
{
    TestReport t;
    t.Rows("Radky", {"Radek"}, {{"A"}, {"B"}});
    QList<QVariantList> months;
    for (int i = 1; i <= 12; ++i)
        months << QVariantList{i};
    t.Rows("Mesice", {"Mesic"}, months);
    t.Band(btMasterData, 40, 20, "Radky");
    t.Band(btCrossHeader, 0, 1000, {}, 0)->SetBounds(20, 0, 80, 1000);
    t.Band(btCrossData, 0, 1000, "Mesice", 0)->SetBounds(100, 0, 90, 1000);
    t.Memo(20, 40, 80, 18, {"[Radek]"});
    t.Memo(100, 40, 90, 18, {"[Radek][Mesic]"});
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    EXPECT_EQ(lines(t.Dump()),
              lines({"page 1",           "20,18 80x18 A",    "100,18 90x18 A1",  "190,18 90x18 A2", "280,18 90x18 A3",
                     "370,18 90x18 A4",  "460,18 90x18 A5",  "550,18 90x18 A6",  "640,18 90x18 A7", "20,38 80x18 B",
                     "100,38 90x18 B1",  "190,38 90x18 B2",  "280,38 90x18 B3",  "370,38 90x18 B4", "460,38 90x18 B5",
                     "550,38 90x18 B6",  "640,38 90x18 B7",  "page 2",           "18,18 90x18 A8",  "108,18 90x18 A9",
                     "198,18 90x18 A10", "288,18 90x18 A11", "378,18 90x18 A12", "18,38 90x18 B8",  "108,38 90x18 B9",
                     "198,38 90x18 B10", "288,38 90x18 B11", "378,38 90x18 B12"}));
}

TEST(ReportBuild, SubReportPrintsBesideItsBand)
{
    TestReport t;
    t.Rows("Zbozi", goodsColumns, goods());
    t.Rows("Sklady", {"Sklad"}, {{"Hlavní"}, {"Prodejna"}});
    TvlPage *second = t.report->Pages.Add();
    t.Band(btReportTitle, 20, 30);
    t.Memo(20, 20, 150, 18, {"Zboží"});
    auto sub = std::make_unique<TvlSubReportView>();
    sub->SetBounds(300, 20, 200, 30);
    sub->PageIndex = 1;
    t.page->Add(std::move(sub));
    t.Band(btMasterData, 60, 20, "Zbozi");
    t.Memo(20, 60, 150, 18, {"[Nazev]"});
    t.Band(btMasterData, 20, 20, "Sklady", 48, second);
    t.Memo(20, 20, 150, 18, {"[Sklad]"}, second);
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    EXPECT_EQ(lines(t.Dump()), lines({"page 1", "20,18 150x18 Zboží", "302,18 150x18 Hlavní", "302,38 150x18 Prodejna",
                                      "20,58 150x18 Mléko", "20,78 150x18 Sýr", "20,98 150x18 Chléb",
                                      "20,118 150x18 Mýdlo", "20,138 150x18 Šampon"}));
}

TEST(ReportBuild, ScriptCallingNewPageBreaksBeforeTheBand)
{
    TestReport t;
    t.Rows("Zbozi", goodsColumns, goods());
    TvlBandView *data = t.Band(btMasterData, 20, 20, "Zbozi");
    data->Script = {"if [LINE#] = 3 then NEWPAGE"};
    t.Memo(20, 20, 150, 18, {"[Nazev]"});
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    EXPECT_EQ(lines(t.Texts()), lines({"page 1", "Mléko", "Sýr", "page 2", "Chléb", "Mýdlo", "Šampon"}));
}

TEST(ReportBuild, EmptyDetailsAndPrintIfDetailEmpty)
{
    TestReport t;
    t.Rows("Doklady", {"Cislo"}, {{"D1"}, {"D2"}, {"D3"}});
    MemoryRows *details = t.Rows("Radky", {"Polozka"}, {});
    t.Band(btMasterHeader, 10, 20);
    t.Memo(20, 10, 150, 18, {"Doklady"});
    TvlBandView *master = t.Band(btMasterData, 40, 20, "Doklady");
    t.Memo(20, 40, 150, 18, {"Doklad [Cislo]"});
    t.Band(btDetailData, 70, 20, "Radky");
    t.Memo(40, 70, 150, 18, {"[Polozka]"});
    t.Band(btMasterFooter, 100, 20);
    t.Memo(20, 100, 150, 18, {"Konec"});
    // D2 alone has lines.
    t.sets[0]->OnFirst = [&](QObject *) { details->SetRows({}); };
    t.sets[0]->OnNext = [&](QObject *sender) {
        const int no = static_cast<MemoryRows *>(sender)->RecordNo();
        details->SetRows(no == 1 ? QList<QVariantList>{{"Chléb"}, {"Máslo"}} : QList<QVariantList>{});
    };
    ASSERT_TRUE(t.report->PrepareReport());
    EXPECT_EQ(lines(t.Texts()), lines({"page 1", "Doklady", "Doklad D2", "Chléb", "Máslo", "Konec"}));
    master->Flags |= bfPrintIfDetailEmpty;
    ASSERT_TRUE(t.report->PrepareReport());
    EXPECT_EQ(lines(t.Texts()),
              lines({"page 1", "Doklady", "Doklad D1", "Doklad D2", "Chléb", "Máslo", "Doklad D3", "Konec"}));
    t.sets[0]->SetRows({});
    ASSERT_TRUE(t.report->PrepareReport());
    EXPECT_EQ(lines(t.Texts()), lines({"page 1"}));
}

TEST(ReportBuild, CrossFooterTotalsRowsColumnsAndAll)
{
    TestReport t;
    t.Rows("Radky", {"Radek", "Koef"}, {{"A", 1}, {"B", 10}});
    t.Rows("Mesice", {"Mesic"}, {{1}, {2}, {3}});
    t.Band(btMasterData, 40, 20, "Radky");
    t.Band(btMasterFooter, 80, 20);
    t.Band(btCrossHeader, 0, 1000, {}, 0)->SetBounds(20, 0, 80, 1000);
    t.Band(btCrossData, 0, 1000, "Mesice", 0)->SetBounds(100, 0, 90, 1000);
    t.Band(btCrossFooter, 0, 1000, {}, 0)->SetBounds(400, 0, 90, 1000);
    const QString cell = "[[Koef] * [Mesic]]", total = "[SUM([Koef] * [Mesic])]";
    t.Memo(20, 40, 80, 18, {"[Radek]"});
    t.Memo(100, 40, 90, 18, {cell});
    t.Memo(400, 40, 90, 18, {"= " + total}); // the row across its months
    t.Memo(20, 80, 80, 18, {"Celkem"});
    t.Memo(100, 80, 90, 18, {total});        // each month down the rows
    t.Memo(400, 80, 90, 18, {"= " + total}); // everything
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    EXPECT_EQ(lines(t.Dump()), lines({"page 1", "20,18 80x18 A", "100,18 90x18 1", "190,18 90x18 2", "280,18 90x18 3",
                                      "370,18 90x18 = 6", "20,38 80x18 B", "100,38 90x18 10", "190,38 90x18 20",
                                      "280,38 90x18 30", "370,38 90x18 = 60", "20,58 80x18 Celkem", "100,58 90x18 11",
                                      "190,58 90x18 22", "280,58 90x18 33", "370,58 90x18 = 66"}));
}

// Two sub-reports beside each other in one band, both longer than a page:
// they fill each page side by side, the page breaks once for both, and the
// band's rows go on below the longer of them.
TEST(ReportBuild, SubReportsSideBySideAcrossPages)
{
    TestReport t;
    QList<QVariantList> stores, suppliers;
    for (int i = 1; i <= 60; ++i)
        stores << QVariantList{QStringLiteral("S%1").arg(i)};
    for (int i = 1; i <= 70; ++i)
        suppliers << QVariantList{QStringLiteral("D%1").arg(i)};
    t.Rows("Zbozi", goodsColumns, goods().mid(0, 2));
    t.Rows("Sklady", {"Sklad"}, stores);
    t.Rows("Dodavatele", {"Dodavatel"}, suppliers);
    TvlPage *left = t.report->Pages.Add();
    TvlPage *right = t.report->Pages.Add();
    t.Band(btPageHeader, 0, 20);
    t.Memo(20, 0, 150, 18, {"Strana [PAGE#]"});
    t.Band(btReportTitle, 30, 30);
    t.Memo(20, 30, 150, 18, {"Přehled"});
    for (auto [page, x] : {std::pair{1, 20}, std::pair{2, 350}}) {
        auto sub = std::make_unique<TvlSubReportView>();
        sub->SetBounds(x, 40, 300, 20);
        sub->PageIndex = page;
        t.page->Add(std::move(sub));
    }
    t.Band(btMasterData, 70, 20, "Zbozi");
    t.Memo(20, 70, 150, 18, {"[Nazev]"});
    t.Band(btPageFooter, 100, 20);
    t.Memo(20, 100, 150, 18, {"Konec strany [PAGE#]"});
    t.Band(btMasterData, 0, 20, "Sklady", 48, left);
    t.Memo(0, 0, 150, 18, {"[Sklad]"}, left);
    t.Band(btMasterData, 0, 20, "Dodavatele", 48, right);
    t.Memo(0, 0, 150, 18, {"[Dodavatel]"}, right);
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    // Each page's header, its first and last rows of each sub-report, and the band's own rows.
    QStringList shown;
    for (const QString &line : t.Dump())
        if (line.contains(QRegularExpression("page|Strana|Konec|Přehled| (S|D)(1|50|51|60|70)$|Mléko|Sýr")))
            shown << line;
    EXPECT_EQ(lines(shown), lines({"page 1", "20,18 150x18 Přehled", "2,28 150x18 S1", "2,1008 150x18 S50",
                                   "20,1033 150x18 Konec strany 1", "332,28 150x18 D1", "332,1008 150x18 D50", "page 2",
                                   "20,18 150x18 Strana 2", "2,38 150x18 S51", "2,218 150x18 S60", "332,38 150x18 D51",
                                   "332,218 150x18 D60", "332,418 150x18 D70", "20,438 150x18 Mléko",
                                   "20,458 150x18 Sýr", "20,1033 150x18 Konec strany 2"}));
}

// A memo text edited in place while the report builds (the same string
// object, the same length, another text) is expanded anew every record.
TEST(ReportBuild, MemoTextEditedInPlaceDuringTheBuildExpandsAnew)
{
    TestReport t;
    t.Rows("Zbozi", goodsColumns, goods());
    t.Band(btMasterData, 20, 20, "Zbozi");
    t.Memo(20, 20, 300, 18, {"x[Nazev]"});
    t.report->OnBeginBand = [&](TvlBand *band) {
        if (band->Typ != btMasterData || band->Objects.empty())
            return;
        QString &line = band->Objects.front()->Memo[0];
        const QString other = line.startsWith(u'x') ? QStringLiteral("[Nazev]x") : QStringLiteral("x[Nazev]");
        for (int i = 0; i < line.size(); ++i)
            line[i] = other[i];
    };
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    EXPECT_EQ(lines(t.Texts()), lines({"page 1", "Mlékox", "xSýr", "Chlébx", "xMýdlo", "Šamponx"}));
}
