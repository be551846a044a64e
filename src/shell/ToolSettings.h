#pragma once

#include "core/TextCodec.h"

#include <QString>

class Messages;
class ToolCommands;

// The settings file in the application folder, which keeps the five tool slots from one run to
// the next: read at start-up, written at shut-down.
class ToolSettings {
public:
    ToolSettings(const QString& applicationFolder, ToolCommands& tools, Messages& messages);

    void LoadSettings();
    // A file that cannot be written is reported; the old file stays as it was.
    void SaveSettings();

private:
    QString m_path;
    ToolCommands& m_tools;
    Messages& m_messages;
    // The settings file is written back in the encoding it was read in.
    TextEncoding m_settingsEncoding = TextEncoding::Utf8;
};
