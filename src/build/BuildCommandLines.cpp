#include "build/BuildCommandLines.h"

#include <QStringList>

namespace {

QString driver(const QString& appFolder, QChar separator) {
    return JoinPath(appFolder, kDriverName.toString(), separator);
}

QString temporaryExecutable(const QString& appFolder, QChar separator) {
    return JoinPath(appFolder, kTemporaryExecutable.toString(), separator);
}

// One blank between values, none added or removed.
QString joined(const QStringList& values) {
    return values.join(u' ');
}

} // namespace

QString runCommandLine(const QString& appFolder, const QString& workingFolder, QChar separator) {
    return joined({driver(appFolder, separator), QStringLiteral("-normal"),
                   kTemporarySource.toString(), temporaryExecutable(appFolder, separator),
                   appFolder, QStringLiteral("-run"), workingFolder});
}

QString projectRunCommandLine(const QString& appFolder, const QString& projectPath,
                              QChar separator) {
    return joined({driver(appFolder, separator), QStringLiteral("-project"), projectPath,
                   temporaryExecutable(appFolder, separator), appFolder, QStringLiteral("-run"),
                   FolderOfPath(projectPath, separator)});
}

QString createExeCommandLine(const QString& appFolder, const QString& exeName, QChar separator) {
    return joined({driver(appFolder, separator), QStringLiteral("-normal"),
                   kTemporarySource.toString(), exeName, appFolder});
}

QString projectCreateExeCommandLine(const QString& appFolder, const QString& projectPath,
                                    const QString& exeName, QChar separator) {
    return joined({driver(appFolder, separator), QStringLiteral("-project"), projectPath, exeName,
                   appFolder});
}

QString runFolderOf(const QString& appFolder, const QString& caption, QChar separator) {
    return IsUntitled(caption) ? appFolder : FolderOfPath(caption, separator);
}
