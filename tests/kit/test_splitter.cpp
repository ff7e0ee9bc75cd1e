#include "kit/splitter.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A page as the main window has it: a grid above, the splitter, the pane below.
struct Page
{
    QWidget window;
    QWidget *grid = new QWidget;
    TKxSplitter *splitter = new TKxSplitter;
    QWidget *below = new QWidget;

    explicit Page(int limit = 128)
    {
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        grid->setProperty("Align", "alTop");
        below->setProperty("Align", "alClient");
        grid->setFixedHeight(200);
        splitter->setFixedHeight(16);
        layout->addWidget(grid);
        layout->addWidget(splitter);
        layout->addWidget(below, 1);
        window.resize(300, 600);
        splitter->beginLoading();
        splitter->setAlign(TKxSplitter::alTop);
        splitter->setControlFirst(grid);
        splitter->setControlSecond(below);
        splitter->setLimitOffset(limit);
        splitter->endLoading();
        window.show();
        QApplication::processEvents();
    }
    void drag(int dy, bool release = true)
    {
        QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(50, 8));
        QTest::mouseMove(splitter, QPoint(50, 8 + dy));
        if (release)
            QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(50, 8 + dy));
    }
};

} // namespace

TEST(Splitter, DragResizesTheFirstControlByTheDistance)
{
    Page page;
    ASSERT_EQ(page.splitter->y(), 200);
    EXPECT_EQ(page.splitter->cursor().shape(), Qt::SplitVCursor);
    QSignalSpy changed(page.splitter, &TKxSplitter::OnPosChanged);
    page.drag(50, false);
    EXPECT_TRUE(page.splitter->isSizing());
    EXPECT_EQ(page.splitter->linePosition(), 250 + 8);
    QTest::mouseRelease(page.splitter, Qt::LeftButton, {}, QPoint(50, 58));
    EXPECT_EQ(page.grid->height(), 250);
    EXPECT_EQ(changed.count(), 1);
    QApplication::processEvents();
    EXPECT_EQ(page.splitter->y(), 250);
}

TEST(Splitter, LimitsStopTheLineAndShowTheNoDropCursor)
{
    Page page;
    page.drag(-150, false); // the line may not come closer than 128 to the top
    EXPECT_EQ(page.splitter->linePosition(), 128 + 8);
    EXPECT_EQ(page.splitter->cursor().shape(), Qt::ForbiddenCursor);
    QTest::mouseRelease(page.splitter, Qt::LeftButton, {}, QPoint(50, 8 - 150));
    EXPECT_EQ(page.grid->height(), 128);
    EXPECT_EQ(page.splitter->cursor().shape(), Qt::SplitVCursor);

    Page bottom;
    bottom.drag(1000); // nor closer than 128 to the bottom
    EXPECT_EQ(bottom.grid->height(), 600 - 128 - 16);
}

TEST(Splitter, NeverBelowOnePixelNorBeyondTheParent)
{
    Page page(0);
    page.drag(-300);
    EXPECT_EQ(page.grid->height(), 1);

    Page full(0);
    full.drag(1000);
    EXPECT_EQ(full.grid->height(), 600 - 16 - 3);
}

TEST(Splitter, EscAndRefusalLeaveThePanesAlone)
{
    Page page;
    QSignalSpy changed(page.splitter, &TKxSplitter::OnPosChanged);
    page.drag(60, false);
    QTest::keyClick(&page.window, Qt::Key_Escape);
    EXPECT_FALSE(page.splitter->isSizing());
    QTest::mouseRelease(page.splitter, Qt::LeftButton, {}, QPoint(50, 68));
    EXPECT_EQ(page.grid->height(), 200);
    EXPECT_EQ(changed.count(), 0);

    QObject::connect(page.splitter, &TKxSplitter::OnPosChanging, [](int, int y, bool &allow) { allow = y <= 230; });
    page.drag(20, false);
    QTest::mouseMove(page.splitter, QPoint(50, 8 + 60));
    EXPECT_EQ(page.splitter->cursor().shape(), Qt::ForbiddenCursor);
    QTest::mouseRelease(page.splitter, Qt::LeftButton, {}, QPoint(50, 68));
    EXPECT_EQ(page.grid->height(), 220) << "the last allowed position counts";
}

TEST(Splitter, SizesOnlyWhenTheControlsAreAlignedForIt)
{
    Page page;
    page.grid->setProperty("Align", "alLeft");
    page.drag(50);
    EXPECT_EQ(page.grid->height(), 200);
    page.grid->setProperty("Align", "alTop");
    page.below->setProperty("Align", "alBottom");
    page.drag(50);
    EXPECT_EQ(page.grid->height(), 200);
}

TEST(Splitter, AligningLinksTheNeighbourAndSetsTheThickness)
{
    QWidget parent;
    parent.resize(200, 200);
    QWidget top(&parent);
    top.setGeometry(0, 0, 200, 50);
    TKxSplitter splitter(&parent);
    splitter.setGeometry(0, 50, 200, 10);
    splitter.setAlign(TKxSplitter::alTop);
    EXPECT_EQ(splitter.height(), 3);
    EXPECT_EQ(splitter.controlFirst(), &top);
    splitter.setControlSecond(&splitter);
    EXPECT_EQ(splitter.controlSecond(), nullptr);
    splitter.setAlign(TKxSplitter::alLeft);
    EXPECT_EQ(splitter.width(), 3);
    EXPECT_EQ(splitter.cursor().shape(), Qt::SplitHCursor);
}
