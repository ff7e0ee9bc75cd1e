#include "app/common/screenplacement.h"

#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

namespace {

QWidget *mainWindow()
{
    QWidget *fallback = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (!qobject_cast<QMainWindow *>(widget) || !widget->isVisible())
            continue;
        if (widget->objectName() == QLatin1String("Form_Tarmil"))
            return widget;
        if (!fallback)
            fallback = widget;
    }
    return fallback;
}

} // namespace

QScreen *MainWindowScreen()
{
    if (QWidget *window = mainWindow())
        return window->screen();
    if (QWidget *active = QApplication::activeWindow())
        return active->screen();
    return QGuiApplication::primaryScreen();
}

void CenterOnMainScreen(QWidget *window)
{
    QScreen *screen = MainWindowScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}
