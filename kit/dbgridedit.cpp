// In-place editing of the data-aware grid: the editor opens on the current
// cell and its text is written back through the dataset when it closes.
#include "kit/dbgrid.h"

#include "kit/dbgridmodel.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/messages.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

bool TKxDBGrid::EditingAllowed() const
{
    return m_options.testFlag(dgEditing) && !m_readOnly && LinkActive() && !DataSet()->IsEmpty();
}

bool TKxDBGrid::CanEditInPlace(const Db::Field *Field) const
{
    if (!Field || !Field->IsBound() || Field->ReadOnly || FieldGlyphIndex(Field) >= 0)
        return false;
    // Only a column of a table can be written back; computed ones cannot.
    const Db::Snapshot *snapshot = DataSet()->snapshot().get();
    return snapshot && snapshot->column(Field->Index()).table != 0;
}

void TKxDBGrid::EditChanged()
{
    if (OnEditChange)
        OnEditChange(this);
}

bool TKxDBGrid::ShowEditor()
{
    return state() == EditingState || edit(currentIndex(), AllEditTriggers, nullptr);
}

bool TKxDBGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (!index.isValid() || state() == EditingState || !EditingAllowed() || index.column() < m_frozenCols ||
        index.column() >= m_columns.Count())
        return false;
    Db::Field *field = m_columns[index.column()]->Field();
    if (!CanEditInPlace(field))
        return false;
    if (index.row() != m_model->CurrentPosition())
        moveToPosition(index.row());
    if (index.row() != m_model->CurrentPosition())
        return false;
    bool allow = true;
    if (OnShowEditor)
        OnShowEditor(this, field, allow);
    if (!allow)
        return false;
    m_editField = field;
    m_editPosition = index.row();
    scrollTo(index);
    return QTableView::edit(index, trigger, event);
}

void TKxDBGrid::editorCreated(QLineEdit *editor, const QModelIndex &)
{
    m_editor = editor;
    editor->setFont(font());
    editor->installEventFilter(this);
    connect(editor, &QLineEdit::textEdited, this, [this] { EditChanged(); });
}

bool TKxDBGrid::postEditorText(const QString &text)
{
    Db::Field *field = m_editField;
    // A record moved away under the editor keeps its value: the text is not
    // written to another row.
    if (!field || !LinkActive() || m_model->CurrentPosition() != m_editPosition || text == field->AsString())
        return true;
    return PostFieldChange(field, [&] {
        if (text.isEmpty() && field->DataType() != Db::FieldType::String)
            field->Clear();
        else
            field->SetAsString(text);
    });
}

bool TKxDBGrid::PostFieldChange(Db::Field *Field, const std::function<void()> &write)
{
    Db::Dataset *dataset = Field->DataSet();
    try {
        dataset->Edit();
        write();
        dataset->Post();
        return true;
    } catch (const std::exception &error) {
        // The row stays where it is with its stored value; the user learns why.
        try {
            dataset->Cancel();
        } catch (const std::exception &) {
        }
        const auto *dbError = dynamic_cast<const Db::DatabaseError *>(&error);
        ShowWarning(QStringLiteral("Změnu nelze uložit."), dbError ? dbError->text() : QString::fromUtf8(error.what()));
        return false;
    }
}

bool TKxDBGrid::PostEditor()
{
    if (!m_editor)
        return true;
    QLineEdit *editor = m_editor;
    m_editor = nullptr; // the editor's focus leaving must not write it twice
    const bool posted = postEditorText(editor->text());
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return posted;
}

void TKxDBGrid::CancelEditor()
{
    if (QLineEdit *editor = m_editor) {
        m_editor = nullptr;
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }
}

void TKxDBGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == m_editor.data())
        m_editor = nullptr;
    editor->removeEventFilter(this);
    // Moving on to the next cell is the grid's keyboard's business.
    if (hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem)
        hint = QAbstractItemDelegate::NoHint;
    QTableView::closeEditor(editor, hint);
    m_editField = nullptr;
    m_editPosition = -1;
}

bool TKxDBGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_editor.data() || event->type() != QEvent::KeyPress || m_lendingKey)
        return QTableView::eventFilter(watched, event);
    // The form's key handler sees the characters typed into the editor too,
    // and may change or swallow them.
    auto *key = static_cast<QKeyEvent *>(event);
    const QString text = key->text();
    if (!OnKeyPress || text.isEmpty() || !text.at(0).isPrint() || key->modifiers().testFlag(Qt::ControlModifier))
        return QTableView::eventFilter(watched, event);
    QChar c = text.at(0);
    OnKeyPress(this, c);
    if (c.isNull())
        return true;
    if (c == text.at(0))
        return false;
    QKeyEvent changed(QEvent::KeyPress, key->key(), key->modifiers(), QString(c));
    m_lendingKey = true;
    QApplication::sendEvent(m_editor, &changed);
    m_lendingKey = false;
    return true;
}

bool TKxDBGrid::editorKey(QKeyEvent *event)
{
    const int key = event->key();
    if (state() == EditingState) {
        // The editor passed the key on: Enter is its own (it posts), the rest
        // post the text before the grid moves, and a refusal keeps the row.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            return true;
        }
        const QString text = event->text();
        if (m_editor && !text.isEmpty() && text.at(0).isPrint()) {
            // Typed ahead before the editor took the focus.
            QKeyEvent typed(QEvent::KeyPress, key, event->modifiers(), text);
            QApplication::sendEvent(m_editor, &typed);
            event->accept();
            return true;
        }
        if (!PostEditor()) {
            event->accept();
            return true;
        }
        return false;
    }
    if ((key == Qt::Key_F2 || key == Qt::Key_Return || key == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier &&
        ShowEditor()) {
        event->accept();
        return true;
    }
    return false;
}

void TKxDBGrid::typeIntoEditor(QKeyEvent *event, QChar c)
{
    if (!ShowEditor() || !m_editor)
        return;
    // The typed character replaces the cell's text, as in any editor.
    QKeyEvent typed(QEvent::KeyPress, event->key(), event->modifiers(), QString(c));
    m_lendingKey = true;
    QApplication::sendEvent(m_editor, &typed);
    m_lendingKey = false;
}
