#include "platform/messages.h"

#include <cstdio>

namespace {

ConsoleMessageService consoleService;
MessageService *currentService = nullptr;

void printLine(const char *kind, const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", kind, text.toUtf8().constData());
}

QString joined(const QString &heading, const QString &detail)
{
    if (detail.isEmpty())
        return heading;
    if (heading.isEmpty())
        return detail;
    return heading + QLatin1Char(' ') + detail;
}

} // namespace

MessageService &Messages()
{
    return currentService ? *currentService : consoleService;
}

MessageService *SetMessageService(MessageService *service)
{
    MessageService *previous = currentService;
    currentService = service;
    return previous;
}

namespace {
int g_messagesOpen = 0;

// Counts a modal message window for as long as it is open.
struct OpenMessage
{
    OpenMessage() { ++g_messagesOpen; }
    ~OpenMessage() { --g_messagesOpen; }
    OpenMessage(const OpenMessage &) = delete;
    OpenMessage &operator=(const OpenMessage &) = delete;
};
} // namespace

bool MessageShowing()
{
    return g_messagesOpen > 0;
}

void ShowWarning(const QString &heading, const QString &detail, const QString &description)
{
    OpenMessage open;
    Messages().showWarning(heading, detail, description);
}

void ShowInformation(const QString &heading, const QString &detail, bool autoClose)
{
    OpenMessage open;
    Messages().showInformation(heading, detail, autoClose);
}

bool ShowQuestion(const QString &heading, const QString &detail, bool yesFocused)
{
    OpenMessage open;
    return Messages().showQuestion(heading, detail, yesFocused);
}

void ShowWait(const QString &text)
{
    Messages().showWait(text);
}
void HideWait()
{
    Messages().hideWait();
}
void ShowProgress(const QString &caption)
{
    Messages().showProgress(caption);
}
void HideProgress()
{
    Messages().hideProgress();
}

void ConsoleMessageService::showWarning(const QString &heading, const QString &detail, const QString &description)
{
    printLine("Upozornění", joined(heading, detail));
    if (!description.isEmpty() && description != detail)
        printLine("Upozornění", description);
}

void ConsoleMessageService::showInformation(const QString &heading, const QString &detail, bool)
{
    printLine("Informace", joined(heading, detail));
}

bool ConsoleMessageService::showQuestion(const QString &heading, const QString &detail, bool)
{
    printLine("Otázka", joined(heading, detail) + QStringLiteral(" -> Ne"));
    return false;
}

void ConsoleMessageService::showWait(const QString &text)
{
    printLine("Čekejte", text);
}

void ConsoleMessageService::showProgress(const QString &caption)
{
    printLine("Průběh", caption.trimmed());
}
