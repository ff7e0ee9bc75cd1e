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
    : control_(control)
{
    if (control)
        connect(control, &QObject::destroyed, this, &TControlHook::controlDestroyed);
}

TControlHook::~TControlHook()
{
    destroying_ = true;
    THookList::Instance().Remove(this);
    for (TKxWindowHook *hook : std::as_const(hooks_))
        hook->controlHook_ = nullptr;
    hooks_.clear();
    UnhookControl();
}

void TControlHook::controlDestroyed()
{
    // Every hook loses its control; this object goes with it.
    const QList<TKxWindowHook *> hooks = hooks_;
    for (TKxWindowHook *hook : hooks)
        hook->SetWinControl(nullptr);
    subclassed_ = false;
    THookList::Instance().Remove(this);
    deleteLater();
}

void TControlHook::AddHook(TKxWindowHook *hook)
{
    if (!hooks_.contains(hook)) {
        hooks_.append(hook);
        hook->controlHook_ = this;
    }
    HookControl();
}

void TControlHook::RemoveHook(TKxWindowHook *hook)
{
    hook->controlHook_ = nullptr;
    hooks_.removeAll(hook);
    if (hooks_.isEmpty())
        UnhookControl();
}

void TControlHook::HookControl()
{
    if (!control_ || destroying_ || subclassed_)
        return;
    control_->installEventFilter(this);
    subclassed_ = true;
}

void TControlHook::UnhookControl()
{
    if (control_ && subclassed_)
        control_->removeEventFilter(this);
    subclassed_ = false;
}

bool TControlHook::runHandlers(bool before, QEvent *event, bool onlyNewest)
{
    bool handled = false;
    const QList<TKxWindowHook *> hooks = hooks_;
    for (qsizetype i = hooks.size() - 1; i >= 0 && !handled; --i) {
        if (!hooks_.contains(hooks.at(i)))
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
    if (watched != control_ || hooks_.isEmpty() || destroying_)
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
        for (TKxWindowHook *hook : std::as_const(hooks_))
            wantsAfter = wantsAfter || (hook->AfterMessage &&
                                        (hook->AfterEvents.isEmpty() || hook->AfterEvents.contains(event->type())));
        if (wantsAfter) {
            // The control's own handling first, then the after-handlers; a
            // destroy already handled reaches only the newest after-handler.
            static_cast<QObject *>(control_.data())->event(event);
            consumed = true;
            runHandlers(false, event, handled);
        }
    } catch (const std::exception &error) {
        HandleKitException(error);
        consumed = !destroy;
    }
    if (destroy && !destroying_) {
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
    for (TControlHook *hook : hooks_)
        if (hook->Control() == control)
            return hook;
    return nullptr;
}

TControlHook *THookList::FindOrCreate(QWidget *control)
{
    if (TControlHook *hook = Find(control))
        return hook;
    auto *hook = new TControlHook(control);
    hooks_.append(hook);
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
    destroying_ = true;
    SetActive(false);
    SetWinControl(nullptr);
}

void TKxWindowHook::SetActive(bool value)
{
    if (active_ == value)
        return;
    active_ = value;
    if (value)
        HookControl();
    else
        UnhookControl();
}

QWidget *TKxWindowHook::WinControl() const
{
    return controlHook_ ? controlHook_->Control() : control_.data();
}

void TKxWindowHook::SetWinControl(QWidget *value)
{
    if (control_ == value && (controlHook_ || !value))
        return;
    TControlHook *old = controlHook_;
    UnhookControl();
    if (control_)
        disconnect(control_, &QObject::destroyed, this, nullptr);
    control_ = value;
    if (value)
        connect(value, &QObject::destroyed, this, [this] { SetWinControl(nullptr); });
    if (old && old->Hooks().isEmpty() && THookList::Instance().Contains(old))
        THookList::Instance().PostRelease(old);
    if (active_)
        HookControl();
}

void TKxWindowHook::HookControl()
{
    if (!control_ || destroying_ || !active_)
        return;
    THookList::Instance().FindOrCreate(control_)->AddHook(this);
}

void TKxWindowHook::UnhookControl()
{
    if (controlHook_)
        controlHook_->RemoveHook(this);
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
