#include "app/spreadsheet/form_export.h"

#include "app/spreadsheet/exportwriters.h"
#include "app/spreadsheet/xlsxautomation.h"
#include "platform/messages.h"
#include "platform/paths.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace {

QGroupBox *radioGroup(QWidget *parent, const char *name, const QString &title, QRadioButton *&first,
                      const char *firstName, const QString &firstText, QRadioButton *&second, const char *secondName,
                      const QString &secondText)
{
    auto *group = new QGroupBox(title, parent);
    group->setObjectName(QLatin1String(name));
    first = new QRadioButton(firstText, group);
    first->setObjectName(QLatin1String(firstName));
    first->setChecked(true);
    second = new QRadioButton(secondText, group);
    second->setObjectName(QLatin1String(secondName));
    auto *layout = new QVBoxLayout(group);
    layout->addWidget(first);
    layout->addWidget(second);
    return group;
}

} // namespace

TForm_Export::TForm_Export(QWidget *parent)
    : QDialog(parent)
    , CreateAutomation([] { return std::make_unique<XlsxAutomation>(); })
    , ChooseFile([this] { return runSaveDialog(); })
{
    setObjectName(QStringLiteral("Form_Export"));
    setWindowTitle(QStringLiteral(" Export do Excelu"));
    GroupBox_Export = radioGroup(this, "GroupBox_Export", QStringLiteral("Exportovat"), RadioButton_Vsechny,
                                 "RadioButton_Vsechny", QStringLiteral("&Všechny sloupce"), RadioButton_Zobrazene,
                                 "RadioButton_Zobrazene", QStringLiteral("Zobrazené &sloupce"));
    GroupBox_Druh = radioGroup(this, "GroupBox_Druh", QStringLiteral("Druh exportu"), RadioButton_OLE,
                               "RadioButton_OLE", QStringLiteral("&Export pomocí OLE"), RadioButton_Soubor,
                               "RadioButton_Soubor", QStringLiteral("Export &do souboru"));
    Button_Export = new QPushButton(QStringLiteral("&Export"), this);
    Button_Export->setObjectName(QStringLiteral("Button_Export"));
    Button_Export->setDefault(true);
    Button_Zavrit = new QPushButton(QStringLiteral("&Zavřít"), this);
    Button_Zavrit->setObjectName(QStringLiteral("Button_Zavrit"));
    connect(Button_Export, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button_Zavrit, &QPushButton::clicked, this, &QDialog::reject);

    SaveDialog = new QFileDialog(this, QStringLiteral("Export do Excel souboru"));
    SaveDialog->setObjectName(QStringLiteral("SaveDialog"));
    SaveDialog->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog->setNameFilter(QStringLiteral("Excel soubor (*.xls)"));
    SaveDialog->setDefaultSuffix(QStringLiteral("xls"));

    auto *groups = new QHBoxLayout;
    groups->addWidget(GroupBox_Export);
    groups->addWidget(GroupBox_Druh);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_Export);
    buttons->addWidget(Button_Zavrit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    setTabOrder(RadioButton_Vsechny, RadioButton_Zobrazene);
    setTabOrder(RadioButton_Zobrazene, RadioButton_OLE);
    setTabOrder(RadioButton_OLE, RadioButton_Soubor);
    setTabOrder(RadioButton_Soubor, Button_Export);
    setTabOrder(Button_Export, Button_Zavrit);
}

TForm_Export::~TForm_Export() = default;

QString TForm_Export::runSaveDialog()
{
    SaveDialog->setDirectory(Paths::exportFolder());
    SaveDialog->selectFile(QStringLiteral("Export.xls"));
    if (SaveDialog->exec() != QDialog::Accepted || SaveDialog->selectedFiles().isEmpty())
        return QString();
    return SaveDialog->selectedFiles().constFirst();
}

void TForm_Export::ExportToExcel(TKxDBGrid *grid, bool allColumns)
{
    std::unique_ptr<SpreadsheetAutomation> sheet = CreateAutomation();
    if (!sheet || !sheet->CreateApplication()) {
        ShowWarning(QStringLiteral("Připojení k aplikaci MSExcel se nezdařilo..."),
                    QStringLiteral("Aplikace MSExcel není nainstalovaná..."));
        return;
    }
    const ExportTable table = ExportTableOf(grid, allColumns);
    try {
        sheet->WorkBooksAdd();
        AutomationCellWriter writer(*sheet);
        RunExportWalk(table, writer);
    } catch (const AutomationError &error) {
        ShowWarning(QStringLiteral("Zápis záznamu do Excelu se nezdařil..."),
                    QStringLiteral("Aplikace Excel není spuštěná nebo Excel list není dostupný..."), error.reason());
    }
    // What was written so far is shown in every case.
    try {
        sheet->ColumnsAutoFit();
        sheet->SetVisible();
    } catch (const WorkbookNotShown &saved) {
        ShowInformation(QStringLiteral("Sešit je uložen, žádný program pro tabulky ho ale neotevřel..."),
                        QStringLiteral("Soubor: %1").arg(saved.fileName()));
    } catch (const AutomationError &error) {
        ShowWarning(QStringLiteral("Zápis záznamu do Excelu se nezdařil..."),
                    QStringLiteral("Sešit nelze uložit nebo otevřít..."), error.reason());
    }
}

void TForm_Export::ExportToFile(TKxDBGrid *grid, bool allColumns)
{
    const QString fileName = ChooseFile();
    if (fileName.isEmpty())
        return;
    BiffWriter out;
    out.writeBof();
    out.writeCodePage();
    BiffCellWriter writer(out);
    RunExportWalk(ExportTableOf(grid, allColumns), writer);
    out.writeEof();
    // The old file is replaced only by a complete new one.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(out.bytes()) != out.bytes().size() || !file.commit()) {
        ShowWarning(QStringLiteral("Export do souboru se nezdařil..."),
                    QStringLiteral("Soubor %1 nelze zapsat.").arg(fileName), file.errorString());
    }
}

void ExportGridToSpreadsheet(QWidget *parent, TKxDBGrid *grid)
{
    TForm_Export form(parent);
    if (form.exec() != QDialog::Accepted)
        return;
    const bool allColumns = form.RadioButton_Vsechny->isChecked();
    if (form.RadioButton_OLE->isChecked())
        form.ExportToExcel(grid, allColumns);
    else
        form.ExportToFile(grid, allColumns);
}
