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

bool sameNumbers(const ProjectOption& first, const ProjectOption& second) {
    const double* number = std::get_if<double>(&first);
    return number == nullptr || second == first;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ProjectFileReading first = readProjectFile(bytes);
    if (!first.ok())
        return 0;
    const ProjectFile& read = first.project;
    check(read.BasPaths.size() <= ProjectFile::MemberLimit &&
              read.AsmPaths.size() <= ProjectFile::MemberLimit,
          "more members than a project holds");

    TextEncoding encoding = first.encoding;
    const ProjectFileWriting written = writeProjectFile(read, encoding);
    check(written.ok(), "a project that was read cannot be written");
    const ProjectFileReading second = readProjectFile(written.bytes);
    check(second.ok(), "the writer's output is refused");
    check(second.project.BasPaths == read.BasPaths, "BASIC members differ after a save");
    check(second.project.AsmPaths == read.AsmPaths, "assembly members differ after a save");
    check(sameNumbers(read.MaxObjects, second.project.MaxObjects) &&
              sameNumbers(read.TempStringSize, second.project.TempStringSize),
          "a number option changed in a save");

    // Typed text loses its outer blanks on the first reading; from then on nothing changes.
    TextEncoding again = second.encoding;
    const ProjectFileWriting rewritten = writeProjectFile(second.project, again);
    check(rewritten.ok(), "a project that was read back cannot be written");
    const ProjectFileReading third = readProjectFile(rewritten.bytes);
    check(third.ok() && third.project == second.project, "a second save reads back otherwise");
    TextEncoding last = third.encoding;
    check(writeProjectFile(third.project, last).bytes == rewritten.bytes,
          "saving again gives other bytes");
    return 0;
}
