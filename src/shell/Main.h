#pragma once

#include "core/AppFolder.h"
#include "platform/BusyState.h"
#include "platform/Platform.h"
#include "shell/AppState.h"
#include "shell/InputGate.h"
#include "ui/HostCommands.h"
#include "ui/HostWindow.h"
#include "ui/ImageList.h"

#include <QHash>
#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <utility>

class BuildCommands;
class DocumentManager;
class EditCommands;
class Editor;
class NavigationCommands;
class ProjectCommands;
class QAction;
class QMdiArea;
class QToolBar;
class QTreeWidget;
class ToolCommands;
class ToolSettings;

// The main window: menus, toolbar, project tree and the client area of the document windows.
// It owns the state objects and the command objects of every subsystem, hands each what it uses
// and routes each menu item and toolbar button to one of them.
class Main : public QMainWindow, public BusyState, public HostWindow, public HostCommands {
    Q_OBJECT
public:
    // The application folder holds the settings file and the temporary build files and has no
    // trailing separator; the driver is usually in it, but may lie elsewhere. `state` outlives
    // the window.
    Main(const AppFolders& folders, Platform platform, AppState& state, QWidget* parent = nullptr);
    ~Main() override;

    const ImageList& ImageList1() const override { return m_imageList; }
    QWidget* hostWidget() override { return this; }
    // "Veldra Studio [<what>]".
    void setCaption(const QString& what) override;

    // A menu item by its control name ("save", "runp"); the five tool items are tool(1..5).
    QAction* action(const QString& name) const override;
    QAction* tool(int index) const override;
    // Toolbar button 1 to 10; buttons 4 and 9 are separators.
    QAction* toolbarButton(int number) const;
    QToolBar* Toolbar1 = nullptr;
    QTreeWidget* TreeView1 = nullptr;

    // The active document window, or nullptr when no document window is visible.
    Editor* activeEditor() const;

    // The main window taking no input while a dialog that stands for a modal one is up: menus,
    // toolbar, shortcuts, tree and document windows are off, while the dialog keeps working.
    void setInputEnabled(bool enabled) override { m_gate.setInputEnabled(enabled); }
    bool inputEnabled() const override { return m_gate.inputEnabled(); }
    // While the compiler driver runs nothing of the main window takes input either. Both
    // states nest freely with each other.
    void enterBusy() override { m_gate.enterBusy(); }
    void leaveBusy() override { m_gate.leaveBusy(); }
    bool busy() const override { return m_gate.busy(); }

    bool AnyEditorOpen() const { return m_documents.AnyEditorOpen(); }
    void EnableEditorCommands() override;
    void DisableEditorCommands() override;

    // Menu handlers.
    void new_Click();
    void open_Click();
    void save_Click();
    void saveas_Click();
    void exit_Click();
    void Cut_Click();
    void Copy_Click();
    void paste_Click();
    void searchagain_Click();
    void Search_Click();
    void sbrowser_Click();
    void nproject_Click();
    void lproject_Click();
    void sproject_Click();
    void saveasproj_Click();
    void cproject_Click();
    void addasm_Click();
    void addbas_Click();
    void delfile_Click();
    void poptions_Click();
    void runp_Click();
    void compileprog_Click();
    void tool_Click(int index);
    void addtools_Click();
    void fontcol_Click();
    void Font_Click();
    void aboutvd_Click();
    void Toolbar1_ButtonClick(QAction* button);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The one test every command passes, whatever triggered it (menu, shortcut, toolbar,
    // assistive technology, the tree): no command runs while a build runs or while a dialog
    // that stands for a modal one is up.
    bool commandsAllowed() const { return m_gate.commandsAllowed(); }
    void createActions();
    // The toolbar, on `place` above the tree and the document windows.
    void createToolbar(QWidget* place);
    void MDIForm_Load();
    void MDIForm_Resize();
    void MDIForm_Unload();
    void MakeToolbarFlat(QWidget* control);
    // Connects `action` to `command` through the command gate and puts it under the gate's
    // blocked layer.
    void route(QAction* action, std::function<void()> command) {
        m_gate.route(action, std::move(command));
    }

    Platform m_platform;
    DocumentTable& m_documents;
    ProjectState& m_project;
    ImageList m_imageList;
    InputGate m_gate{*this};

    QHash<QString, QAction*> m_actions;
    std::array<QAction*, 6> m_toolItems{};
    std::array<QAction*, 11> m_toolbarButtons{};
    QMdiArea* m_mdiArea = nullptr;

    std::unique_ptr<DocumentManager> m_documentManager;
    std::unique_ptr<EditCommands> m_editCommands;
    std::unique_ptr<NavigationCommands> m_navigation;
    std::unique_ptr<ProjectCommands> m_projectCommands;
    std::unique_ptr<BuildCommands> m_buildCommands;
    std::unique_ptr<ToolCommands> m_toolCommands;
    std::unique_ptr<ToolSettings> m_toolSettings;
};
