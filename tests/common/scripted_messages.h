#pragma once
// A message service for tests: answers questions from a queue the test fills,
// interrupts a progress loop at a chosen step, and records every call so the
// test can check what the user would have seen. It registers itself for its
// lifetime and puts the previous service back afterwards.
#include "platform/messages.h"

#include <QList>
#include <QQueue>
#include <QString>

struct MessageCall
{
    enum Kind { Warning, Information, Question, Wait, HideWait, Progress, ProgressMaximum, ProgressStep, HideProgress };
    Kind kind;
    QString heading; // heading, wait text or progress caption
    QString detail;
    QString description;
    bool flag = false; // autoClose or yesFocused
    int number = 0;    // progress maximum or position; 1 for a question answered yes
};

class ScriptedMessages : public MessageService
{
public:
    ScriptedMessages();
    ~ScriptedMessages() override;
    ScriptedMessages(const ScriptedMessages &) = delete;
    ScriptedMessages &operator=(const ScriptedMessages &) = delete;

    // The next question is answered with this; an unscripted question fails the test.
    void answer(bool yes) { answers.enqueue(yes); }
    // The progress loop sees "&Přerušit" pressed during this step (1-based).
    void interruptAtStep(int step) { interruptStep = step; }

    QList<MessageCall> calls;
    QList<MessageCall> callsOf(MessageCall::Kind kind) const;
    int count(MessageCall::Kind kind) const { return int(callsOf(kind).size()); }
    bool waitShown() const { return waitVisible; }
    bool progressShown() const { return progressVisible; }
    int unansweredQuestions() const { return int(answers.size()); }

    void showWarning(const QString &heading, const QString &detail, const QString &description) override;
    void showInformation(const QString &heading, const QString &detail, bool autoClose) override;
    bool showQuestion(const QString &heading, const QString &detail, bool yesFocused) override;
    void showWait(const QString &text) override;
    void hideWait() override;
    void showProgress(const QString &caption) override;
    void setProgressMaximum(int maximum) override;
    bool stepProgress(const QString &caption, int position) override;
    bool progressInterrupted() const override { return interrupted; }
    void hideProgress() override;

private:
    MessageService *previous;
    QQueue<bool> answers;
    int interruptStep = 0;
    int steps = 0;
    bool interrupted = false;
    bool waitVisible = false;
    bool progressVisible = false;
};
