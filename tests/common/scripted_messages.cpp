#include "common/scripted_messages.h"

#include <gtest/gtest.h>

ScriptedMessages::ScriptedMessages()
    : previous(SetMessageService(this))
{}

ScriptedMessages::~ScriptedMessages()
{
    SetMessageService(previous);
}

QList<MessageCall> ScriptedMessages::callsOf(MessageCall::Kind kind) const
{
    QList<MessageCall> result;
    for (const MessageCall &call : calls)
        if (call.kind == kind)
            result.append(call);
    return result;
}

void ScriptedMessages::showWarning(const QString &heading, const QString &detail, const QString &description)
{
    calls.append({MessageCall::Warning, heading, detail, description});
}

void ScriptedMessages::showInformation(const QString &heading, const QString &detail, bool autoClose)
{
    calls.append({MessageCall::Information, heading, detail, {}, autoClose});
}

bool ScriptedMessages::showQuestion(const QString &heading, const QString &detail, bool yesFocused)
{
    bool yes = false;
    if (answers.isEmpty())
        ADD_FAILURE() << "unscripted question: " << heading.toStdString() << " / " << detail.toStdString();
    else
        yes = answers.dequeue();
    calls.append({MessageCall::Question, heading, detail, {}, yesFocused, yes ? 1 : 0});
    return yes;
}

void ScriptedMessages::showWait(const QString &text)
{
    calls.append({MessageCall::Wait, text, {}, {}});
    waitVisible = true;
}

void ScriptedMessages::hideWait()
{
    calls.append({MessageCall::HideWait, {}, {}, {}});
    waitVisible = false;
}

void ScriptedMessages::showProgress(const QString &caption)
{
    calls.append({MessageCall::Progress, caption, {}, {}});
    progressVisible = true;
    interrupted = false;
    steps = 0;
}

void ScriptedMessages::setProgressMaximum(int maximum)
{
    calls.append({MessageCall::ProgressMaximum, {}, {}, {}, false, maximum});
}

bool ScriptedMessages::stepProgress(const QString &caption, int position)
{
    calls.append({MessageCall::ProgressStep, caption, {}, {}, false, position});
    if (++steps == interruptStep)
        interrupted = true;
    return !interrupted;
}

void ScriptedMessages::hideProgress()
{
    calls.append({MessageCall::HideProgress, {}, {}, {}});
    progressVisible = false;
}
