#pragma once

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <Qt>

#include <functional>
#include <memory>
#include <vector>

struct VTerm;
struct VTermScreen;

// One character cell of the terminal.
struct TerminalCell {
    enum Attribute : quint8 { Bold = 1, Underline = 2, Italic = 4, Reverse = 8, Strike = 16 };
    // U' ' for an empty cell, 0 for the right half of a wide character.
    char32_t ch = U' ';
    // 0 for the terminal's default colour, otherwise 0xff000000 | RGB.
    quint32 fg = 0;
    quint32 bg = 0;
    quint8 attrs = 0;
    quint8 width = 1;
    bool operator==(const TerminalCell&) const = default;
};

// The terminal's screen and scroll-back, fed with a program's output by libvterm (cursor
// movement, clearing, 16 and 256 colours, line wrap, UTF-8). Lines are numbered from the
// oldest line of the scroll-back to the last row of the screen. Keys and pasted text become the
// bytes a terminal sends to the program, handed to `toProgram`.
class TerminalScreen {
public:
    static constexpr int DefaultScrollback = 10000;

    TerminalScreen(int rows, int columns, int scrollbackLimit = DefaultScrollback);
    ~TerminalScreen();
    TerminalScreen(const TerminalScreen&) = delete;
    TerminalScreen& operator=(const TerminalScreen&) = delete;

    void feed(const char* bytes, qsizetype size);
    void feed(const QByteArray& bytes) { feed(bytes.constData(), bytes.size()); }
    void resize(int rows, int columns);
    // An empty screen and scroll-back, all modes back to their start.
    void reset();

    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    int scrollbackLines() const;
    int lineCount() const { return scrollbackLines() + m_rows; }
    TerminalCell cell(int line, int column) const;
    // A line's characters without the blanks at its end.
    QString lineText(int line) const;
    // Lines `first` to `last` (inclusive), each ended by '\n'.
    QString text(int first, int last) const;
    // The cursor: x the column, y the line.
    QPoint cursor() const;
    bool cursorVisible() const { return m_cursorVisible; }
    // Lines ever scrolled off the top, so that callers can follow a line while the scroll-back
    // drops its oldest ones.
    qint64 linesScrolledOff() const { return m_scrolledOff; }
    // Line 0 counted the same way: the first line scrolled off the top is 0. A line keeps its
    // number while the scroll-back drops older ones.
    qint64 firstLineNumber() const { return m_scrolledOff - m_count; }

    // A key pressed in the console: `key` a Qt::Key, `text` the text it types.
    void sendKey(int key, Qt::KeyboardModifiers modifiers, const QString& text);
    void paste(const QString& text);
    std::function<void(const char*, size_t)> toProgram;

    // True once after something on the screen has changed.
    bool takeChanged();

private:
    struct Run {
        int start;
        quint32 fg, bg;
        quint8 attrs;
    };
    // A scroll-back line: one code per cell (blanks at the end left off) and its colour runs.
    struct Line {
        std::u32string chars;
        std::vector<Run> runs;
    };

    friend struct TerminalCallbacks;
    // Plain lines ("text\r\n", printable ASCII) from `bytes`; see feedPlainLines.
    struct PlainLine {
        const char* text;
        int length;
    };
    void write(const char* bytes, qsizetype size);
    // Takes a flood of plain lines from the start of a line, in the terminal's start modes,
    // without handing libvterm the lines that only pass through the screen: their rows go
    // straight into the scroll-back. Leaves the same screen and scroll-back as feeding them all.
    void feedPlainLines(const std::vector<PlainLine>& lines);
    int rowsOf(const PlainLine& line) const;
    void pushPlainRow(const char* text, int length);
    // Counts a row scrolled off the top and gives the scroll-back line to fill with it (the
    // oldest one's when full), or nullptr when no scroll-back is kept.
    Line* scrollOff();
    TerminalCell screenCell(int row, int column) const;
    const Line& scrollbackLine(int index) const;

    VTerm* m_vterm = nullptr;
    VTermScreen* m_screen = nullptr;
    int m_rows;
    int m_columns;
    int m_scrollbackLimit;
    // A ring: m_first is the oldest of m_count lines.
    std::vector<Line> m_scrollback;
    int m_first = 0;
    int m_count = 0;
    qint64 m_scrolledOff = 0;
    bool m_changed = true;
    bool m_cursorVisible = true;
    // No escape sequence or character-set shift since the reset: modes, margins and pen are
    // still as they start, which the plain-line shortcut relies on.
    bool m_startModes = true;
};
