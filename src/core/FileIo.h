#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Reads the whole file. On failure returns false and sets *error to a short human reason
// ("No such file or directory", "Permission denied", "Is a directory", ...).
bool readWholeFile(const QString& path, QByteArray* bytes, QString* error);

// Opens `file` (its name already set) for reading, failing with the same reasons.
bool openForReading(QFile& file, QString* error);

// Writes atomically with QSaveFile: the old file stays intact when anything fails.
// An existing read-only file is not replaced (failure). On failure returns false with *error.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error);

// "<what>\r\n<path>\r\n<reason>": the text of a message box telling which file failed and why,
// e.g. fileFailureText("The file could not be saved:", path, reason).
QString fileFailureText(const QString& what, const QString& path, const QString& reason);
