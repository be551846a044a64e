#pragma once

class QAction;
class QString;

// What a subsystem may ask of the main window's commands: a menu item by its control name, a
// tool item, and switching the document commands together.
class HostCommands {
public:
    // A menu item by its control name ("save", "runp"); nullptr for an unknown name.
    virtual QAction* action(const QString& name) const = 0;
    // Tool item 1 to 5; nullptr outside that range.
    virtual QAction* tool(int index) const = 0;
    // The commands that need an open document, on the menus and the toolbar.
    virtual void EnableEditorCommands() = 0;
    virtual void DisableEditorCommands() = 0;

protected:
    ~HostCommands() = default;
};
