// Cross columns beside the engine's other features: in a page of several
// columns, on further pages whose page header is taller, in a sub-report
// whose rows go over a page, and before a design page that goes on on the
// same page. Every cell prints once, inside its page column and the
// printable area, over no other text.
#include "crossrows.h"

#include "report/vlband.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// The cells printed, sorted; and those of the rows and columns, each once.
QStringList cellsPrinted(const QList<PrintedLine> &printed)
{
    static const QRegularExpression cell(QStringLiteral("^R\\d+C\\d+$"));
    QStringList out;
    for (const PrintedLine &line : printed)
        if (cell.match(line.text).hasMatch())
            out << line.text;
    out.sort();
    return out;
}
QStringList eachCellOnce(int rows, int columns)
{
    QStringList out;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= columns; ++c)
            out << QStringLiteral("R%1C%2").arg(r).arg(c);
    out.sort();
    return out;
}

// A page header of one line on the first page and five after it.
void growingHeader(TestReport &t)
{
    t.report->OnGetValue = [&t, read = t.report->OnGetValue](const QString &name, Variant &value) {
        if (name != "Hlavicka")
            return read(name, value);
        value = Variant(t.report->EMFPages.Count() == 1 ? QStringLiteral("H") : QStringLiteral("H\nH\nH\nH\nH"));
    };
}

void expectCleanPages(TestReport &t, int rows, int columns)
{
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    const QList<PrintedLine> printed = printedLines(*t.report);
    EXPECT_EQ(checkPrintedLines(printed, *t.page).toStdString(), "");
    EXPECT_EQ(lines(cellsPrinted(printed)), lines(eachCellOnce(rows, columns)));
}

} // namespace

TEST(ReportBuildCross, CellsWrapAtTheirPageColumnsEdge)
{
    for (int columns : {2, 3}) {
        SCOPED_TRACE(columns);
        TestReport t;
        t.page->Columns = columns;
        crossRows(t, 80, 8, 40, 60);
        expectCleanPages(t, 80, 8);
        // No text reaches into the next page column.
        const int left = t.page->LeftOffset(), step = t.page->ColumnWidth + t.page->ColumnGap;
        QStringList across;
        for (const PrintedLine &line : printedLines(*t.report))
            if (line.box.right() >= left + (line.box.left() - left) / step * step + t.page->ColumnWidth)
                across << line.text;
        EXPECT_EQ(across.join(u' ').toStdString(), "");
    }
    // A cell no page column holds: the build ends naming the band.
    TestReport t;
    t.page->Columns = 4;
    crossRows(t, 2, 3, 40, 200);
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->ErrorText().contains("Křížový sloupec pásu Master data „Band1“ je široký 200 bodů"))
        << t.report->ErrorText().toStdString();
}

TEST(ReportBuildCross, FurtherColumnsStartBelowTheirPagesOwnHeader)
{
    // A header growing on the second page, and one whose page number wraps once it has two digits.
    for (const auto &[header, width, rows] :
         {std::tuple("[Hlavicka]", 200, 80), std::tuple("Strana [PAGE#]", 56, 300)}) {
        SCOPED_TRACE(header);
        TestReport t;
        growingHeader(t);
        t.Band(btPageHeader, 0, 20, {}, 48 | bfStretched | bfPrintOnFirstPage);
        t.Memo(200, 0, width, 18, {header})->Flags |= mfStretched;
        crossRows(t, rows, 12, 40, 90);
        expectCleanPages(t, rows, 12);
    }
}

TEST(ReportBuildCross, ASubReportsRowsAndTheirFurtherColumnsKeepPagesOfTheirOwn)
{
    // In the title, and below the third of six rows of the report.
    for (bool inRows : {false, true}) {
        SCOPED_TRACE(inRows);
        TestReport t;
        TvlPage *sub = t.report->Pages.Add();
        if (inRows) {
            MemoryRows *outer = t.Rows("Hlavni", {"Cislo"}, oneColumnRows(numberedValues(QStringLiteral("H"), 6)));
            t.Band(btMasterData, 20, 40, "Hlavni");
            t.Memo(20, 20, 100, 18, {"[Cislo]"});
            crossRows(t, 80, 14, 20, 80, sub);
            MemoryRows *rows = t.sets[1];
            t.report->OnBeginBand = [outer, rows, all = rows->Rows](TvlBand *band) {
                if (band->DataSet == outer)
                    rows->SetRows(outer->RecordNo() == 2 ? all : QList<QVariantList>{});
            };
        } else {
            t.Band(btReportTitle, 20, 40);
            crossRows(t, 80, 14, 20, 80, sub);
        }
        t.SubReport(20, 40, 600, 20, 1);
        expectCleanPages(t, 80, 14);
    }
}

TEST(ReportBuildCross, ADesignPageGoingOnOnThePreviousPageGoesOnBelowTheRowsNotOnTheirFurtherColumns)
{
    TestReport t;
    growingHeader(t);
    t.Band(btPageHeader, 0, 20, {}, 48 | bfStretched | bfPrintOnFirstPage);
    t.Memo(200, 0, 200, 18, {"[Hlavicka]"})->Flags |= mfStretched;
    crossRows(t, 3, 12, 40, 90);
    TvlPage *next = t.report->Pages.Add();
    next->PrintOnPreviousPage = 1;
    t.Rows("Dalsi", {"Dalsi"}, {{"D1"}});
    t.Band(btMasterData, 20, 20, "Dalsi", 48, next);
    t.Memo(20, 20, 100, 18, {"[Dalsi]"}, next);
    expectCleanPages(t, 3, 12);
    const QList<PrintedLine> printed = printedLines(*t.report);
    EXPECT_EQ(pageOf(printed, "D1"), pageOf(printed, "R3"));
}
