#pragma once

#include <QString>

// CR LF, lone CR and lone LF all become CR LF. Returns the input unchanged (no copy work beyond
// one scan) when it already holds only CR LF pairs.
QString toCrLf(const QString& text);
