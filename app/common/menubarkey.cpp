#include "app/common/menubarkey.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>

MenuBarKey::MenuBarKey(QMainWindow *window)
    : QObject(window)
    , m_window(window)
{
    auto *key = new QAction(window);
    key->setObjectName(QStringLiteral("Action_MenuBar"));
    key->setShortcut(QKeySequence(Qt::Key_F10));
    key->setShortcutContext(Qt::WindowShortcut);
    connect(key, &QAction::triggered, this, &MenuBarKey::Activate);
    window->addAction(key);
}

void MenuBarKey::Activate()
{
    QMenuBar *bar = m_window->menuBar();
    if (bar->isVisible() && !bar->actions().isEmpty())
        bar->setActiveAction(bar->actions().constFirst());
}
