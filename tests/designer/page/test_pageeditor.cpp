// The editing model of the design page without a widget: insertion of every
// kind, moves and resizes with the grid, the shared edge, rubber bands and
// the keys.
#include "fakehost.h"
#include "report/designer/page/pageeditor.h"
#include "report/rich/vlrichview.h"
#include "report/vlmemoview.h"
#include "report/vlsubreportview.h"

#include <gtest/gtest.h>

namespace {

const TvlShift none;
const TvlShift shiftKey{true, false, false};
const TvlShift ctrl{false, true, false};
const TvlShift alt{false, false, true};

struct PageEditor : ::testing::Test
{
    FakeHost host;
    TvlPageEditor editor{host};

    void click(QPoint p, TvlShift shift = {})
    {
        editor.MouseDown(TvlMouseButton::Left, shift, p);
        editor.MouseUp(TvlMouseButton::Left, shift, p);
    }
    void drag(QPoint from, QPoint to, TvlShift shift = {})
    {
        editor.MouseMove(shift, from);
        editor.MouseDown(TvlMouseButton::Left, shift, from);
        editor.MouseMove(shift, to);
        editor.MouseUp(TvlMouseButton::Left, shift, to);
    }
    TvlView *last() { return host.Page()->Objects.back().get(); }
    TvlBounds bounds(const TvlView *view) { return vlBoundsOf(*view); }
};

} // namespace

TEST_F(PageEditor, ClickInInsertModeInsertsAtThePreviewWithTheDefaults)
{
    DefaultFontSize = 12;
    DefaultFontStyle = 2;
    DefaultFrameSides = 15;
    host.tool = toolMemo;
    editor.MouseMove(none, {13, 21});
    EXPECT_TRUE(editor.PreviewVisible());
    EXPECT_EQ(editor.Cursor(), TvlPageCursor::Cross);
    click({13, 21});
    ASSERT_EQ(host.Page()->Count(), 1);
    auto *memo = dynamic_cast<TvlMemoView *>(last());
    ASSERT_TRUE(memo);
    EXPECT_EQ(bounds(memo), (TvlBounds{8, 16, 96, 20})); // 20 high for size 12
    EXPECT_EQ(memo->Name, QStringLiteral("Memo1"));
    EXPECT_EQ(memo->FontSize, 12);
    EXPECT_EQ(memo->FontStyle, TFontStyles(fsBold));
    EXPECT_EQ(memo->FrameTyp, 15);
    EXPECT_TRUE(memo->Selected);
    EXPECT_EQ(host.tool, toolSelect); // insert mode ends
    EXPECT_EQ(host.undo.Count(TvlDesignerUndo::UndoStack), 1);
    EXPECT_EQ(host.undo.Top(TvlDesignerUndo::UndoStack).Kind, UndoInsert);
    EXPECT_TRUE(host.modified);

    // Grid 18: 108 wide; sticky insert stays in insert mode.
    host.gridSize = 18;
    DefaultFontSize = 10;
    StickyInsert = true;
    host.tool = toolMemo;
    editor.MouseMove(none, {200, 200});
    editor.MouseMove(none, {40, 40});
    click({40, 40});
    EXPECT_EQ(bounds(last()), (TvlBounds{36, 36, 108, 18}));
    EXPECT_EQ(host.tool, toolMemo);
}

TEST_F(PageEditor, ThePreviewFollowsThePointerOnTheGridAndLeavesWithIt)
{
    host.tool = toolMemo;
    editor.MouseMove(none, {21, 30});
    EXPECT_EQ(editor.PreviewRect(), (TvlRect{16, 24, 112, 42}));
    editor.MouseMove(none, {50, 50});
    EXPECT_EQ(editor.PreviewRect(), (TvlRect{48, 48, 144, 66}));
    // The coordinates panel shows the rectangle for as long as it is there.
    EXPECT_TRUE(ShowDragRectInStatus);
    EXPECT_EQ(DragRect, editor.PreviewRect());
    editor.MouseLeave();
    EXPECT_FALSE(ShowDragRectInStatus);
    EXPECT_LT(editor.PreviewRect().Right, 0);
    editor.MouseMove(none, {50, 50});
    editor.MouseDown(TvlMouseButton::Left, none, {50, 50});
    editor.MouseMove(none, {90, 80});
    EXPECT_TRUE(ShowDragRectInStatus);
    EXPECT_EQ(DragRect, (TvlRect{48, 48, 88, 80}));
    editor.MouseUp(TvlMouseButton::Left, none, {90, 80});
    EXPECT_FALSE(ShowDragRectInStatus);
    host.tool = toolSelect;
    editor.MouseMove(none, {200, 200});
    EXPECT_FALSE(editor.PreviewVisible());
    EXPECT_EQ(editor.Cursor(), TvlPageCursor::Default);
}

TEST_F(PageEditor, ADragOfOnePixelGivesTheDefaultSizeAndARealDragItsRectangle)
{
    host.tool = toolPicture;
    drag({40, 40}, {41, 80});
    EXPECT_EQ(bounds(last()), (TvlBounds{40, 40, 40, 40}));
    host.tool = toolMemo;
    drag({80, 200}, {80, 201});
    EXPECT_EQ(bounds(last()), (TvlBounds{80, 200, 96, 18}));
    host.tool = toolMemo;
    drag({100, 100}, {35, 20});                             // dragged backwards, snapped on the way
    EXPECT_EQ(bounds(last()), (TvlBounds{32, 16, 64, 80})); // from (96, 96)
    EXPECT_EQ(SelectedCount, 1);
    EXPECT_EQ(host.names(), QStringList({"Picture1", "Memo1", "Memo2"}));
}

TEST_F(PageEditor, BandsSpanThePageGoFirstAndACancelledDialogInsertsNothing)
{
    host.add(otMemo, 10, 10, 50, 20);
    host.tool = toolBand;
    host.bandAnswer = btPageHeader;
    editor.MouseMove(none, {30, 100});
    EXPECT_EQ(editor.PreviewRect().Width(), host.Page()->PrnInfo.PageWidth);
    click({30, 100});
    ASSERT_EQ(host.Page()->Count(), 2);
    TvlView *band = host.Page()->Object(0);
    EXPECT_EQ(band->ObjectType, otBand);
    EXPECT_EQ(band->Name, QStringLiteral("PageHeader1"));
    EXPECT_EQ(band->Height, 40);
    EXPECT_EQ(band->Width, host.Page()->PrnInfo.PageWidth);

    host.tool = toolBand;
    host.bandAnswer = -1;
    editor.MouseMove(none, {30, 300});
    click({30, 300});
    EXPECT_EQ(host.Page()->Count(), 2);
    EXPECT_EQ(host.tool, toolSelect);
    EXPECT_FALSE(editor.PreviewVisible());

    // A cross band wider than the page becomes 40 wide.
    host.tool = toolBand;
    host.bandAnswer = btCrossData;
    drag({0, 0}, {host.Page()->PrnInfo.PageWidth, 80});
    EXPECT_EQ(host.Page()->Object(1)->FrameTyp, btCrossData);
    EXPECT_EQ(host.Page()->Object(1)->Width, 40);
}

TEST_F(PageEditor, SubReportAddsItsPageAndUndoingTheInsertionTakesThePageAway)
{
    host.tool = toolSubReport;
    editor.MouseMove(none, {48, 48});
    click({48, 48});
    auto *sub = dynamic_cast<TvlSubReportView *>(last());
    ASSERT_TRUE(sub);
    EXPECT_EQ(sub->PageIndex, 1);
    EXPECT_EQ(host.report.Pages.Count(), 2);
    EXPECT_EQ(host.tabRebuilds, 1);
    host.report.Pages[1]->Add(vlCreateView(otMemo))->Name = QStringLiteral("Inside");

    host.undo.Undo();
    EXPECT_EQ(host.Page()->Count(), 0);
    EXPECT_EQ(host.report.Pages.Count(), 1);
    host.undo.Redo();
    ASSERT_EQ(host.report.Pages.Count(), 2);
    ASSERT_EQ(host.Page()->Count(), 1);
    EXPECT_EQ(static_cast<TvlSubReportView *>(last())->PageIndex, 1);
    ASSERT_EQ(host.report.Pages[1]->Count(), 1); // its page came back with what it held
    EXPECT_EQ(host.report.Pages[1]->Object(0)->Name, QStringLiteral("Inside"));
}

TEST_F(PageEditor, AnAddInComesFromItsRegistrationAndSurvivesUndoAndPaste)
{
    vlRegisterRichView();
    int index = -1;
    for (int i = 0; i < vlAddIns().size(); ++i)
        if (vlAddIns()[i].ClassName == QLatin1String("TvlRichView"))
            index = i;
    ASSERT_GE(index, 0);
    host.tool = toolAddIn + index;
    drag({16, 16}, {216, 96});
    ASSERT_EQ(host.Page()->Count(), 1);
    TvlView *rich = last();
    EXPECT_EQ(rich->ObjectType, otAddIn);
    EXPECT_EQ(rich->ClassName(), QStringLiteral("TvlRichView"));
    EXPECT_EQ(bounds(rich), (TvlBounds{16, 16, 200, 80}));
    EXPECT_FALSE(rich->Name.isEmpty());
    host.select({rich});
    host.undo.DeleteSelected();
    host.undo.Undo();
    ASSERT_EQ(host.Page()->Count(), 1);
    EXPECT_EQ(last()->ClassName(), QStringLiteral("TvlRichView"));
    host.select({last()});
    host.undo.CopyBClick();
    host.undo.PstBClick();
    ASSERT_EQ(host.Page()->Count(), 2);
    EXPECT_EQ(last()->ClassName(), QStringLiteral("TvlRichView"));
    EXPECT_NE(last()->Name, host.Page()->Object(0)->Name);
}

TEST_F(PageEditor, LinesStartOnANearbyCornerAndRunAlongTheLongerAxis)
{
    host.add(otMemo, 100, 100, 50, 20);
    host.tool = toolLine;
    editor.MouseMove(none, {103, 101});
    EXPECT_EQ(editor.Cursor(), TvlPageCursor::Pencil);
    editor.MouseDown(TvlMouseButton::Left, none, {103, 101});
    EXPECT_EQ(DragRect, (TvlRect{100, 100, 100, 100}));
    editor.MouseMove(none, {160, 104}); // 57, 3 -> 56, 0
    EXPECT_TRUE(editor.NewLineVisible());
    editor.MouseUp(TvlMouseButton::Left, none, {160, 104});
    TvlView *line = last();
    EXPECT_EQ(line->ObjectType, otLine);
    EXPECT_EQ(bounds(line), (TvlBounds{100, 100, 56, 0}));
    EXPECT_EQ(line->FrameWidth, DefaultLineWidth);
    EXPECT_EQ(line->Name, QStringLiteral("Line1"));
    EXPECT_EQ(host.undo.Top(TvlDesignerUndo::UndoStack).Kind, UndoInsert);
}

TEST_F(PageEditor, MovesSnapKeepTheRestAndRecordOneEntryAtTheFirstRealMove)
{
    TvlView *memo = host.add(otMemo, 40, 40, 50, 20);
    editor.MouseDown(TvlMouseButton::Left, none, {50, 50});
    EXPECT_EQ(SelectedCount, 1);
    EXPECT_EQ(PrimaryView, memo);
    editor.MouseMove(none, {57, 50});
    EXPECT_EQ(memo->Left, 40);
    EXPECT_EQ(host.undo.Count(TvlDesignerUndo::UndoStack), 0); // nothing moved yet
    editor.MouseMove(none, {63, 50});
    EXPECT_EQ(memo->Left, 48); // 13 -> 8, 5 kept
    editor.MouseMove(none, {66, 50});
    EXPECT_EQ(memo->Left, 56); // 5 + 3 -> 8
    editor.MouseUp(TvlMouseButton::Left, none, {66, 50});
    EXPECT_EQ(host.undo.Count(TvlDesignerUndo::UndoStack), 1);
    host.undo.Undo();
    EXPECT_EQ(host.Page()->Object(0)->Left, 40);
    host.undo.Redo();
    EXPECT_EQ(host.Page()->Object(0)->Left, 56);

    // Without the grid every pixel counts.
    host.gridAlign = false;
    drag({60, 50}, {63, 51});
    EXPECT_EQ(bounds(host.Page()->Object(0)), (TvlBounds{59, 41, 50, 20}));
}

TEST_F(PageEditor, ABandDraggedAloneTakesItsObjectsAndUndoBringsThemAllBack)
{
    TvlView *band = host.addBand(btMasterData, 100, 40);
    TvlView *inside = host.add(otMemo, 10, 110, 50, 20);
    TvlView *across = host.add(otMemo, 10, 130, 50, 20); // reaches out of the band
    editor.MouseDown(TvlMouseButton::Left, none, {300, 120});
    EXPECT_EQ(SelectedCount, 1);
    editor.MouseMove(none, {300, 136});
    editor.MouseUp(TvlMouseButton::Left, none, {300, 136});
    EXPECT_EQ(band->Top, 116);
    EXPECT_EQ(inside->Top, 126);
    EXPECT_EQ(across->Top, 130);
    host.undo.Undo();
    EXPECT_EQ(host.Page()->Object(0)->Top, 100);
    EXPECT_EQ(host.Page()->Object(1)->Top, 110);

    // With Alt only the band moves.
    editor.MouseDown(TvlMouseButton::Left, alt, {300, 120});
    editor.MouseMove(alt, {300, 128});
    editor.MouseUp(TvlMouseButton::Left, alt, {300, 128});
    EXPECT_EQ(host.Page()->Object(0)->Top, 108);
    EXPECT_EQ(host.Page()->Object(1)->Top, 110);
}

TEST_F(PageEditor, RubberBandsSelectTouchedObjectsButNeverBands)
{
    host.addBand(btMasterData, 0, 200);
    TvlView *a = host.add(otMemo, 40, 40, 50, 20);
    TvlView *b = host.add(otMemo, 200, 40, 50, 20);
    TvlView *c = host.add(otMemo, 400, 400, 50, 20);
    // Ctrl on an object starts a rubber band rather than a move.
    editor.MouseDown(TvlMouseButton::Left, ctrl, {60, 50});
    EXPECT_TRUE(editor.RubberBandVisible());
    editor.MouseMove(ctrl, {200, 100});
    editor.MouseUp(TvlMouseButton::Left, ctrl, {200, 100});
    EXPECT_TRUE(a->Selected);
    EXPECT_TRUE(b->Selected); // touched at its left edge
    EXPECT_FALSE(c->Selected);
    EXPECT_FALSE(host.Page()->Object(0)->Selected);
    EXPECT_EQ(SelectedCount, 2);
    EXPECT_EQ(a->Left, 40);
    EXPECT_TRUE(GroupRectValid);
    EXPECT_EQ(DragRect, (TvlRect{40, 40, 250, 60}));

    // Shift+click on a selected object deselects only that one.
    click({210, 50}, shiftKey);
    EXPECT_FALSE(b->Selected);
    EXPECT_TRUE(a->Selected);
    EXPECT_EQ(SelectedCount, 1);
    EXPECT_EQ(PrimaryView, a);
}

TEST_F(PageEditor, OneObjectResizesByTheHandleUnderThePressAndEndsNormalised)
{
    TvlView *memo = host.add(otMemo, 40, 40, 48, 24);
    click({50, 50});
    editor.MouseMove(none, {88, 64});
    EXPECT_EQ(editor.Cursor(), TvlPageCursor::SizeNWSE);
    drag({88, 64}, {104, 72}); // bottom-right by 16, 8
    EXPECT_EQ(bounds(memo), (TvlBounds{40, 40, 64, 32}));
    editor.MouseMove(none, {41, 40});
    EXPECT_EQ(editor.Cursor(), TvlPageCursor::SizeNWSE);
    drag({41, 40}, {49, 40}); // top-left: the left edge follows
    EXPECT_EQ(bounds(memo), (TvlBounds{48, 40, 56, 32}));
    editor.MouseMove(none, {76, 72});
    EXPECT_EQ(editor.Cursor(), TvlPageCursor::SizeNS);
    drag({76, 72}, {76, 24}); // bottom middle dragged above the top
    EXPECT_EQ(bounds(memo), (TvlBounds{48, 24, 56, 16}));
    editor.MouseMove(none, {48, 32});
    EXPECT_EQ(editor.Cursor(), TvlPageCursor::SizeWE);
    editor.MouseMove(none, {104, 24});
    EXPECT_EQ(editor.Cursor(), TvlPageCursor::SizeNESW);
    EXPECT_EQ(host.undo.Count(TvlDesignerUndo::UndoStack), 3);

    // Another object pressed under the handle of the selected one moves.
    TvlView *other = host.add(otMemo, 102, 20, 40, 40);
    editor.MouseMove(none, {104, 24});
    ASSERT_EQ(editor.Cursor(), TvlPageCursor::SizeNESW);
    editor.MouseDown(TvlMouseButton::Left, none, {104, 30}); // on the right middle handle too
    EXPECT_TRUE(other->Selected);
    editor.MouseMove(none, {112, 30});
    editor.MouseUp(TvlMouseButton::Left, none, {112, 30});
    EXPECT_EQ(bounds(other), (TvlBounds{110, 20, 40, 40}));
    EXPECT_EQ(bounds(memo), (TvlBounds{48, 24, 56, 16}));
}

TEST_F(PageEditor, GroupResizeScalesFromTheStartAndLeavesAZeroExtentAxisAlone)
{
    TvlView *a = host.add(otMemo, 0, 0, 10, 10);
    TvlView *b = host.add(otMemo, 10, 0, 10, 10);
    host.select({a, b});
    editor.ComputeGroupRect();
    EXPECT_EQ(editor.BottomRightIndex(), 1);
    host.gridAlign = false;
    editor.MouseMove(none, {20, 10});
    EXPECT_EQ(editor.Cursor(), TvlPageCursor::SizeNWSE);
    editor.MouseDown(TvlMouseButton::Left, none, {20, 10});
    editor.MouseMove(none, {25, 10});
    EXPECT_TRUE(editor.GroupResizing());
    EXPECT_EQ(DragRect, (TvlRect{0, 0, 25, 10}));
    EXPECT_EQ(DragRectStart, (TvlRect{0, 0, 20, 10}));
    editor.MouseUp(TvlMouseButton::Left, none, {25, 10});
    EXPECT_FALSE(editor.GroupResizing());
    EXPECT_EQ(bounds(a), (TvlBounds{0, 0, 12, 10})); // 12.5 -> 12
    EXPECT_EQ(bounds(b), (TvlBounds{12, 0, 13, 10}));

    // Dragged over the group's own left edge: every member ends with a positive width.
    editor.MouseMove(none, {25, 10});
    ASSERT_EQ(editor.Cursor(), TvlPageCursor::SizeNWSE);
    drag({25, 10}, {-25, 10});
    EXPECT_EQ(bounds(a), (TvlBounds{-12, 0, 12, 10}));
    EXPECT_EQ(bounds(b), (TvlBounds{-25, 0, 13, 10}));

    // Two vertical lines one above the other: the group has no width.
    host.Page()->Clear();
    TvlView *l1 = host.add(otLine, 50, 0, 0, 20);
    TvlView *l2 = host.add(otLine, 50, 20, 0, 20);
    host.select({l1, l2});
    editor.ComputeGroupRect();
    editor.MouseMove(none, {51, 41}); // on the handle, off the lines' shared edge
    ASSERT_EQ(editor.Cursor(), TvlPageCursor::SizeNWSE);
    drag({51, 41}, {61, 61});
    EXPECT_EQ(bounds(l1), (TvlBounds{50, 0, 0, 30}));
    EXPECT_EQ(bounds(l2), (TvlBounds{50, 30, 0, 30}));
}

TEST_F(PageEditor, SharedEdgeDragMovesTheEdgeForBothOrNotAtAll)
{
    TvlView *a = host.add(otMemo, 40, 40, 40, 20);
    TvlView *b = host.add(otMemo, 80, 40, 24, 20);
    host.select({a, b});
    editor.ComputeGroupRect();
    editor.MouseMove(none, {82, 50}); // 2 pixels inside the right one
    EXPECT_EQ(editor.Cursor(), TvlPageCursor::SplitH);
    editor.MouseMove(none, {78, 50}); // 2 pixels inside the left one
    EXPECT_EQ(editor.Cursor(), TvlPageCursor::SplitH);
    editor.MouseMove(none, {75, 50});
    EXPECT_EQ(editor.Cursor(), TvlPageCursor::Default);
    editor.MouseMove(none, {79, 50});
    editor.MouseDown(TvlMouseButton::Left, none, {79, 50});
    editor.MouseMove(none, {87, 50});
    EXPECT_TRUE(editor.EdgeLineVisible());
    EXPECT_EQ(editor.EdgeLine().Left, 88);
    editor.MouseUp(TvlMouseButton::Left, none, {87, 50});
    EXPECT_EQ(bounds(a), (TvlBounds{40, 40, 48, 20}));
    EXPECT_EQ(bounds(b), (TvlBounds{88, 40, 16, 20}));

    editor.MouseMove(none, {89, 50});
    ASSERT_EQ(editor.Cursor(), TvlPageCursor::SplitH);
    drag({89, 50}, {113, 50}); // would leave the right one -8 wide
    EXPECT_EQ(bounds(a), (TvlBounds{40, 40, 48, 20}));
    EXPECT_EQ(bounds(b), (TvlBounds{88, 40, 16, 20}));
}

TEST_F(PageEditor, KeysMoveResizeJumpAndAltArrowIsRecorded)
{
    TvlView *s = host.add(otMemo, 100, 100, 50, 20);
    TvlView *below = host.add(otMemo, 100, 200, 50, 20);
    host.select({s});
    EXPECT_TRUE(editor.KeyDown(TvlKey::Right, ctrl));
    EXPECT_EQ(s->Left, 101);
    EXPECT_TRUE(editor.KeyDown(TvlKey::Down, shiftKey));
    EXPECT_EQ(s->Height, 21);
    EXPECT_EQ(host.undo.Count(TvlDesignerUndo::UndoStack), 2);

    host.modified = false;
    EXPECT_TRUE(editor.KeyDown(TvlKey::Down, alt));
    EXPECT_EQ(s->Top, 179); // its bottom on the other's top
    EXPECT_TRUE(host.modified);
    host.undo.Undo();
    EXPECT_EQ(host.Page()->Object(0)->Top, 100);

    host.select({host.Page()->Object(0)});
    EXPECT_TRUE(editor.KeyDown(TvlKey::Down, none));
    EXPECT_TRUE(below->Selected);
    EXPECT_FALSE(host.Page()->Object(0)->Selected);
    EXPECT_EQ(SelectedCount, 1);

    EXPECT_TRUE(editor.KeyDown(TvlKey::Digit, ctrl, 3));
    EXPECT_TRUE(editor.KeyDown(TvlKey::F, ctrl));
    EXPECT_TRUE(editor.KeyDown(TvlKey::Enter, none));
    EXPECT_TRUE(editor.KeyDown(TvlKey::Enter, ctrl));
    EXPECT_EQ(host.calls, QStringList({"width 3", "all edges", "editor", "memo"}));
    EXPECT_TRUE(editor.KeyDown(TvlKey::G, ctrl));
    EXPECT_FALSE(host.showGrid);

    // Typing in a toolbar box leaves the objects alone.
    host.editBoxFocus = true;
    EXPECT_FALSE(editor.KeyDown(TvlKey::Delete, none));
    EXPECT_FALSE(editor.KeyDown(TvlKey::Left, ctrl));
    EXPECT_FALSE(editor.KeyDown(TvlKey::D, ctrl));
    EXPECT_EQ(host.Page()->Count(), 2);
    host.editBoxFocus = false;
    EXPECT_TRUE(editor.KeyDown(TvlKey::Delete, none));
    EXPECT_EQ(host.Page()->Count(), 1);
    EXPECT_EQ(SelectedCount, 0);
}

TEST_F(PageEditor, DoubleClickOpensAnEditorAndTheNextPressStillCounts)
{
    TvlView *memo = host.add(otMemo, 40, 40, 50, 20);
    click({300, 300});
    editor.DoubleClick();
    EXPECT_EQ(host.calls, QStringList({"page options"}));
    click({50, 50});
    editor.DoubleClick();
    editor.MouseUp(TvlMouseButton::Left, none, {50, 50});
    EXPECT_EQ(host.calls.last(), QStringLiteral("editor"));
    // The user's next press is a press: it deselects.
    click({300, 300});
    EXPECT_FALSE(memo->Selected);
    EXPECT_EQ(SelectedCount, 0);
}
