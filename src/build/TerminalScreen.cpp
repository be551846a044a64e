#include "build/TerminalScreen.h"

#include "build/VTermBridge.h"

#include <vterm.h>

#include <algorithm>
#include <cstring>

struct TerminalCallbacks {
    static int damage(VTermRect, void* user) {
        static_cast<TerminalScreen*>(user)->m_changed = true;
        return 1;
    }
    static int moveRect(VTermRect, VTermRect, void* user) { return damage({}, user); }
    static int moveCursor(VTermPos, VTermPos, int, void* user) { return damage({}, user); }
    static int setProperty(VTermProp property, VTermValue* value, void* user) {
        if (property == VTERM_PROP_CURSORVISIBLE)
            static_cast<TerminalScreen*>(user)->m_cursorVisible = value->boolean != 0;
        return damage({}, user);
    }
    static int pushLine(int columns, const VTermScreenCell* cells, void* user);
    static int popLine(int columns, VTermScreenCell* cells, void* user);
    static void output(const char* bytes, size_t size, void* user) {
        auto* terminal = static_cast<TerminalScreen*>(user);
        if (terminal->toProgram)
            terminal->toProgram(bytes, size);
    }
    static constexpr VTermScreenCallbacks callbacks = {
        damage, moveRect, moveCursor, setProperty, nullptr, nullptr, pushLine, popLine,
    };
};

TerminalScreen::TerminalScreen(int rows, int columns, int scrollbackLimit)
    : m_rows(std::max(rows, 1)), m_columns(std::max(columns, 1)),
      m_scrollbackLimit(std::max(scrollbackLimit, 0)) {
    m_vterm = vterm_new(m_rows, m_columns);
    vterm_set_utf8(m_vterm, 1);
    vterm_output_set_callback(m_vterm, &TerminalCallbacks::output, this);
    m_screen = vterm_obtain_screen(m_vterm);
    vterm_screen_set_callbacks(m_screen, &TerminalCallbacks::callbacks, this);
    // One damage report per feed: the view repaints on its own schedule anyway.
    vterm_screen_set_damage_merge(m_screen, VTERM_DAMAGE_SCROLL);
    vterm_screen_enable_altscreen(m_screen, 1);
    vterm_screen_reset(m_screen, 1);
    m_scrollback.resize(static_cast<size_t>(m_scrollbackLimit));
}

TerminalScreen::~TerminalScreen() {
    vterm_free(m_vterm);
}

void TerminalScreen::write(const char* bytes, qsizetype size) {
    if (size > 0)
        vterm_input_write(m_vterm, bytes, static_cast<size_t>(size));
}

void TerminalScreen::feed(const char* bytes, qsizetype size) {
    if (size <= 0)
        return;
    if (m_startModes) {
        for (qsizetype i = 0; i < size; ++i) {
            const char c = bytes[i];
            if (c == '\x1b' || c == '\x0e' || c == '\x0f') {
                m_startModes = false;
                break;
            }
        }
    }
    // Below this many rows of plain lines in one piece the shortcut saves little.
    const int worthwhile = 3 * m_rows + 8;
    qsizetype pos = 0;
    while (m_startModes && pos < size) {
        // Complete plain lines from here.
        std::vector<PlainLine> lines;
        int rows = 0;
        qsizetype end = pos;
        for (qsizetype start = pos; start < size;) {
            qsizetype i = start;
            while (i < size && bytes[i] >= 0x20 && bytes[i] <= 0x7e)
                ++i;
            if (i + 1 >= size || bytes[i] != '\r' || bytes[i + 1] != '\n')
                break;
            lines.push_back({bytes + start, int(i - start)});
            rows += rowsOf(lines.back());
            start = end = i + 2;
        }
        // (One column has no start of a line: the cursor may stand there waiting to wrap.)
        const bool lineStart = m_columns > 1 && cursor().x() == 0;
        if (lineStart && rows >= worthwhile) {
            feedPlainLines(lines);
            pos = end;
            continue;
        }
        // The usual way: the plain lines found (or, off the start of a line, the rest of this
        // one) and up to the next line feed.
        const qsizetype from = lineStart ? end : pos;
        const auto* lf =
            static_cast<const char*>(std::memchr(bytes + from, '\n', size_t(size - from)));
        const qsizetype next = lf != nullptr ? lf - bytes + 1 : size;
        write(bytes + pos, next - pos);
        pos = next;
    }
    write(bytes + pos, size - pos);
    vterm_screen_flush_damage(m_screen);
}

int TerminalScreen::rowsOf(const PlainLine& line) const {
    return std::max(1, (line.length + m_columns - 1) / m_columns);
}

void TerminalScreen::feedPlainLines(const std::vector<PlainLine>& lines) {
    // Until a line feed scrolls the screen, lines go through libvterm; after that the cursor
    // stands at the start of a blank last row.
    size_t next = 0;
    bool scrolled = false;
    while (!scrolled && next < lines.size()) {
        const PlainLine& line = lines[next++];
        write(line.text, line.length + 1); // and the CR
        const qint64 before = m_scrolledOff;
        write("\n", 1);
        scrolled = m_scrolledOff > before;
    }
    // The last lines that fill the screen (all rows but the cursor's) are fed as usual; the
    // ones between only pass through.
    const int fill = std::max(m_rows - 1, 1);
    size_t tail = lines.size();
    for (int rows = 0; tail > next && rows < fill;)
        rows += rowsOf(lines[--tail]);
    if (scrolled && tail > next) {
        // The screen's rows above the cursor scroll off first, as they would line by line.
        std::vector<VTermScreenCell> cells(static_cast<size_t>(m_columns));
        for (int row = 0; row < m_rows - 1; ++row) {
            for (int column = 0; column < m_columns; ++column)
                vterm_screen_get_cell(m_screen, VTermPos{row, column},
                                      &cells[static_cast<size_t>(column)]);
            TerminalCallbacks::pushLine(m_columns, cells.data(), this);
        }
        write("\x1b[H\x1b[2J", 7);
        for (; next < tail; ++next) {
            const PlainLine& line = lines[next];
            int done = 0;
            do {
                const int length = std::min(m_columns, line.length - done);
                pushPlainRow(line.text + done, length);
                done += length;
            } while (done < line.length);
        }
    }
    if (next < lines.size()) {
        const PlainLine& last = lines.back();
        write(lines[next].text, last.text + last.length + 2 - lines[next].text);
    }
}

TerminalScreen::Line* TerminalScreen::scrollOff() {
    ++m_scrolledOff;
    m_changed = true;
    if (m_scrollbackLimit == 0)
        return nullptr;
    if (m_count < m_scrollbackLimit)
        return &m_scrollback[static_cast<size_t>((m_first + m_count++) % m_scrollbackLimit)];
    // Full: the oldest line makes room (and lends its storage).
    Line* line = &m_scrollback[static_cast<size_t>(m_first)];
    m_first = (m_first + 1) % m_scrollbackLimit;
    return line;
}

void TerminalScreen::pushPlainRow(const char* text, int length) {
    Line* line = scrollOff();
    if (line == nullptr)
        return;
    line->chars.assign(text, text + length);
    line->runs.clear();
    if (length > 0)
        line->runs.push_back({0, 0, 0, 0});
}

void TerminalScreen::resize(int rows, int columns) {
    rows = std::max(rows, 1);
    columns = std::max(columns, 1);
    if (rows == m_rows && columns == m_columns)
        return;
    m_rows = rows;
    m_columns = columns;
    vterm_set_size(m_vterm, rows, columns);
    vterm_screen_flush_damage(m_screen);
    m_changed = true;
}

void TerminalScreen::reset() {
    vterm_screen_reset(m_screen, 1);
    m_startModes = true;
    m_first = 0;
    m_count = 0;
    m_scrolledOff = 0;
    for (Line& line : m_scrollback)
        line = Line();
    m_cursorVisible = true;
    m_changed = true;
}

int TerminalScreen::scrollbackLines() const {
    return m_count;
}

const TerminalScreen::Line& TerminalScreen::scrollbackLine(int index) const {
    return m_scrollback[static_cast<size_t>((m_first + index) % m_scrollbackLimit)];
}

TerminalCell TerminalScreen::screenCell(int row, int column) const {
    VTermScreenCell cell{};
    vterm_screen_get_cell(m_screen, VTermPos{row, column}, &cell);
    TerminalCell result;
    const uint32_t ch = cell.chars[0];
    result.ch = ch == 0 ? U' ' : ch == uint32_t(-1) ? U'\0' : char32_t(ch);
    result.width = static_cast<quint8>(std::max<int>(cell.width, 1));
    result.attrs = packAttributes(cell.attrs);
    result.fg = packColour(m_screen, cell.fg, VTERM_COLOR_IS_DEFAULT_FG(&cell.fg));
    result.bg = packColour(m_screen, cell.bg, VTERM_COLOR_IS_DEFAULT_BG(&cell.bg));
    return result;
}

TerminalCell TerminalScreen::cell(int line, int column) const {
    if (line < 0 || line >= lineCount() || column < 0 || column >= m_columns)
        return {};
    if (line >= m_count)
        return screenCell(line - m_count, column);
    const Line& stored = scrollbackLine(line);
    TerminalCell result;
    if (column < static_cast<int>(stored.chars.size()))
        result.ch = stored.chars[static_cast<size_t>(column)];
    if (result.ch != 0 && column + 1 < static_cast<int>(stored.chars.size()) &&
        stored.chars[static_cast<size_t>(column) + 1] == 0)
        result.width = 2;
    for (const Run& run : stored.runs) {
        if (run.start > column)
            break;
        result.fg = run.fg;
        result.bg = run.bg;
        result.attrs = run.attrs;
    }
    return result;
}

QString TerminalScreen::lineText(int line) const {
    QString text;
    if (line < 0 || line >= lineCount())
        return text;
    if (line < m_count) {
        for (const char32_t ch : scrollbackLine(line).chars) {
            if (ch != 0)
                text += QString::fromUcs4(&ch, 1);
        }
    } else {
        VTermScreenCell raw{};
        for (int column = 0; column < m_columns; ++column) {
            vterm_screen_get_cell(m_screen, VTermPos{line - m_count, column}, &raw);
            if (raw.chars[0] == uint32_t(-1))
                continue;
            if (raw.chars[0] == 0) {
                text += u' ';
                continue;
            }
            for (int i = 0; i < VTERM_MAX_CHARS_PER_CELL && raw.chars[i] != 0; ++i) {
                const char32_t ch = raw.chars[i];
                text += QString::fromUcs4(&ch, 1);
            }
        }
    }
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    text.truncate(end);
    return text;
}

QString TerminalScreen::text(int first, int last) const {
    QString result;
    for (int line = std::max(first, 0); line <= last && line < lineCount(); ++line)
        result += lineText(line) + u'\n';
    return result;
}

QPoint TerminalScreen::cursor() const {
    VTermPos position{};
    vterm_state_get_cursorpos(vterm_obtain_state(m_vterm), &position);
    return {position.col, m_count + position.row};
}

int TerminalCallbacks::pushLine(int columns, const VTermScreenCell* cells, void* user) {
    TerminalScreen& t = *static_cast<TerminalScreen*>(user);
    TerminalScreen::Line* line = t.scrollOff();
    if (line == nullptr)
        return 1;
    // Blank cells in the default colours at the end of the line are left off.
    int length = columns;
    while (length > 0 && cells[length - 1].chars[0] == 0 && cells[length - 1].attrs.reverse == 0 &&
           VTERM_COLOR_IS_DEFAULT_BG(&cells[length - 1].bg))
        --length;
    line->chars.resize(static_cast<size_t>(length));
    line->runs.clear();
    const VTermScreenCell* previous = nullptr;
    for (int column = 0; column < length; ++column) {
        const VTermScreenCell& c = cells[column];
        const uint32_t ch = c.chars[0];
        line->chars[static_cast<size_t>(column)] = ch == 0              ? U' '
                                                   : ch == uint32_t(-1) ? U'\0'
                                                                        : char32_t(ch);
        const quint8 attrs = packAttributes(c.attrs);
        if (previous != nullptr && vterm_color_is_equal(&previous->fg, &c.fg) &&
            vterm_color_is_equal(&previous->bg, &c.bg) && line->runs.back().attrs == attrs)
            continue;
        line->runs.push_back(
            {column, packColour(t.m_screen, c.fg, VTERM_COLOR_IS_DEFAULT_FG(&c.fg)),
             packColour(t.m_screen, c.bg, VTERM_COLOR_IS_DEFAULT_BG(&c.bg)), attrs});
        previous = &c;
    }
    return 1;
}

int TerminalCallbacks::popLine(int columns, VTermScreenCell* cells, void* user) {
    TerminalScreen& t = *static_cast<TerminalScreen*>(user);
    if (t.m_count == 0)
        return 0;
    --t.m_count;
    --t.m_scrolledOff;
    t.m_changed = true;
    const TerminalScreen::Line& line = t.scrollbackLine(t.m_count);
    VTermColor defaultFg;
    VTermColor defaultBg;
    vterm_state_get_default_colors(vterm_obtain_state(t.m_vterm), &defaultFg, &defaultBg);
    auto colour = [](quint32 packed, const VTermColor& fallback) {
        VTermColor result = fallback;
        if (packed != 0)
            vterm_color_rgb(&result, uint8_t(packed >> 16), uint8_t(packed >> 8), uint8_t(packed));
        return result;
    };
    size_t run = 0;
    for (int column = 0; column < columns; ++column) {
        VTermScreenCell& c = cells[column];
        c = VTermScreenCell{};
        c.width = 1;
        c.fg = defaultFg;
        c.bg = defaultBg;
        if (column >= static_cast<int>(line.chars.size()))
            continue;
        const char32_t ch = line.chars[static_cast<size_t>(column)];
        c.chars[0] = ch == 0 ? uint32_t(-1) : uint32_t(ch);
        while (run + 1 < line.runs.size() && line.runs[run + 1].start <= column)
            ++run;
        if (!line.runs.empty()) {
            const TerminalScreen::Run& r = line.runs[run];
            c.fg = colour(r.fg, defaultFg);
            c.bg = colour(r.bg, defaultBg);
            c.attrs.bold = (r.attrs & TerminalCell::Bold) != 0;
            c.attrs.underline = (r.attrs & TerminalCell::Underline) != 0 ? 1 : 0;
            c.attrs.italic = (r.attrs & TerminalCell::Italic) != 0;
            c.attrs.reverse = (r.attrs & TerminalCell::Reverse) != 0;
            c.attrs.strike = (r.attrs & TerminalCell::Strike) != 0;
        }
    }
    return 1;
}

void TerminalScreen::sendKey(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    typeKey(m_vterm, key, modifiers, text);
}

void TerminalScreen::paste(const QString& text) {
    pasteText(m_vterm, text, toProgram);
}

bool TerminalScreen::takeChanged() {
    const bool changed = m_changed;
    m_changed = false;
    return changed;
}
