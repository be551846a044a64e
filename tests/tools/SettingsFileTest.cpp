// The settings file: reading lines whole, line ends, encodings, damaged input, and writing
// fifteen CR LF lines. Whole files through start-up and shut-down are in ToolsTest.

#include "shell/SettingsFile.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QStringList fifteen(QStringList values) {
    values.resize(SettingsValueCount);
    return values;
}

const QByteArray EmptyLines = QByteArray("\r\n").repeated(12);

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsLinesWhole() {
        const std::pair<QByteArray, QStringList> cases[] = {
            {"", {}},
            {"one\r\ntwo", {"one", "two"}}, // the last line needs no line end
            {"\r\n\r\nx\r\n", {"", "", "x"}},
            {"a, b\r\n  lead\r\n\"quoted\" rest\r\ntrail  \r\n\"open\r\n,\r\n\t\r\n",
             {"a, b", "  lead", "\"quoted\" rest", "trail  ", "\"open", ",", "\t"}},
            {"a\nb\n\nc\n", {"a", "b", "", "c"}},
            {"a\n\rb", {"a", "", "b"}}, // LF CR is two line ends
            {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
            {QByteArray("a\0b\r\n", 5), {QString::fromUtf16(u"a\0b", 3)}},
            {"\xEF\xBB\xBFname\r\n", {"name"}}, // the byte order mark is dropped
        };
        for (const auto& [bytes, values] : cases)
            QCOMPARE(readSettings(bytes).values, values);
    }

    // A file is written back in the encoding it was read in.
    void encodings() {
        const std::tuple<QByteArray, QString, TextEncoding> cases[] = {
            {"plain\r\n", "plain", TextEncoding::Utf8},
            {"Caf\xC3\xA9 \xE2\x82\xAC\r\n", "Café €", TextEncoding::Utf8},
            {"Caf\xE9 \x80\r\n", "Café €", TextEncoding::Windows1252},
            // Invalid UTF-8 after the fifteenth line does not turn the values into Windows-1252.
            {"Caf\xC3\xA9\r\n" + EmptyLines + "\r\n\r\njunk \xFF\xFE\r\n", "Café",
             TextEncoding::Utf8},
        };
        for (const auto& [bytes, first, encoding] : cases) {
            const SettingsContents contents = readSettings(bytes);
            QCOMPARE(contents.values.value(0), first);
            QCOMPARE(contents.encoding, encoding);
            TextEncoding written = contents.encoding;
            const QByteArray firstLine = bytes.left(bytes.indexOf('\n') + 1);
            QVERIFY(writeSettings(fifteen(contents.values), written).startsWith(firstLine));
            QCOMPARE(written, encoding);
        }
    }

    // Values that must come back as they were after a save and a load: a first value that begins
    // with U+FEFF, and Windows-1252 bytes that would form UTF-8.
    void roundTrip() {
        for (auto [first, encoding] :
             {std::pair(QStringLiteral(u"\uFEFFtool"), TextEncoding::Utf8),
              std::pair(QString::fromUtf16(u"Ma\u00df\u00b2"), TextEncoding::Windows1252)})
            QCOMPARE(readSettings(writeSettings(fifteen({first}), encoding)).values,
                     fifteen({first}));
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
