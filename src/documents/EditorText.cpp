#include "documents/EditorText.h"

#include "core/LineBreaks.h"
#include "documents/EditorAccessible.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>

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

// UTF-16 units of whole UTF-8 characters: every byte but a continuation byte starts one unit,
// and a four-byte sequence stands for two.
qsizetype unitsOfUtf8(const char* bytes, qsizetype length) {
    qsizetype units = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        units +=
            static_cast<qsizetype>((byte & 0xC0) != 0x80) + static_cast<qsizetype>(byte >= 0xF0);
    }
    return units;
}

qsizetype utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    return lead >= 0xC0 ? 2 : 1;
}

// The bytes of the first `units` UTF-16 units. A unit in the middle of a surrogate pair ends
// before the pair.
qsizetype bytesOfUnits(const char* bytes, qsizetype length, qsizetype units) {
    qsizetype i = 0;
    while (units > 0 && i < length) {
        const qsizetype sequence = utf8SequenceLength(static_cast<unsigned char>(bytes[i]));
        const qsizetype need = sequence == 4 ? 2 : 1;
        if (need > units)
            break;
        units -= need;
        i += sequence;
    }
    return std::min(i, length);
}

// Pieces of text read at once: the first is small so that a search that ends nearby reads
// little, later ones grow to the largest.
constexpr long FirstPieceBytes = 4096;
constexpr long LargestPieceBytes = 1 << 20;

} // namespace

const char* EditorText::rangePointer(long position, long length) const {
    const long address =
        SendScintilla(SCI_GETRANGEPOINTER, static_cast<unsigned long>(position), length);
    return reinterpret_cast<const char*>(static_cast<intptr_t>(address));
}

QString EditorText::decodedRange(long from, long to) const {
    if (to <= from)
        return QString();
    const char* bytes = rangePointer(from, to - from);
    return bytes == nullptr ? QString() : decodeUtf8(bytes, to - from);
}

EditorText::EditorText(QWidget* parent) : QsciScintilla(parent) {
    EditorAccessible::install();
    setObjectName(QStringLiteral("Text1"));
    // The text has one look throughout, so its buffer keeps no style byte beside each byte of
    // text: half the memory of a large document. The document's own settings follow.
    const long document =
        SendScintilla(SCI_CREATEDOCUMENT, 0UL, static_cast<long>(SC_DOCUMENTOPTION_STYLES_NONE));
    SendScintilla(SCI_SETDOCPOINTER, 0UL, document);
    SendScintilla(SCI_RELEASEDOCUMENT, 0UL, document);
    setUtf8(true);
    setEolMode(QsciScintilla::EolWindows);
    setEolVisibility(false);
    setWrapMode(QsciScintilla::WrapNone);
    for (int margin = 0; margin < 5; ++margin)
        setMarginWidth(margin, 0);
    setFolding(QsciScintilla::NoFoldStyle);
    setBraceMatching(QsciScintilla::NoBraceMatch);
    // After every caret move and change the widget counts the caret's column from the start of
    // its line, only to report it in cursorPositionChanged, which nothing here listens to: in a
    // line of megabytes that count costs tens of milliseconds. The same handler otherwise only
    // matches braces, which are off.
    disconnect(this, SIGNAL(SCN_UPDATEUI(int)), this, SLOT(handleUpdateUI(int)));
    // Layouts are kept for every line on screen, not only the caret's: scrolling with a very long
    // line in view then checks that line's layout instead of measuring it again.
    SendScintilla(SCI_SETLAYOUTCACHE, SC_CACHE_PAGE);
    setAutoIndent(false);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 1);
    // A horizontal scroll bar only when a line is wider than the window.
    SendScintilla(SCI_SETSCROLLWIDTH, 1);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1);
    SendScintilla(SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);
    setAppearance(defaultAppearance());
    // The widget's own accessibility hook counts the characters from the start of the text to
    // every insertion or deletion, whether or not any assistive tool listens: linear in the
    // position on every key. It runs only for the notifications of a finished change, so the
    // editor asks for those of a change about to happen alone; they tell the document changed
    // and carry what assistive tools are told, with offsets from the line index.
    SendScintilla(SCI_SETMODEVENTMASK, SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE);
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char* text, int length) {
                announceChange(position, type, text, length);
                emit textChanged();
            });
}

void EditorText::announceChange(int position, int type, const char* text, int length) {
    if (!QAccessible::isActive())
        return;
    const int offset = int(offsetOfPosition(position));
    const bool inserted = (type & SC_MOD_BEFOREINSERT) != 0;
    QString changed;
    if (inserted && text != nullptr)
        changed = decodeUtf8(text, length);
    else if (!inserted)
        changed = decodedRange(position, position + length);
    // The change happens after this notification: the event goes out once it has.
    QMetaObject::invokeMethod(
        this,
        [this, offset, inserted, changed] {
            if (inserted) {
                QAccessibleTextInsertEvent event(this, offset, changed);
                QAccessible::updateAccessibility(&event);
            } else {
                QAccessibleTextRemoveEvent event(this, offset, changed);
                QAccessible::updateAccessibility(&event);
            }
        },
        Qt::QueuedConnection);
}

long EditorText::bufferLength() const {
    return SendScintilla(SCI_GETLENGTH);
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
    return decodedRange(0, bufferLength());
}

void EditorText::setWholeText(const QString& text) {
    const QByteArray utf8 = toCrLf(text).toUtf8();
    beginText(utf8.size());
    appendUtf8(utf8);
    endText();
}

void EditorText::beginText(qsizetype expectedBytes) {
    SendScintilla(SCI_SETUNDOCOLLECTION, 0L);
    SendScintilla(SCI_CLEARALL);
    // Room for the whole text at once: growing the buffer step by step copies it each time.
    SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(expectedBytes + 1));
}

void EditorText::appendUtf8(QByteArrayView utf8) {
    if (!utf8.isEmpty())
        SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(utf8.size()), utf8.data());
}

void EditorText::endText() {
    SendScintilla(SCI_SETUNDOCOLLECTION, 1L);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_SETEMPTYSELECTION, 0L);
}

qsizetype EditorText::textLength() const {
    return offsetOfLine(lineCount());
}

qsizetype EditorText::lineCount() const {
    return SendScintilla(SCI_GETLINECOUNT);
}

qsizetype EditorText::offsetOfLine(qsizetype line) const {
    return SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                         static_cast<long>(SC_LINECHARACTERINDEX_UTF16));
}

// Offsets and positions are mapped through the UTF-16 line index, which finds the line in
// O(log n); only the part of that one line before the point is counted.
long EditorText::positionOfOffset(qsizetype offset) const {
    if (offset <= 0)
        return 0;
    const long end = bufferLength();
    if (offset >= textLength())
        return end;
    const long line = SendScintilla(SCI_LINEFROMINDEXPOSITION, static_cast<unsigned long>(offset),
                                    static_cast<long>(SC_LINECHARACTERINDEX_UTF16));
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long lineOffset =
        SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                      static_cast<long>(SC_LINECHARACTERINDEX_UTF16));
    const qsizetype units = offset - lineOffset;
    // A unit takes at most three bytes.
    const long reach = static_cast<long>(std::min<qsizetype>(end - lineStart, units * 3));
    return lineStart +
           static_cast<long>(bytesOfUnits(rangePointer(lineStart, reach), reach, units));
}

qsizetype EditorText::offsetOfPosition(long position) const {
    if (position <= 0)
        return 0;
    position = std::min(position, bufferLength());
    const long line = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(position));
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long lineOffset =
        SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                      static_cast<long>(SC_LINECHARACTERINDEX_UTF16));
    return lineOffset +
           unitsOfUtf8(rangePointer(lineStart, position - lineStart), position - lineStart);
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
    return decodedRange(positionOfOffset(start), positionOfOffset(end));
}

QString EditorText::selectedWholeText() const {
    return decodedRange(SendScintilla(SCI_GETSELECTIONSTART), SendScintilla(SCI_GETSELECTIONEND));
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

QByteArray EditorText::encodedText(TextEncoding& encoding) const {
    const long length = bufferLength();
    const char* bytes = rangePointer(0, length);
    return encodeUtf8Text(QByteArrayView(bytes, bytes == nullptr ? 0 : length), encoding);
}

void EditorText::visitText(qsizetype from, qsizetype overlap, bool wholeLines,
                           const PieceVisitor& visit) const {
    const long end = bufferLength();
    long position = positionOfOffset(std::max<qsizetype>(0, from));
    qsizetype offset = offsetOfPosition(position);
    QString piece;
    long size = FirstPieceBytes;
    while (position < end) {
        long stop = std::min<long>(end, position + size);
        size = std::min(size * 4, LargestPieceBytes);
        // Never inside a UTF-8 sequence.
        while (stop < end &&
               (SendScintilla(SCI_GETCHARAT, static_cast<unsigned long>(stop)) & 0xC0) == 0x80)
            --stop;
        if (wholeLines && stop < end) {
            const char* bytes = rangePointer(position, stop - position);
            const auto* lastLf = static_cast<const char*>(
                memrchr(bytes, '\n', static_cast<size_t>(stop - position)));
            if (lastLf != nullptr) {
                stop = position + static_cast<long>(lastLf - bytes) + 1;
            } else {
                const long line =
                    SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(stop));
                stop = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line + 1));
                if (stop <= position)
                    stop = end;
            }
        }
        const qsizetype kept = std::min(overlap, piece.size());
        QString next = piece.right(kept);
        next += decodedRange(position, stop);
        piece = std::move(next);
        const qsizetype pieceOffset = offset - kept;
        if (visit(piece, pieceOffset))
            return;
        offset = pieceOffset + piece.size();
        position = stop;
    }
}

qsizetype EditorText::findUtf8(qsizetype from, QByteArrayView utf8) const {
    const long end = bufferLength();
    const long length = static_cast<long>(utf8.size());
    long position = positionOfOffset(std::max<qsizetype>(0, from));
    long size = FirstPieceBytes;
    while (position + length <= end) {
        // Each piece covers the occurrences that begin in it.
        const long stop = std::min<long>(end, position + size + length - 1);
        size = std::min(size * 4, LargestPieceBytes);
        const char* bytes = rangePointer(position, stop - position);
        const void* found = memmem(bytes, static_cast<size_t>(stop - position), utf8.data(),
                                   static_cast<size_t>(length));
        if (found != nullptr) {
            const long at = position + static_cast<long>(static_cast<const char*>(found) - bytes);
            const qsizetype atOffset = offsetOfPosition(at);
            if (atOffset >= from)
                return atOffset;
            // A match that begins a unit early, in the character `from` splits.
            position = at + 1;
            continue;
        }
        position = stop - length + 1;
    }
    return -1;
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
