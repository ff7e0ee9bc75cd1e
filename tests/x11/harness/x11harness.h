#pragma once
// Tests through the window system: the program's real windows on a private
// X display (Xvfb) managed by a small window manager (openbox), driven by
// real X11 events (XTest), so that the keyboard mapping, the window manager
// and focus moves between windows take part as they do for a user.
//
// How to use it:
//  - Register a test program with tarmil_x11_tests(<target> <folder> LINK <libs>)
//    (tests/CMakeLists.txt). Its main() (x11main.cpp) starts the display
//    before the QApplication, so the program's widgets show on it; every
//    GoogleTest case of the folder runs as a test of its own, with a display
//    of its own. Where Xvfb or openbox cannot run, the tests are skipped.
//  - Set up the windows as usual in the test's thread (the GUI thread), then
//    drive them from a second thread: RunDriven(steps). The steps press keys
//    and click through X11Input; while they wait, the GUI thread runs its
//    event loop, modal dialogs included. Inside the steps, read or change
//    widgets only through OnGui(), and wait with WaitUntil() / WaitForWindow().
//    A test that runs the program's own message loop passes it as the second
//    argument of RunDriven().
//  - Every failed check takes a screenshot of the whole display into
//    $TARMIL5_X11_SHOTS (default: "x11-shots" in the current folder) and names
//    the file in the failure's output. Screenshot() takes one on demand.
//
// Example:
//    auto *dialog = new TForm_Prodat(...);
//    dialog->show();
//    X11::RunDriven([&] {
//        X11::WaitForWindow(dialog);
//        X11::Input().Key("KP_Add");
//        EXPECT_TRUE(X11::WaitUntil([&] { return dialog->result() == QDialog::Accepted; }));
//    });
#include <QElapsedTimer>
#include <QImage>
#include <QMetaObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <map>
#include <type_traits>
#include <vector>

class QWidget;
struct _XDisplay;

namespace X11 {

// The private display of the test program.
class PrivateDisplay
{
public:
    // Starts Xvfb on a free display number with one screen of the size,
    // then openbox, and waits until the window manager runs. Sets DISPLAY
    // and QT_QPA_PLATFORM for the program. Empty when all runs, else why not.
    QString Start(int width = 1024, int height = 768);
    void Stop();
    ~PrivateDisplay() { Stop(); }
    const QString &Name() const { return m_name; }

private:
    int m_xvfb = 0;
    int m_windowManager = 0;
    QString m_name;
};

// Keys and the mouse through the X server, over a connection of its own
// (usable from any one thread at a time).
class X11Input
{
public:
    X11Input();
    ~X11Input();
    X11Input(const X11Input &) = delete;
    X11Input &operator=(const X11Input &) = delete;

    // A key with modifiers, written as "KP_Add", "F10", "Return", "ctrl+f",
    // "shift+Tab", "alt+F4" (X keysym names; ctrl, shift, alt, super).
    void Key(const QString &combination);
    // Only the press or only the release of one key (e.g. "Alt_L").
    void Press(const QString &keysym);
    void Release(const QString &keysym);
    // Types the text one key after another, each character by its keysym;
    // letters the keyboard map lacks (Czech ones) get a spare key code first,
    // and a short pause the first time. Waits pauseMs after each key: a program under load
    // may take keys sent faster than a hand types in another order (0 sends
    // them at once, to test typing ahead).
    void Type(const QString &text, int pauseMs = 15);
    // Mouse in screen coordinates. A click soon after another waits long
    // enough not to make a double click.
    void MoveTo(QPoint global);
    void Click(QPoint global, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {});
    void DoubleClick(QPoint global);
    // The whole screen.
    QImage Grab() const;

private:
    unsigned keycodeFor(unsigned long keysym, bool &shift, bool *fresh = nullptr);
    void sendKey(unsigned keycode, bool down);
    void modifiers(Qt::KeyboardModifiers modifiers, bool down);
    void flush();
    ::_XDisplay *m_display = nullptr;
    QElapsedTimer m_lastClick;
    static constexpr qint64 kDoubleClickPause = 700;
    static constexpr unsigned kAfterClick = 250;
    std::map<unsigned long, unsigned> m_spare; // keysym -> key code given to it
    std::vector<unsigned long> m_spareOrder;   // the keysyms given codes, oldest first
};

// The input of the running test (its driver thread's connection).
X11Input &Input();

// Runs the steps in a thread of their own while the calling (GUI) thread runs
// an event loop (or `loop`, e.g. the program's message loop) until the steps
// are done. Modal windows still open then are closed.
void RunDriven(const std::function<void()> &steps, const std::function<void()> &loop = {});

// The object whose thread is the GUI thread.
QObject *GuiContext();
bool InGuiThread();

// Runs a function in the GUI thread and returns its result (for the driver's steps).
template <typename F>
auto OnGui(F &&function) -> std::invoke_result_t<F>
{
    using R = std::invoke_result_t<F>;
    if (InGuiThread())
        return function();
    if constexpr (std::is_void_v<R>) {
        QMetaObject::invokeMethod(GuiContext(), std::forward<F>(function), Qt::BlockingQueuedConnection);
    } else {
        R result{};
        QMetaObject::invokeMethod(
            GuiContext(), [&] { result = function(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

// Polls the condition in the GUI thread until it holds or the time is up.
bool WaitUntil(const std::function<bool()> &condition, int timeoutMs = 10000);
// Waits until the window is shown, exposed and active (has the keyboard).
bool WaitForWindow(QWidget *window, int timeoutMs = 10000);
// The active modal window whose object name or class is given, once it is up.
QWidget *WaitForModal(const char *className, int timeoutMs = 10000);
// Lets the program handle what was sent: waits until the GUI thread is idle.
void Settle(int ms = 150);
// Where a widget's point lies on the screen (centre by default).
QPoint ScreenPoint(QWidget *widget, QPoint local = QPoint(-1, -1));
// Saves a screenshot under the name into the shots folder; returns its path.
QString Screenshot(const QString &name);

} // namespace X11
