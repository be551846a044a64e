#include "tools/ToolCommandLine.h"

#include "core/CommandLine.h"

QString toolCommandLine(const QString& location, const QString& parameters) {
    return location + QLatin1Char(' ') + parameters;
}

ToolCommand toolCommand(const QString& location, const QString& parameters) {
    QStringList words = splitCommandLine(location);
    if (words.isEmpty() || words.first().isEmpty())
        return {};
    // Splitting the two fields apart gives the words of the joined line, except that a quote the
    // location leaves open closes at its end instead of taking the parameters into it.
    words += splitArguments(parameters);
    const QString program = words.takeFirst();
    return {program, words};
}
