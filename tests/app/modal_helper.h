#pragma once
// Runs an action on the next modal window once it is up, so a test can drive
// a window that a call shows with exec().
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

inline void WhenModal(std::function<void(QDialog *)> action, int attempts = 200)
{
    QTimer::singleShot(10, qApp, [action, attempts] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible())
            action(dialog);
        else if (attempts > 0)
            WhenModal(action, attempts - 1);
    });
}
