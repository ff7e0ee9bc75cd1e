#include "app/common/menubarkey.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
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
    if (!bar->isVisible() || bar->actions().isEmpty())
        return;
    // The bar answers a lone Alt with its keyboard mode: F10 plays the same
    // keys to where the keyboard is, so the two can never lead the arrows
    // and Enter to different commands.
    QWidget *focus = QApplication::focusWidget();
    QObject *target = focus && focus->window() == m_window ? static_cast<QObject *>(focus) : m_window;
    const std::pair<QEvent::Type, Qt::KeyboardModifiers> alone[] = {
        {QEvent::ShortcutOverride, Qt::AltModifier}, {QEvent::KeyPress, Qt::AltModifier}, {QEvent::KeyRelease, {}}};
    for (const auto &[type, modifiers] : alone) {
        QKeyEvent key(type, Qt::Key_Alt, modifiers);
        key.ignore(); // as the window system's keys come
        QApplication::sendEvent(target, &key);
    }
}
