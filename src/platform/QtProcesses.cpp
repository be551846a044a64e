#include "platform/QtProcesses.h"

#include "platform/ProcessConsole.h"
#include "platform/PtyProcess.h"

#include <QApplication>
#include <QDockWidget>
#include <QEventLoop>
#include <QProcess>
#include <QWidget>

namespace {

// True for a widget inside the dock named "Console": the one pane that keeps taking input
// while the driver runs, since the driver may ask for some.
bool insideConsole(const QObject* object) {
    for (const auto* widget = qobject_cast<const QWidget*>(object); widget != nullptr;
         widget = widget->parentWidget()) {
        if (qobject_cast<const QDockWidget*>(widget) != nullptr &&
            widget->objectName() == QLatin1String("Console"))
            return true;
    }
    return false;
}

// Swallows the user's input while it is installed: keys, shortcuts, mouse, wheel, touch and
// drops, delivered to any widget but the console pane. Unlike an event loop that only defers
// input, nothing typed or clicked during the wait is carried out afterwards. The windows
// themselves are disabled by their owners meanwhile; this catches what reaches a window that
// is not. Close requests always pass: each window decides itself whether it may close now, and
// a dialog that cannot close would hold the wait's event loop forever.
class UserInputBlocker : public QObject {
public:
    UserInputBlocker() { qApp->installEventFilter(this); }
    ~UserInputBlocker() override { qApp->removeEventFilter(this); }
    UserInputBlocker(const UserInputBlocker&) = delete;
    UserInputBlocker& operator=(const UserInputBlocker&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A window hands its input on to the widget it is meant for, which is judged then.
        if (!watched->isWidgetType())
            return false;
        bool input = event->isInputEvent();
        switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::InputMethod:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            input = true;
            break;
        default:
            break;
        }
        return input && !insideConsole(watched);
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
    // takes input, so the pointer says "busy" without saying that nothing can be done.
    {
        const UserInputBlocker blocker;
        QApplication::setOverrideCursor(Qt::BusyCursor);
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
