#include "tools/ToolCommands.h"

#include "shell/Main.h"

#include <QAction>

void ToolCommands::RefreshToolsMenu() {
    for (int n = 1; n <= ToolSlots::Count; ++n) {
        QAction* item = m_main.tool(n);
        const QString& name = m_slots[n].ProgramName;
        item->setEnabled(!name.isEmpty());
        item->setText(name.isEmpty() ? QStringLiteral("No tool") : name);
    }
}
