#pragma once

#include "MainFixture.h"

#include <QObject>

#include <memory>

class Addfile;
class Compile;
class ConsolePane;
class DocumentTable;
class Editor;
class EditorText;
class Main;
class ProjectState;
class QAction;
class QMdiArea;
class QTreeWidgetItem;
class SearchBox;
class ShowErrors;
class SubBrowser;
class ToolSlots;

// Base of the window tests: every test function gets a fresh Main on a temporary application
// folder, and fails when a prompt came unexpected or a scripted answer was left unused. Tests
// reach the application's objects only through the accessors below, and run commands only
// through trigger(), so that the enabled state and the input guard are exercised too.
class WindowTest : public QObject {
    Q_OBJECT

protected:
    MainFixture& fx() { return *m_fixture; }
    // Main, built on first use and again after it closed (so that a test can set the fixture
    // up first, or restart the program).
    Main& main();
    // A fresh fixture whose application folder's name starts with `appFolderName`.
    void restart(const QString& appFolderName = {});

    // Asserts that the action with this reference name is enabled, then triggers it.
    void trigger(const char* name);
    // Opens a file through the Open command; returns its window.
    Editor* open(const QString& path);
    Editor* newDocument();
    // Loads a project file through Load Project (answering the close-all question when asked).
    void loadProject(const QString& path);

    DocumentTable& documents();
    ProjectState& project();
    Editor* active();
    Editor* editor(int slot);
    EditorText* text(); // the active window's text
    QMdiArea* documentArea();
    ToolSlots& toolSlots();
    Compile* compileDialog();
    ShowErrors* errorDialog();
    ConsolePane* console();
    Addfile* addfileDialog();
    SearchBox* searchDialog();
    SubBrowser* browserDialog();

    // Whole states as lines, for one-line comparisons.
    QStringList boxes() const;       // every message box shown: "title|text|icon|buttons"
    QStringList fileDialogs() const; // every file dialog: "kind|name|filter|index|flags"
    QStringList tree();              // the tree: "key=text@image", children indented
    QTreeWidgetItem* node(const QString& key);

private Q_SLOTS:
    void init();
    void cleanup();

private:
    std::unique_ptr<MainFixture> m_fixture;
};

QString box(const QString& title, const QString& text, MsgIcon icon, MsgButtons buttons);
void flushDeletes();
