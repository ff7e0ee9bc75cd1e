// The ten alignments, z-order and align to grid.
#include "report/designer/objects/arrange.h"
#include "report/vlmemoview.h"

#include <gtest/gtest.h>

namespace {

struct AlignTest : ::testing::Test
{
    // Three memos: (10,20 30x10), (15,50 41x21), (100,5 8x7).
    AlignTest()
    {
        a.SetBounds(10, 20, 30, 10);
        b.SetBounds(15, 50, 41, 21);
        c.SetBounds(100, 5, 8, 7);
    }
    QList<int> lefts() const { return {a.Left, b.Left, c.Left}; }
    QList<int> tops() const { return {a.Top, b.Top, c.Top}; }

    TvlMemoView a, b, c;
    std::vector<TvlView *> all{&a, &b, &c};
};

TEST_F(AlignTest, EdgesAndCentresFollowTheReference)
{
    // Without a primary view the topmost selected (last) is the reference.
    EXPECT_TRUE(vlAlignViews(alLeftEdges, all, nullptr, 800, 1000));
    EXPECT_EQ(lefts(), (QList<int>{100, 100, 100}));

    EXPECT_TRUE(vlAlignViews(alRightEdges, all, &b, 800, 1000));
    EXPECT_EQ(lefts(), (QList<int>{100 + 41 - 30, 100, 100 + 41 - 8}));

    b.Left = 15;
    vlAlignViews(alHCenters, all, &b, 800, 1000);
    // 15 + 41/2 = 35; halves truncate: 35 - 15, 35 - 20, 35 - 4.
    EXPECT_EQ(lefts(), (QList<int>{20, 15, 31}));

    vlAlignViews(alTopEdges, all, &a, 800, 1000);
    EXPECT_EQ(tops(), (QList<int>{20, 20, 20}));
    vlAlignViews(alBottomEdges, all, &a, 800, 1000);
    EXPECT_EQ(tops(), (QList<int>{20, 20 + 10 - 21, 20 + 10 - 7}));
    vlAlignViews(alVCenters, all, &b, 800, 1000);
    // b: Top 9, Height 21: middle 9 + 10 = 19; 19 - 5, 19 - 10, 19 - 3.
    EXPECT_EQ(tops(), (QList<int>{14, 9, 16}));
}

TEST_F(AlignTest, CentringOnThePageMovesTheSelectionAsAWhole)
{
    // Span 10..108 = 98 on a page 800 wide: shift 10 + (98 - 800) / 2 = -341.
    EXPECT_TRUE(vlAlignViews(alHCenterPage, all, nullptr, 800, 1000));
    EXPECT_EQ(lefts(), (QList<int>{351, 356, 441}));
    // a and b span 20..71 = 51 on 1000: 20 + (51 - 1000) / 2 = 20 - 474 (truncated) = -454.
    EXPECT_TRUE(vlAlignViews(alVCenterPage, {&a, &b}, nullptr, 800, 1000));
    EXPECT_EQ(tops(), (QList<int>{474, 504, 5}));

    std::vector<TvlView *> one{&c};
    EXPECT_TRUE(vlAlignViews(alHCenterPage, one, nullptr, 100, 100));
    EXPECT_EQ(c.Left, 46);
}

TEST_F(AlignTest, SpacingEvenlyNeedsThreeAndStepsFromTheFirst)
{
    EXPECT_FALSE(vlAlignViews(alHSpaceEvenly, {&a, &b}, nullptr, 800, 1000));
    EXPECT_EQ(lefts(), (QList<int>{10, 15, 100}));
    EXPECT_TRUE(vlAlignViews(alHSpaceEvenly, all, nullptr, 800, 1000));
    EXPECT_EQ(lefts(), (QList<int>{10, 55, 100}));

    // Sorted by Top: c 5, a 20, b 50; step (50 - 5) / 2 = 22.
    EXPECT_TRUE(vlAlignViews(alVSpaceEvenly, all, nullptr, 800, 1000));
    EXPECT_EQ(tops(), (QList<int>{27, 50, 5}));
}

TEST_F(AlignTest, OneObjectIsTooFewForTheReferenceAlignments)
{
    std::vector<TvlView *> one{&a};
    for (int alignment : {alLeftEdges, alHCenters, alRightEdges, alTopEdges, alVCenters, alBottomEdges})
        EXPECT_FALSE(vlAlignViews(alignment, one, &a, 800, 1000)) << alignment;
    EXPECT_EQ(vlAlignmentMinimum(alVCenterPage), 1);
    EXPECT_EQ(vlAlignmentMinimum(alVSpaceEvenly), 3);
    EXPECT_EQ(vlAlignmentMinimum(alBottomEdges), 2);
}

TEST(Arrange, BringToFrontAndSendToBackKeepTheSelectedOrder)
{
    std::vector<std::unique_ptr<TvlView>> objects;
    for (int i = 0; i < 5; ++i) {
        objects.push_back(std::make_unique<TvlMemoView>());
        objects.back()->Name = QString::number(i);
        objects.back()->Selected = i == 1 || i == 3;
    }
    const auto names = [&] {
        QString text;
        for (const auto &view : objects)
            text += view->Name;
        return text;
    };
    vlBringToFront(objects);
    EXPECT_EQ(names(), "02413");
    vlSendToBack(objects);
    EXPECT_EQ(names(), "13024");
}

TEST(Arrange, AlignToGridRoundsHalvesToEvenAndNeverToZero)
{
    TvlMemoView memo;
    memo.SetBounds(6, 10, 1, 19);
    vlAlignToGrid({&memo}, 4);
    // 6/4 = 1.5 -> 2; 10/4 = 2.5 -> 2; 1/4 -> 0 -> one step; 19/4 = 4.75 -> 5.
    EXPECT_EQ(memo.Left, 8);
    EXPECT_EQ(memo.Top, 8);
    EXPECT_EQ(memo.Width, 4);
    EXPECT_EQ(memo.Height, 20);

    memo.SetBounds(27, 45, 9, 8);
    vlAlignToGrid({&memo}, 18);
    EXPECT_EQ(memo.Left, 36);
    EXPECT_EQ(memo.Top, 36);
    EXPECT_EQ(memo.Width, 18);
    EXPECT_EQ(memo.Height, 18);
}

} // namespace
