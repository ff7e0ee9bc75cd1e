// The driver thread, waiting for the GUI thread, and screenshots.
#include "x11/harness/x11harness.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace X11 {

namespace {

thread_local X11Input *t_input = nullptr;

// Closes the modal windows left open, innermost first.
void closeModals()
{
    for (int i = 0; i < 20; ++i) {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            break;
        modal->close();
    }
    if (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

QString shotsFolder()
{
    const QString folder = qEnvironmentVariable("TARMIL5_X11_SHOTS", QStringLiteral("x11-shots"));
    QDir().mkpath(folder);
    return folder;
}

} // namespace

QObject *GuiContext()
{
    return qApp;
}

bool InGuiThread()
{
    return QThread::currentThread() == qApp->thread();
}

X11Input &Input()
{
    if (!t_input)
        throw std::logic_error("X11::Input() outside the driver's steps");
    return *t_input;
}

void RunDriven(const std::function<void()> &steps, const std::function<void()> &loop)
{
    std::atomic<bool> done{false};
    std::atomic<bool> loopReturned{false};
    std::thread driver([&] {
        try {
            X11Input input;
            t_input = &input;
            steps();
        } catch (const std::exception &error) {
            ADD_FAILURE() << "the driver stopped: " << error.what();
        }
        t_input = nullptr;
        done = true;
        // A test that ran the program's loop and failed half-way ends it here.
        while (loop && !loopReturned) {
            QMetaObject::invokeMethod(
                GuiContext(),
                [] {
                    closeModals();
                    QApplication::closeAllWindows();
                },
                Qt::QueuedConnection);
            QThread::msleep(300);
        }
    });
    if (loop) {
        loop();
        loopReturned = true;
    } else {
        QEventLoop events;
        QTimer poll;
        poll.callOnTimeout([&] {
            if (!done)
                return;
            closeModals();
            events.quit();
        });
        poll.start(20);
        events.exec();
    }
    driver.join();
}

bool WaitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    for (int waited = 0;; waited += 20) {
        if (OnGui([&] { return condition(); }))
            return true;
        if (waited >= timeoutMs)
            return false;
        QThread::msleep(20);
    }
}

namespace {

// The window manager places a window after it maps it: clicks wait until
// the window stays where it is.
bool waitInPlace(QWidget *window, int timeoutMs)
{
    QRect last;
    int still = 0;
    return WaitUntil(
        [&] {
            const QRect now = window->geometry();
            still = now == last && window->windowHandle() && window->windowHandle()->isExposed() ? still + 1 : 0;
            last = now;
            return still >= 3;
        },
        timeoutMs);
}

} // namespace

bool WaitForWindow(QWidget *window, int timeoutMs)
{
    if (!WaitUntil([window] { return window->isVisible(); }, timeoutMs))
        return false;
    if (!WaitUntil([window] { return window->isActiveWindow(); }, timeoutMs / 4)) {
        // The window manager did not give it the keyboard by itself.
        OnGui([window] {
            window->raise();
            window->activateWindow();
        });
        if (!WaitUntil([window] { return window->isActiveWindow(); }, timeoutMs))
            return false;
    }
    return waitInPlace(window, timeoutMs);
}

QWidget *WaitForModal(const char *className, int timeoutMs)
{
    QWidget *found = nullptr;
    WaitUntil(
        [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && (modal->inherits(className) || modal->objectName() == QLatin1String(className)) &&
                modal->isActiveWindow())
                found = modal;
            return found != nullptr;
        },
        timeoutMs);
    if (!found || !waitInPlace(found, timeoutMs))
        return nullptr;
    // A message window takes the keys of typing under way as it opens (for
    // its first 400 ms): a user reads it first, and so does the test.
    if (found->inherits("MessageWindow"))
        QThread::msleep(450);
    return found;
}

void Settle(int ms)
{
    QThread::msleep(ms);
    OnGui([] { QApplication::processEvents(); });
}

QPoint ScreenPoint(QWidget *widget, QPoint local)
{
    return OnGui([&] { return widget->mapToGlobal(local == QPoint(-1, -1) ? widget->rect().center() : local); });
}

QString Screenshot(const QString &name)
{
    QString file = name;
    for (QChar &c : file)
        if (!c.isLetterOrNumber() && c != u'-' && c != u'_')
            c = u'_';
    const QString path = QDir(shotsFolder()).absoluteFilePath(file + QStringLiteral(".png"));
    try {
        X11Input grabber;
        if (grabber.Grab().save(path))
            return path;
    } catch (const std::exception &) {
    }
    return {};
}

} // namespace X11
