#pragma once
// The login loop: shows the login dialog until a pass connects to the server,
// restores or creates the database as the arguments and the server's state
// ask, opens it, runs the chosen maintenance and opens the lists. Every step
// is logged; a failing step is reported and the dialog comes back, except
// maintenance, which only warns and goes on.
#include <QString>
#include <QStringList>

#include <functional>

class TForm_Prihlaseni;

class LoginLoop
{
public:
    LoginLoop(TForm_Prihlaseni *dialog, const QStringList &arguments);

    // Shows the dialog modally; true for "&Ok". Tests script it.
    std::function<bool(TForm_Prihlaseni *)> showDialog;
    // Asks for the backup file to restore, starting in the given folder; an
    // empty text when cancelled.
    std::function<QString(const QString &folder)> chooseRestoreFile;

    // True when a pass succeeded, false when the dialog was cancelled.
    bool run();
    // Whether a switch ("/CREATE") is one of the program's arguments.
    bool hasSwitch(const QString &name) const;

private:
    enum class Pass { Succeeded, Failed };
    Pass runPass();
    Pass fail(const QString &heading, const QString &detail);
    bool restore(Pass &result);
    bool createDatabase(Pass &result);
    void maintain(const QString &name, bool checked, const QString &logLine, const std::function<bool()> &operation,
                  const QString &heading, const QString &detail);

    TForm_Prihlaseni *dialog;
    QStringList arguments;
};
