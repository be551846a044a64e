#include "documents/EditCommands.h"

#include "documents/DocumentManager.h"
#include "documents/DocumentTable.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "platform/CommonDialog.h"

#include <QClipboard>
#include <QGuiApplication>

void EditCommands::CopySelection() {
    if (Editor* editor = m_manager.activeEditor())
        QGuiApplication::clipboard()->setText(editor->Text1->selectedWholeText());
}

void EditCommands::CutSelection() {
    Editor* editor = m_manager.activeEditor();
    if (editor == nullptr)
        return;
    QGuiApplication::clipboard()->setText(editor->Text1->selectedWholeText());
    if (editor->Text1->selLength() > 0)
        editor->Text1->replaceSelection(QString());
}

void EditCommands::PasteClipboard() {
    Editor* editor = m_manager.activeEditor();
    if (editor == nullptr)
        return;
    // Plain text only: with a picture or nothing on the clipboard this is empty, and the
    // selection is removed.
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty() && editor->Text1->selLength() == 0)
        return;
    editor->Text1->replaceSelection(text);
}

const SlotAppearance& EditCommands::currentAppearance() const {
    if (Editor* editor = m_manager.activeEditor())
        return editor->Text1->appearance();
    const DocumentTable& table = m_table;
    const int free = table.FindFreeSlot();
    return table.Appearance[free >= 0 ? free : 0];
}

void EditCommands::Font_Click() {
    CommonDialog& dialog = m_dialog;
    dialog.Flags = CommonDialog::ScreenFonts | CommonDialog::ForceFontExist;
    dialog.Font = currentAppearance().font;
    if (!dialog.ShowFont())
        return;
    for (SlotAppearance& appearance : m_table.Appearance)
        appearance.font = dialog.Font;
    applyToAllSlots();
}

void EditCommands::fontcol_Click() {
    CommonDialog& dialog = m_dialog;
    dialog.Flags = 0;
    dialog.Color = currentAppearance().background;
    if (!dialog.ShowColor())
        return;
    for (SlotAppearance& appearance : m_table.Appearance)
        appearance.background = dialog.Color;
    applyToAllSlots();
}

void EditCommands::applyToAllSlots() {
    for (Editor* editor : m_manager.openEditors())
        editor->Text1->setAppearance(m_table.Appearance[editor->slot()]);
}
