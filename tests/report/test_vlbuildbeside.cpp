// What prints beside a band's own objects: cross columns, sub-reports and
// the overlay. Each row of cross columns is as tall as its own text, the
// rows after a sub-report follow below it, an overlay grows within the page,
// and a sub-report's bands print whole on the page where they fit.
#include "printedlines.h"

#include "report/vlband.h"

#include <gtest/gtest.h>

namespace {

QList<QVariantList> column(const QStringList &values)
{
    QList<QVariantList> rows;
    for (const QString &value : values)
        rows << QVariantList{value};
    return rows;
}

// Rows of cross columns: a row header that grows, three month columns whose
// second one has two lines.
void crossRows(TestReport &t, const QStringList &rows)
{
    t.Rows("Radky", {"Radek"}, column(rows));
    t.Rows("Mesice", {"Mesic"}, column({"M1", "M2\nM2.1", "M3"}));
    t.Band(btMasterData, 40, 20, "Radky", 48 | bfStretched);
    t.Band(btCrossHeader, 0, 1000, {}, 0)->SetBounds(20, 0, 80, 1000);
    t.Band(btCrossData, 0, 1000, "Mesice", 0)->SetBounds(100, 0, 90, 1000);
    t.Memo(20, 40, 80, 18, {"[Radek]"})->Flags |= mfStretched;
    t.Memo(100, 40, 90, 18, {"[Mesic]"})->Flags |= mfStretched;
}

} // namespace

TEST(ReportBuildBeside, EachCrossRowIsAsTallAsItsOwnText)
{
    {
        TestReport t;
        crossRows(t, {"R1\nR1.1", "R2", "R3\nR3.1\nR3.2\nR3.3", "R4"});
        ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
        const QList<PrintedLine> printed = printedLines(*t.report);
        EXPECT_EQ(checkPrintedLines(printed, *t.page).toStdString(), "");
        EXPECT_EQ(lines(linesStartingWith(printed, "R")),
                  lines({"R1", "R1.1", "R2", "R3", "R3.1", "R3.2", "R3.3", "R4"}));
        EXPECT_EQ(linesStartingWith(printed, "M2.1").size(), 4);
    }
    // A row taller than any page, which cross columns do not split, ends the build.
    TestReport t;
    crossRows(t, {"R1", numbered("R2", 121).join(u'\n'), "R3"});
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->ErrorText().contains("Pás Master data „Band1“ se nevytiskne celý"))
        << t.report->ErrorText().toStdString();
}

TEST(ReportBuildBeside, RowsAfterASubReportInALaterColumnFollowBelowIt)
{
    for (const int subRows : {80, 150}) {
        SCOPED_TRACE(subRows);
        TestReport t;
        t.page->Columns = 2;
        t.page->ColumnGap = 10;
        QStringList markers, subMarkers;
        for (int r = 0; r < 150; ++r)
            markers << QStringLiteral("Z%1").arg(r, 3, 10, QLatin1Char('0'));
        for (int r = 0; r < subRows; ++r)
            subMarkers << QStringLiteral("Y%1").arg(r, 3, 10, QLatin1Char('0'));
        MemoryRows *master = t.Rows("Zbozi", {"Nazev"}, column(markers));
        MemoryRows *sub = t.Rows("Sklady", {"Sklad"}, {});
        // Only one row, a few rows into the second column, has rows of its own.
        const int rowsPerColumn = (t.page->BottomEdge() - t.page->TopOffset()) / 20;
        t.report->OnBeginBand = [&](TvlBand *band) {
            if (band->DataSet == master)
                sub->SetRows(master->RecordNo() == rowsPerColumn + 4 ? column(subMarkers) : QList<QVariantList>{});
        };
        TvlPage *second = t.report->Pages.Add();
        t.Band(btMasterData, 20, 20, "Zbozi");
        t.Memo(20, 20, 150, 18, {"[Nazev]"});
        t.SubReport(20, 40, 200, 20, 1);
        t.Band(btMasterData, 20, 20, "Sklady", 48, second);
        t.Memo(20, 20, 150, 18, {"[Sklad]"}, second);
        ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
        const QList<PrintedLine> printed = printedLines(*t.report);
        EXPECT_EQ(checkPrintedLines(printed, *t.page).toStdString(), "");
        EXPECT_EQ(lines(linesStartingWith(printed, "Z")), lines(markers));
        EXPECT_EQ(lines(linesStartingWith(printed, "Y")), lines(subMarkers));
    }
}

TEST(ReportBuildBeside, AnOverlayGrowsWithinThePageOrEndsTheBuild)
{
    for (const int overlayLines : {6, 120}) {
        SCOPED_TRACE(overlayLines);
        TestReport t;
        t.Rows("Zbozi", {"Nazev"}, column({"Z000", "Z001"}));
        const int top = t.page->TopOffset() + 100;
        t.Band(btOverlay, top, 20, {}, 48 | bfStretched);
        t.Memo(400, top, 150, 18, numbered("O", overlayLines))->Flags |= mfStretched;
        t.Band(btMasterData, top + 40, 20, "Zbozi");
        t.Memo(20, top + 40, 150, 18, {"[Nazev]"});
        const bool built = t.report->PrepareReport();
        if (overlayLines > 100) {
            EXPECT_FALSE(built);
            EXPECT_TRUE(t.report->ErrorText().contains("Pás Overlay „Band1“ se nevytiskne celý"))
                << t.report->ErrorText().toStdString();
            continue;
        }
        ASSERT_TRUE(built) << t.report->ErrorText().toStdString();
        const QList<PrintedLine> printed = printedLines(*t.report);
        EXPECT_EQ(checkPrintedLines(printed, *t.page).toStdString(), "");
        EXPECT_EQ(lines(linesStartingWith(printed, "O.")), lines(numbered("O", overlayLines)));
    }
}

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

TEST(ReportBuildBeside, CrossColumnsPastTheRightEdgeGoOnTheNextPageOrEndTheBuild)
{
    const auto layout = [](TestReport &t, int months) {
        QStringList names;
        for (int i = 1; i <= months; ++i)
            names << QStringLiteral("M%1").arg(i);
        t.Rows("Radky", {"Radek"}, column({"R1", "R2"}));
        t.Rows("Mesice", {"Mesic"}, column(names));
        t.Band(btMasterData, 140, 20, "Radky");
        t.Band(btCrossHeader, 0, 1000, {}, 0)->SetBounds(20, 0, 80, 1000);
        t.Band(btCrossData, 0, 1000, "Mesice", 0)->SetBounds(100, 0, 90, 1000);
        t.Band(btCrossFooter, 0, 1000, {}, 0)->SetBounds(190, 0, 60, 1000);
        t.Memo(20, 140, 80, 18, {"[Radek]"});
        t.Memo(100, 140, 90, 18, {"[Radek][Mesic]"});
        t.Memo(190, 140, 60, 18, {"S[Radek]"});
    };
    // The footer after the last column that fits, and a page header that the
    // first page lacks: the page taking the columns shows the rows' cells alone.
    TestReport t;
    layout(t, 7);
    t.Band(btReportTitle, 20, 20);
    t.Memo(20, 20, 400, 18, {"Přehled"});
    t.Band(btPageHeader, 50, 80, {}, 32);
    t.Memo(20, 50, 400, 78, {"Záhlaví"});
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    const QList<PrintedLine> printed = printedLines(*t.report);
    EXPECT_EQ(checkPrintedLines(printed, *t.page).toStdString(), "");
    EXPECT_EQ(lines(linesStartingWith(printed, "S")), lines({"SR1", "SR2"}));
    EXPECT_EQ(pageOf(printed, "SR1"), 1);
    EXPECT_EQ(pageOf(printed, "Záhlaví"), -1);

    // Columns of a band that every page prints would never end.
    TestReport header;
    layout(header, 12);
    header.Band(btPageHeader, 10, 20, {}, 48 | bfPrintOnFirstPage);
    header.Memo(100, 10, 90, 18, {"[Mesic]"});
    EXPECT_FALSE(header.report->PrepareReport());
    EXPECT_TRUE(header.report->ErrorText().contains("Křížové sloupce pásu Page header „Band5“ sahají za pravý okraj"))
        << header.report->ErrorText().toStdString();
}
