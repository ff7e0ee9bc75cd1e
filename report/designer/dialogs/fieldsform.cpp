#include "report/designer/dialogs/fieldsform.h"

#include "report/designer/dialogs/dialogparts.h"

#include "report/components.h"
#include "report/dataset.h"
#include "report/dbdataset.h"
#include "report/vldialogbuttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

TvlFieldSource TvlFieldSource::Report()
{
    TvlFieldSource source;
    vlGetComponents(vlCurrentReportOwner(), TvlDataset::staticMetaObject, source.DataSets);
    source.DataSets.sort();
    source.Fields = [](const QString &dataSet) {
        QStringList fields;
        if (Db::Dataset *dataset = vlSourceDataSet(vlFindComponent(dataSet)))
            vlGetFieldNames(*dataset, fields);
        return fields;
    };
    return source;
}

QString TvlFieldSource::FieldReference(const QString &dataSet, const QString &field)
{
    return dataSet + QStringLiteral(".\"") + field + u'"';
}

QString &TvlFieldsForm::LastDataSet()
{
    static QString dataSet;
    return dataSet;
}

TvlFieldsForm::TvlFieldsForm(const TvlFieldSource &source, QWidget *parent)
    : QDialog(parent)
    , m_source(source)
{
    setObjectName("TvlFieldsForm");
    setWindowTitle("Vložit DB položku");
    ValCombo = new QComboBox(this);
    ValCombo->setObjectName("ValCombo");
    Label1 = dialogparts::label(this, "Label1", "&Dostupné DB", ValCombo);
    ValList = new QListWidget(this);
    ValList->setObjectName("ValList");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ValCombo);
    layout->addWidget(ValList, 1);
    resize(240, 300);

    ValCombo->addItems(m_source.DataSets);
    const int remembered = ValCombo->findText(LastDataSet());
    ValCombo->setCurrentIndex(remembered >= 0 ? remembered : 0);
    ValComboChange();
    connect(ValCombo, &QComboBox::activated, this, [this] { ValComboChange(); });
    connect(ValList, &QListWidget::itemPressed, this, [this] { accept(); });
    dialogparts::acceptOnEnter(ValList, this);
}

void TvlFieldsForm::ValComboChange()
{
    ValList->clear();
    if (ValCombo->currentIndex() >= 0 && m_source.Fields)
        ValList->addItems(m_source.Fields(ValCombo->currentText()));
}

void TvlFieldsForm::done(int result)
{
    LastDataSet() = ValCombo->currentText();
    const QListWidgetItem *item = ValList->currentItem();
    PickedField =
        item && result == Accepted ? TvlFieldSource::FieldReference(ValCombo->currentText(), item->text()) : QString();
    QDialog::done(result);
}

// --- insert fields -------------------------------------------------------------------

TvlInsertFieldsForm::TvlInsertFieldsForm(const TvlFieldSource &source, QWidget *parent)
    : QDialog(parent)
    , m_source(source)
{
    using namespace dialogparts;
    setObjectName("TvlInsertFieldsForm");
    setWindowTitle("Vložit položky");
    DatasetCB = new QComboBox(this);
    DatasetCB->setObjectName("DatasetCB");
    Label1 = label(this, "Label1", "&Dostupné datové množiny", DatasetCB);
    FieldsL = new QListWidget(this);
    FieldsL->setObjectName("FieldsL");
    FieldsL->setSelectionMode(QAbstractItemView::ExtendedSelection);
    GroupBox1 = groupBox(this, "GroupBox1", "&Úmístit");
    HorzRB = radioButton(GroupBox1, "HorzRB", "&Vodorovně");
    VertRB = radioButton(GroupBox1, "VertRB", "&Svisle");
    HorzRB->setChecked(true);
    auto *place = new QVBoxLayout(GroupBox1);
    place->addWidget(HorzRB);
    place->addWidget(VertRB);
    GroupBox2 = groupBox(this, "GroupBox2", QString());
    HeaderCB = checkBox(GroupBox2, "HeaderCB", "&Včetně hlaviček");
    BandCB = checkBox(GroupBox2, "BandCB", "Včetně &bandů");
    auto *include = new QVBoxLayout(GroupBox2);
    include->addWidget(HeaderCB);
    include->addWidget(BandCB);
    auto *side = new QVBoxLayout;
    side->addWidget(GroupBox1);
    side->addWidget(GroupBox2);
    side->addStretch();
    auto *grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(DatasetCB, 1, 0);
    grid->addWidget(FieldsL, 2, 0);
    grid->addLayout(side, 1, 1, 2, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(vlOkCancelButtons(this, Button1, Button2));
    resize(420, 320);

    DatasetCB->addItems(m_source.DataSets);
    DatasetCB->setCurrentIndex(DatasetCB->count() ? 0 : -1);
    DatasetCBChange();
    connect(DatasetCB, &QComboBox::currentIndexChanged, this, [this] { DatasetCBChange(); });
}

void TvlInsertFieldsForm::DatasetCBChange()
{
    FieldsL->clear();
    if (DatasetCB->currentIndex() >= 0 && m_source.Fields)
        FieldsL->addItems(m_source.Fields(DatasetCB->currentText()));
}

TvlInsertFieldsAnswer TvlInsertFieldsForm::Choice() const
{
    TvlInsertFieldsAnswer choice;
    choice.DataSet = DatasetCB->currentText();
    for (int i = 0; i < FieldsL->count(); ++i)
        if (FieldsL->item(i)->isSelected())
            choice.Fields << FieldsL->item(i)->text();
    choice.Horizontal = HorzRB->isChecked();
    choice.Headers = HeaderCB->isChecked();
    choice.Bands = BandCB->isChecked();
    return choice;
}
