#pragma once
// The record dialogs of a saved filter: its name and its condition, with a
// pop-up menu of the database's tables and columns that pastes a name at the
// caret. "&Ok" tests the condition on the server before the dialog closes.
#include "app/common/dialogbase.h"

class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class TDM;
class TMSSQLADOQuery;

class TForm_Filtr : public TForm_Dialog
{
    Q_OBJECT
public:
    explicit TForm_Filtr(TDM &dm, QWidget *parent = nullptr);

    QLabel *Label_Filtr;
    QLineEdit *Edit_Filtr;
    QLabel *Label_Script;
    QPlainTextEdit *Memo_Script;
    QMenu *PopupMenu_Script;

    // The list the condition is for (the item list unless set).
    void SetTargetList(TMSSQLADOQuery *list) { m_list = list; }
    // The text a menu item pastes: its caption up to the first blank.
    static QString PasteText(const QString &caption);
    void PopupItemClick(const QString &caption);
    void Button_OkClick();

protected:
    // The name's hint when another filter has the name, or an empty text.
    virtual QString ExistingNameHint(const QString &name) = 0;
    void Edit_FiltrChange();
    TDM &m_dm;

private:
    TMSSQLADOQuery *m_list = nullptr;
    void fillPopupMenu();
};

class TForm_FiltrNovy : public TForm_Filtr
{
    Q_OBJECT
public:
    explicit TForm_FiltrNovy(TDM &dm, QWidget *parent = nullptr);

protected:
    QString ExistingNameHint(const QString &name) override;
    void showEvent(QShowEvent *event) override;
};

class TForm_FiltrEditace : public TForm_Filtr
{
    Q_OBJECT
public:
    TForm_FiltrEditace(TDM &dm, int filterId, QWidget *parent = nullptr);

protected:
    QString ExistingNameHint(const QString &name) override;
    void showEvent(QShowEvent *event) override;

private:
    int m_filterId;
};
