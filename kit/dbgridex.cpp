#include "kit/dbgridex.h"

#include "platform/db/dataset.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

TKxDBGridEx::TKxDBGridEx(QWidget *parent)
    : TKxDBGrid(parent)
{
    LayoutChanged();
}

void TKxDBGridEx::SetTitleHeight(int value)
{
    if (value == m_titleHeight)
        return;
    m_titleHeight = value;
    LayoutChanged();
}

int TKxDBGridEx::TitleRowHeight() const
{
    return m_titleHeight;
}

QRect TKxDBGridEx::CheckBoxRect(const QRect &cell)
{
    // Right and bottom counted past the last pixel, as the arithmetic wants.
    const int left = cell.left() + 1;
    const int top = cell.top() + 1;
    const int right = cell.left() + cell.width() - 1;
    const int bottom = cell.top() + cell.height() - 1;
    const int side = bottom - top;
    const int boxLeft = (left + right - side) / 2;
    return QRect(boxLeft, top, side, side);
}

void TKxDBGridEx::DrawColumnCell(QPainter &painter, const QRect &rect, int position, TColumn *column, bool selected)
{
    TKxDBGrid::DrawColumnCell(painter, rect, position, column, selected);
    const Db::Field *field = ColumnField(column);
    if (!field || field->DataType() != Db::FieldType::Boolean)
        return;
    const QRect cell = DataCellRect(rect);
    painter.fillRect(cell, LastCellBackground());
    const TGridRowValues row = RowValues(position);
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = CheckBoxRect(cell);
    option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    if (row.IsNull(*field))
        option.state |= QStyle::State_NoChange;
    else
        option.state |= row.AsBoolean(*field) ? QStyle::State_On : QStyle::State_Off;
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
}

void TKxDBGridEx::mousePressEvent(QMouseEvent *event)
{
    TKxDBGrid::mousePressEvent(event);
    if (!OnClickCheckBox || event->button() != Qt::LeftButton || !LinkActive())
        return;
    const QPoint point = event->position().toPoint() + viewport()->geometry().topLeft();
    int col = -1;
    int row = -1;
    GridCellAtMouse(point, col, row);
    const int index = col - IndicatorOffset();
    if (col < 0 || row < TitleOffset() || (IndicatorOffset() && col == 0) || index >= Columns().Count())
        return;
    Db::Field *field = Columns()[index]->Field();
    if (!field || field->DataType() != Db::FieldType::Boolean)
        return;
    if (!CheckBoxRect(DataCellRect(CellRect(col, row))).contains(point))
        return;
    bool modify = false;
    OnClickCheckBox(this, field, modify);
    if (modify)
        toggle(field);
    viewport()->update();
}

void TKxDBGridEx::toggle(Db::Field *field)
{
    PostFieldChange(field, [field] { field->SetAsBoolean(!field->AsBoolean()); });
}

bool TKxDBGridEx::CanEditInPlace(const Db::Field *Field) const
{
    // Check boxes change by a click, not as text.
    return TKxDBGrid::CanEditInPlace(Field) && Field->DataType() != Db::FieldType::Boolean;
}
