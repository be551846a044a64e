#pragma once

#include "core/TextCodec.h"
#include "tools/ToolSlots.h"

#include <QMetaObject>
#include <QPointer>

class Main;
class QMdiSubWindow;
class customizetools;

// The user tools: the Tools menu, starting a tool, the tools dialog and the settings file that
// keeps them from one run to the next.
class ToolCommands {
public:
    explicit ToolCommands(Main& main);
    ~ToolCommands();

    ToolSlots& toolSlots() { return m_slots; }
    // The tools dialog, or nullptr before its first use.
    customizetools* dialog() const;

    // Brings the five tool items in line with the slots.
    void RefreshToolsMenu();
    // Starts tool n without waiting for it; a tool that cannot start is reported by name.
    void LaunchTool(int n);
    void tool_Click(int index);
    // Shows the tools dialog and takes input away from the main window while it is up.
    void addtools_Click();

    // The settings file in the application folder: read at start-up, written at shut-down.
    QString settingsPath() const;
    void LoadSettings();
    void SaveSettings();

private:
    // A document window's own menu closes it with Ctrl+F4 (and Ctrl+W); one key on two enabled
    // actions fires neither, so the tool keys Ctrl+F1 to Ctrl+F5 are taken off that menu.
    void keepToolShortcuts(QMdiSubWindow* window) const;

    Main& m_main;
    ToolSlots m_slots;
    QPointer<customizetools> m_dialog;
    QMetaObject::Connection m_activation;
    // The settings file is written back in the encoding it was read in.
    TextEncoding m_settingsEncoding = TextEncoding::Utf8;
};
