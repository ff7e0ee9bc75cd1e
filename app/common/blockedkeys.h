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

class BlockedKeys : public QObject, public QAbstractNativeEventFilter
{
public:
    // Keys sent to `blocked` while `dialog` is the modal window.
    BlockedKeys(QWidget *dialog, QWidget *blocked);
    ~BlockedKeys() override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    std::optional<TypedKey> typed(const xcb_key_press_event_t &press) const;
    void deliver();

    QPointer<QWidget> m_dialog;
    QPointer<QWidget> m_blocked;
    xcb_connection_t *m_connection = nullptr;
    // Taken keys not yet typed; while any wait, the dialog's own keys queue
    // behind them.
    std::vector<TypedKey> m_waiting;
};

// Key presses the window system sends to the program's other windows while
// `modal` is the modal window (the toolkit drops them), handed as typed keys
// to `take`, which says whether it took them. Nothing elsewhere than on X.
class KeysBehindModal : public QAbstractNativeEventFilter
{
public:
    KeysBehindModal(QWidget *modal, std::function<bool(const TypedKey &)> take);
    ~KeysBehindModal() override;
    KeysBehindModal(const KeysBehindModal &) = delete;
    KeysBehindModal &operator=(const KeysBehindModal &) = delete;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    QPointer<QWidget> m_modal;
    std::function<bool(const TypedKey &)> m_take;
    xcb_connection_t *m_connection = nullptr;
};
