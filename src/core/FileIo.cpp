#include "core/FileIo.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool fail(QString* error, const QString& reason) {
    if (error)
        *error = reason;
    return false;
}

} // namespace

bool openForReading(QFile& file, QString* error) {
    // Qt's own messages for these two differ between platforms, so they are told apart first.
    const QFileInfo info(file.fileName());
    if (!info.exists())
        return fail(error, QStringLiteral("No such file or directory"));
    if (info.isDir())
        return fail(error, QStringLiteral("Is a directory"));
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, file.errorString());
    return true;
}

bool readWholeFile(const QString& path, QByteArray* bytes, QString* error) {
    QFile file(path);
    if (!openForReading(file, error))
        return false;
    QByteArray contents = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(error, file.errorString());
    *bytes = std::move(contents);
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    const QFileInfo info(path);
    if (info.isDir())
        return fail(error, QStringLiteral("Is a directory"));
    // QSaveFile renames a new file over the old one, which the old file's permissions do not
    // stop, so a read-only file is refused here.
    if (info.exists() && !info.isWritable())
        return fail(error, QStringLiteral("Permission denied"));
    if (!QFileInfo(info.absolutePath()).isDir())
        return fail(error, QStringLiteral("No such file or directory"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error, reason);
    }
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}

QString fileFailureText(const QString& what, const QString& path, const QString& reason) {
    return what + QStringLiteral("\r\n") + path + QStringLiteral("\r\n") + reason;
}
