#pragma once

#include <QString>

// CR LF, lone CR and lone LF all become CR LF. Returns the input unchanged (no copy work beyond
// one scan) when it already holds only CR LF pairs.
QString toCrLf(const QString& text);

// The line-end convention of a file: LF alone, CR alone, or CR LF (also for mixed files and
// files without any line end).
enum class LineEnding { CrLf, Lf, Cr };

// How many of each line end a text holds.
struct LineEndCounts {
    qsizetype crLf = 0;
    qsizetype lf = 0;
    qsizetype cr = 0;
    LineEnding convention() const;
};
