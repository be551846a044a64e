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
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {

const QByteArray Header = "Veldra Studio Project File\r\n";
const QString CloseAllText =
    QStringLiteral("This will close all windows, are you\r\nsure  you  want  to  load a project ?");
const QStringList ProjectCommandNames = {"addasm",   "addbas",     "poptions",
                                         "sproject", "saveasproj", "cproject"};

QTreeWidgetItem* node(Main& main, const QString& key) {
    for (QTreeWidgetItemIterator it(main.TreeView1); *it != nullptr; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key)
            return *it;
    }
    return nullptr;
}

// The tree as "key=text@image" lines, children indented by a blank.
QStringList tree(Main& main) {
    QStringList lines;
    for (QTreeWidgetItemIterator it(main.TreeView1); *it != nullptr; ++it) {
        int image = 0;
        for (int n = 1; n <= 12; ++n) {
            if (main.ImageList1().image(n).cacheKey() == (*it)->icon(0).cacheKey())
                image = n;
        }
        lines << QStringLiteral("%1%2=%3@%4")
                     .arg((*it)->parent() != nullptr ? QStringLiteral(" ") : QString(),
                          (*it)->data(0, Qt::UserRole).toString(), (*it)->text(0))
                     .arg(image);
    }
    return lines;
}

const QStringList EmptyProjectTree = {"qBasfiles=Bas Files@8", "qAsmfiles=Asm Files@9"};
const QStringList NoProjectTree = {"disabled=Only available in Projects@10"};

void clickNode(Main& main, const QString& key, bool twice = false) {
    QTreeWidgetItem* item = node(main, key);
    QVERIFY2(item != nullptr, qPrintable(key));
    if (item->parent() != nullptr)
        item->parent()->setExpanded(true);
    main.TreeView1->scrollToItem(item);
    const QPoint at = main.TreeView1->visualItemRect(item).center();
    QTest::mouseClick(main.TreeView1->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(main.TreeView1->viewport(), Qt::LeftButton, {}, at);
}

Editor* window(Main& main, int slot) {
    return main.documentManager().editorInSlot(slot);
}

int openWindows(Main& main) {
    return int(std::count(main.documents().DocInUse.begin(), main.documents().DocInUse.end(), 1));
}

bool projectCommandsEnabled(Main& main, bool enabled) {
    for (const QString& name : ProjectCommandNames) {
        if (main.action(name)->isEnabled() != enabled)
            return false;
    }
    return true;
}

// Chooses "New File" (row 0) or "Open File" (row 1) in the Add File dialog and presses "Add".
void confirmAddfile(Main& main, int row) {
    Addfile* dialog = main.projectCommands().addfileDialog();
    QVERIFY(dialog != nullptr && dialog->isVisible());
    dialog->ListView1->setCurrentRow(row);
    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
}

void addNew(Main& main, bool basic) {
    main.action(basic ? QStringLiteral("addbas") : QStringLiteral("addasm"))->trigger();
    confirmAddfile(main, 0);
}

void addExisting(MainFixture& f, bool basic, const QString& path) {
    f.dialog.answerFile(path);
    f.main().action(basic ? QStringLiteral("addbas") : QStringLiteral("addasm"))->trigger();
    confirmAddfile(f.main(), 1);
}

void expectNoProjectState(Main& main) {
    QCOMPARE(main.project().ProjectOpen, qint16(0));
    QCOMPARE(tree(main), NoProjectTree);
    QCOMPARE(main.windowTitle(), QStringLiteral("Veldra Studio [No Project]"));
    QVERIFY(projectCommandsEnabled(main, false));
}

QString optionText(const ProjectOption& option) {
    if (const double* number = std::get_if<double>(&option))
        return QStringLiteral("n:") + QString::number(*number);
    return QStringLiteral("t:") + std::get<QString>(option);
}

} // namespace

class ProjectWindowsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void createWithoutWindows();
    void createWithOpenWindows_data();
    void createWithOpenWindows();
    void closeAsksEvenWithoutWindows_data();
    void closeAsksEvenWithoutWindows();
    void closeShowsWindowKeptOpen();
    void delfileFollowsNodeClicks();
    void doubleClickShowsHiddenMember();
    void saveNamesUntitledMembersInEntryOrder();
    void loadGivesTheSavedMembers();
    void addNewAndExisting();
    void removal_data();
    void removal();
    void additionRefusedWithoutRoom_data();
    void additionRefusedWithoutRoom();
    void addfileDialogKeepsOrDiscardsItsSelection();
    void loadFailureChangesNothing_data();
    void loadFailureChangesNothing();
    void loadCancelled_data();
    void loadCancelled();
    void loadRefusedWithoutFreeSlots();
    void saveFailureKeepsPathAndCaption_data();
    void saveFailureKeepsPathAndCaption();
    void optionsDialogDisablesMainUntilLeft_data();
    void optionsDialogDisablesMainUntilLeft();
    void optionsKeptAcrossCreateAndCloseAndWrittenAsTyped();
    void loadChangesOptionsButNotFields();
};

void ProjectWindowsTest::createWithoutWindows() {
    MainFixture f;
    Main& main = f.start();
    main.action(QStringLiteral("nproject"))->trigger();
    QVERIFY(f.messages.calls.isEmpty());
    QCOMPARE(main.project().ProjectOpen, qint16(1));
    QCOMPARE(tree(main), EmptyProjectTree);
    QCOMPARE(main.windowTitle(), QStringLiteral("Veldra Studio [Untitled]"));
    QVERIFY(main.project().ProjectPath.isEmpty());
    QVERIFY(projectCommandsEnabled(main, true));
    QCOMPARE(main.project().AddFileKind, qint16(1));
    Addfile* addfile = main.projectCommands().addfileDialog();
    QVERIFY(addfile != nullptr && addfile->isVisible());
    QCOMPARE(addfile->windowTitle(), QStringLiteral("Add File"));
    QCOMPARE(addfile->ListView1->count(), 2);
    QCOMPARE(addfile->ListView1->item(0)->text(), QStringLiteral("New File"));
    QCOMPARE(addfile->ListView1->item(1)->text(), QStringLiteral("Open File"));

    // Save asks for a name; cancelling writes nothing.
    f.dialog.cancel();
    main.action(QStringLiteral("sproject"))->trigger();
    QCOMPARE(f.dialog.calls.size(), 1);
    QCOMPARE(f.dialog.calls[0].kind, QStringLiteral("save"));
    QCOMPARE(f.dialog.calls[0].filter,
             QStringLiteral("All Files (*.*)|*.*|Velstudio Files (*.vdp)|*.vdp|"));
    QCOMPARE(f.dialog.calls[0].filterIndex, 2);
    QCOMPARE(f.dialog.calls[0].flags, 0x806);
    QCOMPARE(main.windowTitle(), QStringLiteral("Veldra Studio [Untitled]"));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ProjectWindowsTest::createWithOpenWindows_data() {
    QTest::addColumn<MsgAnswer>("answer");
    QTest::newRow("No changes nothing") << MsgAnswer::No;
    QTest::newRow("Yes closes everything") << MsgAnswer::Yes;
}

void ProjectWindowsTest::createWithOpenWindows() {
    QFETCH(MsgAnswer, answer);
    MainFixture f;
    Main& main = f.start();
    main.nproject_Click();
    addNew(main, true);
    addExisting(f, false, f.writeDoc(QStringLiteral("b.asm"), "nop"));
    f.active()->close(); // the close box hides it
    main.project().MaxObjects = QStringLiteral("7");
    const QStringList before = tree(main);

    f.messages.answer(answer);
    if (answer == MsgAnswer::Yes)
        f.messages.answer(MsgAnswer::No); // "Save changes ?" of the new member
    main.nproject_Click();
    QCOMPARE(f.messages.calls[0].title, QStringLiteral("Create Project"));
    QCOMPARE(f.messages.calls[0].text, CloseAllText);
    QCOMPARE(f.messages.calls[0].icon, MsgIcon::Exclamation);
    QCOMPARE(f.messages.calls[0].buttons, MsgButtons::YesNo);
    if (answer == MsgAnswer::No) {
        QCOMPARE(tree(main), before);
        QCOMPARE(openWindows(main), 2);
        QCOMPARE(main.project().BasDoc[0], 0);
        QCOMPARE(main.project().AsmDoc[0], 1);
    } else {
        QCOMPARE(f.messages.calls[1].text,
                 QStringLiteral("File has not been saved\r\nSave changes ?"));
        QCOMPARE(openWindows(main), 0);
        QCOMPARE(tree(main), EmptyProjectTree);
        QCOMPARE(main.project().BasDoc[0], -1);
        QCOMPARE(main.project().AsmDoc[0], -1);
        QCOMPARE(main.windowTitle(), QStringLiteral("Veldra Studio [Untitled]"));
    }
    QCOMPARE(optionText(main.project().MaxObjects), QStringLiteral("t:7"));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ProjectWindowsTest::closeAsksEvenWithoutWindows_data() {
    QTest::addColumn<MsgAnswer>("answer");
    QTest::newRow("No keeps the project") << MsgAnswer::No;
    QTest::newRow("Yes closes it") << MsgAnswer::Yes;
}

void ProjectWindowsTest::closeAsksEvenWithoutWindows() {
    QFETCH(MsgAnswer, answer);
    MainFixture f;
    Main& main = f.start();
    main.nproject_Click();
    main.project().ProjectPath = f.docPath(QStringLiteral("kept.vdp"));
    f.messages.answer(answer);
    main.action(QStringLiteral("cproject"))->trigger();
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].title, QStringLiteral("Close Project"));
    QCOMPARE(f.messages.calls[0].text, QStringLiteral("Are you sure ?"));
    QCOMPARE(f.messages.calls[0].icon, MsgIcon::Question);
    QCOMPARE(f.messages.calls[0].buttons, MsgButtons::YesNo);
    if (answer == MsgAnswer::No) {
        QCOMPARE(tree(main), EmptyProjectTree);
        QCOMPARE(main.project().ProjectOpen, qint16(1));
    } else {
        expectNoProjectState(main);
        QVERIFY(!main.projectCommands().addfileDialog()->isVisible());
        // Close forgets nothing that the next Create or Load would not reset.
        QCOMPARE(main.project().ProjectPath, f.docPath(QStringLiteral("kept.vdp")));
        QString path = main.project().ProjectPath;
        QVERIFY(!main.projectCommands().SaveProject(1, path));
        QVERIFY(!QFile::exists(path));
    }
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

// A hidden window whose save question is cancelled stays open; shown, so that it can be reached.
void ProjectWindowsTest::closeShowsWindowKeptOpen() {
    MainFixture f;
    Main& main = f.start();
    main.nproject_Click();
    addNew(main, true);
    Editor* member = f.active();
    member->close();
    QVERIFY(!member->isVisible());
    f.messages.answer(MsgAnswer::Yes);
    f.messages.answer(MsgAnswer::Cancel);
    main.cproject_Click();
    expectNoProjectState(main);
    QCOMPARE(window(main, 0), member);
    QVERIFY(member->isVisible());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ProjectWindowsTest::delfileFollowsNodeClicks() {
    MainFixture f;
    Main& main = f.start();
    QAction* delfile = main.action(QStringLiteral("delfile"));
    main.nproject_Click();
    addNew(main, true);
    addNew(main, false);
    const struct {
        const char* key;
        bool enabled;
    } clicks[] = {
        {"Bas0", true}, {"qBasfiles", false}, {"Asm0", true}, {"qAsmfiles", false}, {"Bas0", true}};
    for (const auto& click : clicks) {
        clickNode(main, QString::fromLatin1(click.key));
        QVERIFY2(delfile->isEnabled() == click.enabled, click.key);
    }
    // The keyboard moves the selection too.
    clickNode(main, QStringLiteral("qBasfiles"));
    QTest::keyClick(main.TreeView1, Qt::Key_Down);
    QCOMPARE(main.TreeView1->currentItem(), node(main, QStringLiteral("Bas0")));
    QVERIFY(delfile->isEnabled());
    // Del Selected File with a group node selected asks nothing.
    main.TreeView1->setCurrentItem(node(main, QStringLiteral("qBasfiles")));
    main.delfile_Click();
    QVERIFY(f.messages.calls.isEmpty());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ProjectWindowsTest::doubleClickShowsHiddenMember() {
    MainFixture f;
    Main& main = f.start();
    main.nproject_Click();
    addExisting(f, true, f.writeDoc(QStringLiteral("a.bas"), "a"));
    addExisting(f, false, f.writeDoc(QStringLiteral("b.asm"), "b"));
    Editor* first = window(main, 0);
    first->close();
    QVERIFY(!first->isVisible());
    QCOMPARE(main.documents().DocInUse[0], qint16(1));
    QVERIFY(main.action(QStringLiteral("Copy"))->isEnabled());

    clickNode(main, QStringLiteral("Bas0"), true);
    QVERIFY(first->isVisible());
    QCOMPARE(f.active(), first);

    // A group node shows nothing; neither does a node whose entry is free.
    window(main, 1)->close();
    clickNode(main, QStringLiteral("qAsmfiles"), true);
    QVERIFY(!window(main, 1)->isVisible());
    main.project().AsmDoc[0] = -1;
    clickNode(main, QStringLiteral("Asm0"), true);
    QVERIFY(!window(main, 1)->isVisible());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ProjectWindowsTest::saveNamesUntitledMembersInEntryOrder() {
    MainFixture f;
    Main& main = f.start();
    main.nproject_Click();
    addNew(main, false); // Untitled (1), Asm0
    const QString existing = f.writeDoc(QStringLiteral("old.bas"), "old");
    addExisting(f, true, existing); // Bas0
    addNew(main, true);             // Untitled (2), Bas1
    f.active()->Text1->setWholeText(QStringLiteral("abc"));

    const QString project = f.docPath(QStringLiteral("p.vdp"));
    const QString bas = f.docPath(QStringLiteral("new.bas"));
    const QString asmPath = f.docPath(QStringLiteral("new.asm"));
    f.dialog.answerFile(project);
    f.dialog.cancel(); // the member must get a name: a beep, and the dialog again
    f.dialog.answerFile(bas);
    f.dialog.answerFile(asmPath);
    f.dialog.calls.clear();
    main.action(QStringLiteral("sproject"))->trigger();

    QCOMPARE(f.messages.beeps, 1);
    QCOMPARE(f.dialog.calls.size(), 4);
    const QString basFilter =
        QStringLiteral("All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|Text Files (*.txt)|*.txt");
    const QString asmFilter =
        QStringLiteral("All Files (*.*)|*.*|NASM Files (*.asm)|*.asm|Text Files (*.txt)|*.txt");
    for (int i = 1; i < 4; ++i) {
        QCOMPARE(f.dialog.calls[i].kind, QStringLiteral("save"));
        QCOMPARE(f.dialog.calls[i].filter, i < 3 ? basFilter : asmFilter);
        QCOMPARE(f.dialog.calls[i].filterIndex, 2);
        QCOMPARE(f.dialog.calls[i].flags, 0x806);
        QVERIFY(f.dialog.calls[i].fileName.isEmpty());
    }
    QCOMPARE(MainFixture::readFile(existing), QByteArray("old\r\n"));
    QCOMPARE(MainFixture::readFile(bas), QByteArray("abc\r\n"));
    QCOMPARE(MainFixture::readFile(asmPath), QByteArray("' Veldra Studio v1.00\r\n\r\n"));
    QCOMPARE(MainFixture::readFile(project),
             Header + " 100 \r\n 64000 \r\n[Basic Files]\r\n" + existing.toUtf8() + "\r\n" +
                 bas.toUtf8() + "\r\n[Assembly Files]\r\n" + asmPath.toUtf8() + "\r\n");
    QCOMPARE(tree(main), QStringList({"qBasfiles=Bas Files@8", " Bas0=old.bas@4", " Bas1=new.bas@4",
                                      "qAsmfiles=Asm Files@9", " Asm0=new.asm@4"}));
    QCOMPARE(window(main, 2)->windowTitle(), bas);
    QCOMPARE(window(main, 0)->windowTitle(), asmPath);
    for (int slot = 0; slot < 3; ++slot)
        QCOMPARE(main.documents().DocChanged[slot], qint16(0));
    QCOMPARE(main.project().ProjectPath, project);
    QCOMPARE(main.windowTitle(), QStringLiteral("Veldra Studio [%1]").arg(project));
    // File > Save follows the active member's new name.
    QVERIFY(main.action(QStringLiteral("save"))->isEnabled());

    // Save again writes to the same file without asking.
    main.sproject_Click();
    QCOMPARE(f.dialog.calls.size(), 4);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ProjectWindowsTest::loadGivesTheSavedMembers() {
    MainFixture f;
    Main& main = f.start();
    main.nproject_Click();
    const QString a = f.writeDoc(QStringLiteral("a.bas"), "A\r\n");
    const QString b = f.writeDoc(QStringLiteral("b.bas"), "B");
    const QString c = f.writeDoc(QStringLiteral("c.asm"), "C");
    addExisting(f, false, c);
    addExisting(f, true, a);
    addExisting(f, true, f.writeDoc(QStringLiteral("gone.bas"), "x"));
    addExisting(f, true, b);
    // Removing Bas1 leaves a gap in the entries; loading numbers them afresh.
    main.TreeView1->setCurrentItem(node(main, QStringLiteral("Bas1")));
    f.messages.answer(MsgAnswer::Yes);
    main.delfile_Click();
    QCOMPARE(main.project().BasDoc[2], 3);
    const QString project = f.docPath(QStringLiteral("p.vdp"));
    f.dialog.answerFile(project);
    main.saveasproj_Click();

    f.messages.calls.clear();
    f.messages.answer(MsgAnswer::Yes);
    f.dialog.answerFile(project);
    main.action(QStringLiteral("lproject"))->trigger();
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].title, QStringLiteral("Load Project"));
    QCOMPARE(f.messages.calls[0].text, CloseAllText);
    const DialogCall& open = f.dialog.calls.last();
    QCOMPARE(open.kind, QStringLiteral("open"));
    QCOMPARE(open.filter, QStringLiteral("All Files (*.*)|*.*|Velstudio Files (*.vdp)|*.vdp|"));
    QCOMPARE(open.filterIndex, 2);
    QCOMPARE(open.flags, 0x1004);

    QCOMPARE(tree(main), QStringList({"qBasfiles=Bas Files@8", " Bas0=a.bas@4", " Bas1=b.bas@4",
                                      "qAsmfiles=Asm Files@9", " Asm0=c.asm@4"}));
    const QStringList paths = {a, b, c};
    const QByteArray texts[] = {"A\r\n\r\n", "B\r\n", "C\r\n"};
    for (int slot = 0; slot < 3; ++slot) {
        Editor* member = window(main, slot);
        QVERIFY(member != nullptr && member->isVisible());
        QCOMPARE(member->windowTitle(), paths[slot]);
        QCOMPARE(member->Text1->wholeText().toUtf8(), texts[slot]);
        QCOMPARE(main.documents().DocChanged[slot], qint16(0));
    }
    QCOMPARE(main.project().BasDoc[0], 0);
    QCOMPARE(main.project().BasDoc[1], 1);
    QCOMPARE(main.project().BasDoc[2], -1);
    QCOMPARE(main.project().AsmDoc[0], 2);
    QCOMPARE(f.active(), window(main, 2));
    QCOMPARE(main.project().ProjectLoading, qint16(0));
    QCOMPARE(main.project().ProjectPath, project);
    QCOMPARE(main.windowTitle(), QStringLiteral("Veldra Studio [%1]").arg(project));
    QVERIFY(projectCommandsEnabled(main, true));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ProjectWindowsTest::addNewAndExisting() {
    MainFixture f;
    Main& main = f.start();
    main.nproject_Click();
    main.new_Click(); // Untitled (1): not a member
    addNew(main, true);
    QCOMPARE(f.active()->windowTitle(), QStringLiteral("Untitled (2)"));
    QCOMPARE(main.documents().DocChanged[1], qint16(-1));
    QVERIFY(!main.action(QStringLiteral("save"))->isEnabled());
    main.new_Click();
    QCOMPARE(f.active()->windowTitle(), QStringLiteral("Untitled (3)"));

    const QString path = f.writeDoc(QStringLiteral("lib.asm"), "mov ax, 1");
    addExisting(f, false, path);
    const DialogCall& open = f.dialog.calls.last();
    QCOMPARE(open.kind, QStringLiteral("open"));
    QCOMPARE(open.filter, QStringLiteral("All Files (*.*)|*.*|Assembly Files (*.asm)|*.asm|"));
    QCOMPARE(open.filterIndex, 2);
    QCOMPARE(open.flags, 4100);
    QCOMPARE(f.active()->windowTitle(), path);
    QCOMPARE(f.active()->Text1->wholeText(), QStringLiteral("mov ax, 1"));
    QCOMPARE(main.documents().DocChanged[3], qint16(0));

    // A cancelled open dialog adds nothing and still hides the dialog.
    f.dialog.cancel();
    main.addbas_Click();
    confirmAddfile(main, 1);
    QCOMPARE(f.dialog.calls.last().filter,
             QStringLiteral("All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|"));
    QCOMPARE(openWindows(main), 4);
    QCOMPARE(tree(main), QStringList({"qBasfiles=Bas Files@8", " Bas0=Untitled (2)@4",
                                      "qAsmfiles=Asm Files@9", " Asm0=lib.asm@4"}));
    QCOMPARE(main.project().BasDoc[0], 1);
    QCOMPARE(main.project().AsmDoc[0], 3);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ProjectWindowsTest::removal_data() {
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QList<MsgAnswer>>("answers");
    QTest::addColumn<bool>("removed");
    QTest::addColumn<QByteArray>("onDisk");
    using Answers = QList<MsgAnswer>;
    QTest::newRow("No keeps it") << false << Answers{MsgAnswer::No} << false << QByteArray("b");
    QTest::newRow("Yes removes it") << false << Answers{MsgAnswer::Yes} << true << QByteArray("b");
    QTest::newRow("Yes, changed, Yes saves and removes")
        << true << Answers{MsgAnswer::Yes, MsgAnswer::Yes} << true << QByteArray("edited\r\n");
    QTest::newRow("Yes, changed, No removes unsaved")
        << true << Answers{MsgAnswer::Yes, MsgAnswer::No} << true << QByteArray("b");
    QTest::newRow("Yes, changed, Cancel keeps it")
        << true << Answers{MsgAnswer::Yes, MsgAnswer::Cancel} << false << QByteArray("b");
}

void ProjectWindowsTest::removal() {
    QFETCH(bool, changed);
    QFETCH(QList<MsgAnswer>, answers);
    QFETCH(bool, removed);
    QFETCH(QByteArray, onDisk);
    MainFixture f;
    Main& main = f.start();
    main.nproject_Click();
    addExisting(f, true, f.writeDoc(QStringLiteral("a.bas"), "a"));
    const QString path = f.writeDoc(QStringLiteral("b.bas"), "b");
    addExisting(f, true, path);
    addExisting(f, true, f.writeDoc(QStringLiteral("c.bas"), "c"));
    if (changed)
        window(main, 1)->Text1->setWholeText(QStringLiteral("edited"));
    window(main, 1)->close(); // hidden members are removed all the same
    const QStringList before = tree(main);

    for (MsgAnswer answer : answers)
        f.messages.answer(answer);
    clickNode(main, QStringLiteral("Bas1"));
    main.action(QStringLiteral("delfile"))->trigger();
    QCOMPARE(f.messages.calls[0].title, QStringLiteral("Delete File"));
    QCOMPARE(f.messages.calls[0].text,
             QStringLiteral("Are you sure you want to delete\r\nb.bas ?"));
    QCOMPARE(f.messages.calls[0].icon, MsgIcon::Question);
    QCOMPARE(f.messages.calls[0].buttons, MsgButtons::YesNo);
    QCOMPARE(MainFixture::readFile(path), onDisk);
    if (removed) {
        QCOMPARE(tree(main), QStringList({"qBasfiles=Bas Files@8", " Bas0=a.bas@4", " Bas2=c.bas@4",
                                          "qAsmfiles=Asm Files@9"}));
        QCOMPARE(main.project().BasDoc[1], -1);
        QCOMPARE(main.documents().DocInUse[1], qint16(0));
        // The next addition takes the freed entry and its key again.
        addNew(main, true);
        QCOMPARE(main.project().BasDoc[1], 1);
        QCOMPARE(node(main, QStringLiteral("Bas1"))->text(0), QStringLiteral("Untitled (1)"));
    } else {
        QCOMPARE(tree(main), before);
        QCOMPARE(main.project().BasDoc[1], 1);
        QVERIFY(window(main, 1) != nullptr);
    }
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ProjectWindowsTest::additionRefusedWithoutRoom_data() {
    QTest::addColumn<bool>("entriesFull");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("27th BASIC member, new") << true << 0 << "Add File"
                                            << "26 BASIC files";
    QTest::newRow("27th BASIC member, existing") << true << 1 << "Add File"
                                                 << "26 BASIC files";
    QTest::newRow("no free slot, new") << false << 0 << "Too many windows"
                                       << "26";
    QTest::newRow("no free slot, existing") << false << 1 << "Too many windows"
                                            << "26";
}

void ProjectWindowsTest::additionRefusedWithoutRoom() {
    QFETCH(bool, entriesFull);
    QFETCH(int, choice);
    QFETCH(QString, title);
    QFETCH(QString, text);
    MainFixture f;
    Main& main = f.start();
    main.nproject_Click();
    for (int i = 0; i < 26; ++i) {
        if (entriesFull)
            addNew(main, true);
        else
            main.new_Click();
    }
    const QStringList before = tree(main);
    const int untitled = main.documents().UntitledCount;
    main.addbas_Click();
    confirmAddfile(main, choice); // refused before any file dialog
    QVERIFY(f.dialog.calls.isEmpty());
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].title, title);
    QVERIFY2(f.messages.calls[0].text.contains(text), qPrintable(f.messages.calls[0].text));
    QCOMPARE(tree(main), before);
    QCOMPARE(main.documents().UntitledCount, untitled);
    QCOMPARE(openWindows(main), 26);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ProjectWindowsTest::addfileDialogKeepsOrDiscardsItsSelection() {
    MainFixture f;
    Main& main = f.start();
    main.nproject_Click();
    Addfile* dialog = main.projectCommands().addfileDialog();
    QCOMPARE(dialog->selectedKey(), QStringLiteral("New"));
    dialog->ListView1->setCurrentRow(1);
    QTest::mouseClick(dialog->Command1, Qt::LeftButton); // Cancel hides it
    QVERIFY(!dialog->isVisible());
    main.addasm_Click();
    QCOMPARE(main.projectCommands().addfileDialog(), dialog);
    QCOMPARE(dialog->selectedKey(), QStringLiteral("Exist"));

    // The kind is read when the user confirms, not when the dialog opens.
    main.addbas_Click();
    main.addasm_Click();
    const QPoint newFile = dialog->ListView1->visualItemRect(dialog->ListView1->item(0)).center();
    QTest::mouseClick(dialog->ListView1->viewport(), Qt::LeftButton, {}, newFile);
    QTest::mouseDClick(dialog->ListView1->viewport(), Qt::LeftButton, {}, newFile);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(main.project().AsmDoc[0], 0);

    // Closing it through its frame discards it: the next one starts afresh.
    main.addbas_Click();
    dialog->ListView1->setCurrentRow(1);
    dialog->close();
    QTRY_VERIFY(main.projectCommands().addfileDialog() == nullptr);
    main.addbas_Click();
    QCOMPARE(main.projectCommands().addfileDialog()->selectedKey(), QStringLiteral("New"));

    // Once the project is closed, the dialog adds nothing.
    f.messages.answer(MsgAnswer::Yes);
    f.messages.answer(MsgAnswer::No);
    main.cproject_Click();
    main.projectCommands().addfileDialog()->show();
    confirmAddfile(main, 0);
    QCOMPARE(openWindows(main), 0);
    QCOMPARE(tree(main), NoProjectTree);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

// A Load that fails leaves no member window behind and the options as they were; when it
// closed the previous project's windows, the previous project is closed too.
void ProjectWindowsTest::loadFailureChangesNothing_data() {
    QTest::addColumn<QByteArray>("content"); // "<none>": no project file at all
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<QString>("named"); // the file the message names: "project" or "member"

    const QByteArray valid = Header + "5\r\n6\r\n[Basic Files]\r\n";
    QTest::newRow("header with a trailing blank")
        << QByteArray("Veldra Studio Project File \r\n1\r\n2\r\n[Basic Files]\r\n")
        << "Invalid File"
        << "File is not a Drellstudio File"
        << "project";
    QTest::newRow("lower-case section") << Header + "1\r\n2\r\n[basic files]\r\n"
                                        << "Invalid File"
                                        << "File is not a Drellstudio File"
                                        << "project";
    QTest::newRow("ends before line 4") << Header + "1\r\n"
                                        << "Invalid File"
                                        << "File is not a Drellstudio File"
                                        << "project";
    QTest::newRow("empty file") << QByteArray() << "Invalid File"
                                << "File is not a Drellstudio File"
                                << "project";
    QTest::newRow("project file missing") << QByteArray("<none>") << "Load Project"
                                          << "The project file could not be read:"
                                          << "project";
    QTest::newRow("member missing") << valid + "<good>\r\n<missing>\r\n"
                                    << "Load Project"
                                    << "A file of the project could not be read:"
                                    << "member";
    QByteArray many = valid + "[Assembly Files]\r\n";
    for (int i = 0; i < 27; ++i)
        many += "<good>\r\n";
    QTest::newRow("27 assembly members") << many << "Load Project"
                                         << "The project could not be loaded:"
                                         << "project";
}

void ProjectWindowsTest::loadFailureChangesNothing() {
    QFETCH(QByteArray, content);
    QFETCH(QString, title);
    QFETCH(QString, firstLine);
    QFETCH(QString, named);
    for (const bool previousProject : {false, true}) {
        MainFixture f;
        Main& main = f.start();
        const QString good = f.writeDoc(QStringLiteral("good.bas"), "g");
        const QString missing = f.docPath(QStringLiteral("missing.bas"));
        QByteArray bytes = content;
        bytes.replace("<good>", good.toUtf8()).replace("<missing>", missing.toUtf8());
        const QString project = f.docPath(QStringLiteral("bad.vdp"));
        if (bytes != "<none>")
            f.writeDoc(QStringLiteral("bad.vdp"), bytes);
        main.project().MaxObjects = QStringLiteral("typed");
        if (previousProject) {
            main.nproject_Click();
            addExisting(f, true, f.writeDoc(QStringLiteral("old.bas"), "o"));
            f.messages.answer(MsgAnswer::Yes); // close all windows
        }
        f.dialog.answerFile(project);
        main.lproject_Click();

        const MessageCall& message = f.messages.calls.last();
        QCOMPARE(message.title, title);
        QCOMPARE(message.icon, MsgIcon::Critical);
        QCOMPARE(message.buttons, MsgButtons::Ok);
        const QStringList lines = message.text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.value(0), firstLine);
        QCOMPARE(lines.value(1), named == QLatin1String("member") ? missing : project);
        QVERIFY(!lines.value(2).isEmpty()); // the reason
        QCOMPARE(openWindows(main), 0);
        QCOMPARE(main.mdiArea()->subWindowList().size(), 0);
        QCOMPARE(main.project().ProjectLoading, qint16(0));
        QCOMPARE(optionText(main.project().MaxObjects), QStringLiteral("t:typed"));
        expectNoProjectState(main);
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }
}

void ProjectWindowsTest::loadCancelled_data() {
    QTest::addColumn<bool>("windowsOpen");
    QTest::newRow("after closing the project's windows") << true;
    QTest::newRow("no window: the project stays") << false;
}

void ProjectWindowsTest::loadCancelled() {
    QFETCH(bool, windowsOpen);
    MainFixture f;
    Main& main = f.start();
    main.nproject_Click();
    if (windowsOpen) {
        addExisting(f, true, f.writeDoc(QStringLiteral("a.bas"), "a"));
        f.messages.answer(MsgAnswer::Yes);
    }
    f.dialog.cancel();
    main.lproject_Click();
    QCOMPARE(openWindows(main), 0);
    if (windowsOpen) {
        expectNoProjectState(main);
        // A later Create starts from nothing stale.
        main.nproject_Click();
        QCOMPARE(main.project().BasDoc[0], -1);
    } else {
        QCOMPARE(main.project().ProjectOpen, qint16(1));
        QCOMPARE(tree(main), EmptyProjectTree);
        QCOMPARE(main.windowTitle(), QStringLiteral("Veldra Studio [Untitled]"));
    }
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ProjectWindowsTest::loadRefusedWithoutFreeSlots() {
    MainFixture f;
    Main& main = f.start();
    const QString member = f.writeDoc(QStringLiteral("m.bas"), "m");
    const QString project =
        f.writeDoc(QStringLiteral("p.vdp"),
                   Header + "1\r\n2\r\n[Basic Files]\r\n" + member.toUtf8() + "\r\n" +
                       member.toUtf8() + "\r\n[Assembly Files]\r\n" + member.toUtf8() + "\r\n");
    for (int i = 0; i < 24; ++i)
        main.new_Click();
    f.messages.answer(MsgAnswer::Yes);
    for (int i = 0; i < 24; ++i)
        f.messages.answer(MsgAnswer::Cancel); // every window stays open
    f.dialog.answerFile(project);
    main.lproject_Click();
    const MessageCall& message = f.messages.calls.last();
    QCOMPARE(message.title, QStringLiteral("Load Project"));
    QVERIFY2(message.text.contains(QStringLiteral("3 files")) &&
                 message.text.contains(QStringLiteral("only 2 document windows")),
             qPrintable(message.text));
    QCOMPARE(openWindows(main), 24);
    QCOMPARE(main.project().ProjectOpen, qint16(0));
    QCOMPARE(optionText(main.project().MaxObjects), QStringLiteral("n:100"));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ProjectWindowsTest::saveFailureKeepsPathAndCaption_data() {
    QTest::addColumn<bool>("memberFails");
    QTest::newRow("member file cannot be written") << true;
    QTest::newRow("project file cannot be written") << false;
}

void ProjectWindowsTest::saveFailureKeepsPathAndCaption() {
    QFETCH(bool, memberFails);
    MainFixture f;
    Main& main = f.start();
    QDir(f.docPath(QString())).mkdir(QStringLiteral("sub"));
    const QString member = f.writeDoc(QStringLiteral("sub/m.bas"), "m");
    main.nproject_Click();
    addExisting(f, true, member);
    const QString first = f.docPath(QStringLiteral("first.vdp"));
    f.dialog.answerFile(first);
    main.sproject_Click();
    const QByteArray saved = MainFixture::readFile(first);

    if (memberFails)
        QVERIFY(QDir(f.docPath(QStringLiteral("sub"))).removeRecursively());
    const QString second = memberFails ? f.docPath(QStringLiteral("second.vdp"))
                                       : f.docPath(QStringLiteral("gone/second.vdp"));
    f.dialog.answerFile(second);
    main.saveasproj_Click();

    const MessageCall& message = f.messages.calls.last();
    QCOMPARE(message.icon, MsgIcon::Critical);
    QCOMPARE(message.text.split(QStringLiteral("\r\n")).value(1), memberFails ? member : second);
    QVERIFY(!QFile::exists(second));
    QCOMPARE(MainFixture::readFile(first), saved);
    QCOMPARE(main.project().ProjectPath, first);
    QCOMPARE(main.windowTitle(), QStringLiteral("Veldra Studio [%1]").arg(first));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ProjectWindowsTest::optionsDialogDisablesMainUntilLeft_data() {
    QTest::addColumn<QString>("leave");
    QTest::addColumn<bool>("set");
    QTest::newRow("Set") << "Set" << true;
    QTest::newRow("Cancel") << "Cancel" << false;
    QTest::newRow("Escape") << "Escape" << false;
    QTest::newRow("frame") << "frame" << false;
}

void ProjectWindowsTest::optionsDialogDisablesMainUntilLeft() {
    QFETCH(QString, leave);
    QFETCH(bool, set);
    MainFixture f;
    Main& main = f.start();
    main.nproject_Click();
    main.action(QStringLiteral("poptions"))->trigger();
    ProjectOptions* dialog = main.projectCommands().optionsDialog();
    QVERIFY(dialog != nullptr && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("ProjectOptions"));
    QCOMPARE(dialog->Text1->text(), QStringLiteral("64000"));
    QCOMPARE(dialog->Text2->text(), QStringLiteral("100"));
    QVERIFY(dialog->Command1->isDefault());
    QVERIFY(!main.inputEnabled());
    main.action(QStringLiteral("sproject"))->trigger(); // ignored while the dialog is up
    QVERIFY(f.dialog.calls.isEmpty());

    dialog->Text1->setText(QStringLiteral("9000"));
    dialog->Text2->clear();
    QTest::keyClicks(dialog->Text2, QStringLiteral("7 "));
    if (leave == QLatin1String("Set"))
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    else if (leave == QLatin1String("Cancel"))
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    else if (leave == QLatin1String("Escape"))
        QTest::keyClick(dialog->Text1, Qt::Key_Escape);
    else
        dialog->close();
    QVERIFY(!dialog->isVisible());
    QVERIFY(main.inputEnabled());
    QCOMPARE(optionText(main.project().TempStringSize),
             set ? QStringLiteral("t:9000") : QStringLiteral("n:64000"));
    QCOMPARE(optionText(main.project().MaxObjects),
             set ? QStringLiteral("t:7 ") : QStringLiteral("n:100"));

    // The fields keep what was typed, however the dialog was left.
    main.poptions_Click();
    QCOMPARE(main.projectCommands().optionsDialog(), dialog);
    QCOMPARE(dialog->Text1->text(), QStringLiteral("9000"));
    QCOMPARE(dialog->Text2->text(), QStringLiteral("7 "));
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QVERIFY(main.inputEnabled());
    QCOMPARE(optionText(main.project().MaxObjects), QStringLiteral("t:7 "));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ProjectWindowsTest::optionsKeptAcrossCreateAndCloseAndWrittenAsTyped() {
    MainFixture f;
    Main& main = f.start();
    main.nproject_Click();
    main.poptions_Click();
    QTest::mouseClick(main.projectCommands().optionsDialog()->Command1, Qt::LeftButton);
    f.messages.answer(MsgAnswer::Yes);
    main.cproject_Click();
    main.nproject_Click();
    const QString project = f.docPath(QStringLiteral("typed.vdp"));
    f.dialog.answerFile(project);
    main.sproject_Click();
    QCOMPARE(MainFixture::readFile(project),
             Header + "100\r\n64000\r\n[Basic Files]\r\n[Assembly Files]\r\n");

    // Read back they are numbers, written with a blank on either side.
    f.dialog.answerFile(project);
    main.lproject_Click();
    QCOMPARE(optionText(main.project().MaxObjects), QStringLiteral("n:100"));
    QCOMPARE(tree(main), EmptyProjectTree);
    QCOMPARE(main.mdiArea()->subWindowList().size(), 0);
    main.sproject_Click();
    QCOMPARE(MainFixture::readFile(project),
             Header + " 100 \r\n 64000 \r\n[Basic Files]\r\n[Assembly Files]\r\n");
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ProjectWindowsTest::loadChangesOptionsButNotFields() {
    MainFixture f;
    Main& main = f.start();
    const QString project = f.writeDoc(
        QStringLiteral("p.vdp"), Header + "500,1000\r\n[Basic Files]\r\n[Assembly Files]\r\n");
    f.dialog.answerFile(project);
    main.lproject_Click();
    QCOMPARE(optionText(main.project().MaxObjects), QStringLiteral("n:500"));
    QCOMPARE(optionText(main.project().TempStringSize), QStringLiteral("n:1000"));
    main.poptions_Click();
    ProjectOptions* dialog = main.projectCommands().optionsDialog();
    QCOMPARE(dialog->Text2->text(), QStringLiteral("100"));
    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    QCOMPARE(optionText(main.project().MaxObjects), QStringLiteral("n:500"));
    main.poptions_Click();
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QCOMPARE(optionText(main.project().MaxObjects), QStringLiteral("t:100"));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

QTEST_MAIN(ProjectWindowsTest)
#include "ProjectWindowsTest.moc"
