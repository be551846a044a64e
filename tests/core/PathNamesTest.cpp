#include "core/PathNames.h"

#include <QTest>

#include <initializer_list>

namespace {

struct PathCase {
    const char* path;
    char separator;
    const char* expected;
};

void addPathRows(std::initializer_list<PathCase> cases) {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("expected");
    for (const PathCase& c : cases) {
        QTest::addRow("%s [%c]", c.path, c.separator)
            << QString(c.path) << QChar(c.separator) << QString(c.expected);
    }
}

} // namespace

class PathNamesTest : public QObject {
    Q_OBJECT

private slots:
    void fileNameFromPath_data() {
        addPathRows({
            {R"(C:\src\main.bas)", '\\', "main.bas"},
            {"/home/u/main.bas", '/', "main.bas"},
            {"main.bas", '\\', "main.bas"},
            {"main.bas", '/', "main.bas"},
            {"/home/u/main.bas", '\\', "/home/u/main.bas"},
            {R"(C:\src\)", '\\', ""},
            {"/main.bas", '/', "main.bas"},
            {"Untitled (2)", '\\', "UNTITLED"},
            {"Untitled", '/', "UNTITLED"},
            {"Untitled.bas", '/', "UNTITLED"},
            {"Untitled/x.bas", '/', "UNTITLED"},
            {"Untitle", '/', "Untitle"},
            {"untitled (2)", '/', "untitled (2)"},
            {R"(C:\a\Untitled.bas)", '\\', "Untitled.bas"},
            {"", '/', ""},
        });
    }
    void fileNameFromPath() {
        QFETCH(QString, path);
        QFETCH(QChar, separator);
        QFETCH(QString, expected);
        QCOMPARE(FileNameFromPath(path, separator), expected);
    }

    // The expected value is both what is returned and what the variable holds afterwards.
    void displayName_data() {
        addPathRows({
            {R"(C:\src\main.bas)", '\\', "main.bas"},
            {"/home/u/main.bas", '/', "main.bas"},
            {"Untitled (2)", '\\', "Untitled (2)"},
            {"main.bas", '/', "main.bas"},
            {R"(C:\src\main.bas)", '/', R"(C:\src\main.bas)"},
            {"Untitled/x.bas", '/', "UNTITLED"},
        });
    }
    void displayName() {
        QFETCH(QString, path);
        QFETCH(QChar, separator);
        QFETCH(QString, expected);
        QCOMPARE(DisplayName(path, separator), expected);
        QCOMPARE(path, expected);
    }

    void folderOfPath_data() {
        addPathRows({
            {R"(C:\src\game.bas)", '\\', R"(C:\src)"},
            {R"(C:\game.vdp)", '\\', "C:"},
            {"/home/u/a.bas", '/', "/home/u"},
            {"/a.bas", '/', ""},
            {"a.bas", '/', ""},
            {R"(C:\src\game.bas)", '/', ""},
            {R"(C:\src\)", '\\', R"(C:\src)"},
        });
    }
    void folderOfPath() {
        QFETCH(QString, path);
        QFETCH(QChar, separator);
        QFETCH(QString, expected);
        QCOMPARE(FolderOfPath(path, separator), expected);
    }

    // Joining a folder and a name and splitting the result again gives both parts back.
    void joinPath_data() {
        addPathRows({
            {R"(C:\app)", '\\', R"(C:\app\vd~tmp.bas)"},
            {"/opt/app", '/', "/opt/app/vd~tmp.bas"},
        });
    }
    void joinPath() {
        QFETCH(QString, path);
        QFETCH(QChar, separator);
        QFETCH(QString, expected);
        const QString joined = JoinPath(path, QStringLiteral("vd~tmp.bas"), separator);
        QCOMPARE(joined, expected);
        QCOMPARE(FolderOfPath(joined, separator), path);
        QCOMPARE(FileNameFromPath(joined, separator), QStringLiteral("vd~tmp.bas"));
    }

    void isUntitled_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("expected");
        const std::initializer_list<std::pair<const char*, bool>> cases = {
            {"Untitled", false},
            {"Untitled (1)", true},
            {"Untitled1", true},
            {"untitled (3)", false},
            {"/home/Untitled.bas", false},
            {"Untit", false},
            {"", false},
        };
        for (const auto& [caption, expected] : cases)
            QTest::addRow("%s", caption) << QString(caption) << expected;
    }
    void isUntitled() {
        QFETCH(QString, caption);
        QFETCH(bool, expected);
        QCOMPARE(IsUntitled(caption), expected);
    }
};

QTEST_GUILESS_MAIN(PathNamesTest)
#include "PathNamesTest.moc"
