// The console: the terminal model fed with escape sequences, keys turned into a program's
// input, and real programs on a real pseudo-terminal (output, typed input, resize, Stop).

#include "build/ConsolePane.h"
#include "build/TerminalScreen.h"
#include "build/TerminalView.h"
#include "platform/PtyProcess.h"

#include <QAccessible>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>

namespace {

// Programs for the console, run by /bin/sh on a real pty. "size" prints the terminal's size at
// the start and after every SIGWINCH. "stubborn" ignores SIGHUP and SIGTERM, as does the child
// it starts, whose pid it prints before "ready".
const QString Size = QStringLiteral(
    "trap 'echo size $(stty size)' WINCH; echo size $(stty size); while :; do sleep 0.1; done");
const QString Stubborn = QStringLiteral("trap '' HUP TERM; sleep 600 & echo $! ready; wait");

QString screenText(const TerminalScreen& screen) {
    return screen.text(0, screen.lineCount() - 1);
}

// Starts a script on a pty whose output feeds `screen`, unless a console does that.
void start(PtyProcess& process, TerminalScreen* screen, const QString& script) {
    if (screen != nullptr)
        QObject::connect(&process, &PtyProcess::output, &process,
                         [screen](const QByteArray& bytes) { screen->feed(bytes); });
    QString error;
    QVERIFY2(process.start("/bin/sh", {"-c", script}, {80, 24}, QStringLiteral("xterm-256color"),
                           &error),
             qPrintable(error));
}

// clang-format off
struct CellCase { const char* name; QByteArray output; int line; QString text; int column; uint ch, fg, bg, attrs; };
const uint none = 0;
const CellCase Cells[] = {
    {"text", "hello", 0, "hello", 0, 'h', none, none, 0},
    {"CR LF", "ab\r\ncd", 1, "cd", 1, 'd', none, none, 0},
    {"wrap", QByteArray(85, 'x'), 1, "xxxxx", 4, 'x', none, none, 0},
    {"16 colours", "\x1b[31;42mR\x1b[0mn", 0, "Rn", 0, 'R', 0xffe00000u, 0xff00e000u, 0},
    {"colours reset", "\x1b[31;42mR\x1b[0mn", 0, "Rn", 1, 'n', none, none, 0},
    {"256 colours", "\x1b[38;5;196mX", 0, "X", 0, 'X', 0xffff0000u, none, 0},
    {"true colour", "\x1b[48;2;1;2;3mX", 0, "X", 0, 'X', none, 0xff010203u, 0},
    {"bold reverse", "\x1b[1;7mB", 0, "B", 0, 'B', none, none, TerminalCell::Bold | TerminalCell::Reverse},
    {"clear, home", "junk\r\nmore\x1b[2J\x1b[Hok", 0, "ok", 0, 'o', none, none, 0},
    {"cursor move", "\x1b[3;5HX", 2, "    X", 4, 'X', none, none, 0},
    {"erase to end", "abcdef\x1b[3D\x1b[K", 0, "abc", 3, ' ', none, none, 0},
    {"UTF-8", "h\xc3\xa9 \xe2\x9c\x93", 0, QString::fromUtf8("h\xc3\xa9 \xe2\x9c\x93"), 1, 0xe9, none, none, 0},
    {"wide", "\xe4\xb8\xad\x61", 0, QString::fromUtf8("\xe4\xb8\xad\x61"), 2, 'a', none, none, 0},
};
// clang-format on

} // namespace

class ConsoleTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        // Orphans of the tests' programs become this process's children, so that a test can
        // see them end.
        QCOMPARE(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    }

    // What a program prints leaves these cells, also when fed one byte at a time, as a pty may
    // split it anywhere.
    void escapeSequences_data() {
        QTest::addColumn<int>("i");
        for (int i = 0; i < int(std::size(Cells)); ++i)
            QTest::newRow(Cells[i].name) << i;
    }
    void escapeSequences() {
        QFETCH(int, i);
        const CellCase& c = Cells[i];
        for (const bool byByte : {false, true}) {
            TerminalScreen screen(24, 80);
            if (byByte) {
                for (const char byte : c.output)
                    screen.feed(&byte, 1);
            } else {
                screen.feed(c.output);
            }
            const TerminalCell cell = screen.cell(c.line, c.column);
            QCOMPARE(screen.lineText(c.line), c.text);
            QCOMPARE(QList<uint>({uint(cell.ch), cell.fg, cell.bg, uint(cell.attrs)}),
                     QList<uint>({c.ch, c.fg, c.bg, c.attrs}));
        }
    }

    // The scroll-back keeps the newest lines, with their colours, and gives lines back to a
    // screen that grows.
    void scrollback() {
        TerminalScreen screen(5, 20, 100);
        for (int i = 1; i <= 1000; ++i)
            screen.feed(QStringLiteral("\x1b[32mline %1\x1b[0m\r\n").arg(i).toUtf8());
        QVERIFY(screen.scrollbackLines() == 100 && screen.cell(0, 0).fg == 0xff00e000u);
        QCOMPARE(QStringList({screen.lineText(0), screen.lineText(99), screen.lineText(103)}),
                 QStringList({"line 897", "line 996", "line 1000"}));
        screen.resize(10, 20);
        QCOMPARE(QStringList({screen.lineText(screen.lineCount() - 10),
                              screen.lineText(screen.cursor().y() - 1)}),
                 QStringList({"line 992", "line 1000"}));
    }

    // A flood of plain lines may skip the screen on its way to the scroll-back; what is left
    // must be what feeding byte by byte leaves.
    void floodsLeaveWhatBytesLeave_data() {
        QTest::addColumn<QByteArrayList>("pieces");
        QByteArray lines;
        QByteArray wrapped;
        for (int i = 0; i < 300; ++i) {
            lines += "line " + QByteArray::number(i) + "\r\n";
            wrapped += QByteArray(i % 33, char('a' + i % 26)) + "\r\n";
        }
        QTest::newRow("short lines") << QByteArrayList{lines};
        // Off the start of a line, wrapped and empty lines, raw line feeds, blanks at the ends of
        // lines, and plain lines after a colour.
        QTest::newRow("mixed") << QByteArrayList{"ab", wrapped + "x\ny\n" + lines,
                                                 QByteArray(lines).replace("\r", "   \r"),
                                                 "\x1b[32mgreen\r\n", lines};
    }
    void floodsLeaveWhatBytesLeave() {
        QFETCH(QByteArrayList, pieces);
        TerminalScreen whole(5, 10, 200);
        TerminalScreen bytes(5, 10, 200);
        for (const QByteArray& piece : pieces) {
            whole.feed(piece);
            for (const char byte : piece)
                bytes.feed(&byte, 1);
        }
        QCOMPARE(whole.linesScrolledOff(), bytes.linesScrolledOff());
        QCOMPARE(whole.lineCount(), bytes.lineCount());
        QCOMPARE(whole.cursor(), bytes.cursor());
        for (int line = 0; line < whole.lineCount(); ++line) {
            QCOMPARE(whole.lineText(line), bytes.lineText(line));
            for (int column = 0; column < 10; ++column)
                QVERIFY(whole.cell(line, column) == bytes.cell(line, column));
        }
    }

    // Keys become the bytes a terminal sends.
    void keys() {
        TerminalScreen screen(24, 80);
        QByteArray sent;
        screen.toProgram = [&sent](const char* data, size_t size) {
            sent.append(data, qsizetype(size));
        };
        screen.sendKey(Qt::Key_Eacute, {}, "é");
        screen.sendKey(Qt::Key_Return, {}, "\r");
        screen.sendKey(Qt::Key_Backspace, {}, "\b");
        screen.sendKey(Qt::Key_Tab, {}, "\t");
        screen.sendKey(Qt::Key_Up, {}, "");
        screen.sendKey(Qt::Key_C, Qt::ControlModifier, "\x03");
        QCOMPARE(sent, "\xc3\xa9\r\x7f\t\x1b[A\x03");
    }

    // A program on the pane: a resize reaches it as SIGWINCH and the new size, Ctrl+C typed
    // into the pane interrupts it, and assistive tools read what the screen shows.
    void programOnThePane() {
        ConsolePane pane;
        pane.resize(640, 300);
        pane.startBuild();
        PtyProcess process;
        start(process, nullptr, Size);
        pane.attach(process);
        QTRY_VERIFY_WITH_TIMEOUT(screenText(pane.screen()).contains(QLatin1String("size ")), 20000);
        process.resize({100, 30});
        QTRY_VERIFY_WITH_TIMEOUT(screenText(pane.screen()).contains(QLatin1String("size 30 100")),
                                 20000);
        QSignalSpy finished(&process, &PtyProcess::finished);
        QTest::keyClick(pane.view(), Qt::Key_C, Qt::ControlModifier);
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
        QCOMPARE(process.end(), PtyProcess::End::Signalled);
        QCOMPARE(process.status(), SIGINT);
        pane.detach(process.endText());
        QVERIFY(!pane.stopButton()->isEnabled());
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(pane.view());
        QCOMPARE(view->text(QAccessible::Name), QStringLiteral("Console"));
        const QString shown = view->textInterface()->text(0, 4000);
        QVERIFY2(shown.contains(u"size 30 100\n") && shown.contains(u"[Ended: "),
                 qPrintable(shown));
    }

    // Stop ends a program that ignores SIGHUP and SIGTERM, and the child it started: nothing
    // of its process group is left.
    void stopEndsTheWholeGroup() {
        TerminalScreen screen(24, 80);
        PtyProcess process;
        start(process, &screen, Stubborn);
        QTRY_VERIFY_WITH_TIMEOUT(screenText(screen).contains(QLatin1String("ready")), 20000);
        const pid_t child = screen.lineText(0).section(u' ', 0, 0).toInt();
        QVERIFY(child > 0);
        const pid_t group = process.pid();

        QSignalSpy finished(&process, &PtyProcess::finished);
        process.stop();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
        QCOMPARE(process.end(), PtyProcess::End::Stopped);
        // The child, orphaned into this process, is reaped once: QTRY_ evaluates more than once.
        bool childEnded = false;
        QTRY_VERIFY_WITH_TIMEOUT(
            childEnded || (childEnded = waitpid(child, nullptr, WNOHANG) == child), 30000);
        QCOMPARE(::kill(-group, 0), -1);
        QCOMPARE(errno, ESRCH);
    }
};

QTEST_MAIN(ConsoleTest)
#include "ConsoleTest.moc"
