#pragma once

#include <QString>

// Where the environment keeps its files and which compiler driver it starts. The settings
// file, the temporary build files and the error log lie in `applicationFolder`; `driver` is the
// full path of the program started for a build.
struct AppFolders {
    AppFolders() = default;
    // A folder that holds everything, the driver included (a build tree, a per-user install).
    AppFolders(const QString& folder); // NOLINT: implicit on purpose
    AppFolders(const QString& folder, const QString& driverPath)
        : applicationFolder(folder), driver(driverPath) {}

    QString applicationFolder;
    QString driver;

    friend bool operator==(const AppFolders&, const AppFolders&) = default;
};

// What the choice depends on, as found on the disk.
struct FolderFacts {
    QString executableFolder;
    bool executableFolderWritable = false;
    QString userFolder;
    bool userFolderHasDriver = false;
    bool executableFolderHasDriver = false;
};

// The executable's folder when it is writable. Otherwise the per-user folder, whose own driver
// is preferred; a driver beside the executable (shipped for every user) is used when the user
// has none. With no driver anywhere the per-user folder is named, as the place for one.
AppFolders chooseAppFolders(const FolderFacts& facts);

// The per-user folder, "veldra-studio" in the user's data folder as Qt reports it (from
// XDG_DATA_HOME, else ~/.local/share). A relative data folder is not valid there and would make
// the folder depend on where the program was started: then ~/.local/share is used.
QString userAppFolder(const QString& dataFolder, const QString& homeFolder);

// Looks at the disk and chooses; creates the per-user folder when it is chosen.
AppFolders findAppFolders(const QString& executableFolder, const QString& userFolder);
