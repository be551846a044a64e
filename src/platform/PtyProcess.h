#pragma once

#include <QByteArray>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <sys/types.h>

class QSocketNotifier;
class QTimer;

// A program on a pseudo-terminal of its own: it runs in a new session and process group whose
// controlling terminal is the pty, with the pty as its standard input, output and error. What
// it prints comes out of `output`; `write` types into it; `resize` changes the terminal's size
// (the program gets SIGWINCH); `stop` ends the whole process group.
class PtyProcess : public QObject {
    Q_OBJECT

public:
    enum class End { Running, Exited, Signalled, Stopped };

    explicit PtyProcess(QObject* parent = nullptr);
    // Ends the process group and releases the terminal.
    ~PtyProcess() override;
    PtyProcess(const PtyProcess&) = delete;
    PtyProcess& operator=(const PtyProcess&) = delete;

    // Starts `program` (a path, or a name looked up on PATH) with `arguments` on a terminal of
    // `size` columns × rows, with TERM set to `term`. False, with the reason, when it could not
    // be started.
    bool start(const QString& program, const QStringList& arguments, QSize size,
               const QString& term, QString* error);
    // Bytes for the program's standard input; typed ahead, they wait in the terminal.
    void write(const QByteArray& bytes);
    void resize(QSize size);
    // Sends SIGHUP and SIGTERM to the process group, and SIGKILL after a short grace unless the
    // group is gone by then.
    void stop();

    pid_t pid() const { return m_pid; }
    End end() const { return m_end; }
    // The exit status (Exited) or the signal number (Signalled, Stopped) once finished.
    int status() const { return m_status; }
    // "exit status 0", "signal 9 (Killed)", "stopped".
    QString endText() const;

    // How long `stop` waits before SIGKILL.
    static constexpr int StopGraceMs = 1000;

Q_SIGNALS:
    void output(const QByteArray& bytes);
    // The program has ended (after a stop: and the rest of its group) and its output is read.
    void finished();

private:
    void readOutput();
    void writePending();
    void drain();
    void onChildExit();
    void reap(int waitStatus);
    void finish();
    void closeMaster();

    pid_t m_pid = -1;
    int m_master = -1;
    int m_pidFd = -1;
    End m_end = End::Running;
    int m_status = 0;
    bool m_stopRequested = false;
    bool m_reaped = false;
    bool m_killed = false;
    QByteArray m_pending;
    QSocketNotifier* m_outputNotifier = nullptr;
    QSocketNotifier* m_inputNotifier = nullptr;
    QSocketNotifier* m_exitNotifier = nullptr;
    QTimer* m_exitPoll = nullptr;
    QTimer* m_killTimer = nullptr;
};
