#pragma once

#include "core/TextCodec.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The settings file: the fifteen values of the five tool slots, one value per line, each line
// ended by CR LF, with no header and no decoration.
inline constexpr int SettingsValueCount = 15;
inline constexpr QLatin1String SettingsFileName("veldstudio.ini");

struct SettingsContents {
    // The values in file order, at most SettingsValueCount; fewer when the file is shorter.
    QStringList values;
    TextEncoding encoding = TextEncoding::Utf8;
};

// Reads the values. Each line is one value, taken whole: commas, quotes and blanks are part of
// it. A line ends at CR LF, a lone LF or a lone CR; a last line without a line end still counts,
// and lines after the fifteenth are not looked at (nor decoded). A byte order mark before the
// first value is dropped.
SettingsContents readSettings(const QByteArray& bytes);

// Writes exactly SettingsValueCount lines: the given values in order, missing ones as empty lines,
// each followed by CR LF. A line break inside a value would move every later value into the
// wrong field, so each one (CR LF, CR or LF) is written as one blank. `encoding` is the one to
// write in; it becomes UTF-8 when a value does not fit the code page.
QByteArray writeSettings(const QStringList& values, TextEncoding& encoding);

// Reads the file; false, with no values, when it cannot be read.
bool loadSettingsFile(const QString& path, SettingsContents* contents);

// Writes the file atomically: on failure the old file stays as it was and *error says why.
bool saveSettingsFile(const QString& path, const QStringList& values, TextEncoding& encoding,
                      QString* error);
