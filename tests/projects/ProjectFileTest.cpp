// The project file format: what the reader accepts and refuses, what the writer produces, and
// that the two agree.

#include "projects/ProjectFile.h"

#include <QTest>

namespace {

// An option as "n:<number>" or "t:<text>", so that tables can say which form they expect.
QString described(const ProjectOption& option) {
    if (const double* number = std::get_if<double>(&option))
        return QStringLiteral("n:") + QString::number(*number, 'g', QLocale::FloatingPointShortest);
    return QStringLiteral("t:") + std::get<QString>(option);
}

const QByteArray Header = "Veldra Studio Project File\r\n";
// The header and the default options, where most files begin.
const QByteArray Defaults = Header + " 100 \r\n 64000 \r\n";

// Lines divided by "|", each ended by CR LF; "H" stands for the header, "D" for the header and
// the default options.
QByteArray lines(const char* items) {
    QByteArray bytes;
    for (const QByteArray& item : QByteArray(items).split('|'))
        bytes += item == "H" ? Header : item == "D" ? Defaults : item + "\r\n";
    return bytes;
}

// One member line, repeated to fill a project.
const QByteArray Member = "C:\\src\\m.bas\r\n";

} // namespace

class ProjectFileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // What the reader makes of a file, shown by writing it again in the format's one form: a
    // number between blanks, typed text as typed, every section present, no blank line. A file
    // already in that form comes back byte for byte (`written` is empty).
    void readAndWrite_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("written");
        const auto row = [](const char* name, const QByteArray& bytes, const char* written = "") {
            QTest::newRow(name) << bytes << (*written == 0 ? bytes : lines(written));
        };
        const QByteArray longPath(10 * 1024 * 1024, 'p');
        row("empty project: five lines", lines("D|[Basic Files]|[Assembly Files]"));
        row("worked example", lines(R"(D|[Basic Files]|C:\work\game.bas|C:\work\sprites.bas|)"
                                    R"([Assembly Files]|C:\work\blit.asm)"));
        row("paths kept character for character",
            lines("D|[Basic Files]| a, \"b\".bas |[Assembly Files]"));
        row("libraries inside the basic list is a path",
            lines("D|[Basic Files]|[Libraries]|[Assembly Files]"));
        row("26 members of one kind",
            Defaults + "[Basic Files]\r\n" + Member.repeated(26) + "[Assembly Files]\r\n");
        row("numbers and typed options", lines("H|500|big|[Basic Files]"),
            "H| 500 |big|[Basic Files]|[Assembly Files]");
        row("options on one line", lines("H| 7 , 8|[Basic Files]|a.bas"),
            "H| 7 | 8 |[Basic Files]|a.bas|[Assembly Files]");
        row("out of range number stays text", lines("H|1e999|2|[Basic Files]"),
            "H|1e999| 2 |[Basic Files]|[Assembly Files]");
        row("blank lines skipped", lines("D|[Basic Files]||a.bas|||b.bas|[Assembly Files]||c.asm|"),
            "D|[Basic Files]|a.bas|b.bas|[Assembly Files]|c.asm");
        row("no assembly section", lines("D|[Basic Files]|a.bas"),
            "D|[Basic Files]|a.bas|[Assembly Files]");
        row("libraries and what follows ignored",
            lines("D|[Basic Files]|a.bas|[Assembly Files]|c.asm|[Libraries]|d.asm|[Assembly "
                  "Files]|e.bas"),
            "D|[Basic Files]|a.bas|[Assembly Files]|c.asm");
        row("no final line end", lines("D|[Basic Files]") + "a.bas",
            "D|[Basic Files]|a.bas|[Assembly Files]");
        row("lf line ends", "Veldra Studio Project File\n1\n2\n[Basic Files]\nx\n",
            "H| 1 | 2 |[Basic Files]|x|[Assembly Files]");
        QTest::newRow("10 MB line")
            << lines("D|[Basic Files]") + longPath
            << lines("D|[Basic Files]") + longPath + "\r\n[Assembly Files]\r\n";
    }

    void readAndWrite() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, written);
        const ProjectFileReading reading = readProjectFile(bytes);
        QVERIFY2(reading.ok(), qPrintable(reading.error));
        TextEncoding encoding = reading.encoding;
        const ProjectFileWriting writing = writeProjectFile(reading.project, encoding);
        QVERIFY2(writing.ok(), qPrintable(writing.error));
        QCOMPARE(writing.bytes, written);
    }

    // `notProjectFile` tells a file that is no project file at all from one that holds too much
    // (the reasons that begin with "more").
    void readerRefuses_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("notProjectFile");
        QTest::addColumn<QString>("reason");
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage.append(char((i * 7919 + 13) % 256));
        const auto row = [](const char* name, const QByteArray& bytes, const char* reason) {
            QTest::newRow(name) << bytes << !QByteArray(reason).startsWith("more") << reason;
        };
        row("empty file", QByteArray(), "empty");
        row("header only", Header, "ends before");
        row("no section line", lines("D"), "ends before");
        row("trailing blank on line 1",
            lines("Veldra Studio Project File | 100 | 64000 |[Basic Files]"), "first line");
        row("lower-case section", lines("D|[basic files]"), "after the options");
        row("third option line", lines("H|1|2|3|[Basic Files]"), "after the options");
        row("utf-8 byte order mark", "\xef\xbb\xbf" + lines("D|[Basic Files]"), "first line");
        row("binary garbage", garbage, "first line");
        row("10 MB first line", QByteArray(10 * 1024 * 1024, 'V'), "first line");
        row("27 BASIC members", Defaults + "[Basic Files]\r\n" + Member.repeated(27),
            "more than 26 BASIC");
        row("27 assembly members", lines("D|[Basic Files]|[Assembly Files]") + Member.repeated(27),
            "more than 26 assembly");
    }

    void readerRefuses() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, notProjectFile);
        QFETCH(QString, reason);
        const ProjectFileReading reading = readProjectFile(bytes);
        QVERIFY(!reading.ok());
        QCOMPARE(reading.notProjectFile, notProjectFile);
        QVERIFY2(reading.error.contains(reason), qPrintable(reading.error));
    }

    // An option's line: a number with one blank on either side, in plain digits while whole;
    // typed text as typed. Read back, whatever reads as a number is one.
    void optionLine() {
        const struct {
            ProjectOption option;
            const char* line;
            const char* readBack;
        } cases[] = {
            {0.0, " 0 ", "n:0"},
            {-5.0, " -5 ", "n:-5"},
            {0.1, " 0.1 ", "n:0.1"},
            {1e6, " 1000000 ", "n:1e+06"},
            {-1e300, " -1e+300 ", "n:-1e+300"},
            {QStringLiteral("100"), "100", "n:100"},
            {QStringLiteral(" 7 "), " 7 ", "n:7"},
            {QStringLiteral("x y"), "x y", "t:x y"},
            {QString(), "", "t:"},
            {QStringLiteral("1,5"), "\"1,5\"", "t:1,5"},
        };
        for (const auto& [option, line, readBack] : cases) {
            TextEncoding encoding = TextEncoding::Utf8;
            const ProjectFileReading reading =
                readProjectFile(writeProjectFile({option, option, {}, {}}, encoding).bytes);
            QVERIFY2(reading.ok(), qPrintable(reading.error));
            QCOMPARE(projectOptionLine(option) + "|" + described(reading.project.MaxObjects) + "|" +
                         described(reading.project.TempStringSize),
                     QString(line) + "|" + readBack + "|" + readBack);
        }
    }

    void writerRefusesWhatTheFormatCannotHold() {
        const struct {
            ProjectOption maxObjects;
            const char* basPath;
            const char* reason;
        } cases[] = {
            {QStringLiteral("1\n2"), "a.bas", "Max Objects holds a line break"},
            {QStringLiteral("a\"b,c"), "a.bas",
             "Max Objects holds both a comma and a double quote"},
            {1.0, "/x/a\r\nb.bas", "holds a line break"},
        };
        for (const auto& [maxObjects, basPath, reason] : cases) {
            TextEncoding encoding = TextEncoding::Utf8;
            const ProjectFileWriting writing =
                writeProjectFile({maxObjects, 2.0, {basPath}, {}}, encoding);
            QVERIFY2(writing.error.contains(reason), qPrintable(writing.error));
            QVERIFY(writing.bytes.isEmpty());
        }
    }

    // The writer keeps the file's encoding unless the paths would not read back in it.
    void encoding() {
        const struct {
            QString path;
            TextEncoding encoding, written;
        } cases[] = {
            {"/a.bas", TextEncoding::Utf8, TextEncoding::Utf8},
            {QStringLiteral(u"/r\u00e9.bas"), TextEncoding::Windows1252, TextEncoding::Windows1252},
            {QStringLiteral(u"/\u0436.bas"), TextEncoding::Windows1252, TextEncoding::Utf8},
            // "Ã©" in the code page is C3 A9, which would read back as UTF-8 "é".
            {QStringLiteral(u"/\u00c3\u00a9"), TextEncoding::Windows1252, TextEncoding::Utf8},
        };
        for (const auto& c : cases) {
            const ProjectFile project{1.0, 2.0, {c.path}, {c.path}};
            TextEncoding encoding = c.encoding;
            const ProjectFileWriting writing = writeProjectFile(project, encoding);
            QCOMPARE(encoding, c.written);
            const ProjectFileReading reading = readProjectFile(writing.bytes);
            QVERIFY2(reading.ok(), qPrintable(reading.error));
            QCOMPARE(reading.project, project);
            QCOMPARE(reading.encoding, c.written);
        }
    }
};

QTEST_APPLESS_MAIN(ProjectFileTest)
#include "ProjectFileTest.moc"
