#include "core/AppFolder.h"

#include "core/PathNames.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString DriverName = QStringLiteral("make");

bool hasDriver(const QString& folder) {
    return QFileInfo(JoinPath(folder, DriverName)).isFile();
}

} // namespace

AppFolders::AppFolders(const QString& folder)
    : applicationFolder(folder), driver(JoinPath(folder, DriverName)) {}

QString userAppFolder(const QString& dataFolder, const QString& homeFolder) {
    const QString base = QDir::isAbsolutePath(dataFolder)
                             ? dataFolder
                             : JoinPath(homeFolder, QStringLiteral(".local/share"));
    return JoinPath(base, QStringLiteral("veldra-studio"));
}

AppFolders chooseAppFolders(const FolderFacts& facts) {
    if (facts.executableFolderWritable)
        return AppFolders(facts.executableFolder);
    if (!facts.userFolderHasDriver && facts.executableFolderHasDriver)
        return {facts.userFolder, JoinPath(facts.executableFolder, DriverName)};
    return AppFolders(facts.userFolder);
}

AppFolders findAppFolders(const QString& executableFolder, const QString& userFolder) {
    const FolderFacts facts{executableFolder, QFileInfo(executableFolder).isWritable(), userFolder,
                            hasDriver(userFolder), hasDriver(executableFolder)};
    const AppFolders chosen = chooseAppFolders(facts);
    // A failure shows later, naming the file that could not be written in it.
    if (chosen.applicationFolder == userFolder)
        QDir().mkpath(userFolder);
    return chosen;
}
