#include "shell/SettingsFile.h"

#include "core/FileIo.h"

namespace {

// Moves past the line end at `pos` (CR LF, CR or LF), if there is one.
template <typename Text> qsizetype skipLineEnd(const Text& text, qsizetype pos) {
    if (pos < text.size() && text[pos] == u'\r') {
        ++pos;
        if (pos < text.size() && text[pos] == u'\n')
            ++pos;
    } else if (pos < text.size() && text[pos] == u'\n') {
        ++pos;
    }
    return pos;
}

template <typename Text> qsizetype endOfLine(const Text& text, qsizetype pos) {
    while (pos < text.size() && text[pos] != u'\r' && text[pos] != u'\n')
        ++pos;
    return pos;
}

// The byte offset just past line `count`, or the whole length when there are fewer lines.
qsizetype endOfLines(const QByteArray& bytes, int count) {
    qsizetype pos = 0;
    for (int line = 0; line < count && pos < bytes.size(); ++line)
        pos = skipLineEnd(bytes, endOfLine(bytes, pos));
    return pos;
}

} // namespace

SettingsContents readSettings(const QByteArray& bytes) {
    SettingsContents contents;
    // Only the first fifteen lines decide the encoding: the rest is never read.
    const DecodedText decoded = decodeText(bytes.left(endOfLines(bytes, SettingsValueCount)));
    contents.encoding = decoded.encoding;
    const QString& text = decoded.text;
    qsizetype pos = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    while (pos < text.size() && contents.values.size() < SettingsValueCount) {
        const qsizetype end = endOfLine(text, pos);
        contents.values.append(text.mid(pos, end - pos));
        pos = skipLineEnd(text, end);
    }
    return contents;
}

QByteArray writeSettings(const QStringList& values, TextEncoding& encoding) {
    QString text;
    // The reader drops one byte order mark before the first value, so a value that begins with
    // U+FEFF itself is written after one.
    if (!values.isEmpty() && values.first().startsWith(QChar(0xFEFF)))
        text += QChar(0xFEFF);
    for (int i = 0; i < SettingsValueCount; ++i) {
        QString value = i < values.size() ? values[i] : QString();
        value.replace(QLatin1String("\r\n"), QLatin1String(" "));
        value.replace(u'\r', u' ');
        value.replace(u'\n', u' ');
        text += value;
        text += QLatin1String("\r\n");
    }
    return encodeText(text, encoding);
}

bool loadSettingsFile(const QString& path, SettingsContents* contents) {
    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, &bytes, &error))
        return false;
    *contents = readSettings(bytes);
    return true;
}

bool saveSettingsFile(const QString& path, const QStringList& values, TextEncoding& encoding,
                      QString* error) {
    TextEncoding written = encoding;
    const QByteArray bytes = writeSettings(values, written);
    if (!writeFileAtomically(path, bytes, error))
        return false;
    encoding = written;
    return true;
}
