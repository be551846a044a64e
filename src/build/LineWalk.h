#pragma once

#include <QStringView>

#include <optional>

// The 0-based offset of the first character of line `lineNumber` (counted from 1) in a text
// whose line breaks are CR LF. Lines are counted at each CR LF pair, so a text that ends with
// CR LF has an empty last line that starts at the text's end. The comparison is numeric:
// 12 and 12.0 find line 12; 12.5, 0, negative numbers and lines beyond the last find nothing.
// Line 1 starts at 0 in every text, the empty one included.
std::optional<qsizetype> lineStartOffset(QStringView text, double lineNumber);

// The 0-based index of line `lineNumber` (counted from 1) in a text of `lineCount` lines, by
// the same numeric rules; none for numbers that are not whole or lie outside 1 to lineCount.
std::optional<qsizetype> lineIndex(double lineNumber, qsizetype lineCount);
