#pragma once
// Hands the painting of a grid's data cells to the grid (TKxDBGrid::DrawColumnCell).
#include <QStyledItemDelegate>

class TKxDBGrid;

class TKxDBGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit TKxDBGridDelegate(TKxDBGrid *grid);
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    TKxDBGrid *grid_;
};
