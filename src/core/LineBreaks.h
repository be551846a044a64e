#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The line ends a file is written with.
enum class LineEnding { CrLf, Lf, Cr };

// CR LF, lone CR and lone LF all become CR LF. Returns the input unchanged (no copy work beyond
// one scan) when it already holds only CR LF pairs.
QString toCrLf(const QString& text);

// The convention of a file's bytes: Lf when every line end is a lone LF, Cr when every one is a
// lone CR, otherwise (CR LF, a mix, or no line end at all) CrLf.
LineEnding detectLineEnding(QByteArrayView bytes);

// Bytes whose line ends are all CR LF, with each CR LF written in `ending`. CR and LF are single
// bytes in every encoding a document is written in, so this works on encoded text.
QByteArray fromCrLf(QByteArrayView bytes, LineEnding ending);

// How many of each line end a text holds.
struct LineEndCounts {
    qsizetype crLf = 0;
    qsizetype lf = 0;
    qsizetype cr = 0;
    // The same rule as detectLineEnding, for a text counted piece by piece.
    LineEnding convention() const;
};
