#include "core/CommandLine.h"

#include <QTest>

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void split_data();
    void split();
};

// Defined outside the class: moc cannot read the raw strings of the table.
void CommandLineTest::split_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("expected");

    const struct {
        const char* line;
        QStringList expected;
    } cases[] = {
        {R"("C:\Program Files\x.exe" a "b c" d\"e "f\\" g)",
         {R"(C:\Program Files\x.exe)", "a", "b c", R"(d"e)", R"(f\)", "g"}},
        {"", {}},
        {" \t  ", {}},
        {"  make  -x\t ", {"make", "-x"}},
        {"a\tb \t c", {"a", "b", "c"}},
        // The program: quotes only group, backslashes stay as they are.
        {R"(C:\"Program Files"\x.exe -y)", {R"(C:\Program Files\x.exe)", "-y"}},
        {R"("C:\dir\" x)", {R"(C:\dir\)", "x"}},
        {R"(\\server\share\make x)", {R"(\\server\share\make)", "x"}},
        {R"("" a)", {"", "a"}},
        // The arguments.
        {R"(p "C:\dir\" x)", {"p", R"(C:\dir" x)"}},
        {R"(p a\\b\c d\)", {"p", R"(a\\b\c)", R"(d\)"}},
        {R"(p a\\"b c")", {"p", R"(a\b c)"}},
        {R"(p a\\\"b c)", {"p", R"(a\"b)", "c"}},
        {R"(p \\\\"b c")", {"p", R"(\\b c)"}},
        {R"(p \")", {"p", "\""}},
        {R"(p "")", {"p", ""}},
        {R"(p a "" b)", {"p", "a", "", "b"}},
        {R"(p "x""y z")", {"p", R"(x"y z)"}},
        {R"(p """")", {"p", "\""}},
        {R"(p x"y z"w v)", {"p", "xy zw", "v"}},
        {R"(p "b c  )", {"p", "b c  "}},
    };
    for (const auto& c : cases)
        QTest::addRow("[%s]", c.line) << QString(c.line) << c.expected;
}

void CommandLineTest::split() {
    QFETCH(QString, line);
    QFETCH(QStringList, expected);
    QCOMPARE(splitCommandLine(line), expected);
    // After a known program the first argument follows the rules of arguments too.
    if (line.startsWith(QLatin1String("p ")))
        QCOMPARE(splitArguments(line.mid(1)), expected.mid(1));
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
