#pragma once
// The report list: the print layouts the program uses, each a display name
// and a report file. Entries are renamed or pointed to another file here
// (right 44); they are neither added nor removed. "Upravit sestavu..."
// (right 45) is where the layout designer opens.
#include "app/common/dialogbase.h"
#include "app/common/dialogedit.h"

class QLineEdit;
class QPushButton;
class TKxDBGridEx;
namespace Db {
class DataSource;
}

class TForm_Sestavy : public TForm_DialogEdit
{
    Q_OBJECT
public:
    explicit TForm_Sestavy(QWidget *parent = nullptr);

    TKxDBGridEx *KxDBGridEx;
    Db::DataSource *DataSource;
    QPushButton *Button_EditovatSestavu;

    void DataSourceDataChange() override;
    void Button_EditovatClick();
    void Button_EditovatSestavuClick();

    // The rows a layout shows while it is designed: the main window's
    // document, line and item rows (none when not set).
    void SetDataSources(Db::DataSource *doklad, Db::DataSource *dokladDetail, Db::DataSource *polozka);

private:
    Db::DataSource *m_doklad = nullptr, *m_dokladDetail = nullptr, *m_polozka = nullptr;
};

// A report entry: its name (unique among the entries) and its file, which
// must exist (see ReportFilePath). "&Ok" starts disabled.
class TForm_Sestava : public TForm_Dialog
{
    Q_OBJECT
public:
    explicit TForm_Sestava(QWidget *parent = nullptr);

    QLineEdit *Edit_Sestava;
    QLineEdit *Edit_Soubor;
    QPushButton *Button_Prochazet;

    void Edit_SestavaChange(QObject *Sender);
    void Edit_SouborChange(QObject *Sender);
    void Button_ProchazetClick();

protected:
    // The entry being edited; its own name is not a clash.
    int ownId = 0;
};

// Edits the report list's current entry.
class TForm_SestavaEditace : public TForm_Sestava
{
    Q_OBJECT
public:
    explicit TForm_SestavaEditace(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
};
