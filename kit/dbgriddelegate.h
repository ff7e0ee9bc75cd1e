#pragma once
// Hands the painting of a grid's data cells to the grid (TKxDBGrid::DrawColumnCell)
// and makes its in-place editor, whose text goes to the grid's dataset.
#include <QStyledItemDelegate>

class TKxDBGrid;

class TKxDBGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit TKxDBGridDelegate(TKxDBGrid *grid);
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

private:
    TKxDBGrid *m_grid;
};
