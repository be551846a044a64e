#include "shell/ToolSettings.h"

#include "core/FileIo.h"
#include "core/PathNames.h"
#include "platform/Messages.h"
#include "shell/SettingsFile.h"
#include "tools/ToolCommands.h"

ToolSettings::ToolSettings(const QString& applicationFolder, ToolCommands& tools,
                           Messages& messages)
    : m_path(JoinPath(applicationFolder, SettingsFileName)), m_tools(tools), m_messages(messages) {}

void ToolSettings::LoadSettings() {
    SettingsContents contents;
    if (!loadSettingsFile(m_path, &contents))
        return;
    m_settingsEncoding = contents.encoding;
    ToolSlots& tools = m_tools.toolSlots();
    for (int i = 0; i < contents.values.size(); ++i) {
        ToolSlot& slot = tools[i / 3 + 1];
        QString& field = i % 3 == 0   ? slot.ProgramName
                         : i % 3 == 1 ? slot.ProgramLocation
                                      : slot.Parameters;
        field = contents.values[i];
    }
    // A short file keeps the values read, but the menu stays as start-up built it.
    if (contents.values.size() == SettingsValueCount)
        m_tools.RefreshToolsMenu();
}

void ToolSettings::SaveSettings() {
    const ToolSlots& tools = m_tools.toolSlots();
    QStringList values;
    for (int n = 1; n <= ToolSlots::Count; ++n)
        values << tools[n].ProgramName << tools[n].ProgramLocation << tools[n].Parameters;
    QString error;
    if (saveSettingsFile(m_path, values, m_settingsEncoding, &error))
        return;
    // The shut-down goes on; the old file is still there.
    reportFileFailure(m_messages, QStringLiteral("Settings"),
                      QStringLiteral("The settings could not be saved:"), m_path, error,
                      MsgIcon::Exclamation);
}
