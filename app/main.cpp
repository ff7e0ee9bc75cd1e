#include "app/common/windowmessages.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarmil5"));
    QApplication::setApplicationDisplayName(QString());

    // From here on the data module and the screens talk to the user through windows.
    WindowMessageService messageWindows;
    SetMessageService(&messageWindows);

    QMainWindow window;
    window.setObjectName(QStringLiteral("Form_Tarmil"));
    window.setWindowTitle(QStringLiteral("Tarmil 5.0"));
    window.resize(1024, 700);
    window.show();

    // Used by the test suite: start, show the window, leave the loop at once.
    if (app.arguments().contains(QStringLiteral("--smoke-test")))
        QTimer::singleShot(0, &app, [&window] { window.close(); });

    const int exitCode = app.exec();
    SetMessageService(nullptr);
    return exitCode;
}
