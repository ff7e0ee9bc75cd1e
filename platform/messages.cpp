#include "platform/messages.h"

#include <cstdio>

namespace {

ConsoleMessageService consoleService;
MessageService *currentService = nullptr;

void printLine(const char *kind, const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", kind, text.toUtf8().constData());
}

QString joined(const QString &heading, const QString &specification)
{
    if (specification.isEmpty())
        return heading;
    if (heading.isEmpty())
        return specification;
    return heading + QLatin1Char(' ') + specification;
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

void ShowWarning(const QString &heading, const QString &specification, const QString &description)
{
    Messages().showWarning(heading, specification, description);
}

void ShowInformation(const QString &heading, const QString &specification, bool autoClose)
{
    Messages().showInformation(heading, specification, autoClose);
}

bool ShowQuestion(const QString &heading, const QString &specification, bool yesFocused)
{
    return Messages().showQuestion(heading, specification, yesFocused);
}

void ShowWait(const QString &text) { Messages().showWait(text); }
void HideWait() { Messages().hideWait(); }
void ShowProgress(const QString &caption) { Messages().showProgress(caption); }
void HideProgress() { Messages().hideProgress(); }

void ConsoleMessageService::showWarning(const QString &heading, const QString &specification,
                                        const QString &description)
{
    printLine("Upozornění", joined(heading, specification));
    if (!description.isEmpty() && description != specification)
        printLine("Upozornění", description);
}

void ConsoleMessageService::showInformation(const QString &heading, const QString &specification,
                                            bool)
{
    printLine("Informace", joined(heading, specification));
}

bool ConsoleMessageService::showQuestion(const QString &heading, const QString &specification,
                                         bool)
{
    printLine("Otázka", joined(heading, specification) + QStringLiteral(" -> Ne"));
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
