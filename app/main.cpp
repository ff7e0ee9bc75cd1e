#include "app/common/windowmessages.h"
#include "app/start/startup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarmil5"));
    QApplication::setApplicationDisplayName(QString());

    // From here on the data module and the screens talk to the user through windows.
    WindowMessageService messageWindows;
    SetMessageService(&messageWindows);

    StartupOptions options;
    options.arguments = app.arguments().mid(1);
    // Used by the test suite: start, show the main window, end at once.
    options.smokeTest = options.arguments.contains(QStringLiteral("--smoke-test"));
    const int exitCode = RunTarmil(options);
    SetMessageService(nullptr);
    return exitCode;
}
