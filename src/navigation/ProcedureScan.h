#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The procedures of a text as the browser lists them. Entry 0 is the file entry; entries 1 to
// ProcedureCount are the SUB and FUNCTION headers in the order in which they occur.
struct ProcedureTable {
    QStringList ProcedureNames;
    // For each entry, the 0-based offset (CR LF counting as two) where the caret goes.
    QList<qsizetype> ProcedurePositions;
    qsizetype ProcedureCount = 0;
};

// Lists the procedure headers of `text`. The file entry is the window caption's DisplayName in
// upper case, at offset 1. A header is a line that begins (at the very first character of the
// text, or right after a CR LF) with SUB or FUNCTION in any case; its offset is just after the
// keyword, its name the run after the blanks that follow, up to a tab, CR, "(", blank or the end.
// Every header is listed, however many there are. Linear in the length of the text.
ProcedureTable ScanProcedures(QStringView text, const QString& caption);

// Adds to `table` the headers of `lines`, a run of whole lines of a text that begins at
// `offset` in it; their offsets are offsets in the whole text.
void scanProcedureHeaders(QStringView lines, qsizetype offset, ProcedureTable& table);

// The offset of the first entry whose text equals `name` exactly, or none.
std::optional<qsizetype> FindProcedurePosition(const ProcedureTable& table, QStringView name);
