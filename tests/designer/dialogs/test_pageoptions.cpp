#include "designer/dialogs/scripteddialogs.h"
#include "platform/printers.h"
#include "report/designer/dialogs/desoptionsform.h"
#include "report/designer/dialogs/dialoganswers.h"
#include "report/designer/dialogs/docoptform.h"
#include "report/designer/dialogs/pgoptform.h"
#include "report/papers.h"
#include "report/vlpage.h"
#include "report/vlreport.h"
#include "report/vltoolbuttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

// The engine's printer is the virtual one alone while a test runs.
struct VirtualPrinterOnly
{
    VirtualPrinterOnly() { vlFreePrinter(); }
    ~VirtualPrinterOnly() { vlFreePrinter(); }
    ScopedPrinterBackend scope{std::make_unique<FixedPrinterBackend>(QList<FixedPrinterBackend::Printer>{})};
};

std::unique_ptr<TvlPage> odd(int paper, int width, int height)
{
    auto page = std::make_unique<TvlPage>(paper, width, height, poPortrait);
    page->Margins = {25, 10, 3, 71}; // 6.94, 2.78, 0.83 and 19.72 mm
    page->ColumnGap = 7;
    page->Columns = 2;
    return page;
}

} // namespace

TEST(PageOptions, ConfirmingUnchangedKeepsEveryExactValue)
{
    VirtualPrinterOnly printer;
    auto page = odd(vlPapers::CustomPaper, 1234, 2001);
    ScriptedDialogs dialogs;
    TvlPageSetup shown;
    dialogs.page = [&](TvlPageSetup &o) {
        shown = o;
        return true;
    };
    for (int round = 0; round < 3; ++round)
        ASSERT_TRUE(vlEditPageOptions(*page));
    EXPECT_EQ(shown.MarginsMm, (std::array<int, 4>{7, 3, 1, 20})); // nearest whole millimetres
    EXPECT_EQ(shown.WidthMm, 123);
    EXPECT_TRUE(shown.CustomSize());
    EXPECT_EQ(page->Margins, (TvlMargins{25, 10, 3, 71}));
    EXPECT_EQ(page->ColumnGap, 7);
    EXPECT_EQ(page->PaperSize, vlPapers::CustomPaper);
    EXPECT_EQ(page->PaperWidth, 1234);
    EXPECT_EQ(page->PaperHeight, 2001);
    EXPECT_EQ(page->UseMargins, 0xFFFF);

    // Typed values are converted; flags are 16-bit booleans.
    dialogs.page = [](TvlPageSetup &o) {
        o.MarginsMm[TvlPageSetup::Left] = 10;
        o.ColumnGapMm = 5;
        o.WidthMm = 100;
        o.NoMargins = true;
        o.PrintOnPreviousPage = true;
        o.Columns = 3;
        return true;
    };
    ASSERT_TRUE(vlEditPageOptions(*page));
    EXPECT_EQ(page->Margins, (TvlMargins{36, 10, 3, 71}));
    EXPECT_EQ(page->ColumnGap, 18);
    EXPECT_EQ(page->PaperWidth, 1000);
    EXPECT_EQ(page->PaperHeight, 2001);
    EXPECT_EQ(page->UseMargins, 0);
    EXPECT_EQ(page->PrintOnPreviousPage, 0xFFFF);
    EXPECT_EQ(page->Columns, 3);

    // A standard paper and landscape; cancel changes nothing.
    dialogs.page = [](TvlPageSetup &o) {
        o.PaperIndex = int(o.PaperCodes.indexOf(vlPapers::A4));
        o.Orientation = poLandscape;
        return true;
    };
    ASSERT_TRUE(vlEditPageOptions(*page));
    EXPECT_EQ(page->PaperSize, vlPapers::A4);
    EXPECT_EQ(page->Orientation, poLandscape);
    EXPECT_EQ(page->PaperWidth, 2970);
    dialogs.page = [](TvlPageSetup &o) {
        o.MarginsMm = {1, 1, 1, 1};
        return false;
    };
    EXPECT_FALSE(vlEditPageOptions(*page));
    EXPECT_EQ(page->Margins.Left, 36);
}

TEST(PageOptions, DialogControlsFollowPaperMarginsAndColumns)
{
    VirtualPrinterOnly printer;
    auto page = odd(vlPapers::A4, 2100, 2970);
    TvlPgoptForm form;
    const TvlPageSetup options = TvlPageSetup::FromPage(*page, vlPrinter());
    form.SetOptions(options);
    form.show();
    EXPECT_EQ(form.ComB1->currentIndex(), options.PaperCodes.indexOf(vlPapers::A4));
    EXPECT_FALSE(form.E1->isEnabled());
    EXPECT_FALSE(form.Label2->isEnabled());
    form.ComB1->setCurrentIndex(int(options.PaperCodes.indexOf(vlPapers::CustomPaper)));
    EXPECT_TRUE(form.E1->isEnabled());
    EXPECT_TRUE(form.Label1->isEnabled());

    form.CB5->click();
    for (QWidget *w : QList<QWidget *>{form.E3, form.E4, form.E5, form.E6, form.Label3, form.Label6})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    form.CB5->click();
    EXPECT_TRUE(form.E3->isEnabled());
    EXPECT_TRUE(form.Label3->isEnabled());

    form.Edit1->setText("0");
    form.SB2Click();
    EXPECT_EQ(form.Edit1->text(), "0");
    form.SB1Click();
    form.SB1Click();
    EXPECT_EQ(form.Edit1->text(), "2");

    form.RB2->click();
    EXPECT_TRUE(form.imgPortrait->isHidden());
    EXPECT_FALSE(form.imgLandScape->isHidden());
    EXPECT_EQ(form.Options().Orientation, poLandscape);
    EXPECT_EQ(form.Options().MarginsMm, options.MarginsMm);
}

TEST(ReportOptions, AskPrinterIsTheInverseOfKeepingIt)
{
    VirtualPrinterOnly printer;
    TvlReport report;
    report.KeepCurrentPrinter = 0xFFFF;
    TvlReportSetup o = TvlReportSetup::FromReport(report, vlPrinter());
    EXPECT_FALSE(o.AskPrinter);
    EXPECT_FALSE(o.TwoPass);
    EXPECT_EQ(o.Printers, QStringList{TvlPrinter::VirtualPrinterName});
    TvlDocOptForm form;
    form.SetOptions(o);
    form.CB1->setChecked(true);
    form.CB2->setChecked(true);
    EXPECT_TRUE(form.Options().ApplyTo(report));
    EXPECT_EQ(report.KeepCurrentPrinter, 0);
    EXPECT_EQ(report.TwoPass, 0xFFFF);
}

TEST(DesignerOptions, FormShowsAndReturnsEveryOption)
{
    TvlDesOptionsForm form;
    const TvlDesignerSetup a{false, true, 18, false, 2, true, false, true};
    form.SetOptions(a);
    EXPECT_TRUE(form.RB3->isChecked());
    EXPECT_TRUE(form.RB4->isChecked());
    EXPECT_TRUE(form.RB8->isChecked());
    EXPECT_FALSE(form.CB3->isChecked()); // coloured buttons = not gray
    EXPECT_EQ(form.Options(), a);
    const TvlDesignerSetup b{true, false, 8, true, 1, false, true, false};
    form.SetOptions(b);
    EXPECT_EQ(form.Options(), b);
}
