#pragma once
// The numbering series of the documents: a list of the series with their
// next numbers as previews, and the dialog that edits one series (prefix,
// separator, the counters of unprinted and printed documents and the width
// the counter is filled to with zeros). The year, month and day flags are
// check boxes in the list. Adding and removing series is not offered: there
// is one series per document kind. Editing, flags included, needs right 46.
// The caller opens the numbering query before showing the list.
#include "app/common/dialogbase.h"
#include "app/common/dialogedit.h"
#include "data/dm.h"

class QLabel;
class QLineEdit;
class TIntegerEdit;
class TKxDBGridEx;
namespace Db {
class DataSource;
class Field;
} // namespace Db

class TForm_OznaceniDokladuEditace : public TForm_Dialog
{
    Q_OBJECT
public:
    explicit TForm_OznaceniDokladuEditace(QWidget *parent = nullptr);

    QLabel *Label_Oznaceni;
    QLineEdit *Edit_Oznaceni;
    QLabel *Label_Oddelovac;
    QLineEdit *Edit_Oddelovac;
    QLabel *Label_PoradiNetisteny;
    TIntegerEdit *IntegerEdit_PoradiNetisteny;
    QLabel *Label_PoradiVytisteny;
    TIntegerEdit *IntegerEdit_PoradiVytisteny;
    QLabel *Label_PoradiZarovnani;
    TIntegerEdit *IntegerEdit_PoradiZarovnani;

    // The series being edited (the list's current row when shown) and its
    // values as the server held them then: the list may be older than the
    // last sale, and a counter is written back only when the user changed it.
    int IdOznaceniDoklad = 0;
    TDMNumbering Read;

    void FormShow();
    void Edit_OznaceniChange();
    void Edit_OddelovacChange();
    void IntegerEdit_PoradiNetistenyChange();
    void IntegerEdit_PoradiVytistenyChange();
    void IntegerEdit_PoradiZarovnaniChange();

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool loaded = false;
};

class TForm_OznaceniDokladu : public TForm_DialogEdit
{
    Q_OBJECT
public:
    explicit TForm_OznaceniDokladu(QWidget *parent = nullptr);

    TKxDBGridEx *KxDBGridEx;
    Db::DataSource *DataSource;

    void DataSourceDataChange() override;
    void Button_EditovatClick();
    // A click in a flag's check box: toggled and stored only with right 46.
    void KxDBGridExClickCheckBox(Db::Field *Field, bool &Modify);
};
