#pragma once

#include <QString>
#include <QStringList>

class ProcessConsole;

// Whether a program could be started, and why not.
struct StartResult {
    bool started = false;
    QString error;
    // A program that was started and then ended abnormally (killed by a signal, crashed).
    bool crashed = false;
    // The user stopped the program: its results mean nothing.
    bool stopped = false;
};

// Starting other programs. The program is a path or a name looked up on PATH; no shell is used.
class Processes {
public:
    virtual ~Processes() = default;
    // Starts the program with the environment's own working folder, on a terminal shown by the
    // console (when one is set), and returns when it has ended, without a time limit. Windows
    // stay painted meanwhile, but only the console takes user input.
    virtual StartResult runAndWait(const QString& program, const QStringList& arguments) = 0;
    // Starts the program and returns at once.
    virtual StartResult startDetached(const QString& program, const QStringList& arguments) = 0;
    // The console that `runAndWait` shows its programs in; nullptr for none.
    virtual void setConsole(ProcessConsole* console) = 0;
};
