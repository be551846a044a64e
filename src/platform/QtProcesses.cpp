#include "platform/QtProcesses.h"

#include "platform/ProcessConsole.h"
#include "platform/PtyProcess.h"

#include <QApplication>
#include <QEventLoop>
#include <QProcess>
#include <QWidget>

namespace {

// Swallows the user's input for the whole application while it is installed, except for the
// console pane (the widget named "Console" and everything in it), which passes keys and clicks
// on to the running program: keys, shortcuts, mouse, wheel, touch, drops, and the window
// system's requests to close a window. Unlike an event loop that only defers input, nothing
// typed or clicked during the wait is carried out afterwards (no second build from a queued F5,
// no keys into the text being compiled).
class UserInputBlocker : public QObject {
public:
    UserInputBlocker() { qApp->installEventFilter(this); }
    ~UserInputBlocker() override { qApp->removeEventFilter(this); }
    UserInputBlocker(const UserInputBlocker&) = delete;
    UserInputBlocker& operator=(const UserInputBlocker&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Application shortcuts belong to the windows that take no input now.
        if (event->type() == QEvent::Shortcut)
            return true;
        if (!isBlockable(event))
            return QObject::eventFilter(watched, event);
        if (const auto* widget = qobject_cast<const QWidget*>(watched))
            return !inConsole(widget);
        // A window passes input on to its widgets, which are filtered one by one.
        return event->type() == QEvent::Close ? event->spontaneous() : false;
    }

private:
    static bool isBlockable(const QEvent* event) {
        if (event->isInputEvent())
            return true;
        switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::InputMethod:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        case QEvent::Close:
            return event->spontaneous();
        default:
            return false;
        }
    }
    // Popups such as the console's context menu count as part of it through their parent.
    static bool inConsole(const QWidget* widget) {
        for (; widget != nullptr; widget = widget->parentWidget()) {
            if (widget->objectName() == QLatin1String("Console"))
                return true;
        }
        return false;
    }
};

} // namespace

StartResult QtProcesses::runAndWait(const QString& program, const QStringList& arguments) {
    PtyProcess process;
    QString error;
    const QSize size = m_console != nullptr ? m_console->terminalSize() : QSize(80, 24);
    if (!process.start(program, arguments, size, QString::fromLatin1(TerminalType), &error))
        return {false, error};

    QEventLoop loop;
    QObject::connect(&process, &PtyProcess::finished, &loop, &QEventLoop::quit);
    if (m_console != nullptr)
        m_console->attach(process);
    // Windows keep painting while the driver runs, without a time limit; only the console
    // takes input.
    {
        const UserInputBlocker blocker;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        loop.exec();
        QApplication::restoreOverrideCursor();
    }
    if (m_console != nullptr)
        m_console->detach(process.endText());

    StartResult result{true, QString()};
    if (process.end() == PtyProcess::End::Stopped)
        result.stopped = true;
    else if (process.end() == PtyProcess::End::Signalled)
        result = {true, QStringLiteral("Ended by ") + process.endText(), true};
    return result;
}

StartResult QtProcesses::startDetached(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!process.startDetached())
        return {false, process.errorString()};
    return {true, QString()};
}
