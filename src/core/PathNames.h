#pragma once

#include <QChar>
#include <QString>

// The separator of this platform: '\\' on Windows, '/' elsewhere.
#ifdef Q_OS_WIN
constexpr QChar kPathSeparator = u'\\';
#else
constexpr QChar kPathSeparator = u'/';
#endif

// "UNTITLED" when the path is at least 8 characters long and starts with "Untitled"
// (case-sensitive); otherwise the text after the last separator, or the whole path when it has
// none.
QString FileNameFromPath(const QString& path, QChar separator = kPathSeparator);

// If the path contains the separator, replaces the caller's variable with FileNameFromPath(path)
// and returns it; otherwise returns the path unchanged. Callers that must keep the path pass a
// copy.
QString DisplayName(QString& path, QChar separator = kPathSeparator);

// True when the caption is longer than 8 characters and its first 8 are "Untitled"
// (case-sensitive).
bool IsUntitled(const QString& caption);

// The text before the last separator (without it), or "" when the path has none.
// "C:\\src\\game.bas" -> "C:\\src"; "C:\\game.vdp" -> "C:"; "/home/u/a.bas" -> "/home/u";
// "/a.bas" -> "".
QString FolderOfPath(const QString& path, QChar separator = kPathSeparator);

// Application folder + separator + name.
QString JoinPath(const QString& folder, const QString& name, QChar separator = kPathSeparator);
