#include "tools/ToolCommands.h"

#include "core/DisplayText.h"
#include "core/FileIo.h"
#include "platform/Messages.h"
#include "platform/Processes.h"
#include "tools/ToolCommandLine.h"
#include "tools/customizetools.h"
#include "ui/HostCommands.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

ToolCommands::ToolCommands(HostWindow& host, HostCommands& commands, Platform platform,
                           ToolSlots& tools, QMdiArea& documentArea)
    : m_host(host), m_commands(commands), m_platform(platform), m_slots(tools) {
    m_activation = QObject::connect(&documentArea, &QMdiArea::subWindowActivated,
                                    [this](QMdiSubWindow* window) { keepToolShortcuts(window); });
}

// The client area outlives this object while the main window is torn down.
ToolCommands::~ToolCommands() {
    QObject::disconnect(m_activation);
}

void ToolCommands::RefreshToolsMenu() {
    for (int n = 1; n <= ToolSlots::Count; ++n) {
        QAction* item = m_commands.tool(n);
        const QString& name = m_slots[n].ProgramName;
        item->setEnabled(!name.isEmpty());
        // A caption too long to lay out at once would stall the menu each time it opens. An
        // ampersand in a name is shown as it is, not taken as a mnemonic mark.
        item->setText(name.isEmpty() ? QStringLiteral("No tool")
                                     : displayedText(name).replace(u'&', QStringLiteral("&&")));
    }
}

void ToolCommands::keepToolShortcuts(QMdiSubWindow* window) const {
    if (window == nullptr || window->systemMenu() == nullptr)
        return;
    for (QAction* action : window->systemMenu()->actions()) {
        QList<QKeySequence> keys = action->shortcuts();
        qsizetype removed = 0;
        for (int n = 1; n <= ToolSlots::Count; ++n)
            removed += keys.removeAll(m_commands.tool(n)->shortcut());
        if (removed > 0)
            action->setShortcuts(keys);
    }
}

void ToolCommands::LaunchTool(int n) {
    const ToolSlot& slot = m_slots[n];
    const ToolCommand command = toolCommand(slot.ProgramLocation, slot.Parameters);
    const QString what =
        QStringLiteral("The tool \"%1\" could not be started:").arg(slot.ProgramName);
    QString text;
    if (command.program.isEmpty()) {
        text = what + QStringLiteral("\r\nNo program location is given.");
    } else {
        const StartResult result =
            m_platform.processes.startDetached(command.program, command.arguments);
        if (result.started)
            return;
        text = fileFailureText(what, command.program, result.error);
    }
    m_platform.messages.show(QStringLiteral("Tools"), text, MsgIcon::Critical, MsgButtons::Ok);
}

void ToolCommands::tool_Click(int index) {
    if (index >= 1 && index <= ToolSlots::Count)
        LaunchTool(index);
}

void ToolCommands::addtools_Click() {
    if (m_dialog == nullptr)
        m_dialog = new customizetools(m_host, *this);
    m_dialog->enter();
}
