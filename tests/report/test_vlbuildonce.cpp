// An object's script and OnEnterRect take effect once each time the object
// prints: measuring a row (its cross cells included) and moving it to a new
// page count for nothing, and a moved row's texts read the page it lands on.
#include "reportbuild.h"

#include "report/vlbuilder.h"

#include <gtest/gtest.h>

namespace {

// The script variables at 0, and the entries of OnEnterRect per object name.
std::shared_ptr<QMap<QString, int>> counting(TestReport &t, const QStringList &variables)
{
    vlScriptVariables().Clear();
    for (const QString &name : variables)
        vlScriptVariables().SetVariable(name, 0);
    auto counts = std::make_shared<QMap<QString, int>>();
    t.report->OnEnterRect = [counts](QStringList &, TvlView *view) { ++(*counts)[view->Name]; };
    return counts;
}

// Rows "Radky" (3) across months "Mesice" (4): a cell counting itself, and a
// row total counting itself.
void crossLayout(TestReport &t, bool stretched)
{
    t.Rows("Radky", {"Radek", "Koef"}, {{"A", 1}, {"B", 10}, {"C", 100}});
    t.Rows("Mesice", {"Mesic"}, {{1}, {2}, {3}, {4}});
    t.Band(btMasterData, 40, 20, "Radky", quint16(48 | (stretched ? bfStretched : 0)));
    t.Band(btReportSummary, 80, 20);
    t.Band(btCrossHeader, 0, 1000, {}, 0)->SetBounds(20, 0, 80, 1000);
    t.Band(btCrossData, 0, 1000, "Mesice", 0)->SetBounds(100, 0, 90, 1000);
    t.Band(btCrossFooter, 0, 1000, {}, 0)->SetBounds(460, 0, 90, 1000);
    t.Memo(20, 40, 80, 18, {"[Radek]"});
    TvlMemoView *cell = t.Memo(100, 40, 90, 18, {"[Radek]C[Mesic]"});
    cell->Name = "Bunka";
    cell->Flags |= mfStretched;
    cell->Script = {"n := n + 1"};
    TvlMemoView *total = t.Memo(460, 40, 90, 18, {"= [SUM([Koef] * [Mesic])]"});
    total->Name = "Soucet";
    total->Script = {"s := s + 1"};
    t.Memo(20, 80, 200, 18, {"Bunek [n], soucty [s]"});
}

// Rows "R1" to "R120", three pages of them.
void rows120(TestReport &t)
{
    QList<QVariantList> rows;
    for (int i = 1; i <= 120; ++i)
        rows << QVariantList{QStringLiteral("R%1").arg(i)};
    t.Rows("Radky", {"Radek"}, rows);
}

} // namespace

TEST(ReportBuildOnce, EachObjectsScriptAndEventTakeEffectOncePerPrint)
{
    // Cross cells: a stretched row measures every cell and prints what it measured.
    for (const bool stretched : {false, true}) {
        SCOPED_TRACE(stretched ? "stretched" : "not stretched");
        TestReport t;
        crossLayout(t, stretched);
        const auto entries = counting(t, {"n", "s"});
        ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
        const QStringList texts = t.Texts();
        EXPECT_TRUE(texts.contains("Bunek 12, soucty 3")) << lines(texts);
        EXPECT_EQ(entries->value("Bunka"), 12);
        EXPECT_EQ(entries->value("Soucet"), 3);
        // Each cell and each row total as its column printed it.
        for (const char *text : {"AC1", "AC4", "BC2", "CC4", "= 10", "= 100", "= 1000"})
            EXPECT_TRUE(texts.contains(text)) << text << "\n" << lines(texts);
    }

    // 120 rows on 3 pages: the rows that move to a new page count once, and
    // a stretched one reads the page it moved to.
    for (const bool stretched : {false, true}) {
        SCOPED_TRACE(stretched ? "stretched" : "not stretched");
        TestReport t;
        rows120(t);
        t.Band(btMasterData, 40, 20, "Radky", quint16(48 | (stretched ? bfStretched : 0)));
        t.Band(btReportSummary, 80, 20);
        TvlMemoView *row = t.Memo(20, 40, 300, 18, {"[Radek] [n] s. [PAGE#]"});
        row->Name = "Radek";
        row->Script = {"n := n + 1"};
        t.Memo(20, 80, 200, 18, {"Radku [n]"});
        const auto entries = counting(t, {"n"});
        ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
        ASSERT_EQ(t.report->EMFPages.Count(), 3);
        const QStringList texts = t.Texts();
        EXPECT_TRUE(texts.contains("Radku 120")) << lines(texts);
        EXPECT_EQ(entries->value("Radek"), 120);
        // Each row its own count (before its script ran) and its page.
        int page = 0, n = 0;
        for (const QString &text : texts) {
            if (text.startsWith("page ")) {
                page = text.mid(5).toInt();
            } else if (!text.startsWith("Radku")) {
                EXPECT_EQ(text.toStdString(), QStringLiteral("R%1 %2 s. %3").arg(n + 1).arg(n).arg(page).toStdString());
                ++n;
            }
        }
        EXPECT_EQ(n, 120);
    }

    // A stretched page footer is measured as its page starts and counts once, as it prints.
    {
        TestReport t;
        rows120(t);
        t.Band(btMasterData, 40, 20, "Radky");
        t.Memo(20, 40, 300, 18, {"[Radek]"});
        t.Band(btPageFooter, 100, 20, {}, 48 | bfStretched);
        TvlMemoView *footer = t.Memo(20, 100, 300, 18, {"Strana [p]"});
        footer->Flags |= mfStretched;
        footer->Script = {"p := p + 1"};
        counting(t, {"p"});
        ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
        ASSERT_EQ(t.report->EMFPages.Count(), 3);
        const QStringList texts = t.Texts();
        for (const char *text : {"Strana 0", "Strana 1", "Strana 2"})
            EXPECT_EQ(texts.count(text), 1) << text << "\n" << lines(texts);
    }
}
