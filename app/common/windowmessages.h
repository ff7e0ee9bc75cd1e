#pragma once
// The program's message service: the real message, wait and progress windows.
// Registered at start-up; the data module and every screen reach it through
// the platform's ShowWarning, ShowInformation, ShowQuestion and the rest.
#include "platform/messages.h"

class WindowMessageService : public MessageService
{
public:
    void showWarning(const QString &heading, const QString &detail, const QString &description) override;
    void showInformation(const QString &heading, const QString &detail, bool autoClose) override;
    bool showQuestion(const QString &heading, const QString &detail, bool yesFocused) override;
    // A second showWait before hideWait reuses the window that is up, so one
    // hideWait always removes it.
    void showWait(const QString &text) override;
    void hideWait() override;
    // Likewise one progress window at a time; a new one starts uninterrupted.
    void showProgress(const QString &caption) override;
    void setProgressMaximum(int maximum) override;
    bool stepProgress(const QString &caption, int position) override;
    bool progressInterrupted() const override;
    void hideProgress() override;
};
