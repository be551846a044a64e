// Opening and saving documents: bytes in, bytes out, and what happens when a file cannot be
// read or written.

#include "FileSizeLimit.h"
#include "MainFixture.h"

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

class DocumentFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void openAndSaveRoundTrip_data();
    void openAndSaveRoundTrip();
    void emptyFileOpensUnchanged();
    void eachSaveGrowsTheFileByCrLf();
    void openUsesTheDocumentDialogSettings();
    void saveAsUsesTheNameAsTyped();
    void unreadableFileGetsNoWindow_data();
    void unreadableFileGetsNoWindow();
    void failedSaveKeepsFileCaptionAndFlag();
    void openWhileProjectOpenIsRefused();
    void editedCodePageDocumentSaves_data();
    void editedCodePageDocumentSaves();
};

void DocumentFilesTest::openAndSaveRoundTrip_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb\r\n\r\n");
    // A file keeps its line ends, the one added at the end included; a mixed file gets CR LF.
    QTest::newRow("lone cr") << QByteArray("a\rb") << QByteArray("a\rb\r");
    QTest::newRow("lone lf") << QByteArray("a\nb\n") << QByteArray("a\nb\n\n");
    QTest::newRow("mixed") << QByteArray("1\r\n2\n3\r4") << QByteArray("1\r\n2\r\n3\r\n4\r\n");
    QTest::newRow("utf-8")
        << QByteArray("PRINT \"gr\xc3\xbc\xc3\x9f \xe2\x82\xac \xf0\x9f\x98\x80\"")
        << QByteArray("PRINT \"gr\xc3\xbc\xc3\x9f \xe2\x82\xac \xf0\x9f\x98\x80\"\r\n");
    QTest::newRow("utf-8 with bom")
        << QByteArray("\xef\xbb\xbfREM") << QByteArray("\xef\xbb\xbfREM\r\n");
    QByteArray high;
    for (int b = 0x80; b <= 0xff; ++b)
        high.append(char(b));
    QTest::newRow("windows-1252 0x80-0xff") << high << high + "\r\n";
    QTest::newRow("nul bytes") << QByteArray("a\0b\0\0c", 6) << QByteArray("a\0b\0\0c\r\n", 8);
    QTest::newRow("nul and 1252") << QByteArray("\0\xe9\0", 3) << QByteArray("\0\xe9\0\r\n", 5);
}

void DocumentFilesTest::openAndSaveRoundTrip() {
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, saved);
    MainFixture f;
    Main& main = f.start();
    const QString path = f.writeDoc(QStringLiteral("round.bas"), content);
    f.dialog.answerFile(path);
    main.open_Click();
    QCOMPARE(f.active()->windowTitle(), path);
    QCOMPARE(main.documents().DocChanged[0], qint16(0));
    main.save_Click();
    QCOMPARE(MainFixture::readFile(path), saved);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void DocumentFilesTest::emptyFileOpensUnchanged() {
    MainFixture f;
    Main& main = f.start();
    f.dialog.answerFile(f.writeDoc(QStringLiteral("empty.bas"), QByteArray()));
    main.open_Click();
    QCOMPARE(f.active()->Text1->wholeText(), QString());
    QCOMPARE(main.documents().DocChanged[0], qint16(0));
    QVERIFY(f.active()->close());
    QVERIFY(f.messages.calls.isEmpty());
}

void DocumentFilesTest::eachSaveGrowsTheFileByCrLf() {
    MainFixture f;
    Main& main = f.start();
    const QString path = f.writeDoc(QStringLiteral("grow.bas"), "10 PRINT");
    for (int round = 1; round <= 3; ++round) {
        f.dialog.answerFile(path);
        main.open_Click();
        main.save_Click();
        QVERIFY(f.active()->close());
        QCOMPARE(MainFixture::readFile(path).size(), 8 + 2 * round);
    }
    QCOMPARE(MainFixture::readFile(path), QByteArray("10 PRINT\r\n\r\n\r\n"));
}

void DocumentFilesTest::openUsesTheDocumentDialogSettings() {
    MainFixture f;
    Main& main = f.start();
    f.dialog.FileName = QStringLiteral("left over");
    f.dialog.cancel();
    main.open_Click();
    QCOMPARE(f.dialog.calls.size(), 1);
    const DialogCall& call = f.dialog.calls[0];
    QCOMPARE(call.kind, QStringLiteral("open"));
    QCOMPARE(call.fileName, QString());
    QCOMPARE(
        call.filter,
        QStringLiteral("All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|Text Files (*.txt)|*.txt"));
    QCOMPARE(call.filterIndex, 2);
    QCOMPARE(call.flags, 4100);
    QVERIFY(main.mdiArea()->subWindowList().isEmpty());
}

void DocumentFilesTest::saveAsUsesTheNameAsTyped() {
    MainFixture f;
    Main& main = f.start();
    main.new_Click();
    const QString path = f.docPath(QStringLiteral("prog"));
    f.dialog.answerFile(path);
    main.saveas_Click();
    QCOMPARE(f.dialog.calls[0].kind, QStringLiteral("save"));
    QCOMPARE(f.dialog.calls[0].flags, 2054);
    QCOMPARE(f.dialog.calls[0].filterIndex, 2);
    QVERIFY(QFile::exists(path));
    QVERIFY(!QFile::exists(path + QStringLiteral(".bas")));
    QCOMPARE(MainFixture::readFile(path), QByteArray("' Veldra Studio v1.00\r\n\r\n"));
    QCOMPARE(f.active()->windowTitle(), path);
    QCOMPARE(main.documents().DocChanged[0], qint16(0));
}

void DocumentFilesTest::unreadableFileGetsNoWindow_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << "missing.bas";
    QTest::newRow("a folder") << "folder";
    // Reading would wait for a writer, or never end.
    QTest::newRow("a named pipe") << "fifo";
    QTest::newRow("a device") << "/dev/zero";
}

void DocumentFilesTest::unreadableFileGetsNoWindow() {
    QFETCH(QString, name);
    MainFixture f;
    Main& main = f.start();
    const QString path = name.startsWith(u'/') ? name : f.docPath(name);
    if (name == QLatin1String("folder"))
        QDir().mkpath(path);
    if (name == QLatin1String("fifo"))
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    f.dialog.answerFile(path);
    main.open_Click();
    QVERIFY(main.mdiArea()->subWindowList().isEmpty());
    QVERIFY(!main.AnyEditorOpen());
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].icon, MsgIcon::Critical);
    QVERIFY(f.messages.calls[0].text.contains(path));
    QVERIFY(f.messages.calls[0].text.split(QStringLiteral("\r\n")).size() == 3);
    QVERIFY(!main.action(QStringLiteral("saveas"))->isEnabled());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void DocumentFilesTest::failedSaveKeepsFileCaptionAndFlag() {
    MainFixture f;
    Main& main = f.start();
    const QString path = f.writeDoc(QStringLiteral("locked.bas"), "original");
    f.dialog.answerFile(path);
    main.open_Click();
    Editor* window = f.active();
    window->Text1->setWholeText(QStringLiteral("edited"));

    // Save into a folder that has gone: Save As to a path whose folder does not exist.
    f.dialog.answerFile(f.docPath(QStringLiteral("nowhere/x.bas")));
    main.saveas_Click();
    QCOMPARE(window->windowTitle(), path);
    QCOMPARE(main.documents().DocChanged[window->slot()], qint16(-1));
    QCOMPARE(f.messages.calls.size(), 1);
    QVERIFY(f.messages.calls[0].text.contains(QStringLiteral("nowhere")));

    // A disk that fills up part-way through the write.
    window->Text1->setWholeText(QString(3000, u'y'));
    {
        const FileSizeLimit limit(1000);
        main.save_Click();
    }
    QCOMPARE(MainFixture::readFile(path), QByteArray("original"));
    QCOMPARE(main.documents().DocChanged[window->slot()], qint16(-1));
    QCOMPARE(f.messages.calls.size(), 2);
    QCOMPARE(f.messages.calls[1].text.split(QStringLiteral("\r\n")).mid(1),
             (QStringList{path, QStringLiteral("File too large")}));

    if (runningAsRoot())
        QSKIP("permission bits do not stop root");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    main.save_Click();
    QCOMPARE(MainFixture::readFile(path), QByteArray("original"));
    QCOMPARE(main.documents().DocChanged[window->slot()], qint16(-1));
    QCOMPARE(f.messages.calls.size(), 3);
    QVERIFY(f.messages.calls[2].text.contains(path));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void DocumentFilesTest::openWhileProjectOpenIsRefused() {
    MainFixture f;
    Main& main = f.start();
    main.project().ProjectOpen = 1;
    main.open_Click();
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].title, QStringLiteral("Oops!"));
    QCOMPARE(f.messages.calls[0].text, QStringLiteral("Use Add file when working with projects"));
    QCOMPARE(f.messages.calls[0].icon, MsgIcon::Exclamation);
    QVERIFY(f.dialog.calls.isEmpty());
    main.project().ProjectOpen = 0;
}

// A Windows-1252 document is saved as UTF-8 when the code page cannot hold the edited text, or
// when its bytes would read back as other text.
void DocumentFilesTest::editedCodePageDocumentSaves_data() {
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("still fits") << QStringLiteral("caf\u00e9 \u20ac")
                                << QByteArray("caf\xe9 \x80\r\n");
    QTest::newRow("outside the code page")
        << QStringLiteral("caf\u00e9 \u20ac \u4e2d")
        << QByteArray("caf\xc3\xa9 \xe2\x82\xac \xe4\xb8\xad\r\n");
    QTest::newRow("code page bytes form UTF-8")
        << QStringLiteral("REM Ma\u00df\u00b2") << QByteArray("REM Ma\xc3\x9f\xc2\xb2\r\n");
}

void DocumentFilesTest::editedCodePageDocumentSaves() {
    QFETCH(QString, edited);
    QFETCH(QByteArray, saved);
    MainFixture f;
    Main& main = f.start();
    const QString path = f.writeDoc(QStringLiteral("cp.bas"), "caf\xe9");
    f.dialog.answerFile(path);
    main.open_Click();
    f.active()->Text1->setWholeText(edited);
    main.save_Click();
    QCOMPARE(MainFixture::readFile(path), saved);
}

QTEST_MAIN(DocumentFilesTest)
#include "DocumentFilesTest.moc"
