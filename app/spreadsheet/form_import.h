#pragma once
// The import of items into the current store from a workbook the user picks.
#include <QDialog>

#include <functional>

class QGroupBox;
class QPushButton;
class QRadioButton;
class TDM;

class TForm_Import : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_Import(TDM &dm, QWidget *parent = nullptr);

    QGroupBox *GroupBox_Import;
    QRadioButton *RadioButton_Zachovat;
    QRadioButton *RadioButton_Odebrat;
    QPushButton *Button_Import;
    QPushButton *Button_Zavrit;

    // Imports from the workbook chosen on "&Import"; the number of items stored.
    Q_INVOKABLE int ImportFromExcel(bool removeExisting);

    // The workbook to read; empty when the user cancelled. Tests set it.
    std::function<QString()> ChooseFile;
    QString FileName;

    void Button_ImportClick();

private:
    TDM &m_dm;
};

// The main window's import action: the form, then the import. True when at
// least one item was stored (the caller re-queries the item list).
bool ImportItemsFromSpreadsheet(QWidget *parent, TDM &dm);
