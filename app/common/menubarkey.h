#pragma once
// F10 hands the keyboard to a window's menu bar just as Alt pressed and
// released alone does: the first title is highlighted and no menu opens;
// Left and Right walk the titles, Down or Enter opens one, Escape gives the
// keys back.
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
