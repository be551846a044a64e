// The project file format: what the writer produces, what the reader accepts and refuses, and
// that the two agree.

#include "projects/ProjectFile.h"

#include <QTest>

#include <cmath>

namespace {

// An option as "n:<number>" or "t:<text>", so that tables can say which form they expect.
QString described(const ProjectOption& option) {
    if (const double* number = std::get_if<double>(&option))
        return QStringLiteral("n:") + QString::number(*number, 'g', 17);
    return QStringLiteral("t:") + std::get<QString>(option);
}

const QByteArray Header = "Veldra Studio Project File\r\n";
const QByteArray DefaultOptions = " 100 \r\n 64000 \r\n";

QByteArray lines(std::initializer_list<const char*> items) {
    QByteArray bytes;
    for (const char* item : items)
        bytes += QByteArray(item) + "\r\n";
    return bytes;
}

QByteArray manyMembers(const char* section, int count) {
    QByteArray bytes = Header + DefaultOptions + "[Basic Files]\r\n";
    if (QByteArray(section) == "asm")
        bytes += "[Assembly Files]\r\n";
    for (int i = 0; i < count; ++i)
        bytes += QStringLiteral("C:\\m%1.x\r\n").arg(i).toLatin1();
    return bytes;
}

} // namespace

class ProjectFileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writer_data();
    void writer();
    void optionLine_data();
    void optionLine();
    void writerRefusesWhatTheFormatCannotHold_data();
    void writerRefusesWhatTheFormatCannotHold();
    void reader_data();
    void reader();
    void readerRefuses_data();
    void readerRefuses();
    void roundTrip_data();
    void roundTrip();
};

void ProjectFileTest::writer_data() {
    QTest::addColumn<QStringList>("bas");
    QTest::addColumn<QStringList>("assembly");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("empty project: five lines")
        << QStringList() << QStringList()
        << Header + DefaultOptions + "[Basic Files]\r\n[Assembly Files]\r\n";
    QTest::newRow("worked example")
        << QStringList{R"(C:\work\game.bas)", R"(C:\work\sprites.bas)"}
        << QStringList{R"(C:\work\blit.asm)"}
        << Header + DefaultOptions +
               lines({"[Basic Files]", R"(C:\work\game.bas)", R"(C:\work\sprites.bas)",
                      "[Assembly Files]", R"(C:\work\blit.asm)"});
    QTest::newRow("assembly only")
        << QStringList() << QStringList{"/src/a.asm"}
        << Header + DefaultOptions + lines({"[Basic Files]", "[Assembly Files]", "/src/a.asm"});
    QTest::newRow("paths written character for character")
        << QStringList{" a, \"b\".bas "} << QStringList()
        << Header + DefaultOptions + lines({"[Basic Files]", " a, \"b\".bas ", "[Assembly Files]"});
}

void ProjectFileTest::writer() {
    QFETCH(QStringList, bas);
    QFETCH(QStringList, assembly);
    QFETCH(QByteArray, expected);
    ProjectFile project;
    project.BasPaths = bas;
    project.AsmPaths = assembly;
    TextEncoding encoding = TextEncoding::Windows1252;
    const ProjectFileWriting writing = writeProjectFile(project, encoding);
    QVERIFY2(writing.ok(), qPrintable(writing.error));
    QCOMPARE(writing.bytes, expected);
}

void ProjectFileTest::optionLine_data() {
    QTest::addColumn<ProjectOption>("option");
    QTest::addColumn<QString>("line");
    QTest::newRow("default max objects") << ProjectOption(100.0) << " 100 ";
    QTest::newRow("default temp string size") << ProjectOption(64000.0) << " 64000 ";
    QTest::newRow("zero") << ProjectOption(0.0) << " 0 ";
    QTest::newRow("negative") << ProjectOption(-5.0) << " -5 ";
    QTest::newRow("fraction") << ProjectOption(1.5) << " 1.5 ";
    QTest::newRow("million in digits") << ProjectOption(1e6) << " 1000000 ";
    QTest::newRow("huge") << ProjectOption(1e20) << " 1e+20 ";
    QTest::newRow("typed number as typed") << ProjectOption(QStringLiteral("100")) << "100";
    QTest::newRow("typed text") << ProjectOption(QStringLiteral("lots")) << "lots";
    QTest::newRow("typed blanks kept") << ProjectOption(QStringLiteral(" 7 ")) << " 7 ";
    QTest::newRow("typed empty") << ProjectOption(QString()) << "";
    QTest::newRow("typed comma quoted") << ProjectOption(QStringLiteral("1,5")) << "\"1,5\"";
}

void ProjectFileTest::optionLine() {
    QFETCH(ProjectOption, option);
    QFETCH(QString, line);
    QCOMPARE(projectOptionLine(option), line);
}

void ProjectFileTest::writerRefusesWhatTheFormatCannotHold_data() {
    QTest::addColumn<ProjectOption>("maxObjects");
    QTest::addColumn<QString>("basPath");
    QTest::addColumn<QString>("reason");
    QTest::newRow("option with line break") << ProjectOption(QStringLiteral("1\n2")) << "a.bas"
                                            << "Max Objects holds a line break";
    QTest::newRow("option with comma and quote")
        << ProjectOption(QStringLiteral("a\"b,c")) << "a.bas"
        << "Max Objects holds both a comma and a double quote";
    QTest::newRow("path with line break") << ProjectOption(1.0) << "/x/a\r\nb.bas"
                                          << "holds a line break";
}

void ProjectFileTest::writerRefusesWhatTheFormatCannotHold() {
    QFETCH(ProjectOption, maxObjects);
    QFETCH(QString, basPath);
    QFETCH(QString, reason);
    ProjectFile project;
    project.MaxObjects = maxObjects;
    project.BasPaths = {basPath};
    TextEncoding encoding = TextEncoding::Utf8;
    const ProjectFileWriting writing = writeProjectFile(project, encoding);
    QVERIFY(!writing.ok());
    QVERIFY2(writing.error.contains(reason), qPrintable(writing.error));
    QVERIFY(writing.bytes.isEmpty());
}

void ProjectFileTest::reader_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("maxObjects");
    QTest::addColumn<QString>("tempStringSize");
    QTest::addColumn<QStringList>("bas");
    QTest::addColumn<QStringList>("assembly");

    const QByteArray worked =
        Header + DefaultOptions +
        lines({"[Basic Files]", R"(C:\work\game.bas)", R"(C:\work\sprites.bas)", "[Assembly Files]",
               R"(C:\work\blit.asm)"});
    const QStringList workedBas{R"(C:\work\game.bas)", R"(C:\work\sprites.bas)"};
    const QStringList workedAsm{R"(C:\work\blit.asm)"};
    QTest::newRow("empty project")
        << Header + DefaultOptions + "[Basic Files]\r\n[Assembly Files]\r\n"
        << "n:100"
        << "n:64000" << QStringList() << QStringList();
    QTest::newRow("worked example") << worked << "n:100"
                                    << "n:64000" << workedBas << workedAsm;
    QTest::newRow("typed options") << Header + lines({"500", "big", "[Basic Files]"}) << "n:500"
                                   << "t:big" << QStringList() << QStringList();
    QTest::newRow("options on one line")
        << Header + lines({" 7 , 8", "[Basic Files]", "a.bas"}) << "n:7"
        << "n:8" << QStringList{"a.bas"} << QStringList();
    QTest::newRow("quoted option")
        << Header + lines({"\"1,5\"", "\" x \"", "[Basic Files]"}) << "t:1,5"
        << "t: x " << QStringList() << QStringList();
    QTest::newRow("empty options") << Header + lines({"", "", "[Basic Files]"}) << "t:"
                                   << "t:" << QStringList() << QStringList();
    QTest::newRow("out of range number stays text")
        << Header + lines({"1e999", "2", "[Basic Files]"}) << "t:1e999"
        << "n:2" << QStringList() << QStringList();
    QTest::newRow("blank lines skipped")
        << Header + DefaultOptions +
               lines({"[Basic Files]", "", "a.bas", "", "", "b.bas", "[Assembly Files]", "",
                      "c.asm", ""})
        << "n:100"
        << "n:64000" << QStringList{"a.bas", "b.bas"} << QStringList{"c.asm"};
    QTest::newRow("no assembly section")
        << Header + DefaultOptions + lines({"[Basic Files]", "a.bas"}) << "n:100"
        << "n:64000" << QStringList{"a.bas"} << QStringList();
    QTest::newRow("libraries and what follows ignored")
        << Header + DefaultOptions +
               lines({"[Basic Files]", "a.bas", "[Assembly Files]", "c.asm", "[Libraries]", "d.asm",
                      "[Assembly Files]", "e.bas"})
        << "n:100"
        << "n:64000" << QStringList{"a.bas"} << QStringList{"c.asm"};
    QTest::newRow("libraries inside the basic list is a path")
        << Header + DefaultOptions + lines({"[Basic Files]", "[Libraries]", "[Assembly Files]"})
        << "n:100"
        << "n:64000" << QStringList{"[Libraries]"} << QStringList();
    QTest::newRow("no final line end") << Header + DefaultOptions + "[Basic Files]\r\na.bas"
                                       << "n:100"
                                       << "n:64000" << QStringList{"a.bas"} << QStringList();
    QTest::newRow("lf line ends") << QByteArray(
                                         "Veldra Studio Project File\n1\n2\n[Basic Files]\nx\n")
                                  << "n:1"
                                  << "n:2" << QStringList{"x"} << QStringList();
    QTest::newRow("blank-only line is a path")
        << Header + DefaultOptions + lines({"[Basic Files]", " "}) << "n:100"
        << "n:64000" << QStringList{" "} << QStringList();
    QTest::newRow("windows-1252 path")
        << Header + DefaultOptions + lines({"[Basic Files]", "C:\\r\xe9sum\xe9.bas"}) << "n:100"
        << "n:64000" << QStringList{QStringLiteral(u"C:\\résumé.bas")} << QStringList();
    QTest::newRow("utf-8 path") << Header + DefaultOptions +
                                       lines({"[Basic Files]", "/d/\xd0\xb6.bas"})
                                << "n:100"
                                << "n:64000" << QStringList{QStringLiteral(u"/d/ж.bas")}
                                << QStringList();
    QTest::newRow("26 members of one kind") << manyMembers("bas", 26) << "n:100"
                                            << "n:64000" <<
        [] {
            QStringList paths;
            for (int i = 0; i < 26; ++i)
                paths << QStringLiteral("C:\\m%1.x").arg(i);
            return paths;
        }() << QStringList();
    const QByteArray longPath(10 * 1024 * 1024, 'p');
    QTest::newRow("10 MB line") << Header + DefaultOptions + "[Basic Files]\r\n" + longPath
                                << "n:100"
                                << "n:64000" << QStringList{QString::fromLatin1(longPath)}
                                << QStringList();
}

void ProjectFileTest::reader() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, maxObjects);
    QFETCH(QString, tempStringSize);
    QFETCH(QStringList, bas);
    QFETCH(QStringList, assembly);
    const ProjectFileReading reading = readProjectFile(bytes);
    QVERIFY2(reading.ok(), qPrintable(reading.error));
    QCOMPARE(described(reading.project.MaxObjects), maxObjects);
    QCOMPARE(described(reading.project.TempStringSize), tempStringSize);
    QCOMPARE(reading.project.BasPaths, bas);
    QCOMPARE(reading.project.AsmPaths, assembly);
}

void ProjectFileTest::readerRefuses_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("notProjectFile");
    QTest::addColumn<QString>("reason");
    const QByteArray valid = Header + DefaultOptions + "[Basic Files]\r\n";
    QTest::newRow("empty file") << QByteArray() << true << "empty";
    QTest::newRow("header only") << Header << true << "ends before";
    QTest::newRow("one option") << Header + " 100 \r\n" << true << "ends before";
    QTest::newRow("no section line") << Header + DefaultOptions << true << "ends before";
    QTest::newRow("trailing blank on line 1")
        << "Veldra Studio Project File \r\n" + DefaultOptions + "[Basic Files]\r\n"
        << true << "first line";
    QTest::newRow("lower-case section") << Header + DefaultOptions + "[basic files]\r\n"
                                        << true << "after the options";
    QTest::newRow("third option line")
        << Header + lines({"1", "2", "3", "[Basic Files]"}) << true << "after the options";
    QTest::newRow("utf-8 byte order mark") << "\xef\xbb\xbf" + valid << true << "first line";
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919 + 13) % 256));
    QTest::newRow("binary garbage") << garbage << true << "first line";
    QTest::newRow("10 MB first line") << QByteArray(10 * 1024 * 1024, 'V') << true << "first line";
    QTest::newRow("27 basic members") << manyMembers("bas", 27) << false << "more than 26 BASIC";
    QTest::newRow("27 assembly members")
        << manyMembers("asm", 27) << false << "more than 26 assembly";
}

void ProjectFileTest::readerRefuses() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, notProjectFile);
    QFETCH(QString, reason);
    const ProjectFileReading reading = readProjectFile(bytes);
    QVERIFY(!reading.ok());
    QCOMPARE(reading.notProjectFile, notProjectFile);
    QVERIFY2(reading.error.contains(reason), qPrintable(reading.error));
}

// Whatever the writer produces reads back as the same project, in the same encoding.
void ProjectFileTest::roundTrip_data() {
    QTest::addColumn<ProjectOption>("maxObjects");
    QTest::addColumn<ProjectOption>("tempStringSize");
    QTest::addColumn<QStringList>("bas");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<TextEncoding>("written");
    QTest::newRow("numbers") << ProjectOption(0.1) << ProjectOption(-1e300) << QStringList{"a.bas"}
                             << TextEncoding::Utf8 << TextEncoding::Utf8;
    QTest::newRow("typed text with comma")
        << ProjectOption(QStringLiteral("a,b")) << ProjectOption(QStringLiteral("x y"))
        << QStringList() << TextEncoding::Utf8 << TextEncoding::Utf8;
    QTest::newRow("code page kept")
        << ProjectOption(1.0) << ProjectOption(2.0) << QStringList{QStringLiteral(u"/r\u00e9.bas")}
        << TextEncoding::Windows1252 << TextEncoding::Windows1252;
    QTest::newRow("character outside the code page")
        << ProjectOption(1.0) << ProjectOption(2.0) << QStringList{QStringLiteral(u"/\u0436.bas")}
        << TextEncoding::Windows1252 << TextEncoding::Utf8;
    // "Ã©" in the code page is C3 A9, which would read back as UTF-8 "é".
    QTest::newRow("code-page bytes that look like utf-8")
        << ProjectOption(1.0) << ProjectOption(2.0) << QStringList{QStringLiteral(u"/\u00c3\u00a9")}
        << TextEncoding::Windows1252 << TextEncoding::Utf8;
}

void ProjectFileTest::roundTrip() {
    QFETCH(ProjectOption, maxObjects);
    QFETCH(ProjectOption, tempStringSize);
    QFETCH(QStringList, bas);
    QFETCH(TextEncoding, encoding);
    QFETCH(TextEncoding, written);
    ProjectFile project;
    project.MaxObjects = maxObjects;
    project.TempStringSize = tempStringSize;
    project.BasPaths = bas;
    project.AsmPaths = bas;
    const ProjectFileWriting writing = writeProjectFile(project, encoding);
    QVERIFY(writing.ok());
    QCOMPARE(encoding, written);
    const ProjectFileReading reading = readProjectFile(writing.bytes);
    QVERIFY2(reading.ok(), qPrintable(reading.error));
    QCOMPARE(reading.project, project);
    QCOMPARE(reading.encoding, written);
}

QTEST_APPLESS_MAIN(ProjectFileTest)
#include "ProjectFileTest.moc"
