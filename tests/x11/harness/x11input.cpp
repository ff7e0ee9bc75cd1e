// Keys and mouse through XTest.
#include "x11/harness/x11harness.h"

#include <QStringList>
#include <QThread>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <stdexcept>

namespace X11 {

namespace {

// The keysym of a character: Latin-1 ones are their own code, the rest are
// the Unicode keysyms.
KeySym keysymOf(char32_t c)
{
    if (c == U'\n')
        return XK_Return;
    if (c == U'\t')
        return XK_Tab;
    if (c >= 0x20 && c <= 0xFF)
        return KeySym(c);
    return KeySym(0x01000000 | c);
}

KeySym named(const QString &name)
{
    const KeySym sym = XStringToKeysym(name.toLatin1().constData());
    if (sym == NoSymbol)
        throw std::invalid_argument("unknown keysym " + name.toStdString());
    return sym;
}

} // namespace

X11Input::X11Input()
    : m_display(XOpenDisplay(nullptr))
{
    if (!m_display)
        throw std::runtime_error("no X display for the input");
}

X11Input::~X11Input()
{
    if (m_display)
        XCloseDisplay(m_display);
}

void X11Input::flush()
{
    XSync(m_display, False);
}

unsigned X11Input::keycodeFor(unsigned long keysym, bool &shift, bool *fresh)
{
    shift = false;
    if (fresh)
        *fresh = false;
    const auto given = m_spare.find(keysym);
    if (given != m_spare.end())
        return given->second;
    const KeyCode code = XKeysymToKeycode(m_display, keysym);
    if (code) {
        // The second level of the key needs Shift.
        shift =
            XkbKeycodeToKeysym(m_display, code, 0, 0) != keysym && XkbKeycodeToKeysym(m_display, code, 0, 1) == keysym;
        return code;
    }
    // The keyboard map lacks it: a key code without symbols gets it, on both levels.
    int minCode = 0, maxCode = 0;
    XDisplayKeycodes(m_display, &minCode, &maxCode);
    int perCode = 0;
    KeySym *map = XGetKeyboardMapping(m_display, KeyCode(minCode), maxCode - minCode + 1, &perCode);
    int spare = 0;
    for (int c = maxCode; c >= minCode && !spare; --c) {
        bool empty = true;
        for (int i = 0; i < perCode; ++i)
            empty = empty && map[(c - minCode) * perCode + i] == NoSymbol;
        bool taken = false;
        for (const auto &[sym, given] : m_spare)
            taken = taken || int(given) == c;
        if (empty && !taken)
            spare = c;
    }
    XFree(map);
    if (!spare && !m_spareOrder.empty()) {
        // All are given: the letter given one longest ago gives its code up.
        const auto oldest = m_spare.find(m_spareOrder.front());
        spare = int(oldest->second);
        m_spare.erase(oldest);
        m_spareOrder.erase(m_spareOrder.begin());
    }
    if (!spare)
        throw std::runtime_error("no spare key code for a keysym");
    KeySym both[2] = {keysym, keysym};
    XChangeKeyboardMapping(m_display, spare, 2, both, 1);
    flush();
    // The clients learn the new map from a notice of their own.
    QThread::msleep(150);
    m_spare[keysym] = unsigned(spare);
    m_spareOrder.push_back(keysym);
    if (fresh)
        *fresh = true;
    return unsigned(spare);
}

void X11Input::sendKey(unsigned keycode, bool down)
{
    XTestFakeKeyEvent(m_display, keycode, down ? True : False, CurrentTime);
}

void X11Input::modifiers(Qt::KeyboardModifiers modifiers, bool down)
{
    const std::pair<Qt::KeyboardModifier, KeySym> keys[] = {{Qt::ControlModifier, XK_Control_L},
                                                            {Qt::ShiftModifier, XK_Shift_L},
                                                            {Qt::AltModifier, XK_Alt_L},
                                                            {Qt::MetaModifier, XK_Super_L}};
    for (const auto &[modifier, sym] : keys)
        if (modifiers.testFlag(modifier))
            sendKey(XKeysymToKeycode(m_display, sym), down);
}

void X11Input::Key(const QString &combination)
{
    QStringList parts = combination.split(u'+');
    const QString name = parts.takeLast();
    Qt::KeyboardModifiers mods;
    for (const QString &part : parts) {
        const QString lower = part.toLower();
        if (lower == QLatin1String("ctrl"))
            mods |= Qt::ControlModifier;
        else if (lower == QLatin1String("shift"))
            mods |= Qt::ShiftModifier;
        else if (lower == QLatin1String("alt"))
            mods |= Qt::AltModifier;
        else if (lower == QLatin1String("super"))
            mods |= Qt::MetaModifier;
        else
            throw std::invalid_argument("unknown modifier " + part.toStdString());
    }
    bool shift = false;
    const unsigned code = keycodeFor(named(name), shift);
    if (shift)
        mods |= Qt::ShiftModifier;
    modifiers(mods, true);
    sendKey(code, true);
    sendKey(code, false);
    modifiers(mods, false);
    flush();
}

void X11Input::Press(const QString &keysym)
{
    bool shift = false;
    sendKey(keycodeFor(named(keysym), shift), true);
    flush();
}

void X11Input::Release(const QString &keysym)
{
    bool shift = false;
    sendKey(keycodeFor(named(keysym), shift), false);
    flush();
}

void X11Input::Type(const QString &text, int pauseMs)
{
    char32_t previous = 0;
    for (char32_t c : text.toUcs4()) {
        // The same key twice within one millisecond of the server's clock
        // reads as the key held down (auto-repeat): no hand is that fast.
        if (c == previous)
            QThread::msleep(3);
        previous = c;
        bool shift = false, fresh = false;
        const KeySym sym = keysymOf(c);
        const unsigned code = keycodeFor(sym, shift, &fresh);
        if (shift)
            modifiers(Qt::ShiftModifier, true);
        sendKey(code, true);
        sendKey(code, false);
        if (shift)
            modifiers(Qt::ShiftModifier, false);
        flush();
        // A letter just given a key code of its own gets a breath; once the
        // program knows the code, it is typed as fast as any other.
        if (fresh)
            QThread::msleep(30);
        if (pauseMs > 0)
            QThread::msleep(pauseMs);
    }
}

void X11Input::MoveTo(QPoint global)
{
    XTestFakeMotionEvent(m_display, DefaultScreen(m_display), global.x(), global.y(), CurrentTime);
    flush();
}

void X11Input::Click(QPoint global, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    const unsigned number = button == Qt::RightButton ? 3 : button == Qt::MiddleButton ? 2 : 1;
    // Two clicks are never taken for a double click.
    const qint64 since = m_lastClick.isValid() ? m_lastClick.elapsed() : 10000;
    if (since < kDoubleClickPause)
        QThread::msleep(kDoubleClickPause - since);
    MoveTo(global);
    QThread::msleep(30);
    modifiers(mods, true);
    XTestFakeButtonEvent(m_display, number, True, CurrentTime);
    XTestFakeButtonEvent(m_display, number, False, CurrentTime);
    modifiers(mods, false);
    flush();
    m_lastClick.start();
    // The program may take keys sent right after a click before the click:
    // a hand does not type that fast after the mouse.
    QThread::msleep(kAfterClick);
}

void X11Input::DoubleClick(QPoint global)
{
    MoveTo(global);
    QThread::msleep(30);
    for (int i = 0; i < 2; ++i) {
        XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
        XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    }
    flush();
    m_lastClick.start();
}

QImage X11Input::Grab() const
{
    const Window root = DefaultRootWindow(m_display);
    XWindowAttributes attributes;
    XGetWindowAttributes(m_display, root, &attributes);
    XImage *image =
        XGetImage(m_display, root, 0, 0, unsigned(attributes.width), unsigned(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return {};
    QImage result(attributes.width, attributes.height, QImage::Format_RGB32);
    for (int y = 0; y < attributes.height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < attributes.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            line[x] = qRgb(int((pixel >> 16) & 0xFF), int((pixel >> 8) & 0xFF), int(pixel & 0xFF));
        }
    }
    XDestroyImage(image);
    return result;
}

} // namespace X11
