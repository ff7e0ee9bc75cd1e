// Painting of the data-aware grid's cells.
#include "kit/dbgrid.h"

#include "kit/dbgridmodel.h"
#include "kit/glyphs.h"
#include "kit/gridglyphs.h"
#include "platform/db/dataset.h"

#include <QPainter>

bool TKxDBGrid::HighlightCell(int position, int, bool selected) const
{
    if (selected && (options_.testFlag(dgAlwaysShowSelection) || hasFocus()))
        return true;
    return RowMarked(position);
}

void TKxDBGrid::DrawColumnCell(QPainter &painter, const QRect &rect, int position, TColumn *column, bool selected)
{
    Db::Field *field = ColumnField(column);
    const bool highlight = HighlightCell(position, column->Index(), selected);
    TKxCellFont font = column->Font ? *column->Font : TKxCellFont(this->font(), palette().color(QPalette::Text));
    QColor background = column->Color.isValid() ? column->Color : color_;
    const int glyph = FieldGlyphIndex(field);
    if (defaultDrawing_ && glyph < 0 && OnGetBtnParams && field) {
        // The sorted column is tinted with its title's background.
        QColor tint = background;
        TKxCellFont ignored = font;
        if (GetBtnParams(field, ignored, tint, false) != smNone)
            background = tint;
    }
    if (highlight) {
        background = palette().color(QPalette::Highlight);
        font.Color = palette().color(QPalette::HighlightedText);
    }
    paintingRow_ = RowValues(position);
    DoGetCellParams(field, font, background, highlight);

    const QRect cell = DataCellRect(rect);
    painter.setPen(palette().color(QPalette::Mid));
    if (options_.testFlag(dgColLines))
        painter.drawLine(rect.topRight(), rect.bottomRight());
    if (options_.testFlag(dgRowLines))
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.fillRect(cell, background);
    lastBackground_ = background;
    if (defaultDrawing_ && glyph >= 0) {
        const QImage &image = GetGridGlyph(glyph);
        painter.drawImage(cell.center() - QPoint(image.width() / 2, image.height() / 2), image);
    } else if (field) {
        painter.setFont(font);
        painter.setPen(font.Color);
        painter.setClipRect(cell);
        Glyphs::writeCellText(painter, cell, paintingRow_.DisplayText(*field), column->CellAlignment(),
                              Glyphs::VerticalPlace::Center);
        painter.setClipping(false);
    }
    if (defaultDrawing_ && highlight && selected && !options_.testFlag(dgRowSelect) && hasFocus())
        drawFocusRect(painter, cell, palette().color(QPalette::WindowText));
    paintingRow_ = TGridRowValues(nullptr, -1);
}

QRect TKxDBGrid::DataCellRect(const QRect &rect) const
{
    QRect cell = rect;
    if (options_.testFlag(dgColLines))
        cell.setRight(cell.right() - 1);
    if (options_.testFlag(dgRowLines))
        cell.setBottom(cell.bottom() - 1);
    return cell;
}

void TKxDBGrid::drawFocusRect(QPainter &painter, const QRect &rect, QColor color) const
{
    QPen pen(color, 1, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void TKxDBGrid::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    if (!defaultDrawing_ || !options_.testFlag(dgRowSelect) || !hasFocus() || !currentIndex().isValid())
        return;
    // The focus rectangle round the whole current row.
    const int row = currentIndex().row();
    const QRect first = visualRect(model_->index(row, firstVisibleColumn()));
    int last = columns_.Count() - 1;
    while (last > 0 && !columns_[last]->Visible)
        --last;
    const QRect right = visualRect(model_->index(row, last));
    QRect whole = first.united(right);
    if (options_.testFlag(dgRowLines))
        whole.setBottom(whole.bottom() - 1);
    QPainter painter(viewport());
    drawFocusRect(painter, whole, palette().color(QPalette::WindowText));
}
