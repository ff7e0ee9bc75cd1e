#pragma once
// The chooser of saved filters, and the main window's filter action that
// applies the chosen one to the item list or the document list.
#include <QDialog>

class QGroupBox;
class QPushButton;
class TDM;
class TKxDBGridEx;
class TMSSQLADOQuery;
namespace Db {
class DataSource;
}

class TForm_Filtry : public QDialog
{
    Q_OBJECT
public:
    TForm_Filtry(TDM &dm, TMSSQLADOQuery *target, QWidget *parent = nullptr);

    QGroupBox *GroupBox_Filtr;
    TKxDBGridEx *KxDBGridEx;
    QPushButton *Button_Pridat;
    QPushButton *Button_Editovat;
    QPushButton *Button_Odebrat;
    QPushButton *Button_Ok;
    QPushButton *Button_Storno;
    Db::DataSource *DataSource;

    TMSSQLADOQuery *Target() const { return m_target; }
    // The chosen filter's id (the current row).
    int CurrentFilterId() const;

    void DataSourceDataChange();
    void Button_PridatClick();
    void Button_EditovatClick();
    void Button_OdebratClick();

private:
    TDM &m_dm;
    TMSSQLADOQuery *m_target;
};

// The id of the filter that is "[Žádný filtr]"; it is neither edited nor removed.
constexpr int NoFilterId = 1;

// Sets the list's filter condition and runs the list again. A condition the
// list cannot run is reported with the server's text and the list goes back
// to the condition it had; false then.
bool ApplyListFilter(TMSSQLADOQuery *target, const QString &condition);

// The filter action: right 1, the chooser preselecting the filter in force,
// and the chosen filter applied to the target.
void ChooseListFilter(QWidget *parent, TDM &dm, TMSSQLADOQuery *target);
