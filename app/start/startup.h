#pragma once
// The program's run from start to end: titles and folders, the second-copy
// check, the start-up log, the long-lived forms, the login loop, the message
// loop and the forms' release.
#include <QStringList>

#include <functional>

class QWidget;
class TForm_HledatDoklad;
class TForm_HledatPolozku;

// The search dialogs of the item and document lists, made after login.
extern TForm_HledatPolozku *Form_HledatPolozku;
extern TForm_HledatDoklad *Form_HledatDoklad;

struct StartupOptions
{
    // The program's arguments, without its own path.
    QStringList arguments;
    // Start, show the main window and end at once, without a login.
    bool smokeTest = false;
    // Makes the main window; the program's own when empty (tests give one
    // whose prints go into a file).
    std::function<QWidget *()> createMainWindow;
};

// Returns the program's exit code.
int RunTarmil(const StartupOptions &options);

// The main window, created as the application's first form.
QWidget *CreateMainWindow();
