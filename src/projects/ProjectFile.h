#pragma once

#include "core/TextCodec.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <variant>

// A project option: a number (the defaults, and values read from a project file) or the text
// typed into the options dialog.
using ProjectOption = std::variant<double, QString>;

// What a .vdp project file holds: the two options and the member paths of each kind, in order.
struct ProjectFile {
    // Members of one kind a project can hold.
    static constexpr int MemberLimit = 26;

    ProjectOption MaxObjects = 100.0;
    ProjectOption TempStringSize = 64000.0;
    QStringList BasPaths;
    QStringList AsmPaths;

    bool operator==(const ProjectFile&) const = default;
};

// The result of reading a project file. `error` is empty when the file was read; otherwise
// `notProjectFile` tells whether the file is not a project file at all (header or section line
// wrong, or the file ends before them) and `error` says why in a sentence.
struct ProjectFileReading {
    ProjectFile project;
    TextEncoding encoding = TextEncoding::Utf8;
    bool notProjectFile = false;
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// The result of writing: the bytes, or an error when a value cannot be stored in the format.
struct ProjectFileWriting {
    QByteArray bytes;
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// Reads a whole project file. Lines end with CR LF, LF or CR. Line 1 must be the header exactly;
// then the two option fields (one per line, or both on one line separated by a comma); then
// "[Basic Files]" exactly; then the BASIC paths up to "[Assembly Files]" and the assembly paths
// up to "[Libraries]" or the end. Empty lines between paths are skipped; a missing
// "[Assembly Files]" leaves no assembly member; everything after "[Libraries]" is ignored.
// More than MemberLimit members of one kind is an error.
ProjectFileReading readProjectFile(const QByteArray& bytes);

// The project file's bytes, every line ended by CR LF, in `encoding` (UTF-8 when a character
// does not fit the code page; `encoding` then says so). A value holding a line break cannot be
// stored and gives an error.
ProjectFileWriting writeProjectFile(const ProjectFile& project, TextEncoding& encoding);

// The text of an option line without its line end: a number with one blank on either side
// (" 100 "), typed text as typed. Typed text holding a comma is put in double quotes, so that
// the field comes back whole instead of spilling into the next option.
QString projectOptionLine(const ProjectOption& option);

// An option read back from a field: a number when the field reads as a finite number, the text
// of the field otherwise.
ProjectOption projectOptionFromField(const QString& field);
