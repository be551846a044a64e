#pragma once

#include "platform/Platform.h"
#include "tools/ToolSlots.h"

#include <QMetaObject>
#include <QPointer>

class HostCommands;
class HostWindow;
class QMdiArea;
class QMdiSubWindow;
class customizetools;

// The user tools: the Tools menu, starting a tool and the tools dialog.
class ToolCommands {
public:
    // The tool items live in `commands`; `documentArea` holds the document windows, whose own
    // menus must not take the tool keys.
    ToolCommands(HostWindow& host, HostCommands& commands, Platform platform, ToolSlots& tools,
                 QMdiArea& documentArea);
    ~ToolCommands();

    ToolSlots& toolSlots() { return m_slots; }

    // Brings the five tool items in line with the slots.
    void RefreshToolsMenu();
    // Starts tool n without waiting for it; a tool that cannot start is reported by name.
    void LaunchTool(int n);
    void tool_Click(int index);
    // Shows the tools dialog and takes input away from the main window while it is up.
    void addtools_Click();

private:
    // A document window's own menu closes it with Ctrl+F4 (and Ctrl+W); one key on two enabled
    // actions fires neither, so the tool keys Ctrl+F1 to Ctrl+F5 are taken off that menu.
    void keepToolShortcuts(QMdiSubWindow* window) const;

    HostWindow& m_host;
    HostCommands& m_commands;
    Platform m_platform;
    ToolSlots& m_slots;
    QPointer<customizetools> m_dialog;
    QMetaObject::Connection m_activation;
};
