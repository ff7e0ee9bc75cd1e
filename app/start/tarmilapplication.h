#pragma once
// The program's application object. An error that leaves an event handler
// ends neither the handler's caller nor the program: it is shown in the
// program's warning window with its text, written to the start-up log as an
// error line, and the event loop goes on with the next event. A database
// transaction the handler left open is rolled back first, and the warning
// says that the action's changes were undone, or what of the action had been
// written for good before the error; a lost connection is named in its
// heading. The lists and the cash figure are read again, so the till shows
// what the server holds.
#include <QApplication>

#include <functional>

class TarmilApplication : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override;
};

// Runs the delivery of one event; what it throws is reported as above and
// the event counts as not handled (false).
bool DeliverGuarded(const std::function<bool()> &deliver);
