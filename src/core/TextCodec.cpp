#include "core/TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <optional>

namespace {

// Bytes 0x80-0x9F; the rest of Windows-1252 equals Latin-1. The five bytes the code page leaves
// unassigned map to the C1 control with the same value so that no byte is lost.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

constexpr std::array<char16_t, 256> makeWindows1252Table() {
    std::array<char16_t, 256> table{};
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<char16_t>(i);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        table[0x80 + i] = kHighControls[i];
    return table;
}

constexpr std::array<char16_t, 256> kWindows1252 = makeWindows1252Table();

std::optional<char> windows1252Byte(char16_t unicode) {
    if (unicode < 0x80 || (unicode >= 0xA0 && unicode <= 0xFF))
        return static_cast<char>(unicode);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == unicode)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

QString decodeWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char byte : bytes)
        *out++ = QChar(kWindows1252[static_cast<unsigned char>(byte)]);
    return text;
}

QByteArray encodeUtf8(QStringView text) {
    QStringEncoder encoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

// The bytes as UTF-8 (a leading BOM kept as U+FEFF); nothing when they are not valid UTF-8.
std::optional<QString> decodeUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                     QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// Whether Windows-1252 bytes of `text` are read back by decodeText as `text`: they are unless
// they also form valid UTF-8 that means something else.
bool readsBackAs(const QByteArray& bytes, QStringView text) {
    const std::optional<QString> utf8 = decodeUtf8(bytes);
    return !utf8 || *utf8 == text;
}

} // namespace

DecodedText decodeText(const QByteArray& bytes) {
    if (std::optional<QString> text = decodeUtf8(bytes))
        return {std::move(*text), TextEncoding::Utf8};
    return {decodeWindows1252(bytes), TextEncoding::Windows1252};
}

QByteArray encodeText(QStringView text, TextEncoding& encoding) {
    if (encoding == TextEncoding::Windows1252) {
        QByteArray bytes(text.size(), Qt::Uninitialized);
        char* out = bytes.data();
        bool complete = true;
        for (QChar c : text) {
            const std::optional<char> byte = windows1252Byte(c.unicode());
            if (!byte) {
                complete = false;
                break;
            }
            *out++ = *byte;
        }
        // Code-page bytes that happen to form valid UTF-8 would read back as other characters.
        if (complete && readsBackAs(bytes, text))
            return bytes;
        encoding = TextEncoding::Utf8;
    }
    return encodeUtf8(text);
}
