#include "app/common/windowmessages.h"
#include "app/start/startup.h"
#include "app/start/tarmilapplication.h"
#include "report/designer/form/designer.h"

int main(int argc, char **argv)
{
    TarmilApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarmil5"));
    QApplication::setApplicationDisplayName(QString());

    // From here on the data module and the screens talk to the user through windows.
    WindowMessageService messageWindows;
    SetMessageService(&messageWindows);

    // The report designer is a window, so it exists only with the application.
    vlStartDesigner();

    StartupOptions options;
    options.arguments = app.arguments().mid(1);
    // Used by the test suite: start, show the main window, end at once.
    options.smokeTest = options.arguments.contains(QStringLiteral("--smoke-test"));
    const int exitCode = RunTarmil(options);
    vlStopDesigner();
    SetMessageService(nullptr);
    return exitCode;
}
