#pragma once
// Tool bars torn off the designer's docks. A torn-off bar lives in a small
// captioned tool window over the designer: its caption is the bar's, its
// close box hides the bar, and moving it by the caption over a dock docks
// the bar there. The arithmetic of where docks catch a bar and when a drag
// along a dock tears a bar off is kept in plain functions.
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <array>
#include <functional>

class QToolBar;

// Beyond this many pixels before the start of its dock a dragged bar tears off.
constexpr int vlTearOffDistance = 20;
// The height of a row in a top or bottom dock, the width of a column in a
// left or right one.
constexpr int vlDockRowSize = 26;

// Whether a bar dragged along its dock to this position (its left in a top
// or bottom dock, its top in a left or right one) tears off.
inline bool vlTearsOff(int along)
{
    return along < -vlTearOffDistance;
}

// Where the four docks catch a bar moved over them, in the coordinates of the
// designer's window: the tool bar areas around the centre (between the menu
// bar's bottom and the status bar's top), each at least a row deep so an
// empty dock still catches. In the order top, left, bottom, right.
std::array<QRect, 4> vlDockZones(const QRect &window, const QRect &centre, int menuBottom, int statusTop);
// The tool bar area (Qt::ToolBarArea) whose zone holds the point, 0 for none.
int vlDockAreaAt(const std::array<QRect, 4> &zones, QPoint point);

class TvlFloatWindow : public QWidget
{
    Q_OBJECT

public:
    // The bar moves into the window; the owner is the designer.
    TvlFloatWindow(QToolBar *bar, QWidget *owner);
    QToolBar *Bar() const { return m_bar; }
    // Gives the bar back (to be docked); the window then goes.
    QToolBar *TakeBar();
    // Each move of the window by its caption (the cursor on the caption),
    // with the cursor's place.
    std::function<void(QPoint cursor)> OnMoved;

protected:
    void moveEvent(QMoveEvent *event) override;

private:
    QToolBar *m_bar = nullptr;
};
