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
#include "shell/ClientArea.h"
#include "shell/MenuTable.h"
#include "shell/ToolSettings.h"
#include "tools/ToolCommands.h"
#include "ui/Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {

constexpr int ToolbarWidthMarginTwips = 140;
constexpr int TreeHeightMarginTwips = 1200;
constexpr int TreeMinimumWindowTwips = 1300;

} // namespace

Main::Main(const AppFolders& folders, Platform platform, AppState& state, QWidget* parent)
    : QMainWindow(parent), m_platform(platform), m_documents(state.documents),
      m_project(state.project) {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Veldra Studio [No Project]"));
    setWindowIcon(applicationIcon());

    auto* client = new ClientArea(this);
    TreeView1 = client->TreeView1;
    m_mdiArea = client->mdiArea;
    setCentralWidget(client);

    m_documentManager =
        std::make_unique<DocumentManager>(*this, m_platform, *m_mdiArea, m_documents, m_project);
    m_editCommands =
        std::make_unique<EditCommands>(*m_documentManager, m_documents, m_platform.dialog);
    m_navigation = std::make_unique<NavigationCommands>(*this, *this, *m_documentManager,
                                                        state.search, m_platform.messages);
    m_projectCommands = std::make_unique<ProjectCommands>(
        *this, *this, m_platform, *m_documentManager, m_documents, m_project, *TreeView1);
    m_buildCommands = std::make_unique<BuildCommands>(*this, *this, m_platform, *m_documentManager,
                                                      *m_projectCommands, m_project,
                                                      folders.applicationFolder, folders.driver);
    addDockWidget(Qt::BottomDockWidgetArea, m_buildCommands->console());
    m_toolCommands =
        std::make_unique<ToolCommands>(*this, *this, m_platform, state.tools, *m_mdiArea);
    m_toolSettings = std::make_unique<ToolSettings>(folders.applicationFolder, *m_toolCommands,
                                                    m_platform.messages);

    createActions();
    createToolbar(client->Picture1);
    m_gate.setBlockedWidgets({menuBar(), Toolbar1, TreeView1, m_mdiArea});

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
    for (const MenuTitle& title : menuTitles()) {
        // The first letter of each menu title opens it with Alt, for keyboard users.
        QMenu* menu = menuBar()->addMenu(QLatin1Char('&') + QString::fromLatin1(title.caption));
        menu->setObjectName(QString::fromLatin1(title.name));
        menus.insert(menu->objectName(), menu);
    }
    for (const MenuItem& item : menuItems()) {
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
            if (item.shortcut != QKeyCombination())
                action->setShortcut(item.shortcut);
            action->setEnabled(item.enabled);
            route(action, [this, handler = item.handler] { (this->*handler)(); });
        }
        action->setObjectName(name);
        m_actions.insert(name, action);
    }
}

void Main::createToolbar(QWidget* place) {
    Toolbar1 = new QToolBar(place);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Toolbar1->setGeometry(0, 0, twipsToPixelsX(6615), twipsToPixelsY(390));
    int number = 1;
    for (const ToolbarButton& entry : toolbarButtons()) {
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

void Main::EnableEditorCommands() {
    for (const char* name : editorMenuCommands())
        action(QString::fromLatin1(name))->setEnabled(true);
    for (int number : editorToolbarButtons())
        toolbarButton(number)->setEnabled(true);
}

void Main::DisableEditorCommands() {
    for (const char* name : editorMenuCommands())
        action(QString::fromLatin1(name))->setEnabled(false);
    action(QStringLiteral("save"))->setEnabled(false);
    for (int number : editorToolbarButtons())
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
