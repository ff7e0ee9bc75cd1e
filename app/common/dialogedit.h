#pragma once
// The base of the list dialogs: the derived dialog puts its grid into the
// framed area (Bevel) at the left; the group at the right holds "&Přidat...",
// "&Editovat...", "O&debrat" and "&Zavřít". The three list buttons start
// disabled; on every change of the list or its current row the derived dialog
// decides AddEnabled, EditEnabled and RemoveEnabled in its override of
// DataSourceDataChange and then calls this base version, which applies them.
// Rights are checked when a button is pressed, not here.
#include <QDialog>

class QAbstractItemModel;
class QFrame;
class QGroupBox;
class QItemSelectionModel;
class QPushButton;

class TForm_DialogEdit : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_DialogEdit(QWidget *parent = nullptr);

    QFrame *Bevel;
    QGroupBox *GroupBox;
    QPushButton *Button_Pridat;
    QPushButton *Button_Editovat;
    QPushButton *Button_Odebrat;
    QPushButton *Button_Zavrit;

    bool AddEnabled = false;
    bool EditEnabled = false;
    bool RemoveEnabled = false;

    // The list the buttons follow: its resets, inserted and removed rows, data
    // changes and (when given) moves of the current row call DataSourceDataChange.
    void SetDataSource(QAbstractItemModel *model, QItemSelectionModel *selection = nullptr);

public slots:
    virtual void DataSourceDataChange();

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool shownOnce = false;
};
