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
#include "documents/DocumentTable.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "platform/Messages.h"
#include "platform/Processes.h"
#include "projects/ProjectCommands.h"
#include "projects/ProjectState.h"
#include "shell/Main.h"

#include <QFile>
#include <QFileInfo>
#include <QMdiArea>

namespace {

const QString RunTitle = QStringLiteral("Can't run");
const QString CompileTitle = QStringLiteral("Can't compile");

// Shows a hidden dialog, or brings one that is already up to the front.
void showAndActivate(QWidget* dialog) {
    if (dialog->isVisible())
        dialog->raise();
    else
        dialog->show();
    dialog->activateWindow();
}

} // namespace

BuildCommands::BuildCommands(Main& main, const QString& driver)
    : m_main(main), m_driver(driver), m_console(new ConsolePane(&main)) {
    m_main.addDockWidget(Qt::BottomDockWidgetArea, m_console);
    m_console->hide();
    m_main.platform().processes.setConsole(m_console);
}

BuildCommands::~BuildCommands() {
    m_main.platform().processes.setConsole(nullptr);
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
    return JoinPath(m_main.applicationFolder(), name.toString());
}

void BuildCommands::removeTemporary(QStringView name) const {
    // A file that is not there (a failed build produced none) is skipped silently.
    QFile::remove(appPath(name));
}

bool BuildCommands::writeTemporarySource(Editor& window, const QString& title) {
    // The document's text with CR LF line ends, which the compiler reads whatever the convention
    // of the document's own file, and one CR LF more: taken from the editor's buffer (which
    // holds CR LF) without a round trip through UTF-16.
    TextEncoding encoding = window.encoding();
    QByteArray bytes = window.Text1->encodedText(encoding);
    bytes += "\r\n";
    const QString path = appPath(kTemporarySource);
    QString error;
    if (writeFreshFile(path, bytes, &error))
        return true;
    m_main.platform().messages.show(
        title,
        fileFailureText(QStringLiteral("The temporary source could not be written:"), path, error),
        MsgIcon::Critical, MsgButtons::Ok);
    return false;
}

StartResult BuildCommands::RunAndWait(const QString& commandLine) {
    // The line names the driver in the application folder by its known path: taking it back out
    // by splitting would stop at a blank or quote in that folder and start another program. The
    // driver is started from where it was found, which can be the executable's folder.
    const QString named = appPath(kDriverName);
    if (!commandLine.startsWith(named))
        return {false, QStringLiteral("The command line does not start with the compiler driver")};
    const BusyScope busy(m_main);
    return m_main.platform().processes.runAndWait(m_driver,
                                                  splitArguments(commandLine.mid(named.size())));
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
            text += QStringLiteral("\r\nThe application folder is ") + m_main.applicationFolder() +
                    QLatin1Char('.');
        m_main.platform().messages.show(title, text, MsgIcon::Critical, MsgButtons::Ok);
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
    projectPath = m_main.project().ProjectPath;
    if (projectPath.isEmpty()) {
        m_main.platform().messages.show(title, QStringLiteral("You must save the project"),
                                        MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    }
    return m_main.projectCommands().SaveProject(1, projectPath);
}

void BuildCommands::RunProgram() {
    const QString& appFolder = m_main.applicationFolder();
    if (m_main.project().ProjectOpen == 1) {
        QString projectPath;
        if (!saveProjectForBuild(RunTitle, projectPath))
            return;
        build(projectRunCommandLine(appFolder, projectPath), RunTitle, ErrorForm::Project, {});
        removeTemporary(kTemporaryExecutable);
        return;
    }

    if (!m_main.AnyEditorOpen())
        return;
    Editor* window = m_main.activeEditor();
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
        m_compile = new Compile(m_main, *this);
    m_main.setInputEnabled(false);
    showAndActivate(m_compile);
}

bool BuildCommands::CreateExe(const QString& exeName) {
    if (!m_main.AnyEditorOpen())
        return false;
    const QString& appFolder = m_main.applicationFolder();
    if (m_main.project().ProjectOpen == 1) {
        QString projectPath;
        if (!saveProjectForBuild(CompileTitle, projectPath))
            return false;
        return build(projectCreateExeCommandLine(appFolder, projectPath, exeName), CompileTitle,
                     ErrorForm::Project, {}) == Outcome::Succeeded;
    }

    Editor* window = m_main.activeEditor();
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
        m_main.platform().messages.show(
            QStringLiteral("Error in Program"),
            fileFailureText(QStringLiteral("The error log could not be read:"), path, reason),
            MsgIcon::Critical, MsgButtons::Ok);
        return;
    }
    CompilerError error = readErrorLog(bytes, form);
    if (form == ErrorForm::SingleFile)
        error.fileName = fileName;

    if (m_showErrors == nullptr)
        m_showErrors = new ShowErrors(m_main, *this);
    m_showErrors->setValues(error.lineNumber, error.message, error.fileName);
    showAndActivate(m_showErrors);
}

void BuildCommands::GotoErrorLine(double lineNumber, const QString& fileName, int projectFlag) {
    Editor* window = nullptr;
    if (projectFlag == 1) {
        const DocumentTable& documents = m_main.documents();
        for (int slot = 0; slot < DocumentTable::SlotCount && window == nullptr; ++slot) {
            Editor* candidate = documents.Documents[slot];
            if (documents.DocInUse[slot] == 1 && candidate != nullptr &&
                candidate->windowTitle() == fileName)
                window = candidate;
        }
        // A file that no open window shows: the caret belongs in no other window.
        if (window == nullptr)
            return;
        // A member hidden with its close box comes back, as a double click in the tree does.
        window->show();
        m_main.mdiArea()->setActiveSubWindow(window);
    } else {
        window = m_main.activeEditor();
        if (window == nullptr)
            return;
    }

    EditorText* text = window->Text1;
    // While the main window takes no input (the Create Exe dialog is up) the caret is still
    // placed, for when the user comes back; the focus cannot go there.
    if (m_main.inputEnabled())
        text->setFocus();
    // The editor holds CR LF line ends only, so its lines are the lines counted at CR LF.
    if (const auto line = lineIndex(lineNumber, text->lineCount()))
        text->setSelection(text->offsetOfLine(*line), 0);
}
