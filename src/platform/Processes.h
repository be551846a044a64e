#pragma once

#include <QString>
#include <QStringList>

// Whether a program could be started, and why not.
struct StartResult {
    bool started = false;
    QString error;
    // A program that was started and then ended abnormally (killed by a signal, crashed).
    bool crashed = false;
};

// Starting other programs. The program is a path or a name looked up on PATH; no shell is used.
class Processes {
public:
    virtual ~Processes() = default;
    // Starts the program with the environment's own working folder and standard handles, and
    // returns when it has ended, without a time limit. Windows stay painted meanwhile, but no
    // user input is taken.
    virtual StartResult runAndWait(const QString& program, const QStringList& arguments) = 0;
    // Starts the program and returns at once.
    virtual StartResult startDetached(const QString& program, const QStringList& arguments) = 0;
};
