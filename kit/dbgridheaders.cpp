#include "kit/dbgridheaders.h"

#include "kit/dbgrid.h"
#include "kit/dbgridmodel.h"
#include "kit/glyphs.h"
#include "kit/gridglyphs.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int sizingMargin = 5;

} // namespace

QRect DrawFixedCellEdge(QPainter &painter, const QRect &rect, bool sunken, const QPalette &palette)
{
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    const QColor topLeft = sunken ? dark : light;
    const QColor bottomRight = sunken ? light : dark;
    painter.setPen(bottomRight);
    painter.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    painter.drawLine(rect.right(), rect.top(), rect.right(), rect.bottom());
    painter.setPen(topLeft);
    painter.drawLine(rect.left(), rect.top(), rect.right() - 1, rect.top());
    painter.drawLine(rect.left(), rect.top(), rect.left(), rect.bottom() - 1);
    return rect.adjusted(1, 1, -1, -1);
}

// ---------------------------------------------------------------- titles

TKxDBGridTitles::TKxDBGridTitles(TKxDBGrid *grid)
    : QHeaderView(Qt::Horizontal, grid)
    , m_grid(grid)
{
    setSectionsClickable(false);
    setHighlightSections(false);
    setMinimumSectionSize(4);
}

void TKxDBGridTitles::paintSection(QPainter *painter, const QRect &cellRect, int logicalIndex) const
{
    TDBGridColumns &columns = m_grid->Columns();
    if (logicalIndex < 0 || logicalIndex >= columns.Count())
        return;
    TColumn *column = columns[logicalIndex];
    Db::Field *field = m_grid->ColumnField(column);
    const bool buttons = m_grid->TitleButtons();
    const auto options = m_grid->Options();
    painter->save();

    QRect rect = cellRect;
    // The frame lines every fixed cell has towards its neighbours.
    painter->setPen(palette().color(QPalette::WindowText));
    if (options.testFlag(TKxDBGrid::dgColLines) || buttons)
        painter->drawLine(rect.topRight(), rect.bottomRight());
    if (options.testFlag(TKxDBGrid::dgRowLines) || buttons)
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    if (logicalIndex == m_grid->FixedCols() - 1)
        painter->drawLine(rect.topRight(), rect.bottomRight()); // the frozen columns' edge
    rect.adjust(0, 0, -1, -1);

    const bool down = m_pressed && m_pressedColumn == logicalIndex;
    QColor brush = column->Title.Color.isValid() ? column->Title.Color : m_grid->FixedColor();
    TKxCellFont font = column->Title.Font ? *column->Title.Font
                                          : TKxCellFont(m_grid->TitleFont(), palette().color(QPalette::ButtonText));
    TKxDBGrid::TSortMarker marker = TKxDBGrid::smNone;
    if (buttons && field && m_grid->OnGetBtnParams) {
        QColor background = brush;
        marker = m_grid->GetBtnParams(field, font, background, down);
        if (marker != TKxDBGrid::smNone)
            brush = background;
    }
    painter->fillRect(rect, brush);
    if (buttons || (options.testFlag(TKxDBGrid::dgColLines) && options.testFlag(TKxDBGrid::dgRowLines)))
        rect = DrawFixedCellEdge(*painter, rect, down, palette());
    if (down)
        rect.translate(1, 1);
    if (!m_grid->LinkActive()) {
        painter->restore();
        return;
    }

    const QImage &glyph = marker == TKxDBGrid::smDown ? GetGridGlyph(ggSortDown)
                          : marker == TKxDBGrid::smUp ? GetGridGlyph(ggSortUp)
                                                      : GetGridGlyph(-1);
    const int indent = glyph.isNull() ? 1 : glyph.width() + 6;
    painter->setFont(font);
    painter->setPen(font.Color);
    const QFontMetrics metrics(font);
    const QString caption = Glyphs::shortenString(metrics, column->Caption(), rect.width() - indent);
    QRect textRect = rect;
    textRect.setRight(rect.right() - indent + 1);
    Glyphs::writeCellText(*painter, textRect, caption, column->Title.Alignment, Glyphs::VerticalPlace::Center);
    if (!glyph.isNull()) {
        const int x = rect.right() + 1 - glyph.width() - (down ? 2 : 3);
        const int y = rect.top() + (rect.height() - glyph.height()) / 2;
        const QRect glyphRect(x, y, glyph.width(), glyph.height());
        if (rect.contains(glyphRect) && x > rect.left())
            painter->drawImage(glyphRect.topLeft(), glyph);
    }
    painter->restore();
}

bool TKxDBGridTitles::nearBorder(QPoint point) const
{
    const int index = logicalIndexAt(point);
    if (index < 0)
        return false;
    const int left = sectionViewportPosition(index);
    const int right = left + sectionSize(index);
    if (right - point.x() <= sizingMargin)
        return true;
    // The left border sizes the column before it; the first column has none.
    return point.x() - left < sizingMargin && visualIndex(index) > 0;
}

void TKxDBGridTitles::forwardAsLeft(QMouseEvent *event)
{
    QMouseEvent left(event->type(), event->position(), event->scenePosition(), event->globalPosition(), Qt::LeftButton,
                     event->type() == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton),
                     event->modifiers());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        QHeaderView::mousePressEvent(&left);
        break;
    case QEvent::MouseMove:
        QHeaderView::mouseMoveEvent(&left);
        break;
    default:
        QHeaderView::mouseReleaseEvent(&left);
        break;
    }
}

void TKxDBGridTitles::mousePressEvent(QMouseEvent *event)
{
    m_grid->setFocus(Qt::MouseFocusReason);
    const int column = logicalIndexAt(event->position().toPoint());
    const auto options = m_grid->Options();
    if (!m_grid->TitleButtons() || !m_grid->LinkActive() || column < 0 || nearBorder(event->position().toPoint())) {
        if (event->button() == Qt::LeftButton && options.testFlag(TKxDBGrid::dgColumnResize))
            QHeaderView::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::RightButton && options.testFlag(TKxDBGrid::dgColumnResize)) {
        // The right button drags the column to another place.
        m_rightSwapped = true;
        forwardAsLeft(event);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    bool enabled = true;
    m_grid->DoCheckButton(column, 0, enabled);
    if (!enabled) {
        Glyphs::beep();
        return;
    }
    m_tracking = true;
    m_pressedColumn = column;
    trackTitleButton(event->position().toPoint());
}

void TKxDBGridTitles::trackTitleButton(QPoint point)
{
    const bool pressed = m_tracking && rect().contains(point) && logicalIndexAt(point) == m_pressedColumn;
    if (pressed != m_pressed) {
        m_pressed = pressed;
        viewport()->update();
    }
}

void TKxDBGridTitles::mouseMoveEvent(QMouseEvent *event)
{
    if (m_tracking) {
        trackTitleButton(event->position().toPoint());
        return;
    }
    if (m_rightSwapped) {
        forwardAsLeft(event);
        return;
    }
    QHeaderView::mouseMoveEvent(event);
}

void TKxDBGridTitles::StopTitleTracking()
{
    if (!m_tracking)
        return;
    m_tracking = false;
    trackTitleButton(QPoint(-1, -1));
}

void TKxDBGridTitles::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_rightSwapped) {
        m_rightSwapped = false;
        forwardAsLeft(event);
        return;
    }
    if (!m_tracking) {
        QHeaderView::mouseReleaseEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    const bool overPressed = rect().contains(point) && logicalIndexAt(point) == m_pressedColumn;
    const int column = m_pressedColumn;
    StopTitleTracking();
    if (overPressed && m_grid->LinkActive() && column >= 0 && column < m_grid->Columns().Count())
        m_grid->DoTitleBtnClick(column, m_grid->Columns()[column]->Field());
}

void TKxDBGridTitles::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A quick second click on a title is another click of the button.
    mousePressEvent(event);
}

// ---------------------------------------------------------------- indicator

TKxDBGridIndicator::TKxDBGridIndicator(TKxDBGrid *grid)
    : QHeaderView(Qt::Vertical, grid)
    , m_grid(grid)
{
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Fixed);
    setMinimumSectionSize(1);
}

QSize TKxDBGridIndicator::sizeHint() const
{
    return QSize(IndicatorWidth, QHeaderView::sizeHint().height());
}

void TKxDBGridIndicator::paintSection(QPainter *painter, const QRect &cellRect, int logicalIndex) const
{
    painter->save();
    const auto options = m_grid->Options();
    QRect rect = cellRect;
    painter->setPen(palette().color(QPalette::WindowText));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    if (options.testFlag(TKxDBGrid::dgRowLines))
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    rect.adjust(0, 0, -1, options.testFlag(TKxDBGrid::dgRowLines) ? -1 : 0);
    painter->fillRect(rect, m_grid->FixedColor());
    const bool bothLines = options.testFlag(TKxDBGrid::dgColLines) && options.testFlag(TKxDBGrid::dgRowLines);
    if (bothLines)
        rect = DrawFixedCellEdge(*painter, rect, false, palette());

    const bool current = m_grid->GridModel()->CurrentPosition() == logicalIndex;
    const bool marked = m_grid->MultiSelect() && m_grid->RowMarked(logicalIndex);
    if (current || marked) {
        const QImage &image = GetIndicatorImage(!marked   ? TIndicatorMark::Current
                                                : current ? TIndicatorMark::MarkedCurrent
                                                          : TIndicatorMark::Marked);
        const int x = rect.right() + 1 - image.width() - (bothLines ? 1 : 2);
        const int y = rect.top() + (rect.height() - image.height()) / 2;
        painter->drawImage(QPoint(std::max(rect.left(), x), y), image);
    }
    painter->restore();
}

void TKxDBGridIndicator::mousePressEvent(QMouseEvent *event)
{
    m_grid->setFocus(Qt::MouseFocusReason);
    const int row = logicalIndexAt(event->position().toPoint());
    if (row < 0 || event->button() != Qt::LeftButton || !m_grid->LinkActive())
        return;
    m_grid->pressRowHeader(row, event->modifiers());
}

void TKxDBGridIndicator::mouseMoveEvent(QMouseEvent *) {}
void TKxDBGridIndicator::mouseReleaseEvent(QMouseEvent *) {}
void TKxDBGridIndicator::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}
