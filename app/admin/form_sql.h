#pragma once
// The SQL console: a statement typed or loaded from a script, run on the
// shop's database; rows of a query in the grid, counts and errors in the
// result memo, which keeps the lines of every run until it is cleared.
#include <QDialog>

#include <functional>

class QFileDialog;
class QGroupBox;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class TDBNavigator;
class TDM;
class TFormStorage;
class TKxDBGrid;
class TKxSplitter;
namespace Db {
class DataSource;
}

class TForm_SQL : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_SQL(TDM &dm, QWidget *parent = nullptr);
    ~TForm_SQL() override;

    QPlainTextEdit *Memo_SQL;
    QPlainTextEdit *Memo_Result;
    TKxDBGrid *KxDBGrid;
    TDBNavigator *DBNavigator;
    Db::DataSource *DataSource_SQL;
    TKxSplitter *KxSplitter;
    QWidget *Panel_SQL;
    QPushButton *Button_Spustit;
    QPushButton *Button_Vymazat;
    QPushButton *Button_Otevrit;
    QPushButton *Button_Ulozit;
    QPushButton *Button_Export;
    QPushButton *Button_Zavrit;
    QMenu *PopupMenu;
    TFormStorage *FormStorage;

    void Button_SpustitClick();
    void Button_VymazatClick();
    void Button_OtevritClick();
    void Button_UlozitClick();
    void Button_ExportClick();
    void DataSource_SQLDataChange();
    // Closing: not while an export runs; the statement is kept, the query closed.
    void reject() override;

    // Where the open and save buttons read and write; tests set them.
    std::function<QString()> ChooseOpenFile;
    std::function<QString()> ChooseSaveFile;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Rows of one table with its key may be edited; anything else is read-only.
    void UpdateEditability();

    TDM &m_dm;
    bool m_exporting = false;
};
