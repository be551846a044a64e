#pragma once

#include "tools/ToolSlots.h"

class Main;

// The user tools: the Tools menu, starting a tool, the tools dialog and the settings file that
// keeps them from one run to the next.
class ToolCommands {
public:
    explicit ToolCommands(Main& main) : m_main(main) {}

    ToolSlots& toolSlots() { return m_slots; }

    // Brings the five tool items in line with the slots.
    void RefreshToolsMenu();
    void tool_Click(int) {}
    void addtools_Click() {}
    void LoadSettings() {}
    void SaveSettings() {}

private:
    Main& m_main;
    ToolSlots m_slots;
};
