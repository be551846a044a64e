#pragma once

#include <QPoint>
#include <QSize>
#include <QWidget>

#include <utility>
#include <vector>

class QScrollBar;
class QTimer;
class TerminalScreen;

// Draws a terminal screen and its scroll-back in the fixed font and turns the user's keys into
// the program's input. Repaints are gathered on a short timer, started by output, so that a
// flood of output costs one paint per tick rather than one per read. Copy (Ctrl+Shift+C) and paste
// (Ctrl+Shift+V) also sit in its context menu.
class TerminalView : public QWidget {
    Q_OBJECT

public:
    explicit TerminalView(TerminalScreen& screen, QWidget* parent = nullptr);

    // Whether keys go to a program: while one runs.
    void setInputEnabled(bool enabled);
    bool inputEnabled() const { return m_inputEnabled; }
    // Room for 80 columns × 12 rows, so that the dock opens with a useful height.
    QSize sizeHint() const override;
    // Columns × rows that fit the widget.
    QSize terminalSize() const;
    // Shows what changed on the screen now rather than at the next tick.
    void refresh();
    // The screen has taken output: it is shown at the next tick (one repaint however much came).
    void scheduleRefresh();
    // The selected text, lines ended by '\n' ("" without a selection).
    QString selectedText() const;
    void copy();
    void paste();

    // The whole text as assistive tools see it: every line ended by '\n', and where each line
    // starts in it.
    const QString& accessibleText() const;
    int lineStartOffset(int line) const;
    TerminalScreen& screen() const { return m_screen; }

Q_SIGNALS:
    void terminalSizeChanged(QSize size);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void tick();
    void updateScrollBar();
    int firstVisibleLine() const;
    // The cell under a point: x the column, y the line.
    QPoint cellAt(QPoint point) const;
    // The selection's ends, the first in reading order first.
    std::pair<QPoint, QPoint> orderedSelection() const;
    void announceOutput();

    TerminalScreen& m_screen;
    QScrollBar* m_scrollBar;
    QTimer* m_repaintTimer;
    QSize m_cell;
    bool m_inputEnabled = false;
    // Lines counted from the first ever scrolled off: where the view's top is while the user
    // looks at the scroll-back, or -1 while it follows the end.
    qint64 m_top = -1;
    // Selection ends as (column, line counted like m_top); equal ends select nothing.
    QPoint m_anchor;
    QPoint m_selectionEnd;
    // Where the cursor was at the last announcement (line counted like m_top).
    qint64 m_announcedLine = 0;
    mutable QString m_accessibleText;
    mutable std::vector<int> m_lineStarts;
    mutable bool m_accessibleTextValid = false;
};
