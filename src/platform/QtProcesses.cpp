#include "platform/QtProcesses.h"

#include <QApplication>
#include <QEventLoop>
#include <QProcess>

StartResult QtProcesses::runAndWait(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.setProgram(program);
    process.setArguments(arguments);

    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            loop.quit();
    });
    process.start();
    if (!process.waitForStarted(-1))
        return {false, process.errorString()};

    // Keep painting while the driver runs, but take no clicks or keys: the user must not start
    // a second build or edit the text being compiled.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    QApplication::restoreOverrideCursor();
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
