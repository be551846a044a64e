#include "core/TextCodec.h"

#include <QBuffer>
#include <QTest>

#include <random>
#include <string_view>

Q_DECLARE_METATYPE(TextEncoding)
Q_DECLARE_METATYPE(LineEnding)

using namespace std::string_view_literals;

namespace {

constexpr TextEncoding kUtf8 = TextEncoding::Utf8;
constexpr TextEncoding kAnsi = TextEncoding::Windows1252;

// Decoding and encoding again in the encoding found gives back the same bytes.
bool survives(const QByteArray& bytes) {
    const DecodedText decoded = decodeText(bytes);
    TextEncoding encoding = decoded.encoding;
    return encodeText(decoded.text, encoding) == bytes && encoding == decoded.encoding;
}

// Read in pieces of `pieceBytes`, a file gives the editor the UTF-8 of what decoding it whole and
// normalising its line ends gives, in the same encoding.
bool streamsAsAWhole(const QByteArray& bytes, qsizetype pieceBytes, LineEnding* convention) {
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    QByteArray text;
    StreamedDocument streamed;
    QString error;
    if (!streamDocument(
            file, [&text](qsizetype) { text.clear(); },
            [&text](QByteArrayView piece) { text += piece; }, &streamed, &error, pieceBytes))
        return false;
    const DecodedText whole = decodeText(bytes);
    *convention = streamed.lineEnds.convention();
    return text == toCrLf(whole.text).toUtf8() && streamed.encoding == whole.encoding;
}

} // namespace

class TextCodecTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The bytes decode to the text in the encoding found, and the text encodes to the bytes: in the
    // encoding found, or in Windows-1252 asked for but falling back to UTF-8 for the whole text.
    void bothWays_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<TextEncoding>("found");
        QTest::addColumn<TextEncoding>("requested");
        const auto row = [](const char* name, const char* hex, std::u16string_view text,
                            TextEncoding found, TextEncoding requested) {
            QTest::newRow(name) << QByteArray::fromHex(hex) << QStringView(text).toString() << found
                                << requested;
        };
        const auto same = [&](const char* name, const char* hex, std::u16string_view text,
                              TextEncoding encoding) { row(name, hex, text, encoding, encoding); };
        const auto fallsBack = [&](const char* name, const char* hex, std::u16string_view text) {
            row(name, hex, text, kUtf8, kAnsi);
        };
        same("empty", "", u"", kUtf8);
        same("ascii, no BOM written", "310d0a", u"1\r\n", kUtf8);
        same("BOM kept", "efbbbf61", u"\uFEFFa", kUtf8);
        same("NUL kept", "61006200", u"a\0b\0"sv, kUtf8);
        same("two and three bytes", "c3a9e282ac", u"\u00e9\u20ac", kUtf8);
        same("four bytes", "78f09f9880", u"x\U0001F600", kUtf8);
        same("highest code point", "f48fbfbf", u"\U0010FFFF", kUtf8);
        same("latin-1", "63e9a0ff", u"c\u00e9\u00a0\u00ff", kAnsi);
        same("1252 punctuation", "80828a939496999f", u"€‚Š“”–™Ÿ", kAnsi);
        same("unassigned bytes", "818d8f909d", u"\u0081\u008d\u008f\u0090\u009d", kAnsi);
        same("lone continuation", "80", u"\u20ac", kAnsi);
        same("overlong NUL", "c080", u"\u00c0\u20ac", kAnsi);
        same("overlong three bytes", "e080af", u"\u00e0\u20ac\u00af", kAnsi);
        same("overlong four bytes", "f08080af", u"\u00f0\u20ac\u20ac\u00af", kAnsi);
        same("encoded surrogate", "eda080", u"\u00ed\u00a0\u20ac", kAnsi);
        same("above highest", "f4908080", u"\u00f4\u0090\u20ac\u20ac", kAnsi);
        same("truncated at end", "61e282", u"a\u00e2\u201a", kAnsi);
        same("truncated before ascii", "c361", u"\u00c3a", kAnsi);
        same("BOM then invalid", "efbbbfff", u"\u00ef\u00bb\u00bf\u00ff", kAnsi);
        same("NUL in 1252", "00ff", u"\0\u00ff"sv, kAnsi);
        fallsBack("CJK", "61e697a5", u"a\u65e5");
        fallsBack("beyond the BMP", "f09f9880", u"\U0001F600");
        fallsBack("U+0080 has no 1252 byte", "c3a9c280", u"\u00e9\u0080");
        fallsBack("BOM has no 1252 byte", "efbbbf", u"\uFEFF");
        fallsBack("late fallback re-encodes all", "c3a9e282acc480", u"\u00e9\u20ac\u0100");
        fallsBack("1252 bytes would read back as UTF-8", "4d61c39fc2b2", u"Ma\u00df\u00b2");
    }

    void bothWays() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(TextEncoding, found);
        QFETCH(TextEncoding, requested);
        const DecodedText decoded = decodeText(bytes);
        QCOMPARE(decoded.text, text);
        QCOMPARE(decoded.encoding, found);
        TextEncoding encoding = requested;
        QCOMPARE(encodeText(text, encoding), bytes);
        QCOMPARE(encoding, found);
        // The same from the editor's own UTF-8 buffer.
        TextEncoding fromUtf8 = requested;
        QCOMPARE(encodeUtf8Text(text.toUtf8(), fromUtf8), bytes);
        QCOMPARE(fromUtf8, found);
    }

    // No file loses a byte between Open and Save: every one- and two-byte file, a few tricky
    // sequences (two BOMs, noncharacters, the replacement character, just around the surrogates),
    // and random mixtures of valid UTF-8 with stray bytes, so that invalid forms sit next to valid
    // ones.
    void everyByteSequenceSurvives() {
        QList<QByteArray> samples;
        for (const char* hex : {"efbbbfefbbbf", "efbfbeefbfbf", "efbfbd", "ed9fbfee8080"})
            samples << QByteArray::fromHex(hex);
        for (int first = 0; first < 256; ++first) {
            samples << QByteArray(1, char(first));
            for (int second = 0; second < 256; ++second)
                samples << QByteArray(1, char(first)) + char(second);
        }
        const QByteArray pieces[] = {
            "a",    "\r\n", QByteArray(1, '\0'), "\xC3\xA9",     "\xE2\x82\xAC", "\x80",
            "\xC3", "\xFF", "\xF0\x9F\x98\x80",  "\xEF\xBB\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
            "\r",   "\n"};
        std::mt19937 random(20240611u);
        for (int round = 0; round < 2000; ++round) {
            QByteArray bytes;
            for (int count = int(random() % 20); count > 0; --count)
                bytes += pieces[random() % std::size(pieces)];
            samples << bytes;
        }
        for (const QByteArray& bytes : samples) {
            LineEnding convention{};
            if (!survives(bytes) || !streamsAsAWhole(bytes, 1 + bytes.size() % 3, &convention))
                QFAIL(qPrintable(QStringLiteral("bytes %1").arg(QString(bytes.toHex(' ')))));
        }
    }

    // Every split of a file into pieces: across a CR LF pair, a lone CR at a piece's end, inside a
    // UTF-8 sequence of two to four bytes, inside bytes that turn out not to be UTF-8 late.
    void streamedInPieces_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<LineEnding>("convention");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << LineEnding::CrLf;
        QTest::newRow("LF") << QByteArray("a\nb\n\n") << LineEnding::Lf;
        QTest::newRow("CR, last at the end") << QByteArray("a\rb\r") << LineEnding::Cr;
        QTest::newRow("mixed") << QByteArray("a\r\nb\nc\r") << LineEnding::CrLf;
        QTest::newRow("none") << QByteArray("ab") << LineEnding::CrLf;
        QTest::newRow("sequences")
            << QByteArray("\xC3\xA9\r\n\xE2\x82\xAC\n\xF0\x9F\x98\x80") << LineEnding::CrLf;
        QTest::newRow("invalid late") << QByteArray("\xC3\xA9\n\xE9\n") << LineEnding::Lf;
        QTest::newRow("cut short at the end") << QByteArray("\n\xF0\x9F\x98") << LineEnding::Lf;
    }

    void streamedInPieces() {
        QFETCH(QByteArray, bytes);
        QFETCH(LineEnding, convention);
        for (qsizetype pieceBytes = 1; pieceBytes <= bytes.size() + 1; ++pieceBytes) {
            LineEnding found{};
            QVERIFY2(streamsAsAWhole(bytes, pieceBytes, &found),
                     qPrintable(QString::number(pieceBytes)));
            QCOMPARE(found, convention);
        }
    }
};

QTEST_GUILESS_MAIN(TextCodecTest)
#include "TextCodecTest.moc"
