#pragma once

#include "platform/Processes.h"

// Processes on a pseudo-terminal (runAndWait) and QProcess (startDetached); no shell is
// involved.
class QtProcesses : public Processes {
public:
    StartResult runAndWait(const QString& program, const QStringList& arguments) override;
    StartResult startDetached(const QString& program, const QStringList& arguments) override;
    void setConsole(ProcessConsole* console) override { m_console = console; }

    // TERM for the programs: what the console's emulation understands.
    static constexpr const char* TerminalType = "xterm-256color";

private:
    ProcessConsole* m_console = nullptr;
};
