#include "platform/QtProcesses.h"

#include <QApplication>
#include <QEventLoop>
#include <QProcess>

namespace {

// Swallows the user's input for the whole application while it is installed: keys, shortcuts,
// mouse, wheel, touch, drops, and the window system's requests to close a window. Unlike an
// event loop that only defers input, nothing typed or clicked during the wait is carried out
// afterwards (no second build from a queued F5, no keys into the text being compiled).
class UserInputBlocker : public QObject {
public:
    UserInputBlocker() { qApp->installEventFilter(this); }
    ~UserInputBlocker() override { qApp->removeEventFilter(this); }
    UserInputBlocker(const UserInputBlocker&) = delete;
    UserInputBlocker& operator=(const UserInputBlocker&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->isInputEvent())
            return true;
        switch (event->type()) {
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::InputMethod:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        case QEvent::Close:
            return event->spontaneous();
        default:
            return QObject::eventFilter(watched, event);
        }
    }
};

} // namespace

StartResult QtProcesses::runAndWait(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.setProgram(program);
    process.setArguments(arguments);

    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    process.start();
    if (!process.waitForStarted(-1))
        return {false, process.errorString()};

    // Windows keep painting while the driver runs, without a time limit, but take no input.
    {
        const UserInputBlocker blocker;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (process.state() != QProcess::NotRunning)
            loop.exec();
        QApplication::restoreOverrideCursor();
    }
    if (process.exitStatus() == QProcess::CrashExit)
        return {true, process.errorString(), true};
    return {true, QString()};
}

StartResult QtProcesses::startDetached(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!process.startDetached())
        return {false, process.errorString()};
    return {true, QString()};
}
