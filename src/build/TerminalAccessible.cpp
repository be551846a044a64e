#include "build/TerminalAccessible.h"

#include "build/TerminalScreen.h"
#include "build/TerminalView.h"

#include <QAccessibleWidget>

#include <algorithm>

namespace {

// The console's text for assistive tools: the screen and the scroll-back, with the caret at the
// terminal's cursor. Every offset is clamped to the text.
class TerminalAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TerminalAccessible(TerminalView* view)
        : QAccessibleWidget(view, QAccessible::Terminal) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return view()->accessibleText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = !view()->inputEnabled();
        s.multiLine = true;
        s.selectableText = true;
        return s;
    }

    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override {
        const QPoint cursor = view()->screen().cursor();
        return clamp(view()->lineStartOffset(cursor.y()) + cursor.x());
    }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        const QString& all = view()->accessibleText();
        startOffset = clamp(startOffset);
        endOffset = clamp(endOffset);
        if (endOffset < startOffset)
            std::swap(startOffset, endOffset);
        return all.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(view()->accessibleText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = clamp(offset);
        return {};
    }

private:
    TerminalView* view() const { return static_cast<TerminalView*>(widget()); }
    int clamp(int offset) const { return std::clamp(offset, 0, characterCount()); }
};

} // namespace

QAccessibleInterface* terminalAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("TerminalView") && object != nullptr && object->isWidgetType())
        return new TerminalAccessible(static_cast<TerminalView*>(object));
    return nullptr;
}
