#include "core/CommandLine.h"

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Walks one command line token by token, keeping the position between tokens.
class Tokenizer {
public:
    explicit Tokenizer(const QString& line) : m_line(line) {}

    // Moves past blanks; false when nothing but blanks is left.
    bool skipBlanks() {
        while (m_pos < m_line.size() && isBlank(m_line[m_pos]))
            ++m_pos;
        return m_pos < m_line.size();
    }

    QString readProgram() {
        QString token;
        bool quoted = false;
        for (; m_pos < m_line.size(); ++m_pos) {
            const QChar c = m_line[m_pos];
            if (c == u'"')
                quoted = !quoted;
            else if (isBlank(c) && !quoted)
                break;
            else
                token += c;
        }
        return token;
    }

    QString readArgument() {
        QString token;
        bool quoted = false;
        const qsizetype size = m_line.size();
        while (m_pos < size) {
            const QChar c = m_line[m_pos];
            if (c == u'\\') {
                qsizetype run = 0;
                while (m_pos < size && m_line[m_pos] == u'\\') {
                    ++run;
                    ++m_pos;
                }
                const bool beforeQuote = m_pos < size && m_line[m_pos] == u'"';
                token += QString(beforeQuote ? run / 2 : run, u'\\');
                if (beforeQuote && run % 2 == 1) {
                    token += u'"';
                    ++m_pos;
                }
            } else if (c == u'"') {
                if (quoted && m_pos + 1 < size && m_line[m_pos + 1] == u'"') {
                    token += u'"';
                    m_pos += 2;
                } else {
                    quoted = !quoted;
                    ++m_pos;
                }
            } else if (isBlank(c) && !quoted) {
                break;
            } else {
                token += c;
                ++m_pos;
            }
        }
        return token;
    }

private:
    const QString& m_line;
    qsizetype m_pos = 0;
};

} // namespace

QStringList splitCommandLine(const QString& commandLine) {
    QStringList parts;
    Tokenizer tokenizer(commandLine);
    if (!tokenizer.skipBlanks())
        return parts;
    parts.append(tokenizer.readProgram());
    while (tokenizer.skipBlanks())
        parts.append(tokenizer.readArgument());
    return parts;
}

QStringList splitArguments(const QString& arguments) {
    QStringList parts;
    Tokenizer tokenizer(arguments);
    while (tokenizer.skipBlanks())
        parts.append(tokenizer.readArgument());
    return parts;
}
