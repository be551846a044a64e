// The project file format: what the reader accepts and refuses, what the writer produces, and
// that the two agree.

#include "projects/ProjectFile.h"

#include <QTest>

namespace {

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
    // already in that form comes back byte for byte (no written form given).
    void readAndWrite() {
        const QByteArray longLine = lines("D|[Basic Files]") + QByteArray(10 * 1024 * 1024, 'p');
        const std::pair<QByteArray, QByteArray> cases[] = {
            {lines("D|[Basic Files]|[Assembly Files]"), {}},
            // Paths kept as they are; "[Libraries]" in the BASIC list is a path.
            {lines(R"(D|[Basic Files]|C:\work\game.bas| a, "b".bas |[Libraries]|[Assembly Files]|)"
                   R"(C:\work\blit.asm)"),
             {}},
            {Defaults + "[Basic Files]\r\n" + Member.repeated(26) + "[Assembly Files]\r\n", {}},
            {lines("H|500|big|[Basic Files]"), lines("H| 500 |big|[Basic Files]|[Assembly Files]")},
            {lines("H| 7 , 8|[Basic Files]|a.bas"),
             lines("H| 7 | 8 |[Basic Files]|a.bas|[Assembly Files]")},
            {lines("H|1e999|2|[Basic Files]"), // out of range: stays text
             lines("H|1e999| 2 |[Basic Files]|[Assembly Files]")},
            {lines("D|[Basic Files]||a.bas|||b.bas|[Assembly Files]||c.asm|"),
             lines("D|[Basic Files]|a.bas|b.bas|[Assembly Files]|c.asm")},
            {lines("D|[Basic Files]|a.bas"), lines("D|[Basic Files]|a.bas|[Assembly Files]")},
            // What follows "[Libraries]" is ignored.
            {lines("D|[Basic Files]|a.bas|[Assembly Files]|c.asm|[Libraries]|d.asm|[Assembly "
                   "Files]|e.bas"),
             lines("D|[Basic Files]|a.bas|[Assembly Files]|c.asm")},
            {lines("D|[Basic Files]") + "a.bas", lines("D|[Basic Files]|a.bas|[Assembly Files]")},
            {"Veldra Studio Project File\n1\n2\n[Basic Files]\nx\n",
             lines("H| 1 | 2 |[Basic Files]|x|[Assembly Files]")},
            {longLine, longLine + "\r\n[Assembly Files]\r\n"},
        };
        for (const auto& [bytes, written] : cases) {
            const ProjectFileReading reading = readProjectFile(bytes);
            QVERIFY2(reading.ok(), qPrintable(reading.error));
            TextEncoding encoding = reading.encoding;
            const ProjectFileWriting writing = writeProjectFile(reading.project, encoding);
            QVERIFY2(writing.ok(), qPrintable(writing.error));
            QCOMPARE(writing.bytes, written.isEmpty() ? bytes : written);
        }
    }

    // A file that is no project file at all is told from one that holds too much (the reasons
    // that begin with "more").
    void readerRefuses() {
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage.append(char((i * 7919 + 13) % 256));
        const std::pair<QByteArray, const char*> cases[] = {
            {QByteArray(), "empty"},
            {Header, "ends before"},
            {lines("D"), "ends before"},
            {lines("Veldra Studio Project File | 100 | 64000 |[Basic Files]"), "first line"},
            {lines("D|[basic files]"), "after the options"},
            {lines("H|1|2|3|[Basic Files]"), "after the options"},
            {"\xef\xbb\xbf" + lines("D|[Basic Files]"), "first line"},
            {garbage, "first line"},
            {QByteArray(10 * 1024 * 1024, 'V'), "first line"},
            {Defaults + "[Basic Files]\r\n" + Member.repeated(27), "more than 26 BASIC"},
            {lines("D|[Basic Files]|[Assembly Files]") + Member.repeated(27),
             "more than 26 assembly"},
        };
        for (const auto& [bytes, reason] : cases) {
            const ProjectFileReading reading = readProjectFile(bytes);
            QVERIFY2(reading.error.contains(reason), qPrintable(reading.error));
            QCOMPARE(reading.notProjectFile, !QByteArray(reason).startsWith("more"));
        }
    }

    // An option's line: a number with one blank on either side, in plain digits while whole;
    // typed text as typed. Read back (shown as its line), whatever reads as a number is one.
    void optionLine() {
        const std::tuple<ProjectOption, const char*, const char*> cases[] = {
            {0.0, " 0 ", " 0 "},
            {-5.0, " -5 ", " -5 "},
            {0.1, " 0.1 ", " 0.1 "},
            {1e6, " 1000000 ", " 1000000 "},
            {-1e300, " -1e+300 ", " -1e+300 "},
            {QStringLiteral("100"), "100", " 100 "},
            {QStringLiteral(" 7 "), " 7 ", " 7 "},
            {QStringLiteral("x y"), "x y", "x y"},
            {QString(), "", ""},
            {QStringLiteral("1,5"), "\"1,5\"", "\"1,5\""},
        };
        for (const auto& [option, line, readBack] : cases) {
            TextEncoding encoding = TextEncoding::Utf8;
            const ProjectFileReading reading =
                readProjectFile(writeProjectFile({option, option, {}, {}}, encoding).bytes);
            QVERIFY2(reading.ok(), qPrintable(reading.error));
            QCOMPARE(projectOptionLine(option) + "|" +
                         projectOptionLine(reading.project.MaxObjects) + "|" +
                         projectOptionLine(reading.project.TempStringSize),
                     QString(line) + "|" + readBack + "|" + readBack);
        }
    }

    void writerRefusesWhatTheFormatCannotHold() {
        const std::tuple<ProjectOption, const char*, const char*> cases[] = {
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
        const std::tuple<QString, TextEncoding, TextEncoding> cases[] = {
            {"/a.bas", TextEncoding::Utf8, TextEncoding::Utf8},
            {QStringLiteral(u"/r\u00e9.bas"), TextEncoding::Windows1252, TextEncoding::Windows1252},
            {QStringLiteral(u"/\u0436.bas"), TextEncoding::Windows1252, TextEncoding::Utf8},
            // "Ã©" in the code page is C3 A9, which would read back as UTF-8 "é".
            {QStringLiteral(u"/\u00c3\u00a9"), TextEncoding::Windows1252, TextEncoding::Utf8},
        };
        for (const auto& [path, from, written] : cases) {
            const ProjectFile project{1.0, 2.0, {path}, {path}};
            TextEncoding encoding = from;
            const ProjectFileWriting writing = writeProjectFile(project, encoding);
            QCOMPARE(encoding, written);
            const ProjectFileReading reading = readProjectFile(writing.bytes);
            QVERIFY2(reading.ok(), qPrintable(reading.error));
            QCOMPARE(reading.project, project);
            QCOMPARE(reading.encoding, written);
        }
    }
};

QTEST_APPLESS_MAIN(ProjectFileTest)
#include "ProjectFileTest.moc"
