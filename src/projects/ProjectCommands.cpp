#include "projects/ProjectCommands.h"

#include "core/FileIo.h"
#include "core/PathNames.h"
#include "documents/DocumentManager.h"
#include "documents/DocumentTable.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "platform/CommonDialog.h"
#include "platform/Messages.h"
#include "projects/Addfile.h"
#include "projects/ProjectLoad.h"
#include "projects/ProjectOptions.h"
#include "projects/ProjectState.h"
#include "projects/ProjectTree.h"
#include "ui/HostCommands.h"
#include "ui/HostWindow.h"
#include "ui/StandInDialog.h"

#include <QAction>
#include <QTreeWidget>

namespace {

const QString ProjectFilter = QStringLiteral("All Files (*.*)|*.*|Velstudio Files (*.vdp)|*.vdp|");
const QString BasicMemberFilter =
    QStringLiteral("All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|Text Files (*.txt)|*.txt");
const QString AssemblyMemberFilter =
    QStringLiteral("All Files (*.*)|*.*|NASM Files (*.asm)|*.asm|Text Files (*.txt)|*.txt");
const QString BasicAddFilter = QStringLiteral("All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|");
const QString AssemblyAddFilter =
    QStringLiteral("All Files (*.*)|*.*|Assembly Files (*.asm)|*.asm|");

const QString CloseAllQuestion =
    QStringLiteral("This will close all windows, are you\r\nsure  you  want  to  load a project ?");

} // namespace

ProjectCommands::ProjectCommands(HostWindow& host, HostCommands& commands, Platform platform,
                                 DocumentManager& manager, DocumentTable& documents,
                                 ProjectState& project, QTreeWidget& tree)
    : m_host(host), m_commands(commands), m_platform(platform), m_manager(manager),
      m_documents(documents), m_project(project),
      m_tree(std::make_unique<ProjectTree>(tree, host.ImageList1())) {
    // delfile follows the current node however it moved: a click, the keyboard, a removal.
    QObject::connect(&tree, &QTreeWidget::currentItemChanged, &tree,
                     [this] { TreeView1_NodeClick(); });
}

ProjectCommands::~ProjectCommands() = default;

Addfile* ProjectCommands::addfileDialog() const {
    return m_addfile;
}

ProjectOptions* ProjectCommands::optionsDialog() const {
    return m_options;
}

ProjectCommands::WindowsClosed ProjectCommands::closeAllWindowsFirst(const QString& title) {
    if (!m_manager.AnyEditorOpen())
        return WindowsClosed::NoneOpen;
    if (m_platform.messages.show(title, CloseAllQuestion, MsgIcon::Exclamation,
                                 MsgButtons::YesNo) != MsgAnswer::Yes)
        return WindowsClosed::Declined;
    CloseAllDocuments();
    return WindowsClosed::Closed;
}

void ProjectCommands::nproject_Click() {
    if (closeAllWindowsFirst(QStringLiteral("Create Project")) == WindowsClosed::Declined)
        return;
    m_project.BasDoc.fill(-1);
    m_project.AsmDoc.fill(-1);
    m_project.ProjectOpen = 1;
    BuildProjectTree();
    m_project.AddFileKind = 1;
    showAddfile();
    EnableProjectCommands();
    m_project.ProjectPath.clear();
    m_project.ProjectEncoding = TextEncoding::Utf8;
    m_host.setCaption(QStringLiteral("Untitled"));
}

void ProjectCommands::lproject_Click() {
    LoadProject();
}

void ProjectCommands::sproject_Click() {
    if (m_project.ProjectPath.isEmpty()) {
        QString path;
        SaveProject(0, path);
    } else {
        SaveProject(1, m_project.ProjectPath);
    }
}

void ProjectCommands::saveasproj_Click() {
    QString path;
    SaveProject(0, path);
}

void ProjectCommands::cproject_Click() {
    if (m_platform.messages.show(QStringLiteral("Close Project"), QStringLiteral("Are you sure ?"),
                                 MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    CloseAllDocuments();
    enterNoProjectState();
}

void ProjectCommands::addasm_Click() {
    m_project.AddFileKind = 0;
    showAddfile();
}

void ProjectCommands::addbas_Click() {
    m_project.AddFileKind = 1;
    showAddfile();
}

void ProjectCommands::delfile_Click() {
    RemoveProjectFile();
}

void ProjectCommands::poptions_Click() {
    if (m_options == nullptr)
        m_options = new ProjectOptions(m_host, m_project);
    m_options->enter();
}

void ProjectCommands::TreeView1_NodeClick() {
    // No current node (a tree built anew) has nothing to delete either.
    m_commands.action(QStringLiteral("delfile"))->setEnabled(m_tree->currentIsMember());
}

void ProjectCommands::TreeView1_DblClick() {
    if (m_project.ProjectOpen != 1)
        return;
    const std::optional<MemberNode> member = m_tree->currentMember(m_project);
    if (!member)
        return;
    // A free entry names no window: nothing to show.
    if (Editor* window = m_manager.editorInSlot(member->kind.entries[member->entry]))
        showMember(*window);
}

void ProjectCommands::LoadProject() {
    const WindowsClosed closing = closeAllWindowsFirst(QStringLiteral("Load Project"));
    if (closing == WindowsClosed::Declined)
        return;
    const bool closedWindows = closing == WindowsClosed::Closed;
    const QString path = m_platform.dialog.askOpenFile(ProjectFilter);
    const bool loaded = !path.isEmpty() && ReadProjectFile(path);
    // The windows of the previous project are gone: it must not stay open with entries that
    // name closed windows, or a later save would write it without its members.
    if (!loaded && closedWindows && m_project.ProjectOpen == 1)
        enterNoProjectState();
}

bool ProjectCommands::ReadProjectFile(const QString& path) {
    const auto freeSlots = std::count(m_documents.DocInUse.begin(), m_documents.DocInUse.end(), 0);
    ProjectLoad load = loadProject(path, freeSlots);
    if (!load.ok()) {
        reportFileFailure(m_platform.messages, load.failedTitle, load.failedWhat, load.failedPath,
                          load.reason);
        return false;
    }
    ProjectFile& file = load.file;
    m_project.MaxObjects = file.MaxObjects;
    m_project.TempStringSize = file.TempStringSize;
    m_project.BasDoc.fill(-1);
    m_project.AsmDoc.fill(-1);
    std::vector<Editor*> windows;
    auto text = load.texts.begin();
    m_project.ProjectLoading = 1;
    for (const MemberKind& kind : memberKinds(m_project)) {
        const QStringList& paths = kind.pathsIn(file);
        for (qsizetype entry = 0; entry < paths.size(); ++entry, ++text) {
            Editor* window = m_manager.openInNewWindow(paths[entry], *text);
            kind.entries[entry] = window->slot();
            text->decoded.text.clear();
            windows.push_back(window);
        }
    }
    m_project.ProjectLoading = 0;
    for (Editor* window : windows) {
        window->show();
        m_manager.activate(*window);
    }
    BuildProjectTree();
    m_project.ProjectOpen = 1;
    m_project.ProjectPath = path;
    m_project.ProjectEncoding = load.encoding;
    m_host.setCaption(path);
    EnableProjectCommands();
    return true;
}

bool ProjectCommands::SaveProject(int mode, QString& path) {
    // Without an open project the entries are left over from the last one.
    if (m_project.ProjectOpen != 1)
        return false;
    QString target = path;
    if (mode == 0)
        target = m_platform.dialog.askSaveFile(ProjectFilter);
    if (target.isEmpty())
        return false;

    // Every member is saved first, BASIC before assembly, each kind in entry order; the project
    // file is written only when all of them are, so that it never names a file that failed.
    ProjectFile file;
    file.MaxObjects = m_project.MaxObjects;
    file.TempStringSize = m_project.TempStringSize;
    for (const MemberKind& kind : memberKinds(m_project)) {
        for (int entry = 0; entry < ProjectState::EntryCount; ++entry) {
            Editor* window = m_manager.editorInSlot(kind.entries[entry]);
            if (window == nullptr)
                continue;
            if (IsUntitled(window->windowTitle())) {
                QString name = SaveMemberAs(window->slot(), kind.number);
                if (name.isEmpty())
                    return false;
                kind.pathsIn(file).append(name);
                m_tree->relabelMember(kind, entry, DisplayName(name));
            } else {
                if (!SaveMember(window->slot()))
                    return false;
                kind.pathsIn(file).append(window->windowTitle());
            }
        }
    }

    TextEncoding encoding = m_project.ProjectEncoding;
    const ProjectFileWriting writing = writeProjectFile(file, encoding);
    QString error = writing.error;
    if (!writing.ok() || !writeFileAtomically(target, writing.bytes, &error)) {
        reportFileFailure(m_platform.messages, QStringLiteral("Save Project"),
                          QStringLiteral("The project file could not be saved:"), target, error);
        return false;
    }
    m_project.ProjectEncoding = encoding;
    m_project.ProjectPath = target;
    path = target;
    m_host.setCaption(target);
    return true;
}

QString ProjectCommands::SaveMemberAs(int slot, int kind) {
    Editor* window = m_manager.editorInSlot(slot);
    if (window == nullptr)
        return QString();
    CommonDialog& dialog = m_platform.dialog;
    QString name;
    // The member must get a name: a cancelled dialog beeps and comes back.
    for (;;) {
        name = dialog.askSaveFile(kind == 1 ? BasicMemberFilter : AssemblyMemberFilter);
        if (!name.isEmpty())
            break;
        m_platform.messages.beep();
    }
    return m_manager.saveDocumentTo(*window, name) ? name : QString();
}

bool ProjectCommands::SaveMember(int slot) {
    Editor* window = m_manager.editorInSlot(slot);
    return window != nullptr && m_manager.SaveDocument(*window);
}

void ProjectCommands::AddProjectFile() {
    if (m_project.ProjectOpen != 1 || m_addfile == nullptr)
        return;
    const QString choice = m_addfile->selectedKey();
    if (choice.isEmpty())
        return;
    const bool basic = m_project.AddFileKind == 1;
    const MemberKind kind = basic ? basicKind(m_project) : assemblyKind(m_project);
    const int entry = FirstFreeEntry(m_project.AddFileKind);
    if (entry < 0) {
        m_platform.messages.show(
            QStringLiteral("Add File"),
            QStringLiteral("The project already holds %1 %2 files.\r\n"
                           "Remove one before adding another.")
                .arg(ProjectState::EntryCount)
                .arg(basic ? QStringLiteral("BASIC") : QStringLiteral("assembly")),
            MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    if (!m_manager.ensureFreeSlot())
        return;

    if (choice == QLatin1String("New")) {
        Editor* window = m_manager.newUntitledWindow();
        kind.entries[entry] = window->slot();
        m_tree->addMember(kind, entry, window->windowTitle());
        m_manager.Form_Activate(*window);
        return;
    }

    const QString path = m_platform.dialog.askOpenFile(basic ? BasicAddFilter : AssemblyAddFilter);
    if (path.isEmpty())
        return;
    Editor* window = m_manager.openFile(path, QStringLiteral("Add File"));
    if (window == nullptr)
        return;
    kind.entries[entry] = window->slot();
    QString name = path;
    m_tree->addMember(kind, entry, DisplayName(name));
    m_manager.Form_Activate(*window);
}

int ProjectCommands::FirstFreeEntry(int kind) const {
    const auto& entries = kind == 1 ? m_project.BasDoc : m_project.AsmDoc;
    for (int entry = 0; entry < ProjectState::EntryCount; ++entry) {
        if (entries[entry] == -1)
            return entry;
    }
    return -1;
}

void ProjectCommands::RemoveProjectFile() {
    if (!m_tree->currentIsMember())
        return;
    if (m_platform.messages.show(QStringLiteral("Delete File"),
                                 QStringLiteral("Are you sure you want to delete\r\n") +
                                     m_tree->widget().currentItem()->text(0) + QStringLiteral(" ?"),
                                 MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    const std::optional<MemberNode> member = m_tree->currentMember(m_project);
    if (!member)
        return;
    int& slot = member->kind.entries[member->entry];
    // The window closes first: when its save question is cancelled the member stays whole.
    if (Editor* window = m_manager.editorInSlot(slot)) {
        if (!window->closeFor(CloseReason::Code))
            return;
    }
    delete member->node;
    slot = -1;
}

void ProjectCommands::CloseAllDocuments() {
    for (Editor* window : m_manager.openEditors()) {
        // A window kept open by its save question is shown: hidden, nothing would lead to it.
        if (!window->closeFor(CloseReason::Code))
            window->show();
    }
}

void ProjectCommands::setProjectCommandsEnabled(bool enabled) {
    for (const char* name : {"addasm", "addbas", "poptions", "sproject", "saveasproj", "cproject"})
        m_commands.action(QString::fromLatin1(name))->setEnabled(enabled);
}

void ProjectCommands::EnableProjectCommands() {
    setProjectCommandsEnabled(true);
}

void ProjectCommands::DisableProjectCommands() {
    setProjectCommandsEnabled(false);
}

void ProjectCommands::enterNoProjectState() {
    showPlaceholderNode();
    m_project.ProjectOpen = 0;
    DisableProjectCommands();
    m_host.setCaption(QStringLiteral("No Project"));
    if (m_addfile != nullptr)
        m_addfile->hide();
}

void ProjectCommands::BuildProjectTree() {
    m_tree->showGroups();
    for (const MemberKind& kind : memberKinds(m_project)) {
        for (int entry = 0; entry < ProjectState::EntryCount; ++entry) {
            if (Editor* window = m_manager.editorInSlot(kind.entries[entry])) {
                QString path = window->windowTitle();
                m_tree->addMember(kind, entry, DisplayName(path));
            }
        }
    }
    TreeView1_NodeClick();
}

void ProjectCommands::showAddfile() {
    if (m_addfile == nullptr)
        m_addfile = new Addfile([this] { AddProjectFile(); }, m_host.hostWidget());
    showOrRaise(*m_addfile);
}

void ProjectCommands::showMember(Editor& window) {
    window.show();
    m_manager.activate(window);
    window.Text1->setFocus();
}

void ProjectCommands::showPlaceholderNode() {
    m_tree->showPlaceholder();
    TreeView1_NodeClick();
}
