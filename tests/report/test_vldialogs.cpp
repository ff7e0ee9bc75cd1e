#include "common/screenshot.h"
#include "platform/printers.h"
#include "report/printer.h"
#include "report/vlfmtform.h"
#include "report/vlformats.h"
#include "report/vlinterpreter.h"
#include "report/vlprintform.h"
#include "report/vlprogressform.h"
#include "report/vltoolbuttons.h"
#include "report/vlvarform.h"
#include "report/vlview.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

TEST(DisplayFormats, KindsAndFormatsAsTheDialogListsThem)
{
    EXPECT_EQ(vlFormatKindNames(), (QStringList{"Text", "Číslo", "Datum", "Čas", "Boolen"}));
    EXPECT_EQ(vlFormatNames(0), QStringList{"[Žádný]"});
    EXPECT_EQ(vlFormatNames(2), (QStringList{"11.15.98", "11.15.1998", "15 list 1998", "15 září 1998", "Dle přání"}));
    EXPECT_TRUE(vlFormatNames(5).isEmpty());
    EXPECT_EQ(vlFormatPicture(1, 3), "1 234,50");
    EXPECT_EQ(vlFormatPicture(2, 3), "d mmmm yyyy");
    EXPECT_EQ(vlFormatPicture(3, 1), "h:nn:ss");
    EXPECT_EQ(vlFormatPicture(4, 1), "Ne;Ano");
    EXPECT_TRUE(vlFormatPicture(1, 4).isEmpty());
    EXPECT_EQ(vlMakeFormat(1, 3, 2, u','), (1 << 24) + (3 << 16) + (2 << 8) + 44);
    // Setting one field leaves the others.
    EXPECT_EQ(vlSetFormatIndex(vlMakeFormat(4, 1, 7, u'.'), 2), vlMakeFormat(4, 2, 7, u'.'));
}

TEST(FormatDialog, EditsTheFormatWordFieldByField)
{
    TvlFmtForm form;
    form.SetFormat(vlMakeFormat(0, 0, 2, u','), "vlastní");
    form.show();
    // A kind: its first format, the own format cleared.
    form.ComboBox1->setCurrentIndex(1);
    form.ComboBox1Click();
    EXPECT_EQ(form.Format(), vlMakeFormat(1, 0, 2, u','));
    EXPECT_TRUE(form.FormatText().isEmpty());
    EXPECT_EQ(form.ComboBox2->count(), 5);
    EXPECT_FALSE(form.Panel1->isHidden());
    EXPECT_TRUE(form.Panel2->isHidden());
    form.ComboBox2->setCurrentIndex(3);
    form.ComboBox2Click();
    form.Edit3->setText("2");
    form.SplEdit->setText(",");
    EXPECT_EQ(form.Format(), (1 << 24) + (3 << 16) + (2 << 8) + 44);
    // An empty separator stores a comma.
    form.SplEdit->setText(".");
    EXPECT_EQ(vlFormatSeparator(form.Format()), u'.');
    form.SplEdit->clear();
    EXPECT_EQ(vlFormatSeparator(form.Format()), u',');
    // The own format shows its field and hides the numbers.
    form.ComboBox2->setCurrentIndex(4);
    form.ComboBox2Click();
    EXPECT_TRUE(form.Panel1->isHidden());
    EXPECT_FALSE(form.Panel2->isHidden());
    // Dates have no decimals to set.
    form.ComboBox1->setCurrentIndex(2);
    form.ComboBox1Click();
    EXPECT_TRUE(form.Panel1->isHidden());
    EXPECT_TRUE(form.Panel2->isHidden());
    EXPECT_EQ(vlFormatKind(form.Format()), 2);
    EXPECT_EQ(vlFormatIndex(form.Format()), 0);
}

TEST(VariableChooser, CategoriesSpecialNamesAndMemory)
{
    TvlVariables shared;
    shared.SetVariable("Celkem", Variant(1));
    TvlVariableSource source;
    source.Categories = {"Doklad", "Firma"};
    source.Variables = [](const QString &category) {
        return category == "Firma" ? QStringList{"Nazev", "ICO"} : QStringList{"Cislo"};
    };
    source.Shared = &shared;
    {
        TvlVarForm form(source);
        EXPECT_EQ(form.ValCombo->count(), 4);
        EXPECT_EQ(form.ValCombo->itemText(2), "Jiné");
        EXPECT_EQ(form.ValCombo->itemText(3), "VL proměnné");
        form.ValCombo->setCurrentIndex(3);
        form.ValComboClick();
        ASSERT_EQ(form.ValList->count(), 1);
        EXPECT_EQ(form.SelectedName(), "Celkem");
        form.ValCombo->setCurrentIndex(2);
        form.ValComboClick();
        EXPECT_EQ(form.ValList->count(), 8);
        form.ValList->setCurrentRow(6);
        EXPECT_EQ(form.ValList->currentItem()->text(), "CURRENTLINE#");
        EXPECT_EQ(form.SelectedName(), "CURRENT#");
        form.ValList->setCurrentRow(0);
        EXPECT_EQ(form.SelectedName(), "PAGE#");
        form.accept();
    }
    TvlVarForm again(source);
    EXPECT_EQ(again.ValCombo->currentText(), "Jiné");
    again.ValCombo->setCurrentIndex(1);
    again.ValComboClick();
    EXPECT_EQ(again.ValList->count(), 2);
    EXPECT_EQ(again.SelectedName(), "Nazev");
    again.reject();
}

namespace {

FixedPrinterBackend::Printer printer(const QString &name, bool isDefault)
{
    FixedPrinterBackend::Printer p;
    p.description.name = name;
    p.description.isDefault = isDefault;
    p.papers = {QPageSize(QPageSize::A4), QPageSize(QPageSize::A5)};
    return p;
}

struct TwoPrinters
{
    TwoPrinters()
        : scope(std::make_unique<FixedPrinterBackend>(QList{printer("kancelar", true), printer("sklad", false)}))
    {
        vlFreePrinter();
    }
    ~TwoPrinters() { vlFreePrinter(); }
    ScopedPrinterBackend scope;
};

} // namespace

TEST(PrintDialog, CopiesAndPages)
{
    TvlPrintForm form;
    EXPECT_EQ(form.Copies(), 1);
    form.vlSpeedButton2Click();
    EXPECT_EQ(form.E1->text(), "1");
    form.vlSpeedButton1Click();
    form.vlSpeedButton1Click();
    EXPECT_EQ(form.Copies(), 3);
    form.vlSpeedButton2Click();
    EXPECT_EQ(form.Copies(), 2);
    EXPECT_EQ(form.PageList(4), "");
    form.RB2->setChecked(true);
    EXPECT_EQ(form.PageList(4), "4");
    form.RB3->setChecked(true);
    form.E2->setText("1,3,5-12");
    EXPECT_EQ(form.PageList(4), "1,3,5-12");
}

TEST(PrintDialog, PrinterChosenAtOnceAndRestoredUnlessOk)
{
    TwoPrinters installed;
    ASSERT_EQ(vlPrinter().Printers(), (QStringList{"kancelar", "sklad", "Výchozí tiskárna"}));
    const QPageLayout before = vlPrinter().Printer()->pageLayout();
    const auto pageSetup = TvlPrintForm::PageSetup;
    TvlPrintForm::PageSetup = [](QWidget *) {
        vlPrinter().Printer()->setPageOrientation(QPageLayout::Landscape);
        return true;
    };
    {
        TvlPrintForm form;
        EXPECT_EQ(form.CB1->currentIndex(), 0);
        form.CB1->setCurrentIndex(1);
        form.CB1Click();
        EXPECT_EQ(vlPrinter().PrinterName(), "sklad");
        EXPECT_TRUE(form.PrinterChanged());
        form.PropButtonClick();
        EXPECT_EQ(form.CB1->currentIndex(), 1);
        form.reject();
    }
    EXPECT_EQ(vlPrinter().PrinterName(), "kancelar");
    EXPECT_EQ(vlPrinter().Printer()->pageLayout().orientation(), before.orientation());
    {
        TvlPrintForm form;
        form.CB1->setCurrentIndex(1);
        form.CB1Click();
        form.accept();
    }
    EXPECT_EQ(vlPrinter().PrinterName(), "sklad");
    TvlPrintForm::PageSetup = pageSetup;
}

TEST(ProgressWindow, CancellingOnlyRaisesTheFlagWhileTheWorkRuns)
{
    TvlProgressForm form;
    int cancels = 0;
    int checks = 0;
    bool visibleWhileWorking = false;
    const bool ran = form.Run(
        [&] {
            visibleWhileWorking = form.isVisible();
            form.Button1->click();
            form.Button1->click();
            form.close();
            form.reject();
            EXPECT_TRUE(form.isVisible());
            for (; checks < 100 && !form.Cancelled(); ++checks)
                form.SetProgress("Připravuji sestavu", QStringLiteral("Zpracovávám stranu: %1").arg(checks));
        },
        [&] { ++cancels; });
    EXPECT_FALSE(ran);
    EXPECT_TRUE(visibleWhileWorking);
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(checks, 0);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.Run([] {}, [] {}));
    EXPECT_THROW(form.Run([] { throw std::runtime_error("chyba"); }, {}), std::runtime_error);
}

TEST(ProgressWindow, IsWideEnoughForItsCaption)
{
    TvlProgressForm form;
    const QString caption = QStringLiteral("Připravuji sestavu - Přehled prodaných položek za celý měsíc");
    form.SetProgress(caption, QStringLiteral("Zpracovávám stranu:  1"));
    form.show();
    QApplication::processEvents();
    screenShot("progress-window");
    QFont bold = form.font();
    bold.setBold(true);
    EXPECT_GT(form.width(), QFontMetrics(bold).horizontalAdvance(caption) + 100) << form.width();
}
