#include "tools/ToolCommandLine.h"

#include "core/CommandLine.h"

QString toolCommandLine(const QString& location, const QString& parameters) {
    return location + QLatin1Char(' ') + parameters;
}

ToolCommand toolCommand(const QString& location, const QString& parameters) {
    const QStringList own = splitCommandLine(location);
    if (own.isEmpty() || own.first().isEmpty())
        return {};
    QStringList words = splitCommandLine(toolCommandLine(location, parameters));
    const QString program = words.takeFirst();
    return {program, words};
}
