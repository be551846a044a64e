#pragma once

#include "core/LineBreaks.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>

class QIODevice;

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

// The same for text held as UTF-8 (assumed valid): UTF-8 is copied as it is.
QByteArray encodeUtf8Text(QByteArrayView utf8, TextEncoding& encoding);

// What a streamed document turned out to be.
struct StreamedDocument {
    TextEncoding encoding = TextEncoding::Utf8;
    LineEndCounts lineEnds;
};

// Reads a document file from `file` a piece of `pieceBytes` at a time and hands its text on to
// `append` as UTF-8 with CR LF line ends, a bounded piece at a time: the same text, in the same
// encoding, as decodeText and toCrLf give for the whole file, without ever holding it whole.
// When the bytes turn out not to be UTF-8, `restart` is called and the text comes again from the
// start as Windows-1252. `expectedBytes` is told first the size the text will about have.
// On a read failure returns false with *error.
bool streamDocument(QIODevice& file, const std::function<void(qsizetype expectedBytes)>& restart,
                    const std::function<void(QByteArrayView utf8)>& append,
                    StreamedDocument* result, QString* error, qsizetype pieceBytes = 1 << 22);
