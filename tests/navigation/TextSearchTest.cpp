// The forward search: start one character before the caret, no wrap, CR LF as two characters,
// case folding by upper-casing both sides.

#include "LiteralDefinitions.h"

#include "navigation/TextSearch.h"

#include <QRandomGenerator>
#include <QTest>

class TextSearchTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("caseFlag");
        QTest::addColumn<int>("expected"); // selection start of the match, -1 for "not found"

        const auto row = [](const char* name, const QString& text, int selStart,
                            const QString& pattern, int caseFlag, int expected) {
            QTest::newRow(name) << text << selStart << pattern << caseFlag << expected;
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
                    QTest::addRow("xYzZy at %d%+d from %d", boundary, shift, selStart)
                        << text << selStart << QStringLiteral("XYZZY") << 0 << at;
                }
            }
        }
    }

    void findText() {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(QString, pattern);
        QFETCH(int, caseFlag);
        QFETCH(int, expected);
        const std::optional<qsizetype> found = FindText(text, selStart, pattern, caseFlag);
        QCOMPARE(found.value_or(-1), qsizetype(expected));
        QCOMPARE(literal::FindText(text, selStart, pattern, caseFlag).value_or(-1),
                 qsizetype(expected));
    }

    // Random texts over a small alphabet, so that partial matches, case pairs and line breaks are
    // frequent, against the definition written out one character at a time.
    void agreesWithTheLiteralDefinition() {
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
                const auto fast = FindText(text, selStart, pattern, caseFlag);
                const auto slow = literal::FindText(text, selStart, pattern, caseFlag);
                if (fast != slow) {
                    QFAIL(qPrintable(QStringLiteral("text \"%1\" caret %2 pattern \"%3\" case %4")
                                         .arg(text.toUtf8().toPercentEncoding())
                                         .arg(selStart)
                                         .arg(pattern.toUtf8().toPercentEncoding())
                                         .arg(caseFlag)));
                }
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
};

QTEST_GUILESS_MAIN(TextSearchTest)
#include "TextSearchTest.moc"
