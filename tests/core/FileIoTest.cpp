#include "core/FileIo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool writePlain(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the path of a failure case names inside a fresh folder.
enum class Target { MissingFile, MissingFolder, Directory, ReadOnlyFile };

QString makeTarget(const QTemporaryDir& folder, Target target) {
    const QString path = folder.filePath(QStringLiteral("main.bas"));
    switch (target) {
    case Target::MissingFile:
        break;
    case Target::MissingFolder:
        return folder.filePath(QStringLiteral("nowhere/main.bas"));
    case Target::Directory:
        QDir().mkdir(path);
        break;
    case Target::ReadOnlyFile:
        writePlain(path, "old contents");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
        break;
    }
    return path;
}

// False for root, which writes to files whose permission bits forbid it.
bool permissionBitsStopWrites(const QTemporaryDir& folder) {
    const QString probe = makeTarget(folder, Target::ReadOnlyFile);
    QFile file(probe);
    const bool opened = file.open(QIODevice::WriteOnly | QIODevice::Append);
    file.close();
    QFile::setPermissions(probe, QFile::ReadOwner | QFile::WriteOwner);
    QFile::remove(probe);
    return !opened;
}

void addFailureColumns() {
    QTest::addColumn<Target>("target");
    QTest::addColumn<QString>("reason");
}

} // namespace

Q_DECLARE_METATYPE(Target)

class FileIoTest : public QObject {
    Q_OBJECT

private slots:
    void readFailure_data() {
        addFailureColumns();
        QTest::newRow("missing file") << Target::MissingFile << "No such file or directory";
        QTest::newRow("missing folder") << Target::MissingFolder << "No such file or directory";
        QTest::newRow("directory") << Target::Directory << "Is a directory";
    }
    void readFailure() {
        QFETCH(Target, target);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QByteArray bytes = "untouched";
        QString error;
        QVERIFY(!readWholeFile(makeTarget(folder, target), &bytes, &error));
        QCOMPARE(error, reason);
        QCOMPARE(bytes, QByteArray("untouched"));
    }

    void writeFailure_data() {
        addFailureColumns();
        QTest::newRow("missing folder") << Target::MissingFolder << "No such file or directory";
        QTest::newRow("directory") << Target::Directory << "Is a directory";
        QTest::newRow("read-only file") << Target::ReadOnlyFile << "Permission denied";
    }
    void writeFailure() {
        QFETCH(Target, target);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        if (target == Target::ReadOnlyFile && !permissionBitsStopWrites(folder))
            QSKIP("This process writes to read-only files regardless of their permission bits");
        const QString path = makeTarget(folder, target);
        const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden);
        QString error;
        QVERIFY(!writeFileAtomically(path, "new contents", &error));
        QCOMPARE(error, reason);
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
        if (target == Target::ReadOnlyFile)
            QCOMPARE(contentsOf(path), QByteArray("old contents"));
    }

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
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("main.bas")});
    }

    void failureText() {
        QCOMPARE(fileFailureText(QStringLiteral("The file could not be saved:"),
                                 QStringLiteral("/home/u/main.bas"),
                                 QStringLiteral("Permission denied")),
                 QStringLiteral("The file could not be saved:\r\n/home/u/main.bas\r\n"
                                "Permission denied"));
    }
};

QTEST_GUILESS_MAIN(FileIoTest)
#include "FileIoTest.moc"
