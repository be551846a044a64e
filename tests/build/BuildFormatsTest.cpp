// The plain functions of building: the driver's command lines, the error log and the walk to a
// reported line.

#include "build/BuildCommandLines.h"
#include "build/ErrorLog.h"
#include "build/LineWalk.h"
#include "core/CommandLine.h"

#include <QTest>

#include <limits>
#include <tuple>

Q_DECLARE_METATYPE(ErrorForm)

class BuildFormatsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commandLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        const QString win = QStringLiteral(R"(C:\Veldra)");
        // clang-format off
        QTest::newRow("run untitled, backslash") << runCommandLine(win, win, u'\\') << R"(C:\Veldra\make -normal vd~tmp.bas C:\Veldra\vd~tmp.exe C:\Veldra -run C:\Veldra)";
        QTest::newRow("run saved file, slash") << runCommandLine("/opt/vs", "/home/u/src", u'/') << "/opt/vs/make -normal vd~tmp.bas /opt/vs/vd~tmp.exe /opt/vs -run /home/u/src";
        QTest::newRow("run project, backslash") << projectRunCommandLine(win, R"(C:\games\pong.vdp)", u'\\') << R"(C:\Veldra\make -project C:\games\pong.vdp C:\Veldra\vd~tmp.exe C:\Veldra -run C:\games)";
        QTest::newRow("run project without a separator") << projectRunCommandLine(win, "pong.vdp", u'\\') << R"(C:\Veldra\make -project pong.vdp C:\Veldra\vd~tmp.exe C:\Veldra -run )";
        QTest::newRow("create exe, backslash") << createExeCommandLine(win, R"(C:\out\pong.exe)", u'\\') << R"(C:\Veldra\make -normal vd~tmp.bas C:\out\pong.exe C:\Veldra)";
        QTest::newRow("create exe, empty name") << createExeCommandLine("/opt/vs", QString(), u'/') << "/opt/vs/make -normal vd~tmp.bas  /opt/vs";
        QTest::newRow("create exe of a project, slash") << projectCreateExeCommandLine("/opt/vs", "/home/u/pong.vdp", "/home/u/pong", u'/') << "/opt/vs/make -project /home/u/pong.vdp /home/u/pong /opt/vs";
        QTest::newRow("blanks in paths") << projectCreateExeCommandLine(win, R"(C:\My Games\pong.vdp)", R"(C:\out\a b.exe)", u'\\') << R"(C:\Veldra\make -project C:\My Games\pong.vdp C:\out\a b.exe C:\Veldra)";
        // An untitled window runs in the application folder, a saved file in its own folder.
        QTest::newRow("run folder, untitled") << runFolderOf(win, "Untitled (3)", u'\\') << win;
        QTest::newRow("run folder, backslash") << runFolderOf(win, R"(C:\src\game.bas)", u'\\') << R"(C:\src)";
        QTest::newRow("run folder, file named Untitled") << runFolderOf(win, "/home/Untitled.bas", u'/') << "/home";
        // clang-format on
    }

    // The lines hold no quotes, so the driver receives their blank-separated words: a path with
    // blanks arrives as several arguments, and a doubled or final blank adds no empty one.
    void commandLines() {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        QCOMPARE(line, expected);
        QCOMPARE(splitCommandLine(line), expected.split(u' ', Qt::SkipEmptyParts));
    }

    // Line 1 is a list field (the number), then the message line and, in the project form, the
    // file.
    void errorLog_data() {
        QTest::addColumn<ErrorForm>("form");
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QString>("expected"); // line number|message|file name

        const ErrorForm single = ErrorForm::SingleFile;
        const ErrorForm project = ErrorForm::Project;
        // clang-format off
        const struct { const char* name; ErrorForm form; const char* log; const char* expected; } cases[] = {
            {"three lines", project, "12\r\nSyntax error\r\n/src/a.bas\r\n", "12|Syntax error|/src/a.bas"},
            {"single file, line 3 unread", single, "12\r\nSyntax error\r\n/src/a.bas\r\n", "12|Syntax error|"},
            {"number, message on line 1", project, "12,Type mismatch, in X\r\n/a.bas\r\nx\r\n", "12|Type mismatch, in X|/a.bas"},
            {"quoted field, then its line", single, "\"1,5\",x\r\nmsg\r\n", "1,5|x|"},
            {"message taken whole", single, "3\r\n  Expected \"=\" , got \"x\"  \r\n", "3|  Expected \"=\" , got \"x\"  |"},
            {"one line", project, "5", "5||"},
            {"two lines, no file", project, "5\r\nBad\r\n", "5|Bad|"},
            {"empty", project, "", "||"},
            {"lone line feeds", project, "4\nmsg\n/a.bas\n", "4|msg|/a.bas"},
            {"byte order mark", single, "\xef\xbb\xbf" "9\r\nm\r\n", "9|m|"},
            {"windows-1252", project, "2\r\nZeichen \xe4\r\nC:\\\xfc.bas\r\n", "2|Zeichen \xc3\xa4|C:\\\xc3\xbc.bas"},
        };
        // clang-format on
        for (const auto& c : cases)
            QTest::newRow(c.name) << c.form << QByteArray(c.log) << QString::fromUtf8(c.expected);
    }

    void errorLog() {
        QFETCH(ErrorForm, form);
        QFETCH(QByteArray, log);
        QFETCH(QString, expected);
        const CompilerError error = readErrorLog(log, form);
        QCOMPARE(QStringList({error.lineNumber, error.message, error.fileName}).join(u'|'),
                 expected);
    }

    // Goto Line's number against the editor's line count: whole numbers from 1 to the count.
    void lineIndexOfNumber() {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        constexpr qsizetype kNowhere = -1;
        const std::tuple<double, qsizetype, qsizetype> cases[] = {
            {1.0, 1, 0},          {5.0, 5, 4},      {6.0, 5, kNowhere}, {12.0, 12, 11},
            {11.5, 12, kNowhere}, {0, 3, kNowhere}, {-1, 3, kNowhere},  {nan, 3, kNowhere}};
        for (const auto& [number, count, index] : cases)
            QCOMPARE(lineIndex(number, count).value_or(kNowhere), index);
    }
};

QTEST_GUILESS_MAIN(BuildFormatsTest)
#include "BuildFormatsTest.moc"
