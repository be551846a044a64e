#include "shell/MenuTable.h"

#include "shell/Main.h"

namespace {

constexpr MenuTitle Menus[] = {
    {"File", "File"},    {"editmenu", "Edit"},   {"Project", "Project"}, {"run", "Run"},
    {"toolsm", "Tools"}, {"options", "Options"}, {"about", "About"},
};

const QKeyCombination None{};

const MenuItem MenuItems[] = {
    {"File", "new", "&New", None, true, &Main::new_Click},
    {"File", "open", "&Open", None, true, &Main::open_Click},
    {"File", "save", "&Save", Qt::CTRL | Qt::Key_S, false, &Main::save_Click},
    {"File", "saveas", "Save &As...", None, true, &Main::saveas_Click},
    {"File", "bar", "-", None, true, nullptr},
    {"File", "exit", "E&xit", None, true, &Main::exit_Click},
    {"editmenu", "Cut", "Cu&t", Qt::CTRL | Qt::Key_X, true, &Main::Cut_Click},
    {"editmenu", "Copy", "&Copy", Qt::CTRL | Qt::Key_C, true, &Main::Copy_Click},
    {"editmenu", "paste", "&Paste", None, true, &Main::paste_Click},
    {"editmenu", "searchagain", "Search &again", QKeyCombination(Qt::Key_F3), false,
     &Main::searchagain_Click},
    {"editmenu", "search", "&Search...", None, true, &Main::Search_Click},
    {"editmenu", "bar2", "-", None, true, nullptr},
    {"editmenu", "sbrowser", "Subs &Browser", QKeyCombination(Qt::Key_F2), true,
     &Main::sbrowser_Click},
    {"Project", "nproject", "&Create", None, true, &Main::nproject_Click},
    {"Project", "lproject", "&Load", None, true, &Main::lproject_Click},
    {"Project", "sproject", "&Save", None, true, &Main::sproject_Click},
    {"Project", "saveasproj", "Save &as...", None, true, &Main::saveasproj_Click},
    {"Project", "cproject", "Cl&ose", None, true, &Main::cproject_Click},
    {"Project", "bar4", "-", None, true, nullptr},
    {"Project", "addasm", "Add Asse&mbly File", None, true, &Main::addasm_Click},
    {"Project", "addbas", "Add &Drell file(bas)", None, true, &Main::addbas_Click},
    {"Project", "delfile", "D&el Selected File", None, false, &Main::delfile_Click},
    {"Project", "bar5", "-", None, true, nullptr},
    {"Project", "poptions", "O&ptions...", None, true, &Main::poptions_Click},
    {"run", "runp", "&Run Program", QKeyCombination(Qt::Key_F5), true, &Main::runp_Click},
    {"run", "compileprog", "&Compile Program", None, true, &Main::compileprog_Click},
    // The five tool items are added in place of this marker.
    {"toolsm", "tool", "", None, true, nullptr},
    {"toolsm", "bar7", "-", None, true, nullptr},
    {"toolsm", "addtools", "&Customize tools", None, true, &Main::addtools_Click},
    {"options", "fontcol", "&Background color", None, true, &Main::fontcol_Click},
    {"options", "Font", "&Font...", None, true, &Main::Font_Click},
    {"about", "aboutvd", "&About...", None, true, &Main::aboutvd_Click},
};

constexpr ToolbarButton ToolbarButtons[] = {
    {"New", "New Program", 4},
    {"Open", "Open File", 5},
    {"Save", "Save File", 1},
    {"", "", 0},
    {"Cut", "Cut Selected Text", 2},
    {"Copy", "Copy selected text", 6},
    {"Paste", "Put text from Clipboard", 3},
    {"Search", "Search...", 7},
    {"", "", 0},
    {"Run", "Run", 12},
};

constexpr const char* EditorMenuCommands[] = {"Copy",     "Cut",  "paste",      "saveas",
                                              "sbrowser", "runp", "compileprog"};
constexpr int EditorToolbarButtons[] = {3, 5, 6, 7, 8, 10};

} // namespace

std::span<const MenuTitle> menuTitles() {
    return Menus;
}

std::span<const MenuItem> menuItems() {
    return MenuItems;
}

std::span<const ToolbarButton> toolbarButtons() {
    return ToolbarButtons;
}

std::span<const char* const> editorMenuCommands() {
    return EditorMenuCommands;
}

std::span<const int> editorToolbarButtons() {
    return EditorToolbarButtons;
}
