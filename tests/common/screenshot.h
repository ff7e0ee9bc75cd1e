#pragma once
// A picture of the whole screen, window manager's frames included, when
// TARMIL5_SHOTS names a folder (the tests then run under a display server
// with a window manager); nothing otherwise.
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

inline void screenShot(const QString &name)
{
    const QString folder = qEnvironmentVariable("TARMIL5_SHOTS");
    if (folder.isEmpty() || !QGuiApplication::primaryScreen())
        return;
    QTest::qWait(500); // the window manager frames and places the windows
    QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(folder).filePath(name + ".png"));
}
