// The plain functions of building: the driver's command lines, the error log and the walk to a
// reported line.

#include "build/BuildCommandLines.h"
#include "build/ErrorLog.h"
#include "build/LineWalk.h"
#include "core/CommandLine.h"

#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(ErrorForm)

namespace {

constexpr qsizetype kNowhere = -1;

} // namespace

class BuildFormatsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commandLines_data();
    void commandLines();
    void runFolder_data();
    void runFolder();
    void errorLog_data();
    void errorLog();
    void lineWalk_data();
    void lineWalk();
};

// Each line as one string, and the arguments the driver receives once it is split.
void BuildFormatsTest::commandLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("arguments");

    const QString winApp = QStringLiteral(R"(C:\Veldra)");
    QTest::newRow("run untitled, backslash")
        << runCommandLine(winApp, winApp, u'\\')
        << R"(C:\Veldra\make -normal vd~tmp.bas C:\Veldra\vd~tmp.exe C:\Veldra -run C:\Veldra)"
        << QStringList{"-normal",      "vd~tmp.bas", R"(C:\Veldra\vd~tmp.exe)",
                       R"(C:\Veldra)", "-run",       R"(C:\Veldra)"};
    QTest::newRow("run saved file, slash")
        << runCommandLine("/opt/vs", "/home/u/src", u'/')
        << "/opt/vs/make -normal vd~tmp.bas /opt/vs/vd~tmp.exe /opt/vs -run /home/u/src"
        << QStringList{"-normal", "vd~tmp.bas", "/opt/vs/vd~tmp.exe",
                       "/opt/vs", "-run",       "/home/u/src"};
    QTest::newRow("run project, backslash")
        << projectRunCommandLine(winApp, R"(C:\games\pong.vdp)", u'\\')
        << R"(C:\Veldra\make -project C:\games\pong.vdp C:\Veldra\vd~tmp.exe C:\Veldra -run C:\games)"
        << QStringList{
               "-project", R"(C:\games\pong.vdp)", R"(C:\Veldra\vd~tmp.exe)", R"(C:\Veldra)",
               "-run",     R"(C:\games)"};
    QTest::newRow("run project at the root, slash")
        << projectRunCommandLine("/opt/vs", "/pong.vdp", u'/')
        << "/opt/vs/make -project /pong.vdp /opt/vs/vd~tmp.exe /opt/vs -run "
        << QStringList{"-project", "/pong.vdp", "/opt/vs/vd~tmp.exe", "/opt/vs", "-run"};
    QTest::newRow("run project without a separator")
        << projectRunCommandLine(winApp, "pong.vdp", u'\\')
        << R"(C:\Veldra\make -project pong.vdp C:\Veldra\vd~tmp.exe C:\Veldra -run )"
        << QStringList{"-project", "pong.vdp", R"(C:\Veldra\vd~tmp.exe)", R"(C:\Veldra)", "-run"};
    QTest::newRow("create exe, backslash")
        << createExeCommandLine(winApp, R"(C:\out\pong.exe)", u'\\')
        << R"(C:\Veldra\make -normal vd~tmp.bas C:\out\pong.exe C:\Veldra)"
        << QStringList{"-normal", "vd~tmp.bas", R"(C:\out\pong.exe)", R"(C:\Veldra)"};
    QTest::newRow("create exe, empty name") << createExeCommandLine("/opt/vs", QString(), u'/')
                                            << "/opt/vs/make -normal vd~tmp.bas  /opt/vs"
                                            << QStringList{"-normal", "vd~tmp.bas", "/opt/vs"};
    QTest::newRow("create exe of a project, slash")
        << projectCreateExeCommandLine("/opt/vs", "/home/u/pong.vdp", "/home/u/pong", u'/')
        << "/opt/vs/make -project /home/u/pong.vdp /home/u/pong /opt/vs"
        << QStringList{"-project", "/home/u/pong.vdp", "/home/u/pong", "/opt/vs"};
    QTest::newRow("blanks split a path")
        << runCommandLine("/opt/vs", "/home/u/my games", u'/')
        << "/opt/vs/make -normal vd~tmp.bas /opt/vs/vd~tmp.exe /opt/vs -run /home/u/my games"
        << QStringList{"-normal",    "vd~tmp.bas", "/opt/vs/vd~tmp.exe", "/opt/vs", "-run",
                       "/home/u/my", "games"};
    QTest::newRow("blanks in a project path")
        << projectCreateExeCommandLine(winApp, R"(C:\My Games\pong.vdp)", R"(C:\out\a.exe)", u'\\')
        << R"(C:\Veldra\make -project C:\My Games\pong.vdp C:\out\a.exe C:\Veldra)"
        << QStringList{"-project", R"(C:\My)", R"(Games\pong.vdp)", R"(C:\out\a.exe)",
                       R"(C:\Veldra)"};
}

void BuildFormatsTest::commandLines() {
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QFETCH(QStringList, arguments);
    QCOMPARE(line, expected);
    QStringList split = splitCommandLine(line);
    QVERIFY(!split.isEmpty());
    QVERIFY(split.takeFirst().endsWith(QLatin1String("make")));
    QCOMPARE(split, arguments);
}

void BuildFormatsTest::runFolder_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("expected");
    QTest::newRow("untitled") << "Untitled (3)" << QChar(u'\\') << R"(C:\Veldra)";
    QTest::newRow("saved, backslash") << R"(C:\src\game.bas)" << QChar(u'\\') << R"(C:\src)";
    QTest::newRow("saved at a drive root") << R"(C:\game.bas)" << QChar(u'\\') << "C:";
    QTest::newRow("file named Untitled") << "/home/Untitled.bas" << QChar(u'/') << "/home";
    QTest::newRow("bare Untitled is a name") << "Untitled" << QChar(u'/') << "";
}

void BuildFormatsTest::runFolder() {
    QFETCH(QString, caption);
    QFETCH(QChar, separator);
    QFETCH(QString, expected);
    QCOMPARE(runFolderOf(QStringLiteral(R"(C:\Veldra)"), caption, separator), expected);
}

void BuildFormatsTest::errorLog_data() {
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<ErrorForm>("form");
    QTest::addColumn<QString>("lineNumber");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("fileName");

    const ErrorForm single = ErrorForm::SingleFile;
    const ErrorForm project = ErrorForm::Project;
    QTest::newRow("three lines") << QByteArray("12\r\nSyntax error\r\nC:\\src\\a.bas\r\n")
                                 << project << "12"
                                 << "Syntax error"
                                 << R"(C:\src\a.bas)";
    QTest::newRow("single-file form ignores line 3")
        << QByteArray("12\r\nSyntax error\r\nC:\\src\\a.bas\r\n") << single << "12"
        << "Syntax error"
        << "";
    QTest::newRow("number and message on one line")
        << QByteArray("12,Type mismatch, in X\r\n/src/a.bas\r\nrest\r\n") << project << "12"
        << "Type mismatch, in X"
        << "/src/a.bas";
    QTest::newRow("quoted field, then its line")
        << QByteArray("\"1,5\",x\r\nmsg\r\n") << single << "1,5"
        << "x"
        << "";
    QTest::newRow("message keeps its blanks and quotes")
        << QByteArray("3\r\n  Expected \"=\" , got \"x\"  \r\n") << single << "3"
        << "  Expected \"=\" , got \"x\"  "
        << "";
    QTest::newRow("one line") << QByteArray("5") << project << "5"
                              << ""
                              << "";
    QTest::newRow("two lines, no file") << QByteArray("5\r\nBad\r\n") << project << "5"
                                        << "Bad"
                                        << "";
    QTest::newRow("empty") << QByteArray() << project << ""
                           << ""
                           << "";
    QTest::newRow("non-numeric") << QByteArray("abc\r\nmsg") << single << "abc"
                                 << "msg"
                                 << "";
    QTest::newRow("lone line feeds") << QByteArray("4\nmsg\n/a.bas\n") << project << "4"
                                     << "msg"
                                     << "/a.bas";
    QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbf"
                                                   "9\r\nm\r\n")
                                     << single << "9"
                                     << "m"
                                     << "";
    QTest::newRow("windows-1252") << QByteArray(
                                         "2\r\nUnerwartetes Zeichen \xe4\r\nC:\\\xfc.bas\r\n")
                                  << project << "2"
                                  << QString::fromUtf8("Unerwartetes Zeichen \xc3\xa4")
                                  << QString::fromUtf8("C:\\\xc3\xbc.bas");
    QTest::newRow("binary junk") << QByteArray("\x01\x02\x00\xff\r\n\x00", 7) << project
                                 << QString::fromLatin1("\x01\x02", 2) + QChar(0) + QChar(0xFF)
                                 << QString(QChar(0)) << "";
}

void BuildFormatsTest::errorLog() {
    QFETCH(QByteArray, log);
    QFETCH(ErrorForm, form);
    QFETCH(QString, lineNumber);
    QFETCH(QString, message);
    QFETCH(QString, fileName);
    const CompilerError error = readErrorLog(log, form);
    QCOMPARE(error.lineNumber, lineNumber);
    QCOMPARE(error.message, message);
    QCOMPARE(error.fileName, fileName);
}

void BuildFormatsTest::lineWalk_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("line");
    QTest::addColumn<qsizetype>("offset");

    const QString text = QStringLiteral("A = 1\r\nB = 2\r\n\r\nPRINT A\r\n");
    QTest::newRow("line 1") << text << 1.0 << qsizetype(0);
    QTest::newRow("empty line 3") << text << 3.0 << qsizetype(14);
    QTest::newRow("after the final CR LF") << text << 5.0 << qsizetype(text.size());
    QTest::newRow("beyond the end") << text << 6.0 << kNowhere;
    QTest::newRow("12.0 is 12") << QStringLiteral("a\r\n").repeated(12) << 12.0 << qsizetype(33);
    QTest::newRow("12.5 is no line") << QStringLiteral("a\r\n").repeated(12) << 12.5 << kNowhere;
    QTest::newRow("0") << text << 0.0 << kNowhere;
    QTest::newRow("negative") << text << -1.0 << kNowhere;
    QTest::newRow("not a number") << text << std::numeric_limits<double>::quiet_NaN() << kNowhere;
    QTest::newRow("lone CR and LF are no breaks") << QStringLiteral("a\rb\nc") << 2.0 << kNowhere;
    QTest::newRow("CR CR LF") << QStringLiteral("a\r\r\nb") << 2.0 << qsizetype(4);
    QTest::newRow("line of one character") << QStringLiteral("x") << 1.0 << qsizetype(0);
    QTest::newRow("empty text, line 1") << QString() << 1.0 << qsizetype(0);
    QTest::newRow("empty text, line 2") << QString() << 2.0 << kNowhere;
    QTest::newRow("only CR LF, line 2") << QStringLiteral("\r\n") << 2.0 << qsizetype(2);
    QTest::newRow("surrogate pairs count two")
        << QString::fromUtf8("\xf0\x9f\x98\x80\r\nx") << 2.0 << qsizetype(4);
}

void BuildFormatsTest::lineWalk() {
    QFETCH(QString, text);
    QFETCH(double, line);
    QFETCH(qsizetype, offset);
    const std::optional<qsizetype> found = lineStartOffset(text, line);
    QCOMPARE(found.value_or(kNowhere), offset);
}

QTEST_GUILESS_MAIN(BuildFormatsTest)
#include "BuildFormatsTest.moc"
