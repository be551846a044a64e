#include "navigation/ProcedureScan.h"

#include "core/PathNames.h"
#include "navigation/TextSearch.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr QStringView Sub = u"SUB";
constexpr QStringView Function = u"FUNCTION";

bool startsWithKeyword(QStringView text, qsizetype at, QStringView keyword) {
    if (text.size() - at < keyword.size())
        return false;
    for (qsizetype i = 0; i < keyword.size(); ++i) {
        if (upperUnit(text[at + i].unicode()) != keyword[i].unicode())
            return false;
    }
    return true;
}

bool endsName(QChar c) {
    return c == u'\t' || c == u'\r' || c == u'(' || c == u' ';
}

// Adds the header that begins at `line`, if there is one.
void readHeader(QStringView text, qsizetype line, qsizetype offset, ProcedureTable& table) {
    qsizetype keyword = 0;
    if (startsWithKeyword(text, line, Sub))
        keyword = Sub.size();
    else if (startsWithKeyword(text, line, Function))
        keyword = Function.size();
    else
        return;
    const qsizetype afterKeyword = line + keyword;
    qsizetype first = afterKeyword;
    while (first < text.size() && text[first] == u' ')
        ++first;
    qsizetype end = first;
    while (end < text.size() && !endsName(text[end]))
        ++end;
    table.ProcedureNames.append(text.sliced(first, end - first).toString());
    table.ProcedurePositions.append(offset + afterKeyword);
    ++table.ProcedureCount;
}

// Calls found(k) for every k where units[k] is LF, in increasing order.
template <typename Found>
void forEachLineFeed(const char16_t* units, qsizetype count, Found found) {
    qsizetype i = 0;
#if defined(__SSE2__)
    // Sixteen units at a time: compare each with LF, and walk the bits of the matches.
    const __m128i lf = _mm_set1_epi16(0x000A);
    for (; i + 16 <= count; i += 16) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i + 8));
        const __m128i equal = _mm_packs_epi16(_mm_cmpeq_epi16(low, lf), _mm_cmpeq_epi16(high, lf));
        for (auto mask = static_cast<unsigned>(_mm_movemask_epi8(equal)); mask != 0;
             mask &= mask - 1)
            found(i + std::countr_zero(mask));
    }
#endif
    for (; i < count; ++i) {
        if (units[i] == u'\n')
            found(i);
    }
}

} // namespace

ProcedureTable ScanProcedures(QStringView text, const QString& caption) {
    ProcedureTable table;
    QString name = caption; // DisplayName rewrites its argument; the caption must stay as it is
    table.ProcedureNames.append(DisplayName(name).toUpper());
    table.ProcedurePositions.append(1);
    scanProcedureHeaders(text, 0, table);
    return table;
}

void scanProcedureHeaders(QStringView lines, qsizetype offset, ProcedureTable& table) {
    // A name never runs past a CR, so no CR LF is hidden inside a header: every line start can
    // be examined in turn.
    readHeader(lines, 0, offset, table);
    const char16_t* units = lines.utf16();
    forEachLineFeed(units, lines.size(), [&](qsizetype lf) {
        if (lf > 0 && units[lf - 1] == u'\r')
            readHeader(lines, lf + 1, offset, table);
    });
}

std::optional<qsizetype> FindProcedurePosition(const ProcedureTable& table, QStringView name) {
    for (qsizetype i = 0; i < table.ProcedureNames.size(); ++i) {
        if (table.ProcedureNames[i] == name)
            return table.ProcedurePositions[i];
    }
    return std::nullopt;
}
