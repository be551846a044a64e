#include "shell/Main.h"

#include "build/BuildCommands.h"
#include "build/ConsolePane.h"
#include "core/PathNames.h"
#include "documents/DocumentManager.h"
#include "documents/EditCommands.h"
#include "documents/Editor.h"
#include "navigation/NavigationCommands.h"
#include "platform/Messages.h"
#include "projects/ProjectCommands.h"
#include "shell/ToolSettings.h"
#include "tools/ToolCommands.h"
#include "ui/Twips.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDialog>
#include <QHeaderView>
#include <QMdiArea>
#include <QMenuBar>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// One menu item: its menu, control name, caption, shortcut, first enabled state and handler.
// A null handler marks a separator. The "&" marks the letter that chooses the item in its open
// menu; it is underlined, not shown.
struct MenuItem {
    const char* menu;
    const char* name;
    const char* caption;
    QKeyCombination shortcut;
    bool enabled;
    void (Main::*handler)();
};

struct MenuTitle {
    const char* name;
    const char* caption;
};

constexpr MenuTitle Menus[] = {
    {"File", "File"},    {"editmenu", "Edit"},   {"Project", "Project"}, {"run", "Run"},
    {"toolsm", "Tools"}, {"options", "Options"}, {"about", "About"},
};

const QKeyCombination None{};

const MenuItem MenuItems[] = {
    {"File", "new", "&New", None, true, &Main::new_Click},
    {"File", "open", "&Open", None, true, &Main::open_Click},
    {"File", "save", "&Save", Qt::CTRL | Qt::Key_S, false, &Main::save_Click},
    {"File", "saveas", "Save &As...", None, true, &Main::saveas_Click},
    {"File", "bar", "-", None, true, nullptr},
    {"File", "exit", "E&xit", None, true, &Main::exit_Click},
    {"editmenu", "Cut", "Cu&t", Qt::CTRL | Qt::Key_X, true, &Main::Cut_Click},
    {"editmenu", "Copy", "&Copy", Qt::CTRL | Qt::Key_C, true, &Main::Copy_Click},
    {"editmenu", "paste", "&Paste", None, true, &Main::paste_Click},
    {"editmenu", "searchagain", "Search &again", QKeyCombination(Qt::Key_F3), false,
     &Main::searchagain_Click},
    {"editmenu", "search", "&Search...", None, true, &Main::Search_Click},
    {"editmenu", "bar2", "-", None, true, nullptr},
    {"editmenu", "sbrowser", "Subs &Browser", QKeyCombination(Qt::Key_F2), true,
     &Main::sbrowser_Click},
    {"Project", "nproject", "&Create", None, true, &Main::nproject_Click},
    {"Project", "lproject", "&Load", None, true, &Main::lproject_Click},
    {"Project", "sproject", "&Save", None, true, &Main::sproject_Click},
    {"Project", "saveasproj", "Save &as...", None, true, &Main::saveasproj_Click},
    {"Project", "cproject", "Cl&ose", None, true, &Main::cproject_Click},
    {"Project", "bar4", "-", None, true, nullptr},
    {"Project", "addasm", "Add Asse&mbly File", None, true, &Main::addasm_Click},
    {"Project", "addbas", "Add &Drell file(bas)", None, true, &Main::addbas_Click},
    {"Project", "delfile", "D&el Selected File", None, false, &Main::delfile_Click},
    {"Project", "bar5", "-", None, true, nullptr},
    {"Project", "poptions", "O&ptions...", None, true, &Main::poptions_Click},
    {"run", "runp", "&Run Program", QKeyCombination(Qt::Key_F5), true, &Main::runp_Click},
    {"run", "compileprog", "&Compile Program", None, true, &Main::compileprog_Click},
    // The five tool items are added in place of this marker.
    {"toolsm", "tool", "", None, true, nullptr},
    {"toolsm", "bar7", "-", None, true, nullptr},
    {"toolsm", "addtools", "&Customize tools", None, true, &Main::addtools_Click},
    {"options", "fontcol", "&Background color", None, true, &Main::fontcol_Click},
    {"options", "Font", "&Font...", None, true, &Main::Font_Click},
    {"about", "aboutvd", "&About...", None, true, &Main::aboutvd_Click},
};

// Toolbar buttons 1 to 10: key, tool tip and image; an empty key is a separator.
struct ToolbarButton {
    const char* key;
    const char* toolTip;
    int image;
};

constexpr ToolbarButton ToolbarButtons[] = {
    {"New", "New Program", 4},
    {"Open", "Open File", 5},
    {"Save", "Save File", 1},
    {"", "", 0},
    {"Cut", "Cut Selected Text", 2},
    {"Copy", "Copy selected text", 6},
    {"Paste", "Put text from Clipboard", 3},
    {"Search", "Search...", 7},
    {"", "", 0},
    {"Run", "Run", 12},
};

// The document commands that follow whether any document is open.
constexpr const char* EditorMenuCommands[] = {"Copy",     "Cut",  "paste",      "saveas",
                                              "sbrowser", "runp", "compileprog"};
constexpr int EditorToolbarButtons[] = {3, 5, 6, 7, 8, 10};

constexpr int ToolbarWidthMarginTwips = 140;
constexpr int TreePaneWidthTwips = 1695;
constexpr int TreeWidthTwips = 1590;
constexpr int TreeHeightMarginTwips = 1200;
constexpr int TreeMinimumWindowTwips = 1300;

// Picture2: holds the tree, whose width follows the pane's; its height is set on resize.
class TreePane : public QWidget {
public:
    TreePane(QWidget* tree, int gap, QWidget* parent) : QWidget(parent), m_tree(tree), m_gap(gap) {
        tree->setParent(this);
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        m_tree->resize(qMax(0, width() - m_gap), m_tree->height());
    }

private:
    QWidget* m_tree;
    int m_gap;
};

} // namespace

Main::Main(const AppFolders& folders, Platform platform, QWidget* parent)
    : QMainWindow(parent), m_applicationFolder(folders.applicationFolder), m_platform(platform) {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Veldra Studio [No Project]"));
    setWindowIcon(applicationIcon());

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Picture1 = new QWidget(central);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedHeight(twipsToPixelsY(420));
    column->addWidget(Picture1);

    // The user widens the tree pane by dragging its edge; it starts at the design width, and
    // the tree keeps the design gap to that edge.
    auto* row = new QSplitter(Qt::Horizontal, central);
    row->setObjectName(QStringLiteral("TreeSplitter"));
    row->setChildrenCollapsible(false);
    column->addWidget(row, 1);

    TreeView1 = new QTreeWidget();
    Picture2 = new TreePane(TreeView1, twipsToPixelsX(TreePaneWidthTwips - TreeWidthTwips), row);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setMinimumWidth(twipsToPixelsX(TreePaneWidthTwips) / 2);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setAccessibleName(QStringLiteral("Project"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setRootIsDecorated(true);
    TreeView1->setIconSize(QSize(16, 16));
    TreeView1->setGeometry(0, 0, twipsToPixelsX(TreeWidthTwips), twipsToPixelsY(3975));
    // Long file names scroll sideways instead of being cut short.
    TreeView1->header()->setStretchLastSection(false);
    TreeView1->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    TreeView1->setTextElideMode(Qt::ElideNone);
    row->addWidget(Picture2);

    m_mdiArea = new QMdiArea(row);
    m_mdiArea->setObjectName(QStringLiteral("MDIClient"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    row->addWidget(m_mdiArea);
    row->setStretchFactor(1, 1);
    row->setSizes({twipsToPixelsX(TreePaneWidthTwips), twipsToPixelsX(7380)});
    setCentralWidget(central);

    m_documentManager =
        std::make_unique<DocumentManager>(*this, m_platform, *m_mdiArea, m_documents, m_project);
    m_editCommands =
        std::make_unique<EditCommands>(*m_documentManager, m_documents, m_platform.dialog);
    m_navigation =
        std::make_unique<NavigationCommands>(*this, *this, *m_documentManager, m_platform.messages);
    m_projectCommands = std::make_unique<ProjectCommands>(
        *this, *this, m_platform, *m_documentManager, m_documents, m_project, *TreeView1);
    m_buildCommands = std::make_unique<BuildCommands>(*this, *this, m_platform, *m_documentManager,
                                                      *m_projectCommands, m_project,
                                                      m_applicationFolder, folders.driver);
    addDockWidget(Qt::BottomDockWidgetArea, m_buildCommands->console());
    m_buildCommands->console()->hide();
    m_toolCommands = std::make_unique<ToolCommands>(*this, *this, m_platform, *m_mdiArea);
    m_toolSettings =
        std::make_unique<ToolSettings>(m_applicationFolder, *m_toolCommands, m_platform.messages);

    m_commandActions = new QActionGroup(this);
    m_commandActions->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    createActions();
    createToolbar();

    connect(TreeView1, &QTreeWidget::itemClicked, this, [this] {
        if (commandsAllowed())
            m_projectCommands->TreeView1_NodeClick();
    });
    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (commandsAllowed())
            m_projectCommands->TreeView1_DblClick();
    });
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (auto* editor = qobject_cast<Editor*>(window))
            m_documentManager->Form_Activate(*editor);
    });

    resize(twipsToPixelsX(7380), twipsToPixelsY(4710) + menuBar()->sizeHint().height());
    MDIForm_Load();
}

Main::~Main() = default;

void Main::createActions() {
    QHash<QString, QMenu*> menus;
    for (const MenuTitle& title : Menus) {
        // The first letter of each menu title opens it with Alt, for keyboard users.
        QMenu* menu = menuBar()->addMenu(QLatin1Char('&') + QString::fromLatin1(title.caption));
        menu->setObjectName(QString::fromLatin1(title.name));
        menus.insert(menu->objectName(), menu);
    }
    for (const MenuItem& item : MenuItems) {
        QMenu* menu = menus.value(QString::fromLatin1(item.menu));
        const QString name = QString::fromLatin1(item.name);
        if (name == QLatin1String("tool")) {
            for (int index = 1; index <= 5; ++index) {
                QAction* toolItem = menu->addAction(QStringLiteral("Tool %1").arg(index));
                toolItem->setObjectName(name);
                toolItem->setData(index);
                toolItem->setShortcut(QKeyCombination(Qt::CTRL, Qt::Key(Qt::Key_F1 + index - 1)));
                route(toolItem, [this, index] { tool_Click(index); });
                m_toolItems[index] = toolItem;
            }
            continue;
        }
        QAction* action = nullptr;
        if (item.handler == nullptr) {
            action = menu->addSeparator();
        } else {
            action = menu->addAction(QString::fromLatin1(item.caption));
            if (item.shortcut != None)
                action->setShortcut(item.shortcut);
            action->setEnabled(item.enabled);
            route(action, [this, handler = item.handler] { (this->*handler)(); });
        }
        action->setObjectName(name);
        m_actions.insert(name, action);
    }
}

void Main::createToolbar() {
    Toolbar1 = new QToolBar(Picture1);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Toolbar1->setGeometry(0, 0, twipsToPixelsX(6615), twipsToPixelsY(390));
    int number = 1;
    for (const ToolbarButton& entry : ToolbarButtons) {
        QAction* button = nullptr;
        if (entry.key[0] == '\0') {
            button = Toolbar1->addSeparator();
        } else {
            const QString toolTip = QString::fromLatin1(entry.toolTip);
            button = Toolbar1->addAction(m_imageList.image(entry.image), toolTip);
            button->setToolTip(toolTip);
            button->setProperty("key", QString::fromLatin1(entry.key));
            route(button, [this, button] { Toolbar1_ButtonClick(button); });
            if (QWidget* widget = Toolbar1->widgetForAction(button))
                widget->setAccessibleName(toolTip);
        }
        m_toolbarButtons[number++] = button;
    }
}

QAction* Main::action(const QString& name) const {
    return m_actions.value(name);
}

QAction* Main::tool(int index) const {
    return index >= 1 && index <= 5 ? m_toolItems[index] : nullptr;
}

QAction* Main::toolbarButton(int number) const {
    return number >= 1 && number <= 10 ? m_toolbarButtons[number] : nullptr;
}

Editor* Main::activeEditor() const {
    return m_documentManager->activeEditor();
}

void Main::setCaption(const QString& what) {
    setWindowTitle(QStringLiteral("Veldra Studio [") + what + u']');
}

void Main::route(QAction* action, std::function<void()> command) {
    m_commandActions->addAction(action);
    // QAction::trigger() fires even on a disabled action, so the gate is asked again here.
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
        if (commandsAllowed())
            command();
    });
}

void Main::setInputEnabled(bool enabled) {
    m_inputEnabled = enabled;
    applyInputState();
}

void Main::enterBusy() {
    if (m_busyDepth++ == 0) {
        // The dialogs that are up take nothing either, assistive technology included; they
        // can still be closed.
        for (QDialog* dialog : findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
            if (dialog->isVisible() && dialog->isEnabled()) {
                m_dialogsHeldByBuild.append({dialog, dialog->focusWidget()});
                dialog->setEnabled(false);
            }
        }
    }
    applyInputState();
}

void Main::leaveBusy() {
    if (m_busyDepth > 0 && --m_busyDepth == 0) {
        for (const auto& [dialog, focus] : std::as_const(m_dialogsHeldByBuild)) {
            if (dialog != nullptr)
                dialog->setEnabled(true);
            if (focus != nullptr)
                focus->setFocus();
        }
        m_dialogsHeldByBuild.clear();
    }
    applyInputState();
}

void Main::applyInputState() {
    // Not the QMainWindow itself: disabling it would disable every dialog it parents and any
    // pane that must keep taking input during a build.
    const bool on = commandsAllowed();
    menuBar()->setEnabled(on);
    Toolbar1->setEnabled(on);
    TreeView1->setEnabled(on);
    m_mdiArea->setEnabled(on);
    m_commandActions->setEnabled(on);
}

bool Main::AnyEditorOpen() const {
    return m_documents.AnyEditorOpen();
}

void Main::EnableEditorCommands() {
    for (const char* name : EditorMenuCommands)
        action(QString::fromLatin1(name))->setEnabled(true);
    for (int number : EditorToolbarButtons)
        toolbarButton(number)->setEnabled(true);
}

void Main::DisableEditorCommands() {
    for (const char* name : EditorMenuCommands)
        action(QString::fromLatin1(name))->setEnabled(false);
    action(QStringLiteral("save"))->setEnabled(false);
    for (int number : EditorToolbarButtons)
        toolbarButton(number)->setEnabled(false);
}

void Main::MDIForm_Load() {
    MakeToolbarFlat(Toolbar1);
    DisableEditorCommands();
    m_projectCommands->DisableProjectCommands();
    m_projectCommands->showPlaceholderNode();
    m_project.MaxObjects = 100.0;
    m_project.TempStringSize = 64000.0;
    m_toolCommands->RefreshToolsMenu();
    m_toolSettings->LoadSettings();
}

void Main::MakeToolbarFlat(QWidget* control) {
    auto* toolbar = qobject_cast<QToolBar*>(control);
    if (toolbar == nullptr)
        return;
    for (QToolButton* button : toolbar->findChildren<QToolButton*>())
        button->setAutoRaise(true);
    toolbar->update();
}

void Main::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    MDIForm_Resize();
}

void Main::MDIForm_Resize() {
    if (isMinimized())
        return;
    const QSize outer = frameGeometry().size();
    Toolbar1->resize(qMax(0, outer.width() - twipsToPixelsX(ToolbarWidthMarginTwips)),
                     Toolbar1->height());
    if (outer.height() >= twipsToPixelsY(TreeMinimumWindowTwips))
        TreeView1->resize(TreeView1->width(),
                          outer.height() - twipsToPixelsY(TreeHeightMarginTwips));
}

void Main::closeEvent(QCloseEvent* event) {
    // Closing is a command too: refused, without a question, while commands are blocked.
    if (!commandsAllowed()) {
        event->ignore();
        return;
    }
    // Every document window, hidden ones included, may refuse; then nothing closes.
    if (!m_documentManager->queryCloseAll()) {
        event->ignore();
        return;
    }
    m_documentManager->unloadAll();
    MDIForm_Unload();
    event->accept();
}

void Main::MDIForm_Unload() {
    m_toolSettings->SaveSettings();
}

void Main::new_Click() {
    m_documentManager->New();
}

void Main::open_Click() {
    m_documentManager->OpenDocument();
}

void Main::save_Click() {
    if (!AnyEditorOpen())
        return;
    if (Editor* editor = activeEditor())
        m_documentManager->SaveDocument(*editor);
}

void Main::saveas_Click() {
    if (Editor* editor = activeEditor())
        m_documentManager->SaveDocumentAs(*editor);
}

void Main::exit_Click() {
    close();
}

void Main::Cut_Click() {
    m_editCommands->CutSelection();
}

void Main::Copy_Click() {
    m_editCommands->CopySelection();
}

void Main::paste_Click() {
    m_editCommands->PasteClipboard();
}

void Main::searchagain_Click() {
    m_navigation->searchagain_Click();
}

void Main::Search_Click() {
    m_navigation->Search_Click();
}

void Main::sbrowser_Click() {
    m_navigation->sbrowser_Click();
}

void Main::nproject_Click() {
    m_projectCommands->nproject_Click();
}

void Main::lproject_Click() {
    m_projectCommands->lproject_Click();
}

void Main::sproject_Click() {
    m_projectCommands->sproject_Click();
}

void Main::saveasproj_Click() {
    m_projectCommands->saveasproj_Click();
}

void Main::cproject_Click() {
    m_projectCommands->cproject_Click();
}

void Main::addasm_Click() {
    m_projectCommands->addasm_Click();
}

void Main::addbas_Click() {
    m_projectCommands->addbas_Click();
}

void Main::delfile_Click() {
    m_projectCommands->delfile_Click();
}

void Main::poptions_Click() {
    m_projectCommands->poptions_Click();
}

void Main::runp_Click() {
    m_buildCommands->RunProgram();
}

void Main::compileprog_Click() {
    m_buildCommands->compileprog_Click();
}

void Main::tool_Click(int index) {
    m_toolCommands->tool_Click(index);
}

void Main::addtools_Click() {
    m_toolCommands->addtools_Click();
}

void Main::fontcol_Click() {
    m_editCommands->fontcol_Click();
}

void Main::Font_Click() {
    m_editCommands->Font_Click();
}

void Main::aboutvd_Click() {
    m_platform.messages.show(QStringLiteral("About..."),
                             QStringLiteral("Veldra Studio\r\n"
                                            "The Veldra Studio authors, 2026\r\n"
                                            "\r\n"
                                            "Homepage:\r\n") +
                                 QStringLiteral(VELDRA_HOMEPAGE_URL),
                             MsgIcon::Information, MsgButtons::Ok);
}

void Main::Toolbar1_ButtonClick(QAction* button) {
    const QString key = button->property("key").toString();
    if (key == QLatin1String("Run")) {
        m_buildCommands->RunProgram();
    } else if (key == QLatin1String("Search")) {
        m_navigation->showSearchBox();
    } else if (key == QLatin1String("Copy")) {
        m_editCommands->CopySelection();
    } else if (key == QLatin1String("Cut")) {
        m_editCommands->CutSelection();
    } else if (key == QLatin1String("Paste")) {
        m_editCommands->PasteClipboard();
    } else if (key == QLatin1String("New")) {
        m_documentManager->New();
    } else if (key == QLatin1String("Open")) {
        m_documentManager->OpenDocument();
    } else if (key == QLatin1String("Save")) {
        Editor* editor = activeEditor();
        if (editor == nullptr)
            return;
        if (IsUntitled(editor->windowTitle()))
            m_documentManager->SaveDocumentAs(*editor);
        else
            m_documentManager->SaveDocument(*editor);
    }
}
