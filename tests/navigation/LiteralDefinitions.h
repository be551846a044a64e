#pragma once

// The search and the procedure scan written out step by step, one character at a time, as the
// behaviour is defined. Quadratic or slow on purpose: the tests compare the fast functions with
// them, and the benchmarks measure against them.

#include "navigation/ProcedureScan.h"
#include "navigation/TextSearch.h"

#include "core/PathNames.h"

#include <optional>

namespace literal {

// 1-based indexes as in the definition; the result is the 0-based selection start.
inline std::optional<qsizetype> FindText(QStringView d, qsizetype selStart, QStringView t,
                                         int caseFlag) {
    const QString pattern = caseFlag == 0 ? upperUnits(t) : t.toString();
    const qsizetype s = selStart == 0 ? 1 : selStart;
    for (qsizetype i = s; i <= d.size() - pattern.size() + 1; ++i) {
        qsizetype k = 0;
        while (k < pattern.size() &&
               (caseFlag == 0 ? upperUnit(d[i - 1 + k].unicode()) : d[i - 1 + k].unicode()) ==
                   pattern[k].unicode())
            ++k;
        if (k == pattern.size())
            return i - 1;
    }
    return std::nullopt;
}

inline bool keywordAt(QStringView d, qsizetype at, QStringView keyword) {
    qsizetype k = 0;
    while (k < keyword.size() && at + k < d.size() &&
           upperUnit(d[at + k].unicode()) == keyword[k].unicode())
        ++k;
    return k == keyword.size();
}

// Examines the line at `line`; returns where the walk goes on.
inline qsizetype header(QStringView d, qsizetype line, ProcedureTable& table) {
    const qsizetype keyword = keywordAt(d, line, u"SUB")        ? 3
                              : keywordAt(d, line, u"FUNCTION") ? 8
                                                                : 0;
    if (keyword == 0)
        return line;
    table.ProcedureCount += 1;
    table.ProcedurePositions.append(line + keyword);
    qsizetype p = line + keyword;
    while (p < d.size() && d[p] == u' ')
        ++p;
    QString name;
    while (p < d.size() && d[p] != u'\t' && d[p] != u'\r' && d[p] != u'(' && d[p] != u' ')
        name += d[p++];
    table.ProcedureNames.append(name);
    // After the character that ended the name; but a CR stays, so that its line break is seen.
    if (p < d.size() && d[p] != u'\r')
        ++p;
    return p;
}

inline ProcedureTable ScanProcedures(QStringView d, const QString& caption) {
    ProcedureTable table;
    QString name = caption;
    table.ProcedureNames.append(DisplayName(name).toUpper());
    table.ProcedurePositions.append(1);
    qsizetype p = header(d, 0, table);
    while (p + 1 < d.size()) {
        if (d[p] == u'\r' && d[p + 1] == u'\n')
            p = header(d, p + 2, table);
        else
            ++p;
    }
    return table;
}

} // namespace literal
