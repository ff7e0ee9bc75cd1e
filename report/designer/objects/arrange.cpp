#include "report/designer/objects/arrange.h"

#include "report/vlview.h"

#include <algorithm>
#include <climits>

namespace {

// One axis of a view: Left and Width, or Top and Height.
struct Axis
{
    qint32 TvlView::*position;
    qint32 TvlView::*extent;
};
constexpr Axis Horizontal{&TvlView::Left, &TvlView::Width};
constexpr Axis Vertical{&TvlView::Top, &TvlView::Height};

void centreOnPage(const std::vector<TvlView *> &selected, Axis axis, int pageExtent)
{
    int least = INT_MAX, greatest = INT_MIN;
    for (const TvlView *view : selected) {
        least = std::min(least, view->*axis.position);
        greatest = std::max(greatest, view->*axis.position + view->*axis.extent);
    }
    const int shift = least + (greatest - least - pageExtent) / 2;
    for (TvlView *view : selected)
        view->*axis.position -= shift;
}

void spaceEvenly(const std::vector<TvlView *> &selected, Axis axis)
{
    std::vector<TvlView *> sorted = selected;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [axis](const TvlView *a, const TvlView *b) { return a->*axis.position < b->*axis.position; });
    const int count = int(sorted.size());
    const int step = (sorted.back()->*axis.position - sorted.front()->*axis.position) / (count - 1);
    for (int i = 1; i < count - 1; ++i)
        sorted[size_t(i)]->*axis.position = sorted[size_t(i - 1)]->*axis.position + step;
}

} // namespace

int vlAlignmentMinimum(int alignment)
{
    switch (alignment) {
    case alHCenterPage:
    case alVCenterPage:
        return 1;
    case alHSpaceEvenly:
    case alVSpaceEvenly:
        return 3;
    default:
        return 2;
    }
}

bool vlAlignViews(int alignment, const std::vector<TvlView *> &selected, const TvlView *reference, int pageWidth,
                  int pageHeight)
{
    if (alignment < alLeftEdges || alignment > alBottomEdges || int(selected.size()) < vlAlignmentMinimum(alignment))
        return false;
    const TvlView *r = reference ? reference : selected.back();
    // Copied first: the reference may be one of the views that move.
    const int rLeft = r->Left, rTop = r->Top, rWidth = r->Width, rHeight = r->Height;
    switch (alignment) {
    case alHCenterPage:
        centreOnPage(selected, Horizontal, pageWidth);
        return true;
    case alVCenterPage:
        centreOnPage(selected, Vertical, pageHeight);
        return true;
    case alHSpaceEvenly:
        spaceEvenly(selected, Horizontal);
        return true;
    case alVSpaceEvenly:
        spaceEvenly(selected, Vertical);
        return true;
    default:
        break;
    }
    for (TvlView *view : selected) {
        switch (alignment) {
        case alLeftEdges:
            view->Left = rLeft;
            break;
        case alRightEdges:
            view->Left = rLeft + rWidth - view->Width;
            break;
        case alHCenters:
            view->Left = (rLeft + rWidth / 2) - view->Width / 2;
            break;
        case alTopEdges:
            view->Top = rTop;
            break;
        case alBottomEdges:
            view->Top = rTop + rHeight - view->Height;
            break;
        case alVCenters:
            view->Top = (rTop + rHeight / 2) - view->Height / 2;
            break;
        default:
            break;
        }
    }
    return true;
}

void vlBringToFront(std::vector<std::unique_ptr<TvlView>> &objects)
{
    std::stable_partition(objects.begin(), objects.end(), [](const auto &view) { return !view->Selected; });
}

void vlSendToBack(std::vector<std::unique_ptr<TvlView>> &objects)
{
    std::stable_partition(objects.begin(), objects.end(), [](const auto &view) { return view->Selected; });
}

void vlAlignToGrid(const std::vector<TvlView *> &selected, int gridSize)
{
    if (gridSize <= 0)
        return;
    const auto snap = [gridSize](int value) { return gridSize * vlRound(double(value) / gridSize); };
    for (TvlView *view : selected) {
        view->Left = snap(view->Left);
        view->Top = snap(view->Top);
        view->Width = snap(view->Width);
        view->Height = snap(view->Height);
        if (view->Width == 0)
            view->Width = gridSize;
        if (view->Height == 0)
            view->Height = gridSize;
    }
}
