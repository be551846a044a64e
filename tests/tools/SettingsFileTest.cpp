// The settings file: reading lines whole, line ends, encodings, damaged input, and writing
// fifteen CR LF lines. Whole files through start-up and shut-down are in ToolsTest.

#include "shell/SettingsFile.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QStringList fifteen(const QStringList& first = {}) {
    QStringList values = first;
    while (values.size() < SettingsValueCount)
        values << QString();
    return values;
}

const QByteArray EmptyLines = QByteArray("\r\n").repeated(12);

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsLinesWhole_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("last line without line end")
            << QByteArray("one\r\ntwo") << QStringList{"one", "two"};
        QTest::newRow("empty lines count")
            << QByteArray("\r\n\r\nx\r\n") << QStringList{"", "", "x"};
        QTest::newRow("comma, quotes, blanks")
            << QByteArray("a, b\r\n  lead\r\n\"quoted\" rest\r\ntrail  \r\n\"open\r\n,\r\n\t\r\n")
            << QStringList{"a, b", "  lead", "\"quoted\" rest", "trail  ", "\"open", ",", "\t"};
        QTest::newRow("LF only") << QByteArray("a\nb\n\nc\n") << QStringList{"a", "b", "", "c"};
        QTest::newRow("LF CR is two line ends")
            << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
        QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("NUL kept") << QByteArray("a\0b\r\n", 5)
                                  << QStringList{QString::fromUtf16(u"a\0b", 3)};
        QTest::newRow("byte order mark dropped")
            << QByteArray("\xEF\xBB\xBFname\r\n") << QStringList{"name"};
    }
    void readsLinesWhole() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, values);
        QCOMPARE(readSettings(bytes).values, values);
    }

    // A file is written back in the encoding it was read in.
    void encodings_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("first");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::newRow("ascii") << QByteArray("plain\r\n") << "plain" << TextEncoding::Utf8;
        QTest::newRow("utf-8") << QByteArray("Caf\xC3\xA9 \xE2\x82\xAC\r\n")
                               << QString::fromUtf8("Café €") << TextEncoding::Utf8;
        QTest::newRow("windows-1252") << QByteArray("Caf\xE9 \x80\r\n")
                                      << QString::fromUtf8("Café €") << TextEncoding::Windows1252;
        // Invalid UTF-8 after the fifteenth line does not turn the values into Windows-1252.
        QTest::newRow("junk after line 15")
            << QByteArray("Caf\xC3\xA9\r\n") + EmptyLines + "\r\n\r\njunk \xFF\xFE\r\n"
            << QString::fromUtf8("Café") << TextEncoding::Utf8;
    }
    void encodings() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, first);
        QFETCH(TextEncoding, encoding);
        const SettingsContents contents = readSettings(bytes);
        QCOMPARE(contents.values.value(0), first);
        QCOMPARE(contents.encoding, encoding);
        TextEncoding written = contents.encoding;
        const QByteArray firstLine = bytes.left(bytes.indexOf('\n') + 1);
        QVERIFY(writeSettings(fifteen(contents.values), written).startsWith(firstLine));
        QCOMPARE(written, encoding);
    }

    // Values that must come back as they were after a save and a load.
    void roundTrip_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::newRow("first value begins with U+FEFF")
            << QString::fromUtf16(u"\uFEFFtool") << TextEncoding::Utf8;
        QTest::newRow("1252 bytes that form UTF-8")
            << QString::fromUtf16(u"Ma\u00df\u00b2") << TextEncoding::Windows1252;
    }
    void roundTrip() {
        QFETCH(QString, first);
        QFETCH(TextEncoding, encoding);
        QCOMPARE(readSettings(writeSettings(fifteen({first}), encoding)).values, fifteen({first}));
    }

    // A line break inside a value would shift every later value into the wrong line.
    void lineBreaksInValuesAreWrittenAsBlanks() {
        TextEncoding encoding = TextEncoding::Utf8;
        QCOMPARE(writeSettings({"a\r\nb", "c\nd\re", "f"}, encoding),
                 QByteArray("a b\r\nc d e\r\nf\r\n") + EmptyLines);
    }

    // Whatever bytes the file holds: at most fifteen values, none holding a line break, and what
    // was read is written back and read again unchanged.
    void damagedInput() {
        QRandomGenerator random(20240611);
        for (int round = 0; round < 200; ++round) {
            QByteArray bytes(random.bounded(4096), Qt::Uninitialized);
            for (char& byte : bytes)
                byte = static_cast<char>(random.bounded(256));
            const SettingsContents contents = readSettings(bytes);
            QVERIFY(contents.values.size() <= SettingsValueCount);
            for (const QString& value : contents.values)
                QVERIFY(!value.contains(u'\r') && !value.contains(u'\n'));
            TextEncoding encoding = contents.encoding;
            QCOMPARE(readSettings(writeSettings(contents.values, encoding)).values,
                     fifteen(contents.values));
        }
    }
};

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "SettingsFileTest.moc"
