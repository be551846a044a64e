// The forward search (start one character before the caret, no wrap, CR LF as two characters,
// case folding by upper-casing both sides) and the procedure scan (which lines are headers, the
// names and the caret offsets, the file entry, the lookup of an entry by its text).

#include "LiteralDefinitions.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// The entries (0, the file, to ProcedureCount) as "name@offset", then the sizes of both lists.
QStringList procedures(const ProcedureTable& table) {
    QStringList result;
    for (qsizetype i = 0; i <= table.ProcedureCount; ++i)
        result << QStringLiteral("%1@%2")
                      .arg(table.ProcedureNames[i])
                      .arg(table.ProcedurePositions[i]);
    return result << QStringLiteral("%1|%2")
                         .arg(table.ProcedureNames.size())
                         .arg(table.ProcedurePositions.size());
}

} // namespace

class TextScansTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each row: the text, the selection start, the pattern, the case flag, and the selection start
    // of the match (-1 for "not found").
    void findText() {
        QStringList found;
        QStringList expected;
        const auto row = [&](const QString& name, const QString& text, int selStart,
                             const QString& pattern, int caseFlag, int at) {
            found << name + ": " +
                         QString::number(FindText(text, selStart, pattern, caseFlag).value_or(-1));
            expected << name + ": " + QString::number(at);
        };
        const QString prints = QStringLiteral("PRINT Print print");
        row("first character, caret at 0", prints, 0, "PRINT", 1, 0);
        row("last characters", "a = 1\r\nPRINT x", 0, "T x", 1, 11);
        row("last character alone", "abc", 3, "c", 1, 2);
        row("10th to 12th: start 9", "123456789abc", 0, "abc", 1, 9);
        row("begins just before the caret", "1234PRINT PRINT", 5, "PRINT", 1, 4);
        row("again on the selected occurrence", "1234PRINT PRINT", 4, "PRINT", 1, 4);
        row("caret past the occurrence", "1234PRINT PRINT", 6, "PRINT", 1, 10);
        row("no wrap to the top", "PRINT x", 3, "PRINT", 1, -1);
        row("longer than the rest", "abcdef", 4, "defg", 1, -1);
        row("empty text", "", 0, "a", 0, -1);
        row("ignore case: print finds PRINT", prints, 0, "print", 0, 0);
        row("ignore case: then Print", prints, 2, "print", 0, 6);
        row("ignore case: then print", prints, 8, "print", 0, 12);
        row("exact: print only", prints, 0, "print", 1, 12);
        row("exact: Print only", prints, 0, "Print", 1, 6);
        row("exact: any non-zero flag", prints, 0, "print", -1, 12);
        row("across CR LF", "x = 1\r\nPRINT x", 0, "1\r\nPR", 1, 4);
        row("accented letters fold", QString::fromUtf16(u"caf\u00e9 CAF\u00c9"), 1,
            QString::fromUtf16(u"CAF\u00e9"), 0, 0);
        row("sharp s stays one character", QString::fromUtf16(u"STRASSE stra\u00dfe"), 0,
            QString::fromUtf16(u"STRA\u00dfE"), 0, 8);
        row("NUL is a character", QString::fromUtf16(u"a\0b\0c", 5), 0,
            QString::fromUtf16(u"\0c", 2), 1, 3);
        row("after a character outside the BMP", QString::fromUtf16(u"\U0001F600x"), 0, "x", 0, 2);
        // Long texts where nearly every position starts a partial match.
        const QString as = QString(20000, u'a');
        row("aab after 20000 a", as + "b", 0, "aab", 1, 19998);
        row("aaB after 20000 A", as.toUpper() + "b", 0, "aaB", 0, 19998);
        row("ab repeated, then c", QString("ab").repeated(10000) + "c", 0, "abc", 1, 19998);
        row("5000 a and b in a's", as, 0, QString(5000, u'a') + "b", 0, -1);
        // Long texts are upper-cased and searched in pieces: an occurrence that straddles the end
        // of a piece, or begins right at it, must still be the one found.
        for (const int boundary : {4096, 8192, 16384, 32768, 65536, 131072}) {
            for (const int shift : {-5, -4, -3, -2, -1, 0, 1}) {
                for (const int selStart : {0, 1001}) {
                    const int at = boundary + shift + (selStart > 0 ? selStart - 1 : 0);
                    QString text(200000, u'a');
                    text.replace(at, 5, QStringLiteral("xYzZy"));
                    row("xYzZy at " + QString::number(at), text, selStart, "XYZZY", 0, at);
                }
            }
        }
        QCOMPARE(found, expected);
    }

    // Random texts over a small alphabet, so that partial matches, case pairs and line breaks are
    // frequent, against the definition written out one character at a time.
    void searchAgreesWithTheLiteralDefinition() {
        const QString alphabet = QString::fromUtf16(u"aAbB \r\n\u00e9\u00c9\u017fsS\u00df");
        QRandomGenerator random(20240611);
        const auto randomText = [&](int length) {
            QString text;
            for (int i = 0; i < length; ++i)
                text += alphabet[random.bounded(alphabet.size())];
            return text;
        };
        for (int round = 0; round < 4000; ++round) {
            const QString text = randomText(random.bounded(0, 120));
            // Mostly a piece of the text, sometimes lower-cased; otherwise random letters.
            QString pattern = randomText(random.bounded(1, 4));
            if (!text.isEmpty() && random.bounded(3) > 0) {
                pattern = text.mid(random.bounded(text.size()), random.bounded(1, 5));
                if (random.bounded(2) == 0)
                    pattern = pattern.toLower();
            }
            const int selStart = random.bounded(0, text.size() + 1);
            for (const int caseFlag : {0, 1}) {
                QVERIFY2(FindText(text, selStart, pattern, caseFlag) ==
                             literal::FindText(text, selStart, pattern, caseFlag),
                         ((text + '|' + pattern).toUtf8().toPercentEncoding() + '|' +
                          QByteArray::number(selStart * 2 + caseFlag))
                             .constData());
            }
        }
    }

    // Upper-casing keeps one unit for one unit and gives the table's answer for every unit. Runs of
    // ASCII take a path of their own: there, every character is tried at every position of a run.
    void upperUnitsKeepsLengthAndMatchesTheTable() {
        for (int shift = 0; shift < 128; ++shift) {
            QString ascii(128, Qt::Uninitialized);
            for (int i = 0; i < 128; ++i)
                ascii[i] = QChar(char16_t((i + shift) % 128));
            QCOMPARE(upperUnits(ascii), ascii.toUpper());
        }
        QString all(0x10000, Qt::Uninitialized);
        for (int unit = 0; unit < 0x10000; ++unit)
            all[unit] = QChar(char16_t(unit));
        const QString upper = upperUnits(all);
        QCOMPARE(upper.size(), all.size());
        for (int unit = 0; unit < 0x10000; ++unit) {
            const char32_t expected = QChar::toUpper(char32_t(unit));
            QCOMPARE(upper[unit].unicode(),
                     expected < 0x10000 ? char16_t(expected) : char16_t(unit));
            QCOMPARE(upperUnit(char16_t(unit)), upper[unit].unicode());
        }
    }

    // Each row: its name, the text, the procedure entries as "name@offset". Entry 0 is the file, in
    // upper case, at offset 1.
    void headers() {
        const auto row = [](const char* name, const QString& text, const QStringList& expected) {
            const ProcedureTable table =
                ScanProcedures(text, QStringLiteral("/home/u/src/prog.bas"));
            QCOMPARE(QStringList(name) + procedures(table),
                     (QStringList({name, "PROG.BAS@1"}) + expected)
                         << QStringLiteral("%1|%1").arg(expected.size() + 1));
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
        row("long s folds to S", QString::fromUtf16(u"\r\n\u017fub x"), {"x@5"});
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

    // Entries: A.BAS@1, Main@11, Draw@30, Main@49. Equal names lead to the first; names are
    // compared case-sensitively.
    void findProcedurePosition() {
        const ProcedureTable table =
            ScanProcedures(u"' demo\r\nSUB Main\r\nEND SUB\r\nSUB Draw\r\nEND SUB\r\nSUB Main\r\n",
                           QStringLiteral("/x/a.bas"));
        const std::pair<const char*, qsizetype> cases[] = {
            {"Main", 11}, {"Draw", 30}, {"A.BAS", 1}, {"main", -1}, {"Nothing", -1}};
        for (const auto& [name, expected] : cases)
            QCOMPARE(FindProcedurePosition(table, QString::fromLatin1(name)).value_or(-1),
                     expected);
    }
};

QTEST_GUILESS_MAIN(TextScansTest)
#include "TextScansTest.moc"
