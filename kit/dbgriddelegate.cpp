#include "kit/dbgriddelegate.h"

#include "kit/dbgrid.h"

#include <QPainter>

TKxDBGridDelegate::TKxDBGridDelegate(TKxDBGrid *grid) : QStyledItemDelegate(grid), grid_(grid) {}

void TKxDBGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    TDBGridColumns &columns = grid_->Columns();
    if (index.column() >= columns.Count())
        return;
    painter->save();
    grid_->DrawColumnCell(*painter, option.rect, index.row(), columns[index.column()],
                          option.state.testFlag(QStyle::State_Selected));
    painter->restore();
}

QSize TKxDBGridDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    // Rows have one height and columns their own widths: nothing is measured.
    TDBGridColumns &columns = grid_->Columns();
    const int width = index.column() < columns.Count() ? columns[index.column()]->Width : 64;
    return QSize(width, grid_->RowsHeight());
}
