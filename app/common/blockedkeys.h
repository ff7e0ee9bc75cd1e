#pragma once
// Keys typed while a modal dialog is taking the keyboard over. The window
// system moves the keyboard to a new window some time after it is shown;
// until then it still sends keys to the window the user was typing into,
// which the dialog already blocks, and the toolkit drops them. While one of
// these lives, such keys are taken before the toolkit sees them and typed
// into the dialog's focused control, each in its place among the keys that
// reach the dialog directly. (Only the X window system has the gap; elsewhere
// this does nothing.)
#include "app/common/x11keytext.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;
struct xcb_connection_t;
struct xcb_key_press_event_t;

// A filter of the window system's events, installed for its lifetime where
// the program runs on X (elsewhere it sees nothing), reading key presses.
class X11KeyFilter : public QAbstractNativeEventFilter
{
public:
    X11KeyFilter();
    ~X11KeyFilter() override;
    X11KeyFilter(const X11KeyFilter &) = delete;
    X11KeyFilter &operator=(const X11KeyFilter &) = delete;

protected:
    // The key press the event is, or null.
    static const xcb_key_press_event_t *keyPress(const QByteArray &eventType, void *message);
    std::optional<TypedKey> typed(const xcb_key_press_event_t &press) const;

private:
    xcb_connection_t *m_connection = nullptr;
};

class BlockedKeys : public QObject, public X11KeyFilter
{
public:
    // Keys sent to `blocked` while `dialog` is the modal window.
    BlockedKeys(QWidget *dialog, QWidget *blocked);

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    void deliver();

    QPointer<QWidget> m_dialog;
    QPointer<QWidget> m_blocked;
    // Taken keys not yet typed; while any wait, the dialog's own keys queue
    // behind them.
    std::vector<TypedKey> m_waiting;
};

// Key presses the window system sends to the program's other windows while
// `modal` is the modal window (the toolkit drops them), handed as typed keys
// to `take`, which says whether it took them. Nothing elsewhere than on X.
class KeysBehindModal : public X11KeyFilter
{
public:
    KeysBehindModal(QWidget *modal, std::function<bool(const TypedKey &)> take);

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    QPointer<QWidget> m_modal;
    std::function<bool(const TypedKey &)> m_take;
};
