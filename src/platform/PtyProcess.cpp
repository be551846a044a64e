#include "platform/PtyProcess.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr size_t ReadChunk = 64 * 1024;
// Output read in one turn of the event loop before the loop gets to paint and take input.
constexpr int ReadsPerTurn = 8;
// After the program has ended, output still on its way through the terminal is read until the
// terminal is closed on the program's side or nothing comes for this long.
constexpr int DrainQuietMs = 50;
constexpr qint64 DrainLimit = 16 * 1024 * 1024;

QString errnoText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

winsize windowSize(QSize size) {
    winsize ws{};
    ws.ws_col = static_cast<unsigned short>(qBound(1, size.width(), 1000));
    ws.ws_row = static_cast<unsigned short>(qBound(1, size.height(), 1000));
    return ws;
}

// Only async-signal-safe calls from here to exec: the parent may have other threads.
[[noreturn]] void execInChild(const char* slaveName, const char* program, char* const* argv,
                              char* const* envp, int errorPipe) {
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal)
        sigaction(signal, &defaultAction, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);

    int error = 0;
    if (setsid() < 0)
        error = errno;
    // Opened by a session leader without a terminal, the pty becomes its controlling terminal.
    const int slave = error == 0 ? open(slaveName, O_RDWR) : -1;
    if (error == 0 && slave < 0)
        error = errno;
    if (error == 0) {
        ioctl(slave, TIOCSCTTY, 0);
        termios modes{};
        if (tcgetattr(slave, &modes) == 0) {
            modes.c_iflag |= IUTF8; // Backspace erases a whole UTF-8 character
            tcsetattr(slave, TCSANOW, &modes);
        }
        for (int fd = 0; fd < 3; ++fd) {
            if (dup2(slave, fd) < 0)
                error = errno;
        }
        if (slave > 2)
            close(slave);
    }
    if (error == 0) {
        execvpe(program, argv, envp);
        error = errno;
    }
    [[maybe_unused]] const ssize_t written = ::write(errorPipe, &error, sizeof error);
    _exit(127);
}

} // namespace

PtyProcess::PtyProcess(QObject* parent) : QObject(parent) {}

PtyProcess::~PtyProcess() {
    if (m_pid > 0 && !m_reaped) {
        ::kill(-m_pid, SIGKILL);
        int status = 0;
        while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    closeMaster();
    if (m_pidFd >= 0)
        close(m_pidFd);
}

bool PtyProcess::start(const QString& program, const QStringList& arguments, QSize size,
                       const QString& term, QString* error) {
    auto fail = [&](const QString& reason) {
        if (error != nullptr)
            *error = reason;
        closeMaster();
        return false;
    };
    if (m_pid > 0)
        return fail(QStringLiteral("A program is already running"));

    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        return fail(QStringLiteral("No pseudo-terminal: ") + errnoText(errno));
    char slaveName[128];
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0 ||
        ptsname_r(m_master, slaveName, sizeof slaveName) != 0)
        return fail(QStringLiteral("No pseudo-terminal: ") + errnoText(errno));
    const winsize ws = windowSize(size);
    ioctl(m_master, TIOCSWINSZ, &ws);

    // Everything the child needs is made before fork.
    const QByteArray programBytes = program.toLocal8Bit();
    std::vector<QByteArray> argBytes{programBytes};
    for (const QString& argument : arguments)
        argBytes.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& argument : argBytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    QByteArray termEntry = "TERM=" + term.toLocal8Bit();
    std::vector<char*> envp{termEntry.data()};
    for (char** entry = environ; *entry != nullptr; ++entry) {
        // The terminal's own size is told by the terminal, not by stale variables.
        if (std::strncmp(*entry, "TERM=", 5) != 0 && std::strncmp(*entry, "COLUMNS=", 8) != 0 &&
            std::strncmp(*entry, "LINES=", 6) != 0)
            envp.push_back(*entry);
    }
    envp.push_back(nullptr);

    int errorPipe[2];
    if (pipe2(errorPipe, O_CLOEXEC) != 0)
        return fail(errnoText(errno));
    const pid_t pid = fork();
    if (pid < 0) {
        const int forkError = errno;
        close(errorPipe[0]);
        close(errorPipe[1]);
        return fail(errnoText(forkError));
    }
    if (pid == 0)
        execInChild(slaveName, programBytes.constData(), argv.data(), envp.data(), errorPipe[1]);

    close(errorPipe[1]);
    int childError = 0;
    ssize_t got = 0;
    do {
        got = ::read(errorPipe[0], &childError, sizeof childError);
    } while (got < 0 && errno == EINTR);
    close(errorPipe[0]);
    if (got == static_cast<ssize_t>(sizeof childError)) {
        // exec failed: the child has ended already.
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        return fail(errnoText(childError));
    }

    m_pid = pid;
    m_end = End::Running;
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_outputNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_outputNotifier, &QSocketNotifier::activated, this, &PtyProcess::readOutput);
    m_inputNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_inputNotifier->setEnabled(false);
    connect(m_inputNotifier, &QSocketNotifier::activated, this, &PtyProcess::writePending);

    // A pidfd turns readable when the child ends; kernels without one are polled.
    m_pidFd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (m_pidFd >= 0) {
        m_exitNotifier = new QSocketNotifier(m_pidFd, QSocketNotifier::Read, this);
        connect(m_exitNotifier, &QSocketNotifier::activated, this, &PtyProcess::onChildExit);
    } else {
        m_exitPoll = new QTimer(this);
        connect(m_exitPoll, &QTimer::timeout, this, &PtyProcess::onChildExit);
        m_exitPoll->start(20);
    }
    m_killTimer = new QTimer(this);
    m_killTimer->setSingleShot(true);
    connect(m_killTimer, &QTimer::timeout, this, [this] {
        ::kill(-m_pid, SIGKILL);
        m_killed = true;
        if (m_reaped)
            finish();
    });
    return true;
}

void PtyProcess::write(const QByteArray& bytes) {
    if (m_master < 0 || m_end != End::Running)
        return;
    m_pending += bytes;
    writePending();
}

void PtyProcess::writePending() {
    while (!m_pending.isEmpty()) {
        const ssize_t n = ::write(m_master, m_pending.constData(), m_pending.size());
        if (n > 0) {
            m_pending.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            break; // the terminal's input is full: the rest waits until the program reads
        m_pending.clear();
    }
    if (m_inputNotifier != nullptr)
        m_inputNotifier->setEnabled(!m_pending.isEmpty());
}

void PtyProcess::resize(QSize size) {
    if (m_master < 0)
        return;
    // The kernel sends SIGWINCH to the terminal's foreground process group.
    const winsize ws = windowSize(size);
    ioctl(m_master, TIOCSWINSZ, &ws);
}

void PtyProcess::stop() {
    if (m_pid <= 0 || m_end != End::Running)
        return;
    if (m_stopRequested) {
        // A second Stop does not wait for the grace.
        m_killTimer->start(0);
        return;
    }
    m_stopRequested = true;
    ::kill(-m_pid, SIGHUP);
    ::kill(-m_pid, SIGTERM);
    ::kill(-m_pid, SIGCONT);
    m_killTimer->start(StopGraceMs);
}

QString PtyProcess::endText() const {
    switch (m_end) {
    case End::Running:
        return QStringLiteral("running");
    case End::Exited:
        return QStringLiteral("exit status %1").arg(m_status);
    case End::Signalled:
        return QStringLiteral("signal %1 (%2)")
            .arg(m_status)
            .arg(QString::fromLocal8Bit(strsignal(m_status)));
    case End::Stopped:
        return QStringLiteral("stopped");
    }
    return {};
}

void PtyProcess::readOutput() {
    // What is there now, up to a limit, goes out in one piece: the fewer and larger the pieces,
    // the less a flood of output costs the console.
    QByteArray bytes;
    qsizetype got = 0;
    for (int i = 0; i < ReadsPerTurn; ++i) {
        bytes.resize(got + qsizetype(ReadChunk));
        const ssize_t n = ::read(m_master, bytes.data() + got, ReadChunk);
        if (n > 0) {
            got += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // EIO: no process has the terminal open any more; the end comes through the pidfd.
        if (n == 0 || errno != EAGAIN)
            m_outputNotifier->setEnabled(false);
        break;
    }
    bytes.truncate(got);
    if (got > 0)
        Q_EMIT output(bytes);
}

void PtyProcess::drain() {
    if (m_master < 0)
        return;
    char buffer[ReadChunk];
    qint64 total = 0;
    while (total < DrainLimit) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            total += n;
            Q_EMIT output(QByteArray(buffer, n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd fd{m_master, POLLIN, 0};
            if (poll(&fd, 1, DrainQuietMs) > 0)
                continue;
        }
        break;
    }
}

void PtyProcess::onChildExit() {
    int status = 0;
    const pid_t got = waitpid(m_pid, &status, WNOHANG);
    if (got == m_pid)
        reap(status);
}

void PtyProcess::reap(int waitStatus) {
    m_reaped = true;
    if (m_exitNotifier != nullptr)
        m_exitNotifier->setEnabled(false);
    if (m_exitPoll != nullptr)
        m_exitPoll->stop();
    if (WIFEXITED(waitStatus)) {
        m_end = End::Exited;
        m_status = WEXITSTATUS(waitStatus);
    } else {
        m_end = End::Signalled;
        m_status = WTERMSIG(waitStatus);
    }
    if (m_stopRequested) {
        m_end = End::Stopped;
        // Members of the group that ignore SIGTERM are left to the SIGKILL after the grace.
        if (!m_killed && ::kill(-m_pid, 0) == 0)
            return;
    }
    finish();
}

void PtyProcess::finish() {
    if (m_killTimer != nullptr)
        m_killTimer->stop();
    drain();
    closeMaster();
    Q_EMIT finished();
}

void PtyProcess::closeMaster() {
    delete m_outputNotifier;
    m_outputNotifier = nullptr;
    delete m_inputNotifier;
    m_inputNotifier = nullptr;
    if (m_master >= 0)
        close(m_master);
    m_master = -1;
}
