#pragma once

#include <QString>
#include <QStringList>

// The command line of a user tool: its program location, one blank and its parameters, joined as
// they stand (no quotes are added, and the blank is there even when the parameters are empty).
QString toolCommandLine(const QString& location, const QString& parameters);

// A tool's command line split into the program and its arguments by the Windows rules.
struct ToolCommand {
    QString program;
    QStringList arguments;
};

// The program and arguments of toolCommandLine(location, parameters). The program must come from
// the location: when the location names none (empty, only blanks, or an empty quoted name) the
// result has an empty program, rather than the first parameter being started in its place. A
// double quote left open in the location closes at the end of the location, so the parameters
// stay arguments.
ToolCommand toolCommand(const QString& location, const QString& parameters);
