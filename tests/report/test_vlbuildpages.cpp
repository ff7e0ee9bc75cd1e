// Page 1 prints as every other page does, every text showing its page, page
// column or the page count shows those of the page it prints on, and a
// sub-report's cross columns keep to its own box. Each layout is checked
// line by line: every line inside its box and page, over no other, showing
// the page and column it prints on.
#include "crossrows.h"

#include "report/vlbuilder.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

void expectCleanPages(TestReport &t)
{
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    EXPECT_EQ(checkPrintedLines(printedLines(*t.report), *t.page).toStdString(), "");
}

// The texts printed on the page (from 0).
QStringList textsOn(TestReport &t, int page)
{
    QStringList out;
    for (const PrintedLine &line : printedLines(*t.report))
        if (line.page == page)
            out << line.text;
    return out;
}

// A page footer at y showing its page, five lines taller on the pages (from 0) tallOn picks.
void growingFooter(TestReport &t, int y, std::function<bool(int)> tallOn)
{
    t.Band(btPageFooter, y, 20, {}, 48 | bfStretched | bfPrintOnFirstPage);
    t.Memo(20, y, 300, 18, {"[Paticka] str.[PAGE#]"})->Flags |= mfStretched;
    t.report->OnGetValue = [tallOn, read = t.report->OnGetValue](const QString &name, Variant &value) {
        if (name != "Paticka")
            return read(name, value);
        value = Variant(tallOn(TvlReportBuilder::Active()->PageIndex()) ? QStringLiteral("a\nb\nc\nd\ne") : QString());
    };
}

} // namespace

TEST(ReportBuildPages, EveryColumnOfPageOneStartsBelowTheTitleAndTheHeaders)
{
    // A price list in two columns without a column header: the title across
    // the page, the page number at the right.
    {
        TestReport t;
        t.page->Columns = 2;
        t.Rows("Radky", {"Radek"}, oneColumnRows(numberedValues(QStringLiteral("R"), 150)));
        t.Band(btReportTitle, 0, 30);
        t.Memo(20, 0, 700, 18, {"Ceník zboží přes celou šířku stránky"});
        t.Band(btPageHeader, 40, 20, {}, 48 | bfPrintOnFirstPage);
        t.Memo(500, 40, 200, 18, {"Strana str.[PAGE#]"});
        t.Band(btMasterData, 80, 20, "Radky");
        t.Memo(20, 80, 100, 18, {"[Radek] sl.[COLUMN#]"});
        expectCleanPages(t);
    }
    // A title whose cross columns go on on the next page: the page header
    // and the column header print on page 1 all the same.
    {
        TestReport t;
        t.Band(btReportTitle, 0, 20);
        t.Memo(80, 0, 90, 18, {"[Mesic]"});
        t.Band(btPageHeader, 30, 20, {}, 48 | bfPrintOnFirstPage);
        t.Memo(20, 30, 100, 18, {"Hlavička"});
        t.Band(btColumnHeader, 60, 20);
        t.Memo(20, 60, 100, 18, {"Sloupce"});
        crossRows(t, 20, 12, 100, 90);
        expectCleanPages(t);
        const QStringList first = textsOn(t, 0);
        EXPECT_TRUE(first.contains("Hlavička") && first.contains("Sloupce")) << lines(first);
    }
    // A title across the page and taller than it goes on on the next page, not in the next column.
    {
        TestReport t;
        t.page->Columns = 2;
        t.Rows("Radky", {"Radek"}, oneColumnRows(numberedValues(QStringLiteral("R"), 20)));
        t.Band(btReportTitle, 0, 30, {}, 48 | bfStretched);
        t.Memo(20, 0, 700, 18, numbered("Úvod", 90))->Flags |= mfStretched;
        t.Band(btMasterData, 40, 20, "Radky");
        t.Memo(20, 40, 100, 18, {"[Radek] sl.[COLUMN#]"});
        expectCleanPages(t);
    }
}

TEST(ReportBuildPages, APageFooterGrowingOnAPageOfFurtherColumnsHasItsRoom)
{
    TestReport t;
    crossRows(t, 300, 12, 40, 90);
    t.Band(btPageFooter, 200, 20, {}, 48 | bfStretched | bfPrintOnFirstPage);
    TvlMemoView *footer = t.Memo(500, 200, 40, 18, {"Strana str.[PAGE#]"});
    footer->Flags |= mfStretched;
    // "Strana str.9" on one line, "Strana str.10" on two.
    while (footer->Layout({"Strana str.9"}).size() > 1)
        ++footer->Width;
    ASSERT_EQ(footer->Layout({"Strana str.10"}).size(), 2);
    expectCleanPages(t);
    EXPECT_GE(t.report->EMFPages.Count(), 10);

    // Six lines on the page of further columns, one on the page it goes on
    // from, whose first row to go on lies low on its page.
    TestReport low;
    low.Band(btReportTitle, 0, 950);
    low.Memo(20, 0, 300, 18, {"Nadpis"});
    crossRows(low, 3, 12, 960, 90);
    growingFooter(low, 990, [](int page) { return page % 2; });
    expectCleanPages(low);

    // Taller on the second page of further columns, which goes on from a
    // page whose first column ended with its column footer.
    TestReport columns;
    columns.page->Columns = 2;
    columns.Rows("Prvni", {"Prvni"}, oneColumnRows(numberedValues(QStringLiteral("P"), 70)));
    columns.Band(btMasterData, 40, 20, "Prvni");
    columns.Memo(20, 40, 300, 18, {"[Prvni]"});
    crossRows(columns, 3, 12, 80, 90);
    columns.Band(btColumnFooter, 120, 20);
    columns.Memo(20, 120, 300, 18, {"Patička sloupce"});
    growingFooter(columns, 150, [](int page) { return page == 2; });
    expectCleanPages(columns);
}

TEST(ReportBuildPages, TextsShowThePageAndColumnTheyPrintOn)
{
    // Stretched rows, in one page column and in two, some moving to the next
    // column or page: with cross columns going on on further pages, and
    // without; a text OnEnterRect makes of the page in the row's memo.
    for (const int columns : {1, 2})
        for (const bool cross : {false, true}) {
            SCOPED_TRACE(QStringLiteral("%1 columns, cross %2").arg(columns).arg(cross).toStdString());
            TestReport t;
            t.report->TwoPass = 1;
            t.page->Columns = columns;
            TvlMemoView *row = nullptr;
            if (cross) {
                crossRows(t, 150, 12, 40, 60, nullptr, 48 | bfStretched,
                          "[Radek][Mesic] str.[PAGE#] sl.[COLUMN#] zs.[TOTALPAGES]")
                    ->Flags |= mfStretched;
                row = static_cast<TvlMemoView *>(t.page->FindObject("Memo1"));
            } else {
                t.Rows("Radky", {"Radek"}, oneColumnRows(numberedValues(QStringLiteral("R"), 150)));
                t.Band(btMasterData, 40, 20, "Radky", 48 | bfStretched);
                row = t.Memo(20, 40, 150, 18, {"[Radek]"});
            }
            row->Flags |= mfStretched;
            row->Name = "Vstup";
            t.report->OnEnterRect = [](QStringList &memo, TvlView *view) {
                if (view->Name == "Vstup")
                    memo =
                        TvlReportBuilder::Active()->ExpandMemo(memo + QStringList{"str.[PAGE#] sl.[COLUMN#]"}, 0, {});
            };
            expectCleanPages(t);
        }
    // A band printing in pieces: its text near the bottom prints on the next page.
    TestReport t;
    t.Band(btReportTitle, 0, 1300, {}, 48 | bfAllowSplit);
    t.Memo(20, 0, 200, 18, {"Začátek str.[PAGE#]"});
    t.Memo(20, 1250, 200, 18, {"Konec str.[PAGE#]"});
    expectCleanPages(t);
}

TEST(ReportBuildPages, ASubReportsCrossColumnsKeepToItsBox)
{
    // Two sub-reports side by side in the title, and a memo beside them.
    TestReport t;
    t.Band(btReportTitle, 0, 40);
    t.SubReport(20, 10, 240, 20, 1);
    t.SubReport(270, 10, 240, 20, 2);
    t.Memo(520, 10, 200, 18, {"Poznámka vedle podsestav"});
    crossRows(t, 30, 8, 20, 60, t.report->Pages.Add());
    crossRows(t, 30, 8, 20, 60, t.report->Pages.Add(), 48, "[Radek][Mesic]b");
    expectCleanPages(t);
    const QStringList printed = t.Texts();
    EXPECT_TRUE(printed.contains("R30C8") && printed.contains("R30C8b")) << lines(printed);

    // One whose first row goes on the next page: the column footer ends the
    // page below the memo beside it.
    TestReport beside;
    beside.Band(btReportTitle, 0, 960);
    beside.Memo(20, 0, 300, 18, {"Nadpis"});
    beside.Memo(300, 930, 200, 18, {"Poznámka vedle podsestavy"});
    beside.SubReport(20, 930, 240, 20, 1);
    beside.Band(btColumnFooter, 970, 20);
    beside.Memo(20, 970, 300, 18, {"Patička sloupce"});
    TvlPage *sub = beside.report->Pages.Add();
    beside.Rows("Radky", {"Radek"}, oneColumnRows(numberedValues(QStringLiteral("R"), 3)));
    beside.Band(btMasterData, 0, 100, "Radky", 48, sub);
    beside.Memo(20, 0, 100, 18, {"[Radek]"}, sub);
    expectCleanPages(beside);
}
