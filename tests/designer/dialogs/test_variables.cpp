#include "designer/dialogs/scripteddialogs.h"
#include "report/designer/dialogs/evform.h"
#include "report/designer/dialogs/templform.h"
#include "report/vlreport.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

TvlFieldSource twoDataSets()
{
    return {{"Faktury", "Polozky"}, [](const QString &dataSet) {
                return dataSet == "Faktury" ? QStringList{"CISLO", "DATUM"} : QStringList{"NAZEV"};
            }};
}

// A report with the categories "Doklad" (Cislo, Datum) and "Firma" (Nazev).
void fill(TvlReport &report)
{
    report.Variables = {"Doklad", " Cislo", " Datum", "Firma", " Nazev"};
    vlSetVariableLines(report, report.Variables);
    TvlValue *cislo = report.Values().FindVariable("Cislo");
    cislo->Kind = vkDataField;
    cislo->DataSet = "Tisk.Faktury"; // the owner form's data set under its full name
    cislo->Field = "CISLO";
    TvlValue *datum = report.Values().FindVariable("Datum");
    datum->Kind = vkSpecial;
    datum->OtherKind = 1;
    datum->Field = "[Cislo] + 1";
}

void choose(QListWidget *list, int row)
{
    list->setCurrentRow(row);
    emit list->itemClicked(list->item(row));
}

} // namespace

TEST(VariablesEditor, ShowsEachMappingAndStoresTheChosenOne)
{
    TvlReport report;
    fill(report);
    TvlEvForm form(report, twoDataSets(), "Tisk");
    EXPECT_EQ(form.VarList->count(), 2);
    EXPECT_EQ(form.ValCombo->count(), 4); // two data sets, "Jiné", "VL proměnné"
    form.VarList->setCurrentRow(0);
    EXPECT_EQ(form.ValCombo->currentText(), "Faktury");
    EXPECT_EQ(form.ValList->currentItem()->text(), "CISLO");
    EXPECT_FALSE(form.Edit1->isEnabled());

    form.VarList->setCurrentRow(1);
    EXPECT_EQ(form.ValCombo->currentText(), "Jiné");
    EXPECT_EQ(form.ValList->currentItem()->text(), "EXPRESSION");
    EXPECT_EQ(form.Edit1->text(), "[Cislo] + 1");
    EXPECT_TRUE(form.Edit1->isEnabled());
    // Another special value clears and greys the expression.
    choose(form.ValList, 3);
    EXPECT_TRUE(form.Edit1->text().isEmpty());
    EXPECT_FALSE(form.Edit1->isEnabled());
    const TvlValue *datum = report.Values().FindVariable("Datum");
    EXPECT_EQ(datum->Kind, vkSpecial);
    EXPECT_EQ(datum->OtherKind, 2); // DATE
    choose(form.ValList, 2);
    form.Edit1->setText("[Cislo] * 2");
    form.Store();
    EXPECT_EQ(datum->Field, "[Cislo] * 2");
    choose(form.ValList, 0);
    EXPECT_EQ(datum->Kind, vkNotAssigned);

    // Another category, a data field of the other data set.
    form.VarCombo->setCurrentIndex(1);
    form.VarComboClick();
    form.VarList->setCurrentRow(0);
    form.ValCombo->setCurrentIndex(1);
    form.ValComboClick();
    choose(form.ValList, 1);
    const TvlValue *nazev = report.Values().FindVariable("Nazev");
    EXPECT_EQ(nazev->Kind, vkDataField);
    EXPECT_EQ(nazev->DataSet, "Polozky");
    EXPECT_EQ(nazev->Field, "NAZEV");
}

TEST(VariablesEditor, CancelRestoresVariablesAndMappingsAfterPasteAndListEdits)
{
    ScriptedDialogs dialogs;
    TvlReport source;
    fill(source);
    TvlReport report;
    report.Variables = {"Jine", " Castka"};
    vlSetVariableLines(report, report.Variables);
    report.Values().FindVariable("Castka")->Kind = vkSpecial;

    // Copy from one report; paste is offered from then on.
    dialogs.variablesEditor = [](TvlEvForm &form) {
        form.SB1Click();
        return int(QDialog::Accepted);
    };
    EXPECT_TRUE(ShowVariablesEditor(source));
    dialogs.variablesEditor = [](TvlEvForm &form) {
        EXPECT_TRUE(form.SB2->isEnabled());
        form.SB2Click();
        EXPECT_EQ(form.VarCombo->count(), 2);
        form.Button3Click();
        EXPECT_EQ(form.VarCombo->itemText(1), "Nova");
        return int(QDialog::Rejected);
    };
    dialogs.variableList = [](QStringList &lines) {
        lines = {"Doklad", " Cislo", "Nova", " Pridana"};
        return true;
    };
    EXPECT_FALSE(ShowVariablesEditor(report));
    EXPECT_EQ(report.Variables, (QStringList{"Jine", " Castka"}));
    ASSERT_EQ(report.Values().Count(), 1);
    EXPECT_EQ(report.Values().Name(0), "Castka");
    EXPECT_EQ(report.Values().GetItem(0)->Kind, vkSpecial);

    // Confirmed, the list's edit drops the mapping of a deleted variable and
    // gives the new one an unassigned mapping.
    dialogs.variablesEditor = [](TvlEvForm &form) {
        form.SB2Click();
        form.Button3Click();
        return int(QDialog::Accepted);
    };
    EXPECT_TRUE(ShowVariablesEditor(report));
    EXPECT_EQ(report.Variables, (QStringList{"Doklad", " Cislo", "Nova", " Pridana"}));
    EXPECT_EQ(report.Values().Count(), 2);
    EXPECT_EQ(report.Values().FindVariable("Cislo")->Field, "CISLO");
    EXPECT_EQ(report.Values().FindVariable("Pridana")->Kind, vkNotAssigned);
    EXPECT_EQ(report.Values().FindVariable("Datum"), nullptr);
}

TEST(VariablesEditor, AVariableWithoutAnEntryCanBeMapped)
{
    TvlReport report;
    report.Variables = {"Doklad", " Cislo"};
    TvlEvForm form(report, twoDataSets());
    form.VarList->setCurrentRow(0);
    choose(form.ValList, 2);
    ASSERT_NE(report.Values().FindVariable("Cislo"), nullptr);
    EXPECT_EQ(report.Values().FindVariable("Cislo")->Field, "DATUM");
}

TEST(VariableList, EditsTheLinesAsText)
{
    TvlVaredForm form;
    form.SetLines({"Doklad", " Cislo"});
    EXPECT_EQ(form.Memo1->toPlainText(), "Doklad\n Cislo");
    form.Memo1->setPlainText("A\n B\n\n");
    EXPECT_EQ(form.Lines(), (QStringList{"A", " B"}));
}

TEST(Templates, ListedSortedWithTheirDescription)
{
    QTemporaryDir dir;
    TvlReport report;
    report.Pages.Add();
    QImage icon(16, 16, QImage::Format_RGB32);
    icon.fill(Qt::red);
    for (const QString &name : QStringList{"zbozi", "Faktura", "dodaci list"})
        ASSERT_TRUE(
            report.SaveTemplate(dir.filePath(name + ".vlt"), {"Šablona " + name}, name == "Faktura" ? icon : QImage()));
    QDir(dir.path()).mkdir("adresar.vlt");
    QFile other(dir.filePath("poznamka.txt"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));

    EXPECT_EQ(TvlTemplForm::TemplateNames(dir.path()), (QStringList{"dodaci list", "Faktura", "zbozi"}));
    EXPECT_EQ(TvlTemplForm::Folder(dir.path()), dir.path() + "/");
    EXPECT_TRUE(TvlTemplForm::Folder({}).isEmpty());

    TvlTemplForm form(dir.path());
    EXPECT_EQ(form.LB1->count(), 3);
    EXPECT_FALSE(form.Button1->isEnabled());
    form.LB1->setCurrentRow(0);
    EXPECT_TRUE(form.Button1->isEnabled());
    EXPECT_EQ(form.Memo1->toPlainText(), "Šablona dodaci list");
    EXPECT_TRUE(form.Image1->pixmap().isNull());
    form.LB1->setCurrentRow(1);
    EXPECT_FALSE(form.Image1->pixmap().isNull());
    form.accept();
    EXPECT_EQ(form.TemplName, dir.path() + "/Faktura.vlt");

    QTemporaryDir empty;
    TvlTemplForm none(empty.path());
    EXPECT_EQ(none.LB1->count(), 0);
    EXPECT_FALSE(none.Button1->isEnabled());
}
