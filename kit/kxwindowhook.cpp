#include "kit/kxwindowhook.h"

#include "kit/kxutils.h"

#include <QPlatformSurfaceEvent>

namespace {

// The event that stands for a window being destroyed: the native surface goes
// away (re-creating a window sends it too). The filter itself survives that in
// Qt, but it steps aside and re-hooks as the window system would require.
bool isWindowDestroy(const QEvent *event)
{
    return event->type() == QEvent::PlatformSurface &&
           static_cast<const QPlatformSurfaceEvent *>(event)->surfaceEventType() ==
               QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed;
}

} // namespace

// ---------------------------------------------------------------- TControlHook

TControlHook::TControlHook(QWidget *control)
    : m_control(control)
{
    if (control)
        connect(control, &QObject::destroyed, this, &TControlHook::controlDestroyed);
}

TControlHook::~TControlHook()
{
    m_destroying = true;
    THookList::Instance().Remove(this);
    for (TKxWindowHook *hook : std::as_const(m_hooks))
        hook->m_controlHook = nullptr;
    m_hooks.clear();
    UnhookControl();
}

void TControlHook::controlDestroyed()
{
    // Every hook loses its control; this object goes with it.
    const QList<TKxWindowHook *> hooks = m_hooks;
    for (TKxWindowHook *hook : hooks)
        hook->SetWinControl(nullptr);
    m_subclassed = false;
    THookList::Instance().Remove(this);
    deleteLater();
}

void TControlHook::AddHook(TKxWindowHook *hook)
{
    if (!m_hooks.contains(hook)) {
        m_hooks.append(hook);
        hook->m_controlHook = this;
    }
    HookControl();
}

void TControlHook::RemoveHook(TKxWindowHook *hook)
{
    hook->m_controlHook = nullptr;
    m_hooks.removeAll(hook);
    if (m_hooks.isEmpty())
        UnhookControl();
}

void TControlHook::HookControl()
{
    if (!m_control || m_destroying || m_subclassed)
        return;
    m_control->installEventFilter(this);
    m_subclassed = true;
}

void TControlHook::UnhookControl()
{
    if (m_control && m_subclassed)
        m_control->removeEventFilter(this);
    m_subclassed = false;
}

bool TControlHook::runHandlers(bool before, QEvent *event, bool onlyNewest)
{
    bool handled = false;
    const QList<TKxWindowHook *> hooks = m_hooks;
    for (qsizetype i = hooks.size() - 1; i >= 0 && !handled; --i) {
        if (!m_hooks.contains(hooks.at(i)))
            continue; // removed by an earlier handler of this pass
        if (before)
            hooks.at(i)->DoBeforeMessage(event, handled);
        else
            hooks.at(i)->DoAfterMessage(event, handled);
        if (onlyNewest)
            break;
    }
    return handled;
}

bool TControlHook::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_control || m_hooks.isEmpty() || m_destroying)
        return false;
    const bool destroy = isWindowDestroy(event);
    bool consumed = false;
    try {
        bool handled = false;
        if (event->type() != QEvent::Quit)
            handled = runHandlers(true, event, false);
        if (handled && !destroy)
            return true; // neither the control nor the after-handlers see it
        bool wantsAfter = false;
        for (TKxWindowHook *hook : std::as_const(m_hooks))
            wantsAfter = wantsAfter || (hook->AfterMessage &&
                                        (hook->AfterEvents.isEmpty() || hook->AfterEvents.contains(event->type())));
        if (wantsAfter) {
            // The control's own handling first, then the after-handlers; a
            // destroy already handled reaches only the newest after-handler.
            static_cast<QObject *>(m_control.data())->event(event);
            consumed = true;
            runHandlers(false, event, handled);
        }
    } catch (const std::exception &error) {
        HandleKitException(error);
        consumed = !destroy;
    }
    if (destroy && !m_destroying) {
        UnhookControl();
        THookList::Instance().PostRehook(this);
    }
    return consumed;
}

// ---------------------------------------------------------------- THookList

THookList &THookList::Instance()
{
    static THookList *list = new THookList; // lives as long as the program
    return *list;
}

TControlHook *THookList::Find(QWidget *control) const
{
    for (TControlHook *hook : m_hooks)
        if (hook->Control() == control)
            return hook;
    return nullptr;
}

TControlHook *THookList::FindOrCreate(QWidget *control)
{
    if (TControlHook *hook = Find(control))
        return hook;
    auto *hook = new TControlHook(control);
    m_hooks.append(hook);
    return hook;
}

void THookList::PostRehook(TControlHook *hook)
{
    QMetaObject::invokeMethod(
        this,
        [this, hook] {
            if (Contains(hook) && !hook->Hooks().isEmpty())
                hook->HookControl();
        },
        Qt::QueuedConnection);
}

void THookList::PostRelease(TControlHook *hook)
{
    QMetaObject::invokeMethod(
        this,
        [this, hook] {
            if (Contains(hook) && hook->Hooks().isEmpty())
                delete hook;
        },
        Qt::QueuedConnection);
}

// ---------------------------------------------------------------- TKxWindowHook

TKxWindowHook::TKxWindowHook(QObject *owner)
    : QObject(owner)
{}

TKxWindowHook::~TKxWindowHook()
{
    m_destroying = true;
    SetActive(false);
    SetWinControl(nullptr);
}

void TKxWindowHook::SetActive(bool value)
{
    if (m_active == value)
        return;
    m_active = value;
    if (value)
        HookControl();
    else
        UnhookControl();
}

QWidget *TKxWindowHook::WinControl() const
{
    return m_controlHook ? m_controlHook->Control() : m_control.data();
}

void TKxWindowHook::SetWinControl(QWidget *value)
{
    if (m_control == value && (m_controlHook || !value))
        return;
    TControlHook *old = m_controlHook;
    UnhookControl();
    if (m_control)
        disconnect(m_control, &QObject::destroyed, this, nullptr);
    m_control = value;
    if (value)
        connect(value, &QObject::destroyed, this, [this] { SetWinControl(nullptr); });
    if (old && old->Hooks().isEmpty() && THookList::Instance().Contains(old))
        THookList::Instance().PostRelease(old);
    if (m_active)
        HookControl();
}

void TKxWindowHook::HookControl()
{
    if (!m_control || m_destroying || !m_active)
        return;
    THookList::Instance().FindOrCreate(m_control)->AddHook(this);
}

void TKxWindowHook::UnhookControl()
{
    if (m_controlHook)
        m_controlHook->RemoveHook(this);
}

void TKxWindowHook::DoBeforeMessage(QEvent *Msg, bool &Handled)
{
    if (BeforeMessage)
        BeforeMessage(this, Msg, Handled);
}

void TKxWindowHook::DoAfterMessage(QEvent *Msg, bool &Handled)
{
    if (AfterMessage)
        AfterMessage(this, Msg, Handled);
}
