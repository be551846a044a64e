#pragma once

#include <QByteArray>
#include <QString>

// Which values the error log carries: after a project build its third line names the file.
enum class ErrorForm { SingleFile, Project };

// The one compiler error of a non-empty error log. Values the log does not reach are empty.
struct CompilerError {
    QString lineNumber;
    QString message;
    QString fileName;
    bool operator==(const CompilerError&) const = default;
};

// Reads the error log: the list field at the start of line 1 is the line number (so that
// "12,message" gives 12 and the message from the rest of that line), the next line whole is the
// message and, in the project form, the line after it the file name (left empty in the
// single-file form, where the caller knows the file). Everything after the last value is
// ignored. The bytes are UTF-8 when valid, otherwise Windows-1252; a leading byte order mark
// is dropped.
CompilerError readErrorLog(const QByteArray& bytes, ErrorForm form);
