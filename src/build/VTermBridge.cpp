#include "build/VTermBridge.h"

#include "build/TerminalScreen.h"

#include <QList>
#include <QString>

namespace {

VTermModifier modifiersOf(Qt::KeyboardModifiers modifiers) {
    int result = VTERM_MOD_NONE;
    if (modifiers & Qt::ShiftModifier)
        result |= VTERM_MOD_SHIFT;
    if (modifiers & Qt::AltModifier)
        result |= VTERM_MOD_ALT;
    if (modifiers & Qt::ControlModifier)
        result |= VTERM_MOD_CTRL;
    return static_cast<VTermModifier>(result);
}

VTermKey vtermKey(int key) {
    switch (key) {
    case Qt::Key_Return:
        return VTERM_KEY_ENTER;
    case Qt::Key_Enter:
        return VTERM_KEY_KP_ENTER;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VTERM_KEY_TAB;
    case Qt::Key_Backspace:
        return VTERM_KEY_BACKSPACE;
    case Qt::Key_Escape:
        return VTERM_KEY_ESCAPE;
    case Qt::Key_Up:
        return VTERM_KEY_UP;
    case Qt::Key_Down:
        return VTERM_KEY_DOWN;
    case Qt::Key_Left:
        return VTERM_KEY_LEFT;
    case Qt::Key_Right:
        return VTERM_KEY_RIGHT;
    case Qt::Key_Insert:
        return VTERM_KEY_INS;
    case Qt::Key_Delete:
        return VTERM_KEY_DEL;
    case Qt::Key_Home:
        return VTERM_KEY_HOME;
    case Qt::Key_End:
        return VTERM_KEY_END;
    case Qt::Key_PageUp:
        return VTERM_KEY_PAGEUP;
    case Qt::Key_PageDown:
        return VTERM_KEY_PAGEDOWN;
    default:
        if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
            return static_cast<VTermKey>(VTERM_KEY_FUNCTION(key - Qt::Key_F1 + 1));
        return VTERM_KEY_NONE;
    }
}

} // namespace

void typeKey(VTerm* vterm, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    const VTermModifier mod = modifiersOf(modifiers);
    const VTermKey vkey = vtermKey(key);
    if (vkey != VTERM_KEY_NONE) {
        vterm_keyboard_key(vterm, vkey, mod);
        return;
    }
    // Ctrl with a letter types the control character (Ctrl+C interrupts through the terminal,
    // Ctrl+D ends the input); libvterm makes it from the letter and the modifier.
    if ((modifiers & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
        vterm_keyboard_unichar(vterm, uint32_t('a' + (key - Qt::Key_A)),
                               static_cast<VTermModifier>(mod & ~VTERM_MOD_SHIFT));
        return;
    }
    // Shift is already in the text.
    const VTermModifier textMod = static_cast<VTermModifier>(mod & ~VTERM_MOD_SHIFT);
    for (const uint ch : text.toUcs4()) {
        if (ch >= 0x20 && ch != 0x7f)
            vterm_keyboard_unichar(vterm, uint32_t(ch), textMod);
    }
}

void pasteText(VTerm* vterm, const QString& text,
               const std::function<void(const char*, size_t)>& toProgram) {
    vterm_keyboard_start_paste(vterm);
    QString lines = text;
    // A terminal sends Return as CR, so pasted line breaks do too.
    lines.replace(QLatin1String("\r\n"), QLatin1String("\r")).replace(u'\n', u'\r');
    const QByteArray bytes = lines.toUtf8();
    if (toProgram)
        toProgram(bytes.constData(), static_cast<size_t>(bytes.size()));
    vterm_keyboard_end_paste(vterm);
}

quint32 packColour(const VTermScreen* screen, VTermColor colour, bool isDefault) {
    if (isDefault)
        return 0;
    vterm_screen_convert_color_to_rgb(screen, &colour);
    return 0xff000000u | (quint32(colour.rgb.red) << 16) | (quint32(colour.rgb.green) << 8) |
           colour.rgb.blue;
}

quint8 packAttributes(const VTermScreenCellAttrs& a) {
    return static_cast<quint8>(
        (a.bold ? TerminalCell::Bold : 0) | (a.underline ? TerminalCell::Underline : 0) |
        (a.italic ? TerminalCell::Italic : 0) | (a.reverse ? TerminalCell::Reverse : 0) |
        (a.strike ? TerminalCell::Strike : 0));
}
