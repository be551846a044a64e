#include "core/PathNames.h"

#include <QTest>

class PathNamesTest : public QObject {
    Q_OBJECT

private slots:
    // Each path with the four answers about it: the file name, the display name (which is also
    // what the variable holds afterwards), the folder, and whether it is an untitled caption.
    void pathParts_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("untitled");

        const struct {
            const char* path;
            char separator;
            const char* fileName;
            const char* display;
            const char* folder;
            bool untitled;
        } cases[] = {
            {R"(C:\src\main.bas)", '\\', "main.bas", "main.bas", R"(C:\src)", false},
            {"/home/u/main.bas", '/', "main.bas", "main.bas", "/home/u", false},
            {"main.bas", '\\', "main.bas", "main.bas", "", false},
            {"/main.bas", '/', "main.bas", "main.bas", "", false},
            {R"(C:\game.vdp)", '\\', "game.vdp", "game.vdp", "C:", false},
            {R"(C:\src\)", '\\', "", "", R"(C:\src)", false},
            {"", '/', "", "", "", false},
            // Only the given separator divides a path.
            {"/home/u/main.bas", '\\', "/home/u/main.bas", "/home/u/main.bas", "", false},
            {R"(C:\src\main.bas)", '/', R"(C:\src\main.bas)", R"(C:\src\main.bas)", "", false},
            // Anything that begins with "Untitled" is named UNTITLED, but only a path that holds
            // a separator is renamed for display.
            {"Untitled (2)", '\\', "UNTITLED", "Untitled (2)", "", true},
            {"Untitled1", '/', "UNTITLED", "Untitled1", "", true},
            {"Untitled", '/', "UNTITLED", "Untitled", "", false},
            {"Untitled.bas", '/', "UNTITLED", "Untitled.bas", "", true},
            {"Untitled/x.bas", '/', "UNTITLED", "UNTITLED", "Untitled", true},
            {"Untitle", '/', "Untitle", "Untitle", "", false},
            {"untitled (2)", '/', "untitled (2)", "untitled (2)", "", false},
            {R"(C:\a\Untitled.bas)", '\\', "Untitled.bas", "Untitled.bas", R"(C:\a)", false},
        };
        for (const auto& c : cases) {
            QTest::addRow("%s [%c]", c.path, c.separator)
                << QString(c.path) << QChar(c.separator) << QString(c.fileName)
                << QString(c.display) << QString(c.folder) << c.untitled;
        }
    }

    void pathParts() {
        QFETCH(QString, path);
        QFETCH(QChar, separator);
        QFETCH(QString, fileName);
        QFETCH(QString, display);
        QFETCH(QString, folder);
        QFETCH(bool, untitled);
        QCOMPARE(FileNameFromPath(path, separator), fileName);
        QCOMPARE(FolderOfPath(path, separator), folder);
        QCOMPARE(IsUntitled(path), untitled);
        QCOMPARE(DisplayName(path, separator), display);
        QCOMPARE(path, display);
    }
};

QTEST_GUILESS_MAIN(PathNamesTest)
#include "PathNamesTest.moc"
