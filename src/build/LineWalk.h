#pragma once

#include <QtGlobal>

#include <optional>

// The 0-based index of line `lineNumber` (counted from 1) in a text of `lineCount` lines, by
// numeric comparison (12 and 12.0 are line 12); none for numbers that are not whole or lie outside
// 1 to lineCount.
std::optional<qsizetype> lineIndex(double lineNumber, qsizetype lineCount);
