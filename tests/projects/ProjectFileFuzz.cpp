// Fuzz target of the project file reader. Any input must be read or refused without a crash;
// whatever is read must be writable and read back as the same members and number options, and
// after one save and load every further save must give the same bytes.

#include "projects/ProjectFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char* what) {
    if (condition)
        return;
    std::fprintf(stderr, "project file reader: %s\n", what);
    std::abort();
}

bool sameNumber(const ProjectOption& first, const ProjectOption& second) {
    return !std::holds_alternative<double>(first) || second == first;
}

} // namespace

// A write that fails gives no bytes, which the next reading refuses.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ProjectFileReading first = readProjectFile(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!first.ok())
        return 0;
    const ProjectFile& read = first.project;
    check(read.BasPaths.size() <= ProjectFile::MemberLimit &&
              read.AsmPaths.size() <= ProjectFile::MemberLimit,
          "more members than a project holds");
    TextEncoding encoding = first.encoding;
    const ProjectFileReading second = readProjectFile(writeProjectFile(read, encoding).bytes);
    check(second.ok() && second.project.BasPaths == read.BasPaths &&
              second.project.AsmPaths == read.AsmPaths,
          "a save reads back refused or with other members");
    check(sameNumber(read.MaxObjects, second.project.MaxObjects) &&
              sameNumber(read.TempStringSize, second.project.TempStringSize),
          "a number option changed in a save");

    // Typed text loses its outer blanks on the first reading; from then on nothing changes.
    encoding = second.encoding;
    const QByteArray rewritten = writeProjectFile(second.project, encoding).bytes;
    const ProjectFileReading third = readProjectFile(rewritten);
    encoding = third.encoding;
    check(third.ok() && third.project == second.project &&
              writeProjectFile(third.project, encoding).bytes == rewritten,
          "a second save reads back or writes otherwise");
    return 0;
}
