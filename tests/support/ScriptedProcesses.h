#pragma once

#include "platform/Processes.h"
#include "platform/QtProcesses.h"

#include <QList>

struct ProcessCall {
    bool wait;
    QString program;
    QStringList arguments;
};

// Records every process start. By default the start is carried out for real (the tests drive
// real stub programs); `failWith` makes every start fail with that reason instead.
class ScriptedProcesses : public Processes {
public:
    StartResult runAndWait(const QString& program, const QStringList& arguments) override;
    StartResult startDetached(const QString& program, const QStringList& arguments) override;
    void setConsole(ProcessConsole* console) override { m_real.setConsole(console); }

    QList<ProcessCall> calls;
    QString failWith;

private:
    QtProcesses m_real;
};
