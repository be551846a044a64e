#include "core/LineBreaks.h"

namespace {

// Counts the CR LF pairs the text will hold and whether any line end needs rewriting.
struct LineEndCount {
    qsizetype lineEnds = 0;
    bool allCrLf = true;
};

LineEndCount countLineEnds(const QChar* begin, const QChar* end) {
    LineEndCount count;
    for (const QChar* p = begin; p != end; ++p) {
        if (*p == u'\r') {
            ++count.lineEnds;
            if (p + 1 != end && p[1] == u'\n')
                ++p;
            else
                count.allCrLf = false;
        } else if (*p == u'\n') {
            ++count.lineEnds;
            count.allCrLf = false;
        }
    }
    return count;
}

} // namespace

QString toCrLf(const QString& text) {
    const QChar* begin = text.constData();
    const QChar* end = begin + text.size();
    const LineEndCount count = countLineEnds(begin, end);
    if (count.allCrLf)
        return text;

    // A line end grows by at most one character.
    QString result;
    result.reserve(text.size() + count.lineEnds);
    const QChar* runStart = begin;
    for (const QChar* p = begin; p != end; ++p) {
        if (*p != u'\r' && *p != u'\n')
            continue;
        result.append(runStart, p - runStart);
        result.append(u"\r\n");
        if (*p == u'\r' && p + 1 != end && p[1] == u'\n')
            ++p;
        runStart = p + 1;
    }
    result.append(runStart, end - runStart);
    return result;
}

LineEnding LineEndCounts::convention() const {
    if (lf > 0 && cr == 0 && crLf == 0)
        return LineEnding::Lf;
    if (cr > 0 && lf == 0 && crLf == 0)
        return LineEnding::Cr;
    return LineEnding::CrLf;
}
