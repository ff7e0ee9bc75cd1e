// Undo and redo of every kind, across the stacks' capacity and pages, and
// the designer clipboard with its paste rules.
#include "fakehost.h"
#include "report/vlsubreportview.h"

#include <gtest/gtest.h>

namespace {

struct DesignerUndo : ::testing::Test
{
    FakeHost host;
    TvlDesignerUndo &undo = host.undo;

    int undoCount() const { return undo.Count(TvlDesignerUndo::UndoStack); }
    int redoCount() const { return undo.Count(TvlDesignerUndo::RedoStack); }
    TvlView *at(int index) { return host.Page()->Object(index); }
    void moveSelectedBy(int dx)
    {
        undo.AddUndoAction(UndoEdit);
        for (const auto &view : host.Page()->Objects)
            if (view->Selected)
                view->Left += dx;
    }
};

TvlSubReportView *addSubReport(FakeHost &host, int left)
{
    auto *sub = static_cast<TvlSubReportView *>(host.add(otSubReport, left, 0, 40, 40));
    sub->PageIndex = host.report.Pages.Count();
    host.report.Pages.Add();
    return sub;
}

} // namespace

TEST_F(DesignerUndo, EditsUndoAndRedoAndANewActionEmptiesRedo)
{
    TvlView *memo = host.add(otMemo, 10, 10, 50, 20);
    host.select({memo});
    moveSelectedBy(30);
    EXPECT_TRUE(host.modified);
    EXPECT_TRUE(host.undoEnabled);
    EXPECT_FALSE(host.redoEnabled);
    undo.Undo();
    EXPECT_EQ(at(0)->Left, 10);
    EXPECT_EQ(SelectedCount, 0); // the selection is cleared after undo
    EXPECT_FALSE(host.undoEnabled);
    EXPECT_TRUE(host.redoEnabled);
    undo.Redo();
    EXPECT_EQ(at(0)->Left, 40);
    EXPECT_EQ(at(0), memo); // edits change the object in place
    undo.Undo();
    host.select({memo});
    moveSelectedBy(5);
    EXPECT_EQ(redoCount(), 0);
    EXPECT_FALSE(host.redoEnabled);
}

TEST_F(DesignerUndo, AHundredEntriesAreKeptAndTheOldestDrops)
{
    TvlView *memo = host.add(otMemo, 0, 0, 50, 20);
    host.select({memo});
    for (int i = 0; i < 101; ++i)
        moveSelectedBy(1);
    EXPECT_EQ(at(0)->Left, 101);
    EXPECT_EQ(undoCount(), 100);
    for (int i = 0; i < 100; ++i)
        undo.Undo();
    EXPECT_EQ(at(0)->Left, 1); // the first move can no longer be undone
    EXPECT_EQ(undoCount(), 0);
    EXPECT_EQ(redoCount(), 100);
    undo.Undo(); // an empty stack does nothing
    EXPECT_EQ(at(0)->Left, 1);
    for (int i = 0; i < 100; ++i)
        undo.Redo();
    EXPECT_EQ(at(0)->Left, 101);
}

TEST_F(DesignerUndo, DeletionComesBackAtItsPlacesWithItsIdsAndInsertionGoes)
{
    TvlView *a = host.add(otMemo, 0, 0, 10, 10, "A");
    TvlView *b = host.add(otPicture, 0, 0, 10, 10, "B");
    TvlView *c = host.add(otLine, 0, 0, 10, 0, "C");
    TvlView *d = host.add(otMemo, 0, 0, 10, 10, "D");
    const qint32 idB = b->ObjectId, idD = d->ObjectId;
    host.select({b, d});
    undo.DeleteSelected();
    EXPECT_EQ(host.names(), QStringList({"A", "C"}));
    undo.Undo();
    EXPECT_EQ(host.names(), QStringList({"A", "B", "C", "D"}));
    EXPECT_EQ(at(1)->ObjectId, idB);
    EXPECT_EQ(at(3)->ObjectId, idD);
    EXPECT_EQ(at(1)->ObjectType, otPicture);
    undo.Redo();
    EXPECT_EQ(host.names(), QStringList({"A", "C"}));
    (void)a, (void)c;

    // An insertion undone removes exactly the inserted object.
    TvlView *e = host.add(otMemo, 0, 0, 10, 10, "E");
    host.select({e});
    undo.AddUndoAction(UndoInsert);
    undo.Undo();
    EXPECT_EQ(host.names(), QStringList({"A", "C"}));
    undo.Redo();
    EXPECT_EQ(host.names(), QStringList({"A", "C", "E"}));
}

TEST_F(DesignerUndo, ZOrderComesBackWhole)
{
    host.add(otMemo, 0, 0, 10, 10, "A");
    TvlView *b = host.add(otMemo, 0, 0, 10, 10, "B");
    host.add(otMemo, 0, 0, 10, 10, "C");
    undo.AddUndoAction(UndoZOrder);
    auto &objects = host.Page()->Objects;
    std::rotate(objects.begin(), objects.begin() + 1, objects.begin() + 2); // B to the front
    std::swap(objects[1], objects[2]);
    EXPECT_EQ(host.names(), QStringList({"B", "C", "A"}));
    undo.Undo();
    EXPECT_EQ(host.names(), QStringList({"A", "B", "C"}));
    EXPECT_EQ(at(1), b);
    undo.Redo();
    EXPECT_EQ(host.names(), QStringList({"B", "C", "A"}));
}

TEST_F(DesignerUndo, AnEntryActsOnlyOnItsOwnPage)
{
    TvlView *memo = host.add(otMemo, 10, 0, 10, 10);
    host.report.Pages.Add();
    host.select({memo});
    moveSelectedBy(20);
    host.SetCurPage(1);
    undo.Undo();
    EXPECT_EQ(undoCount(), 1); // kept for its page
    EXPECT_EQ(host.report.Pages[0]->Object(0)->Left, 30);
    host.SetCurPage(0);
    undo.Undo();
    EXPECT_EQ(host.report.Pages[0]->Object(0)->Left, 10);
    EXPECT_EQ(undoCount(), 0);
}

TEST_F(DesignerUndo, DeletingASubReportTakesItsPageAndRenumbersTheOthers)
{
    TvlSubReportView *first = addSubReport(host, 0);   // shows page 1
    TvlSubReportView *second = addSubReport(host, 50); // shows page 2
    host.report.Pages[1]->Add(vlCreateView(otMemo))->Name = "OnPage1";
    host.report.Pages[2]->Add(vlCreateView(otMemo))->Name = "OnPage2";
    host.select({first});
    undo.DeleteSelected();
    ASSERT_EQ(host.report.Pages.Count(), 2);
    EXPECT_EQ(second->PageIndex, 1);
    EXPECT_EQ(host.report.Pages[1]->Object(0)->Name, QStringLiteral("OnPage2"));

    undo.Undo();
    ASSERT_EQ(host.report.Pages.Count(), 3);
    EXPECT_EQ(static_cast<TvlSubReportView *>(at(0))->PageIndex, 1);
    EXPECT_EQ(static_cast<TvlSubReportView *>(at(1))->PageIndex, 2);
    EXPECT_EQ(host.report.Pages[1]->Object(0)->Name, QStringLiteral("OnPage1"));
    EXPECT_EQ(host.report.Pages[2]->Object(0)->Name, QStringLiteral("OnPage2"));

    // A page another sub-report still shows stays.
    auto *copy = static_cast<TvlSubReportView *>(host.add(otSubReport, 100, 0, 40, 40));
    copy->PageIndex = 2;
    host.select({at(1)});
    undo.DeleteSelected();
    EXPECT_EQ(host.report.Pages.Count(), 3);
}

TEST_F(DesignerUndo, RemovingAPageBeforeTheShownOneFollowsTheShownPage)
{
    TvlSubReportView *sub = addSubReport(host, 0); // page 1
    host.report.Pages.Add();                       // page 2 shows the sub-report's neighbour
    host.SetCurPage(2);
    TvlView *memo = host.add(otMemo, 0, 0, 10, 10, "Here");
    host.select({memo});
    moveSelectedBy(8); // an entry of page 2
    host.SetCurPage(0);
    host.select({sub});
    undo.DeleteSelected();
    EXPECT_EQ(host.report.Pages.Count(), 2);
    host.SetCurPage(1);
    EXPECT_EQ(host.Page()->Object(0)->Name, QStringLiteral("Here"));
    undo.Undo(); // the delete entry belongs to page 0: nothing
    EXPECT_EQ(undoCount(), 2);
    host.SetCurPage(0);
    undo.Undo(); // the sub-report and its page come back, the shown page moves on
    EXPECT_EQ(host.report.Pages.Count(), 3);
    host.SetCurPage(2);
    undo.Undo(); // the move of page 2, still its own
    EXPECT_EQ(host.Page()->Object(0)->Left, 0);
}

TEST_F(DesignerUndo, CutCopyAndPasteWithRenamingSkippedBandsAndScrolling)
{
    host.addBand(btPageHeader, 0, 40)->Name = "Header";
    host.addBand(btMasterData, 60, 20)->Name = "Data";
    TvlView *memo = host.add(otMemo, 50, 70, 40, 10, "Price");
    host.select({host.Page()->Object(0), host.Page()->Object(1), memo});
    undo.CopyBClick();
    ASSERT_EQ(ClipboardList.size(), 3u);
    EXPECT_NE(ClipboardList[2]->ObjectId, memo->ObjectId); // copies are objects of their own

    undo.PstBClick(QPoint(-37, 0)); // scrolled right by 37 pixels
    // The header band exists: skipped. Data bands always paste; names taken get new ones.
    EXPECT_EQ(host.names(), QStringList({"Header", "Data", "Band1", "Price", "Memo1"}));
    EXPECT_EQ(at(2)->Left, 32);
    EXPECT_EQ(at(2)->Top, 60 - 0);
    EXPECT_EQ(at(4)->Left, 32 + 50);
    EXPECT_EQ(SelectedCount, 2);
    EXPECT_EQ(undo.Top(TvlDesignerUndo::UndoStack).Kind, UndoInsert);
    undo.Undo(); // takes the pasted copies away, not the originals
    EXPECT_EQ(host.names(), QStringList({"Header", "Data", "Price"}));

    // A name nobody uses stays.
    host.select({memo});
    undo.CutBClick();
    EXPECT_EQ(host.names(), QStringList({"Header", "Data"}));
    EXPECT_EQ(undo.Top(TvlDesignerUndo::UndoStack).Kind, UndoDelete);
    undo.PstBClick();
    EXPECT_EQ(host.names(), QStringList({"Header", "Data", "Price"}));
    EXPECT_EQ(at(2)->Left, 0);
    EXPECT_EQ(at(2)->Top, 0);
}

TEST_F(DesignerUndo, ASubReportOnTheRemovedPageTakesItsOwnPageToo)
{
    TvlSubReportView *outer = addSubReport(host, 0); // page 1
    host.report.Pages.Add();                         // page 2: shown by the inner one
    auto inner = std::make_unique<TvlSubReportView>();
    inner->PageIndex = 2;
    inner->Name = "Inner";
    host.report.Pages[1]->Add(std::move(inner));
    host.report.Pages.Add(); // page 3, shown by a sub-report on page 0
    TvlSubReportView *last = addSubReport(host, 80);
    last->PageIndex = 3;
    host.report.Pages.Delete(4); // the page addSubReport added
    host.report.Pages[2]->Add(vlCreateView(otMemo))->Name = "Deep";
    host.report.Pages[3]->Add(vlCreateView(otMemo))->Name = "Kept";

    host.select({outer});
    undo.DeleteSelected();
    ASSERT_EQ(host.report.Pages.Count(), 2);
    EXPECT_EQ(last->PageIndex, 1);
    EXPECT_EQ(host.report.Pages[1]->Object(0)->Name, QStringLiteral("Kept"));

    undo.Undo();
    ASSERT_EQ(host.report.Pages.Count(), 4);
    EXPECT_EQ(static_cast<TvlSubReportView *>(at(0))->PageIndex, 1);
    EXPECT_EQ(static_cast<TvlSubReportView *>(at(1))->PageIndex, 3);
    EXPECT_EQ(static_cast<TvlSubReportView *>(host.report.Pages[1]->Object(0))->PageIndex, 2);
    EXPECT_EQ(host.report.Pages[2]->Object(0)->Name, QStringLiteral("Deep"));
    EXPECT_EQ(host.report.Pages[3]->Object(0)->Name, QStringLiteral("Kept"));
}
