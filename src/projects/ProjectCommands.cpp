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
#include "shell/Main.h"

#include <QAction>
#include <QMdiArea>
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

// Shows a dialog, or brings it to the front when it is up already.
void showWindow(QWidget& window) {
    if (window.isVisible())
        window.raise();
    else
        window.show();
    window.activateWindow();
}

QString nodeKey(const QTreeWidgetItem& node) {
    return node.data(0, Qt::UserRole).toString();
}

} // namespace

ProjectCommands::ProjectCommands(Main& main)
    : m_main(main), m_documents(main.documents()), m_project(main.project()) {
    // delfile follows the current node however it moved: a click, the keyboard, a removal.
    QObject::connect(m_main.TreeView1, &QTreeWidget::currentItemChanged, m_main.TreeView1,
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
    if (!m_main.AnyEditorOpen())
        return WindowsClosed::NoneOpen;
    if (m_main.platform().messages.show(title, CloseAllQuestion, MsgIcon::Exclamation,
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
    setCaption(QStringLiteral("Untitled"));
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
    if (m_main.platform().messages.show(QStringLiteral("Close Project"),
                                        QStringLiteral("Are you sure ?"), MsgIcon::Question,
                                        MsgButtons::YesNo) != MsgAnswer::Yes)
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
        m_options = new ProjectOptions(
            m_project, [this] { m_main.setInputEnabled(true); }, &m_main);
    }
    showWindow(*m_options);
    m_main.setInputEnabled(false);
}

void ProjectCommands::TreeView1_NodeClick() {
    // No current node (a tree built anew) has nothing to delete either.
    const QTreeWidgetItem* node = m_main.TreeView1->currentItem();
    m_main.action(QStringLiteral("delfile"))
        ->setEnabled(node != nullptr && isMemberKey(nodeKey(*node)));
}

void ProjectCommands::TreeView1_DblClick() {
    if (m_project.ProjectOpen != 1)
        return;
    const QTreeWidgetItem* node = m_main.TreeView1->currentItem();
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
    if (Editor* window = m_main.documentManager().editorInSlot(kind.entries[entry]))
        showMember(*window);
}

void ProjectCommands::LoadProject() {
    const WindowsClosed closing = closeAllWindowsFirst(QStringLiteral("Load Project"));
    if (closing == WindowsClosed::Declined)
        return;
    const bool closedWindows = closing == WindowsClosed::Closed;
    const QString path = m_main.platform().dialog.askOpenFile(ProjectFilter);
    const bool loaded = !path.isEmpty() && ReadProjectFile(path);
    // The windows of the previous project are gone: it must not stay open with entries that
    // name closed windows, or a later save would write it without its members.
    if (!loaded && closedWindows && m_project.ProjectOpen == 1)
        enterNoProjectState();
}

bool ProjectCommands::ReadProjectFile(const QString& path) {
    Messages& messages = m_main.platform().messages;
    const auto refuse = [&messages](const QString& title, const QString& text) {
        messages.show(title, text, MsgIcon::Critical, MsgButtons::Ok);
        return false;
    };
    const QString loadTitle = QStringLiteral("Load Project");

    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, &bytes, &error))
        return refuse(
            loadTitle,
            fileFailureText(QStringLiteral("The project file could not be read:"), path, error));
    ProjectFileReading reading = readProjectFile(bytes);
    bytes.clear();
    if (reading.notProjectFile)
        return refuse(
            QStringLiteral("Invalid File"),
            fileFailureText(QStringLiteral("File is not a Drellstudio File"), path, reading.error));
    if (!reading.ok())
        return refuse(loadTitle, fileFailureText(QStringLiteral("The project could not be loaded:"),
                                                 path, reading.error));

    ProjectFile& file = reading.project;
    const qsizetype members = file.BasPaths.size() + file.AsmPaths.size();
    const auto freeSlots = std::count(m_documents.DocInUse.begin(), m_documents.DocInUse.end(), 0);
    if (members > freeSlots)
        return refuse(loadTitle,
                      fileFailureText(QStringLiteral("The project could not be loaded:"), path,
                                      QStringLiteral("It lists %1 files, but only %2 document "
                                                     "windows are free.")
                                          .arg(members)
                                          .arg(freeSlots)));

    // Every member is read before anything changes, so that a file that cannot be read leaves
    // no window behind.
    std::vector<DocumentContents> texts;
    texts.reserve(members);
    for (const QStringList& paths : {file.BasPaths, file.AsmPaths}) {
        for (const QString& member : paths) {
            if (!readWholeFile(member, &bytes, &error))
                return refuse(loadTitle,
                              fileFailureText(QStringLiteral("A file of the project could not "
                                                             "be read:"),
                                              member, error));
            texts.push_back(decodeDocument(bytes));
            bytes.clear();
        }
    }

    m_project.MaxObjects = file.MaxObjects;
    m_project.TempStringSize = file.TempStringSize;
    m_project.BasDoc.fill(-1);
    m_project.AsmDoc.fill(-1);
    DocumentManager& documents = m_main.documentManager();
    std::vector<Editor*> windows;
    auto text = texts.begin();
    m_project.ProjectLoading = 1;
    for (const MemberKind& kind : memberKinds(m_project)) {
        const QStringList& paths = kind.pathsIn(file);
        for (qsizetype entry = 0; entry < paths.size(); ++entry, ++text) {
            Editor* window = documents.openInNewWindow(paths[entry], *text);
            kind.entries[entry] = window->slot();
            text->decoded.text.clear();
            windows.push_back(window);
        }
    }
    m_project.ProjectLoading = 0;
    for (Editor* window : windows) {
        window->show();
        m_main.mdiArea()->setActiveSubWindow(window);
    }
    BuildProjectTree();
    m_project.ProjectOpen = 1;
    m_project.ProjectPath = path;
    m_project.ProjectEncoding = reading.encoding;
    setCaption(path);
    EnableProjectCommands();
    return true;
}

bool ProjectCommands::SaveProject(int mode, QString& path) {
    // Without an open project the entries are left over from the last one.
    if (m_project.ProjectOpen != 1)
        return false;
    QString target = path;
    if (mode == 0)
        target = m_main.platform().dialog.askSaveFile(ProjectFilter);
    if (target.isEmpty())
        return false;

    // Every member is saved first, BASIC before assembly, each kind in entry order; the project
    // file is written only when all of them are, so that it never names a file that failed.
    ProjectFile file;
    file.MaxObjects = m_project.MaxObjects;
    file.TempStringSize = m_project.TempStringSize;
    DocumentManager& documents = m_main.documentManager();
    for (const MemberKind& kind : memberKinds(m_project)) {
        for (int entry = 0; entry < ProjectState::EntryCount; ++entry) {
            Editor* window = documents.editorInSlot(kind.entries[entry]);
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
        m_main.platform().messages.show(
            QStringLiteral("Save Project"),
            fileFailureText(QStringLiteral("The project file could not be saved:"), target, error),
            MsgIcon::Critical, MsgButtons::Ok);
        return false;
    }
    m_project.ProjectEncoding = encoding;
    m_project.ProjectPath = target;
    path = target;
    setCaption(target);
    return true;
}

QString ProjectCommands::SaveMemberAs(int slot, int kind) {
    Editor* window = m_main.documentManager().editorInSlot(slot);
    if (window == nullptr)
        return QString();
    Platform& platform = m_main.platform();
    CommonDialog& dialog = platform.dialog;
    QString name;
    // The member must get a name: a cancelled dialog beeps and comes back.
    for (;;) {
        name = dialog.askSaveFile(kind == 1 ? BasicMemberFilter : AssemblyMemberFilter);
        if (!name.isEmpty())
            break;
        platform.messages.beep();
    }
    DocumentManager& documents = m_main.documentManager();
    if (!documents.writeDocument(*window, name))
        return QString();
    window->setWindowTitle(name);
    m_documents.DocChanged[slot] = 0;
    if (m_main.activeEditor() == window)
        documents.Form_Activate(*window);
    return name;
}

bool ProjectCommands::SaveMember(int slot) {
    Editor* window = m_main.documentManager().editorInSlot(slot);
    if (window == nullptr)
        return false;
    if (!m_main.documentManager().writeDocument(*window, window->windowTitle()))
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
    Platform& platform = m_main.platform();
    const bool basic = m_project.AddFileKind == 1;
    const MemberKind kind = basic ? basicKind(m_project) : assemblyKind(m_project);
    const int entry = FirstFreeEntry(m_project.AddFileKind);
    if (entry < 0) {
        platform.messages.show(
            QStringLiteral("Add File"),
            QStringLiteral("The project already holds %1 %2 files.\r\n"
                           "Remove one before adding another.")
                .arg(ProjectState::EntryCount)
                .arg(basic ? QStringLiteral("BASIC") : QStringLiteral("assembly")),
            MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    DocumentManager& documents = m_main.documentManager();
    if (!documents.ensureFreeSlot())
        return;

    if (choice == QLatin1String("New")) {
        Editor* window = documents.newUntitledWindow();
        kind.entries[entry] = window->slot();
        addNode(kind.groupKey, kind.prefix + QString::number(entry), window->windowTitle(),
                MemberImage);
        documents.Form_Activate(*window);
        return;
    }

    const QString path = platform.dialog.askOpenFile(basic ? BasicAddFilter : AssemblyAddFilter);
    if (path.isEmpty())
        return;
    Editor* window = documents.openFile(path, QStringLiteral("Add File"));
    if (window == nullptr)
        return;
    kind.entries[entry] = window->slot();
    QString name = path;
    addNode(kind.groupKey, kind.prefix + QString::number(entry), DisplayName(name), MemberImage);
    documents.Form_Activate(*window);
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
    QTreeWidgetItem* node = m_main.TreeView1->currentItem();
    if (node == nullptr || !isMemberKey(nodeKey(*node)))
        return;
    if (m_main.platform().messages.show(QStringLiteral("Delete File"),
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
    if (Editor* window = m_main.documentManager().editorInSlot(kind.entries[entry])) {
        if (!window->closeFor(CloseReason::Code))
            return;
    }
    delete node;
    kind.entries[entry] = -1;
}

void ProjectCommands::CloseAllDocuments() {
    DocumentManager& documents = m_main.documentManager();
    for (int slot = 0; slot < DocumentTable::SlotCount; ++slot) {
        Editor* window = documents.editorInSlot(slot);
        // A window kept open by its save question is shown: hidden, nothing would lead to it.
        if (window != nullptr && !window->closeFor(CloseReason::Code))
            window->show();
    }
}

void ProjectCommands::setProjectCommandsEnabled(bool enabled) {
    for (const char* name : {"addasm", "addbas", "poptions", "sproject", "saveasproj", "cproject"})
        m_main.action(QString::fromLatin1(name))->setEnabled(enabled);
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
    setCaption(QStringLiteral("No Project"));
    if (m_addfile != nullptr)
        m_addfile->hide();
}

void ProjectCommands::BuildProjectTree() {
    m_main.TreeView1->clear();
    addNode(QString(), QStringLiteral("qBasfiles"), QStringLiteral("Bas Files"), BasGroupImage);
    addNode(QString(), QStringLiteral("qAsmfiles"), QStringLiteral("Asm Files"), AsmGroupImage);
    DocumentManager& documents = m_main.documentManager();
    for (const MemberKind& kind : memberKinds(m_project)) {
        for (int entry = 0; entry < ProjectState::EntryCount; ++entry) {
            if (Editor* window = documents.editorInSlot(kind.entries[entry])) {
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
        m_addfile = new Addfile([this] { AddProjectFile(); }, &m_main);
    showWindow(*m_addfile);
}

void ProjectCommands::showMember(Editor& window) {
    window.show();
    m_main.mdiArea()->setActiveSubWindow(&window);
    window.Text1->setFocus();
}

void ProjectCommands::setCaption(const QString& what) {
    m_main.setWindowTitle(QStringLiteral("Veldra Studio [") + what + u']');
}

void ProjectCommands::showPlaceholderNode() {
    QTreeWidget* tree = m_main.TreeView1;
    tree->clear();
    addNode(QString(), QStringLiteral("disabled"), QStringLiteral("Only available in Projects"),
            10);
    TreeView1_NodeClick();
}

QTreeWidgetItem* ProjectCommands::addNode(const QString& parentKey, const QString& key,
                                          const QString& text, int image) {
    QTreeWidgetItem* parent = parentKey.isEmpty() ? nullptr : findNode(parentKey);
    auto* node = parent != nullptr ? new QTreeWidgetItem(parent, {text})
                                   : new QTreeWidgetItem(m_main.TreeView1, {text});
    node->setData(0, Qt::UserRole, key);
    node->setIcon(0, m_main.ImageList1().image(image));
    if (parent != nullptr)
        parent->setExpanded(true);
    return node;
}

QTreeWidgetItem* ProjectCommands::findNode(const QString& key) const {
    QTreeWidget* tree = m_main.TreeView1;
    for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key)
            return *it;
    }
    return nullptr;
}
