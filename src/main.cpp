#include "shell/Main.h"
#include "platform/QtCommonDialog.h"
#include "platform/QtMessages.h"
#include "platform/QtProcesses.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veldra Studio"));
    QApplication::setApplicationVersion(QStringLiteral(VELDRA_VERSION));

    QtCommonDialog dialog;
    QtMessages messages;
    QtProcesses processes;
    // The application folder is the executable's own: it holds the compiler driver, the
    // settings file and the temporary build files.
    Main main(QCoreApplication::applicationDirPath(), Platform{dialog, messages, processes});
    dialog.setParentWidget(&main);
    messages.setParentWidget(&main);
    main.show();
    return QApplication::exec();
}
