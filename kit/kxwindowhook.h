#pragma once
// Observing and intercepting another widget's events without owning it.
// Every hooked widget gets one shared TControlHook, an event filter that runs
// the registered hooks' before-handlers newest first (stopping at the first
// that sets Handled), then the widget's own handling, then the after-handlers
// the same way. When the widget's native window is about to be destroyed the
// filter steps aside and comes back through a queued invocation once the
// current event is done; releasing an unused TControlHook is deferred the same way.
#include <QEvent>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QWidget>
#include <functional>

class TKxWindowHook;

// Sender, the event, and whether it was handled.
using THookMessageEvent = std::function<void(QObject *Sender, QEvent *Msg, bool &Handled)>;

class TControlHook : public QObject
{
    Q_OBJECT
public:
    explicit TControlHook(QWidget *control);
    ~TControlHook() override;

    QWidget *Control() const { return m_control; }
    const QList<TKxWindowHook *> &Hooks() const { return m_hooks; }
    bool IsSubclassed() const { return m_subclassed; }
    void AddHook(TKxWindowHook *hook);
    void RemoveHook(TKxWindowHook *hook);
    void HookControl();
    void UnhookControl();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void controlDestroyed();
    bool runHandlers(bool before, QEvent *event, bool onlyNewest);

    QPointer<QWidget> m_control;
    QList<TKxWindowHook *> m_hooks;
    bool m_subclassed = false;
    bool m_destroying = false;
};

// The global list of control hooks; deferred work is queued on it.
class THookList : public QObject
{
    Q_OBJECT
public:
    static THookList &Instance();
    TControlHook *Find(QWidget *control) const;
    TControlHook *FindOrCreate(QWidget *control);
    bool Contains(TControlHook *hook) const { return m_hooks.contains(hook); }
    void Remove(TControlHook *hook) { m_hooks.removeAll(hook); }
    // Queued, so they run after the event being processed.
    void PostRehook(TControlHook *hook);
    void PostRelease(TControlHook *hook);

private:
    QList<TControlHook *> m_hooks;
};

class TKxWindowHook : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(QWidget *WinControl READ WinControl WRITE SetWinControl)
public:
    explicit TKxWindowHook(QObject *owner = nullptr);
    ~TKxWindowHook() override;

    bool Active() const { return m_active; }
    void SetActive(bool value);
    QWidget *WinControl() const;
    void SetWinControl(QWidget *value);

    THookMessageEvent BeforeMessage;
    THookMessageEvent AfterMessage;
    // The events the after-handler wants; empty: all of them. Qt has no
    // "after" stage of its own, so for these events the control's handling
    // runs inside the filter and older filters on the control do not see them.
    QSet<QEvent::Type> AfterEvents;

    void HookControl();
    void UnhookControl();

protected:
    virtual void DoBeforeMessage(QEvent *Msg, bool &Handled);
    virtual void DoAfterMessage(QEvent *Msg, bool &Handled);

private:
    friend class TControlHook;
    QPointer<QWidget> m_control;
    TControlHook *m_controlHook = nullptr;
    bool m_active = true;
    bool m_destroying = false;
};
