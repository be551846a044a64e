#pragma once

#include "documents/DocumentManager.h"
#include "projects/ProjectFile.h"

#include <vector>

// A project file and the text of every member, all read before anything changes, so that a
// file that cannot be read leaves no window behind.
struct ProjectLoad {
    ProjectFile file;
    TextEncoding encoding = TextEncoding::Utf8;
    // The members' texts: BASIC first, then assembly, each in file order.
    std::vector<DocumentContents> texts;
    // When something failed: the title of the report, what failed, the file and the reason.
    QString failedTitle;
    QString failedWhat;
    QString failedPath;
    QString reason;

    bool ok() const { return failedTitle.isEmpty(); }
};

// Reads the project file at `path` and its members; `freeSlots` document windows are free.
ProjectLoad loadProject(const QString& path, qsizetype freeSlots);
