#include "navigation/TextSearch.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using UpperTable = std::array<char16_t, 0x10000>;

const UpperTable& upperTable() {
    static const UpperTable table = [] {
        UpperTable result{};
        for (char32_t unit = 0; unit < 0x10000; ++unit) {
            const char32_t upper = QChar::toUpper(unit);
            result[unit] = static_cast<char16_t>(upper < 0x10000 ? upper : unit);
        }
        return result;
    }();
    return table;
}

// Text is converted and searched in pieces of this many units, so that a case-insensitive
// search never holds a second copy of a large text and stops converting at the first match.
constexpr qsizetype ChunkUnits = qsizetype{1} << 15;

// The first occurrence of `needle` (at least two units) in `haystack` at `from` or later, or -1.
// Eight candidate positions at a time are tested on their first and last unit; only those that
// pass both are compared in full. Should the candidates keep failing (a text like "aaaa...aab"
// searched for "aab"), Qt's own search takes over instead of comparing at every position.
qsizetype findExact(QStringView haystack, QStringView needle, qsizetype from) {
    const qsizetype n = haystack.size();
    const qsizetype m = needle.size();
    qsizetype i = from;
#if defined(__SSE2__)
    const char16_t* text = haystack.utf16();
    const char16_t* pattern = needle.utf16();
    const __m128i first = _mm_set1_epi16(static_cast<short>(pattern[0]));
    const __m128i last = _mm_set1_epi16(static_cast<short>(pattern[m - 1]));
    const auto rest = static_cast<std::size_t>(m - 2) * sizeof(char16_t);
    qsizetype compared = 0;
    for (; i + m - 1 + 8 <= n; i += 8) {
        const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + m - 1));
        const __m128i both =
            _mm_and_si128(_mm_cmpeq_epi16(starts, first), _mm_cmpeq_epi16(ends, last));
        // Two mask bits per unit: keep one.
        for (auto mask = static_cast<unsigned>(_mm_movemask_epi8(both)) & 0x5555U; mask != 0;
             mask &= mask - 1) {
            const qsizetype at = i + std::countr_zero(mask) / 2;
            if (std::memcmp(text + at + 1, pattern + 1, rest) == 0)
                return at;
            compared += m;
        }
        if (compared > i - from + 4096)
            break;
    }
#endif
    return haystack.indexOf(needle, i, Qt::CaseSensitive);
}

// The first occurrence at `from` or later of a pattern of any length, or -1.
qsizetype findFrom(QStringView haystack, QStringView needle, qsizetype from) {
    if (needle.size() == 1)
        return haystack.indexOf(needle.front(), from, Qt::CaseSensitive);
    return findExact(haystack, needle, from);
}

} // namespace

char16_t upperUnit(char16_t unit) {
    return upperTable()[unit];
}

void upperUnits(const char16_t* from, char16_t* to, qsizetype count) {
    // Blocks of 32 units that are all ASCII are converted four units to a 64-bit word: bit 7 of
    // a unit's mask is set when the unit lies in a to z (unit + 0x1F reaches 0x80 from 'a' on,
    // unit + 5 from '{' on), and such a unit loses 32. Other blocks go through the table. Both
    // give exactly the table's answer.
    constexpr qsizetype Block = 32;
    constexpr std::uint64_t NotAscii = 0xFF80FF80FF80FF80ULL;
    const UpperTable& table = upperTable();
    qsizetype i = 0;
    for (; i + Block <= count; i += Block) {
        std::uint64_t words[Block / 4];
        std::memcpy(words, from + i, sizeof words);
        std::uint64_t any = 0;
        for (const std::uint64_t word : words)
            any |= word;
        if ((any & NotAscii) == 0) {
            for (std::uint64_t& word : words) {
                const std::uint64_t lower = (word + 0x001F001F001F001FULL) &
                                            ~(word + 0x0005000500050005ULL) & 0x0080008000800080ULL;
                word -= lower >> 2;
            }
            std::memcpy(to + i, words, sizeof words);
        } else {
            for (qsizetype j = i; j < i + Block; ++j)
                to[j] = table[from[j]];
        }
    }
    for (; i < count; ++i)
        to[i] = table[from[i]];
}

QString upperUnits(QStringView text) {
    QString result(text.size(), Qt::Uninitialized);
    upperUnits(text.utf16(), reinterpret_cast<char16_t*>(result.data()), text.size());
    return result;
}

qsizetype searchStartOffset(qsizetype selStart) {
    return selStart > 0 ? selStart - 1 : 0;
}

std::optional<qsizetype> FindText(QStringView text, qsizetype selStart, QStringView pattern,
                                  int caseFlag) {
    const qsizetype from = searchStartOffset(selStart);
    const qsizetype m = pattern.size();
    // The last offset where an occurrence fits; below `from` no index is tried.
    const qsizetype last = text.size() - m;
    if (from > last)
        return std::nullopt;
    if (m == 0)
        return from;
    if (caseFlag != 0) {
        const qsizetype at = findFrom(text, pattern, from);
        return at < 0 ? std::nullopt : std::optional<qsizetype>(at);
    }
    const QString upperPattern = upperUnits(pattern);
    // Each piece covers the occurrences that begin in it, so it reaches m - 1 units further.
    std::vector<char16_t> piece(
        static_cast<std::size_t>(std::min(ChunkUnits, last - from + 1) + m - 1));
    for (qsizetype start = from; start <= last; start += ChunkUnits) {
        const qsizetype end = std::min(start + ChunkUnits + m - 1, text.size());
        upperUnits(text.utf16() + start, piece.data(), end - start);
        const qsizetype at = findFrom(QStringView(piece.data(), end - start), upperPattern, 0);
        if (at >= 0)
            return start + at;
    }
    return std::nullopt;
}
