// The arithmetic of page editing: snapping, the group resize, the nearest
// object in a direction and the band order.
#include "fakehost.h"
#include "report/designer/page/pagegeometry.h"

#include <gtest/gtest.h>

TEST(PageGeometry, MoveDeltaWaitsForAGridStepAndKeepsTheRest)
{
    int dx = 7, dy = -7;
    EXPECT_FALSE(vlSnapMoveDelta(dx, dy, 8));
    dx = 13, dy = 0;
    EXPECT_TRUE(vlSnapMoveDelta(dx, dy, 8));
    EXPECT_EQ(dx, 8);
    EXPECT_EQ(dy, 0);
    dx = -13, dy = 3;
    EXPECT_TRUE(vlSnapMoveDelta(dx, dy, 8));
    EXPECT_EQ(dx, -8); // the remainder keeps the sign of the delta
    EXPECT_EQ(dy, 0);
    // A grid size of 0 from the registry never divides by zero.
    dx = 5, dy = 5;
    EXPECT_TRUE(vlSnapMoveDelta(dx, dy, 0));
    EXPECT_EQ(dx, 4);
}

TEST(PageGeometry, InsertSnapTruncatesAndLineStartTakesCornersThenRoundsToEven)
{
    int x = 15, y = 23;
    vlSnapToGrid(x, y, 8);
    EXPECT_EQ(QPoint(x, y), QPoint(8, 16));

    FakeHost host;
    host.add(otMemo, 100, 100, 50, 20);
    x = 153, y = 100; // 3 pixels from the top-right corner
    vlSnapLineStart(*host.Page(), x, y, 8);
    EXPECT_EQ(QPoint(x, y), QPoint(150, 100));
    x = 159, y = 100; // 9 pixels away: the grid, 159 / 8 = 19.875
    vlSnapLineStart(*host.Page(), x, y, 8);
    EXPECT_EQ(QPoint(x, y), QPoint(160, 96));
    x = 12, y = 4; // exactly half way: to the even multiple
    vlSnapLineStart(*host.Page(), x, y, 8);
    EXPECT_EQ(QPoint(x, y), QPoint(16, 0));
    x = 20, y = 28;
    vlSnapLineStart(*host.Page(), x, y, 8);
    EXPECT_EQ(QPoint(x, y), QPoint(16, 32));
}

TEST(PageGeometry, GroupScaleRoundsBothEdgesHalfToEven)
{
    // Two neighbours at 0-10 and 10-20 scaled by 1.25: edges at 12.5 and 25.
    const QPoint origin(0, 0);
    const TvlBounds a = vlScaleBounds({0, 0, 10, 10}, origin, 1.25, 1.0);
    const TvlBounds b = vlScaleBounds({10, 0, 10, 10}, origin, 1.25, 1.0);
    EXPECT_EQ(a, (TvlBounds{0, 0, 12, 10}));  // 12.5 -> 12
    EXPECT_EQ(b, (TvlBounds{12, 0, 13, 10})); // still touching: 12 .. 25
    const TvlBounds c = vlScaleBounds({30, 50, 10, 10}, QPoint(20, 40), 1.5, 0.5);
    EXPECT_EQ(c, (TvlBounds{35, 45, 15, 5})); // 15 -> 15, 30 - 15; 5 -> 4 (even), 10 - 5 ... both halves
    // An axis that starts at zero extent stays unscaled.
    EXPECT_EQ(vlScaleFactor(30, 0), 1.0);
    EXPECT_EQ(vlScaleFactor(30, 20), 1.5);
}

TEST(PageGeometry, SharedEdgeMovesOnlyWhileBothWidthsStayPositive)
{
    FakeHost host;
    TvlView *left = host.add(otMemo, 0, 0, 40, 20);
    TvlView *right = host.add(otMemo, 40, 0, 30, 20);
    EXPECT_TRUE(vlMoveSharedEdge(*left, *right, 8));
    EXPECT_EQ(vlBoundsOf(*left), (TvlBounds{0, 0, 48, 20}));
    EXPECT_EQ(vlBoundsOf(*right), (TvlBounds{48, 0, 22, 20}));
    EXPECT_FALSE(vlMoveSharedEdge(*left, *right, 22));
    EXPECT_FALSE(vlMoveSharedEdge(*left, *right, -48));
    EXPECT_EQ(vlBoundsOf(*right), (TvlBounds{48, 0, 22, 20}));
}

TEST(PageGeometry, NearestViewScoresGapAndDistanceAndSkipsWhatLiesBehind)
{
    FakeHost host;
    TvlView *s = host.add(otMemo, 100, 100, 50, 20);
    host.add(otMemo, 100, 40, 50, 20);                   // 1: above
    TvlView *below = host.add(otMemo, 110, 160, 20, 20); // 2: below, inside the span
    host.add(otMemo, 300, 130, 20, 20);                  // 3: below but far to the right
    host.addBand(btMasterData, 200, 40);                 // bands never take part
    TvlView *right = host.add(otMemo, 180, 100, 20, 20); // 5
    host.select({s});
    EXPECT_EQ(vlNearestView(*host.Page(), 0, TvlDirection::Down), 2);
    EXPECT_EQ(vlNearestView(*host.Page(), 0, TvlDirection::Up), 1);
    EXPECT_EQ(vlNearestView(*host.Page(), 0, TvlDirection::Right), 5);
    // Whatever ends left of the selected view's right edge counts for Left.
    EXPECT_EQ(vlNearestView(*host.Page(), 0, TvlDirection::Left), 2);
    // Only a view behind the selected one: nothing in that direction.
    EXPECT_EQ(vlDirectionScore(vlBoundsOf(*below), vlBoundsOf(*s), TvlDirection::Down), 10000);
    // No gap across, 30 along; below and 150 to the right: gap 150, 60 - 20 along.
    EXPECT_EQ(vlDirectionScore(vlBoundsOf(*s), vlBoundsOf(*right), TvlDirection::Right), 30);
    EXPECT_EQ(vlDirectionScore(vlBoundsOf(*s), {300, 130, 20, 20}, TvlDirection::Down), 150 + 10);

    TvlBounds moved = vlBoundsOf(*s);
    vlTouch(moved, vlBoundsOf(*below), TvlDirection::Down);
    EXPECT_EQ(moved.Top, 140); // its bottom on the other's top
    moved = vlBoundsOf(*s);
    vlTouch(moved, {100, 40, 50, 20}, TvlDirection::Up);
    EXPECT_EQ(moved.Top, 60);
}

TEST(PageGeometry, BandsComeFirstOverlayLeadsCrossBandsCloseTheBandBlock)
{
    FakeHost host;
    host.add(otMemo, 0, 0, 10, 10, QStringLiteral("Memo1"));
    host.addBand(btCrossData, 0, 10)->Name = QStringLiteral("Cross");
    host.addBand(btPageHeader, 0, 10)->Name = QStringLiteral("Header");
    host.add(otLine, 0, 0, 10, 0, QStringLiteral("Line1"));
    host.addBand(btOverlay, 0, 10)->Name = QStringLiteral("Overlay");
    host.addBand(btMasterData, 0, 10)->Name = QStringLiteral("Data");
    vlArrangeBands(*host.Page());
    EXPECT_EQ(host.names(), QStringList({"Overlay", "Header", "Data", "Cross", "Memo1", "Line1"}));
}

TEST(PageGeometry, LineBoundsAndBandNamesAndMemoSizes)
{
    EXPECT_EQ(vlLineBounds({100, 50, 40, 52}), (TvlBounds{40, 50, 60, 2}));   // drawn leftwards
    EXPECT_EQ(vlLineBounds({100, 50, 101, 10}), (TvlBounds{100, 10, 1, 40})); // drawn upwards
    EXPECT_EQ(vlBandNamePrefix(btMasterData), QStringLiteral("MasterData"));
    EXPECT_EQ(vlBandNamePrefix(btOverlay), QStringLiteral("Overlay"));
    EXPECT_EQ(vlDefaultMemoSize(8, 10), QSize(96, 18));
    EXPECT_EQ(vlDefaultMemoSize(18, 12), QSize(108, 20));
    EXPECT_EQ(vlDefaultMemoSize(4, 16), QSize(96, 24));
    EXPECT_EQ(vlChooseDefaultFontName({"Zeta", "Arial Cyr", "Beta"}), QStringLiteral("Arial Cyr"));
    EXPECT_EQ(vlChooseDefaultFontName({"Zeta", "Beta"}), QStringLiteral("Beta"));
}
