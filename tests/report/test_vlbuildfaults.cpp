// Layouts that cannot be built as drawn end with a message that says which
// band is at fault, never with a crash or a result missing its rows.
#include "reportbuild.h"

#include "report/vlbuilder.h"
#include "report/vlprogressform.h"
#include "report/vlsubreportview.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QList<QVariantList> fiveRows()
{
    return {{"Mléko"}, {"Sýr"}, {"Chléb"}, {"Mýdlo"}, {"Šampon"}};
}

// A report of five rows, two columns, with one band of the given type
// whose script asks for a break.
void withBreakingBand(TestReport &t, int type, const QString &script)
{
    t.page->Columns = 2;
    t.Rows("Zbozi", {"Nazev"}, fiveRows());
    const int top = type == btPageFooter ? 900 : type == btOverlay ? 400 : 20;
    TvlBandView *band = t.Band(type, top, 20);
    band->Script = {script};
    t.Memo(20, top, 150, 18, {"Pás"});
    t.Band(btMasterData, 60, 20, "Zbozi");
    t.Memo(20, 60, 150, 18, {"[Nazev]"});
}

} // namespace

TEST(ReportBuildFaults, BreaksAskedForByBandsThatBreaksPrintAreIgnored)
{
    const struct
    {
        int type;
        const char *script;
    } cases[] = {
        {btPageHeader, "NEWPAGE"}, {btPageFooter, "NEWPAGE"}, {btOverlay, "NEWPAGE"}, {btColumnHeader, "NEWCOLUMN"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(vlBandName(c.type).toStdString());
        TestReport t;
        withBreakingBand(t, c.type, QString::fromLatin1(c.script));
        ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
        EXPECT_EQ(t.report->EMFPages.Count(), 1);
        const QStringList texts = t.Texts();
        for (const QVariantList &row : fiveRows())
            EXPECT_TRUE(texts.contains(row.first().toString())) << lines(texts);
    }
    // Where a break can make progress it is still honoured.
    TestReport t;
    withBreakingBand(t, btReportTitle, "NEWPAGE");
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    EXPECT_EQ(t.report->EMFPages.Count(), 2);
}

TEST(ReportBuildFaults, PageFooterOrHeaderLeavingNoRoomEndsTheBuildNamingTheBand)
{
    TestReport t;
    t.Rows("Zbozi", {"Nazev"}, fiveRows());
    t.Band(btMasterData, 20, 20, "Zbozi");
    t.Memo(20, 20, 150, 18, {"[Nazev]"});
    TvlBandView *footer = t.Band(btPageFooter, 60, 1200);
    t.Memo(20, 60, 150, 18, {"Patička"});
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->BuildFailed());
    EXPECT_TRUE(t.report->ErrorText().contains("Band: Page footer")) << t.report->ErrorText().toStdString();
    EXPECT_TRUE(t.report->ErrorText().contains("Patička stránky je vyšší")) << t.report->ErrorText().toStdString();
    // A header that with the footer fills the page leaves no room for a row either.
    footer->Height = 500;
    TvlBandView *header = t.Band(btPageHeader, 700, 600);
    header->Flags |= bfPrintOnFirstPage;
    t.Memo(20, 700, 150, 18, {"Záhlaví"});
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->ErrorText().contains("Band: Page header")) << t.report->ErrorText().toStdString();
    // What fits builds.
    header->Height = 20;
    footer->Height = 20;
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    EXPECT_TRUE(t.Texts().contains("Šampon"));
}

TEST(ReportBuildFaults, PagesShowingEachOtherAsSubReportsEndTheBuild)
{
    TestReport t;
    TvlPage *second = t.report->Pages.Add();
    t.Band(btReportTitle, 20, 40);
    auto sub = std::make_unique<TvlSubReportView>();
    sub->SetBounds(20, 20, 200, 30);
    sub->PageIndex = 1;
    sub->Name = "SubReport1";
    t.page->Add(std::move(sub));
    t.Band(btReportTitle, 20, 40, {}, 48, second);
    auto back = std::make_unique<TvlSubReportView>();
    back->SetBounds(20, 20, 200, 30);
    back->PageIndex = 0;
    back->Name = "SubReport2";
    second->Add(std::move(back));
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->BuildFailed());
    EXPECT_TRUE(t.report->ErrorText().contains("Strany 1 a 2 se zobrazují navzájem"))
        << t.report->ErrorText().toStdString();
    EXPECT_TRUE(t.report->ErrorText().contains("Band: Report title")) << t.report->ErrorText().toStdString();
    // A page showing itself.
    static_cast<TvlSubReportView *>(second->Object(1))->PageIndex = 1;
    static_cast<TvlSubReportView *>(t.page->Object(1))->PageIndex = -1;
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->ErrorText().contains("Strana 2 zobrazuje jako podsestavu sama sebe"))
        << t.report->ErrorText().toStdString();
}

namespace {

TvlProgressForm *progressWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *form = qobject_cast<TvlProgressForm *>(w); form && form->isVisible())
            return form;
    return nullptr;
}

} // namespace

TEST(ReportBuildFaults, BuildRunsInTheEnginesProgressWindowUpdatedPerPage)
{
    TestReport t;
    QList<QVariantList> rows;
    for (int i = 1; i <= 200; ++i)
        rows << QVariantList{QStringLiteral("Řádek %1").arg(i)};
    t.Rows("Zbozi", {"Nazev"}, rows);
    t.Band(btMasterData, 20, 20, "Zbozi");
    t.Memo(20, 20, 150, 18, {"[Nazev]"});
    t.report->Title = "Ceník";
    t.report->TwoPass = 1;
    t.report->ShowProgress = true;
    QStringList captions, labels;
    t.report->OnBeginBand = [&](TvlBand *) {
        TvlProgressForm *form = progressWindow();
        captions << (form ? form->windowTitle() : QString());
        if (form && (labels.isEmpty() || labels.last() != form->Label1->text()))
            labels << form->Label1->text();
    };
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    const int pages = t.report->EMFPages.Count();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(captions.size(), 400);
    EXPECT_EQ(captions.count("Připravuji sestavu - Ceník"), 400);
    // One text per page of each pass, never a blank one.
    QStringList expected;
    for (int page = 1; page <= pages; ++page)
        expected << QStringLiteral("Zjišťuji počet stran:  %1").arg(page);
    for (int page = 1; page <= pages; ++page)
        expected << QStringLiteral("Zpracovávám stranu:  %1 z %2").arg(page).arg(pages);
    EXPECT_EQ(lines(labels), lines(expected));
    EXPECT_EQ(progressWindow(), nullptr);

    // "Storno" ends the build at the next record.
    t.report->OnBeginBand = nullptr;
    t.report->OnBeginPage = [&](int index) {
        if (index == 1 && progressWindow())
            progressWindow()->Button1->click();
    };
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->Terminated);
    EXPECT_FALSE(t.report->BuildFailed());
    EXPECT_EQ(t.report->EMFPages.Count(), 2);
}

TEST(ReportBuildFaults, NamesLeadingToEverNewNamesEndTheBuild)
{
    TestReport t;
    t.Memo(20, 20, 150, 18, {"[" + QString(20000, u'[') + "M" + QString(20000, u']') + "]"});
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->ErrorText().contains("vede přes příliš mnoho dalších jmen"));
}

TEST(ReportBuildFaults, StornoStopsAScriptInTheMiddleOfALoop)
{
    TestReport t;
    t.Rows("Zbozi", {"Nazev"}, {{"Mléko"}});
    TvlBandView *band = t.Band(btMasterData, 20, 20, "Zbozi");
    band->Script = {"begin i := 0; while i < 300000 do i := i + 1 end"};
    t.Memo(20, 20, 150, 18, {"[Nazev]"});
    t.report->ShowProgress = true;
    // "Storno" is pressed as soon as the program answers, which it only does
    // inside the loop.
    t.report->OnBeginBand = [&](TvlBand *) {
        QTimer::singleShot(0, qApp, [] {
            if (TvlProgressForm *form = progressWindow())
                form->Button1->click();
        });
    };
    vlScriptVariables().Clear();
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->Terminated);
    EXPECT_FALSE(t.report->BuildFailed());
    const Variant steps = vlScriptVariables().GetVariable("i");
    EXPECT_LT(steps.toInt(), 300000);
    vlScriptVariables().Clear();
}

TEST(ReportBuildFaults, BandsOnMissingDataSetsOrOfNegativeHeightEndTheBuildNamingThem)
{
    const struct
    {
        int type;
        const char *source;
        const char *named; // band and data source in the text
    } cases[] = {
        {btMasterData, "Neni", "Band: Master data"},
        {btDetailData, "Neni", "Band: Detail data"},
        {btCrossData, "Neni", "Band: Cross data"},
        {btCrossData, "Band1=Neni;", "Band: Master data"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        TestReport t;
        t.Rows("Zbozi", {"Nazev"}, fiveRows());
        t.Band(btMasterData, 20, 20, c.type == btMasterData ? "Neni" : "Zbozi");
        t.Memo(20, 20, 150, 18, {"[Nazev]"});
        if (c.type == btDetailData)
            t.Band(btDetailData, 60, 20, c.source);
        if (c.type == btCrossData)
            t.Band(btCrossData, 0, 1000, c.source, 0)->SetBounds(300, 0, 90, 1000);
        EXPECT_FALSE(t.report->PrepareReport());
        EXPECT_TRUE(t.report->BuildFailed());
        EXPECT_TRUE(t.report->ErrorText().contains(c.named)) << t.report->ErrorText().toStdString();
        EXPECT_TRUE(t.report->ErrorText().contains("„Neni“, který neexistuje")) << t.report->ErrorText().toStdString();
    }
    // "[Žádný]", what the band dialogs write for none, is no data source:
    // the bands print as bands without one.
    for (const char *none : {"[Žádný]", " [Žádný] "}) {
        SCOPED_TRACE(none);
        TestReport t;
        t.report->SetDataset(t.Rows("Zbozi", {"Nazev"}, fiveRows()));
        t.Band(btMasterData, 20, 20, QString::fromUtf8(none));
        t.Memo(20, 20, 150, 18, {"[Nazev]"});
        t.Band(btCrossData, 0, 1000, QString::fromUtf8(none), 0)->SetBounds(300, 0, 90, 1000);
        ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
        t.page->Object(2)->FormatText = QStringLiteral("Band1=[Žádný];");
        ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
        QStringList expected{"page 1"};
        for (const QVariantList &row : fiveRows())
            expected << row.first().toString();
        EXPECT_EQ(lines(t.Texts()), lines(expected));
    }
    // A band of negative height, as designed or as its script makes it.
    TestReport t;
    QList<QVariantList> rows;
    for (int i = 0; i < 100; ++i)
        rows << QVariantList{QStringLiteral("Řádek %1").arg(i)};
    t.Rows("Zbozi", {"Nazev"}, rows);
    TvlBandView *band = t.Band(btMasterData, 20, -20, "Zbozi");
    t.Memo(20, 20, 150, 18, {"[Nazev]"});
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->ErrorText().contains("Pás Master data „Band1“ má zápornou výšku (-20 bodů)"))
        << t.report->ErrorText().toStdString();
    band->Height = 20;
    band->Script = {"Height := -5"};
    EXPECT_FALSE(t.report->PrepareReport());
    EXPECT_TRUE(t.report->ErrorText().contains("Band: Master data")) << t.report->ErrorText().toStdString();
    EXPECT_TRUE(t.report->ErrorText().contains("nemůže být záporná (-5)")) << t.report->ErrorText().toStdString();
}
