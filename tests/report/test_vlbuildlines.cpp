// Every line a build prints lands inside its object's box, on the printable
// area and over no other row: rows split across columns, bands taller than a
// page that may not split, sub-report bands and footers that stretch. What
// cannot print whole ends the build with a message naming the band.
#include "printedlines.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <set>

namespace {

// Rows "R0" to "R<count - 1>", each with a text of lines "R<n>.1" and so on.
QList<QVariantList> rowsWithText(int count, int textLines)
{
    QList<QVariantList> rows;
    for (int r = 0; r < count; ++r) {
        const QString marker = QStringLiteral("R%1").arg(r);
        rows << QVariantList{marker, numbered(marker, textLines).join(u'\n')};
    }
    return rows;
}

// The lines of a row: its marker and its text.
QString rowOf(const PrintedLine &line)
{
    return line.text.section(u'.', 0, 0);
}

// A stretching memo of the row's text below its marker, in a band at top.
void rowBand(TestReport &t, int top, quint16 flags, TvlPage *on = nullptr, const QString &source = "Zbozi")
{
    t.Band(btMasterData, top, 40, source, flags, on);
    t.Memo(20, top, 150, 18, {"[Nazev]"}, on);
    t.Memo(20, top + 20, 150, 18, {"[Text]"}, on)->Flags |= mfStretched;
}

// The x at which the first line of text lands, or -1.
int leftOf(const QList<PrintedLine> &lines, const QString &text)
{
    for (const PrintedLine &l : lines)
        if (l.text == text)
            return l.line.left();
    return -1;
}

// Rows "R0" to "R<count - 1>" of one line each, and a stretching band of the
// type below them with a stretching memo of the text.
TvlMemoView *rowsAndFooter(TestReport &t, int count, int type, const QStringList &text)
{
    QList<QVariantList> rows;
    for (int r = 0; r < count; ++r)
        rows << QVariantList{QStringLiteral("R%1").arg(r)};
    t.Rows("Zbozi", {"Nazev"}, rows);
    t.Band(btMasterData, 20, 20, "Zbozi");
    t.Memo(20, 20, 150, 18, {"[Nazev]"});
    t.Band(type, 60, 20, {}, 48 | bfStretched);
    TvlMemoView *memo = t.Memo(20, 60, 150, 18, text);
    memo->Flags |= mfStretched;
    return memo;
}

} // namespace

TEST(ReportBuildLines, ARowSplitInColumnsGoesOnInTheNextColumnAndOnTheNextPage)
{
    TestReport t;
    t.page->Columns = 2;
    t.page->ColumnGap = 10;
    t.Rows("Zbozi", {"Nazev", "Text"}, rowsWithText(8, 30));
    rowBand(t, 20, 48 | bfStretched | bfAllowSplit);
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    const QList<PrintedLine> printed = printedLines(*t.report);
    EXPECT_EQ(checkPrintedLines(printed, *t.page, rowOf).toStdString(), "");
    QStringList expected;
    for (int r = 0; r < 8; ++r)
        expected << QStringLiteral("R%1").arg(r) << numbered(QStringLiteral("R%1").arg(r), 30);
    EXPECT_EQ(lines(linesStartingWith(printed, "R")), lines(expected));

    // Row 3 starts at the bottom of column 1 and goes on at the top of column 2.
    const int column1 = leftOf(printed, "R0"), column2 = column1 + t.page->ColumnWidth + t.page->ColumnGap;
    EXPECT_EQ(leftOf(printed, "R2.1"), column1);
    EXPECT_EQ(leftOf(printed, "R2.30"), column2);
    EXPECT_EQ(pageOf(printed, "R2.30"), 0);
    // A row that starts at the bottom of column 2 goes on in column 1 of the next page.
    int split = -1;
    for (int r = 3; r < 8 && split < 0; ++r)
        if (leftOf(printed, QStringLiteral("R%1.1").arg(r)) == column2 &&
            pageOf(printed, QStringLiteral("R%1.30").arg(r)) == 1)
            split = r;
    ASSERT_GE(split, 0) << "no row goes from column 2 to the next page";
    EXPECT_EQ(leftOf(printed, QStringLiteral("R%1.30").arg(split)), column1);
}

namespace {

// A layout with rows and one band whose 120 lines are more than a page holds.
struct TallCase
{
    const char *name;
    std::function<void(TestReport &)> layout;
    QStringList expected; // the tall lines, in order
};

} // namespace

TEST(ReportBuildLines, BandsTallerThanAPageThatMayNotSplitPrintEveryLine)
{
    const QStringList tall = numbered("T", 120);
    const auto tallMemo = [&](TestReport &t, int top, TvlPage *on = nullptr) {
        t.Memo(20, top, 150, 18, tall, on)->Flags |= mfStretched;
    };
    const auto threeRows = [](TestReport &t) {
        t.Rows("Zbozi", {"Nazev", "Text", "Skupina"}, {{"R0", "R0.1", "A"}, {"R1", "R1.1", "B"}, {"R2", "R2.1", "C"}});
    };
    // Rows below a title that shows the second page as a sub-report.
    const auto subReportInTitle = [&](TestReport &t) {
        threeRows(t);
        rowBand(t, 100, 48);
        t.Band(btReportTitle, 20, 30);
        t.SubReport(20, 20, 200, 30, 1);
        return t.report->Pages.Add();
    };
    const QStringList threeRowLines = {"R0", "R0.1", "R1", "R1.1", "R2", "R2.1"};
    QStringList perGroup = threeRowLines;
    for (int g = 0; g < 3; ++g)
        perGroup << tall;
    const TallCase cases[] = {
        {"master data",
         [](TestReport &t) {
             QList<QVariantList> rows = rowsWithText(3, 120);
             t.Rows("Zbozi", {"Nazev", "Text"}, rows);
             rowBand(t, 20, 48 | bfStretched);
         },
         QStringList{"R0"} + numbered("R0", 120) + QStringList{"R1"} + numbered("R1", 120) + QStringList{"R2"} +
             numbered("R2", 120)},
        {"group header",
         [&](TestReport &t) {
             threeRows(t);
             t.Band(btGroupHeader, 20, 20, "[Skupina]", 48 | bfStretched);
             tallMemo(t, 20);
             rowBand(t, 50, 48);
         },
         perGroup},
        {"report summary",
         [&](TestReport &t) {
             threeRows(t);
             rowBand(t, 20, 48);
             t.Band(btReportSummary, 70, 20, {}, 48 | bfStretched);
             tallMemo(t, 70);
         },
         threeRowLines + tall},
        {"group footer",
         [&](TestReport &t) {
             threeRows(t);
             t.Band(btGroupHeader, 20, 20, "[Skupina]", 48);
             t.Memo(20, 20, 150, 18, {"[Skupina]"});
             rowBand(t, 50, 48);
             t.Band(btGroupFooter, 100, 20, {}, 48 | bfStretched);
             tallMemo(t, 100);
         },
         perGroup},
        {"sub-report band that splits",
         [&](TestReport &t) {
             TvlPage *second = subReportInTitle(t);
             t.Band(btReportTitle, 20, 20, {}, 48 | bfStretched | bfAllowSplit, second);
             tallMemo(t, 20, second);
         },
         threeRowLines + tall},
        {"sub-report band that does not split",
         [&](TestReport &t) {
             TvlPage *second = subReportInTitle(t);
             t.Band(btMasterData, 20, 20, "Zbozi", 48 | bfStretched, second);
             tallMemo(t, 20, second);
         },
         perGroup},
    };
    for (const TallCase &c : cases) {
        SCOPED_TRACE(c.name);
        TestReport t;
        c.layout(t);
        ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
        const QList<PrintedLine> printed = printedLines(*t.report);
        EXPECT_EQ(checkPrintedLines(printed, *t.page).toStdString(), "");
        // The rows and the tall lines, each once and in their order.
        for (const QString prefix : {"R", "T."})
            EXPECT_EQ(lines(linesStartingWith(printed, prefix)),
                      lines(c.expected.filter(QRegularExpression(u'^' + QRegularExpression::escape(prefix)))));
    }
}

TEST(ReportBuildLines, StretchedPageAndColumnFootersKeepTheRoomTheyGrowTo)
{
    for (int type : {btPageFooter, btColumnFooter}) {
        SCOPED_TRACE(vlBandName(type).toStdString());
        TestReport t;
        t.page->Columns = 2;
        TvlMemoView *footer = rowsAndFooter(t, 200, type, numbered("F", 6));
        ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
        const QList<PrintedLine> printed = printedLines(*t.report);
        EXPECT_EQ(checkPrintedLines(printed, *t.page).toStdString(), "");
        // Six lines on every page, or in every column that holds rows.
        std::set<std::pair<int, int>> columns;
        std::set<int> pages;
        for (const PrintedLine &l : printed)
            if (l.text.startsWith(u'R')) {
                columns.insert({l.page, l.line.left()});
                pages.insert(l.page);
            }
        ASSERT_GE(pages.size(), 2u);
        EXPECT_EQ(linesStartingWith(printed, "F.").size(),
                  6 * (type == btColumnFooter ? columns.size() : pages.size()));
        EXPECT_EQ(linesStartingWith(printed, "R").size(), 200);

        // One that grows taller than a page ends the build naming it.
        footer->Memo = numbered("F", 120);
        EXPECT_FALSE(t.report->PrepareReport());
        EXPECT_TRUE(t.report->ErrorText().contains("Band: " + vlBandName(type))) << t.report->ErrorText().toStdString();
    }
}

TEST(ReportBuildLines, APageFooterGrowingPastTheRoomKeptAsThePageStartedEndsTheBuild)
{
    TestReport t;
    rowsAndFooter(t, 100, btPageFooter, {"[Pata]"});
    // One line as the page starts, six as its footer prints.
    int asked = 0;
    t.report->OnGetValue = [read = t.report->OnGetValue, &asked](const QString &name, Variant &value) {
        if (name == "Pata")
            value = Variant(++asked == 1 ? QStringLiteral("F.1") : numbered("F", 6).join(u'\n'));
        else
            read(name, value);
    };
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->ErrorText().contains("Pás Page footer „Band2“ se nevytiskne celý: potřebuje"))
        << t.report->ErrorText().toStdString();
    // Six lines from the start: the page keeps their room.
    asked = 1;
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    const QList<PrintedLine> printed = printedLines(*t.report);
    EXPECT_EQ(checkPrintedLines(printed, *t.page).toStdString(), "");
    EXPECT_EQ(linesStartingWith(printed, "F.").size(), 6 * t.report->EMFPages.Count());
}
