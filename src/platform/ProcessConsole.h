#pragma once

#include <QSize>

class PtyProcess;
class QString;

// Where a program run on a terminal shows: it displays the program's output, sends it what the
// user types, passes on its own size and offers to stop it.
class ProcessConsole {
public:
    virtual ~ProcessConsole() = default;
    // Columns × rows for a program that is about to start.
    virtual QSize terminalSize() const = 0;
    // The program from its start to its end; the console reads its output and writes to it.
    virtual void attach(PtyProcess& process) = 0;
    // The program has ended; `how` says how ("exit status 0", "stopped", ...).
    virtual void detach(const QString& how) = 0;
};
