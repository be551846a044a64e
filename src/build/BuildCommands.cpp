#include "build/BuildCommands.h"

#include "build/BuildCommandLines.h"
#include "build/Compile.h"
#include "build/ConsolePane.h"
#include "build/LineWalk.h"
#include "build/ShowErrors.h"
#include "core/CommandLine.h"
#include "core/FileIo.h"
#include "core/PathNames.h"
#include "core/TextCodec.h"
#include "documents/DocumentManager.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "platform/BusyState.h"
#include "platform/Messages.h"
#include "platform/Processes.h"
#include "projects/ProjectCommands.h"
#include "projects/ProjectState.h"
#include "ui/HostWindow.h"
#include "ui/StandInDialog.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString RunTitle = QStringLiteral("Can't run");
const QString CompileTitle = QStringLiteral("Can't compile");

} // namespace

BuildCommands::BuildCommands(HostWindow& host, BusyState& busy, Platform platform,
                             DocumentManager& documents, ProjectCommands& projects,
                             const ProjectState& project, const QString& applicationFolder,
                             const QString& driver)
    : m_host(host), m_busy(busy), m_platform(platform), m_documents(documents),
      m_projects(projects), m_project(project), m_applicationFolder(applicationFolder),
      m_driver(driver), m_console(new ConsolePane(host.hostWidget())) {
    m_console->hide();
    m_platform.processes.setConsole(m_console);
}

BuildCommands::~BuildCommands() {
    m_platform.processes.setConsole(nullptr);
}

Compile* BuildCommands::compileDialog() const {
    return m_compile;
}

ShowErrors* BuildCommands::errorDialog() const {
    return m_showErrors;
}

ConsolePane* BuildCommands::console() const {
    return m_console;
}

QString BuildCommands::appPath(QStringView name) const {
    return JoinPath(m_applicationFolder, name.toString());
}

void BuildCommands::removeTemporary(QStringView name) const {
    // A file that is not there (a failed build produced none) is skipped silently.
    QFile::remove(appPath(name));
}

bool BuildCommands::writeTemporarySource(Editor& window, const QString& title) {
    // CR LF line ends, which the compiler reads whatever the convention of the document's own
    // file. The document keeps its encoding: this is not its file.
    TextEncoding encoding = window.encoding();
    const QByteArray bytes = window.fileBytes(encoding, LineEnding::CrLf);
    const QString path = appPath(kTemporarySource);
    QString error;
    if (writeFreshFile(path, bytes, &error))
        return true;
    reportFileFailure(m_platform.messages, title,
                      QStringLiteral("The temporary source could not be written:"), path, error);
    return false;
}

StartResult BuildCommands::RunAndWait(const QString& commandLine) {
    // The line names the driver in the application folder by its known path: taking it back out
    // by splitting would stop at a blank or quote in that folder and start another program. The
    // driver is started from where it was found, which can be the executable's folder.
    const QString named = appPath(kDriverName);
    if (!commandLine.startsWith(named))
        return {false, QStringLiteral("The command line does not start with the compiler driver")};
    const BusyScope busy(m_busy);
    return m_platform.processes.runAndWait(m_driver, splitArguments(commandLine.mid(named.size())));
}

BuildCommands::Outcome BuildCommands::build(const QString& commandLine, const QString& title,
                                            ErrorForm form, const QString& fileName) {
    m_console->startBuild();
    const StartResult result = RunAndWait(commandLine);
    // Stopped: whatever the log holds may be stale, and success is not known.
    if (result.stopped)
        return Outcome::Stopped;
    if (!result.started || result.crashed) {
        // Neither success nor a log left by an earlier build may be reported for a build that
        // did not happen.
        const QString what = result.started
                                 ? QStringLiteral("The compiler driver ended abnormally:")
                                 : QStringLiteral("The compiler driver could not be started:");
        QString text = fileFailureText(what, m_driver, result.error);
        // Where a driver of one's own belongs, which is not always beside the executable.
        if (!result.started)
            text += QStringLiteral("\r\nThe application folder is ") + m_applicationFolder +
                    QLatin1Char('.');
        m_platform.messages.show(title, text, MsgIcon::Critical, MsgButtons::Ok);
        return Outcome::Failed;
    }
    // A missing or empty log means success; its length alone decides.
    const QFileInfo log(appPath(kErrorLog));
    if (!log.exists() || (log.isFile() && log.size() == 0))
        return Outcome::Succeeded;
    ReportCompilerError(form, fileName);
    return Outcome::Failed;
}

bool BuildCommands::saveProjectForBuild(const QString& title, QString& projectPath) {
    projectPath = m_project.ProjectPath;
    if (projectPath.isEmpty()) {
        m_platform.messages.show(title, QStringLiteral("You must save the project"),
                                 MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    }
    return m_projects.SaveProject(1, projectPath);
}

void BuildCommands::RunProgram() {
    const QString& appFolder = m_applicationFolder;
    if (m_project.ProjectOpen == 1) {
        QString projectPath;
        if (!saveProjectForBuild(RunTitle, projectPath))
            return;
        build(projectRunCommandLine(appFolder, projectPath), RunTitle, ErrorForm::Project, {});
        removeTemporary(kTemporaryExecutable);
        return;
    }

    if (!m_documents.AnyEditorOpen())
        return;
    Editor* window = m_documents.activeEditor();
    if (window == nullptr)
        return;
    const QString caption = window->windowTitle();
    if (!writeTemporarySource(*window, RunTitle))
        return;
    const Outcome outcome = build(runCommandLine(appFolder, runFolderOf(appFolder, caption)),
                                  RunTitle, ErrorForm::SingleFile, caption);
    removeTemporary(kTemporarySource);
    // After a compile error the temporary executable is left as the driver left it.
    if (outcome != Outcome::Failed)
        removeTemporary(kTemporaryExecutable);
}

void BuildCommands::compileprog_Click() {
    if (m_compile == nullptr)
        m_compile = new Compile(m_host, *this, m_platform.dialog);
    m_compile->enter();
}

bool BuildCommands::CreateExe(const QString& exeName) {
    if (!m_documents.AnyEditorOpen())
        return false;
    const QString& appFolder = m_applicationFolder;
    if (m_project.ProjectOpen == 1) {
        QString projectPath;
        if (!saveProjectForBuild(CompileTitle, projectPath))
            return false;
        return build(projectCreateExeCommandLine(appFolder, projectPath, exeName), CompileTitle,
                     ErrorForm::Project, {}) == Outcome::Succeeded;
    }

    Editor* window = m_documents.activeEditor();
    if (window == nullptr)
        return false;
    const QString caption = window->windowTitle();
    if (!writeTemporarySource(*window, CompileTitle))
        return false;
    const Outcome outcome = build(createExeCommandLine(appFolder, exeName), CompileTitle,
                                  ErrorForm::SingleFile, caption);
    removeTemporary(kTemporarySource);
    return outcome == Outcome::Succeeded;
}

void BuildCommands::ReportCompilerError(ErrorForm form, const QString& fileName) {
    const QString path = appPath(kErrorLog);
    QByteArray bytes;
    QString reason;
    if (!readWholeFile(path, &bytes, &reason)) {
        reportFileFailure(m_platform.messages, QStringLiteral("Error in Program"),
                          QStringLiteral("The error log could not be read:"), path, reason);
        return;
    }
    CompilerError error = readErrorLog(bytes, form);
    if (form == ErrorForm::SingleFile)
        error.fileName = fileName;

    if (m_showErrors == nullptr)
        m_showErrors = new ShowErrors(m_host.hostWidget(), *this, m_project);
    m_showErrors->setValues(error.lineNumber, error.message, error.fileName);
    showOrRaise(*m_showErrors);
}

void BuildCommands::GotoErrorLine(double lineNumber, const QString& fileName, int projectFlag) {
    Editor* window = nullptr;
    if (projectFlag == 1) {
        window = m_documents.editorShowing(fileName);
        // A file that no open window shows: the caret belongs in no other window.
        if (window == nullptr)
            return;
        // A member hidden with its close box comes back, as a double click in the tree does.
        window->show();
        m_documents.activate(*window);
    } else {
        window = m_documents.activeEditor();
        if (window == nullptr)
            return;
    }

    EditorText* text = window->Text1;
    // While the main window takes no input (the Create Exe dialog is up) the caret is still
    // placed, for when the user comes back; the focus cannot go there.
    if (m_host.inputEnabled())
        text->setFocus();
    // The editor holds CR LF line ends only, so its lines are the lines counted at CR LF.
    if (const auto line = lineIndex(lineNumber, text->lineCount()))
        text->setSelection(text->offsetOfLine(*line), 0);
}
