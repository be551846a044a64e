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

LineEnding detectLineEnding(QByteArrayView bytes) {
    LineEndCounts counts;
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (bytes[i] == '\n') {
            ++counts.lf;
        } else if (bytes[i] == '\r') {
            if (i + 1 < size && bytes[i + 1] == '\n') {
                ++counts.crLf;
                ++i;
            } else {
                ++counts.cr;
            }
        }
    }
    return counts.convention();
}

QByteArray fromCrLf(QByteArrayView bytes, LineEnding ending) {
    if (ending == LineEnding::CrLf)
        return bytes.toByteArray();
    // Drops the LF of each CR LF (Cr) or the CR (Lf); other bytes are copied as they stand.
    QByteArray result;
    result.reserve(bytes.size());
    const char kept = ending == LineEnding::Lf ? '\n' : '\r';
    const qsizetype size = bytes.size();
    qsizetype runStart = 0;
    for (qsizetype i = 0; i + 1 < size; ++i) {
        if (bytes[i] != '\r' || bytes[i + 1] != '\n')
            continue;
        result.append(bytes.sliced(runStart, i - runStart));
        result.append(kept);
        runStart = i + 2;
        ++i;
    }
    result.append(bytes.sliced(runStart));
    return result;
}

LineEnding LineEndCounts::convention() const {
    if (lf > 0 && cr == 0 && crLf == 0)
        return LineEnding::Lf;
    if (cr > 0 && lf == 0 && crLf == 0)
        return LineEnding::Cr;
    return LineEnding::CrLf;
}
