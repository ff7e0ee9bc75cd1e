#include "kit/kxwindowhook.h"

#include <QApplication>
#include <QPlatformSurfaceEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A widget that records which events reached its own handling.
class Probe : public QWidget
{
public:
    QStringList *log = nullptr;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User || e->type() == QEvent::PlatformSurface)
            log->append("own");
        return QWidget::event(e);
    }
};

THookMessageEvent logger(QStringList &log, const QString &name, bool handle = false)
{
    return [&log, name, handle](QObject *, QEvent *e, bool &handled) {
        if (e->type() == QEvent::User || e->type() == QEvent::PlatformSurface) {
            log.append(name);
            handled = handle;
        }
    };
}

void sendUser(QWidget *w)
{
    QEvent e(QEvent::User);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(KxWindowHook, HandlersRunNewestFirstAroundTheControl)
{
    QStringList log;
    Probe control;
    control.log = &log;
    TKxWindowHook first, second;
    first.BeforeMessage = logger(log, "before1");
    first.AfterMessage = logger(log, "after1");
    second.BeforeMessage = logger(log, "before2");
    second.AfterMessage = logger(log, "after2");
    first.SetWinControl(&control);
    second.SetWinControl(&control);
    ASSERT_EQ(THookList::Instance().Find(&control)->Hooks().size(), 2);
    sendUser(&control);
    EXPECT_EQ(log, QStringList({"before2", "before1", "own", "after2", "after1"}));

    // A before-handler that handles the event keeps it from the control and the after-handlers.
    log.clear();
    second.BeforeMessage = logger(log, "before2", true);
    sendUser(&control);
    EXPECT_EQ(log, QStringList({"before2"}));

    // An after-handler that handles it stops the older after-handlers.
    log.clear();
    second.BeforeMessage = logger(log, "before2");
    second.AfterMessage = logger(log, "after2", true);
    sendUser(&control);
    EXPECT_EQ(log, QStringList({"before2", "before1", "own", "after2"}));

    // An after-handler limited to other events leaves these to Qt's own delivery.
    log.clear();
    second.AfterMessage = logger(log, "after2");
    first.AfterEvents = second.AfterEvents = {QEvent::Resize};
    sendUser(&control);
    EXPECT_EQ(log, QStringList({"before2", "before1", "own"}));
    first.AfterEvents = second.AfterEvents = {};

    // Inactive hooks see nothing; the last one gone leaves the control alone.
    log.clear();
    second.SetActive(false);
    first.SetActive(false);
    EXPECT_FALSE(THookList::Instance().Find(&control)->IsSubclassed());
    sendUser(&control);
    EXPECT_EQ(log, QStringList({"own"}));
}

TEST(KxWindowHook, WindowDestroyAlwaysReachesTheControlAndRehooksLater)
{
    QStringList log;
    Probe control;
    control.log = &log;
    TKxWindowHook older, newer;
    older.AfterMessage = logger(log, "after1");
    newer.BeforeMessage = logger(log, "before2", true);
    newer.AfterMessage = logger(log, "after2");
    older.SetWinControl(&control);
    newer.SetWinControl(&control);
    QPlatformSurfaceEvent destroy(QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed);
    QApplication::sendEvent(&control, &destroy);
    // Handled before, yet the control and the newest after-handler still see it.
    EXPECT_EQ(log, QStringList({"before2", "own", "after2"}));
    TControlHook *hook = THookList::Instance().Find(&control);
    EXPECT_FALSE(hook->IsSubclassed());
    log.clear();
    sendUser(&control);
    EXPECT_EQ(log, QStringList({"own"})); // not observed until the re-hook runs
    QApplication::processEvents();
    EXPECT_TRUE(hook->IsSubclassed());
    log.clear();
    newer.BeforeMessage = logger(log, "before2");
    sendUser(&control);
    EXPECT_EQ(log, QStringList({"before2", "own", "after2", "after1"}));
}

TEST(KxWindowHook, FreedControlClearsTheHookAndUnusedControlHooksAreReleasedLater)
{
    QStringList log;
    auto *control = new Probe;
    control->log = &log;
    TKxWindowHook hook;
    hook.BeforeMessage = logger(log, "before");
    hook.SetWinControl(control);
    EXPECT_EQ(hook.WinControl(), control);
    delete control;
    EXPECT_EQ(hook.WinControl(), nullptr);
    QApplication::processEvents();

    Probe a, b;
    a.log = b.log = &log;
    hook.SetWinControl(&a);
    TControlHook *onA = THookList::Instance().Find(&a);
    ASSERT_NE(onA, nullptr);
    hook.SetWinControl(&b);
    EXPECT_TRUE(THookList::Instance().Contains(onA)); // released only once queued work runs
    QApplication::processEvents();
    EXPECT_EQ(THookList::Instance().Find(&a), nullptr);
    log.clear();
    sendUser(&a);
    sendUser(&b);
    EXPECT_EQ(log, QStringList({"own", "before", "own"}));
}
