// Painting of the data-aware grid's cells.
#include "kit/dbgrid.h"

#include "kit/dbgridmodel.h"
#include "kit/glyphs.h"
#include "kit/gridglyphs.h"
#include "platform/db/dataset.h"

#include <QPainter>

bool TKxDBGrid::HighlightCell(int position, int, bool selected) const
{
    if (selected && (m_options.testFlag(dgAlwaysShowSelection) || hasFocus()))
        return true;
    return RowMarked(position);
}

void TKxDBGrid::DrawColumnCell(QPainter &painter, const QRect &rect, int position, TColumn *column, bool selected)
{
    Db::Field *field = ColumnField(column);
    const bool highlight = HighlightCell(position, column->Index(), selected);
    TKxCellFont font = column->Font ? *column->Font : TKxCellFont(this->font(), palette().color(QPalette::Text));
    QColor background = column->Color.isValid() ? column->Color : m_color;
    const int glyph = FieldGlyphIndex(field);
    if (m_defaultDrawing && glyph < 0 && OnGetBtnParams && field) {
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
    m_paintingRow = RowValues(position);
    DoGetCellParams(field, font, background, highlight);

    const QRect cell = DataCellRect(rect);
    painter.setPen(palette().color(QPalette::Mid));
    if (m_options.testFlag(dgColLines))
        painter.drawLine(rect.topRight(), rect.bottomRight());
    if (m_options.testFlag(dgRowLines))
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.fillRect(cell, background);
    m_lastBackground = background;
    if (m_defaultDrawing && glyph >= 0) {
        const QImage &image = GetGridGlyph(glyph);
        painter.drawImage(cell.center() - QPoint(image.width() / 2, image.height() / 2), image);
    } else if (field) {
        painter.setFont(font);
        painter.setPen(font.Color);
        painter.setClipRect(cell);
        Glyphs::writeCellText(painter, cell, m_paintingRow.DisplayText(*field), column->CellAlignment(),
                              Glyphs::VerticalPlace::Center);
        painter.setClipping(false);
    }
    if (m_defaultDrawing && highlight && selected && !m_options.testFlag(dgRowSelect) && hasFocus())
        drawFocusRect(painter, cell, palette().color(QPalette::WindowText));
    m_paintingRow = TGridRowValues(nullptr, -1);
}

QRect TKxDBGrid::DataCellRect(const QRect &rect) const
{
    QRect cell = rect;
    if (m_options.testFlag(dgColLines))
        cell.setRight(cell.right() - 1);
    if (m_options.testFlag(dgRowLines))
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
    if (!m_defaultDrawing || !m_options.testFlag(dgRowSelect) || !hasFocus() || !currentIndex().isValid())
        return;
    // The focus rectangle round the whole current row.
    const int row = currentIndex().row();
    const QRect first = visualRect(m_model->index(row, firstVisibleColumn()));
    int last = m_columns.Count() - 1;
    while (last > 0 && !m_columns[last]->Visible)
        --last;
    const QRect right = visualRect(m_model->index(row, last));
    QRect whole = first.united(right);
    if (m_options.testFlag(dgRowLines))
        whole.setBottom(whole.bottom() - 1);
    QPainter painter(viewport());
    drawFocusRect(painter, whole, palette().color(QPalette::WindowText));
}
