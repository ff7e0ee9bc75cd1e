#include "designer/dialogs/scripteddialogs.h"
#include "report/components.h"
#include "report/designer/dialogs/bandeditorform.h"
#include "report/designer/dialogs/bandtypesform.h"
#include "report/reportbuild.h"
#include "report/vlbandview.h"
#include "report/vlpage.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TvlBandView *addBand(TvlPage &page, int type, const QString &name, const QString &source = {})
{
    auto band = std::make_unique<TvlBandView>();
    band->SetBandType(type);
    band->Name = name;
    band->FormatText = source;
    return static_cast<TvlBandView *>(page.Add(std::move(band)));
}

} // namespace

TEST(BandSource, TextsShowAndStoreAsTheBandKeepsThem)
{
    using namespace vlBandSource;
    const QStringList list = entries({"Faktury", "Polozky"});
    EXPECT_EQ(list, (QStringList{"[Žádný]", "Virtuální datová sada", "Faktury", "Polozky"}));
    auto shows = [&](const QString &text, const QString &entry, const QString &count) {
        const Shown s = show(text, list);
        EXPECT_EQ(s.entry, entry) << text.toStdString();
        EXPECT_EQ(s.count, count) << text.toStdString();
    };
    shows("25", virtualEntry(), "25");
    shows("Polozky", "Polozky", "");
    shows("Chybí", noneEntry(), "");
    shows("", noneEntry(), "");
    // A count of 0 or with a leading zero stays a count.
    shows("0", virtualEntry(), "0");
    shows("025", virtualEntry(), "025");
    EXPECT_EQ(value(virtualEntry(), "025"), "25");
    EXPECT_EQ(value(virtualEntry(), "000"), "0");
    EXPECT_EQ(value(virtualEntry(), ""), noneEntry());
    EXPECT_EQ(value(noneEntry(), "12"), "[Žádný]"); // stored as the text itself
    EXPECT_EQ(value("Faktury", ""), "Faktury");
}

TEST(BandSource, DataBandDialogReopensWhatItStored)
{
    TvlBandEditorForm form({"Faktury"});
    form.SetSource("25");
    EXPECT_EQ(form.CB1->currentText(), "Virtuální datová sada");
    EXPECT_EQ(form.Edit1->text(), "25");
    EXPECT_TRUE(form.Edit1->isEnabled());
    form.CB1->setCurrentIndex(2);
    EXPECT_FALSE(form.Edit1->isEnabled());
    EXPECT_FALSE(form.Label2->isEnabled());
    EXPECT_EQ(form.Source(), "Faktury");
    form.SetSource("0");
    EXPECT_EQ(form.Source(), "0");

    // The band is changed only on OK, after one undo step.
    ScriptedDialogs dialogs;
    TvlBandView band;
    band.FormatText = "Faktury";
    int undo = 0;
    dialogs.source = [](QString &text, const QStringList &) {
        EXPECT_EQ(text, "Faktury");
        text = "12";
        return false;
    };
    EXPECT_FALSE(vlEditBandSource(band, [&] { ++undo; }));
    EXPECT_EQ(band.FormatText, "Faktury");
    EXPECT_EQ(undo, 0);
    dialogs.source = [](QString &text, const QStringList &) {
        text = "12";
        return true;
    };
    EXPECT_TRUE(vlEditBandSource(band, [&] { ++undo; }));
    EXPECT_EQ(band.FormatText, "12");
    EXPECT_EQ(undo, 1);
}

// "[Žádný]" chosen in the band's own dialog is no data source: the band
// prints the report's rows, as a band without a source does.
TEST(BandSource, NoneChosenInTheDialogBuildsAsNoSource)
{
    TestReport t;
    t.report->SetDataset(t.Rows("Zbozi", {"Nazev"}, {{"Mléko"}, {"Sýr"}}));
    TvlBandView *band = t.Band(btMasterData, 20, 20, "Zbozi");
    t.Memo(20, 20, 150, 18, {"[Nazev]"});
    vlSetCurrentReportOwner(&t.owner);
    QStringList offered;
    QTimer::singleShot(0, [&] {
        auto *form = qobject_cast<TvlBandEditorForm *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        for (int i = 0; i < form->CB1->count(); ++i)
            offered << form->CB1->itemText(i);
        form->CB1->setCurrentIndex(form->CB1->findText("[Žádný]"));
        form->Button1->click();
    });
    int undo = 0;
    EXPECT_TRUE(vlEditBandSource(*band, [&] { ++undo; }));
    vlSetCurrentReportOwner(nullptr);
    EXPECT_EQ(offered, (QStringList{"[Žádný]", "Virtuální datová sada", "Zbozi"}));
    EXPECT_EQ(band->FormatText, "[Žádný]");
    EXPECT_EQ(undo, 1);
    ASSERT_TRUE(t.report->PrepareReport()) << t.report->ErrorText().toStdString();
    EXPECT_EQ(lines(t.Texts()), lines({"page 1", "Mléko", "Sýr"}));
}

TEST(BandSource, CrossBandListsItsBandsAndWritesPairs)
{
    TvlPage page(9, 2100, 2970, poPortrait);
    addBand(page, btPageHeader, "Hlava");
    addBand(page, btMasterData, "Data1");
    addBand(page, btOverlay, "Pozadi");
    addBand(page, btDetailData, "Data2");
    TvlBandView *cross = addBand(page, btCrossData, "Sloupce", "Faktury");

    TvlCrossSources one = TvlCrossSources::Read(page, cross->FormatText);
    ASSERT_EQ(one.Bands.size(), 2);
    EXPECT_EQ(one.Bands[0].caption, vlBandName(btMasterData) + ": Data1");
    EXPECT_EQ(one.Bands[1].value, "Faktury");
    EXPECT_EQ(one.FormatText(), "Data1=Faktury;Data2=Faktury;");

    // A band the list does not mention gets no source, and is not written back.
    TvlCrossSources pairs = TvlCrossSources::Read(page, "data1=5;Jiny=Faktury;");
    EXPECT_EQ(pairs.Bands[0].value, "5");
    EXPECT_TRUE(pairs.Bands[1].value.isEmpty());
    EXPECT_EQ(pairs.FormatText(), "Data1=5;");

    // The dialog shows each band's source and keeps what the user chose.
    TvlVBandEditorForm form(pairs, {"Faktury"});
    EXPECT_EQ(form.LB1->count(), 2);
    EXPECT_EQ(form.CB1->currentText(), "Virtuální datová sada");
    EXPECT_EQ(form.Edit1->text(), "5");
    form.LB1->setCurrentRow(1);
    EXPECT_EQ(form.CB1->currentText(), "[Žádný]");
    form.CB1->setCurrentIndex(2);
    form.StoreValue();
    form.LB1->setCurrentRow(0);
    EXPECT_EQ(form.Edit1->text(), "5");
    EXPECT_EQ(form.Sources().FormatText(), "Data1=5;Data2=Faktury;");

    ScriptedDialogs dialogs;
    dialogs.cross = [](TvlCrossSources &s) {
        s.Bands[1].value = "Polozky";
        return true;
    };
    EXPECT_TRUE(vlEditCrossSources(*cross, page, {}));
    EXPECT_EQ(cross->FormatText, "Data1=Faktury;Data2=Polozky;");
}

TEST(BandSource, GroupConditionTakesThePickedField)
{
    ScriptedDialogs dialogs;
    TvlGroupEditorForm form;
    form.Edit1->setText("[x]");
    dialogs.pickedField.clear();
    form.vlSpeedButton1Click();
    EXPECT_EQ(form.Edit1->text(), "[x]");
    dialogs.pickedField = "Faktury.\"CISLO\"";
    form.vlSpeedButton1Click();
    EXPECT_EQ(form.Edit1->text(), "Faktury.\"CISLO\"");

    TvlBandView band;
    dialogs.group = [](QString &c) {
        c = "Faktury.\"DATUM\"";
        return true;
    };
    EXPECT_TRUE(vlEditGroupCondition(band, {}));
    EXPECT_EQ(band.FormatText, "Faktury.\"DATUM\"");
}

TEST(BandTypes, OnceOnlyTypesAreOfferedWhileThePageHasNone)
{
    TvlPage page(9, 2100, 2970, poPortrait);
    addBand(page, btReportTitle, "Titul");
    addBand(page, btMasterData, "Data");
    addBand(page, btGroupHeader, "Skupina");
    TvlBandTypesForm form(TvlBandTypesForm::TypesOnPage(page));
    ASSERT_EQ(form.Buttons.size(), btCount);
    EXPECT_FALSE(form.Buttons[btReportTitle]->isEnabled());
    EXPECT_TRUE(form.Buttons[btMasterData]->isEnabled());
    EXPECT_TRUE(form.Buttons[btGroupHeader]->isEnabled());
    EXPECT_TRUE(form.Buttons[btOverlay]->isEnabled());
    EXPECT_EQ(form.BandType(), btReportSummary); // the first one offered
    EXPECT_TRUE(form.Buttons[btReportSummary]->isChecked());
    form.Buttons[btCrossData]->click();
    EXPECT_EQ(form.BandType(), btCrossData);
    EXPECT_EQ(form.Buttons[12]->pos(), QPoint(form.Buttons[11]->x(), 40)); // second column, row 1
}
