#pragma once
// The editing rules of the design page without a widget: the mouse state
// machine (rubber band, insert, line, move, resize of one object or of a
// group, shared-edge drag), insertion of objects, bands and sub-reports,
// deletion, keyboard moves and the nearest-object jump. The page widget
// feeds it events and paints what it keeps: the handles, outlines, rubber
// band, insert preview, shared edge and the line being drawn.
#include "report/designer/page/designerglobals.h"
#include "report/designer/page/pagegeometry.h"

#include <QPoint>
#include <QRegion>
#include <functional>
#include <memory>
#include <unordered_map>

class TvlDesignerHost;
class TvlPage;
class TvlView;

// The editing mode and hover state the mouse pointer shows.
enum class TvlPageCursor {
    Default,  // select and move
    Cross,    // insert
    Pencil,   // draw a line
    SizeNWSE, // top-left or bottom-right handle
    SizeNESW, // top-right or bottom-left handle
    SizeNS,   // top or bottom middle handle
    SizeWE,   // left or right middle handle
    SplitH,   // the shared vertical edge of two selected views
};

// Mouse buttons and modifier keys as the editor sees them.
enum class TvlMouseButton { Left, Right, Middle };
struct TvlShift
{
    bool Shift = false, Ctrl = false, Alt = false;
};

// Keys the editor handles.
enum class TvlKey { Left, Right, Up, Down, Delete, Insert, Enter, PageUp, PageDown, Digit, G, B, F, D, Other };

class TvlPageEditor
{
public:
    explicit TvlPageEditor(TvlDesignerHost &host);

    // Called with the region that needs painting again (empty: everything).
    std::function<void(const QRegion &)> OnInvalidate;
    // Scrolls the page's scroll box vertically by dy pixels.
    std::function<void(int dy)> OnScroll;
    // Shows the context menu at a point of the page (right button press).
    std::function<void(QPoint point)> OnContextMenu;
    // Where the page's top left lies in its scroll box (negative when scrolled).
    std::function<QPoint()> OnPanelPos;
    // The insert preview and the new-object size use the page's size.
    QSize PageSize() const;

    // --- mouse ---
    void MouseDown(TvlMouseButton button, TvlShift shift, QPoint point);
    void MouseMove(TvlShift shift, QPoint point);
    void MouseUp(TvlMouseButton button, TvlShift shift, QPoint point);
    void DoubleClick();
    void MouseLeave();
    void ResetMouseState();

    // --- keys of the designer form; true when the key was consumed ---
    bool KeyDown(TvlKey key, TvlShift shift, int digit = 0);

    // --- operations the form and the object commands call ---
    void ComputeGroupRect();
    void ArrangeBands();
    void DeleteSelection();
    void MoveOrSizeSelection(int dx, int dy, bool size);
    // Gives the band objects the page rectangle their regions span.
    void PrepareViews() const;
    // The region of the selected views (for repainting after a change).
    QRegion SelectedRegion() const;
    // Selects the view alone (keyboard jump, tests).
    void SelectOnly(int index);

    // --- state the widget paints ---
    TvlPageCursor Cursor() const { return m_cursor; }
    bool IsDown() const { return m_down; }
    bool HandlesVisible() const;
    bool OutlinesVisible() const { return m_outlines; }
    bool RubberBandVisible() const { return m_rubberBand; }
    bool PreviewVisible() const { return m_previewShown; }
    TvlRect PreviewRect() const { return m_preview; }
    bool EdgeLineVisible() const { return m_edgeDrag; }
    TvlRect EdgeLine() const { return m_edgeLine; }
    bool NewLineVisible() const { return m_drawingLine; }
    int BottomRightIndex() const { return m_bottomRightIndex; }
    // A group of objects is being resized (the coordinates panel shows the
    // ratios of DragRect to DragRectStart then).
    bool GroupResizing() const
    {
        return m_down && GroupRectValid && m_cursor != TvlPageCursor::Default && m_cursor != TvlPageCursor::SplitH;
    }
    QPoint GroupOrigin() const { return m_groupOrigin; }
    bool IgnoreNextDown = false; // kept for the editors; a Qt double click brings no extra press

private:
    TvlPage *page() const;
    int gridSize() const;
    bool snapping() const;
    void invalidate(const QRegion &region = {});
    bool insertMode() const;
    bool lineMode() const;
    void deselectAll();
    int hitTest(QPoint point) const;
    void hover(QPoint point);
    // The coordinates panel shows DragRect (insert preview and insert
    // rectangle) for as long as it lasts; Qt paints the panel later.
    void showRectInStatus(bool show);
    void startInsertPreview(QPoint point);
    void updateInsertPreview(QPoint point);
    void recordFirstMove(TvlShift shift, QPoint point);
    void takeBandContents();
    // The move from the last consumed point, snapped; false: nothing moves yet.
    bool snappedDelta(QPoint point, int &dx, int &dy) const;
    void dragEdge(QPoint point);
    void resizeGroup(QPoint point);
    void moveSelection(QPoint point);
    void resizeOne(QPoint point);
    void finishInsert();
    void finishLine();
    void finishRubberBand();
    // Negative widths and heights of the selected views made positive.
    void normalizeSelected();
    TvlView *insertView(int tool);
    std::unique_ptr<TvlView> createView(int tool) const;
    void giveUniqueName(TvlView &view) const;
    void applyNewObjectDefaults(TvlView &view) const;
    bool jump(TvlDirection direction, bool alt);

    TvlDesignerHost &m_host;
    TvlPageCursor m_cursor = TvlPageCursor::Default;
    bool m_down = false;
    bool m_moved = false;
    bool m_rubberBand = false;
    bool m_cursorFixed = true;
    bool m_outlines = false;
    bool m_previewShown = false;
    bool m_drawingLine = false;
    bool m_edgeDrag = false;
    bool m_firstMove = false;
    int m_resizeCorner = 0;
    int m_lastX = 0, m_lastY = 0;
    TvlRect m_preview;
    TvlRect m_edgeLine;
    int m_edgeStart = 0;
    TvlView *m_edgeLeft = nullptr;
    TvlView *m_edgeRight = nullptr;
    int m_bottomRightIndex = -1;
    QPoint m_groupOrigin;
    std::unordered_map<const TvlView *, TvlBounds> m_savedRects;
};
