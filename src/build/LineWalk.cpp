#include "build/LineWalk.h"

#include <cmath>

std::optional<qsizetype> lineIndex(double lineNumber, qsizetype lineCount) {
    if (!(lineNumber >= 1.0) || std::floor(lineNumber) != lineNumber ||
        lineNumber > static_cast<double>(lineCount))
        return std::nullopt;
    return static_cast<qsizetype>(lineNumber) - 1;
}
