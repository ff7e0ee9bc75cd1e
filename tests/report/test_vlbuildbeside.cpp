// What prints beside a band's own objects, beyond what the generated layouts
// try: a sub-report's bands print whole on the page where they fit, and a
// band that every page prints may not send cross columns to the next page.
#include "printedlines.h"

#include <gtest/gtest.h>

TEST(ReportBuildBeside, ASubReportsRowsGoWholeToTheNextPageThoughTheyMaySplit)
{
    TestReport t;
    QList<QVariantList> rows;
    for (int r = 0; r < 12; ++r)
        rows << QVariantList{numbered(QStringLiteral("Y%1").arg(r, 3, 10, QLatin1Char('0')), 10).join(u'\n')};
    t.Rows("Sklady", {"Popis"}, rows);
    TvlPage *second = t.report->Pages.Add();
    t.Band(btReportTitle, 20, 20);
    t.SubReport(20, 20, 200, 20, 1);
    t.Band(btMasterData, 20, 20, "Sklady", 48 | bfStretched | bfAllowSplit, second);
    t.Memo(20, 20, 150, 18, {"[Popis]"}, second)->Flags |= mfStretched;
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    const QList<PrintedLine> printed = printedLines(*t.report);
    EXPECT_EQ(checkPrintedLines(printed, *t.page).toStdString(), "");
    ASSERT_GT(t.report->EMFPages.Count(), 1);
    for (int r = 0; r < 12; ++r) {
        const QString row = QStringLiteral("Y%1").arg(r, 3, 10, QLatin1Char('0'));
        EXPECT_EQ(pageOf(printed, row + ".1"), pageOf(printed, row + ".10")) << row.toStdString();
    }
}

TEST(ReportBuildBeside, CrossColumnsOfAPageHeaderPastTheRightEdgeEndTheBuild)
{
    // The page taking the columns past the edge would print the header again, and so on.
    TestReport t;
    QStringList months;
    for (int i = 1; i <= 12; ++i)
        months << QStringLiteral("M%1").arg(i);
    t.Rows("Radky", {"Radek"}, oneColumnRows({"R1", "R2"}));
    t.Rows("Mesice", {"Mesic"}, oneColumnRows(months));
    t.Band(btPageHeader, 10, 20, {}, 48 | bfPrintOnFirstPage);
    t.Memo(100, 10, 90, 18, {"[Mesic]"});
    t.Band(btMasterData, 40, 20, "Radky");
    t.Band(btCrossHeader, 0, 1000, {}, 0)->SetBounds(20, 0, 80, 1000);
    t.Band(btCrossData, 0, 1000, "Mesice", 0)->SetBounds(100, 0, 90, 1000);
    t.Memo(20, 40, 80, 18, {"[Radek]"});
    t.Memo(100, 40, 90, 18, {"[Radek][Mesic]"});
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->ErrorText().contains("Křížové sloupce pásu Page header „Band1“ sahají za pravý okraj"))
        << t.report->ErrorText().toStdString();
}
