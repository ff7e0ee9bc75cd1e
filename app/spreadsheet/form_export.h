#pragma once
// The export of a list to a spreadsheet: through the spreadsheet program
// (here: a workbook written into the "Export" folder and opened by the
// desktop's program for it) or directly into a worksheet file.
#include <QDialog>

#include <functional>
#include <memory>

class QFileDialog;
class QGroupBox;
class QPushButton;
class QRadioButton;
class SpreadsheetAutomation;
class TKxDBGrid;

class TForm_Export : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_Export(QWidget *parent = nullptr);
    ~TForm_Export() override;

    QGroupBox *GroupBox_Export;
    QRadioButton *RadioButton_Vsechny;
    QRadioButton *RadioButton_Zobrazene;
    QGroupBox *GroupBox_Druh;
    QRadioButton *RadioButton_OLE;
    QRadioButton *RadioButton_Soubor;
    QPushButton *Button_Export;
    QPushButton *Button_Zavrit;
    QFileDialog *SaveDialog;

    Q_INVOKABLE void ExportToExcel(TKxDBGrid *grid, bool allColumns);
    Q_INVOKABLE void ExportToFile(TKxDBGrid *grid, bool allColumns);

    // The spreadsheet the automation way drives; tests put a recorder here.
    std::function<std::unique_ptr<SpreadsheetAutomation>()> CreateAutomation;
    // The file the direct way writes; empty when the user cancelled.
    std::function<QString()> ChooseFile;

private:
    QString runSaveDialog();
};

// The grid pop-up menu's export item: asks how, then exports the grid.
void ExportGridToSpreadsheet(QWidget *parent, TKxDBGrid *grid);
