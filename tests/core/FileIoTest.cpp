#include "core/FileIo.h"
#include "FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

bool writePlain(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList entriesOf(const QTemporaryDir& folder) {
    return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// What the path of a failure case names inside a fresh folder.
enum class Target { MissingFile, MissingFolder, Directory, ReadOnlyFile, Pipe, Device, Link };

QString makeTarget(const QTemporaryDir& folder, Target target) {
    const QString path = folder.filePath(QStringLiteral("main.bas"));
    if (target == Target::MissingFolder)
        return folder.filePath(QStringLiteral("nowhere/main.bas"));
    if (target == Target::Device)
        return QStringLiteral("/dev/zero");
    if (target == Target::Pipe)
        mkfifo(QFile::encodeName(path).constData(), 0600);
    if (target == Target::Link) {
        writePlain(folder.filePath(QStringLiteral("target")), "old contents");
        QFile::link(QStringLiteral("target"), path);
    }
    if (target == Target::Directory)
        QDir().mkdir(path);
    if (target == Target::ReadOnlyFile) {
        writePlain(path, "old contents");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
    }
    return path;
}

} // namespace

Q_DECLARE_METATYPE(Target)

class FileIoTest : public QObject {
    Q_OBJECT

private slots:
    // A failed read leaves the buffer alone; a failed write leaves the folder and the old file
    // as they were. Both name the reason.
    void failure_data() {
        QTest::addColumn<bool>("write");
        QTest::addColumn<Target>("target");
        QTest::addColumn<QString>("reason");
        const QString missing = QStringLiteral("No such file or directory");
        QTest::newRow("read missing file") << false << Target::MissingFile << missing;
        QTest::newRow("read missing folder") << false << Target::MissingFolder << missing;
        QTest::newRow("read directory") << false << Target::Directory << "Is a directory";
        // Opening a pipe would wait for a writer; a device may never end.
        QTest::newRow("read named pipe")
            << false << Target::Pipe << "Is a named pipe, not a regular file";
        QTest::newRow("read device")
            << false << Target::Device << "Is a device, not a regular file";
        QTest::newRow("write missing folder") << true << Target::MissingFolder << missing;
        QTest::newRow("write directory") << true << Target::Directory << "Is a directory";
        QTest::newRow("write read-only file")
            << true << Target::ReadOnlyFile << "Permission denied";
    }
    void failure() {
        QFETCH(bool, write);
        QFETCH(Target, target);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = makeTarget(folder, target);
        if (target == Target::ReadOnlyFile && QFile(path).open(QIODevice::Append))
            QSKIP("This process writes to read-only files regardless of their permission bits");
        const QStringList before = entriesOf(folder);
        QByteArray bytes = "untouched";
        QString error;
        QVERIFY(write ? !writeFileAtomically(path, "new contents", &error)
                      : !readWholeFile(path, &bytes, &error));
        QCOMPARE(error, reason);
        QCOMPARE(bytes, QByteArray("untouched"));
        QCOMPARE(entriesOf(folder), before);
        if (target == Target::ReadOnlyFile)
            QCOMPARE(contentsOf(path), QByteArray("old contents"));
    }

    // The written bytes come back exactly, and no temporary file is left beside them.
    void writeThenRead_data() {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<QByteArray>("bytes");
        QByteArray binary;
        for (int i = 0; i < 256; ++i)
            binary.append(static_cast<char>(i));
        QTest::newRow("new empty file") << false << QByteArray();
        QTest::newRow("new binary file") << false << binary;
        QTest::newRow("replaces longer file") << true << QByteArray("10 PRINT 1\r\n");
        QTest::newRow("replaces with empty") << true << QByteArray();
        QTest::newRow("large file") << true << QByteArray(3 * 1024 * 1024 + 7, 'x');
    }
    void writeThenRead() {
        QFETCH(bool, existing);
        QFETCH(QByteArray, bytes);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = makeTarget(folder, Target::MissingFile);
        if (existing)
            QVERIFY(writePlain(path, QByteArray(1000, 'o')));
        QString error;
        QVERIFY2(writeFileAtomically(path, bytes, &error), qPrintable(error));
        QByteArray read = "stale";
        QVERIFY2(readWholeFile(path, &read, &error), qPrintable(error));
        QCOMPARE(read, bytes);
        QCOMPARE(entriesOf(folder), QStringList{QStringLiteral("main.bas")});
    }

    // A write that the disk refuses part-way (a full disk) fails, names the reason and leaves
    // the old file and the folder as they were, below and above the write buffer's size.
    void fullDisk_data() {
        QTest::addColumn<int>("size");
        for (int size : {100, 16 * 1024 - 1, 16 * 1024 + 1, 1024 * 1024})
            QTest::addRow("%d bytes", size) << size;
    }
    void fullDisk() {
        QFETCH(int, size);
        QTemporaryDir folder;
        const QString path = makeTarget(folder, Target::MissingFile);
        QVERIFY(writePlain(path, "old contents"));
        QString error;
        {
            const FileSizeLimit limit(size / 2);
            QVERIFY(!writeFileAtomically(path, QByteArray(size, 'x'), &error));
        }
        QCOMPARE(error, QStringLiteral("File too large"));
        QCOMPARE(contentsOf(path), QByteArray("old contents"));
        QCOMPARE(entriesOf(folder), QStringList{QStringLiteral("main.bas")});
    }

    // A scratch file is created anew: whatever held its name is replaced, never written through.
    void freshFile_data() {
        QTest::addColumn<Target>("target");
        QTest::newRow("nothing there") << Target::MissingFile;
        QTest::newRow("old file") << Target::ReadOnlyFile;
        QTest::newRow("symbolic link") << Target::Link;
        QTest::newRow("named pipe") << Target::Pipe;
    }
    void freshFile() {
        QFETCH(Target, target);
        QTemporaryDir folder;
        const QString path = makeTarget(folder, target);
        QString error;
        QVERIFY2(writeFreshFile(path, "new contents", &error), qPrintable(error));
        QVERIFY(QFileInfo(path).isFile() && !QFileInfo(path).isSymLink());
        QCOMPARE(contentsOf(path), QByteArray("new contents"));
        if (target == Target::Link)
            QCOMPARE(contentsOf(folder.filePath(QStringLiteral("target"))), "old contents");
    }

    // The message shown for a failed open or save: what failed, the file, the reason.
    void failureText() {
        QCOMPARE(fileFailureText(QStringLiteral("The file could not be saved:"),
                                 QStringLiteral("/home/u/main.bas"),
                                 QStringLiteral("Permission denied")),
                 QStringLiteral(
                     "The file could not be saved:\r\n/home/u/main.bas\r\nPermission denied"));
    }
};

QTEST_GUILESS_MAIN(FileIoTest)
#include "FileIoTest.moc"
