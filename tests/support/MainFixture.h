#pragma once

#include "ScriptedCommonDialog.h"
#include "ScriptedMessages.h"
#include "ScriptedProcesses.h"

#include "shell/AppState.h"

#include <QTemporaryDir>

#include <memory>

class Main;

// Main built on a temporary application folder with the scripted seams. A second temporary
// folder holds the documents a test opens and saves.
class MainFixture {
public:
    // `appFolderName`: the start of the application folder's name, when it matters.
    explicit MainFixture(const QString& appFolderName = {});
    ~MainFixture();

    // Builds and shows Main (again, after a previous one was closed).
    Main& start();
    Main& main() { return *m_main; }
    bool running() const { return m_main != nullptr; }
    // Closes the main window as the user would; true when it closed.
    bool closeMain();

    QString appFolder() const { return m_appFolder.path(); }
    QString docPath(const QString& name) const;
    // Writes bytes into the documents folder and returns the path.
    QString writeDoc(const QString& name, const QByteArray& bytes) const;
    static QByteArray readFile(const QString& path);

    // Everything the scripted seams found wrong: unanswered prompts, answers left unused.
    QStringList problems() const;

    ScriptedCommonDialog dialog;
    ScriptedMessages messages;
    ScriptedProcesses processes;
    // The running program's state; every start() begins with a fresh one, as a new process would.
    AppState state;
    // The compiler driver's path, when it is not "make" in the application folder.
    QString driver;

private:
    QTemporaryDir m_appFolder;
    QTemporaryDir m_docFolder;
    std::unique_ptr<Main> m_main;
};
