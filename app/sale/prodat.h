#pragma once
// The sale dialog: what the sell action needs before the basket becomes a
// document (kind, customer, discount on the whole document, print, copy,
// cash voucher, note). It writes nothing but a typed discount that the
// settings' list does not offer yet, which joins that list.
//
// The caller reads the controls after OK: ComboBox_Doklad's index (the kind
// 0 to 2), ComboBox_Odberatel's text, IntegerComboBox_Sleva's value, the
// three check boxes and Edit_Poznamka's text.
#include "app/common/dialogbase.h"

#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class TIntegerComboBox;

class TForm_Prodat : public TForm_Dialog
{
    Q_OBJECT
public:
    explicit TForm_Prodat(QWidget *parent = nullptr);

    QLabel *Label_Doklad;
    QComboBox *ComboBox_Doklad;
    QLabel *Label_Odberatel;
    QComboBox *ComboBox_Odberatel;
    QPushButton *Button_Odberatel;
    QLabel *Label_Sleva;
    TIntegerComboBox *IntegerComboBox_Sleva;
    QLabel *Label_Procento;
    QCheckBox *CheckBox_Tisk;
    QCheckBox *CheckBox_Tisk_Kopie;
    QCheckBox *CheckBox_Doklad;
    QLabel *Label_Poznamka;
    QLineEdit *Edit_Poznamka;
    QAction *Action_Prodat;
    QAction *Action_Doklad;
    QAction *Action_Tisk;
    QAction *Action_Kopie;

    // The main window's contact list, run by "Při&dat...".
    std::function<void()> ContactListAction;

    void FormShow();
    void FormActivate();
    void ComboBox_DokladClick();
    void CheckBox_TiskClick();
    void Button_OdberatelClick();
    void IntegerComboBox_SlevaChange();
    void Action_ProdatExecute();
    void Action_DokladExecute();
    void Action_TiskExecute();
    void Action_KopieExecute();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QAction *addShortcut(const QString &name, const QKeySequence &key, void (TForm_Prodat::*handler)());
};
