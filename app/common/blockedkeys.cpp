#include "app/common/blockedkeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

namespace {

xcb_window_t windowOf(const QWidget *widget)
{
    return widget && widget->windowHandle() ? xcb_window_t(widget->windowHandle()->winId()) : 0;
}

std::optional<TypedKey> typedBy(xcb_connection_t *connection, const xcb_key_press_event_t &press)
{
    auto *reply =
        xcb_get_keyboard_mapping_reply(connection, xcb_get_keyboard_mapping(connection, press.detail, 1), nullptr);
    if (!reply)
        return std::nullopt;
    const xcb_keysym_t *symbols = xcb_get_keyboard_mapping_keysyms(reply);
    const std::vector<uint32_t> list(symbols, symbols + xcb_get_keyboard_mapping_keysyms_length(reply));
    free(reply);
    return X11TypedKey(list, press.state);
}

xcb_connection_t *x11Connection()
{
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace

X11KeyFilter::X11KeyFilter()
    : m_connection(x11Connection())
{
    if (m_connection)
        qApp->installNativeEventFilter(this);
}

X11KeyFilter::~X11KeyFilter()
{
    if (m_connection)
        qApp->removeNativeEventFilter(this);
}

const xcb_key_press_event_t *X11KeyFilter::keyPress(const QByteArray &eventType, void *message)
{
    if (eventType != "xcb_generic_event_t")
        return nullptr;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS)
        return nullptr;
    return reinterpret_cast<const xcb_key_press_event_t *>(event);
}

std::optional<TypedKey> X11KeyFilter::typed(const xcb_key_press_event_t &press) const
{
    return typedBy(m_connection, press);
}

BlockedKeys::BlockedKeys(QWidget *dialog, QWidget *blocked)
    : m_dialog(dialog)
    , m_blocked(blocked)
{}

bool BlockedKeys::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    const xcb_key_press_event_t *pressed = keyPress(eventType, message);
    if (!pressed || !m_dialog || !m_blocked)
        return false;
    const auto &press = *pressed;
    const bool toBlocked = press.event == windowOf(m_blocked) && QApplication::activeModalWidget() == m_dialog;
    const bool toDialog = press.event == windowOf(m_dialog);
    if (!toBlocked && !(toDialog && !m_waiting.empty()))
        return false;
    const std::optional<TypedKey> key = typed(press);
    if (!key)
        return toBlocked; // the toolkit would drop it too; other keys go on
    m_waiting.push_back(*key);
    // The toolkit hands on the keys of this round before the queued call runs.
    if (m_waiting.size() == 1)
        QMetaObject::invokeMethod(this, &BlockedKeys::deliver, Qt::QueuedConnection);
    return true;
}

KeysBehindModal::KeysBehindModal(QWidget *modal, std::function<bool(const TypedKey &)> take)
    : m_modal(modal)
    , m_take(std::move(take))
{}

bool KeysBehindModal::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    const xcb_key_press_event_t *press = keyPress(eventType, message);
    if (!press || !m_modal || QApplication::activeModalWidget() != m_modal || press->event == windowOf(m_modal))
        return false;
    const std::optional<TypedKey> key = typed(*press);
    return key && m_take(*key);
}

void BlockedKeys::deliver()
{
    const std::vector<TypedKey> keys = std::exchange(m_waiting, {});
    for (const TypedKey &key : keys) {
        if (!m_dialog)
            return;
        QWidget *target = m_dialog->focusWidget() ? m_dialog->focusWidget() : m_dialog.data();
        QKeyEvent press(QEvent::KeyPress, key.key, Qt::NoModifier, key.text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key.key, Qt::NoModifier, key.text);
        QApplication::sendEvent(target, &release);
    }
}
