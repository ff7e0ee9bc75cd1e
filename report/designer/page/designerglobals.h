#pragma once
// The designer's globals: the defaults new objects take, the designer's own
// clipboard, the grid pattern, the registry root, and the selection state the
// form, the design page and the object commands share. One GUI thread uses
// them all.
#include "report/vlcanvas.h"

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class TvlPage;
class TvlView;

// A rectangle by its edges, right and bottom exclusive, as the editing
// arithmetic keeps it (a line being drawn may run backwards).
struct TvlRect
{
    int Left = 0, Top = 0, Right = 0, Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    // Left <= Right and Top <= Bottom.
    TvlRect Normalized() const;
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    bool operator==(const TvlRect &) const = default;
};

// --- defaults of new objects (the formatting commands keep them current) ---
extern double DefaultFrameWidth;  // 1.0
extern double DefaultLineWidth;   // 2.0
extern quint16 DefaultFrameSides; // 0: no edge
extern quint16 DefaultFontStyle;  // style code: 1 italic, 2 bold, 4 underline
extern qint32 DefaultFrameColor;  // 0 black
extern qint32 DefaultFillColor;   // vlclNone
extern qint32 DefaultFontColor;   // 0 black
extern qint32 DefaultAdjust;      // 0
extern QString DefaultFontName;   // chosen each time the designer is shown
extern int DefaultFontSize;       // 10, reset each time the designer is shown

// True while the designer itself sets toolbar controls, so that their click
// handlers leave the objects alone.
extern bool UpdatingControls;

// The folder of report templates (copied from the designer component).
extern QString TemplateDir;

// The designer clipboard: copies of objects, owned here, kept from one
// designed report to the next.
extern std::vector<std::unique_ptr<TvlView>> ClipboardList;

// The 8 x 8 grid pattern of the design page (rebuilt for each grid size).
extern QImage GridBrush;

// The registry root of the designer's and the preview's settings, one
// constant whatever the window titles are: "\Software\Vellum\Tarmil 5.0\"
// (absolute, so Registry::openKey(vlRegistryRoot() + "Form\...") works from
// any current key).
QString vlRegistryRoot();

// The font of new memos: "Arial", else "Arial Cyr", else the first of the
// sorted list; "Arial" when the list is empty.
QString vlChooseDefaultFontName(QStringList families);

// Sets the defaults above to their starting values (the designer's start and tests).
void vlResetDesignerDefaults();

// --- selection state ---
extern int SelectedCount;         // selected views of the page
extern TvlView *PrimaryView;      // the view selected alone, while it stays selected
extern TvlRect DragRect;          // rubber band, insert rectangle, new line, group rectangle
extern TvlRect DragRectStart;     // group rectangle at the start; insert preview at the press
extern bool GroupRectValid;       // DragRect holds the group rectangle
extern bool StickyInsert;         // the insert button stays down after an insertion
extern bool UndoPending;          // the edit undo entry of the press is still to be recorded
extern QRegion SelectionRegion;   // the selected views' regions before a change
extern bool ShowDragRectInStatus; // the coordinates panel shows DragRect

// Resets every selection global (a new show of the designer, tests).
void vlResetSelectionGlobals();

// Every view of the page deselected, SelectedCount 0, PrimaryView none.
void vlClearSelection(TvlPage *page);
// Counts the selected views of the page into SelectedCount.
int vlCountSelected(const TvlPage *page);
// Index of the last selected view, or count - 1 when none is selected.
int vlTopSelectedIndex(const TvlPage *page);

// A grid size the snapping may divide by: 4, 8 or 18 as they are; anything
// else (a registry value of 0, say) counts as 4.
int vlSafeGridSize(int gridSize);

// The grid pattern for a grid size: white with a black dot every 8 pixels,
// every 4 for grid size 4.
QImage vlMakeGridBrush(int gridSize);

// The size of a new memo: 96 x 18 (108 wide with grid size 18); 20 high for
// font sizes 12 and 13, 24 for 14 to 16.
QSize vlDefaultMemoSize(int gridSize, int fontSize);
