#pragma once

class CommonDialog;
class DocumentManager;
class DocumentTable;
struct SlotAppearance;

// Clipboard commands on the active document, and the editors' font and background colour.
class EditCommands {
public:
    EditCommands(DocumentManager& manager, DocumentTable& table, CommonDialog& dialog)
        : m_manager(manager), m_table(table), m_dialog(dialog) {}

    // Each acts on the active document window; with none visible they do nothing.
    void CopySelection();
    void CutSelection();
    void PasteClipboard();
    // Both apply the choice to all 26 slots: the open windows at once, the others when their
    // next document opens. A cancelled dialog applies nothing.
    void Font_Click();
    void fontcol_Click();

private:
    // The look the dialogs start from: the active window's, or the next new document's.
    const SlotAppearance& currentAppearance() const;
    void applyToAllSlots();

    DocumentManager& m_manager;
    DocumentTable& m_table;
    CommonDialog& m_dialog;
};
