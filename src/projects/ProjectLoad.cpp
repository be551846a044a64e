#include "projects/ProjectLoad.h"

#include "core/FileIo.h"

namespace {

ProjectLoad failed(const QString& title, const QString& what, const QString& path,
                   const QString& reason) {
    ProjectLoad load;
    load.failedTitle = title;
    load.failedWhat = what;
    load.failedPath = path;
    load.reason = reason;
    return load;
}

} // namespace

ProjectLoad loadProject(const QString& path, qsizetype freeSlots) {
    const QString loadTitle = QStringLiteral("Load Project");
    const QString notLoaded = QStringLiteral("The project could not be loaded:");
    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, &bytes, &error))
        return failed(loadTitle, QStringLiteral("The project file could not be read:"), path,
                      error);
    ProjectFileReading reading = readProjectFile(bytes);
    bytes.clear();
    if (reading.notProjectFile)
        return failed(QStringLiteral("Invalid File"),
                      QStringLiteral("File is not a Drellstudio File"), path, reading.error);
    if (!reading.ok())
        return failed(loadTitle, notLoaded, path, reading.error);

    ProjectLoad load;
    load.file = std::move(reading.project);
    load.encoding = reading.encoding;
    const qsizetype members = load.file.BasPaths.size() + load.file.AsmPaths.size();
    if (members > freeSlots)
        return failed(loadTitle, notLoaded, path,
                      QStringLiteral("It lists %1 files, but only %2 document windows are free.")
                          .arg(members)
                          .arg(freeSlots));
    load.texts.reserve(members);
    for (const QStringList& paths : {load.file.BasPaths, load.file.AsmPaths}) {
        for (const QString& member : paths) {
            if (!readWholeFile(member, &bytes, &error))
                return failed(loadTitle, QStringLiteral("A file of the project could not be read:"),
                              member, error);
            load.texts.push_back(decodeDocument(bytes));
            bytes.clear();
        }
    }
    return load;
}
