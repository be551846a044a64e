#include "documents/EditorText.h"

#include "core/LineBreaks.h"
#include "documents/EditorAccessible.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QStringDecoder>

namespace {

// The font the editor really uses for a choice: the named font when the system has it,
// otherwise the system's fixed-pitch font at the same size.
QFont resolveFont(const FontChoice& choice) {
    QFont font(choice.name);
    font.setStyleHint(QFont::TypeWriter);
    if (choice.pointSize > 0)
        font.setPointSizeF(choice.pointSize);
    font.setBold(choice.bold);
    font.setItalic(choice.italic);
    if (!QFontInfo(font).exactMatch() &&
        QFontInfo(font).family().compare(choice.name, Qt::CaseInsensitive) != 0) {
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixed.setPointSizeF(font.pointSizeF());
        fixed.setBold(choice.bold);
        fixed.setItalic(choice.italic);
        return fixed;
    }
    return font;
}

// UTF-8 to text keeping a leading byte order mark as U+FEFF: it is part of the document.
QString decodeUtf8(const char* bytes, qsizetype length) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(bytes, length));
}

} // namespace

const char* EditorText::rangePointer(long position, long length) const {
    const long address =
        SendScintilla(SCI_GETRANGEPOINTER, static_cast<unsigned long>(position), length);
    return reinterpret_cast<const char*>(static_cast<intptr_t>(address));
}

EditorText::EditorText(QWidget* parent) : QsciScintilla(parent) {
    EditorAccessible::install();
    setObjectName(QStringLiteral("Text1"));
    setUtf8(true);
    setEolMode(QsciScintilla::EolWindows);
    setEolVisibility(false);
    setWrapMode(QsciScintilla::WrapNone);
    for (int margin = 0; margin < 5; ++margin)
        setMarginWidth(margin, 0);
    setFolding(QsciScintilla::NoFoldStyle);
    setBraceMatching(QsciScintilla::NoBraceMatch);
    setAutoIndent(false);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 1);
    // A horizontal scroll bar only when a line is wider than the window.
    SendScintilla(SCI_SETSCROLLWIDTH, 1);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1);
    SendScintilla(SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);
    setAppearance(defaultAppearance());
}

bool EditorText::event(QEvent* event) {
    // Ctrl+X and Ctrl+C are the shortcuts of the Edit menu's Cut and Copy: the editor leaves
    // them to the menu instead of claiming them for its own clipboard code.
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeyCombination key = static_cast<QKeyEvent*>(event)->keyCombination();
        if (key == QKeyCombination(Qt::CTRL, Qt::Key_X) ||
            key == QKeyCombination(Qt::CTRL, Qt::Key_C)) {
            event->ignore();
            return false;
        }
    }
    return QsciScintilla::event(event);
}

QString EditorText::wholeText() const {
    const long length = SendScintilla(SCI_GETLENGTH);
    const auto* bytes = static_cast<const char*>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
    if (length <= 0 || bytes == nullptr)
        return QString();
    return decodeUtf8(bytes, length);
}

void EditorText::setWholeText(const QString& text) {
    const QByteArray utf8 = toCrLf(text).toUtf8();
    SendScintilla(SCI_CLEARALL);
    SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(utf8.size()), utf8.constData());
    SendScintilla(SCI_GOTOPOS, 0L);
}

qsizetype EditorText::textLength() const {
    return offsetOfPosition(SendScintilla(SCI_GETLENGTH));
}

// Offsets and positions are mapped through the UTF-16 line index, which finds the line in
// O(log n); only the part of that one line before the point is counted unit by unit.
long EditorText::positionOfOffset(qsizetype offset) const {
    if (offset <= 0)
        return 0;
    const long end = SendScintilla(SCI_GETLENGTH);
    if (offset >= offsetOfPosition(end))
        return end;
    const long line = SendScintilla(SCI_LINEFROMINDEXPOSITION, static_cast<unsigned long>(offset),
                                    static_cast<long>(SC_LINECHARACTERINDEX_UTF16));
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long lineOffset =
        SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                      static_cast<long>(SC_LINECHARACTERINDEX_UTF16));
    return SendScintilla(SCI_POSITIONRELATIVECODEUNITS, static_cast<unsigned long>(lineStart),
                         static_cast<long>(offset - lineOffset));
}

qsizetype EditorText::offsetOfPosition(long position) const {
    if (position <= 0)
        return 0;
    const long line = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(position));
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long lineOffset =
        SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                      static_cast<long>(SC_LINECHARACTERINDEX_UTF16));
    return lineOffset +
           SendScintilla(SCI_COUNTCODEUNITS, static_cast<unsigned long>(lineStart), position);
}

qsizetype EditorText::selStart() const {
    return offsetOfPosition(SendScintilla(SCI_GETSELECTIONSTART));
}

qsizetype EditorText::selLength() const {
    return offsetOfPosition(SendScintilla(SCI_GETSELECTIONEND)) -
           offsetOfPosition(SendScintilla(SCI_GETSELECTIONSTART));
}

void EditorText::setSelection(qsizetype start, qsizetype length) {
    start = qBound<qsizetype>(0, start, textLength());
    const long anchor = positionOfOffset(start);
    const long caret = positionOfOffset(start + qMax<qsizetype>(0, length));
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(anchor), caret);
}

QString EditorText::textRange(qsizetype start, qsizetype end) const {
    const long from = positionOfOffset(start);
    const long to = positionOfOffset(end);
    if (to <= from)
        return QString();
    const auto* bytes = rangePointer(from, to - from);
    if (bytes == nullptr)
        return QString();
    return decodeUtf8(bytes, to - from);
}

QString EditorText::selectedWholeText() const {
    const long start = SendScintilla(SCI_GETSELECTIONSTART);
    const long end = SendScintilla(SCI_GETSELECTIONEND);
    if (end <= start)
        return QString();
    const auto* bytes = rangePointer(start, end - start);
    return bytes == nullptr ? QString() : decodeUtf8(bytes, end - start);
}

void EditorText::replaceSelection(const QString& text) {
    const QByteArray utf8 = toCrLf(text).toUtf8();
    const long start = SendScintilla(SCI_GETSELECTIONSTART);
    const long end = SendScintilla(SCI_GETSELECTIONEND);
    SendScintilla(SCI_SETTARGETRANGE, static_cast<unsigned long>(start), end);
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(utf8.size()), utf8.constData());
    const long caret = start + utf8.size();
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(caret), caret);
}

void EditorText::setAppearance(const SlotAppearance& appearance) {
    m_appearance = appearance;
    const QFont font = resolveFont(appearance.font);
    // One font and one background for all text: set the default style, then copy it to all.
    setFont(font);
    setPaper(appearance.background);
    SendScintilla(SCI_STYLESETBACK, static_cast<unsigned long>(STYLE_DEFAULT),
                  appearance.background);
    SendScintilla(SCI_STYLESETFONT, static_cast<uintptr_t>(STYLE_DEFAULT),
                  font.family().toUtf8().constData());
    SendScintilla(SCI_STYLESETSIZEFRACTIONAL, static_cast<unsigned long>(STYLE_DEFAULT),
                  static_cast<long>(font.pointSizeF() * int{SC_FONT_SIZE_MULTIPLIER}));
    SendScintilla(SCI_STYLESETBOLD, static_cast<unsigned long>(STYLE_DEFAULT),
                  font.bold() ? 1L : 0L);
    SendScintilla(SCI_STYLESETITALIC, static_cast<unsigned long>(STYLE_DEFAULT),
                  font.italic() ? 1L : 0L);
    SendScintilla(SCI_STYLECLEARALL);
}
