#pragma once
// Runs an action on the next modal window once it is up, so a test can drive
// a window that a call shows with exec().
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace ModalHelper {

// The owner of the running test's waiting actions. It goes as the test ends,
// and the timers still waiting go with it: an action the test armed for a
// window that never came cannot take the window of a later test.
class TestScope : public ::testing::EmptyTestEventListener
{
public:
    static QObject *owner()
    {
        static TestScope *const scope = [] {
            auto *listener = new TestScope; // the listener list owns it
            ::testing::UnitTest::GetInstance()->listeners().Append(listener);
            return listener;
        }();
        if (!scope->m_owner)
            scope->m_owner = new QObject;
        return scope->m_owner;
    }
    void OnTestEnd(const ::testing::TestInfo &) override
    {
        delete m_owner;
        m_owner = nullptr;
    }

private:
    QObject *m_owner = nullptr;
};

} // namespace ModalHelper

inline void WhenModal(std::function<void(QDialog *)> action, int attempts = 200)
{
    QTimer::singleShot(10, ModalHelper::TestScope::owner(), [action, attempts] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible())
            action(dialog);
        else if (attempts > 0)
            WhenModal(action, attempts - 1);
    });
}
