#include "report/designer/page/pageeditor.h"

#include "report/designer/page/designerhost.h"
#include "report/designer/page/designerundo.h"
#include "report/vlbandview.h"
#include "report/vlmemoview.h"
#include "report/vlpage.h"
#include "report/vlregistry.h"
#include "report/vlreport.h"
#include "report/vlstreams.h"
#include "report/vlsubreportview.h"

#include <cstdlib>

namespace {

// Handles reach 3 pixels around their point (5 x 5 squares); repaints take them in.
QRegion viewRegion(const TvlView &view)
{
    QRegion region = view.GetClipRgn(true);
    region += QRect(view.Left, view.Top, view.Width, view.Height).normalized().adjusted(-4, -4, 5, 5);
    return region;
}

} // namespace

TvlPageEditor::TvlPageEditor(TvlDesignerHost &host)
    : m_host(host)
{}

TvlPage *TvlPageEditor::page() const
{
    return m_host.Page();
}

int TvlPageEditor::gridSize() const
{
    return vlSafeGridSize(m_host.GridSize());
}

bool TvlPageEditor::snapping() const
{
    return m_host.GridAlign();
}

QSize TvlPageEditor::PageSize() const
{
    const TvlPage *p = page();
    return p ? QSize(p->PrnInfo.PageWidth, p->PrnInfo.PageHeight) : QSize();
}

void TvlPageEditor::invalidate(const QRegion &region)
{
    if (OnInvalidate)
        OnInvalidate(region);
}

bool TvlPageEditor::insertMode() const
{
    const int tool = m_host.ObjectTool();
    return tool != toolSelect && tool != toolLine;
}

bool TvlPageEditor::lineMode() const
{
    return m_host.ObjectTool() == toolLine;
}

void TvlPageEditor::PrepareViews() const
{
    TvlPage *p = page();
    if (!p)
        return;
    const QRect area(QPoint(0, 0), PageSize());
    for (const auto &view : p->Objects)
        if (auto *band = dynamic_cast<TvlBandView *>(view.get())) {
            band->DesignPage = area;
            // A band is the strip it is drawn as, so its handles, the inspector
            // and a resize start from that strip.
            const QRect strip = band->BandRect(area);
            band->SetBounds(strip.x(), strip.y(), strip.width(), strip.height());
        }
}

QRegion TvlPageEditor::SelectedRegion() const
{
    QRegion region;
    if (TvlPage *p = page()) {
        PrepareViews();
        for (const auto &view : p->Objects)
            if (view->Selected)
                region += viewRegion(*view);
    }
    return region;
}

bool TvlPageEditor::HandlesVisible() const
{
    const TvlReport *report = m_host.Report();
    return !m_down && !(report && report->IsBuilding());
}

void TvlPageEditor::deselectAll()
{
    vlClearSelection(page());
    m_bottomRightIndex = -1;
    GroupRectValid = false;
}

void TvlPageEditor::SelectOnly(int index)
{
    TvlPage *p = page();
    if (!p || index < 0 || index >= p->Count())
        return;
    const QRegion before = SelectedRegion();
    deselectAll();
    TvlView *view = p->Object(index);
    view->Selected = true;
    SelectedCount = 1;
    PrimaryView = view;
    ComputeGroupRect();
    invalidate(before + SelectedRegion());
}

int TvlPageEditor::hitTest(QPoint point) const
{
    TvlPage *p = page();
    if (!p)
        return -1;
    PrepareViews();
    for (int i = p->Count() - 1; i >= 0; --i)
        if (p->Object(i)->GetClipRgn(false).contains(point))
            return i;
    return -1;
}

void TvlPageEditor::ComputeGroupRect()
{
    m_bottomRightIndex = -1;
    m_groupOrigin = QPoint(10000, 10000);
    GroupRectValid = false;
    m_savedRects.clear();
    TvlPage *p = page();
    if (!p || vlCountSelected(p) < 2)
        return;
    int bestRight = 0, bestBottom = 0;
    for (int i = 0; i < p->Count(); ++i) {
        const TvlView *view = p->Object(i);
        if (!view->Selected)
            continue;
        const TvlBounds b = vlBoundsOf(*view);
        m_savedRects[view] = b;
        if (b.Right() > bestRight || (b.Right() == bestRight && b.Bottom() > bestBottom)) {
            bestRight = b.Right();
            bestBottom = b.Bottom();
            m_bottomRightIndex = i;
        }
        m_groupOrigin.setX(std::min(m_groupOrigin.x(), b.Left));
        m_groupOrigin.setY(std::min(m_groupOrigin.y(), b.Top));
    }
    DragRect = {m_groupOrigin.x(), m_groupOrigin.y(), bestRight, bestBottom};
    DragRectStart = DragRect;
    GroupRectValid = true;
}

void TvlPageEditor::ArrangeBands()
{
    if (TvlPage *p = page())
        vlArrangeBands(*p);
}

void TvlPageEditor::ResetMouseState()
{
    m_down = false;
    IgnoreNextDown = false;
    m_rubberBand = false;
    m_cursor = TvlPageCursor::Default;
    m_cursorFixed = true;
    m_resizeCorner = 0;
    m_outlines = false;
    m_previewShown = false;
    m_drawingLine = false;
    m_edgeDrag = false;
    m_moved = false;
    showRectInStatus(false);
    invalidate();
}

// --- mouse down --------------------------------------------------------------

void TvlPageEditor::MouseDown(TvlMouseButton button, TvlShift shift, QPoint point)
{
    TvlPage *p = page();
    if (!p)
        return;
    if (IgnoreNextDown) {
        IgnoreNextDown = false;
        return;
    }
    int x = point.x(), y = point.y();
    if (button == TvlMouseButton::Right && m_rubberBand)
        invalidate();
    m_rubberBand = false;
    m_down = true;
    invalidate(SelectedRegion()); // the handles go while the button is down

    const bool left = button == TvlMouseButton::Left;
    if (!left && (insertMode() || lineMode())) {
        m_down = false;
        return;
    }
    if (left && (shift.Ctrl || insertMode())) {
        m_rubberBand = true;
        if (insertMode()) {
            if (!m_previewShown || m_cursor != TvlPageCursor::Cross)
                startInsertPreview(point); // pressed before the pointer moved here
            m_previewShown = false;
            if (snapping())
                vlSnapToGrid(x, y, gridSize());
            DragRectStart = m_preview;
        }
        DragRect = {x, y, x, y};
        deselectAll();
        UndoPending = false;
        invalidate();
        return;
    }
    if (left && lineMode()) {
        if (snapping())
            vlSnapLineStart(*p, x, y, gridSize());
        DragRect = {x, y, x, y};
        deselectAll();
        m_lastX = x;
        m_lastY = y;
        m_drawingLine = true;
        UndoPending = false;
        invalidate();
        return;
    }

    // Select mode. A press on a handle the pointer showed as one keeps the
    // selection even where the handle reaches beyond its view.
    const int hit = hitTest(point);
    hover(point);
    const bool onHandle = m_cursor != TvlPageCursor::Default && m_cursor != TvlPageCursor::Cross &&
                          m_cursor != TvlPageCursor::Pencil && vlCountSelected(p) > 0;
    bool keptSelection = false;
    if (onHandle && (hit < 0 || p->Object(hit)->Selected) && !shift.Shift) {
        keptSelection = true;
    } else if (hit >= 0) {
        TvlView *view = p->Object(hit);
        if (shift.Shift) {
            view->Selected = !view->Selected;
            SelectedCount += view->Selected ? 1 : -1;
        } else if (!view->Selected) {
            deselectAll();
            view->Selected = true;
            SelectedCount = 1;
        } else {
            keptSelection = true;
        }
        vlCountSelected(p);
        if (SelectedCount == 0)
            PrimaryView = nullptr;
        else if (SelectedCount == 1)
            PrimaryView = p->Object(vlTopSelectedIndex(p));
        else if (PrimaryView && !PrimaryView->Selected)
            PrimaryView = nullptr;
    } else {
        const QRegion before = SelectedRegion();
        deselectAll();
        invalidate(before);
        if (left) {
            m_rubberBand = true;
            DragRect = {x, y, x, y};
            UndoPending = false;
            return;
        }
    }
    ComputeGroupRect();
    if (!keptSelection) {
        m_cursor = TvlPageCursor::Default; // a newly selected view moves; its handles were not shown yet
        m_host.SelectionChanged();
    }
    invalidate();

    if (SelectedCount == 0) {
        m_bottomRightIndex = -1;
        GroupRectValid = false;
    }
    m_lastX = x;
    m_lastY = y;
    m_moved = false;
    UndoPending = SelectedCount > 0;
    m_firstMove = true;

    if (button != TvlMouseButton::Right) {
        m_outlines = !m_host.MoveContents() && SelectedCount > 0;
        return;
    }
    m_down = false;
    invalidate(SelectedRegion());
    if (OnContextMenu)
        OnContextMenu(point);
}

// --- mouse move --------------------------------------------------------------

void TvlPageEditor::takeBandContents()
{
    TvlPage *p = page();
    const int index = vlTopSelectedIndex(p);
    TvlView *band = p->Object(index);
    const TvlBounds b = vlBoundsOf(*band);
    for (const auto &view : p->Objects) {
        if (view->ObjectType == otBand || view->Selected)
            continue;
        if (view->Left >= b.Left && view->Top >= b.Top && view->Left + view->Width <= b.Right() &&
            view->Top + view->Height <= b.Bottom()) {
            view->Selected = true;
            ++SelectedCount;
        }
    }
    vlCountSelected(p);
    if (SelectedCount > 1) {
        m_host.SelectionChanged();
        ComputeGroupRect();
    }
}

void TvlPageEditor::recordFirstMove(TvlShift shift, QPoint point)
{
    int dx = 0, dy = 0;
    if (!snappedDelta(point, dx, dy))
        return;
    // A band dragged alone takes the objects lying in it; they belong to
    // the same undo entry, so the selection grows before it is recorded.
    TvlPage *p = page();
    if (m_firstMove && m_cursor == TvlPageCursor::Default && SelectedCount == 1 && !shift.Alt &&
        p->Object(vlTopSelectedIndex(p))->ObjectType == otBand)
        takeBandContents();
    m_firstMove = false;
    SelectionRegion = SelectedRegion();
    UndoPending = false;
    m_host.AddUndoAction(UndoEdit);
}

void TvlPageEditor::hover(QPoint point)
{
    TvlPage *p = page();
    const int x = point.x(), y = point.y();
    constexpr int r = 2;
    m_cursor = TvlPageCursor::Default;
    vlCountSelected(p);
    if (SelectedCount == 1) {
        const TvlBounds b = vlBoundsOf(*p->Object(vlTopSelectedIndex(p)));
        const int midX = b.Left + b.Width / 2, midY = b.Top + b.Height / 2;
        if (vlPointInHandle(b.Left, b.Top, x, y, r) || vlPointInHandle(b.Right(), b.Bottom(), x, y, r))
            m_cursor = TvlPageCursor::SizeNWSE;
        else if (vlPointInHandle(b.Right(), b.Top, x, y, r) || vlPointInHandle(b.Left, b.Bottom(), x, y, r))
            m_cursor = TvlPageCursor::SizeNESW;
        else if (vlPointInHandle(midX, b.Top, x, y, r) || vlPointInHandle(midX, b.Bottom(), x, y, r))
            m_cursor = TvlPageCursor::SizeNS;
        else if (vlPointInHandle(b.Left, midY, x, y, r) || vlPointInHandle(b.Right(), midY, x, y, r))
            m_cursor = TvlPageCursor::SizeWE;
        return;
    }
    if (SelectedCount < 2)
        return;
    if (m_bottomRightIndex >= 0 && m_bottomRightIndex < p->Count()) {
        const TvlBounds b = vlBoundsOf(*p->Object(m_bottomRightIndex));
        if (vlPointInHandle(b.Right(), b.Bottom(), x, y, r))
            m_cursor = TvlPageCursor::SizeNWSE;
    }
    for (const auto &view : p->Objects) {
        if (!view->Selected || view->ObjectType == otBand)
            continue;
        const TvlBounds b = vlBoundsOf(*view);
        if (x < b.Left || x > b.Right() || y < b.Top || y > b.Bottom())
            continue;
        for (const auto &other : p->Objects) {
            if (other == view || !other->Selected || other->ObjectType == otBand)
                continue;
            const TvlBounds o = vlBoundsOf(*other);
            int edge = -1;
            if (o.Right() == b.Left && x <= b.Left + 2) {
                edge = b.Left;
                m_edgeLeft = other.get();
                m_edgeRight = view.get();
            } else if (o.Left == b.Right() && x >= b.Right() - 2) {
                edge = b.Right();
                m_edgeLeft = view.get();
                m_edgeRight = other.get();
            }
            if (edge >= 0) {
                m_cursor = TvlPageCursor::SplitH;
                m_edgeLine = {edge, b.Top, edge, b.Bottom()};
                m_edgeStart = edge;
                return;
            }
        }
    }
}

void TvlPageEditor::showRectInStatus(bool show)
{
    if (!show && !ShowDragRectInStatus)
        return;
    ShowDragRectInStatus = show;
    m_host.RepaintStatusPanel();
}

void TvlPageEditor::startInsertPreview(QPoint point)
{
    const QSize size = m_host.ObjectTool() == toolBand ? QSize(PageSize().width(), 40)
                                                       : vlDefaultMemoSize(gridSize(), DefaultFontSize);
    m_preview = {0, 0, size.width(), size.height()};
    m_cursor = TvlPageCursor::Cross;
    updateInsertPreview(point);
}

void TvlPageEditor::updateInsertPreview(QPoint point)
{
    int x = point.x(), y = point.y();
    if (snapping())
        vlSnapToGrid(x, y, gridSize());
    const QRegion before(m_preview.Normalized().ToQRect().adjusted(-1, -1, 2, 2));
    m_preview = {x, y, x + m_preview.Width(), y + m_preview.Height()};
    m_previewShown = true;
    invalidate(before + m_preview.Normalized().ToQRect().adjusted(-1, -1, 2, 2));
    DragRect = m_preview;
    showRectInStatus(true);
}

void TvlPageEditor::MouseMove(TvlShift shift, QPoint point)
{
    TvlPage *p = page();
    if (!p)
        return;
    m_moved = true;
    if (UndoPending && m_down && !m_rubberBand)
        recordFirstMove(shift, point);

    if (!m_down) {
        const int tool = m_host.ObjectTool();
        if (tool == toolLine || tool == toolSelect)
            showRectInStatus(false);
        if (tool == toolLine) {
            m_cursorFixed = true;
            m_cursor = TvlPageCursor::Pencil;
            if (m_previewShown)
                invalidate();
            m_previewShown = false;
        } else if (tool == toolSelect) {
            m_cursorFixed = true;
            if (m_previewShown)
                invalidate();
            m_previewShown = false;
            hover(point);
        } else {
            m_cursorFixed = false;
            if (m_cursor != TvlPageCursor::Cross)
                startInsertPreview(point);
            else
                updateInsertPreview(point);
        }
        return;
    }

    if (m_rubberBand) {
        const QRegion before(DragRect.Normalized().ToQRect().adjusted(-1, -1, 2, 2));
        int x = point.x(), y = point.y();
        if (insertMode() && snapping())
            vlSnapToGrid(x, y, gridSize());
        DragRect.Right = x;
        DragRect.Bottom = y;
        invalidate(before + DragRect.Normalized().ToQRect().adjusted(-1, -1, 2, 2));
        if (insertMode()) {
            showRectInStatus(true);
        }
        return;
    }
    if (m_drawingLine) {
        int dx = 0, dy = 0;
        if (!snappedDelta(point, dx, dy))
            return;
        const QRegion before(DragRect.Normalized().ToQRect().adjusted(-8, -8, 9, 9));
        DragRect.Right += dx;
        DragRect.Bottom += dy;
        m_lastX += dx;
        m_lastY += dy;
        invalidate(before + DragRect.Normalized().ToQRect().adjusted(-8, -8, 9, 9));
        return;
    }
    if (GroupRectValid && m_cursor == TvlPageCursor::SplitH)
        dragEdge(point);
    else if (GroupRectValid && m_cursor != TvlPageCursor::Default)
        resizeGroup(point);
    else if (m_cursor == TvlPageCursor::Default && SelectedCount > 0)
        moveSelection(point);
    else if (SelectedCount == 1 && m_cursor != TvlPageCursor::Default)
        resizeOne(point);
}

bool TvlPageEditor::snappedDelta(QPoint point, int &dx, int &dy) const
{
    dx = point.x() - m_lastX;
    dy = point.y() - m_lastY;
    return !snapping() || vlSnapMoveDelta(dx, dy, gridSize());
}

void TvlPageEditor::dragEdge(QPoint point)
{
    int dx = 0, dy = 0;
    if (!snappedDelta(QPoint(point.x(), m_lastY), dx, dy))
        return;
    const QRegion before(m_edgeLine.Normalized().ToQRect().adjusted(-1, -1, 2, 2));
    m_edgeDrag = true;
    m_edgeLine.Left += dx;
    m_edgeLine.Right += dx;
    m_lastX += dx;
    invalidate(before + m_edgeLine.Normalized().ToQRect().adjusted(-1, -1, 2, 2));
}

void TvlPageEditor::resizeGroup(QPoint point)
{
    int dx = 0, dy = 0;
    if (!snappedDelta(point, dx, dy))
        return;
    TvlPage *p = page();
    const QRegion before = SelectedRegion();
    DragRect.Right += dx;
    DragRect.Bottom += dy;
    const double kx = vlScaleFactor(DragRect.Width(), DragRectStart.Width());
    const double ky = vlScaleFactor(DragRect.Height(), DragRectStart.Height());
    for (const auto &view : p->Objects) {
        if (!view->Selected)
            continue;
        const auto saved = m_savedRects.find(view.get());
        if (saved != m_savedRects.end())
            vlSetBounds(*view, vlScaleBounds(saved->second, m_groupOrigin, kx, ky));
    }
    m_lastX += dx;
    m_lastY += dy;
    invalidate(before + SelectedRegion());
    m_host.RepaintStatusPanel();
}

void TvlPageEditor::moveSelection(QPoint point)
{
    int dx = 0, dy = 0;
    if (!snappedDelta(point, dx, dy))
        return;
    TvlPage *p = page();
    m_firstMove = false;
    const QRegion before = SelectedRegion();
    for (const auto &view : p->Objects)
        if (view->Selected) {
            view->Left += dx;
            view->Top += dy;
        }
    m_lastX += dx;
    m_lastY += dy;
    invalidate(before + SelectedRegion());
    m_host.RepaintStatusPanel();
}

void TvlPageEditor::resizeOne(QPoint point)
{
    int dx = 0, dy = 0;
    if (!snappedDelta(point, dx, dy))
        return;
    TvlPage *p = page();
    const int index = vlTopSelectedIndex(p);
    if (index < 0 || !p->Object(index)->Selected)
        return;
    TvlView *view = p->Object(index);
    const TvlBounds b = vlBoundsOf(*view);
    if (m_resizeCorner == 0) {
        constexpr int r = 3;
        switch (m_cursor) {
        case TvlPageCursor::SizeNWSE:
            m_resizeCorner = vlPointInHandle(b.Left, b.Top, m_lastX, m_lastY, r) ? 1 : 2;
            break;
        case TvlPageCursor::SizeNESW:
            m_resizeCorner = vlPointInHandle(b.Right(), b.Top, m_lastX, m_lastY, r) ? 3 : 4;
            break;
        case TvlPageCursor::SizeWE:
            m_resizeCorner = vlPointInHandle(b.Left, b.Top + b.Height / 2, m_lastX, m_lastY, r) ? 5 : 6;
            break;
        case TvlPageCursor::SizeNS:
            m_resizeCorner = vlPointInHandle(b.Left + b.Width / 2, b.Top, m_lastX, m_lastY, r) ? 7 : 8;
            break;
        default:
            return;
        }
    }
    const QRegion before = SelectedRegion();
    const int corner = m_resizeCorner;
    if (corner == 1 || corner == 4 || corner == 5) {
        view->Left += dx;
        view->Width -= dx;
    }
    if (corner == 2 || corner == 3 || corner == 6)
        view->Width += dx;
    if (corner == 1 || corner == 3 || corner == 7) {
        view->Top += dy;
        view->Height -= dy;
    }
    if (corner == 2 || corner == 4 || corner == 8)
        view->Height += dy;
    m_lastX += dx;
    m_lastY += dy;
    invalidate(before + SelectedRegion());
    m_host.RepaintStatusPanel();
}

// --- mouse up ----------------------------------------------------------------

void TvlPageEditor::MouseUp(TvlMouseButton button, TvlShift shift, QPoint point)
{
    (void)shift, (void)point;
    TvlPage *p = page();
    if (button != TvlMouseButton::Left || !p)
        return;
    m_down = false;
    m_outlines = false;
    if (m_rubberBand && insertMode())
        finishInsert();
    else if (m_drawingLine)
        finishLine();
    else if (m_rubberBand)
        finishRubberBand();
    else if (m_moved && GroupRectValid && m_cursor == TvlPageCursor::SplitH) {
        if (m_edgeDrag && m_edgeLeft && m_edgeRight)
            vlMoveSharedEdge(*m_edgeLeft, *m_edgeRight, m_edgeLine.Left - m_edgeStart);
        m_edgeDrag = false;
        ComputeGroupRect();
        invalidate(SelectionRegion + SelectedRegion());
        m_host.UpdateStatus();
    } else if (m_moved && GroupRectValid && m_cursor != TvlPageCursor::Default) {
        // A group dragged over its own origin turns inside out like one view.
        normalizeSelected();
        ComputeGroupRect();
        invalidate(SelectionRegion + SelectedRegion());
        m_host.UpdateStatus();
    } else if (!m_moved) {
        invalidate(SelectedRegion());
    } else if (vlCountSelected(p) == 1) {
        normalizeSelected();
        invalidate(SelectionRegion + SelectedRegion());
        m_host.UpdateStatus();
    } else {
        invalidate(SelectionRegion + SelectedRegion());
        ComputeGroupRect();
        m_host.UpdateStatus();
    }
    m_edgeDrag = false;
    m_moved = false;
    m_resizeCorner = 0;
}

void TvlPageEditor::normalizeSelected()
{
    for (const auto &view : page()->Objects) {
        if (!view->Selected)
            continue;
        if (view->Width < 0) {
            view->Left += view->Width;
            view->Width = -view->Width;
        }
        if (view->Height < 0) {
            view->Top += view->Height;
            view->Height = -view->Height;
        }
    }
}

void TvlPageEditor::finishRubberBand()
{
    TvlPage *p = page();
    m_rubberBand = false;
    const TvlRect r = DragRect.Normalized();
    for (const auto &view : p->Objects) {
        if (view->ObjectType == otBand)
            continue;
        if (view->Left <= r.Right && r.Left <= view->Left + view->Width && view->Top <= r.Bottom &&
            r.Top <= view->Top + view->Height)
            view->Selected = true;
    }
    vlCountSelected(p);
    PrimaryView = SelectedCount == 1 ? p->Object(vlTopSelectedIndex(p)) : nullptr;
    ComputeGroupRect();
    m_host.SelectionChanged();
    invalidate();
}

// --- double click, leaving ---------------------------------------------------

void TvlPageEditor::DoubleClick()
{
    // Qt sends press, release, double click, release: the double click takes
    // the place of the second press, so no later press is to be swallowed.
    m_down = false;
    if (!page())
        return;
    vlCountSelected(page());
    if (SelectedCount == 0)
        m_host.PageOptions();
    else if (SelectedCount == 1)
        m_host.ShowObjectEditor();
}

void TvlPageEditor::MouseLeave()
{
    if (m_cursorFixed || m_down || !m_previewShown)
        return;
    invalidate();
    showRectInStatus(false);
    m_preview = {m_preview.Left - 10000, m_preview.Top - 10000, m_preview.Right - 10000, m_preview.Bottom - 10000};
}
