#pragma once
// With TARMIL5_SHOTS naming a folder, tests leave a picture of each screen
// there, to be looked at as the user would see it.
#include <QApplication>
#include <QDir>
#include <QWidget>

inline void Shoot(QWidget *window, const QString &name)
{
    const QString folder = qEnvironmentVariable("TARMIL5_SHOTS");
    if (folder.isEmpty())
        return;
    if (!window->isVisible())
        window->show();
    QApplication::processEvents();
    window->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}
