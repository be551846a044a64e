#include "core/AppFolder.h"

#include <QTest>

class AppFolderTest : public QObject {
    Q_OBJECT

private slots:
    void chooses_data() {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("userHasDriver");
        QTest::addColumn<bool>("exeHasDriver");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("driver");
        const QString exe = QStringLiteral("/opt/vs");
        const QString user = QStringLiteral("/home/user/.local/share/veldra-studio");
        // A writable executable folder is kept whatever lies where.
        QTest::newRow("build tree") << true << true << true << exe << exe + "/make";
        QTest::newRow("per-user install, no driver")
            << true << false << false << exe << exe + "/make";
        QTest::newRow("system install, user driver")
            << false << true << true << user << user + "/make";
        QTest::newRow("system install, shipped driver")
            << false << false << true << user << exe + "/make";
        QTest::newRow("system install, no driver")
            << false << false << false << user << user + "/make";
    }
    void chooses() {
        QFETCH(bool, writable);
        QFETCH(bool, userHasDriver);
        QFETCH(bool, exeHasDriver);
        QFETCH(QString, folder);
        QFETCH(QString, driver);
        const FolderFacts facts{QStringLiteral("/opt/vs"), writable,
                                QStringLiteral("/home/user/.local/share/veldra-studio"),
                                userHasDriver, exeHasDriver};
        QCOMPARE(chooseAppFolders(facts), AppFolders(folder, driver));
    }

    void userFolder_data() {
        QTest::addColumn<QString>("dataFolder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("default") << "/home/user/.local/share"
                                 << "/home/user/.local/share/veldra-studio";
        QTest::newRow("XDG_DATA_HOME") << "/data"
                                       << "/data/veldra-studio";
        QTest::newRow("relative, ignored") << "data"
                                           << "/home/user/.local/share/veldra-studio";
        QTest::newRow("none") << ""
                              << "/home/user/.local/share/veldra-studio";
    }
    void userFolder() {
        QFETCH(QString, dataFolder);
        QFETCH(QString, expected);
        QCOMPARE(userAppFolder(dataFolder, QStringLiteral("/home/user")), expected);
    }
};

QTEST_GUILESS_MAIN(AppFolderTest)
#include "AppFolderTest.moc"
