#pragma once
// The arithmetic of editing a design page: grid snapping, handle hit tests,
// the group resize, the nearest object in a direction and the band order.
// Plain functions over views and numbers.
#include "report/designer/page/designerglobals.h"

#include <QRect>
#include <vector>

class TvlPage;
class TvlView;

// The insert rectangle's snap: both coordinates down to the grid (truncating).
void vlSnapToGrid(int &x, int &y, int gridSize);
// The start of a line: the nearest corner of any view of the page closer
// than one grid step (true), else the nearest grid point, halves to even.
bool vlSnapToCorner(const TvlPage &page, int &x, int &y, int gridSize);
void vlSnapLineStart(const TvlPage &page, int &x, int &y, int gridSize);
// A move: nothing while both deltas stay below one grid step (false);
// otherwise each delta loses its remainder, which carries to the next move.
bool vlSnapMoveDelta(int &dx, int &dy, int gridSize);
// Whether (x, y) lies on the handle at (hx, hy) of radius r.
bool vlPointInHandle(int hx, int hy, int x, int y, int r);

// A view's rectangle as (left, top, width, height).
struct TvlBounds
{
    int Left = 0, Top = 0, Width = 0, Height = 0;
    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    bool operator==(const TvlBounds &) const = default;
};
TvlBounds vlBoundsOf(const TvlView &view);
void vlSetBounds(TvlView &view, const TvlBounds &bounds);

// One member of a group resize: from its saved rectangle, relative to the
// group's origin, scaled by kx and ky; each edge rounded on its own (halves
// to even) so neighbours stay touching.
TvlBounds vlScaleBounds(const TvlBounds &saved, QPoint origin, double kx, double ky);
// The scale of one axis: the new extent over the start extent; 1 (unscaled)
// when the start extent is not positive.
double vlScaleFactor(int extent, int startExtent);

// Moves a shared edge between two neighbours by d: false and nothing changed
// when either width would not stay positive.
bool vlMoveSharedEdge(TvlView &left, TvlView &right, int d);

// The key directions of the nearest-object jump.
enum class TvlDirection { Left, Right, Up, Down };
// The score of candidate c seen from s in a direction; 10000 and above
// means "not in that direction".
int vlDirectionScore(const TvlBounds &s, const TvlBounds &c, TvlDirection direction);
// The index of the nearest unselected non-band view from the view at
// selected, or -1 when there is none in that direction.
int vlNearestView(const TvlPage &page, int selected, TvlDirection direction);
// Moves s so that it touches c in the direction (when it lies before c).
void vlTouch(TvlBounds &s, const TvlBounds &c, TvlDirection direction);

// The band order: bands first keeping their order, the first overlay band at
// position 0, the cross bands last of the bands; other views keep their order.
void vlArrangeBands(TvlPage &page);

// The bounds of a new line drawn from (x1, y1) to (x2, y2).
TvlBounds vlLineBounds(const TvlRect &drawn);

// The band name prefix: the band type's name with the first blank removed
// and the letter after it upper-cased ("Master data" -> "MasterData").
QString vlBandNamePrefix(int bandType);
