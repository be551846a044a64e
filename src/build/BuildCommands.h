#pragma once

#include "build/ErrorLog.h"
#include "platform/Platform.h"

#include <QPointer>
#include <QString>

class Compile;
class ConsolePane;
class Editor;
class BusyState;
class DocumentManager;
class HostWindow;
class ProjectCommands;
class ProjectState;
class ShowErrors;
struct StartResult;

// Run and Create Exe through the external compiler driver, and the report of its error.
class BuildCommands {
public:
    // `driver` is the full path of the compiler driver; the temporary files and the error log
    // live in `applicationFolder`. `busy` takes the commands away while the driver runs.
    BuildCommands(HostWindow& host, BusyState& busy, Platform platform, DocumentManager& documents,
                  ProjectCommands& projects, const ProjectState& project,
                  const QString& applicationFolder, const QString& driver);
    ~BuildCommands();
    BuildCommands(const BuildCommands&) = delete;
    BuildCommands& operator=(const BuildCommands&) = delete;

    // Run: builds the active document (or the saved project) into the temporary executable and
    // has the driver run it.
    void RunProgram();
    // Compile Program: takes the main window's input away and shows the Create Exe dialog.
    void compileprog_Click();
    // Create Exe with `exeName` as the executable to produce. True when the build succeeded and
    // the dialog may close; false when it stays open (nothing to build, unsaved project, a
    // failure the user has been told about, a compile error).
    bool CreateExe(const QString& exeName);

    // Splits the command line by the Windows rules and runs it, waiting for its end.
    StartResult RunAndWait(const QString& commandLine);

    // Shows the error of the non-empty error log. In the single-file form `fileName` is shown
    // as the file; in the project form the log names it. A log that cannot be read is told.
    void ReportCompilerError(ErrorForm form, const QString& fileName);
    // Puts the caret at the start of line `lineNumber`. With a project open (flag 1) in the
    // window whose caption is `fileName`, shown and activated, and nowhere when no window shows
    // that file; otherwise in the active document window.
    void GotoErrorLine(double lineNumber, const QString& fileName, int projectFlag);

    // The dialogs, once created; nullptr before.
    Compile* compileDialog() const;
    ShowErrors* errorDialog() const;
    // The console pane where the driver and the program it runs show.
    ConsolePane* console() const;

private:
    enum class Outcome { Succeeded, Failed, Stopped };

    QString appPath(QStringView name) const;
    // Writes the window's text and one CR LF, in the document's encoding, to the temporary
    // source; tells the user (with `title`) and returns false when it cannot.
    bool writeTemporarySource(Editor& window, const QString& title);
    // Runs the driver and judges the result: a driver that did not start or ended abnormally
    // is reported (titled `title`) and fails without looking at the error log; a non-empty log
    // is reported as a compile error. A build the user stopped reports nothing.
    Outcome build(const QString& commandLine, const QString& title, ErrorForm form,
                  const QString& fileName);
    // Saves the open project before a build and gives its path; false (after telling the user
    // when it has none) when the build must not go on.
    bool saveProjectForBuild(const QString& title, QString& projectPath);
    void removeTemporary(QStringView name) const;

    HostWindow& m_host;
    BusyState& m_busy;
    Platform m_platform;
    DocumentManager& m_documents;
    ProjectCommands& m_projects;
    const ProjectState& m_project;
    QString m_applicationFolder;
    QString m_driver;
    QPointer<Compile> m_compile;
    QPointer<ShowErrors> m_showErrors;
    QPointer<ConsolePane> m_console;
};
