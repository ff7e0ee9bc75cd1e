#include "platform/globalcomponents.h"
#include "report/components.h"
#include "report/dataset.h"
#include "report/designer/dialogs/bandsource.h"
#include "report/designer/dialogs/fieldsform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TvlFieldSource twoDataSets()
{
    return {{"Faktury", "Polozky"}, [](const QString &dataSet) {
                return dataSet == "Faktury" ? QStringList{"CISLO", "DATUM"} : QStringList{"NAZEV", "CENA"};
            }};
}

} // namespace

TEST(FieldPicker, PicksAQuotedFieldAndRemembersTheDataSet)
{
    TvlFieldsForm::LastDataSet().clear();
    {
        TvlFieldsForm form(twoDataSets());
        EXPECT_EQ(form.ValCombo->currentText(), "Faktury");
        EXPECT_EQ(form.ValList->count(), 2);
        form.ValCombo->setCurrentIndex(1);
        form.ValComboChange();
        form.ValList->setCurrentRow(1);
        QTest::keyClick(form.ValList, Qt::Key_Return); // Enter confirms
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_EQ(form.PickedField, "Polozky.\"CENA\"");
    }
    TvlFieldsForm again(twoDataSets());
    EXPECT_EQ(again.ValCombo->currentText(), "Polozky");
    again.reject();
    EXPECT_TRUE(again.PickedField.isEmpty());
}

TEST(InsertFields, AnswersTheDataSetTheChosenFieldsAndThePlacement)
{
    TvlInsertFieldsForm form(twoDataSets());
    EXPECT_EQ(form.DatasetCB->currentText(), "Faktury");
    EXPECT_EQ(form.FieldsL->count(), 2);
    form.DatasetCB->setCurrentIndex(1);
    EXPECT_EQ(form.FieldsL->item(0)->text(), "NAZEV");
    form.FieldsL->item(0)->setSelected(true);
    form.FieldsL->item(1)->setSelected(true);
    form.VertRB->setChecked(true);
    form.HeaderCB->setChecked(true);
    const TvlInsertFieldsAnswer answer = form.Choice();
    EXPECT_EQ(answer.DataSet, "Polozky");
    EXPECT_EQ(answer.Fields, (QStringList{"NAZEV", "CENA"}));
    EXPECT_FALSE(answer.Horizontal);
    EXPECT_TRUE(answer.Headers);
    EXPECT_FALSE(answer.Bands);

    TvlInsertFieldsForm empty(TvlFieldSource{});
    EXPECT_TRUE(empty.Choice().DataSet.isEmpty());
}

TEST(FieldPicker, ReportDataSetsOfTheOwnerAndOtherForms)
{
    QWidget form;
    form.setObjectName("Form_Nahled");
    auto *invoices = new TdiRazaDataset(&form);
    invoices->setObjectName("Faktury");
    auto *documents = new TdiRazaDataset(&form);
    documents->setObjectName("Doklady");
    QObject module;
    module.setObjectName("DM");
    auto *items = new TdiRazaDataset(&module);
    items->setObjectName("Polozky");
    GlobalComponents::Scoped f(&form), m(&module);
    vlSetCurrentReportOwner(&form);
    // The band source lists them as found, the pickers sorted.
    EXPECT_EQ(vlBandSource::reportDataSets(), (QStringList{"Faktury", "Doklady", "DM.Polozky"}));
    const TvlFieldSource source = TvlFieldSource::Report();
    EXPECT_EQ(source.DataSets, (QStringList{"DM.Polozky", "Doklady", "Faktury"}));
    EXPECT_TRUE(source.Fields("Faktury").isEmpty()); // no data base fields behind it
    vlSetCurrentReportOwner(nullptr);
}
