// The designer's tool bars between docks and float windows: where the docks
// catch a bar, when a drag tears it off, the captioned float window.
#include "designerform_fixture.h"
#include "report/designer/form/floatwindow.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QTest>
#include <QToolBar>

TEST(DockZones, EveryDockCatchesEvenWhenEmptyAndTheCentreCatchesNone)
{
    // A window of 800 x 600: menu to 20, the top dock two rows deep, the left
    // dock one column, no bottom or right bar, the status bar from 580.
    const QRect window(0, 0, 800, 600);
    const QRect centre(26, 72, 774, 508);
    const auto zones = vlDockZones(window, centre, 20, 580);
    EXPECT_EQ(vlDockAreaAt(zones, {400, 21}), Qt::TopToolBarArea);
    EXPECT_EQ(vlDockAreaAt(zones, {400, 71}), Qt::TopToolBarArea);
    EXPECT_EQ(vlDockAreaAt(zones, {5, 10}), 0); // the menu bar
    EXPECT_EQ(vlDockAreaAt(zones, {5, 300}), Qt::LeftToolBarArea);
    EXPECT_EQ(vlDockAreaAt(zones, {25, 300}), Qt::LeftToolBarArea);
    EXPECT_EQ(vlDockAreaAt(zones, {400, 300}), 0);
    // The empty docks catch a row deep inside the window's edges.
    EXPECT_EQ(vlDockAreaAt(zones, {400, 579}), Qt::BottomToolBarArea);
    EXPECT_EQ(vlDockAreaAt(zones, {400, 555}), Qt::BottomToolBarArea);
    EXPECT_EQ(vlDockAreaAt(zones, {400, 553}), 0);
    EXPECT_EQ(vlDockAreaAt(zones, {799, 300}), Qt::RightToolBarArea);
    EXPECT_EQ(vlDockAreaAt(zones, {774, 300}), Qt::RightToolBarArea);
    EXPECT_EQ(vlDockAreaAt(zones, {773, 300}), 0);
    EXPECT_EQ(vlDockAreaAt(zones, {400, 600}), 0); // the status bar

    EXPECT_FALSE(vlTearsOff(0));
    EXPECT_FALSE(vlTearsOff(-20));
    EXPECT_TRUE(vlTearsOff(-21));
}

TEST_F(DesignerFormTest, ABarDraggedPastItsDocksStartFloatsInACaptionedWindowAndDocksAgain)
{
    form->FormShow(report);
    form->show();
    QApplication::processEvents();
    auto *text = qobject_cast<QToolBar *>(form->Control("Panel3"));
    ASSERT_EQ(form->Window()->toolBarArea(text), Qt::TopToolBarArea);
    ASSERT_EQ(text->x(), 0);

    // Along the dock the bar stays docked up to 20 pixels before its start.
    const QPoint grip(3, text->height() / 2);
    QTest::mousePress(text, Qt::LeftButton, {}, grip);
    QTest::mouseMove(text, grip - QPoint(20, 0));
    EXPECT_FALSE(form->FloatWindowOf(text));
    QTest::mouseMove(text, grip - QPoint(25, 0));
    TvlFloatWindow *window = form->FloatWindowOf(text);
    ASSERT_TRUE(window);
    QTest::mouseRelease(text, Qt::LeftButton, {}, grip - QPoint(25, 0));
    QApplication::processEvents();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Text"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(text->window(), window);
    EXPECT_FALSE(text->isMovable()); // no grip: the caption moves it

    // Its close box hides the bar; the bar menu shows and brings it back.
    window->close();
    emit form->ToolBarMenu()->aboutToShow();
    EXPECT_FALSE(qobject_cast<QAction *>(form->Control("Pan3"))->isChecked());
    form->Pan2Click(2);
    EXPECT_TRUE(window->isVisible());
    emit form->ToolBarMenu()->aboutToShow();
    EXPECT_TRUE(qobject_cast<QAction *>(form->Control("Pan3"))->isChecked());

    // The bar of edit boxes keeps to rows: over the right-hand dock it stays
    // afloat, over the bottom one it docks.
    const QRect area = form->Window()->rect();
    window->OnMoved(form->Window()->mapToGlobal(QPoint(area.right() - 5, area.height() / 2)));
    QApplication::processEvents();
    EXPECT_EQ(form->FloatWindowOf(text), window);
    window->OnMoved(form->Window()->mapToGlobal(QPoint(area.width() / 2, area.bottom() - 30)));
    QApplication::processEvents();
    EXPECT_FALSE(form->FloatWindowOf(text));
    EXPECT_EQ(form->Window()->toolBarArea(text), Qt::BottomToolBarArea);
    EXPECT_TRUE(text->isMovable());
    EXPECT_TRUE(text->isVisible());

    // The alignment bar floats level and docks upright in the left-hand dock.
    auto *align = qobject_cast<QToolBar *>(form->Control("Panel5"));
    form->FloatBar(align, form->mapToGlobal(QPoint(200, 200)));
    EXPECT_EQ(align->orientation(), Qt::Horizontal);
    form->FloatWindowOf(align)->OnMoved(form->Window()->mapToGlobal(QPoint(5, area.height() / 2)));
    QApplication::processEvents();
    EXPECT_EQ(form->Window()->toolBarArea(align), Qt::LeftToolBarArea);
    EXPECT_EQ(align->orientation(), Qt::Vertical);

    // A float window goes with the designer and comes back with it.
    auto *standard = qobject_cast<QToolBar *>(form->Control("Panel2"));
    form->FloatBar(standard, form->mapToGlobal(QPoint(300, 300)));
    form->FormHide();
    EXPECT_FALSE(form->FloatWindowOf(standard)->isVisible());
    form->FormShow(report);
    EXPECT_TRUE(form->FloatWindowOf(standard)->isVisible());
    form->hide();
}
