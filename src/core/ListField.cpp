#include "core/ListField.h"

#include <utility>

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

qsizetype skipBlanks(QStringView text, qsizetype pos) {
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return pos;
}

qsizetype skipDigits(QStringView text, qsizetype pos) {
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return pos;
}

// The length of the longest number at the start of the text, 0 when there is none. An exponent
// counts only when digits follow its letter.
qsizetype numberLength(QStringView text) {
    qsizetype pos = 0;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
        ++pos;
    const qsizetype integerEnd = skipDigits(text, pos);
    qsizetype end = integerEnd;
    bool hasDigits = integerEnd > pos;
    if (end < text.size() && text[end] == u'.') {
        const qsizetype fractionEnd = skipDigits(text, end + 1);
        hasDigits = hasDigits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!hasDigits)
        return 0;
    if (end < text.size() && (text[end] == u'e' || text[end] == u'E')) {
        qsizetype exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == u'+' || text[exponent] == u'-'))
            ++exponent;
        const qsizetype exponentEnd = skipDigits(text, exponent);
        if (exponentEnd > exponent)
            end = exponentEnd;
    }
    return end;
}

double toNumber(QStringView number) {
    // An exponent out of range still gives the infinity or zero it stands for.
    return number.toDouble();
}

} // namespace

ListFieldReader::ListFieldReader(QString text) : m_text(std::move(text)) {}

bool ListFieldReader::atEnd() const {
    return m_pos >= m_text.size();
}

bool ListFieldReader::atLineEnd() const {
    return atEnd() || m_text[m_pos] == u'\r' || m_text[m_pos] == u'\n';
}

void ListFieldReader::skipLineEnd() {
    if (atEnd())
        return;
    if (m_text[m_pos] == u'\r') {
        ++m_pos;
        if (!atEnd() && m_text[m_pos] == u'\n')
            ++m_pos;
    } else if (m_text[m_pos] == u'\n') {
        ++m_pos;
    }
}

void ListFieldReader::skipPastSeparator() {
    while (!atLineEnd() && m_text[m_pos] != u',')
        ++m_pos;
    if (atLineEnd())
        skipLineEnd();
    else
        ++m_pos;
}

std::optional<QString> ListFieldReader::readField() {
    if (atEnd())
        return std::nullopt;
    m_pos = skipBlanks(m_text, m_pos);

    QString value;
    if (!atEnd() && m_text[m_pos] == u'"') {
        const qsizetype start = ++m_pos;
        while (!atLineEnd() && m_text[m_pos] != u'"')
            ++m_pos;
        value = m_text.mid(start, m_pos - start);
    } else {
        const qsizetype start = m_pos;
        while (!atLineEnd() && m_text[m_pos] != u',')
            ++m_pos;
        qsizetype end = m_pos;
        while (end > start && isBlank(m_text[end - 1]))
            --end;
        value = m_text.mid(start, end - start);
    }
    skipPastSeparator();
    return value;
}

std::optional<QString> ListFieldReader::readLine() {
    if (atEnd())
        return std::nullopt;
    const qsizetype start = m_pos;
    while (!atLineEnd())
        ++m_pos;
    QString line = m_text.mid(start, m_pos - start);
    skipLineEnd();
    return line;
}

std::optional<double> fieldAsNumber(const QString& field) {
    const qsizetype start = skipBlanks(field, 0);
    const QStringView rest = QStringView(field).mid(start);
    const qsizetype length = numberLength(rest);
    if (length == 0 || skipBlanks(rest, length) != rest.size())
        return std::nullopt;
    return toNumber(rest.left(length));
}

double leadingNumber(QStringView text) {
    const QStringView rest = text.mid(skipBlanks(text, 0));
    const qsizetype length = numberLength(rest);
    return length == 0 ? 0.0 : toNumber(rest.left(length));
}
