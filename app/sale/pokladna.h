#pragma once
// The cash book's two screens: the history of every cash movement with the
// balance after it, and the dialog for a deposit (a positive amount) or a
// withdrawal (a negative one). The caller opens the cash query before
// showing the history and closes it after; on OK of the dialog it records
// the amount through the data module. The history's grid asks for its
// pop-up menu (customContextMenuRequested): the opener shows the main
// window's shared menu of the lists for it.
#include "app/common/dialogbase.h"

#include <QDialog>

class QLabel;
class QPushButton;
class TCurrencyEdit;
class TKxDBGrid;
namespace Db {
class DataSource;
}

class TForm_PokladnaHistorie : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_PokladnaHistorie(QWidget *parent = nullptr);

    TKxDBGrid *KxDBGrid;
    Db::DataSource *DataSource;
    QPushButton *Button_Zavrit;

protected:
    void showEvent(QShowEvent *event) override;
};

class TForm_PokladnaVkladVyber : public TForm_Dialog
{
    Q_OBJECT
public:
    explicit TForm_PokladnaVkladVyber(QWidget *parent = nullptr);

    QLabel *Label_VkladVyber;
    TCurrencyEdit *CurrencyEdit_VkladVyber;

    void FormShow();
    void CurrencyEdit_VkladVyberChange();

protected:
    void showEvent(QShowEvent *event) override;
};
