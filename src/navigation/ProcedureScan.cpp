#include "navigation/ProcedureScan.h"

#include "core/PathNames.h"
#include "navigation/TextSearch.h"

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
void readHeader(QStringView text, qsizetype line, ProcedureTable& table) {
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
    table.ProcedurePositions.append(afterKeyword);
    ++table.ProcedureCount;
}

} // namespace

ProcedureTable ScanProcedures(QStringView text, const QString& caption) {
    ProcedureTable table;
    QString name = caption; // DisplayName rewrites its argument; the caption must stay as it is
    table.ProcedureNames.append(DisplayName(name).toUpper());
    table.ProcedurePositions.append(1);
    // A name never runs past a CR, so no CR LF is hidden inside a header: every line start can
    // be examined in turn, found with a fast search for LF.
    qsizetype line = 0;
    for (;;) {
        readHeader(text, line, table);
        qsizetype lf = text.indexOf(u'\n', line);
        while (lf >= 0 && (lf == 0 || text[lf - 1] != u'\r'))
            lf = text.indexOf(u'\n', lf + 1);
        if (lf < 0)
            break;
        line = lf + 1;
    }
    return table;
}

std::optional<qsizetype> FindProcedurePosition(const ProcedureTable& table, QStringView name) {
    for (qsizetype i = 0; i < table.ProcedureNames.size(); ++i) {
        if (table.ProcedureNames[i] == name)
            return table.ProcedurePositions[i];
    }
    return std::nullopt;
}
