// The procedure scan: which lines are headers, the names and the caret offsets, the file entry,
// and the lookup of an entry by its text.

#include "LiteralDefinitions.h"

#include "navigation/ProcedureScan.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// The procedure entries (1 to ProcedureCount) as "name@offset".
QStringList procedures(const ProcedureTable& table) {
    QStringList result;
    for (qsizetype i = 1; i <= table.ProcedureCount; ++i)
        result << QStringLiteral("%1@%2")
                      .arg(table.ProcedureNames[i])
                      .arg(table.ProcedurePositions[i]);
    return result;
}

} // namespace

class ProcedureScanTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void headers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, const QString& text, const QStringList& expected) {
            QTest::newRow(name) << text << expected;
        };
        row("no procedures", "PRINT 1\r\nEND\r\n", {});
        row("empty text", "", {});
        row("SUB Main", "' x\r\nSUB Main\r\nEND SUB\r\n", {"Main@8"});
        row("FUNCTION Area(w, h)", "\r\nFUNCTION Area(w, h)\r\n", {"Area@10"});
        row("sub   draw (x)", "\r\nsub   draw (x)", {"draw@5"});
        row("SUB g (y): name ends at a blank", "\r\nSUB g (y)", {"g@5"});
        row("FUNCTION f(x): name ends at (", "\r\nFUNCTION f(x)", {"f@10"});
        row("SUB alone before the line break", "\r\nSUB\r\nx", {"@5"});
        row("SUB then tab", "\r\nSUB\tx", {"@5"});
        row("blanks then line break", "\r\nSUB   \r\n", {"@5"});
        row("header on the first line", "SUB Main\r\n", {"Main@3"});
        row("consecutive headers", "SUB a\r\nSUB b\r\nFUNCTION c\r\n", {"a@3", "b@10", "c@22"});
        row("empty name, then a header", "\r\nSUB\r\nSUB b", {"@5", "b@10"});
        row("indented by blanks", "\r\n  SUB a", {});
        row("indented by a tab", "\r\n\tFUNCTION a", {});
        row("END SUB, DECLARE SUB, comments",
            "\r\nEND SUB\r\nDECLARE SUB a\r\n' SUB b\r\nREM SUB c", {});
        row("letters run on after SUB", "\r\nSUBROUTINE x\r\nSubtotal = 1",
            {"ROUTINE@5", "total@19"});
        row("letters run on after FUNCTION", "\r\nFUNCTIONAL", {"AL@10"});
        row("FUNC is no keyword", "\r\nFUNC x\r\nSU", {});
        row("a lone LF is no line break", "x\nSUB a", {});
        row("a lone CR is no line break", "x\rSUB a", {});
        row("CR CR LF", "x\r\r\nSUB a", {"a@7"});
        row("name ends at the first stop only", "\r\nSUB a.b$c", {"a.b$c@5"});
        row("offsets in UTF-16 units", QString::fromUtf16(u"\u00e9\U0001F600\r\nSUB x"), {"x@8"});
        row("non-ASCII name", QString::fromUtf16(u"\r\nSUB Gr\u00fc\u00dfe()"),
            {QString::fromUtf16(u"Gr\u00fc\u00dfe@5")});
        row("NUL in a name", QString::fromUtf16(u"\r\nSUB a\0b", 9),
            {QString::fromUtf16(u"a\0b@5", 5)});
        // The browser lists every header: there is no limit at 100.
        QString many;
        QStringList all;
        for (int i = 1; i <= 150; ++i) {
            all << QStringLiteral("P%1@%2").arg(i).arg(many.size() + 3);
            many += QStringLiteral("SUB P%1\r\nEND SUB\r\n").arg(i);
        }
        row("150 headers", many, all);
    }

    void headers() {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        const QString caption = QStringLiteral("/home/u/src/prog.bas");
        const ProcedureTable table = ScanProcedures(text, caption);
        QCOMPARE(procedures(table), expected);
        // Entry 0 is the file, in upper case, at offset 1; the caption itself stays as it was.
        QCOMPARE(table.ProcedureNames.value(0), QStringLiteral("PROG.BAS"));
        QCOMPARE(table.ProcedurePositions.value(0), qsizetype(1));
        QCOMPARE(caption, QStringLiteral("/home/u/src/prog.bas"));
        QCOMPARE(table.ProcedureNames.size(), table.ProcedureCount + 1);
        QCOMPARE(table.ProcedurePositions.size(), table.ProcedureCount + 1);
    }

    void agreesWithTheLiteralDefinition() {
        const QStringList pieces = {"SUB",  "sub",  "FUNCTION", "Function",
                                    "FUNC", " ",    "  ",       "\t",
                                    "(",    "\r\n", "\r",       "\n",
                                    "x",    "Ab",   "END SUB",  QString::fromUtf16(u"\u017fub")};
        QRandomGenerator random(77);
        for (int round = 0; round < 3000; ++round) {
            QString text;
            const int count = random.bounded(0, 30);
            for (int i = 0; i < count; ++i)
                text += pieces[random.bounded(pieces.size())];
            const ProcedureTable fast = ScanProcedures(text, QStringLiteral("t.bas"));
            const ProcedureTable slow = literal::ScanProcedures(text, QStringLiteral("t.bas"));
            if (procedures(fast) != procedures(slow))
                QFAIL(qPrintable(
                    QStringLiteral("text \"%1\"").arg(text.toUtf8().toPercentEncoding())));
        }
    }

    void findProcedurePosition_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qsizetype>("expected"); // -1 for no value
        // Entries: A.BAS@1, Main@11, Draw@30, Main@49
        QTest::newRow("first of two equal names") << "Main" << qsizetype(11);
        QTest::newRow("another entry") << "Draw" << qsizetype(30);
        QTest::newRow("the file entry") << "A.BAS" << qsizetype(1);
        QTest::newRow("case-sensitive") << "main" << qsizetype(-1);
        QTest::newRow("missing") << "Nothing" << qsizetype(-1);
    }

    void findProcedurePosition() {
        QFETCH(QString, name);
        QFETCH(qsizetype, expected);
        const QString text =
            QStringLiteral("' demo\r\nSUB Main\r\nEND SUB\r\nSUB Draw\r\nEND SUB\r\n"
                           "SUB Main\r\n");
        const ProcedureTable table = ScanProcedures(text, QStringLiteral("/x/a.bas"));
        QCOMPARE(procedures(table), QStringList({"Main@11", "Draw@30", "Main@49"}));
        QCOMPARE(FindProcedurePosition(table, name).value_or(-1), expected);
    }
};

QTEST_GUILESS_MAIN(ProcedureScanTest)
#include "ProcedureScanTest.moc"
