#include "build/LineWalk.h"

#include <cmath>

std::optional<qsizetype> lineStartOffset(QStringView text, double lineNumber) {
    // Only whole numbers from 1 can equal the line counter; this also turns away NaN.
    if (!(lineNumber >= 1.0) || std::floor(lineNumber) != lineNumber)
        return std::nullopt;
    // A text of n characters holds at most n / 2 + 1 lines.
    if (lineNumber > static_cast<double>(text.size()) / 2.0 + 1.0)
        return std::nullopt;
    const auto target = static_cast<qsizetype>(lineNumber);
    qsizetype line = 1;
    qsizetype start = 0;
    while (line < target) {
        const qsizetype crlf = text.indexOf(u"\r\n", start);
        if (crlf < 0)
            return std::nullopt;
        start = crlf + 2;
        ++line;
    }
    return start;
}

std::optional<qsizetype> lineIndex(double lineNumber, qsizetype lineCount) {
    if (!(lineNumber >= 1.0) || std::floor(lineNumber) != lineNumber ||
        lineNumber > static_cast<double>(lineCount))
        return std::nullopt;
    return static_cast<qsizetype>(lineNumber) - 1;
}
