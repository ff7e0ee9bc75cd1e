#pragma once
// One copy of the program per user at a time, unless the user insists: the
// first copy holds a lock file in the configuration folder and listens on a
// local socket; a later copy finds the lock taken, asks the first one over the
// socket to bring its main window forward, and lets the user decide. The
// socket lives in the system's abstract namespace: it goes with the process.
#include <QObject>

#include <functional>
#include <memory>

class QLockFile;
class QSocketNotifier;

class SecondCopyGuard : public QObject
{
    Q_OBJECT
public:
    // key: what makes copies the same program for the same user (tests pass
    // their own); empty takes the configuration folder.
    explicit SecondCopyGuard(const QString &key = QString(), QObject *parent = nullptr);
    ~SecondCopyGuard() override;

    // True when another copy is running; that copy has been asked to raise
    // its main window. False makes this copy the running one.
    bool anotherCopyRunning();
    // Called in the running copy whenever a later copy starts.
    std::function<void()> onRaiseRequest;

private:
    void listen();

    QString lockPath;
    QByteArray socketName;
    std::unique_ptr<QLockFile> lock;
    int listener = -1;
    QSocketNotifier *notifier = nullptr;
};

// The start-up's step: when another copy runs, asks "Spustit <AppTitle> ?"
// with "Ne" focused. Returns false when the program must end at once.
bool SecondCopyMayStart(SecondCopyGuard &guard);

// Brings a top-level window to the front (restored when minimised).
void BringToFront(QWidget *window);
