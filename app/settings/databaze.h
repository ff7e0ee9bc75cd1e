#pragma once
// The database maintenance window: which maintenance runs at the next start
// (section "Database") and what the database holds, read anew each time the
// window is shown.
#include "app/common/dialogbase.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class TFormStorage;

class TForm_Databaze : public TForm_Dialog
{
    Q_OBJECT
public:
    explicit TForm_Databaze(QWidget *parent = nullptr);

    QGroupBox *GroupBox_Udrzba;
    QCheckBox *CheckBox_Reindexace;
    QCheckBox *CheckBox_Transakcni_Log;
    QCheckBox *CheckBox_Zkraceni;
    QLabel *Label_Alokovano, *Label_Vyuziva, *Label_Sklady, *Label_Polozky, *Label_Doklady, *Label_Historie,
        *Label_Kategorie, *Label_Jednotky, *Label_Kontakty;
    QPlainTextEdit *Memo;
    TFormStorage *FormStorage;

    // Reads the sizes, counts and server version from the data module.
    void FormActivate();

protected:
    void showEvent(QShowEvent *event) override;
    // "S&torno" and the close box put the stored check boxes back.
    void reject() override;
};

extern TForm_Databaze *Form_Databaze;
