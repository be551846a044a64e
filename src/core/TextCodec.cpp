#include "core/TextCodec.h"

#include <QIODevice>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <bit>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

void appendUtf8Unit(char16_t unit, QByteArray& out) {
    if (unit < 0x80) {
        out += static_cast<char>(unit);
    } else if (unit < 0x800) {
        out += static_cast<char>(0xC0 | (unit >> 6));
        out += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (unit >> 12));
        out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (unit & 0x3F));
    }
}

qsizetype utf8SequenceLength(char lead) {
    const auto byte = static_cast<unsigned char>(lead);
    if (byte >= 0xF0)
        return 4;
    if (byte >= 0xE0)
        return 3;
    return byte >= 0xC0 ? 2 : 1;
}

// The length of `bytes` less a UTF-8 sequence that the end cuts short.
qsizetype completeUtf8Length(QByteArrayView bytes) {
    const qsizetype n = bytes.size();
    for (qsizetype back = 1; back <= std::min<qsizetype>(4, n); ++back) {
        const char byte = bytes[n - back];
        if ((static_cast<unsigned char>(byte) & 0xC0) == 0x80)
            continue;
        return utf8SequenceLength(byte) > back ? n - back : n;
    }
    return n;
}

// The first CR or LF at `p` or later, or `end`.
const char* findLineBreak(const char* p, const char* end) {
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf))));
        if (mask != 0)
            return p + std::countr_zero(mask);
    }
#endif
    while (p != end && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

// Writes text given in pieces with every line end as CR LF. A CR at the end of a piece waits for
// the next one to tell whether an LF follows it.
class CrLfWriter {
public:
    LineEndCounts counts;

    void write(QByteArrayView text, QByteArray& out) {
        const char* p = text.data();
        const char* const end = p + text.size();
        if (m_pendingCr && p != end) {
            m_pendingCr = false;
            out += "\r\n";
            if (*p == '\n') {
                ++counts.crLf;
                ++p;
            } else {
                ++counts.cr;
            }
        }
        while (p != end) {
            const char* at = findLineBreak(p, end);
            out.append(p, at - p);
            if (at == end)
                break;
            p = at + 1;
            if (*at == '\n') {
                ++counts.lf;
            } else if (p == end) {
                m_pendingCr = true;
                break;
            } else if (*p == '\n') {
                ++counts.crLf;
                ++p;
            } else {
                ++counts.cr;
            }
            out += "\r\n";
        }
    }

    void finish(QByteArray& out) {
        if (m_pendingCr) {
            out += "\r\n";
            ++counts.cr;
            m_pendingCr = false;
        }
    }

private:
    bool m_pendingCr = false;
};

// Turns one piece of a file into UTF-8 for the writer. For UTF-8 the bytes are only checked;
// a sequence that the piece cuts short waits in `carry` for the next piece. False when the
// bytes are not valid UTF-8.
bool decodePiece(TextEncoding encoding, QByteArrayView bytes, QByteArray& carry, CrLfWriter& writer,
                 QByteArray& out) {
    if (encoding == TextEncoding::Windows1252) {
        QByteArray utf8;
        utf8.reserve(bytes.size() * 3);
        for (const char byte : bytes)
            appendUtf8Unit(kWindows1252[static_cast<unsigned char>(byte)], utf8);
        writer.write(utf8, out);
        return true;
    }
    if (!carry.isEmpty()) {
        const qsizetype need = std::min(utf8SequenceLength(carry[0]) - carry.size(), bytes.size());
        carry.append(bytes.first(need));
        bytes = bytes.sliced(need);
        if (carry.size() < utf8SequenceLength(carry[0]))
            return true;
        if (!QByteArrayView(carry).isValidUtf8())
            return false;
        writer.write(carry, out);
        carry.clear();
    }
    const qsizetype complete = completeUtf8Length(bytes);
    if (!bytes.first(complete).isValidUtf8())
        return false;
    writer.write(bytes.first(complete), out);
    carry = bytes.sliced(complete).toByteArray();
    return true;
}

} // namespace

DecodedText decodeText(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                     QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return {std::move(text), TextEncoding::Utf8};
    return {decodeWindows1252(bytes), TextEncoding::Windows1252};
}

QByteArray encodeText(QStringView text, TextEncoding& encoding) {
    return encodeUtf8Text(encodeUtf8(text), encoding);
}

QByteArray encodeUtf8Text(QByteArrayView utf8, TextEncoding& encoding) {
    if (encoding == TextEncoding::Windows1252) {
        QByteArray bytes;
        bytes.reserve(utf8.size());
        const char* p = utf8.data();
        const char* const end = p + utf8.size();
        while (p != end) {
            const auto byte = static_cast<unsigned char>(*p);
            if (byte < 0x80) {
                bytes += *p++;
                continue;
            }
            // A two- or three-byte sequence can be a character of the code page.
            const qsizetype length = std::min<qsizetype>(utf8SequenceLength(*p), end - p);
            char16_t unit = 0xFFFF;
            if (length == 2)
                unit = static_cast<char16_t>(((byte & 0x1F) << 6) | (p[1] & 0x3F));
            else if (length == 3)
                unit = static_cast<char16_t>(((byte & 0x0F) << 12) | ((p[1] & 0x3F) << 6) |
                                             (p[2] & 0x3F));
            const std::optional<char> mapped = windows1252Byte(unit);
            if (!mapped)
                break;
            bytes += *mapped;
            p += length;
        }
        // Code-page bytes that happen to form valid UTF-8 would read back as other characters
        // (UTF-8 being unique, they read back as the same text only when they are the same).
        if (p == end && (!QByteArrayView(bytes).isValidUtf8() || bytes == utf8))
            return bytes;
        encoding = TextEncoding::Utf8;
    }
    return utf8.toByteArray();
}

bool streamDocument(QIODevice& file, const std::function<void(qsizetype)>& restart,
                    const std::function<void(QByteArrayView)>& append, StreamedDocument* result,
                    QString* error, qsizetype pieceBytes) {
    const qint64 size = file.size();
    QByteArray piece(pieceBytes, Qt::Uninitialized);
    QByteArray out;
    for (const TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Windows1252}) {
        if (!file.seek(0)) {
            *error = file.errorString();
            return false;
        }
        // Lone line ends grow by a byte and code page characters by up to two.
        restart(encoding == TextEncoding::Utf8 ? size + size / 32 + 64 : size + size / 4 + 64);
        CrLfWriter writer;
        QByteArray carry;
        bool valid = true;
        for (;;) {
            const qint64 got = file.read(piece.data(), pieceBytes);
            if (got < 0) {
                *error = file.errorString();
                return false;
            }
            if (got == 0)
                break;
            out.resize(0);
            valid =
                decodePiece(encoding, QByteArrayView(piece.constData(), got), carry, writer, out);
            if (!valid)
                break;
            append(out);
        }
        // A file that ends inside a sequence is no UTF-8 either.
        if (!valid || !carry.isEmpty())
            continue;
        out.resize(0);
        writer.finish(out);
        append(out);
        *result = {encoding, writer.counts};
        return true;
    }
    return true;
}
