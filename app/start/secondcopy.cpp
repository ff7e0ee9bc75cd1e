#include "app/start/secondcopy.h"

#include "app/start/appglobals.h"
#include "platform/messages.h"
#include "platform/paths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QSocketNotifier>
#include <QWidget>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// An address in the abstract namespace (a leading zero byte, no file).
socklen_t abstractAddress(const QByteArray &name, sockaddr_un &address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const qsizetype length = qMin<qsizetype>(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.constData(), size_t(length));
    return socklen_t(offsetof(sockaddr_un, sun_path) + 1 + length);
}

} // namespace

SecondCopyGuard::SecondCopyGuard(const QString &key, QObject *parent)
    : QObject(parent)
{
    const QString folder = QDir(key.isEmpty() ? Paths::configFolder() : key).absolutePath();
    lockPath = QDir(folder).filePath(QStringLiteral("Tarmil5.lock"));
    // The folder's hash tells users and folders apart.
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    socketName = "tarmil5-" + QByteArray::number(getuid()) + '-' + hash;
}

SecondCopyGuard::~SecondCopyGuard()
{
    delete notifier;
    if (listener >= 0)
        ::close(listener);
}

bool SecondCopyGuard::anotherCopyRunning()
{
    lock = std::make_unique<QLockFile>(lockPath);
    // A lock left by a copy that no longer runs is taken over.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        listen();
        return false;
    }
    lock.reset();
    // Connecting is the request to come forward.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0) {
        sockaddr_un address;
        const socklen_t length = abstractAddress(socketName, address);
        ::connect(fd, reinterpret_cast<sockaddr *>(&address), length);
        ::close(fd);
    }
    return true;
}

void SecondCopyGuard::listen()
{
    listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener < 0)
        return;
    sockaddr_un address;
    const socklen_t length = abstractAddress(socketName, address);
    if (::bind(listener, reinterpret_cast<sockaddr *>(&address), length) != 0 || ::listen(listener, 4) != 0) {
        ::close(listener);
        listener = -1;
        return;
    }
    notifier = new QSocketNotifier(listener, QSocketNotifier::Read);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        const int client = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        ::close(client);
        if (onRaiseRequest)
            onRaiseRequest();
    });
}

bool SecondCopyMayStart(SecondCopyGuard &guard)
{
    if (!guard.anotherCopyRunning())
        return true;
    return ShowQuestion(QStringLiteral("Spustit %1 ?").arg(AppTitle),
                        QStringLiteral("Program je již jednou spuštěn..."), false);
}

void BringToFront(QWidget *window)
{
    if (!window)
        return;
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
}
