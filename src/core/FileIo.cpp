#include "core/FileIo.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool fail(QString* error, const QString& reason) {
    if (error)
        *error = reason;
    return false;
}

bool failErrno(QString* error, int code) {
    return fail(error, QString::fromLocal8Bit(std::strerror(code)));
}

// Why a file of this type is not read; empty for a regular file.
QString notRegularReason(mode_t mode) {
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return QStringLiteral("Is a directory");
    if (S_ISFIFO(mode))
        return QStringLiteral("Is a named pipe, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("Is a device, not a regular file");
    if (S_ISSOCK(mode))
        return QStringLiteral("Is a socket, not a regular file");
    return QStringLiteral("Is not a regular file");
}

// Closes the descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    // Hands the descriptor over to another owner.
    void release() { m_fd = -1; }
    // Closes now; false with errno set when the close reports an error.
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// Writes all bytes, retrying short writes; false with errno set on failure.
bool writeAll(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

} // namespace

bool openForReading(QFile& file, QString* error) {
    const QByteArray name = QFile::encodeName(file.fileName());
    // Look before opening: opening a named pipe would wait for a writer.
    struct stat before {};
    if (::stat(name.constData(), &before) != 0)
        return failErrno(error, errno);
    if (const QString reason = notRegularReason(before.st_mode); !reason.isEmpty())
        return fail(error, reason);

    // Non-blocking, and checked again once open, in case the path changed in between.
    FileDescriptor descriptor(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (descriptor.get() < 0)
        return failErrno(error, errno);
    struct stat opened {};
    if (::fstat(descriptor.get(), &opened) != 0)
        return failErrno(error, errno);
    if (const QString reason = notRegularReason(opened.st_mode); !reason.isEmpty())
        return fail(error, reason);
    if (!file.open(descriptor.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return fail(error, file.errorString());
    descriptor.release();
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

    // The bytes go to the descriptor with every write checked: a write through QSaveFile's
    // buffer can fail in a flush that the commit does not notice, leaving an empty file, and its
    // messages lose the reason. The data must be on the disk before the rename makes it the file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(error, file.errorString());
    if (!writeAll(file.handle(), bytes.constData(), bytes.size()) || ::fsync(file.handle()) != 0) {
        const int code = errno;
        file.cancelWriting();
        return failErrno(error, code);
    }
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}

bool writeFreshFile(const QString& path, QByteArrayView bytes, QString* error) {
    const QByteArray name = QFile::encodeName(path);
    struct stat existing {};
    if (::lstat(name.constData(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            return fail(error, QStringLiteral("Is a directory"));
        if (::unlink(name.constData()) != 0 && errno != ENOENT)
            return failErrno(error, errno);
    }
    // Exclusive: if something appeared at the path since, it is not written through.
    FileDescriptor file(
        ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (file.get() < 0)
        return failErrno(error, errno);
    if (!writeAll(file.get(), bytes.data(), bytes.size()) || !file.close()) {
        const int code = errno;
        ::unlink(name.constData());
        return failErrno(error, code);
    }
    return true;
}

QString fileFailureText(const QString& what, const QString& path, const QString& reason) {
    return what + QStringLiteral("\r\n") + path + QStringLiteral("\r\n") + reason;
}
