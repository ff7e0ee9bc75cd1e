#pragma once
// How every layer talks to the user: warnings, information, yes/no questions,
// the modeless wait window and the progress window with its interrupt button.
// The program registers its windows at start-up; until then (and in tools and
// tests that register nothing) a console stand-in answers, so the data layer
// never needs a GUI. Tests register a scripted service.
#include <QString>

class MessageService
{
public:
    virtual ~MessageService() = default;

    // Modal windows: each call shows its window and returns when it is closed.
    virtual void showWarning(const QString &heading, const QString &detail, const QString &description) = 0;
    // autoClose: the window closes itself after three seconds as if "&Ok" was pressed.
    virtual void showInformation(const QString &heading, const QString &detail, bool autoClose) = 0;
    // yesFocused: "&Ano" has the focus (Enter answers yes), else "&Ne" has it.
    // True exactly when the answer is yes; Escape and closing answer no.
    virtual bool showQuestion(const QString &heading, const QString &detail, bool yesFocused) = 0;

    // Modeless wait window around a long blocking call; painted once before it.
    virtual void showWait(const QString &text) = 0;
    virtual void hideWait() = 0;

    // Modeless progress window. A loop sets the maximum, then per step writes
    // its caption and position; stepProgress serves pending events and returns
    // false once the user pressed "&Přerušit" (the current step still finishes).
    virtual void showProgress(const QString &caption) = 0;
    virtual void setProgressMaximum(int maximum) = 0;
    virtual bool stepProgress(const QString &caption, int position) = 0;
    virtual bool progressInterrupted() const = 0;
    virtual void hideProgress() = 0;
};

// The service in force; never null (the console stand-in when none is set).
MessageService &Messages();
// Registers a service (not owned); nullptr goes back to the console stand-in.
// Returns the service that was set before, so callers can restore it.
MessageService *SetMessageService(MessageService *service);

// The names the screens and the data module call.
void ShowWarning(const QString &heading, const QString &detail, const QString &description = QString());
void ShowInformation(const QString &heading, const QString &detail, bool autoClose = false);
bool ShowQuestion(const QString &heading, const QString &detail, bool yesFocused);
void ShowWait(const QString &text);
void HideWait();
// Whether one of the modal message windows above is open now.
bool MessageShowing();
void ShowProgress(const QString &caption);
void HideProgress();

// Keeps the wait window up for a scope, also when the work throws.
class WaitWindow
{
public:
    explicit WaitWindow(const QString &text) { ShowWait(text); }
    ~WaitWindow() { HideWait(); }
    WaitWindow(const WaitWindow &) = delete;
    WaitWindow &operator=(const WaitWindow &) = delete;
};

// Keeps the progress window up for a scope, also when the work throws.
class ProgressWindow
{
public:
    explicit ProgressWindow(const QString &caption) { ShowProgress(caption); }
    ~ProgressWindow() { HideProgress(); }
    ProgressWindow(const ProgressWindow &) = delete;
    ProgressWindow &operator=(const ProgressWindow &) = delete;
};

// Without a GUI: messages go to standard error, questions answer no (nothing
// irreversible happens unasked), progress is never interrupted.
class ConsoleMessageService : public MessageService
{
public:
    void showWarning(const QString &heading, const QString &detail, const QString &description) override;
    void showInformation(const QString &heading, const QString &detail, bool autoClose) override;
    bool showQuestion(const QString &heading, const QString &detail, bool yesFocused) override;
    void showWait(const QString &text) override;
    void hideWait() override {}
    void showProgress(const QString &caption) override;
    void setProgressMaximum(int) override {}
    bool stepProgress(const QString &, int) override { return true; }
    bool progressInterrupted() const override { return false; }
    void hideProgress() override {}
};
