#include "report/designer/page/pagegeometry.h"

#include "report/vlbandview.h"
#include "report/vlpage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

void vlSnapToGrid(int &x, int &y, int gridSize)
{
    const int grid = vlSafeGridSize(gridSize);
    x = x / grid * grid;
    y = y / grid * grid;
}

bool vlSnapToCorner(const TvlPage &page, int &x, int &y, int gridSize)
{
    int best = vlSafeGridSize(gridSize);
    bool taken = false;
    for (const auto &view : page.Objects) {
        const TvlBounds b = vlBoundsOf(*view);
        const QPoint corners[] = {{b.Left, b.Top}, {b.Right(), b.Top}, {b.Right(), b.Bottom()}, {b.Left, b.Bottom()}};
        for (const QPoint &corner : corners) {
            const qint64 dx = corner.x() - x, dy = corner.y() - y;
            const int distance = int(std::sqrt(double(dx * dx + dy * dy)));
            if (distance < best) {
                best = distance;
                x = corner.x();
                y = corner.y();
                taken = true;
            }
        }
    }
    return taken;
}

void vlSnapLineStart(const TvlPage &page, int &x, int &y, int gridSize)
{
    if (vlSnapToCorner(page, x, y, gridSize))
        return;
    const int grid = vlSafeGridSize(gridSize);
    x = vlRound(double(x) / grid) * grid;
    y = vlRound(double(y) / grid) * grid;
}

bool vlSnapMoveDelta(int &dx, int &dy, int gridSize)
{
    const int grid = vlSafeGridSize(gridSize);
    if (std::abs(dx) < grid && std::abs(dy) < grid)
        return false;
    dx -= dx % grid;
    dy -= dy % grid;
    return true;
}

bool vlPointInHandle(int hx, int hy, int x, int y, int r)
{
    return hx - r <= x && x <= hx + r + 1 && hy - r <= y && y <= hy + r + 1;
}

TvlBounds vlBoundsOf(const TvlView &view)
{
    return {view.Left, view.Top, view.Width, view.Height};
}

void vlSetBounds(TvlView &view, const TvlBounds &bounds)
{
    view.SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
}

TvlBounds vlScaleBounds(const TvlBounds &saved, QPoint origin, double kx, double ky)
{
    const double ax = (saved.Left - origin.x()) * kx, bx = saved.Width * kx;
    const double ay = (saved.Top - origin.y()) * ky, by = saved.Height * ky;
    return {origin.x() + vlRound(ax), origin.y() + vlRound(ay), vlRound(ax + bx) - vlRound(ax),
            vlRound(ay + by) - vlRound(ay)};
}

double vlScaleFactor(int extent, int startExtent)
{
    return startExtent > 0 ? double(extent) / startExtent : 1.0;
}

bool vlMoveSharedEdge(TvlView &left, TvlView &right, int d)
{
    if (left.Width + d <= 0 || right.Width - d <= 0)
        return false;
    left.Width += d;
    right.Left += d;
    right.Width -= d;
    return true;
}

namespace {

// The gap across the direction of travel: between the spans [a1, a2) of the
// selected view and [c1, c2) of the candidate.
int crossGap(int s1, int s2, int c1, int c2)
{
    if (c2 <= s1)
        return s1 - c2;
    if (c1 >= s2)
        return c1 - s2;
    if (c1 > s1 || c2 < s2)
        return c1 - s1;
    return 0;
}

constexpr int notThere = 10000;

} // namespace

int vlDirectionScore(const TvlBounds &s, const TvlBounds &c, TvlDirection direction)
{
    switch (direction) {
    case TvlDirection::Down:
        if (c.Top <= s.Top)
            return notThere;
        return crossGap(s.Left, s.Right(), c.Left, c.Right()) +
               (c.Top < s.Bottom() ? c.Top - s.Top : c.Top - s.Bottom());
    case TvlDirection::Up:
        if (c.Bottom() >= s.Bottom())
            return notThere;
        return crossGap(s.Left, s.Right(), c.Left, c.Right()) +
               (s.Top < c.Bottom() ? s.Bottom() - c.Bottom() : s.Top - c.Bottom());
    case TvlDirection::Right:
        if (c.Left <= s.Left)
            return notThere;
        return crossGap(s.Top, s.Bottom(), c.Top, c.Bottom()) +
               (c.Left < s.Right() ? c.Left - s.Left : c.Left - s.Right());
    case TvlDirection::Left:
        if (c.Right() >= s.Right())
            return notThere;
        return crossGap(s.Top, s.Bottom(), c.Top, c.Bottom()) +
               (s.Left < c.Right() ? s.Right() - c.Right() : s.Left - c.Right());
    }
    return notThere;
}

int vlNearestView(const TvlPage &page, int selected, TvlDirection direction)
{
    if (selected < 0 || selected >= page.Count())
        return -1;
    const TvlBounds s = vlBoundsOf(*page.Object(selected));
    int best = -1, bestScore = notThere;
    for (int i = 0; i < page.Count(); ++i) {
        const TvlView *c = page.Object(i);
        if (c->Selected || c->ObjectType == otBand)
            continue;
        const int score = vlDirectionScore(s, vlBoundsOf(*c), direction);
        if (score < bestScore) {
            bestScore = score;
            best = i;
        }
    }
    return best;
}

void vlTouch(TvlBounds &s, const TvlBounds &c, TvlDirection direction)
{
    switch (direction) {
    case TvlDirection::Right:
        if (c.Left >= s.Right())
            s.Left = c.Left - s.Width;
        break;
    case TvlDirection::Down:
        if (s.Bottom() < c.Top)
            s.Top = c.Top - s.Height;
        break;
    case TvlDirection::Left:
        if (s.Left >= c.Right())
            s.Left = c.Right();
        break;
    case TvlDirection::Up:
        if (c.Bottom() <= s.Top)
            s.Top = c.Bottom();
        break;
    }
}

void vlArrangeBands(TvlPage &page)
{
    auto &objects = page.Objects;
    const auto isBand = [](const std::unique_ptr<TvlView> &v) { return v->ObjectType == otBand; };
    const auto bandsEnd = std::stable_partition(objects.begin(), objects.end(), isBand);
    const auto overlay = std::find_if(objects.begin(), bandsEnd,
                                      [](const std::unique_ptr<TvlView> &v) { return v->FrameTyp == btOverlay; });
    if (overlay != bandsEnd)
        std::rotate(objects.begin(), overlay, overlay + 1);
    std::stable_partition(objects.begin(), bandsEnd,
                          [](const std::unique_ptr<TvlView> &v) { return !vlIsVerticalBand(v->FrameTyp); });
}

TvlBounds vlLineBounds(const TvlRect &drawn)
{
    TvlBounds b{drawn.Left, drawn.Top, drawn.Right - drawn.Left, drawn.Bottom - drawn.Top};
    if (b.Width < 0) {
        b.Width = -b.Width;
        if (std::abs(b.Height) < b.Width)
            b.Left = drawn.Right;
    }
    if (b.Height < 0) {
        b.Height = -b.Height;
        if (b.Width < b.Height)
            b.Top = drawn.Bottom;
    }
    return b;
}

QString vlBandNamePrefix(int bandType)
{
    QString name = vlBandName(bandType);
    const int blank = name.indexOf(u' ');
    if (blank >= 0) {
        name.remove(blank, 1);
        if (blank < name.size() && name[blank] >= u'a' && name[blank] <= u'z')
            name[blank] = name[blank].toUpper();
    }
    return name;
}
