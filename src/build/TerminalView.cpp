#include "build/TerminalView.h"

#include "build/TerminalAccessible.h"
#include "build/TerminalScreen.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int RepaintIntervalMs = 25;
const QColor DefaultForeground(0xe5, 0xe5, 0xe5);
const QColor DefaultBackground(0x10, 0x10, 0x10);

QColor colourOf(quint32 packed, const QColor& fallback) {
    return packed == 0 ? fallback : QColor::fromRgb(packed);
}

// Whether cell `a` (column, line) comes before cell `b` in reading order.
bool before(QPoint a, QPoint b) {
    return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
}

bool isCopy(const QKeyEvent* event) {
    return event->key() == Qt::Key_C &&
           event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
}

bool isPaste(const QKeyEvent* event) {
    return event->key() == Qt::Key_V &&
           event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
}

} // namespace

TerminalView::TerminalView(TerminalScreen& screen, QWidget* parent)
    : QWidget(parent), m_screen(screen), m_scrollBar(new QScrollBar(Qt::Vertical, this)),
      m_repaintTimer(new QTimer(this)) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(terminalAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    setObjectName(QStringLiteral("ConsoleView"));
    setAccessibleName(QStringLiteral("Console"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled);
    setCursor(Qt::IBeamCursor);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics metrics(font());
    m_cell = QSize(std::max(1, metrics.horizontalAdvance(u'M')), std::max(1, metrics.height()));
    setMinimumSize(m_cell.width() * 20 + m_scrollBar->sizeHint().width(), m_cell.height() * 3);

    m_scrollBar->setObjectName(QStringLiteral("ConsoleScrollBar"));
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        m_top = value >= m_scrollBar->maximum() ? -1 : m_screen.firstLineNumber() + value;
        update();
    });
    m_repaintTimer->setInterval(RepaintIntervalMs);
    m_repaintTimer->setSingleShot(true);
    connect(m_repaintTimer, &QTimer::timeout, this, &TerminalView::tick);
}

void TerminalView::scheduleRefresh() {
    if (!m_repaintTimer->isActive())
        m_repaintTimer->start();
}

void TerminalView::setInputEnabled(bool enabled) {
    m_inputEnabled = enabled;
    update();
}

QSize TerminalView::sizeHint() const {
    return {m_cell.width() * 80 + m_scrollBar->sizeHint().width(), m_cell.height() * 12};
}

QSize TerminalView::terminalSize() const {
    const int width = this->width() - m_scrollBar->sizeHint().width();
    return {std::max(1, width / m_cell.width()), std::max(1, height() / m_cell.height())};
}

void TerminalView::tick() {
    if (m_screen.takeChanged())
        refresh();
}

void TerminalView::refresh() {
    m_accessibleTextValid = false;
    updateScrollBar();
    update();
    announceOutput();
}

void TerminalView::updateScrollBar() {
    const QSignalBlocker blocker(m_scrollBar);
    const int scrollback = m_screen.scrollbackLines();
    m_scrollBar->setRange(0, scrollback);
    m_scrollBar->setPageStep(m_screen.rows());
    m_scrollBar->setValue(firstVisibleLine());
}

int TerminalView::firstVisibleLine() const {
    const int bottom = m_screen.scrollbackLines();
    if (m_top < 0)
        return bottom;
    return int(std::clamp<qint64>(m_top - m_screen.firstLineNumber(), 0, bottom));
}

QPoint TerminalView::cellAt(QPoint point) const {
    const int column = std::clamp(point.x() / m_cell.width(), 0, m_screen.columns());
    const int row = std::clamp(point.y() / m_cell.height(), 0, m_screen.rows() - 1);
    return {column, int(m_screen.firstLineNumber() + firstVisibleLine() + row)};
}

void TerminalView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), DefaultBackground);
    const int first = firstVisibleLine();
    const qint64 base = m_screen.firstLineNumber();
    // A pair rather than a structured binding: clang 14 cannot capture those in a lambda.
    const std::pair<QPoint, QPoint> selection = orderedSelection();
    auto selected = [&](int line, int column) {
        const QPoint p(column, int(base + line));
        return !before(p, selection.first) && before(p, selection.second);
    };
    const QFontMetrics metrics(font());
    const int ascent = metrics.ascent();
    const QPoint cursor = m_screen.cursor();

    for (int row = 0; row < m_screen.rows() && first + row < m_screen.lineCount(); ++row) {
        const int line = first + row;
        const int y = row * m_cell.height();
        int column = 0;
        while (column < m_screen.columns()) {
            // A run of cells drawn alike; wide characters are drawn on their own.
            const TerminalCell head = m_screen.cell(line, column);
            const bool headSelected = selected(line, column);
            QString text;
            int end = column;
            while (end < m_screen.columns()) {
                const TerminalCell c = m_screen.cell(line, end);
                if (end > column &&
                    (c.fg != head.fg || c.bg != head.bg || c.attrs != head.attrs ||
                     selected(line, end) != headSelected || c.width != 1 || head.width != 1))
                    break;
                if (c.ch != 0)
                    text += QString::fromUcs4(&c.ch, 1);
                end += std::max<int>(c.width, 1);
            }
            QColor fg = colourOf(head.fg, DefaultForeground);
            QColor bg = colourOf(head.bg, DefaultBackground);
            if ((head.attrs & TerminalCell::Reverse) != 0)
                std::swap(fg, bg);
            if (headSelected)
                std::swap(fg, bg);
            const QRect area(column * m_cell.width(), y, (end - column) * m_cell.width(),
                             m_cell.height());
            if (bg != DefaultBackground)
                painter.fillRect(area, bg);
            if (!text.trimmed().isEmpty()) {
                QFont f = font();
                f.setBold((head.attrs & TerminalCell::Bold) != 0);
                f.setItalic((head.attrs & TerminalCell::Italic) != 0);
                f.setUnderline((head.attrs & TerminalCell::Underline) != 0);
                f.setStrikeOut((head.attrs & TerminalCell::Strike) != 0);
                painter.setFont(f);
                painter.setPen(fg);
                painter.drawText(area.left(), y + ascent, text);
            }
            column = end;
        }
        if (line == cursor.y() && m_inputEnabled && m_screen.cursorVisible()) {
            const QRect block(cursor.x() * m_cell.width(), y, m_cell.width(), m_cell.height());
            painter.setPen(DefaultForeground);
            if (hasFocus())
                painter.fillRect(block, QColor(0xe5, 0xe5, 0xe5, 160));
            else
                painter.drawRect(block.adjusted(0, 0, -1, -1));
        }
    }
}

void TerminalView::resizeEvent(QResizeEvent*) {
    const int barWidth = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(width() - barWidth, 0, barWidth, height());
    const QSize size = terminalSize();
    if (size != QSize(m_screen.columns(), m_screen.rows())) {
        m_screen.resize(size.height(), size.width());
        Q_EMIT terminalSizeChanged(size);
        refresh();
    }
}

bool TerminalView::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // While a program runs every key is its own; copy and paste are the console's always.
        auto* key = static_cast<QKeyEvent*>(event);
        if (m_inputEnabled || isCopy(key) || isPaste(key)) {
            event->accept();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && m_inputEnabled) {
        // Tab goes to the program rather than moving the focus.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(event);
}

void TerminalView::keyPressEvent(QKeyEvent* event) {
    if (isCopy(event)) {
        copy();
        return;
    }
    if (isPaste(event)) {
        paste();
        return;
    }
    if (event->modifiers() == Qt::ShiftModifier &&
        (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown)) {
        const int step = event->key() == Qt::Key_PageUp ? -m_screen.rows() : m_screen.rows();
        m_scrollBar->setValue(m_scrollBar->value() + step);
        return;
    }
    if (!m_inputEnabled) {
        QWidget::keyPressEvent(event);
        return;
    }
    m_screen.sendKey(event->key(), event->modifiers(), event->text());
    m_top = -1;
    refresh();
}

void TerminalView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_anchor = m_selectionEnd = cellAt(event->position().toPoint());
        update();
    }
    QWidget::mousePressEvent(event);
}

void TerminalView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        m_selectionEnd = cellAt(event->position().toPoint());
        update();
    }
}

void TerminalView::wheelEvent(QWheelEvent* event) {
    const int lines = -event->angleDelta().y() / 40;
    m_scrollBar->setValue(m_scrollBar->value() + lines);
    event->accept();
}

void TerminalView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(tr("Copy"), this, &TerminalView::copy);
    copyAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copyAction->setEnabled(!selectedText().isEmpty());
    QAction* pasteAction = menu.addAction(tr("Paste"), this, &TerminalView::paste);
    pasteAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    pasteAction->setEnabled(m_inputEnabled);
    menu.exec(event->globalPos());
}

std::pair<QPoint, QPoint> TerminalView::orderedSelection() const {
    if (before(m_selectionEnd, m_anchor))
        return {m_selectionEnd, m_anchor};
    return {m_anchor, m_selectionEnd};
}

QString TerminalView::selectedText() const {
    if (m_anchor == m_selectionEnd)
        return {};
    const auto [from, to] = orderedSelection();
    const qint64 base = m_screen.firstLineNumber();
    QString result;
    for (qint64 abs = from.y(); abs <= to.y(); ++abs) {
        const QString line = m_screen.lineText(int(abs - base));
        const int start = abs == from.y() ? from.x() : 0;
        const int end = abs == to.y() ? to.x() : int(line.size());
        result += line.mid(start, std::max(0, end - start));
        if (abs != to.y())
            result += u'\n';
    }
    return result;
}

void TerminalView::copy() {
    const QString text = selectedText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void TerminalView::paste() {
    if (!m_inputEnabled)
        return;
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty())
        return;
    m_screen.paste(text);
    m_top = -1;
    refresh();
}

const QString& TerminalView::accessibleText() const {
    if (!m_accessibleTextValid) {
        m_accessibleText.clear();
        m_lineStarts.clear();
        for (int line = 0; line < m_screen.lineCount(); ++line) {
            m_lineStarts.push_back(int(m_accessibleText.size()));
            m_accessibleText += m_screen.lineText(line);
            m_accessibleText += u'\n';
        }
        m_accessibleTextValid = true;
    }
    return m_accessibleText;
}

int TerminalView::lineStartOffset(int line) const {
    accessibleText();
    if (m_lineStarts.empty())
        return 0;
    return m_lineStarts[size_t(std::clamp<int>(line, 0, int(m_lineStarts.size()) - 1))];
}

void TerminalView::announceOutput() {
    // The lines from where the cursor was at the last announcement to where it is now.
    const qint64 base = m_screen.firstLineNumber();
    const qint64 cursorLine = base + m_screen.cursor().y();
    const qint64 from = std::max(std::min(m_announcedLine, cursorLine), base);
    m_announcedLine = cursorLine;
    if (!QAccessible::isActive())
        return;
    const int first = int(from - base);
    const QString text = m_screen.text(first, int(cursorLine - base));
    if (text.trimmed().isEmpty())
        return;
    QAccessibleTextInsertEvent inserted(this, lineStartOffset(first), text);
    QAccessible::updateAccessibility(&inserted);
}
