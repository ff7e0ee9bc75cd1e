// The private display: Xvfb on a display number it picks itself, and openbox.
#include "x11/harness/x11harness.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace X11 {

namespace {

// Starts a program with the given arguments; it dies with the test program.
// keepFd stays open in the child. Returns its process id, 0 on failure.
int spawn(const QList<QByteArray> &arguments, int keepFd = -1)
{
    std::vector<char *> argv;
    for (const QByteArray &argument : arguments)
        argv.push_back(const_cast<char *>(argument.constData()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int devnull = open("/dev/null", O_RDWR);
        dup2(devnull, 0);
        dup2(devnull, 1);
        if (!qEnvironmentVariableIsSet("TARMIL5_X11_VERBOSE"))
            dup2(devnull, 2);
        for (int fd = 3; fd < 1024; ++fd)
            if (fd != keepFd)
                close(fd);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid > 0 ? pid : 0;
}

void finish(int &pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 50; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            pid = 0;
            return;
        }
        QThread::msleep(20);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = 0;
}

bool exited(int pid)
{
    return waitpid(pid, nullptr, WNOHANG) == pid;
}

// The window manager announces itself on the root window.
bool windowManagerRuns(Display *display)
{
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    const int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                                          &format, &count, &after, &data);
    const bool runs = status == Success && count == 1;
    if (data)
        XFree(data);
    return runs;
}

} // namespace

QString PrivateDisplay::Start(int width, int height)
{
    int pipe[2];
    if (pipe2(pipe, O_CLOEXEC) != 0)
        return QStringLiteral("no pipe");
    // The child must keep the write end open across exec.
    fcntl(pipe[1], F_SETFD, 0);
    m_xvfb =
        spawn({"Xvfb", "-displayfd", QByteArray::number(pipe[1]), "-screen", "0",
               QStringLiteral("%1x%2x24").arg(width).arg(height).toLatin1(), "-nolisten", "tcp", "-ac", "-noreset"},
              pipe[1]);
    close(pipe[1]);
    if (!m_xvfb) {
        close(pipe[0]);
        return QStringLiteral("Xvfb does not start");
    }
    // Xvfb writes the display number it chose when it is ready for clients.
    QByteArray number;
    pollfd wait{pipe[0], POLLIN, 0};
    QElapsedTimer timer;
    timer.start();
    while (!number.endsWith('\n') && timer.elapsed() < 20000) {
        if (poll(&wait, 1, 200) > 0) {
            char c;
            if (read(pipe[0], &c, 1) != 1)
                break;
            number.append(c);
        }
        if (exited(m_xvfb)) {
            m_xvfb = 0;
            break;
        }
    }
    close(pipe[0]);
    if (!number.endsWith('\n')) {
        Stop();
        return QStringLiteral("Xvfb gives no display");
    }
    m_name = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    qputenv("DISPLAY", m_name.toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");

    m_windowManager = spawn({"openbox", "--sm-disable"});
    if (!m_windowManager) {
        Stop();
        return QStringLiteral("openbox does not start");
    }
    Display *display = XOpenDisplay(m_name.toLatin1().constData());
    if (!display) {
        Stop();
        return QStringLiteral("the display %1 cannot be opened").arg(m_name);
    }
    bool runs = false;
    for (timer.restart(); !runs && timer.elapsed() < 20000; QThread::msleep(50)) {
        runs = windowManagerRuns(display);
        if (exited(m_windowManager)) {
            m_windowManager = 0;
            break;
        }
    }
    XCloseDisplay(display);
    if (!runs) {
        Stop();
        return QStringLiteral("openbox does not take the display");
    }
    return {};
}

void PrivateDisplay::Stop()
{
    finish(m_windowManager);
    finish(m_xvfb);
}

} // namespace X11
