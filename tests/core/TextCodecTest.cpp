#include "core/TextCodec.h"

#include <QTest>

#include <initializer_list>
#include <random>

Q_DECLARE_METATYPE(TextEncoding)

namespace {

constexpr TextEncoding kUtf8 = TextEncoding::Utf8;
constexpr TextEncoding kAnsi = TextEncoding::Windows1252;

QByteArray bytesOf(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

// Built by hand: QString::fromUcs4 would drop a leading U+FEFF.
QString textOf(std::initializer_list<char32_t> codePoints) {
    QString text;
    for (char32_t codePoint : codePoints) {
        if (QChar::requiresSurrogates(codePoint)) {
            text.append(QChar(QChar::highSurrogate(codePoint)));
            text.append(QChar(QChar::lowSurrogate(codePoint)));
        } else {
            text.append(QChar(static_cast<char16_t>(codePoint)));
        }
    }
    return text;
}

// Decoding and encoding again in the encoding found gives back the same bytes.
bool survives(const QByteArray& bytes) {
    const DecodedText decoded = decodeText(bytes);
    TextEncoding encoding = decoded.encoding;
    return encodeText(decoded.text, encoding) == bytes && encoding == decoded.encoding;
}

} // namespace

class TextCodecTest : public QObject {
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void encode_data();
    void encode();
    void everyByteSequenceSurvives();
};

void TextCodecTest::decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextEncoding>("encoding");

    const struct {
        const char* name;
        std::initializer_list<int> bytes;
        std::initializer_list<char32_t> text;
        TextEncoding encoding;
    } cases[] = {
        {"empty", {}, {}, kUtf8},
        {"ascii", {'1', '\r', '\n'}, {'1', '\r', '\n'}, kUtf8},
        {"bom kept", {0xEF, 0xBB, 0xBF, 'a'}, {0xFEFF, 'a'}, kUtf8},
        {"nul kept", {'a', 0, 'b', 0}, {'a', 0, 'b', 0}, kUtf8},
        {"two and three bytes", {0xC3, 0xA9, 0xE2, 0x82, 0xAC}, {0xE9, 0x20AC}, kUtf8},
        {"four bytes", {'x', 0xF0, 0x9F, 0x98, 0x80}, {'x', 0x1F600}, kUtf8},
        {"highest code point", {0xF4, 0x8F, 0xBF, 0xBF}, {0x10FFFF}, kUtf8},
        {"latin-1", {'c', 0xE9, 0xA0, 0xFF}, {'c', 0xE9, 0xA0, 0xFF}, kAnsi},
        {"1252 punctuation",
         {0x80, 0x82, 0x8A, 0x93, 0x94, 0x96, 0x99, 0x9F},
         {0x20AC, 0x201A, 0x0160, 0x201C, 0x201D, 0x2013, 0x2122, 0x0178},
         kAnsi},
        {"unassigned bytes", {0x81, 0x8D, 0x8F, 0x90, 0x9D}, {0x81, 0x8D, 0x8F, 0x90, 0x9D}, kAnsi},
        {"lone continuation", {0x80}, {0x20AC}, kAnsi},
        {"overlong nul", {0xC0, 0x80}, {0xC0, 0x20AC}, kAnsi},
        {"overlong three bytes", {0xE0, 0x80, 0xAF}, {0xE0, 0x20AC, 0xAF}, kAnsi},
        {"overlong four bytes", {0xF0, 0x80, 0x80, 0xAF}, {0xF0, 0x20AC, 0x20AC, 0xAF}, kAnsi},
        {"encoded surrogate", {0xED, 0xA0, 0x80}, {0xED, 0xA0, 0x20AC}, kAnsi},
        {"above highest", {0xF4, 0x90, 0x80, 0x80}, {0xF4, 0x90, 0x20AC, 0x20AC}, kAnsi},
        {"truncated at end", {'a', 0xE2, 0x82}, {'a', 0xE2, 0x201A}, kAnsi},
        {"truncated before ascii", {0xC3, 'a'}, {0xC3, 'a'}, kAnsi},
        {"bom then invalid", {0xEF, 0xBB, 0xBF, 0xFF}, {0xEF, 0xBB, 0xBF, 0xFF}, kAnsi},
        {"nul in 1252", {0, 0xFF}, {0, 0xFF}, kAnsi},
    };
    for (const auto& c : cases)
        QTest::newRow(c.name) << bytesOf(c.bytes) << textOf(c.text) << c.encoding;
}

void TextCodecTest::decode() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(TextEncoding, encoding);
    const DecodedText decoded = decodeText(bytes);
    QCOMPARE(decoded.text, text);
    QCOMPARE(decoded.encoding, encoding);
}

void TextCodecTest::encode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextEncoding>("requested");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TextEncoding>("result");

    const struct {
        const char* name;
        std::initializer_list<char32_t> text;
        TextEncoding requested;
        std::initializer_list<int> bytes;
        TextEncoding result;
    } cases[] = {
        {"empty 1252", {}, kAnsi, {}, kAnsi},
        {"utf-8 has no bom", {'a'}, kUtf8, {'a'}, kUtf8},
        {"latin-1 in 1252", {'c', 0xE9}, kAnsi, {'c', 0xE9}, kAnsi},
        {"latin-1 in utf-8", {'c', 0xE9}, kUtf8, {'c', 0xC3, 0xA9}, kUtf8},
        {"euro and quotes", {0x20AC, 0x201C, 0x201D}, kAnsi, {0x80, 0x93, 0x94}, kAnsi},
        {"nul in 1252", {0, 'a'}, kAnsi, {0, 'a'}, kAnsi},
        {"bom character in utf-8", {0xFEFF, 'a'}, kUtf8, {0xEF, 0xBB, 0xBF, 'a'}, kUtf8},
        {"cjk falls back", {'a', 0x65E5}, kAnsi, {'a', 0xE6, 0x97, 0xA5}, kUtf8},
        {"non-bmp falls back", {0x1F600}, kAnsi, {0xF0, 0x9F, 0x98, 0x80}, kUtf8},
        {"U+0080 has no 1252 byte", {0xE9, 0x80}, kAnsi, {0xC3, 0xA9, 0xC2, 0x80}, kUtf8},
        {"bom has no 1252 byte", {0xFEFF}, kAnsi, {0xEF, 0xBB, 0xBF}, kUtf8},
        {"late fallback re-encodes all",
         {0xE9, 0x20AC, 0x0100},
         kAnsi,
         {0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xC4, 0x80},
         kUtf8},
    };
    for (const auto& c : cases)
        QTest::newRow(c.name) << textOf(c.text) << c.requested << bytesOf(c.bytes) << c.result;
}

void TextCodecTest::encode() {
    QFETCH(QString, text);
    QFETCH(TextEncoding, requested);
    QFETCH(QByteArray, bytes);
    QFETCH(TextEncoding, result);
    TextEncoding encoding = requested;
    QCOMPARE(encodeText(text, encoding), bytes);
    QCOMPARE(encoding, result);
}

// No file loses a byte between Open and Save: every one- and two-byte file, a few tricky
// sequences, and random mixtures of valid UTF-8 with stray bytes, so that invalid forms sit
// next to valid ones.
void TextCodecTest::everyByteSequenceSurvives() {
    QList<QByteArray> samples = {
        bytesOf({0xEF, 0xBB, 0xBF, 0xEF, 0xBB, 0xBF}), // two BOMs
        bytesOf({0xEF, 0xBF, 0xBE, 0xEF, 0xBF, 0xBF}), // noncharacters
        bytesOf({0xEF, 0xBF, 0xBD}),                   // the replacement character
        bytesOf({0xED, 0x9F, 0xBF, 0xEE, 0x80, 0x80}), // just around the surrogates
    };
    for (int first = 0; first < 256; ++first) {
        samples << bytesOf({first});
        for (int second = 0; second < 256; ++second)
            samples << bytesOf({first, second});
    }
    const QByteArray pieces[] = {
        "a",    "\r\n", QByteArray(1, '\0'), "\xC3\xA9",     "\xE2\x82\xAC", "\x80",
        "\xC3", "\xFF", "\xF0\x9F\x98\x80",  "\xEF\xBB\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80"};
    std::mt19937 random(20240611u);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes;
        for (int count = int(random() % 20); count > 0; --count)
            bytes += pieces[random() % std::size(pieces)];
        samples << bytes;
    }
    for (const QByteArray& bytes : samples) {
        if (!survives(bytes))
            QFAIL(qPrintable(QStringLiteral("bytes %1").arg(QString(bytes.toHex(' ')))));
    }
}

QTEST_GUILESS_MAIN(TextCodecTest)
#include "TextCodecTest.moc"
