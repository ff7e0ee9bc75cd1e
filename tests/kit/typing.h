#pragma once
// Types any text, accented letters included, as key presses into a widget.
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

inline void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        const int key = c.isLetterOrNumber() && c.unicode() < 128 ? int(c.toUpper().unicode()) : int(Qt::Key_unknown);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}
