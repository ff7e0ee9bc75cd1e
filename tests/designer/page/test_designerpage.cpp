// The design page widget under real (offscreen) mouse and key events: the
// state machine reaches the model, a double click swallows no later click,
// and the page paints its grid, objects and handles.
#include "fakehost.h"
#include "report/designer/page/designerpage.h"

#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct DesignerPageWidget : ::testing::Test
{
    FakeHost host;
    QScrollArea area;
    TvlDesignerPage *page = nullptr;

    DesignerPageWidget()
    {
        auto *box = new QWidget;
        page = new TvlDesignerPage(host, box);
        host.pageView = page;
        page->PlacePage(900);
        box->resize(page->geometry().right() + 11, page->geometry().bottom() + 11);
        area.setWidget(box);
        area.resize(900, 600);
        area.show();
    }
    // What a user's double click brings: press, release, double click, release.
    void doubleClick(QPoint p)
    {
        QTest::mouseClick(page, Qt::LeftButton, {}, p);
        QTest::mouseDClick(page, Qt::LeftButton, {}, p);
        QTest::mouseRelease(page, Qt::LeftButton, {}, p);
    }
    bool key(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, code, modifiers);
        return page->FormKeyDown(&event);
    }
};

} // namespace

TEST_F(DesignerPageWidget, PlacedCentredOrTenFromTheLeft)
{
    const int width = host.Page()->PrnInfo.PageWidth;
    ASSERT_GT(width, 0);
    page->PlacePage(width + 100);
    EXPECT_EQ(page->geometry(), QRect(50, 10, width, host.Page()->PrnInfo.PageHeight));
    page->PlacePage(width - 1);
    EXPECT_EQ(page->x(), 10);
}

TEST_F(DesignerPageWidget, MouseInsertsMovesAndSelectsThroughTheWidget)
{
    host.tool = toolMemo;
    QTest::mouseMove(page, {41, 41});
    EXPECT_EQ(page->cursor().shape(), Qt::CrossCursor);
    QTest::mousePress(page, Qt::LeftButton, {}, {41, 41});
    QTest::mouseMove(page, {140, 70});
    QTest::mouseRelease(page, Qt::LeftButton, {}, {140, 70});
    ASSERT_EQ(host.Page()->Count(), 1);
    TvlView *memo = host.Page()->Object(0);
    EXPECT_EQ(vlBoundsOf(*memo), (TvlBounds{40, 40, 96, 24}));
    EXPECT_EQ(host.tool, toolSelect);

    QTest::mousePress(page, Qt::LeftButton, {}, {60, 50});
    QTest::mouseMove(page, {76, 66});
    QTest::mouseRelease(page, Qt::LeftButton, {}, {76, 66});
    EXPECT_EQ(memo->Left, 56);
    EXPECT_EQ(memo->Top, 56);

    // Hovering the bottom-right handle shows the resize pointer.
    QTest::mouseMove(page, {152, 80});
    EXPECT_EQ(page->cursor().shape(), Qt::SizeFDiagCursor);
    QTest::mouseClick(page, Qt::LeftButton, {}, {600, 900});
    EXPECT_EQ(SelectedCount, 0);
    EXPECT_FALSE(memo->Selected);
}

TEST_F(DesignerPageWidget, ADoubleClickOpensTheEditorAndTheNextClickIsNotSwallowed)
{
    TvlView *memo = host.add(otMemo, 40, 40, 80, 20);
    doubleClick({50, 50});
    EXPECT_EQ(host.calls, QStringList({"editor"}));
    EXPECT_TRUE(memo->Selected);
    QTest::mouseClick(page, Qt::LeftButton, {}, {500, 500});
    EXPECT_FALSE(memo->Selected);
    doubleClick({500, 500});
    EXPECT_EQ(host.calls, QStringList({"editor", "page options"}));
    QTest::mouseClick(page, Qt::LeftButton, {}, {50, 50});
    EXPECT_TRUE(memo->Selected);
}

TEST_F(DesignerPageWidget, RightClickShowsTheMenuAndKeysActOnTheSelection)
{
    TvlView *memo = host.add(otMemo, 40, 40, 80, 20);
    QTest::mouseClick(page, Qt::RightButton, {}, {50, 50});
    EXPECT_EQ(host.calls, QStringList({"menu"}));
    EXPECT_TRUE(memo->Selected);
    EXPECT_TRUE(key(Qt::Key_Right, Qt::ControlModifier));
    EXPECT_EQ(memo->Left, 41);
    EXPECT_TRUE(key(Qt::Key_3, Qt::ControlModifier));
    EXPECT_TRUE(key(0x0160, Qt::ControlModifier)); // the same key on the Czech layout
    EXPECT_EQ(host.calls, QStringList({"menu", "width 3", "width 3"}));
    EXPECT_TRUE(key(Qt::Key_Delete));
    EXPECT_EQ(host.Page()->Count(), 0);
    EXPECT_FALSE(key(Qt::Key_Delete));
    EXPECT_FALSE(key(Qt::Key_X));
    host.undo.Undo();
    EXPECT_EQ(host.Page()->Count(), 1);
}

TEST_F(DesignerPageWidget, PaintsGridObjectsAndHandles)
{
    host.addBand(btMasterData, 100, 40)->Name = "MasterData1";
    TvlView *memo = host.add(otMemo, 72, 200, 200, 24);
    memo->Memo = QStringList{"Faktura č. [Cislo]"};
    memo->FrameTyp = 15;
    host.add(otLine, 72, 260, 300, 0);
    host.select({memo});
    const QImage image = page->grab(QRect(0, 0, 420, 300)).toImage();
    if (!qEnvironmentVariableIsEmpty("TARMIL5_SHOTS"))
        image.save(qEnvironmentVariable("TARMIL5_SHOTS") + "/designerpage.png");
    // A grid dot at (8, 8) on white, none between.
    EXPECT_EQ(image.pixelColor(8, 8), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(9, 8), QColor(Qt::white));
    // The selected memo's corner handles invert what lies under them.
    EXPECT_EQ(image.pixelColor(70, 198), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(274, 226), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(270, 202), QColor(Qt::black));
}

// A real layout on the page as a user sees it (only when a layout and a
// folder for the picture are named).
TEST_F(DesignerPageWidget, ShowsALayoutFile)
{
    const QString layout = qEnvironmentVariable("TARMIL5_LAYOUT");
    const QString shots = qEnvironmentVariable("TARMIL5_SHOTS");
    if (layout.isEmpty() || shots.isEmpty())
        GTEST_SKIP() << "no layout named";
    QString error;
    ASSERT_TRUE(host.report.LoadFromFile(layout, &error)) << error.toStdString();
    page->PlacePage(900);
    vlArrangeBands(*host.Page());
    host.select({host.Page()->Objects.back().get()});
    page->Editor().ComputeGroupRect();
    page->grab().save(shots + "/layout.png");
}

TEST_F(DesignerPageWidget, PageKeysScrollAndAPasteLandsInSight)
{
    TvlView *memo = host.add(otMemo, 40, 40, 80, 20);
    host.select({memo});
    EXPECT_TRUE(key(Qt::Key_Insert, Qt::ControlModifier)); // copy
    ASSERT_EQ(ClipboardList.size(), 1u);
    EXPECT_TRUE(key(Qt::Key_PageDown));
    EXPECT_EQ(area.verticalScrollBar()->value(), 200);
    EXPECT_EQ(page->PanelPos(), QPoint(page->x(), 10 - 200));
    EXPECT_TRUE(key(Qt::Key_Insert, Qt::ShiftModifier)); // paste
    ASSERT_EQ(host.Page()->Count(), 2);
    EXPECT_EQ(host.Page()->Object(1)->Top, 184); // 190 down to the grid
    EXPECT_EQ(host.Page()->Object(1)->Name, QStringLiteral("Memo2"));
    EXPECT_TRUE(key(Qt::Key_PageUp));
    EXPECT_EQ(area.verticalScrollBar()->value(), 0);
}

TEST_F(DesignerPageWidget, MovingByShapeShowsOutlinesOverThePageAsItWas)
{
    host.moveContents = false;
    TvlView *memo = host.add(otMemo, 40, 40, 80, 24);
    memo->FrameTyp = frAll;
    QTest::mouseClick(page, Qt::LeftButton, {}, {60, 50});
    QTest::mousePress(page, Qt::LeftButton, {}, {60, 50});
    QTest::mouseMove(page, {76, 66});
    EXPECT_EQ(memo->Left, 56);
    QImage image = page->grab(QRect(0, 0, 200, 120)).toImage();
    EXPECT_EQ(image.pixelColor(81, 40), QColor(Qt::black));         // the frame where it was
    EXPECT_EQ(image.pixelColor(100, 56), QColor(0x3F, 0x3F, 0x3F)); // the outline, inverted silver
    QTest::mouseRelease(page, Qt::LeftButton, {}, {76, 66});
    image = page->grab(QRect(0, 0, 200, 120)).toImage();
    EXPECT_EQ(image.pixelColor(100, 56), QColor(Qt::black)); // now drawn where it is
    EXPECT_EQ(image.pixelColor(81, 40), QColor(Qt::white));
}
