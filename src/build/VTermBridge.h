#pragma once

#include <Qt>

#include <vterm.h>

#include <cstddef>
#include <functional>

class QString;

// Between Qt and libvterm: keys and pasted text into the terminal, colours and attributes out.

// Types a key into the terminal as a keyboard would: named keys (Return, arrows, F1 ...) as
// their escape sequences, Ctrl with a letter as its control character, other keys as `text`.
void typeKey(VTerm* vterm, int key, Qt::KeyboardModifiers modifiers, const QString& text);
// Sends pasted text to the program as one bracketed paste, its line breaks as CR.
void pasteText(VTerm* vterm, const QString& text,
               const std::function<void(const char*, size_t)>& toProgram);
// A cell colour as 0xAARRGGBB, 0 for the default colour.
quint32 packColour(const VTermScreen* screen, VTermColor colour, bool isDefault);
// A cell's attributes as TerminalCell's flags.
quint8 packAttributes(const VTermScreenCellAttrs& a);
