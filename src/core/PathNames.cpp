#include "core/PathNames.h"

namespace {

constexpr QStringView kUntitled = u"Untitled";

} // namespace

QString FileNameFromPath(const QString& path, QChar separator) {
    if (path.startsWith(kUntitled))
        return QStringLiteral("UNTITLED");
    return path.mid(path.lastIndexOf(separator) + 1);
}

QString DisplayName(QString& path, QChar separator) {
    if (path.contains(separator))
        path = FileNameFromPath(path, separator);
    return path;
}

bool IsUntitled(const QString& caption) {
    return caption.size() > kUntitled.size() && caption.startsWith(kUntitled);
}

QString FolderOfPath(const QString& path, QChar separator) {
    const qsizetype last = path.lastIndexOf(separator);
    return last < 0 ? QString() : path.left(last);
}

QString JoinPath(const QString& folder, const QString& name, QChar separator) {
    return folder + separator + name;
}
