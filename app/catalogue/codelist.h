#pragma once
// What the four code lists (units, stores, contacts, VAT rates) share: a
// list dialog with a grid over the data module's query of the list, title
// buttons sorting by column, and the add / edit / remove pattern with its
// rights, the record dialog and the failure message. The lists differ only
// in their texts, rights, procedures and record dialogs.
#include "app/common/dialogedit.h"
#include "kit/dbgridex.h"

#include <functional>
#include <memory>

class TForm_Dialog;
class TMSSQLADOQuery;
namespace Db {
class DataSource;
class Field;
} // namespace Db

struct CodeListColumn
{
    const char *field;
    QString title;
    int width;
};

class CodeListWindow : public TForm_DialogEdit
{
    Q_OBJECT
public:
    TKxDBGridEx *KxDBGridEx;
    Db::DataSource *DataSource;

    // Title button: sorts by the column, keeping the current row.
    void KxDBGridExTitleBtnClick(TKxDBGrid *Sender, int ACol, Db::Field *Field);
    void KxDBGridExGetBtnParams(TKxDBGrid *Sender, Db::Field *Field, TKxCellFont &AFont, QColor &Background,
                                TKxDBGrid::TSortMarker &SortMarker, bool IsDown);
    virtual void KxDBGridExClickCheckBox(TKxDBGridEx *Sender, Db::Field *Field, bool &Modify) = 0;
    virtual void Button_PridatClick() {}
    virtual void Button_EditovatClick() = 0;
    virtual void Button_OdebratClick() {}

    // The current row's key and a text column of it.
    int CurrentId() const;
    QString CurrentText(const char *field) const;

protected:
    CodeListWindow(QWidget *parent, const QString &name, const QString &caption, TMSSQLADOQuery *query,
                   const QString &keyField, const QList<CodeListColumn> &columns);

    // Tells the user a right is missing; true when the right is held.
    static bool allowed(int right, const QString &denial);
    static void failed(const QString &what);
    // Creates the dialog, checks the right, shows it; on "&Ok" runs the write
    // and reports its failure. The dialog is freed in every case.
    static void runDialog(std::unique_ptr<TForm_Dialog> dialog, int right, const QString &denial,
                          const std::function<bool(TForm_Dialog &)> &write, const QString &failure);
    // The removal: right, refusal when referenced (its detail names the
    // row), question, removal and its failure.
    void runRemove(int right, const QString &denial, const std::function<bool()> &referenced, const QString &refusal,
                   const QString &refusalDetail, const QString &question, const std::function<QString()> &caption,
                   const std::function<bool()> &remove, const QString &failure);
    // The "default" check box: the procedure with the right, never the grid's
    // toggle. A row that already is the default stays so without a message.
    void setDefault(Db::Field *field, int right, const QString &denial, const std::function<bool()> &call);

    TMSSQLADOQuery *query;
    QString keyField;
};

// Opens the list's query, shows the window modally, closes the query.
void ShowCodeList(CodeListWindow *window, TMSSQLADOQuery *query);
