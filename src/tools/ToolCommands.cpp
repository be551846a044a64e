#include "tools/ToolCommands.h"

#include "core/DisplayText.h"
#include "core/FileIo.h"
#include "core/PathNames.h"
#include "platform/Messages.h"
#include "platform/Processes.h"
#include "shell/Main.h"
#include "shell/SettingsFile.h"
#include "tools/ToolCommandLine.h"
#include "tools/customizetools.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

ToolCommands::ToolCommands(Main& main) : m_main(main) {
    m_activation = QObject::connect(m_main.mdiArea(), &QMdiArea::subWindowActivated,
                                    [this](QMdiSubWindow* window) { keepToolShortcuts(window); });
}

// The client area outlives this object while the main window is torn down.
ToolCommands::~ToolCommands() {
    QObject::disconnect(m_activation);
}

customizetools* ToolCommands::dialog() const {
    return m_dialog;
}

void ToolCommands::RefreshToolsMenu() {
    for (int n = 1; n <= ToolSlots::Count; ++n) {
        QAction* item = m_main.tool(n);
        const QString& name = m_slots[n].ProgramName;
        item->setEnabled(!name.isEmpty());
        // A caption too long to lay out at once would stall the menu each time it opens. An
        // ampersand in a name is shown as it is, not taken as a mnemonic mark.
        item->setText(name.isEmpty() ? QStringLiteral("No tool")
                                     : displayedText(name).replace(u'&', QStringLiteral("&&")));
    }
}

void ToolCommands::keepToolShortcuts(QMdiSubWindow* window) const {
    if (window == nullptr || window->systemMenu() == nullptr)
        return;
    for (QAction* action : window->systemMenu()->actions()) {
        QList<QKeySequence> keys = action->shortcuts();
        qsizetype removed = 0;
        for (int n = 1; n <= ToolSlots::Count; ++n)
            removed += keys.removeAll(m_main.tool(n)->shortcut());
        if (removed > 0)
            action->setShortcuts(keys);
    }
}

void ToolCommands::LaunchTool(int n) {
    const ToolSlot& slot = m_slots[n];
    const ToolCommand command = toolCommand(slot.ProgramLocation, slot.Parameters);
    const QString what =
        QStringLiteral("The tool \"%1\" could not be started:").arg(slot.ProgramName);
    QString text;
    if (command.program.isEmpty()) {
        text = what + QStringLiteral("\r\nNo program location is given.");
    } else {
        const StartResult result =
            m_main.platform().processes.startDetached(command.program, command.arguments);
        if (result.started)
            return;
        text = fileFailureText(what, command.program, result.error);
    }
    m_main.platform().messages.show(QStringLiteral("Tools"), text, MsgIcon::Critical,
                                    MsgButtons::Ok);
}

void ToolCommands::tool_Click(int index) {
    if (index >= 1 && index <= ToolSlots::Count)
        LaunchTool(index);
}

void ToolCommands::addtools_Click() {
    if (m_dialog == nullptr)
        m_dialog = new customizetools(m_main);
    if (m_dialog->isVisible())
        m_dialog->raise();
    else
        m_dialog->show();
    m_dialog->activateWindow();
    m_main.setInputEnabled(false);
}

QString ToolCommands::settingsPath() const {
    return JoinPath(m_main.applicationFolder(), SettingsFileName);
}

void ToolCommands::LoadSettings() {
    SettingsContents contents;
    if (!loadSettingsFile(settingsPath(), &contents))
        return;
    m_settingsEncoding = contents.encoding;
    for (int i = 0; i < contents.values.size(); ++i) {
        ToolSlot& slot = m_slots[i / 3 + 1];
        QString& field = i % 3 == 0   ? slot.ProgramName
                         : i % 3 == 1 ? slot.ProgramLocation
                                      : slot.Parameters;
        field = contents.values[i];
    }
    // A short file keeps the values read, but the menu stays as start-up built it.
    if (contents.values.size() == SettingsValueCount)
        RefreshToolsMenu();
}

void ToolCommands::SaveSettings() {
    QStringList values;
    for (int n = 1; n <= ToolSlots::Count; ++n)
        values << m_slots[n].ProgramName << m_slots[n].ProgramLocation << m_slots[n].Parameters;
    QString error;
    const QString path = settingsPath();
    if (saveSettingsFile(path, values, m_settingsEncoding, &error))
        return;
    // The shut-down goes on; the old file is still there.
    m_main.platform().messages.show(
        QStringLiteral("Settings"),
        fileFailureText(QStringLiteral("The settings could not be saved:"), path, error),
        MsgIcon::Exclamation, MsgButtons::Ok);
}
