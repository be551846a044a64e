// The command line of a user tool and its split into program and arguments.

#include "tools/ToolCommandLine.h"

#include <QTest>

class ToolCommandLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The line is location, one blank and parameters, each as it stands.
    void commandLine_data() {
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("parameters");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("command"); // the program, then the arguments, split by "|"

        const struct {
            const char* name;
            const char* location;
            const char* parameters;
            const char* line;
            const char* command;
        } cases[] = {
            {"no parameters", "/usr/bin/view", "", "/usr/bin/view ", "/usr/bin/view"},
            {"plain arguments", "/usr/bin/view", "-a  b\tc", "/usr/bin/view -a  b\tc",
             "/usr/bin/view|-a|b|c"},
            {"blanks kept", " x ", " \"y\" ", " x   \"y\" ", "x|y"},
            {"quoted program with blanks", "\"/opt/my tools/view\"", "x",
             "\"/opt/my tools/view\" x", "/opt/my tools/view|x"},
            {"unquoted program with blanks", "/opt/my tools/view", "x", "/opt/my tools/view x",
             "/opt/my|tools/view|x"},
            {"location with arguments", "editor -n", "file", "editor -n file", "editor|-n|file"},
            // A quote left open in the location closes where the location ends.
            {"unclosed quote in program", "\"/opt/My Tool/run", "-x file.bas",
             "\"/opt/My Tool/run -x file.bas", "/opt/My Tool/run|-x|file.bas"},
            {"unclosed quote in argument", "ed \"-t a\\", "\"b c\"", "ed \"-t a\\ \"b c\"",
             "ed|-t a\\|b c"},
            // No program from the location: the first parameter must not be started instead.
            {"empty location", "", "rm file", " rm file", ""},
            {"blank location", " \t ", "rm file", " \t  rm file", ""},
            {"empty quoted location", "\"\"", "rm file", "\"\" rm file", ""},
        };
        for (const auto& c : cases) {
            QTest::newRow(c.name) << QString(c.location) << QString(c.parameters) << QString(c.line)
                                  << c.command;
        }
    }
    void commandLine() {
        QFETCH(QString, location);
        QFETCH(QString, parameters);
        QFETCH(QString, line);
        QFETCH(QString, command);
        QCOMPARE(toolCommandLine(location, parameters), line);
        const ToolCommand started = toolCommand(location, parameters);
        QCOMPARE((QStringList{started.program} + started.arguments).join(u'|'), command);
    }
};

QTEST_GUILESS_MAIN(ToolCommandLineTest)
#include "ToolCommandLineTest.moc"
