#pragma once

#include <QString>

// How many characters of a value a label or a text field is given: enough for any path or
// message a person reads, few enough that laying them out takes no time.
inline constexpr qsizetype kDisplayedLength = 4096;

// The text as shown: whole when it has at most kDisplayedLength characters, otherwise its first
// kDisplayedLength characters (never half a surrogate pair) followed by "…".
QString displayedText(const QString& text);
