#include "projects/ProjectCommands.h"

#include "shell/Main.h"

#include <QAction>
#include <QTreeWidget>

void ProjectCommands::setProjectCommandsEnabled(bool enabled) {
    for (const char* name : {"addasm", "addbas", "poptions", "sproject", "saveasproj", "cproject"})
        m_main.action(QString::fromLatin1(name))->setEnabled(enabled);
}

void ProjectCommands::EnableProjectCommands() { setProjectCommandsEnabled(true); }

void ProjectCommands::DisableProjectCommands() { setProjectCommandsEnabled(false); }

void ProjectCommands::showPlaceholderNode() {
    QTreeWidget* tree = m_main.TreeView1;
    tree->clear();
    auto* node = new QTreeWidgetItem(tree, {QStringLiteral("Only available in Projects")});
    node->setData(0, Qt::UserRole, QStringLiteral("disabled"));
    node->setIcon(0, m_main.ImageList1().image(10));
}
