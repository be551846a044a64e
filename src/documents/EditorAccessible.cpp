#include "documents/EditorAccessible.h"

#include "documents/EditorText.h"

namespace {

QAccessibleInterface* editorFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("EditorText") && object != nullptr && object->isWidgetType())
        return new EditorAccessible(static_cast<EditorText*>(object));
    return nullptr;
}

} // namespace

EditorAccessible::EditorAccessible(EditorText* editor)
    : QAccessibleWidget(editor, QAccessible::EditableText) {}

void EditorAccessible::install() {
    // The factory is looked up by the most derived class name first, so it wins over the
    // editor component's own interface.
    static const bool installed = [] {
        QAccessible::installFactory(editorFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

EditorText* EditorAccessible::editor() const {
    return static_cast<EditorText*>(widget());
}

void* EditorAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString EditorAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value)
        return editor()->wholeText();
    return QAccessibleWidget::text(t);
}

QAccessible::State EditorAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = !editor()->isReadOnly();
    s.multiLine = true;
    s.focusable = true;
    return s;
}

void EditorAccessible::clampRange(int* start, int* end) const {
    const int count = characterCount();
    if (*start > *end)
        std::swap(*start, *end);
    *start = qBound(0, *start, count);
    *end = qBound(0, *end, count);
}

void EditorAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = 0;
    if (selectionIndex != 0 || selectionCount() == 0)
        return;
    *startOffset = int(editor()->selStart());
    *endOffset = int(editor()->selStart() + editor()->selLength());
}

int EditorAccessible::selectionCount() const {
    return editor()->selLength() > 0 ? 1 : 0;
}

void EditorAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void EditorAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0)
        editor()->setSelection(editor()->selStart(), 0);
}

void EditorAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0)
        return;
    clampRange(&startOffset, &endOffset);
    editor()->setSelection(startOffset, endOffset - startOffset);
}

int EditorAccessible::cursorPosition() const {
    return int(
        editor()->offsetOfPosition(editor()->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS)));
}

void EditorAccessible::setCursorPosition(int position) {
    editor()->setSelection(qBound(0, position, characterCount()), 0);
}

QString EditorAccessible::text(int startOffset, int endOffset) const {
    clampRange(&startOffset, &endOffset);
    return editor()->textRange(startOffset, endOffset);
}

int EditorAccessible::characterCount() const {
    return int(editor()->textLength());
}

QRect EditorAccessible::characterRect(int offset) const {
    const long position = editor()->positionOfOffset(qBound(0, offset, characterCount()));
    const int x =
        int(editor()->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, position));
    const int y =
        int(editor()->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, position));
    const int height = int(editor()->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0UL, 0L));
    const QPoint topLeft = editor()->viewport()->mapToGlobal(QPoint(x, y));
    return QRect(topLeft, QSize(1, height));
}

int EditorAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint local = editor()->viewport()->mapFromGlobal(point);
    const long position = editor()->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMPOINTCLOSE,
                                                  static_cast<unsigned long>(local.x()),
                                                  static_cast<long>(local.y()));
    return position < 0 ? -1 : int(editor()->offsetOfPosition(position));
}

void EditorAccessible::scrollToSubstring(int startIndex, int endIndex) {
    clampRange(&startIndex, &endIndex);
    const long from = editor()->positionOfOffset(startIndex);
    const long to = editor()->positionOfOffset(endIndex);
    editor()->SendScintilla(QsciScintillaBase::SCI_SCROLLRANGE, static_cast<unsigned long>(to),
                            from);
}

QString EditorAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    // One font for the whole text: a single run without attributes.
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

void EditorAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void EditorAccessible::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

void EditorAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    if (editor()->isReadOnly())
        return;
    clampRange(&startOffset, &endOffset);
    editor()->setSelection(startOffset, endOffset - startOffset);
    editor()->replaceSelection(text);
}
