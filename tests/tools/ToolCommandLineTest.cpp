// The command line of a user tool and its split into program and arguments.

#include "tools/ToolCommandLine.h"

#include <QTest>

class ToolCommandLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The line is location, one blank and parameters, each as it stands; the command is the
    // program, then the arguments, divided by "|".
    void commandLine() {
        const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
            {"/usr/bin/view", "", "/usr/bin/view ", "/usr/bin/view"},
            {"/usr/bin/view", "-a  b\tc", "/usr/bin/view -a  b\tc", "/usr/bin/view|-a|b|c"},
            {" x ", " \"y\" ", " x   \"y\" ", "x|y"},
            {"\"/opt/my tools/view\"", "x", "\"/opt/my tools/view\" x", "/opt/my tools/view|x"},
            {"/opt/my tools/view", "x", "/opt/my tools/view x", "/opt/my|tools/view|x"},
            {"editor -n", "file", "editor -n file", "editor|-n|file"},
            // A quote left open in the location closes where the location ends.
            {"\"/opt/My Tool/run", "-x file.bas", "\"/opt/My Tool/run -x file.bas",
             "/opt/My Tool/run|-x|file.bas"},
            {"ed \"-t a\\", "\"b c\"", "ed \"-t a\\ \"b c\"", "ed|-t a\\|b c"},
            // No program from the location: the first parameter must not be started instead.
            {"", "rm file", " rm file", ""},
            {" \t ", "rm file", " \t  rm file", ""},
            {"\"\"", "rm file", "\"\" rm file", ""},
        };
        for (const auto& [location, parameters, line, command] : cases) {
            QCOMPARE(toolCommandLine(location, parameters), QString(line));
            const ToolCommand started = toolCommand(location, parameters);
            QCOMPARE((QStringList{started.program} + started.arguments).join(u'|'),
                     QString(command));
        }
    }
};

QTEST_GUILESS_MAIN(ToolCommandLineTest)
#include "ToolCommandLineTest.moc"
