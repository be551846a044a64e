// The editor styles its text itself and never sets a lexer, so the component is built without
// its lexer registry and language lexers. The Qt layer still calls the registry's entry point
// once when the first editor is made; with no lexers there is nothing for it to link in.

#include "Scintilla.h"

int Scintilla_LinkLexers(void) {
    return 0;
}
