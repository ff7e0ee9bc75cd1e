#include "app/spreadsheet/form_import.h"

#include "app/spreadsheet/itemimport.h"
#include "app/spreadsheet/spreadsheetsource.h"
#include "platform/paths.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TForm_Import::TForm_Import(TDM &dm, QWidget *parent)
    : QDialog(parent)
    , m_dm(dm)
{
    setObjectName(QStringLiteral("Form_Import"));
    setWindowTitle(QStringLiteral(" Import z Excelu"));
    GroupBox_Import = new QGroupBox(QStringLiteral("Importovat"), this);
    GroupBox_Import->setObjectName(QStringLiteral("GroupBox_Import"));
    RadioButton_Zachovat = new QRadioButton(QStringLiteral("&Zachovat původní záznamy"), GroupBox_Import);
    RadioButton_Zachovat->setObjectName(QStringLiteral("RadioButton_Zachovat"));
    RadioButton_Zachovat->setChecked(true);
    RadioButton_Odebrat = new QRadioButton(QStringLiteral("Původní záznamy &odebrat"), GroupBox_Import);
    RadioButton_Odebrat->setObjectName(QStringLiteral("RadioButton_Odebrat"));
    auto *groupLayout = new QVBoxLayout(GroupBox_Import);
    groupLayout->addWidget(RadioButton_Zachovat);
    groupLayout->addWidget(RadioButton_Odebrat);

    Button_Import = new QPushButton(QStringLiteral("&Import"), this);
    Button_Import->setObjectName(QStringLiteral("Button_Import"));
    Button_Import->setDefault(true);
    Button_Zavrit = new QPushButton(QStringLiteral("&Zavřít"), this);
    Button_Zavrit->setObjectName(QStringLiteral("Button_Zavrit"));
    connect(Button_Import, &QPushButton::clicked, this, &TForm_Import::Button_ImportClick);
    connect(Button_Zavrit, &QPushButton::clicked, this, &QDialog::reject);

    ChooseFile = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Import z Excel souboru"), Paths::exportFolder(),
                                            QStringLiteral("Sešity (*.xlsx *.xls)"));
    };

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_Import);
    buttons->addWidget(Button_Zavrit);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox_Import);
    layout->addLayout(buttons);
    setTabOrder(RadioButton_Zachovat, RadioButton_Odebrat);
    setTabOrder(RadioButton_Odebrat, Button_Import);
    setTabOrder(Button_Import, Button_Zavrit);
}

// The form has no file field of its own: the workbook is chosen here, and a
// cancelled choice keeps the form open.
void TForm_Import::Button_ImportClick()
{
    FileName = ChooseFile();
    if (!FileName.isEmpty())
        accept();
}

int TForm_Import::ImportFromExcel(bool removeExisting)
{
    WorkbookFileSource source(FileName);
    ItemImport import(m_dm, source);
    return import.Run(removeExisting).imported;
}

bool ImportItemsFromSpreadsheet(QWidget *parent, TDM &dm)
{
    TForm_Import form(dm, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    return form.ImportFromExcel(form.RadioButton_Odebrat->isChecked()) > 0;
}
