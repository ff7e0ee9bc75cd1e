#pragma once
// F10 hands the keyboard to a window's menu bar: the first menu opens, the
// arrows walk the menus and their items, Enter runs one, Escape gives the
// keys back. (Alt pressed and released alone highlights the first menu.)
#include <QObject>

class QMainWindow;

class MenuBarKey : public QObject
{
public:
    explicit MenuBarKey(QMainWindow *window);

    // What F10 does, also for a caller of its own.
    void Activate();

private:
    QMainWindow *m_window;
};
