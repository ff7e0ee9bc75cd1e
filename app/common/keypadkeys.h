#pragma once
// The keypad's "+" as a window's key for one action, from whichever control
// has the focus. The platform's key mapping does not always match the key to
// an action's shortcut; the key then reaches the focused control, which
// would type it. Here every control of the window (also those added later)
// hands the key to the action instead, and never takes it itself.
#include <QObject>

class QAction;
class QEvent;
class QWidget;

class KeypadPlusKey : public QObject
{
public:
    KeypadPlusKey(QWidget *window, QAction *action);

    // A key press or shortcut check of the keypad's "+".
    static bool IsKeypadPlus(const QEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QObject *object);
    QAction *m_action;
};
