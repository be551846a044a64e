#pragma once

class Main;

// Clipboard commands on the active document, and the editors' font and background colour.
class EditCommands {
public:
    explicit EditCommands(Main& main) : m_main(main) {}

    void CopySelection() {}
    void CutSelection() {}
    void PasteClipboard() {}
    void Font_Click() {}
    void fontcol_Click() {}

private:
    [[maybe_unused]] Main& m_main;
};
