#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

// Reads the whole file. Only a regular file is read: a folder, a named pipe or a device is
// refused without waiting on it or reading from it. On failure returns false and sets *error to
// a short human reason ("No such file or directory", "Permission denied", "Is a directory",
// "Is a named pipe, not a regular file", ...).
bool readWholeFile(const QString& path, QByteArray* bytes, QString* error);

// Opens `file` (its name already set) for reading, with the same rule and reasons.
bool openForReading(QFile& file, QString* error);

// Writes atomically with QSaveFile: every byte is written and synced to the disk before the new
// file replaces the old one, so the old file stays intact when anything fails (a full disk
// included). An existing read-only file is not replaced (failure). On failure returns false
// with *error.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error);

// Writes a scratch file of the program's own: whatever is at the path that is not a folder (an
// old file, a symbolic link, a pipe) is removed first, never followed, and the file is created
// anew, so a link planted there cannot redirect the write. Not synced to the disk. On failure
// returns false with *error.
bool writeFreshFile(const QString& path, QByteArrayView bytes, QString* error);

// "<what>\r\n<path>\r\n<reason>": the text of a message box telling which file failed and why,
// e.g. fileFailureText("The file could not be saved:", path, reason).
QString fileFailureText(const QString& what, const QString& path, const QString& reason);
