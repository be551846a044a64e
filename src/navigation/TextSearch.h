#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The upper-case conversion of the search: one UTF-16 unit at a time by QChar::toUpper, a unit
// whose upper case would need more than one unit staying as it is. It never changes the length,
// so offsets in converted text are offsets in the original.
char16_t upperUnit(char16_t unit);
void upperUnits(const char16_t* from, char16_t* to, qsizetype count);
QString upperUnits(QStringView text);

// The offset where the search for a caret at `selStart` begins: the character just before the
// caret, or the first character when the caret is at the start.
qsizetype searchStartOffset(qsizetype selStart);

// The forward search of "Search..." and "Search again": the 0-based offset of the first
// occurrence of `pattern` in `text` that begins at searchStartOffset(selStart) or later, or none.
// With `caseFlag` 0 the pattern and each candidate are compared after upperUnits; any other value
// compares exactly. No wrap-around. The occurrence is selected with the pattern's length.
std::optional<qsizetype> FindText(QStringView text, qsizetype selStart, QStringView pattern,
                                  int caseFlag);
