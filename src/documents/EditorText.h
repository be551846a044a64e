#pragma once

#include "core/TextCodec.h"
#include "documents/DocumentTable.h"

#include <Qsci/qsciscintilla.h>

#include <functional>

// The editor control of a document window. It always holds CR LF line breaks, and every offset
// it takes or gives counts UTF-16 code units with CR LF as two characters. Text moves in and out
// only through calls that carry a length, so NUL characters survive. Offsets map to positions
// through the widget's UTF-16 line index and a count within one line, never from the start.
// The widget's cursorPositionChanged is never emitted: counting its column costs too much.
class EditorText : public QsciScintilla {
    Q_OBJECT
public:
    explicit EditorText(QWidget* parent = nullptr);

    // The widget's own selection calls by line and index stay usable beside ours.
    using QsciScintilla::setSelection;

    QString wholeText() const;
    // Replaces the whole text, which cannot be undone; line breaks are normalised to CR LF first.
    void setWholeText(const QString& text);
    // Length of the whole text in UTF-16 code units.
    qsizetype textLength() const;

    qsizetype selStart() const;
    qsizetype selLength() const;
    // Selects `length` characters from `start`; both are clamped to the text.
    void setSelection(qsizetype start, qsizetype length);
    QString selectedWholeText() const;
    // Replaces the selection (or inserts at the caret) with `text`, normalised to CR LF.
    void replaceSelection(const QString& text);

    // Filling the text a piece at a time: beginText clears it and makes room for about
    // `expectedBytes` of UTF-8, appendUtf8 adds a piece (already UTF-8 with CR LF line ends),
    // endText puts the caret at the start. Nothing of the fill can be undone.
    void beginText(qsizetype expectedBytes);
    void appendUtf8(QByteArrayView utf8);
    void endText();

    // The whole text in `encoding`, straight from the widget's buffer (see encodeUtf8Text).
    QByteArray encodedText(TextEncoding& encoding) const;

    // Hands the text from offset `from` on to `visit(piece, offset)` a piece at a time, where
    // `offset` is the piece's first unit; stops when `visit` returns true. The first piece may
    // begin a unit before `from` when `from` splits a surrogate pair. Each later piece begins
    // with the last `overlap` units of the one before. With `wholeLines` every piece but the
    // last ends with a CR LF. Pieces grow from a few KB, so an early stop reads little.
    using PieceVisitor = std::function<bool(QStringView piece, qsizetype offset)>;
    void visitText(qsizetype from, qsizetype overlap, bool wholeLines,
                   const PieceVisitor& visit) const;
    // The offset of the first occurrence of `utf8` (not empty) at offset `from` or later,
    // compared byte for byte, or -1.
    qsizetype findUtf8(qsizetype from, QByteArrayView utf8) const;

    // Lines of the text, and the offset of the start of a 0-based line.
    qsizetype lineCount() const;
    qsizetype offsetOfLine(qsizetype line) const;

    // Text of the range [start, end) in UTF-16 units, clamped to the text.
    QString textRange(qsizetype start, qsizetype end) const;
    // Conversions between UTF-16 offsets and the widget's byte positions.
    long positionOfOffset(qsizetype offset) const;
    qsizetype offsetOfPosition(long position) const;

    void setAppearance(const SlotAppearance& appearance);
    const SlotAppearance& appearance() const { return m_appearance; }

protected:
    bool event(QEvent* event) override;

private:
    const char* rangePointer(long position, long length) const;
    // The text of the byte range [from, to); empty when the range is.
    QString decodedRange(long from, long to) const;
    long bufferLength() const;
    // Tells assistive tools of a change that is about to happen (see the constructor).
    void announceChange(int position, int type, const char* text, int length);
    SlotAppearance m_appearance;
};
