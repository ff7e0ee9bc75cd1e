#include "app/common/keypadkeys.h"

#include <QAction>
#include <QChildEvent>
#include <QKeyEvent>
#include <QWidget>

KeypadPlusKey::KeypadPlusKey(QWidget *window, QAction *action)
    : QObject(window)
    , m_action(action)
{
    watch(window);
}

void KeypadPlusKey::watch(QObject *object)
{
    if (!object->isWidgetType())
        return;
    object->installEventFilter(this);
    for (QObject *child : object->children())
        watch(child);
}

bool KeypadPlusKey::IsKeypadPlus(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return key->key() == Qt::Key_Plus && key->modifiers().testFlag(Qt::KeypadModifier) &&
           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

bool KeypadPlusKey::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ChildAdded) {
        watch(static_cast<QChildEvent *>(event)->child());
        return false;
    }
    if (!IsKeypadPlus(event))
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // Claimed as a key press, so no shortcut runs it a second time.
        event->accept();
        return true;
    }
    if (watched->isWidgetType() && static_cast<QWidget *>(watched)->isEnabled() && m_action->isEnabled())
        m_action->trigger();
    return true;
}
