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
    void commandLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");

        const QString win = QStringLiteral(R"(C:\Veldra)");
        QTest::newRow("run untitled, backslash")
            << runCommandLine(win, win, u'\\')
            << R"(C:\Veldra\make -normal vd~tmp.bas C:\Veldra\vd~tmp.exe C:\Veldra -run C:\Veldra)";
        QTest::newRow("run saved file, slash")
            << runCommandLine("/opt/vs", "/home/u/src", u'/')
            << "/opt/vs/make -normal vd~tmp.bas /opt/vs/vd~tmp.exe /opt/vs -run /home/u/src";
        QTest::newRow("run project, backslash")
            << projectRunCommandLine(win, R"(C:\games\pong.vdp)", u'\\')
            << R"(C:\Veldra\make -project C:\games\pong.vdp C:\Veldra\vd~tmp.exe C:\Veldra -run C:\games)";
        QTest::newRow("run project without a separator")
            << projectRunCommandLine(win, "pong.vdp", u'\\')
            << R"(C:\Veldra\make -project pong.vdp C:\Veldra\vd~tmp.exe C:\Veldra -run )";
        QTest::newRow("create exe, backslash")
            << createExeCommandLine(win, R"(C:\out\pong.exe)", u'\\')
            << R"(C:\Veldra\make -normal vd~tmp.bas C:\out\pong.exe C:\Veldra)";
        QTest::newRow("create exe, empty name") << createExeCommandLine("/opt/vs", QString(), u'/')
                                                << "/opt/vs/make -normal vd~tmp.bas  /opt/vs";
        QTest::newRow("create exe of a project, slash")
            << projectCreateExeCommandLine("/opt/vs", "/home/u/pong.vdp", "/home/u/pong", u'/')
            << "/opt/vs/make -project /home/u/pong.vdp /home/u/pong /opt/vs";
        QTest::newRow("blanks in paths")
            << projectCreateExeCommandLine(win, R"(C:\My Games\pong.vdp)", R"(C:\out\a b.exe)",
                                           u'\\')
            << R"(C:\Veldra\make -project C:\My Games\pong.vdp C:\out\a b.exe C:\Veldra)";
        // An untitled window runs in the application folder, a saved file in its own folder.
        QTest::newRow("run folder, untitled") << runFolderOf(win, "Untitled (3)", u'\\') << win;
        QTest::newRow("run folder, backslash")
            << runFolderOf(win, R"(C:\src\game.bas)", u'\\') << R"(C:\src)";
        QTest::newRow("run folder, file named Untitled")
            << runFolderOf(win, "/home/Untitled.bas", u'/') << "/home";
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
        const struct {
            const char* name;
            ErrorForm form;
            const char* log;
            const char* expected;
        } cases[] = {
            {"three lines", project, "12\r\nSyntax error\r\n/src/a.bas\r\n",
             "12|Syntax error|/src/a.bas"},
            {"single file, line 3 unread", single, "12\r\nSyntax error\r\n/src/a.bas\r\n",
             "12|Syntax error|"},
            {"number, message on line 1", project, "12,Type mismatch, in X\r\n/a.bas\r\nx\r\n",
             "12|Type mismatch, in X|/a.bas"},
            {"quoted field, then its line", single, "\"1,5\",x\r\nmsg\r\n", "1,5|x|"},
            {"message taken whole", single, "3\r\n  Expected \"=\" , got \"x\"  \r\n",
             "3|  Expected \"=\" , got \"x\"  |"},
            {"one line", project, "5", "5||"},
            {"two lines, no file", project, "5\r\nBad\r\n", "5|Bad|"},
            {"empty", project, "", "||"},
            {"lone line feeds", project, "4\nmsg\n/a.bas\n", "4|msg|/a.bas"},
            {"byte order mark", single,
             "\xef\xbb\xbf"
             "9\r\nm\r\n",
             "9|m|"},
            {"windows-1252", project, "2\r\nZeichen \xe4\r\nC:\\\xfc.bas\r\n",
             "2|Zeichen \xc3\xa4|C:\\\xc3\xbc.bas"},
        };
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

    void lineWalk_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("line");
        QTest::addColumn<qsizetype>("offset");

        const QString text = QStringLiteral("A = 1\r\nB = 2\r\n\r\nPRINT A\r\n");
        const QString twelve = QStringLiteral("a\r\n").repeated(12);
        QTest::newRow("line 1") << text << 1.0 << qsizetype(0);
        QTest::newRow("empty line 3") << text << 3.0 << qsizetype(14);
        QTest::newRow("after the final CR LF") << text << 5.0 << qsizetype(text.size());
        QTest::newRow("beyond the end") << text << 6.0 << kNowhere;
        QTest::newRow("12.0 is 12") << twelve << 12.0 << qsizetype(33);
        QTest::newRow("12.5 is no line") << twelve << 12.5 << kNowhere;
        QTest::newRow("0") << text << 0.0 << kNowhere;
        QTest::newRow("not a number")
            << text << std::numeric_limits<double>::quiet_NaN() << kNowhere;
        QTest::newRow("lone CR and LF are no breaks")
            << QStringLiteral("a\rb\nc") << 2.0 << kNowhere;
        QTest::newRow("CR CR LF") << QStringLiteral("a\r\r\nb") << 2.0 << qsizetype(4);
        QTest::newRow("empty text, line 1") << QString() << 1.0 << qsizetype(0);
        QTest::newRow("empty text, line 2") << QString() << 2.0 << kNowhere;
        QTest::newRow("surrogate pairs count two")
            << QString::fromUtf8("\xf0\x9f\x98\x80\r\nx") << 2.0 << qsizetype(4);
    }

    void lineWalk() {
        QFETCH(QString, text);
        QFETCH(double, line);
        QFETCH(qsizetype, offset);
        QCOMPARE(lineStartOffset(text, line).value_or(kNowhere), offset);
    }
};

QTEST_GUILESS_MAIN(BuildFormatsTest)
#include "BuildFormatsTest.moc"
