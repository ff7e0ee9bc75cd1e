#include "report/designer/dialogs/editorform.h"

#include "report/designer/dialogs/dialoganswers.h"
#include "report/designer/dialogs/fieldsform.h"

#include "report/vlmemoview.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

QPlainTextEdit *memo(QWidget *parent, const char *name)
{
    auto *edit = new QPlainTextEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setTabChangesFocus(false);
    return edit;
}

QWidget *panel(QWidget *parent, const char *name, QLabel *&label, const QString &caption, QPlainTextEdit *&edit,
               const char *editName)
{
    auto *result = new QWidget(parent);
    result->setObjectName(QString::fromLatin1(name));
    edit = memo(result, editName);
    label = new QLabel(caption, result);
    label->setBuddy(edit);
    auto *layout = new QVBoxLayout(result);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(edit, 1);
    return result;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *result = new QPushButton(caption, parent);
    result->setObjectName(QString::fromLatin1(name));
    result->setAutoDefault(false);
    return result;
}

} // namespace

TvlEditorForm::TvlEditorForm(QWidget *parent)
    : TPropEditor(parent)
{
    setObjectName("TvlEditorForm");
    setWindowTitle("Textový editor");
    Splitter = new QSplitter(Qt::Vertical, this);
    Splitter->setObjectName("Splitter");
    Splitter->setChildrenCollapsible(false);
    MemoPanel = panel(Splitter, "MemoPanel", Label1, "&Text", M1, "M1");
    ScriptPanel = panel(Splitter, "ScriptPanel", Label2, "&Skript", M2, "M2");
    Splitter->addWidget(MemoPanel);
    Splitter->addWidget(ScriptPanel);
    Splitter->setStretchFactor(0, 2);
    Splitter->setStretchFactor(1, 1);

    Panel5 = new QWidget(this);
    Panel5->setObjectName("Panel5");
    CB1 = new QCheckBox("S&kript", Panel5);
    CB1->setObjectName("CB1");
    CB2 = new QCheckBox("&Velký font", Panel5);
    CB2->setObjectName("CB2");
    CB3 = new QCheckBox("&Zarovnání slov", Panel5);
    CB3->setObjectName("CB3");
    Button3 = button(Panel5, "Button3", "&Proměnné");
    Button4 = button(Panel5, "Button4", "&DB položka");
    Button5 = button(Panel5, "Button5", "&Formát");
    Button1 = button(Panel5, "Button1", "OK");
    Button2 = button(Panel5, "Button2", "Storno");
    auto *row = new QHBoxLayout(Panel5);
    row->setContentsMargins(0, 0, 0, 0);
    for (QWidget *w : QList<QWidget *>{CB1, CB2, CB3})
        row->addWidget(w);
    row->addStretch();
    for (QWidget *w : QList<QWidget *>{Button3, Button4, Button5, Button1, Button2})
        row->addWidget(w);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Splitter, 1);
    layout->addWidget(Panel5);
    setMinimumSize(Panel5->sizeHint().width() + 24, 200);
    resize(minimumWidth() + 40, 380);

    for (QCheckBox *box : {CB1, CB2, CB3})
        connect(box, &QCheckBox::clicked, this, [this] { CB1Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    M1->installEventFilter(this);
    M2->installEventFilter(this);
    CB1Click();
}

void TvlEditorForm::CB1Click()
{
    ScriptPanel->setVisible(CB1->isChecked());
    QFont font = M1->font();
    font.setPointSize(CB2->isChecked() ? 12 : 10);
    M1->setFont(font);
    M2->setFont(font);
    M1->setLineWrapMode(CB3->isChecked() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    // The handle shows the split cursor only while there is something to split.
    Splitter->handle(1)->setCursor(CB1->isChecked() ? Qt::SplitVCursor : Qt::ArrowCursor);
}

void TvlEditorForm::Load()
{
    M1->setPlainText(Object->Memo.join(u'\n'));
    M2->setPlainText(Object->Script.join(u'\n'));
    m_format = Object->Format;
    m_formatText = Object->FormatText;
    Button5->setVisible(dynamic_cast<TvlMemoView *>(Object) != nullptr);
    CB1Click();
    m_target = M1;
    M1->setFocus();
}

void TvlEditorForm::Save()
{
    if (OnBeforeChange)
        OnBeforeChange();
    // The lines as typed: wrapping only shows them.
    Object->Memo = M1->toPlainText().split(u'\n');
    Object->Script = M2->toPlainText().split(u'\n');
    if (Object->Memo == QStringList{QString()})
        Object->Memo.clear();
    if (Object->Script == QStringList{QString()})
        Object->Script.clear();
    if (dynamic_cast<TvlMemoView *>(Object)) {
        Object->Format = m_format;
        Object->FormatText = m_formatText;
    }
}

int TvlEditorForm::ShowEditor()
{
    if (!Object)
        return Rejected;
    Load();
    const int result = vlDialogAnswers().MemoEditor(*this);
    if (result == Accepted)
        Save();
    return result;
}

void TvlEditorForm::InsertBracketed(const QString &text)
{
    QPlainTextEdit *target = m_target ? m_target : M1;
    target->textCursor().insertText(u'[' + text + u']');
    target->setFocus();
}

void TvlEditorForm::Button3Click()
{
    const QString name = vlDialogAnswers().ChooseVariable(Report, this);
    if (!name.isEmpty())
        InsertBracketed(name);
}

void TvlEditorForm::Button4Click()
{
    const QString field = vlDialogAnswers().PickField(this);
    if (!field.isEmpty())
        InsertBracketed(field);
}

void TvlEditorForm::Button5Click()
{
    qint32 format = m_format;
    QString text = m_formatText;
    if (vlDialogAnswers().Format(format, text, this)) {
        m_format = format;
        m_formatText = text;
    }
}

bool TvlEditorForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == M1 || watched == M2) {
        if (event->type() == QEvent::FocusIn)
            m_target = static_cast<QPlainTextEdit *>(watched);
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
            if (key->key() == Qt::Key_Insert && mods == Qt::NoModifier) {
                m_target = static_cast<QPlainTextEdit *>(watched);
                Button3Click();
                return true;
            }
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && mods == Qt::ControlModifier) {
                accept();
                return true;
            }
            if (key->key() == Qt::Key_F && mods == Qt::ControlModifier && !Button5->isHidden()) {
                Button5Click();
                return true;
            }
            if (key->key() == Qt::Key_Escape) {
                reject();
                return true;
            }
        }
    }
    return TPropEditor::eventFilter(watched, event);
}
