// Opening and saving documents: bytes in, bytes out, and what happens when a file cannot be
// read or written.

#include "FileSizeLimit.h"
#include "WindowTest.h"

#include "documents/DocumentManager.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "shell/Main.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QTest>

#include <sys/stat.h>

namespace {
bool runningAsRoot() {
    // Permission bits do not stop root; probe instead of guessing.
    QTemporaryDir dir;
    const QString probe = dir.filePath(QStringLiteral("probe"));
    QFile file(probe);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.close();
    QFile::setPermissions(probe, QFileDevice::ReadOwner);
    QFile again(probe);
    return again.open(QIODevice::WriteOnly);
}
} // namespace

class DocumentFilesTest : public WindowTest {
    Q_OBJECT

private Q_SLOTS:
    void openAndSaveRoundTrip_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb\r\n\r\n");
        // A file keeps its line ends, the one added at the end included, its code page and its
        // NUL characters. (Every encoding and convention is the codec's and line breaks' table.)
        QTest::newRow("lone lf") << QByteArray("a\nb\n") << QByteArray("a\nb\n\n");
        QByteArray high;
        for (int b = 0x80; b <= 0xff; ++b)
            high.append(char(b));
        QTest::newRow("windows-1252 0x80-0xff") << high << high + "\r\n";
        QTest::newRow("nul bytes") << QByteArray("a\0b\0\0c", 6) << QByteArray("a\0b\0\0c\r\n", 8);
    }

    void openAndSaveRoundTrip() {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, saved);
        const QString path = fx().writeDoc(QStringLiteral("round.bas"), content);
        open(path);
        QCOMPARE(active()->windowTitle(), path);
        QCOMPARE(documents().DocChanged[0], qint16(0));
        trigger("save");
        QCOMPARE(MainFixture::readFile(path), saved);
    }

    void emptyFileOpensUnchanged() {
        open(fx().writeDoc(QStringLiteral("empty.bas"), QByteArray()));
        QCOMPARE(active()->Text1->wholeText(), QString());
        QCOMPARE(documents().DocChanged[0], qint16(0));
        QVERIFY(active()->close());
        QVERIFY(fx().messages.calls.isEmpty());
    }

    void eachSaveGrowsTheFileByCrLf() {
        const QString path = fx().writeDoc(QStringLiteral("grow.bas"), "10 PRINT");
        for (int round = 1; round <= 3; ++round) {
            open(path);
            trigger("save");
            QVERIFY(active()->close());
            QCOMPARE(MainFixture::readFile(path).size(), 8 + 2 * round);
        }
        QCOMPARE(MainFixture::readFile(path), QByteArray("10 PRINT\r\n\r\n\r\n"));
    }

    void openUsesTheDocumentDialogSettings() {
        fx().dialog.FileName = QStringLiteral("left over");
        fx().dialog.cancel();
        trigger("open");
        QCOMPARE(fx().dialog.calls.size(), 1);
        const DialogCall& call = fx().dialog.calls[0];
        QCOMPARE(call.kind, QStringLiteral("open"));
        QCOMPARE(call.fileName, QString());
        QCOMPARE(call.filter,
                 QStringLiteral(
                     "All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|Text Files (*.txt)|*.txt"));
        QCOMPARE(call.filterIndex, 2);
        QCOMPARE(call.flags, 4100);
        QVERIFY(main().mdiArea()->subWindowList().isEmpty());
    }

    void saveAsUsesTheNameAsTyped() {
        trigger("new");
        const QString path = fx().docPath(QStringLiteral("prog"));
        fx().dialog.answerFile(path);
        trigger("saveas");
        QCOMPARE(fx().dialog.calls[0].kind, QStringLiteral("save"));
        QCOMPARE(fx().dialog.calls[0].flags, 2054);
        QCOMPARE(fx().dialog.calls[0].filterIndex, 2);
        QVERIFY(QFile::exists(path));
        QVERIFY(!QFile::exists(path + QStringLiteral(".bas")));
        QCOMPARE(MainFixture::readFile(path), QByteArray("' Veldra Studio v1.00\r\n\r\n"));
        QCOMPARE(active()->windowTitle(), path);
        QCOMPARE(documents().DocChanged[0], qint16(0));
    }

    void unreadableFileGetsNoWindow_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << "missing.bas";
        // Reading would wait for a writer. (Folders, devices: the file reader's table.)
        QTest::newRow("a named pipe") << "fifo";
    }

    void unreadableFileGetsNoWindow() {
        QFETCH(QString, name);
        const QString path = name.startsWith(u'/') ? name : fx().docPath(name);
        if (name == QLatin1String("folder"))
            QDir().mkpath(path);
        if (name == QLatin1String("fifo"))
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        open(path);
        QVERIFY(main().mdiArea()->subWindowList().isEmpty());
        QVERIFY(!main().AnyEditorOpen());
        QCOMPARE(fx().messages.calls.size(), 1);
        QCOMPARE(fx().messages.calls[0].icon, MsgIcon::Critical);
        QVERIFY(fx().messages.calls[0].text.contains(path));
        QVERIFY(fx().messages.calls[0].text.split(QStringLiteral("\r\n")).size() == 3);
        QVERIFY(!main().action(QStringLiteral("saveas"))->isEnabled());
    }

    void failedSaveKeepsFileCaptionAndFlag() {
        const QString path = fx().writeDoc(QStringLiteral("locked.bas"), "original");
        open(path);
        Editor* window = active();
        window->Text1->setWholeText(QStringLiteral("edited"));

        // Save into a folder that has gone: Save As to a path whose folder does not exist.
        fx().dialog.answerFile(fx().docPath(QStringLiteral("nowhere/x.bas")));
        trigger("saveas");
        QCOMPARE(window->windowTitle(), path);
        QCOMPARE(documents().DocChanged[window->slot()], qint16(-1));
        QCOMPARE(fx().messages.calls.size(), 1);
        QVERIFY(fx().messages.calls[0].text.contains(QStringLiteral("nowhere")));

        // A disk that fills up part-way through the write.
        window->Text1->setWholeText(QString(3000, u'y'));
        {
            const FileSizeLimit limit(1000);
            trigger("save");
        }
        QCOMPARE(MainFixture::readFile(path), QByteArray("original"));
        QCOMPARE(documents().DocChanged[window->slot()], qint16(-1));
        QCOMPARE(fx().messages.calls.size(), 2);
        QCOMPARE(fx().messages.calls[1].text.split(QStringLiteral("\r\n")).mid(1),
                 (QStringList{path, QStringLiteral("File too large")}));

        if (runningAsRoot())
            QSKIP("permission bits do not stop root");
        QFile::setPermissions(path, QFileDevice::ReadOwner);
        trigger("save");
        QCOMPARE(MainFixture::readFile(path), QByteArray("original"));
        QCOMPARE(documents().DocChanged[window->slot()], qint16(-1));
        QCOMPARE(fx().messages.calls.size(), 3);
        QVERIFY(fx().messages.calls[2].text.contains(path));
    }

    void openWhileProjectOpenIsRefused() {
        trigger("nproject");
        trigger("open");
        QCOMPARE(boxes(), QStringList{box("Oops!", "Use Add file when working with projects",
                                          MsgIcon::Exclamation, MsgButtons::Ok)});
        QVERIFY(fx().dialog.calls.isEmpty());
    }

    // A Windows-1252 document is saved as UTF-8 when the code page cannot hold the edited text.
    void editedCodePageDocumentSaves_data() {
        QTest::addColumn<QString>("edited");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("still fits")
            << QStringLiteral("caf\u00e9 \u20ac") << QByteArray("caf\xe9 \x80\r\n");
        QTest::newRow("outside the code page")
            << QStringLiteral("caf\u00e9 \u20ac \u4e2d")
            << QByteArray("caf\xc3\xa9 \xe2\x82\xac \xe4\xb8\xad\r\n");
    }

    void editedCodePageDocumentSaves() {
        QFETCH(QString, edited);
        QFETCH(QByteArray, saved);
        const QString path = fx().writeDoc(QStringLiteral("cp.bas"), "caf\xe9");
        open(path);
        active()->Text1->setWholeText(edited);
        trigger("save");
        QCOMPARE(MainFixture::readFile(path), saved);
    }
};

QTEST_MAIN(DocumentFilesTest)
#include "DocumentFilesTest.moc"
