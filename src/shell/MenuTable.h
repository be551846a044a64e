#pragma once

#include <QKeyCombination>

#include <span>

class Main;

// One menu item: its menu, control name, caption, shortcut, first enabled state and handler.
// A null handler marks a separator; the name "tool" marks where the five tool items go. The "&"
// marks the letter that chooses the item in its open menu; it is underlined, not shown.
struct MenuItem {
    const char* menu;
    const char* name;
    const char* caption;
    QKeyCombination shortcut;
    bool enabled;
    void (Main::*handler)();
};

struct MenuTitle {
    const char* name;
    const char* caption;
};

// Toolbar buttons 1 to 10: key, tool tip and image; an empty key is a separator.
struct ToolbarButton {
    const char* key;
    const char* toolTip;
    int image;
};

// The menus, their items and the toolbar buttons, in the order they appear.
std::span<const MenuTitle> menuTitles();
std::span<const MenuItem> menuItems();
std::span<const ToolbarButton> toolbarButtons();
// The document commands that follow whether any document is open: menu items by control name
// and toolbar buttons by number.
std::span<const char* const> editorMenuCommands();
std::span<const int> editorToolbarButtons();
