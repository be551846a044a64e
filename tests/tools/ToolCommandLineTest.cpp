// The command line of a user tool and its split into program and arguments.

#include "tools/ToolCommandLine.h"

#include <QTest>

class ToolCommandLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commandLine_data();
    void commandLine();
    void programAndArguments_data();
    void programAndArguments();
};

void ToolCommandLineTest::commandLine_data() {
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<QString>("line");
    QTest::newRow("no parameters keeps the blank")
        << "C:\\tools\\view.exe" << "" << "C:\\tools\\view.exe ";
    QTest::newRow("no quotes added") << "C:\\My Tools\\v.exe" << "a b" << "C:\\My Tools\\v.exe a b";
    QTest::newRow("as they stand") << " x " << " \"y\" " << " x   \"y\" ";
}

void ToolCommandLineTest::commandLine() {
    QFETCH(QString, location);
    QFETCH(QString, parameters);
    QFETCH(QString, line);
    QCOMPARE(toolCommandLine(location, parameters), line);
}

void ToolCommandLineTest::programAndArguments_data() {
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no parameters") << "/usr/bin/view" << "" << "/usr/bin/view" << QStringList();
    QTest::newRow("plain arguments")
        << "/usr/bin/view" << "-a  b\tc" << "/usr/bin/view" << QStringList{"-a", "b", "c"};
    QTest::newRow("quoted program with blanks")
        << "\"/opt/my tools/view\"" << "x" << "/opt/my tools/view" << QStringList{"x"};
    QTest::newRow("unquoted program with blanks splits")
        << "/opt/my tools/view" << "x" << "/opt/my" << QStringList{"tools/view", "x"};
    QTest::newRow("location with its own arguments")
        << "editor -n" << "file" << "editor" << QStringList{"-n", "file"};
    // No program from the location: the first parameter must not be started instead.
    QTest::newRow("empty location") << "" << "rm file" << "" << QStringList();
    QTest::newRow("blank location") << " \t " << "rm file" << "" << QStringList();
    QTest::newRow("empty quoted location") << "\"\"" << "rm file" << "" << QStringList();
}

void ToolCommandLineTest::programAndArguments() {
    QFETCH(QString, location);
    QFETCH(QString, parameters);
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    const ToolCommand command = toolCommand(location, parameters);
    QCOMPARE(command.program, program);
    QCOMPARE(command.arguments, arguments);
}

QTEST_GUILESS_MAIN(ToolCommandLineTest)
#include "ToolCommandLineTest.moc"
