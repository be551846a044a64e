// The settings file: reading lines whole, short and long files, line ends, encodings, damaged
// input, and writing fifteen CR LF lines.

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

QByteArray crlfLines(const QList<QByteArray>& lines) {
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsLinesWhole_data();
    void readsLinesWhole();
    void encodings_data();
    void encodings();
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void writesFifteenCrLfLines_data();
    void writesFifteenCrLfLines();
    void damagedInputNeverYieldsMoreThanFifteenValues();
    void onlyTheFirstFifteenLinesAreDecoded();
};

void SettingsFileTest::readsLinesWhole_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("three lines") << crlfLines({"Viewer", "C:\\tools\\view.exe", "-a"})
                                 << QStringList{"Viewer", "C:\\tools\\view.exe", "-a"};
    QTest::newRow("last line without line end")
        << QByteArray("one\r\ntwo") << QStringList{"one", "two"};
    QTest::newRow("empty lines count") << QByteArray("\r\n\r\nx\r\n") << QStringList{"", "", "x"};
    QTest::newRow("comma, quotes, blanks")
        << crlfLines({"a, b", "  lead", "\"quoted\" rest", "trail  ", "\"open", ",", "\t"})
        << QStringList{"a, b", "  lead", "\"quoted\" rest", "trail  ", "\"open", ",", "\t"};
    QTest::newRow("LF only") << QByteArray("a\nb\n\nc\n") << QStringList{"a", "b", "", "c"};
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("LF CR is two line ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("extra lines ignored")
        << crlfLines({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14",
                      "15", "16", "17"})
        << QStringList{"1", "2",  "3",  "4",  "5",  "6",  "7", "8",
                       "9", "10", "11", "12", "13", "14", "15"};
    QTest::newRow("NUL kept") << QByteArray("a\0b\r\n", 5)
                              << QStringList{QString::fromUtf16(u"a\0b", 3)};
    QTest::newRow("byte order mark dropped")
        << QByteArray("\xEF\xBB\xBFname\r\n") << QStringList{"name"};
}

void SettingsFileTest::readsLinesWhole() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, values);
    QCOMPARE(readSettings(bytes).values, values);
}

void SettingsFileTest::encodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("first");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::newRow("ascii") << QByteArray("plain\r\n") << "plain" << TextEncoding::Utf8;
    QTest::newRow("utf-8") << QByteArray("Caf\xC3\xA9 \xE2\x82\xAC\r\n")
                           << QString::fromUtf8("Café €") << TextEncoding::Utf8;
    QTest::newRow("windows-1252") << QByteArray("Caf\xE9 \x80\r\n") << QString::fromUtf8("Café €")
                                  << TextEncoding::Windows1252;
}

void SettingsFileTest::encodings() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, first);
    QFETCH(TextEncoding, encoding);
    const SettingsContents contents = readSettings(bytes);
    QCOMPARE(contents.values.value(0), first);
    QCOMPARE(contents.encoding, encoding);
    // Written back in the encoding it was read in.
    TextEncoding written = contents.encoding;
    QVERIFY(writeSettings(fifteen(contents.values), written).startsWith(bytes));
    QCOMPARE(written, encoding);
}

void SettingsFileTest::valuesRoundTrip_data() {
    QTest::addColumn<QStringList>("values");
    QTest::newRow("awkward values")
        << fifteen({"a,b", " lead", "\"q\"", "trail ", "\"", ",,", "  ", "x \"y\", z",
                    QString::fromUtf8("Ünïcode €"), "\t", "last, of, all"});
    QStringList full;
    for (int i = 1; i <= SettingsValueCount; ++i)
        full << QStringLiteral("value %1, with \"quotes\"").arg(i);
    QTest::newRow("every line used") << full;
}

void SettingsFileTest::valuesRoundTrip() {
    QFETCH(QStringList, values);
    TextEncoding encoding = TextEncoding::Utf8;
    QCOMPARE(readSettings(writeSettings(values, encoding)).values, values);
}

void SettingsFileTest::writesFifteenCrLfLines_data() {
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("no values") << QStringList() << QByteArray("\r\n").repeated(15);
    QTest::newRow("three values") << QStringList{"T", "p", "-x"}
                                  << QByteArray("T\r\np\r\n-x\r\n") +
                                         QByteArray("\r\n").repeated(12);
    // A line break inside a value would shift every later value into the wrong field.
    QTest::newRow("line breaks in a value")
        << QStringList{"a\r\nb", "c\nd\re", "f"}
        << QByteArray("a b\r\nc d e\r\nf\r\n") + QByteArray("\r\n").repeated(12);
}

void SettingsFileTest::writesFifteenCrLfLines() {
    QFETCH(QStringList, values);
    QFETCH(QByteArray, bytes);
    TextEncoding encoding = TextEncoding::Utf8;
    const QByteArray written = writeSettings(values, encoding);
    QCOMPARE(written, bytes);
    QCOMPARE(readSettings(written).values.size(), SettingsValueCount);
}

void SettingsFileTest::damagedInputNeverYieldsMoreThanFifteenValues() {
    QRandomGenerator random(20240611);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes(random.bounded(4096), Qt::Uninitialized);
        for (char& byte : bytes)
            byte = static_cast<char>(random.bounded(256));
        const SettingsContents contents = readSettings(bytes);
        QVERIFY(contents.values.size() <= SettingsValueCount);
        for (const QString& value : contents.values)
            QVERIFY(!value.contains(u'\r') && !value.contains(u'\n'));
        // What was read is written back and read again unchanged.
        TextEncoding encoding = contents.encoding;
        QCOMPARE(readSettings(writeSettings(contents.values, encoding)).values,
                 fifteen(contents.values));
    }
}

void SettingsFileTest::onlyTheFirstFifteenLinesAreDecoded() {
    // Invalid UTF-8 after the fifteenth line does not turn the values into Windows-1252.
    const QByteArray bytes =
        QByteArray("Caf\xC3\xA9\r\n") + QByteArray("\r\n").repeated(14) + "junk \xFF\xFE\r\n";
    const SettingsContents contents = readSettings(bytes);
    QCOMPARE(contents.values.first(), QString::fromUtf8("Café"));
    QCOMPARE(contents.encoding, TextEncoding::Utf8);
}

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "SettingsFileTest.moc"
