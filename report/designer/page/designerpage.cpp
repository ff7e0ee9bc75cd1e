#include "report/designer/page/designerpage.h"

#include "report/designer/page/designerhost.h"
#include "report/vlcanvas.h"
#include "report/vlpage.h"
#include "report/vlreport.h"

#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

TvlShift shiftOf(Qt::KeyboardModifiers modifiers)
{
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
            modifiers.testFlag(Qt::AltModifier)};
}

TvlMouseButton buttonOf(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        return TvlMouseButton::Right;
    return button == Qt::LeftButton ? TvlMouseButton::Left : TvlMouseButton::Middle;
}

QAbstractScrollArea *scrollAreaOf(const QWidget *widget)
{
    for (QWidget *w = widget->parentWidget(); w; w = w->parentWidget())
        if (auto *area = qobject_cast<QAbstractScrollArea *>(w))
            return area;
    return nullptr;
}

// A rectangle's outline as the rubber band draws it: a rectangle one pixel
// wide or high is a single line.
void drawRubberRect(QPainter &painter, const TvlRect &rect)
{
    const TvlRect r = rect.Normalized();
    if (r.Width() <= 1 && r.Height() <= 1)
        painter.drawPoint(r.Left, r.Top);
    else if (r.Width() <= 1)
        painter.drawLine(r.Left, r.Top, r.Left, r.Bottom - 1);
    else if (r.Height() <= 1)
        painter.drawLine(r.Left, r.Top, r.Right - 1, r.Top);
    else
        painter.drawRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
}

// The digit of a key of the top row: 1 to 9, or what the Czech layout puts
// there unshifted (+ ě š č ř ž ý á í); 0 for any other key.
int digitOf(int key)
{
    if (key >= Qt::Key_1 && key <= Qt::Key_9)
        return key - Qt::Key_0;
    static const int czech[] = {Qt::Key_Plus, 0x011A, 0x0160, 0x010C, 0x0158, 0x017D, 0x00DD, 0x00C1, 0x00CD};
    for (int i = 0; i < 9; ++i)
        if (key == czech[i])
            return i + 1;
    return 0;
}

} // namespace

TvlDesignerPage::TvlDesignerPage(TvlDesignerHost &host, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
    , m_editor(host)
{
    setObjectName(QStringLiteral("PageView"));
    setMouseTracking(true);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_editor.OnInvalidate = [this](const QRegion &region) { Draw(10000, region); };
    m_editor.OnScroll = [this](int dy) {
        if (QAbstractScrollArea *area = scrollAreaOf(this))
            area->verticalScrollBar()->setValue(area->verticalScrollBar()->value() + dy);
    };
    m_editor.OnContextMenu = [this](QPoint point) { m_host.ShowContextMenu(mapToGlobal(point)); };
    m_editor.OnPanelPos = [this] { return PanelPos(); };
}

void TvlDesignerPage::PlacePage(int scrollBoxWidth)
{
    const QSize size = m_editor.PageSize();
    const int left = size.width() <= scrollBoxWidth ? (scrollBoxWidth - size.width()) / 2 : 10;
    setGeometry(left, 10, size.width(), size.height());
}

void TvlDesignerPage::Draw(int limit, const QRegion &region)
{
    (void)limit; // Qt paints what the region needs in one pass
    if (region.isEmpty())
        update();
    else
        update(region);
}

QPoint TvlDesignerPage::PanelPos() const
{
    if (QAbstractScrollArea *area = scrollAreaOf(this))
        return mapTo(area->viewport(), QPoint(0, 0));
    return pos();
}

QCursor TvlDesignerPage::PencilCursor()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawLine(1, 14, 12, 3);
    painter.drawLine(3, 14, 14, 3);
    painter.drawLine(12, 1, 14, 3);
    painter.drawLine(12, 3, 14, 1);
    painter.drawLine(1, 14, 3, 14);
    painter.drawLine(1, 12, 1, 14);
    painter.end();
    return QCursor(pixmap, 0, 15);
}

void TvlDesignerPage::applyCursor()
{
    switch (m_editor.Cursor()) {
    case TvlPageCursor::Default:
        setCursor(Qt::ArrowCursor);
        break;
    case TvlPageCursor::Cross:
        setCursor(Qt::CrossCursor);
        break;
    case TvlPageCursor::Pencil:
        setCursor(PencilCursor());
        break;
    case TvlPageCursor::SizeNWSE:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case TvlPageCursor::SizeNESW:
        setCursor(Qt::SizeBDiagCursor);
        break;
    case TvlPageCursor::SizeNS:
        setCursor(Qt::SizeVerCursor);
        break;
    case TvlPageCursor::SizeWE:
        setCursor(Qt::SizeHorCursor);
        break;
    case TvlPageCursor::SplitH:
        setCursor(Qt::SplitHCursor);
        break;
    }
}

// --- painting ----------------------------------------------------------------

void TvlDesignerPage::paintBackground(QPainter &painter, const QRect &area)
{
    const int grid = vlSafeGridSize(m_host.GridSize());
    const bool show = m_host.ShowGrid();
    if (!show || grid == 18) {
        painter.fillRect(area, Qt::white);
    } else {
        GridBrush = vlMakeGridBrush(grid);
        painter.fillRect(area, QBrush(GridBrush));
    }
    if (show && grid == 18) {
        painter.setPen(Qt::black);
        for (int x = area.left() / 18 * 18; x <= area.right(); x += 18)
            for (int y = area.top() / 18 * 18; y <= area.bottom(); y += 18)
                painter.drawPoint(x, y);
    }
    TvlPage *page = m_host.Page();
    if (!page)
        return;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::SolidLine));
    const int left = page->LeftOffset(), top = page->TopOffset();
    const int right = page->RightEdge(), bottom = page->BottomEdge();
    if (page->UseMargins)
        painter.drawRect(left, top, right - left - 1, bottom - top - 1);
    if (page->Columns > 1) {
        page->ColumnWidth = (right - left) / page->Columns;
        painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::DotLine));
        int x = left;
        for (int i = 0; i < page->Columns; ++i) {
            painter.drawRect(x, -1, page->ColumnWidth + 1, height() + 1);
            x += page->ColumnWidth + page->ColumnGap;
        }
    }
}

void TvlDesignerPage::paintPage(QPainter &painter, const QRect &area)
{
    paintBackground(painter, area);
    TvlPage *page = m_host.Page();
    const TvlReport *report = m_host.Report();
    if (!page || (report && report->IsBuilding()))
        return;
    m_editor.PrepareViews();
    TvlPainterCanvas canvas(painter);
    canvas.Mode = TvlDrawMode::Design;
    canvas.DesignPage = QRect(QPoint(0, 0), m_editor.PageSize());
    canvas.ShowBandTitles = m_host.ShowBandTitles();
    for (const auto &view : page->Objects) {
        // What lies outside the area to paint is left alone.
        if (!view->GetClipRgn(true).intersects(area))
            continue;
        painter.save();
        view->Draw(canvas);
        painter.restore();
    }
}

void TvlDesignerPage::paintOverlays(QPainter &painter)
{
    TvlPage *page = m_host.Page();
    if (!page)
        return;
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setBrush(Qt::NoBrush);
    const QColor silver(0xC0, 0xC0, 0xC0);
    if (m_editor.HandlesVisible()) {
        const int count = vlCountSelected(page);
        for (int i = 0; i < page->Count(); ++i) {
            const TvlView *v = page->Object(i);
            if (!v->Selected)
                continue;
            const int r = v->Left + v->Width, b = v->Top + v->Height;
            QList<QPoint> points = {{v->Left, v->Top}, {r, v->Top}, {v->Left, b}};
            if (count == 1)
                points += {{v->Left + v->Width / 2, v->Top},
                           {v->Left + v->Width / 2, b},
                           {v->Left, v->Top + v->Height / 2},
                           {r, v->Top + v->Height / 2}};
            for (const QPoint &p : points)
                painter.fillRect(p.x() - 2, p.y() - 2, 5, 5, Qt::white);
            painter.fillRect(r - 2, b - 2, 5, 5, i == m_editor.BottomRightIndex() ? QColor(0, 0x80, 0x80) : Qt::white);
        }
    }
    painter.setPen(QPen(silver, 1));
    if (m_editor.OutlinesVisible())
        for (const auto &v : page->Objects)
            if (v->Selected)
                drawRubberRect(painter, {v->Left, v->Top, v->Left + v->Width + 1, v->Top + v->Height + 1});
    if (m_editor.RubberBandVisible())
        drawRubberRect(painter, DragRect);
    if (m_editor.PreviewVisible())
        drawRubberRect(painter, m_editor.PreviewRect());
    if (m_editor.EdgeLineVisible()) {
        const TvlRect e = m_editor.EdgeLine();
        painter.drawLine(e.Left, e.Top, e.Right, e.Bottom);
    }
    if (m_editor.NewLineVisible()) {
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.setPen(QPen(Qt::black, std::max(1, vlRound(DefaultLineWidth))));
        const TvlRect d = DragRect;
        if (std::abs(d.Right - d.Left) <= std::abs(d.Bottom - d.Top))
            painter.drawLine(d.Left, d.Top, d.Left, d.Bottom);
        else
            painter.drawLine(d.Left, d.Top, d.Right, d.Top);
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TvlDesignerPage::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    if (m_editor.OutlinesVisible() && !m_frozen.isNull()) {
        painter.drawPixmap(area, m_frozen, area);
    } else {
        m_frozen = QPixmap();
        painter.setClipRegion(event->region());
        paintPage(painter, event->region().boundingRect());
    }
    paintOverlays(painter);
}

// --- events ------------------------------------------------------------------

void TvlDesignerPage::mousePressEvent(QMouseEvent *event)
{
    m_editor.MouseDown(buttonOf(event->button()), shiftOf(event->modifiers()), event->position().toPoint());
    if (m_editor.OutlinesVisible() && m_frozen.isNull()) {
        // The page stays as it was while only the outlines follow the mouse.
        m_frozen = QPixmap(size());
        QPainter painter(&m_frozen);
        paintPage(painter, rect());
    }
    applyCursor();
}

void TvlDesignerPage::mouseMoveEvent(QMouseEvent *event)
{
    m_editor.MouseMove(shiftOf(event->modifiers()), event->position().toPoint());
    applyCursor();
}

void TvlDesignerPage::mouseReleaseEvent(QMouseEvent *event)
{
    m_editor.MouseUp(buttonOf(event->button()), shiftOf(event->modifiers()), event->position().toPoint());
    if (!m_editor.OutlinesVisible() && !m_frozen.isNull()) {
        m_frozen = QPixmap();
        update();
    }
    applyCursor();
}

void TvlDesignerPage::mouseDoubleClickEvent(QMouseEvent *event)
{
    // No press is made of it: the user's press before it already went through.
    if (event->button() == Qt::LeftButton)
        m_editor.DoubleClick();
}

void TvlDesignerPage::leaveEvent(QEvent *event)
{
    m_editor.MouseLeave();
    QWidget::leaveEvent(event);
}

bool TvlDesignerPage::FormKeyDown(QKeyEvent *event)
{
    TvlKey key = TvlKey::Other;
    int digit = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        key = TvlKey::Left;
        break;
    case Qt::Key_Right:
        key = TvlKey::Right;
        break;
    case Qt::Key_Up:
        key = TvlKey::Up;
        break;
    case Qt::Key_Down:
        key = TvlKey::Down;
        break;
    case Qt::Key_Delete:
        key = TvlKey::Delete;
        break;
    case Qt::Key_Insert:
        key = TvlKey::Insert;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = TvlKey::Enter;
        break;
    case Qt::Key_PageUp:
        key = TvlKey::PageUp;
        break;
    case Qt::Key_PageDown:
        key = TvlKey::PageDown;
        break;
    case Qt::Key_G:
        key = TvlKey::G;
        break;
    case Qt::Key_B:
        key = TvlKey::B;
        break;
    case Qt::Key_F:
        key = TvlKey::F;
        break;
    case Qt::Key_D:
        key = TvlKey::D;
        break;
    default:
        digit = digitOf(event->key());
        if (digit > 0)
            key = TvlKey::Digit;
        break;
    }
    if (key == TvlKey::Other)
        return false;
    const bool used = m_editor.KeyDown(key, shiftOf(event->modifiers()), digit);
    applyCursor();
    return used;
}
