#include "app/search/form_filtr.h"

#include "app/common/formcontrols.h"
#include "app/common/tablecolumnmenu.h"
#include "data/dm.h"
#include "platform/messages.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TForm_Filtr::TForm_Filtr(TDM &dm, QWidget *parent)
    : TForm_Dialog(parent)
    , m_dm(dm)
{
    Label_Filtr = new QLabel(QStringLiteral("&Filtr:"), Bevel);
    Label_Filtr->setObjectName(QStringLiteral("Label_Filtr"));
    Edit_Filtr = new QLineEdit(Bevel);
    Edit_Filtr->setObjectName(QStringLiteral("Edit_Filtr"));
    Edit_Filtr->setMaxLength(64);
    Label_Filtr->setBuddy(Edit_Filtr);
    Label_Script = new QLabel(QStringLiteral("&Script:"), Bevel);
    Label_Script->setObjectName(QStringLiteral("Label_Script"));
    Memo_Script = new QPlainTextEdit(Bevel);
    Memo_Script->setObjectName(QStringLiteral("Memo_Script"));
    Memo_Script->setMinimumSize(420, 160);
    Memo_Script->setContextMenuPolicy(Qt::CustomContextMenu);
    Label_Script->setBuddy(Memo_Script);
    PopupMenu_Script = new QMenu(this);
    PopupMenu_Script->setObjectName(QStringLiteral("PopupMenu_Script"));
    connect(Memo_Script, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu_Script->popup(Memo_Script->mapToGlobal(at)); });

    auto *layout = new QVBoxLayout(Bevel);
    layout->addWidget(Label_Filtr);
    layout->addWidget(Edit_Filtr);
    layout->addWidget(Label_Script);
    layout->addWidget(Memo_Script);
    FocusClientFirst(this, {Button_Ok, Button_Storno});

    BindChange(Edit_Filtr, [this](QObject *) { Edit_FiltrChange(); });
    BindChange(Memo_Script, [this](QObject *) { ControlsValide(); });
    disconnect(Button_Ok, &QPushButton::clicked, nullptr, nullptr);
    connect(Button_Ok, &QPushButton::clicked, this, &TForm_Filtr::Button_OkClick);
    Button_Ok->setEnabled(false);
    fillPopupMenu();
}

void TForm_Filtr::fillPopupMenu()
{
    FillTableColumnMenu(PopupMenu_Script, m_dm, [this](const QString &name) { PopupItemClick(name); });
}

QString TForm_Filtr::PasteText(const QString &caption)
{
    return TableColumnMenuName(caption);
}

// The name goes in at the caret; the user's clipboard is left as it was.
void TForm_Filtr::PopupItemClick(const QString &caption)
{
    Memo_Script->insertPlainText(PasteText(caption));
    Memo_Script->setFocus();
}

void TForm_Filtr::Edit_FiltrChange()
{
    QString hint = ExistingNameHint(Edit_Filtr->text());
    if (Edit_Filtr->text().trimmed().isEmpty())
        hint = QStringLiteral("Nezadaný filtr...");
    MarkInvalid(Edit_Filtr, hint);
    ControlsValide();
}

void TForm_Filtr::Button_OkClick()
{
    if (!m_dm.TestFilterCondition(Memo_Script->toPlainText(), m_list ? m_list : m_dm.MSSQLADOQuery_Polozka)) {
        ShowWarning(QStringLiteral("Script filtru obsahuje chybu[y]..."),
                    QStringLiteral("Uložení scriptu filtru neproběhlo..."), m_dm.LastErrorText());
        return;
    }
    accept();
}

TForm_FiltrNovy::TForm_FiltrNovy(TDM &dm, QWidget *parent)
    : TForm_Filtr(dm, parent)
{
    setObjectName(QStringLiteral("Form_FiltrNovy"));
    setWindowTitle(QStringLiteral("Nový filtr"));
}

QString TForm_FiltrNovy::ExistingNameHint(const QString &name)
{
    return m_dm.FilterNameExists(name) ? QStringLiteral("Existující filtr...") : QString();
}

void TForm_FiltrNovy::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        Edit_Filtr->setText(QStringLiteral("filtr"));
    TForm_Filtr::showEvent(event);
}

TForm_FiltrEditace::TForm_FiltrEditace(TDM &dm, int filterId, QWidget *parent)
    : TForm_Filtr(dm, parent)
    , m_filterId(filterId)
{
    setObjectName(QStringLiteral("Form_FiltrEditace"));
    setWindowTitle(QStringLiteral("Editace filtru"));
}

QString TForm_FiltrEditace::ExistingNameHint(const QString &name)
{
    return m_dm.FilterNameExistsOther(m_filterId, name) ? QStringLiteral("Existující filtr...") : QString();
}

void TForm_FiltrEditace::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        TMSSQLADOQuery *filters = m_dm.MSSQLADOQuery_Filtr;
        Memo_Script->setPlainText(filters->FieldByName(QStringLiteral("SCRIPT")).AsString());
        Edit_Filtr->setText(filters->FieldByName(QStringLiteral("FILTR")).AsString());
    }
    TForm_Filtr::showEvent(event);
    // Nothing to save until the user changes something.
    if (!event->spontaneous())
        Button_Ok->setEnabled(false);
}
