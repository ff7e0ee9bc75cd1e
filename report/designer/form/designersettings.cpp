#include "report/designer/form/designersettings.h"

#include "platform/registry.h"
#include "report/designer/page/designerglobals.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QToolBar>

namespace {

const QString formKey = QStringLiteral("Form\\");
const QString toolBarKey = QStringLiteral("ToolBar\\");

bool openBelowRoot(Registry &registry, const QString &key, bool canCreate)
{
    return registry.openKey(vlRegistryRoot() + key, canCreate);
}

// Less than this much of a window on a screen cannot be grabbed.
constexpr int grabWidth = 24, grabHeight = 8;

} // namespace

void TvlDesignerSettings::Save(Registry &registry, const QString &formName) const
{
    if (!openBelowRoot(registry, formKey + formName, true))
        return;
    registry.beginUpdate();
    registry.writeInteger(QStringLiteral("GridSize"), GridSize);
    registry.writeBool(QStringLiteral("GridAlign"), GridAlign);
    registry.writeBool(QStringLiteral("GridShow"), ShowGrid);
    registry.writeInteger(QStringLiteral("Units"), Units);
    registry.writeBool(QStringLiteral("GrayButtons"), GrayButtons);
    registry.writeBool(QStringLiteral("EditAfterInsert"), EditAfterInsert);
    registry.writeInteger(QStringLiteral("Selection"), MoveContents ? 1 : 0);
    registry.endUpdate();
    registry.closeKey();
}

void TvlDesignerSettings::Restore(Registry &registry, const QString &formName)
{
    *this = TvlDesignerSettings();
    if (!openBelowRoot(registry, formKey + formName, false))
        return;
    GridSize = registry.readInteger(QStringLiteral("GridSize"), 4);
    if (GridSize != 4 && GridSize != 8 && GridSize != 18)
        GridSize = 4;
    GridAlign = registry.readBool(QStringLiteral("GridAlign"), true);
    ShowGrid = registry.readBool(QStringLiteral("GridShow"), true);
    Units = registry.readInteger(QStringLiteral("Units"), 0);
    if (Units < 0 || Units > 2)
        Units = 0;
    GrayButtons = registry.readBool(QStringLiteral("GrayButtons"), false);
    EditAfterInsert = registry.readBool(QStringLiteral("EditAfterInsert"), true);
    MoveContents = registry.readInteger(QStringLiteral("Selection"), 1) != 0;
    registry.closeKey();
}

int vlDockArea(const QString &dockName)
{
    if (dockName == QLatin1String("vlDock1"))
        return Qt::TopToolBarArea;
    if (dockName == QLatin1String("vlDock2"))
        return Qt::LeftToolBarArea;
    if (dockName == QLatin1String("vlDock3"))
        return Qt::BottomToolBarArea;
    if (dockName == QLatin1String("vlDock4"))
        return Qt::RightToolBarArea;
    return 0;
}

QString vlDockName(int area)
{
    switch (area) {
    case Qt::TopToolBarArea:
        return QStringLiteral("vlDock1");
    case Qt::LeftToolBarArea:
        return QStringLiteral("vlDock2");
    case Qt::BottomToolBarArea:
        return QStringLiteral("vlDock3");
    case Qt::RightToolBarArea:
        return QStringLiteral("vlDock4");
    default:
        return {};
    }
}

void vlSaveToolbarPositions(Registry &registry, QMainWindow &window, const QList<QToolBar *> &bars,
                            const TvlBarPlaces &places)
{
    registry.beginUpdate();
    for (QToolBar *bar : bars) {
        if (!openBelowRoot(registry, toolBarKey + bar->objectName(), true))
            continue;
        const QWidget *floatWindow = places.FloatWindow ? places.FloatWindow(bar) : nullptr;
        const bool floating = floatWindow || bar->isFloating();
        const QWidget &shown = floatWindow ? *floatWindow : *bar;
        registry.writeBool(QStringLiteral("isFloat"), floating);
        registry.writeBool(QStringLiteral("isVisible"), !shown.isHidden());
        registry.writeInteger(QStringLiteral("XPosition"), shown.x());
        registry.writeInteger(QStringLiteral("YPosition"), shown.y());
        registry.writeInteger(QStringLiteral("Width"), bar->width());
        registry.writeInteger(QStringLiteral("Height"), bar->height());
        if (!floating)
            registry.writeString(QStringLiteral("DockName"), vlDockName(window.toolBarArea(bar)));
        registry.closeKey();
    }
    if (openBelowRoot(registry, formKey + window.objectName(), true)) {
        registry.writeString(QStringLiteral("ToolBarState"), QString::fromLatin1(window.saveState().toBase64()));
        registry.closeKey();
    }
    registry.endUpdate();
}

void vlRestoreToolbarPositions(Registry &registry, QMainWindow &window, const QList<QToolBar *> &bars,
                               const TvlBarPlaces &places)
{
    struct Place
    {
        QToolBar *bar;
        bool floating;
        QRect rect;
        bool visible;
        int area;
    };
    QList<Place> saved;
    for (QToolBar *bar : bars) {
        if (!openBelowRoot(registry, toolBarKey + bar->objectName(), false))
            continue;
        saved.append({bar, registry.readBool(QStringLiteral("isFloat"), false),
                      QRect(registry.readInteger(QStringLiteral("XPosition"), bar->x()),
                            registry.readInteger(QStringLiteral("YPosition"), bar->y()),
                            registry.readInteger(QStringLiteral("Width"), bar->width()),
                            registry.readInteger(QStringLiteral("Height"), bar->height())),
                      registry.readBool(QStringLiteral("isVisible"), true),
                      vlDockArea(registry.readString(QStringLiteral("DockName")))});
        registry.closeKey();
    }
    // Bars floating now that were docked go back to the window first, so its
    // state places them.
    for (const Place &place : std::as_const(saved))
        if (!place.floating && places.FloatWindow && places.FloatWindow(place.bar))
            places.Dock(place.bar, place.area ? place.area : int(Qt::TopToolBarArea));
    QByteArray state;
    if (openBelowRoot(registry, formKey + window.objectName(), false)) {
        state = QByteArray::fromBase64(registry.readString(QStringLiteral("ToolBarState")).toLatin1());
        registry.closeKey();
    }
    const bool restored = !state.isEmpty() && window.restoreState(state);
    const QList<QRect> screens = vlScreenAreas();
    for (const Place &place : std::as_const(saved)) {
        QToolBar *bar = place.bar;
        if (place.floating) {
            // A float window left off every screen comes back onto one.
            places.Float(bar, vlOnScreen(place.rect, screens).topLeft());
        } else if (!restored && place.area && place.area != window.toolBarArea(bar)) {
            // Without the window's state the bar goes back to its dock; a
            // dock name that names no dock leaves it where it is.
            window.addToolBar(Qt::ToolBarArea(place.area), bar);
        }
        places.SetShown(bar, place.visible);
    }
}

void vlSaveFormPosition(Registry &registry, const QWidget &form)
{
    if (!openBelowRoot(registry, formKey + form.objectName(), true))
        return;
    registry.beginUpdate();
    registry.writeBool(QStringLiteral("isVisible"), !form.isHidden());
    registry.writeInteger(QStringLiteral("XPosition"), form.x());
    registry.writeInteger(QStringLiteral("YPosition"), form.y());
    registry.writeInteger(QStringLiteral("Width"), form.width());
    registry.writeInteger(QStringLiteral("Height"), form.height());
    registry.endUpdate();
    registry.closeKey();
}

void vlRestoreFormPosition(Registry &registry, QWidget &form)
{
    if (!openBelowRoot(registry, formKey + form.objectName(), false)) {
        form.show(); // where it is, visible by default
        return;
    }
    form.hide();
    QRect place(registry.readInteger(QStringLiteral("XPosition"), form.x()),
                registry.readInteger(QStringLiteral("YPosition"), form.y()),
                registry.readInteger(QStringLiteral("Width"), form.width()),
                registry.readInteger(QStringLiteral("Height"), form.height()));
    place = vlOnScreen(place, vlScreenAreas());
    form.move(place.topLeft());
    form.resize(place.size());
    const bool visible = registry.readBool(QStringLiteral("isVisible"), true);
    registry.closeKey();
    if (visible)
        form.show();
}

QRect vlOnScreen(const QRect &window, const QList<QRect> &screens)
{
    for (const QRect &screen : screens) {
        const QRect seen = screen.intersected(window);
        if (seen.width() >= std::min(grabWidth, window.width()) &&
            seen.height() >= std::min(grabHeight, window.height()))
            return window;
    }
    if (screens.isEmpty())
        return window;
    const QRect &screen = screens.constFirst();
    QRect moved = window;
    moved.moveLeft(
        std::clamp(window.left(), screen.left(), std::max(screen.left(), screen.right() + 1 - window.width())));
    moved.moveTop(
        std::clamp(window.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - window.height())));
    return moved;
}

QList<QRect> vlScreenAreas()
{
    QList<QRect> areas;
    if (QScreen *primary = QGuiApplication::primaryScreen())
        areas << primary->availableGeometry();
    for (QScreen *screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            areas << screen->availableGeometry();
    return areas;
}
