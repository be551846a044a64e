// The project commands driven through the main window: Create, Load, Save, Close, the tree,
// adding and removing members, and the options dialog.

#include "MainFixture.h"

#include "documents/DocumentManager.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "projects/Addfile.h"
#include "projects/ProjectCommands.h"
#include "projects/ProjectOptions.h"
#include "shell/Main.h"

#include <QAction>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

// Chooses "New File" or "Open File" in the Add File dialog and presses "Add".
void addThroughDialog(Main& main, int row) {
    Addfile* dialog = main.projectCommands().addfileDialog();
    QVERIFY(dialog != nullptr && dialog->isVisible());
    dialog->ListView1->setCurrentRow(row);
    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
}

} // namespace

class ProjectWindowsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void saveOfNeverSavedProjectNamesMembers();
};

void ProjectWindowsTest::saveOfNeverSavedProjectNamesMembers() {
    MainFixture f;
    Main& main = f.start();
    main.nproject_Click();
    addThroughDialog(main, 0);
    main.action(QStringLiteral("addasm"))->trigger();
    addThroughDialog(main, 0);
    f.active()->Text1->setWholeText(QStringLiteral("abc"));
    const QString project = f.docPath(QStringLiteral("p.vdp"));
    const QString bas = f.docPath(QStringLiteral("m.bas"));
    const QString asmPath = f.docPath(QStringLiteral("m.asm"));
    f.dialog.answerFile(project);
    f.dialog.cancel();
    f.dialog.answerFile(bas);
    f.dialog.answerFile(asmPath);
    main.action(QStringLiteral("sproject"))->trigger();
    QCOMPARE(f.messages.beeps, 1);
    QCOMPARE(MainFixture::readFile(asmPath), QByteArray("abc\r\n"));
    QCOMPARE(MainFixture::readFile(project),
             QByteArray("Veldra Studio Project File\r\n 100 \r\n 64000 \r\n[Basic Files]\r\n") +
                 bas.toUtf8() + "\r\n[Assembly Files]\r\n" + asmPath.toUtf8() + "\r\n");
    QCOMPARE(main.windowTitle(), QStringLiteral("Veldra Studio [%1]").arg(project));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

QTEST_MAIN(ProjectWindowsTest)
#include "ProjectWindowsTest.moc"
