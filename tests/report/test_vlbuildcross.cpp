// Cross columns beside the engine's other features: in a page of several
// columns, on further pages whose page header is taller, in a sub-report
// whose rows go over a page, and before a design page that goes on on the
// same page. Every cell prints once, inside its page column and the
// printable area, over no other text.
#include "printedlines.h"

#include "report/vlband.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QStringList numberedValues(const QString &prefix, int count)
{
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << prefix + QString::number(i);
    return out;
}

// Rows "R1".. of a row header and cells "R1C1".. of columns of the given width.
void crossRows(TestReport &t, int rows, int columns, int y, int cellWidth, TvlPage *on = nullptr)
{
    t.Rows("Radky", {"Radek"}, oneColumnRows(numberedValues(QStringLiteral("R"), rows)));
    t.Rows("Mesice", {"Mesic"}, oneColumnRows(numberedValues(QStringLiteral("C"), columns)));
    t.Band(btMasterData, y, 20, "Radky", 48, on);
    t.Band(btCrossHeader, 0, 1000, {}, 0, on)->SetBounds(20, 0, 60, 1000);
    t.Band(btCrossData, 0, 1000, "Mesice", 0, on)->SetBounds(80, 0, cellWidth, 1000);
    t.Memo(20, y, 60, 18, {"[Radek]"}, on);
    t.Memo(80, y, cellWidth, 18, {"[Radek][Mesic]"}, on);
}

// Each cell of the rows and columns printed once; else what is amiss.
QString eachCellOnce(const QList<PrintedLine> &printed, int rows, int columns)
{
    static const QRegularExpression cell(QStringLiteral("^R\\d+C\\d+$"));
    QMap<QString, int> seen;
    for (const PrintedLine &line : printed)
        if (cell.match(line.text).hasMatch())
            ++seen[line.text];
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= columns; ++c)
            if (const QString text = QStringLiteral("R%1C%2").arg(r).arg(c); seen.value(text) != 1)
                return QStringLiteral("%1 printed %2 times").arg(text).arg(seen.value(text));
    return seen.size() == rows * columns ? QString() : QStringLiteral("%1 cells printed").arg(seen.size());
}

} // namespace

TEST(ReportBuildCross, CellsWrapAtTheirPageColumnsEdge)
{
    for (int columns : {2, 3}) {
        TestReport t;
        t.page->Columns = columns;
        t.Rows("Radky", {"Radek", "Popis"}, {});
        QList<QVariantList> rows;
        for (int r = 1; r <= 60; ++r)
            rows << QVariantList{QStringLiteral("R%1").arg(r),
                                 numbered(QStringLiteral("P%1").arg(r), r % 4 + 1).join(u'\n')};
        t.sets.last()->SetRows(rows);
        t.Rows("Mesice", {"Mesic"}, oneColumnRows(numberedValues(QStringLiteral("C"), 6)));
        t.Band(btMasterData, 40, 20, "Radky", 48 | bfStretched);
        t.Band(btCrossHeader, 0, 1000, {}, 0)->SetBounds(20, 0, 60, 1000);
        t.Band(btCrossData, 0, 1000, "Mesice", 0)->SetBounds(80, 0, 60, 1000);
        t.Memo(20, 40, 60, 18, {"[Popis]"})->Flags |= mfStretched;
        t.Memo(80, 40, 60, 18, {"[Radek][Mesic]"});
        ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
        const QList<PrintedLine> printed = printedLines(*t.report);
        EXPECT_EQ(checkPrintedLines(printed, *t.page).toStdString(), "") << columns << " columns";
        EXPECT_EQ(eachCellOnce(printed, 60, 6).toStdString(), "");
        // Inside the page column it starts in: no text reaches into the next one.
        const int left = t.page->LeftOffset(), width = t.page->ColumnWidth + t.page->ColumnGap;
        QStringList across;
        for (const PrintedLine &line : printed)
            if (line.box.right() >= left + (line.box.left() - left) / width * width + t.page->ColumnWidth)
                across << line.text;
        EXPECT_EQ(across.join(u' ').toStdString(), "") << columns << " columns";
    }
}

TEST(ReportBuildCross, FurtherColumnsStartBelowTheirPagesOwnHeader)
{
    // A header of one line on the first page and five after it, and one
    // whose page number wraps once it has two digits.
    struct Case
    {
        QString header;
        int width, rows;
    };
    for (const Case &c : {Case{"[Hlavicka]", 200, 80}, Case{"Strana [PAGE#]", 56, 300}}) {
        TestReport t;
        const auto read = t.report->OnGetValue;
        t.report->OnGetValue = [&t, read](const QString &name, Variant &value) {
            if (name == "Hlavicka")
                value =
                    Variant(t.report->EMFPages.Count() == 1 ? QStringLiteral("H") : QStringLiteral("H\nH\nH\nH\nH"));
            else
                read(name, value);
        };
        t.Band(btPageHeader, 0, 20, {}, 48 | bfStretched | bfPrintOnFirstPage);
        t.Memo(200, 0, c.width, 18, {c.header})->Flags |= mfStretched;
        crossRows(t, c.rows, 12, 40, 90);
        ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
        const QList<PrintedLine> printed = printedLines(*t.report);
        EXPECT_EQ(checkPrintedLines(printed, *t.page).toStdString(), "") << c.header.toStdString();
        EXPECT_EQ(eachCellOnce(printed, c.rows, 12).toStdString(), "");
    }
}

TEST(ReportBuildCross, ASubReportsRowsAndTheirFurtherColumnsKeepPagesOfTheirOwn)
{
    // In the title, and below the third of six rows of the report.
    for (bool inRows : {false, true}) {
        TestReport t;
        TvlPage *sub = t.report->Pages.Add();
        MemoryRows *outer = nullptr;
        if (inRows) {
            outer = t.Rows("Hlavni", {"Cislo"}, oneColumnRows(numberedValues(QStringLiteral("H"), 6)));
            t.Band(btMasterData, 20, 40, "Hlavni");
            t.Memo(20, 20, 100, 18, {"[Cislo]"});
            t.SubReport(20, 40, 600, 20, 1);
        } else {
            t.Band(btReportTitle, 20, 20);
            t.SubReport(20, 20, 600, 20, 1);
        }
        crossRows(t, 80, 14, 20, 80, sub);
        if (outer) {
            MemoryRows *rows = t.sets[1];
            const QList<QVariantList> all = rows->Rows;
            rows->SetRows({});
            t.report->OnBeginBand = [outer, rows, all](TvlBand *band) {
                if (band->DataSet == outer)
                    rows->SetRows(outer->RecordNo() == 2 ? all : QList<QVariantList>{});
            };
        }
        ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
        const QList<PrintedLine> printed = printedLines(*t.report);
        EXPECT_EQ(checkPrintedLines(printed, *t.page).toStdString(), "") << (inRows ? "in rows" : "in the title");
        EXPECT_EQ(eachCellOnce(printed, 80, 14).toStdString(), "");
        if (inRows) {
            EXPECT_EQ(lines(linesStartingWith(printed, "H")), lines(numberedValues("H", 6)));
        }
    }
}

TEST(ReportBuildCross, ADesignPageGoingOnOnThePreviousPageGoesOnBelowTheRowsNotOnTheirFurtherColumns)
{
    TestReport t;
    const auto read = t.report->OnGetValue;
    t.report->OnGetValue = [&t, read](const QString &name, Variant &value) {
        if (name == "Hlavicka")
            value = Variant(t.report->EMFPages.Count() == 1 ? QStringLiteral("H") : QStringLiteral("H\nH\nH\nH\nH"));
        else
            read(name, value);
    };
    t.Band(btPageHeader, 0, 20, {}, 48 | bfStretched | bfPrintOnFirstPage);
    t.Memo(200, 0, 200, 18, {"[Hlavicka]"})->Flags |= mfStretched;
    crossRows(t, 3, 12, 40, 90);
    TvlPage *next = t.report->Pages.Add();
    next->PrintOnPreviousPage = 1;
    t.Rows("Dalsi", {"Dalsi"}, oneColumnRows(numberedValues(QStringLiteral("D"), 3)));
    t.Band(btMasterData, 20, 20, "Dalsi", 48, next);
    t.Memo(20, 20, 100, 18, {"[Dalsi]"}, next);
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    const QList<PrintedLine> printed = printedLines(*t.report);
    EXPECT_EQ(checkPrintedLines(printed, *t.page).toStdString(), "");
    EXPECT_EQ(eachCellOnce(printed, 3, 12).toStdString(), "");
    EXPECT_EQ(pageOf(printed, "D1"), pageOf(printed, "R3"));
}
