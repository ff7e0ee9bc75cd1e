#pragma once
// The designer's settings in the registry: the options of the form, the
// places of its tool bars and of its tool windows. Every key lies below the
// one registry root the designer and the preview share.
#include <QList>
#include <QRect>
#include <QString>

#include <functional>

class QMainWindow;
class QToolBar;
class QWidget;
class Registry;

struct TvlDesignerSettings
{
    int GridSize = 4;
    bool GridAlign = true;
    bool ShowGrid = true;
    int Units = 0;
    bool GrayButtons = false;
    bool EditAfterInsert = true;
    bool MoveContents = true; // "Selection": 1 moves contents, 0 outlines

    // Below "Form\" + the form's name. Values are taken as they are except a
    // grid size other than 4, 8 or 18 (4) and units outside 0-2 (0).
    void Save(Registry &registry, const QString &formName) const;
    void Restore(Registry &registry, const QString &formName);
};

// The tool bar area a dock name stands for ("vlDock1" top, "vlDock2" left,
// "vlDock3" bottom, "vlDock4" right) and back; 0 for an unknown name.
int vlDockArea(const QString &dockName);
QString vlDockName(int area);

// A bar's place below "ToolBar\" + its name: isFloat, isVisible, XPosition,
// YPosition, Width, Height and (docked) DockName. The window's own layout
// state goes below "Form\" + the window's name as "ToolBarState", and is what
// brings every bar back exactly; the single values serve when it is missing.
// A floating bar's place is its float window's; the designer owns those.
struct TvlBarPlaces
{
    std::function<QWidget *(QToolBar *)> FloatWindow; // none while docked
    std::function<void(QToolBar *, QPoint)> Float;    // into a float window there
    std::function<void(QToolBar *, int)> Dock;        // back to a tool bar area
    std::function<void(QToolBar *, bool)> SetShown;
};
void vlSaveToolbarPositions(Registry &registry, QMainWindow &window, const QList<QToolBar *> &bars,
                            const TvlBarPlaces &places);
void vlRestoreToolbarPositions(Registry &registry, QMainWindow &window, const QList<QToolBar *> &bars,
                               const TvlBarPlaces &places);

// A tool window's place below "Form\" + its name: isVisible, XPosition,
// YPosition, Width, Height.
void vlSaveFormPosition(Registry &registry, const QWidget &form);
void vlRestoreFormPosition(Registry &registry, QWidget &form);

// A window rectangle moved onto the first of the screens when it would lie
// off every one of them (too little of it visible to grab).
QRect vlOnScreen(const QRect &window, const QList<QRect> &screens);
QList<QRect> vlScreenAreas();
