#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

enum class TextEncoding { Utf8, Windows1252 };

struct DecodedText {
    QString text;
    TextEncoding encoding;
};

// UTF-8 when the bytes are valid UTF-8 (a leading BOM is kept as U+FEFF, NUL bytes are kept);
// otherwise Windows-1252, each byte one character, with the five unassigned bytes
// 0x81 0x8D 0x8F 0x90 0x9D mapped to the C1 characters U+0081 etc., so that every byte survives.
// Encoding the result again in the encoding found gives back the same bytes.
DecodedText decodeText(const QByteArray& bytes);

// Encodes in `encoding`. When the text holds a character that Windows-1252 cannot hold, or its
// Windows-1252 bytes would read back as other text (they happen to form valid UTF-8), the result
// is UTF-8 and `encoding` is set to TextEncoding::Utf8 (never '?' replacements).
QByteArray encodeText(QStringView text, TextEncoding& encoding);
