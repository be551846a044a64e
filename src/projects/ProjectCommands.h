#pragma once

#include "platform/Platform.h"

#include <QPointer>
#include <QString>

#include <memory>

class Addfile;
class DocumentManager;
class DocumentTable;
class Editor;
class HostCommands;
class HostWindow;
class ProjectOptions;
class ProjectTree;
class ProjectState;
class QTreeWidget;

// The project commands: Create, Load, Save, Save as and Close, the project tree and its
// handlers, adding and removing members, and the options dialog.
class ProjectCommands {
public:
    // The project tree is `tree`; the project's windows are documents of `manager`.
    ProjectCommands(HostWindow& host, HostCommands& commands, Platform platform,
                    DocumentManager& manager, DocumentTable& documents, ProjectState& project,
                    QTreeWidget& tree);
    ~ProjectCommands();

    // Menu and tree handlers.
    void nproject_Click();
    void lproject_Click();
    void sproject_Click();
    void saveasproj_Click();
    void cproject_Click();
    void addasm_Click();
    void addbas_Click();
    void delfile_Click();
    void poptions_Click();
    void TreeView1_NodeClick();
    void TreeView1_DblClick();

    // Asks for a project file and reads it.
    void LoadProject();
    // Reads the project file at `path` and opens its members. Nothing changes unless the whole
    // file and every member can be read and there is room for them; otherwise the user is told
    // why. True when the project was loaded.
    bool ReadProjectFile(const QString& path);

    // Writes the project file and saves every member: mode 0 asks for the file name, any other
    // mode writes to `path`. Returns true when the project file was written; `path` then holds
    // the file written. Does nothing and returns false while no project is open. When any file
    // cannot be written the user is told which and why, and the project path and main window
    // caption keep their values.
    bool SaveProject(int mode, QString& path);
    // Saves an untitled member under a name asked for until one is given (kind 1 BASIC, any
    // other assembly). Returns the name, or an empty text when the file could not be written.
    QString SaveMemberAs(int slot, int kind);
    // Saves a member to the path in its caption. False when the file could not be written.
    bool SaveMember(int slot);

    // Adds a member of kind AddFileKind, new or existing as chosen in the Add File dialog.
    void AddProjectFile();
    // The lowest free entry of the kind's table (1 BASIC, any other assembly), -1 when full.
    int FirstFreeEntry(int kind) const;
    // Removes the member whose node is selected in the tree, after asking.
    void RemoveProjectFile();

    // Closes every open document window by program code, in slot order; each may ask whether
    // to save. A window whose close is cancelled stays open and is shown.
    void CloseAllDocuments();

    void EnableProjectCommands();
    void DisableProjectCommands();
    // Clears the tree and puts the single node shown while no project is open.
    void showPlaceholderNode();

    // The dialogs, once created (nullptr before).
    Addfile* addfileDialog() const;
    ProjectOptions* optionsDialog() const;

private:
    enum class WindowsClosed { NoneOpen, Declined, Closed };
    // With document windows open, asks (under `title`) whether to close them all, and closes
    // them on Yes.
    WindowsClosed closeAllWindowsFirst(const QString& title);
    void setProjectCommandsEnabled(bool enabled);
    // The no-project state of Close: placeholder node, commands off, caption.
    void enterNoProjectState();
    // The two group nodes, and a node for every used entry labelled with its path.
    void BuildProjectTree();
    void showAddfile();
    // Shows a member's window, makes it active and gives it the focus.
    void showMember(Editor& window);

    HostWindow& m_host;
    HostCommands& m_commands;
    Platform m_platform;
    DocumentManager& m_manager;
    DocumentTable& m_documents;
    ProjectState& m_project;
    std::unique_ptr<ProjectTree> m_tree;
    QPointer<Addfile> m_addfile;
    QPointer<ProjectOptions> m_options;
};
