#include "kit/dbgriddelegate.h"

#include "kit/dbgrid.h"

#include "platform/db/field.h"

#include <QLineEdit>
#include <QPainter>

TKxDBGridDelegate::TKxDBGridDelegate(TKxDBGrid *grid)
    : QStyledItemDelegate(grid)
    , m_grid(grid)
{}

void TKxDBGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    TDBGridColumns &columns = m_grid->Columns();
    if (index.column() >= columns.Count())
        return;
    painter->save();
    m_grid->DrawColumnCell(*painter, option.rect, index.row(), columns[index.column()],
                           option.state.testFlag(QStyle::State_Selected));
    painter->restore();
}

QSize TKxDBGridDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    // Rows have one height and columns their own widths: nothing is measured.
    TDBGridColumns &columns = m_grid->Columns();
    const int width = index.column() < columns.Count() ? columns[index.column()]->Width : 64;
    return QSize(width, m_grid->RowsHeight());
}

QWidget *TKxDBGridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    TDBGridColumns &columns = m_grid->Columns();
    if (index.column() < columns.Count()) {
        const TColumn *column = columns[index.column()];
        editor->setAlignment(Kx::toQtAlignment(column->CellAlignment()) | Qt::AlignVCenter);
        if (const Db::Field *field = m_grid->ColumnField(column); field && field->Size() > 0)
            editor->setMaxLength(field->Size());
    }
    m_grid->editorCreated(editor, index);
    return editor;
}

void TKxDBGridDelegate::setEditorData(QWidget *editor, const QModelIndex &) const
{
    // The editor opens on the current record only.
    if (auto *line = qobject_cast<QLineEdit *>(editor); line && m_grid->m_editField) {
        const QSignalBlocker quiet(line);
        line->setText(m_grid->m_editField->AsString());
        line->selectAll();
    }
}

void TKxDBGridDelegate::setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        m_grid->postEditorText(line->text());
}
