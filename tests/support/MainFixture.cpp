#include "MainFixture.h"

#include "shell/Main.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

namespace {
QtMessageHandler previousHandler = nullptr;

// The offscreen platform warns about every top-level window it cannot size by hints; that
// says nothing about our code and would bury real warnings.
void filterNoise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints")) ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    if (previousHandler != nullptr)
        previousHandler(type, context, message);
}
} // namespace

MainFixture::MainFixture(const QString& appFolderName)
    : m_appFolder(QDir::tempPath() + u'/' +
                  (appFolderName.isEmpty() ? QCoreApplication::applicationName() : appFolderName) +
                  QStringLiteral("-XXXXXX")) {
    static const bool installed = [] {
        previousHandler = qInstallMessageHandler(filterNoise);
        return true;
    }();
    Q_UNUSED(installed);
}

MainFixture::~MainFixture() {
    if (m_main) {
        // Leave without questions: the test is over.
        messages.answers.clear();
        m_main->hide();
        m_main.reset();
    }
}

Main& MainFixture::start() {
    const AppFolders folders =
        driver.isEmpty() ? AppFolders(m_appFolder.path()) : AppFolders(m_appFolder.path(), driver);
    state = AppState{};
    m_main = std::make_unique<Main>(folders, Platform{dialog, messages, processes}, state);
    m_main->show();
    if (!QTest::qWaitForWindowExposed(m_main.get()))
        qWarning("main window not exposed");
    return *m_main;
}

bool MainFixture::closeMain() {
    if (!m_main->close())
        return false;
    m_main.reset();
    return true;
}

QString MainFixture::docPath(const QString& name) const {
    return m_docFolder.filePath(name);
}

QString MainFixture::writeDoc(const QString& name, const QByteArray& bytes) const {
    const QString path = docPath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test document");
    return path;
}

QByteArray MainFixture::readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

QStringList MainFixture::problems() const {
    QStringList result = messages.unexpected + dialog.unexpected;
    if (!messages.answers.isEmpty())
        result << QStringLiteral("%1 message answer(s) left unused").arg(messages.answers.size());
    if (!dialog.answers.isEmpty())
        result << QStringLiteral("%1 dialog answer(s) left unused").arg(dialog.answers.size());
    return result;
}
