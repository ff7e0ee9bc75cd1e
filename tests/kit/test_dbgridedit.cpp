// Frozen columns and in-place editing of the data-aware grid over a real
// dataset.
#include "common/scripted_messages.h"
#include "kit/dbgridfrozen.h"
#include "kit/gridtestfixture.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>

namespace {

class FrozenTest : public GridTest
{
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        grid = makeGrid<TKxDBGrid>();
        grid->SetTitleButtons(false);
        customColumns(grid);
        grid->Columns()[1]->Width = 300;
        grid->Columns()[2]->Width = 300;
    }
    TKxDBGridFrozen *overlay() const { return grid->findChild<TKxDBGridFrozen *>(); }
    int column() const { return grid->currentIndex().column(); }

    TKxDBGrid *grid = nullptr;
};

} // namespace

TEST_F(FrozenTest, TheCountIsKeptWhileClosedAndLimitedWhileOpen)
{
    grid->SetFixedCols(-2);
    EXPECT_EQ(grid->FixedCols(), 0);
    grid->SetFixedCols(9);
    EXPECT_EQ(grid->FixedCols(), 9) << "closed: the value is only stored";
    query->Open();
    show();
    EXPECT_EQ(grid->FixedCols(), 3) << "all columns but one at most";
    EXPECT_TRUE(overlay()->isVisible());
    grid->SetFixedCols(1);
    EXPECT_EQ(grid->FixedCols(), 1);
    query->Close();
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_FALSE(overlay()->isVisible());
    // Laid out anew when the columns are set up again.
    query->Open();
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_EQ(column(), 1) << "the current column starts right of the frozen one";
    EXPECT_EQ(overlay()->FrozenWidth(), 80);
}

TEST_F(FrozenTest, KeysAndPressesKeepTheCurrentColumnRightOfTheFrozenOnes)
{
    grid->SetFixedCols(1);
    query->Open();
    show();
    grid->setFocus();
    ASSERT_EQ(column(), 1);
    QTest::keyClick(grid, Qt::Key_Left);
    EXPECT_EQ(column(), 1) << "Left stops at the frozen edge";
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(column(), 3);
    EXPECT_GT(grid->horizontalScrollBar()->value(), 0);
    QTest::keyClick(grid, Qt::Key_Home);
    EXPECT_EQ(column(), 1);
    EXPECT_EQ(currentId(), 1) << "Home walks the columns, not the records";
    const QRect first = grid->visualRect(grid->currentIndex());
    EXPECT_GE(first.left(), overlay()->FrozenWidth()) << "the cell is not hidden under the frozen column";
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(column(), 3);
    QTest::keyClick(grid, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(column(), 1);

    // Hiding the column next to the frozen one moves the cursor on.
    grid->Columns()[1]->Visible = false;
    grid->Columns().OnChange();
    EXPECT_EQ(column(), 2);

    // A press in the frozen column picks the row as the indicator does.
    grid->SetMultiSelect(true);
    const QRect cell = overlay()->visualRect(grid->model()->index(4, 0));
    QTest::mouseClick(overlay()->viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
    EXPECT_EQ(currentId(), 5);
    EXPECT_EQ(column(), 2);
    EXPECT_EQ(grid->SelectedRows().Count(), 1);
}

TEST_F(FrozenTest, FrozenColumnsAreSizedThroughTheirOwnTitles)
{
    grid->SetFixedCols(1);
    query->Open();
    show();
    QHeaderView *titles = overlay()->horizontalHeader();
    const int border = titles->sectionSize(0) - 1;
    const int y = titles->height() / 2;
    QTest::mousePress(titles->viewport(), Qt::LeftButton, {}, QPoint(border, y));
    QMouseEvent move(QEvent::MouseMove, QPointF(border + 40, y), titles->viewport()->mapToGlobal(QPointF(border + 40, y)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(titles->viewport(), &move);
    QTest::mouseRelease(titles->viewport(), Qt::LeftButton, {}, QPoint(border + 40, y));
    EXPECT_EQ(grid->Columns()[0]->Width, 120);
    EXPECT_EQ(grid->horizontalHeader()->sectionSize(0), 120);
    EXPECT_EQ(overlay()->FrozenWidth(), 120);
}
