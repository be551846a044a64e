#pragma once

#include "documents/ProjectStatus.h"
#include "projects/ProjectFile.h"

#include <QString>

#include <array>

// The one open project. Members are referred to by document slot only.
class ProjectState final : public ProjectStatus {
public:
    static constexpr int EntryCount = 26;

    ProjectState() {
        BasDoc.fill(-1);
        AsmDoc.fill(-1);
    }

    bool projectOpen() const override { return ProjectOpen == 1; }
    bool projectLoading() const override { return ProjectLoading != 0; }

    // 1 while a project is open; any other value means none is.
    qint16 ProjectOpen = 0;
    // The project file; empty for a project that was never saved.
    QString ProjectPath;
    // Member entries: the document slot of each member, -1 for a free entry.
    std::array<int, EntryCount> BasDoc;
    std::array<int, EntryCount> AsmDoc;
    ProjectOption MaxObjects = 100.0;
    ProjectOption TempStringSize = 64000.0;
    // 1 while the project loader creates document windows: they are created hidden.
    qint16 ProjectLoading = 0;
    // Kind of file the Add File dialog adds: 1 BASIC, 0 assembly.
    qint16 AddFileKind = 1;
    // The encoding the project file was read in; a save writes it the same way.
    TextEncoding ProjectEncoding = TextEncoding::Utf8;
};
