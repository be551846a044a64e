#include "shell/Main.h"
#include "core/AppFolder.h"
#include "core/PathNames.h"
#include "documents/Editor.h"
#include "platform/QtCommonDialog.h"
#include "platform/QtMessages.h"
#include "platform/QtProcesses.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veldra Studio"));
    QApplication::setApplicationVersion(QStringLiteral(VELDRA_VERSION));

    // The executable's folder holds the settings file and the temporary build files when the
    // user may write there (a build tree, an install of one's own); under a system-wide install
    // they go to a per-user folder instead.
    const AppFolders folders = findAppFolders(
        QCoreApplication::applicationDirPath(),
        userAppFolder(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                      QDir::homePath()));

    QtCommonDialog dialog;
    QtMessages messages;
    QtProcesses processes;
    AppState state;
    Main main(folders, Platform{dialog, messages, processes}, state);
    dialog.setParentWidget(&main);
    // File dialogs open in the folder of the active document.
    dialog.setDocumentFolder([&main]() -> QString {
        const Editor* editor = main.activeEditor();
        if (editor == nullptr || IsUntitled(editor->windowTitle()))
            return {};
        return FolderOfPath(editor->windowTitle());
    });
    messages.setParentWidget(&main);
    main.show();
    return QApplication::exec();
}
