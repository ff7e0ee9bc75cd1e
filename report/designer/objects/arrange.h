#pragma once
// The alignment toolbar, bring to front and send to back, and align to grid:
// plain arithmetic over the selected views.
#include <memory>
#include <vector>

class TvlView;

// The ten alignment buttons, as numbered on the toolbar (Align1 ... Align10).
enum TvlAlignment : int {
    alLeftEdges = 1,    // Left := R.Left
    alHCenters = 2,     // centre on R's centre
    alHCenterPage = 3,  // the selection centred on the page width
    alHSpaceEvenly = 4, // even steps between the first and the last Left
    alRightEdges = 5,   // right edge on R's right edge
    alTopEdges = 6,     // Top := R.Top
    alVCenters = 7,     // middle on R's middle
    alVCenterPage = 8,  // the selection centred on the page height
    alVSpaceEvenly = 9, // even steps between the first and the last Top
    alBottomEdges = 10, // bottom edge on R's bottom edge
};

// How many selected objects an alignment needs before it does anything.
int vlAlignmentMinimum(int alignment);
// Aligns the selected views (in list order) to the reference view R; false
// and nothing changed when too few are selected. Halves truncate toward zero.
bool vlAlignViews(int alignment, const std::vector<TvlView *> &selected, const TvlView *reference, int pageWidth,
                  int pageHeight);

// Every selected object to the end of the list (front) or its start (back),
// keeping their order among themselves.
void vlBringToFront(std::vector<std::unique_ptr<TvlView>> &objects);
void vlSendToBack(std::vector<std::unique_ptr<TvlView>> &objects);

// Left, Top, Width and Height to the nearest grid multiple (halves to even);
// a width or height that would vanish becomes one grid step.
void vlAlignToGrid(const std::vector<TvlView *> &selected, int gridSize);
