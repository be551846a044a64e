#pragma once

#include "documents/DocumentTable.h"

#include <Qsci/qsciscintilla.h>

// The editor control of a document window. It always holds CR LF line breaks, and every offset
// it takes or gives counts UTF-16 code units with CR LF as two characters. Text moves in and out
// only through calls that carry a length, so NUL characters survive.
class EditorText : public QsciScintilla {
    Q_OBJECT
public:
    explicit EditorText(QWidget* parent = nullptr);

    QString wholeText() const;
    // Replaces the whole text; line breaks are normalised to CR LF first.
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
    SlotAppearance m_appearance;
};
