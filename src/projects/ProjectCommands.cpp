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
#include "projects/ProjectFile.h"
#include "projects/ProjectOptions.h"
#include "projects/ProjectState.h"
#include "ui/HostCommands.h"
#include "ui/HostWindow.h"
#include "ui/ImageList.h"
#include "ui/StandInDialog.h"

#include <QAction>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

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

// Images of ImageList1 used by the tree.
constexpr int MemberImage = 4;
constexpr int BasGroupImage = 8;
constexpr int AsmGroupImage = 9;

// One kind of member: its table, its key prefix, its group node and its number for
// SaveMemberAs (1 BASIC, 2 assembly).
struct MemberKind {
    std::array<int, ProjectState::EntryCount>& entries;
    QString prefix;
    QString groupKey;
    int number;

    QStringList& pathsIn(ProjectFile& file) const {
        return number == 1 ? file.BasPaths : file.AsmPaths;
    }
};

MemberKind basicKind(ProjectState& project) {
    return {project.BasDoc, QStringLiteral("Bas"), QStringLiteral("qBasfiles"), 1};
}

MemberKind assemblyKind(ProjectState& project) {
    return {project.AsmDoc, QStringLiteral("Asm"), QStringLiteral("qAsmfiles"), 2};
}

// BASIC first, then assembly: the order of the project file and of the tree.
std::array<MemberKind, 2> memberKinds(ProjectState& project) {
    return {basicKind(project), assemblyKind(project)};
}

bool isMemberKey(const QString& key) {
    return key.startsWith(QLatin1String("Bas")) || key.startsWith(QLatin1String("Asm"));
}

// The entry index a member key names ("Bas12" -> 12), -1 when it names none.
int entryOfKey(const QString& key) {
    bool ok = false;
    const int entry = key.mid(3).toInt(&ok);
    return ok && entry >= 0 && entry < ProjectState::EntryCount ? entry : -1;
}

QString nodeKey(const QTreeWidgetItem& node) {
    return node.data(0, Qt::UserRole).toString();
}

} // namespace

ProjectCommands::ProjectCommands(HostWindow& host, HostCommands& commands, Platform platform,
                                 DocumentManager& manager, DocumentTable& documents,
                                 ProjectState& project, QTreeWidget& tree)
    : m_host(host), m_commands(commands), m_platform(platform), m_manager(manager),
      m_documents(documents), m_project(project), m_tree(&tree) {
    // delfile follows the current node however it moved: a click, the keyboard, a removal.
    QObject::connect(m_tree, &QTreeWidget::currentItemChanged, m_tree,
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
    if (m_options == nullptr) {
        m_options = new ProjectOptions(m_host, m_project);
    }
    m_options->enter();
}

void ProjectCommands::TreeView1_NodeClick() {
    // No current node (a tree built anew) has nothing to delete either.
    const QTreeWidgetItem* node = m_tree->currentItem();
    m_commands.action(QStringLiteral("delfile"))
        ->setEnabled(node != nullptr && isMemberKey(nodeKey(*node)));
}

void ProjectCommands::TreeView1_DblClick() {
    if (m_project.ProjectOpen != 1)
        return;
    const QTreeWidgetItem* node = m_tree->currentItem();
    if (node == nullptr)
        return;
    const QString key = nodeKey(*node);
    if (key.startsWith(u'q') || !isMemberKey(key))
        return;
    const int entry = entryOfKey(key);
    if (entry < 0)
        return;
    const MemberKind kind =
        key.startsWith(QLatin1String("Bas")) ? basicKind(m_project) : assemblyKind(m_project);
    // A free entry names no window: nothing to show.
    if (Editor* window = m_manager.editorInSlot(kind.entries[entry]))
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
    Messages& messages = m_platform.messages;
    const auto refuse = [&messages](const QString& title, const QString& what, const QString& file,
                                    const QString& reason) {
        reportFileFailure(messages, title, what, file, reason);
        return false;
    };
    const QString loadTitle = QStringLiteral("Load Project");

    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, &bytes, &error))
        return refuse(loadTitle, QStringLiteral("The project file could not be read:"), path,
                      error);
    ProjectFileReading reading = readProjectFile(bytes);
    bytes.clear();
    if (reading.notProjectFile)
        return refuse(QStringLiteral("Invalid File"),
                      QStringLiteral("File is not a Drellstudio File"), path, reading.error);
    if (!reading.ok())
        return refuse(loadTitle, QStringLiteral("The project could not be loaded:"), path,
                      reading.error);

    ProjectFile& file = reading.project;
    const qsizetype members = file.BasPaths.size() + file.AsmPaths.size();
    const auto freeSlots = std::count(m_documents.DocInUse.begin(), m_documents.DocInUse.end(), 0);
    if (members > freeSlots)
        return refuse(loadTitle, QStringLiteral("The project could not be loaded:"), path,
                      QStringLiteral("It lists %1 files, but only %2 document windows are free.")
                          .arg(members)
                          .arg(freeSlots));

    // Every member is read before anything changes, so that a file that cannot be read leaves
    // no window behind.
    std::vector<DocumentContents> texts;
    texts.reserve(members);
    for (const QStringList& paths : {file.BasPaths, file.AsmPaths}) {
        for (const QString& member : paths) {
            if (!readWholeFile(member, &bytes, &error))
                return refuse(loadTitle, QStringLiteral("A file of the project could not be read:"),
                              member, error);
            texts.push_back(decodeDocument(bytes));
            bytes.clear();
        }
    }

    m_project.MaxObjects = file.MaxObjects;
    m_project.TempStringSize = file.TempStringSize;
    m_project.BasDoc.fill(-1);
    m_project.AsmDoc.fill(-1);
    std::vector<Editor*> windows;
    auto text = texts.begin();
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
    m_project.ProjectEncoding = reading.encoding;
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
                if (QTreeWidgetItem* node = findNode(kind.prefix + QString::number(entry)))
                    node->setText(0, DisplayName(name));
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
    if (!m_manager.writeDocument(*window, name))
        return QString();
    window->setWindowTitle(name);
    m_documents.DocChanged[slot] = 0;
    if (m_manager.activeEditor() == window)
        m_manager.Form_Activate(*window);
    return name;
}

bool ProjectCommands::SaveMember(int slot) {
    Editor* window = m_manager.editorInSlot(slot);
    if (window == nullptr)
        return false;
    if (!m_manager.writeDocument(*window, window->windowTitle()))
        return false;
    m_documents.DocChanged[slot] = 0;
    return true;
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
        addNode(kind.groupKey, kind.prefix + QString::number(entry), window->windowTitle(),
                MemberImage);
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
    addNode(kind.groupKey, kind.prefix + QString::number(entry), DisplayName(name), MemberImage);
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
    QTreeWidgetItem* node = m_tree->currentItem();
    if (node == nullptr || !isMemberKey(nodeKey(*node)))
        return;
    if (m_platform.messages.show(QStringLiteral("Delete File"),
                                 QStringLiteral("Are you sure you want to delete\r\n") +
                                     node->text(0) + QStringLiteral(" ?"),
                                 MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    const QString key = nodeKey(*node);
    const int entry = entryOfKey(key);
    if (entry < 0)
        return;
    const MemberKind kind =
        key.startsWith(QLatin1String("Bas")) ? basicKind(m_project) : assemblyKind(m_project);
    // The window closes first: when its save question is cancelled the member stays whole.
    if (Editor* window = m_manager.editorInSlot(kind.entries[entry])) {
        if (!window->closeFor(CloseReason::Code))
            return;
    }
    delete node;
    kind.entries[entry] = -1;
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
    m_tree->clear();
    addNode(QString(), QStringLiteral("qBasfiles"), QStringLiteral("Bas Files"), BasGroupImage);
    addNode(QString(), QStringLiteral("qAsmfiles"), QStringLiteral("Asm Files"), AsmGroupImage);
    for (const MemberKind& kind : memberKinds(m_project)) {
        for (int entry = 0; entry < ProjectState::EntryCount; ++entry) {
            if (Editor* window = m_manager.editorInSlot(kind.entries[entry])) {
                QString path = window->windowTitle();
                addNode(kind.groupKey, kind.prefix + QString::number(entry), DisplayName(path),
                        MemberImage);
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
    QTreeWidget* tree = m_tree;
    tree->clear();
    addNode(QString(), QStringLiteral("disabled"), QStringLiteral("Only available in Projects"),
            10);
    TreeView1_NodeClick();
}

QTreeWidgetItem* ProjectCommands::addNode(const QString& parentKey, const QString& key,
                                          const QString& text, int image) {
    QTreeWidgetItem* parent = parentKey.isEmpty() ? nullptr : findNode(parentKey);
    auto* node = parent != nullptr ? new QTreeWidgetItem(parent, {text})
                                   : new QTreeWidgetItem(m_tree, {text});
    node->setData(0, Qt::UserRole, key);
    node->setIcon(0, m_host.ImageList1().image(image));
    if (parent != nullptr)
        parent->setExpanded(true);
    return node;
}

QTreeWidgetItem* ProjectCommands::findNode(const QString& key) const {
    QTreeWidget* tree = m_tree;
    for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key)
            return *it;
    }
    return nullptr;
}
