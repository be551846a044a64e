// The project commands driven through the main window: Create, Load, Save, Close, the tree,
// adding and removing members, and the options dialog.

#include "FileSizeLimit.h"
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
const QString ProjectFilter = QStringLiteral("All Files (*.*)|*.*|Velstudio Files (*.vdp)|*.vdp|");
const QStringList EmptyProjectTree = {"qBasfiles=Bas Files@8", "qAsmfiles=Asm Files@9"};

// Starts Main and creates an empty project, where most scenarios begin.
Main& startProject(MainFixture& f) {
    Main& main = f.start();
    main.nproject_Click();
    return main;
}

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
    for (const char* name :
         {"addasm", "addbas", "poptions", "sproject", "saveasproj", "cproject"}) {
        if (main.action(QString::fromLatin1(name))->isEnabled() != enabled)
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
    main.action(basic ? "addbas" : "addasm")->trigger();
    confirmAddfile(main, 0);
}

// Writes a document and adds it as an existing member, of the assembly kind for ".asm" names.
QString addExisting(MainFixture& f, const QString& name, const QByteArray& text = "x") {
    const QString path = f.writeDoc(name, text);
    f.dialog.answerFile(path);
    f.main().action(name.endsWith(".asm") ? "addasm" : "addbas")->trigger();
    confirmAddfile(f.main(), 1);
    return path;
}

void expectNoProjectState(Main& main) {
    QCOMPARE(main.project().ProjectOpen, qint16(0));
    QCOMPARE(tree(main), QStringList{"disabled=Only available in Projects@10"});
    QCOMPARE(main.windowTitle(), "Veldra Studio [No Project]");
    QVERIFY(projectCommandsEnabled(main, false));
}

QString optionText(const ProjectOption& option) {
    if (const double* number = std::get_if<double>(&option))
        return QStringLiteral("n:") + QString::number(*number);
    return QStringLiteral("t:") + std::get<QString>(option);
}

// A message box or a file dialog as one line, so that one comparison checks all of it.
QString box(const MessageCall& call) {
    return QStringLiteral("%1: %2 (icon %3, buttons %4)")
        .arg(call.title, call.text)
        .arg(int(call.icon))
        .arg(int(call.buttons));
}

QString shown(const DialogCall& call) {
    return QStringLiteral("%1 \"%2\" %3 #%4 flags %5")
        .arg(call.kind, call.fileName, call.filter)
        .arg(call.filterIndex)
        .arg(call.flags, 0, 16);
}

// How the project commands open a file dialog: no file name, the second filter chosen, a save
// dialog asking before it overwrites, an open dialog wanting an existing file.
QString fileDialog(const QString& kind, const QString& filter) {
    return shown({kind, {}, filter, 2, kind == QLatin1String("save") ? 0x806 : 0x1004});
}

QStringList dialogsShown(const MainFixture& f) {
    QStringList lines;
    for (const DialogCall& call : f.dialog.calls)
        lines << shown(call);
    return lines;
}

} // namespace

class ProjectWindowsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Create with no window open asks nothing, and a cancelled Load keeps the project. Close
    // asks "Are you sure ?" even with no window. With windows open, Create asks first: No
    // changes nothing; Yes closes every window (each may ask to save) and starts an empty
    // project with the options kept. A hidden window kept open by its save question when the
    // project is closed is shown, so that it can be reached.
    void createAndCloseWithAndWithoutWindows() {
        MainFixture f;
        Main& main = f.start();
        main.action("nproject")->trigger();
        QVERIFY(f.messages.calls.isEmpty());
        QVERIFY(projectCommandsEnabled(main, true));
        Addfile* addfile = main.projectCommands().addfileDialog();
        QVERIFY(addfile != nullptr && addfile->isVisible());
        QCOMPARE(addfile->windowTitle(), "Add File");
        QCOMPARE(addfile->ListView1->item(0)->text(), "New File");
        QCOMPARE(addfile->ListView1->item(1)->text(), "Open File");
        f.dialog.cancel();
        main.action("lproject")->trigger();
        QCOMPARE(dialogsShown(f), QStringList{fileDialog("open", ProjectFilter)});
        QCOMPARE(tree(main), EmptyProjectTree);
        QCOMPARE(main.windowTitle(), "Veldra Studio [Untitled]");

        const QString closeBox =
            box({"Close Project", "Are you sure ?", MsgIcon::Question, MsgButtons::YesNo});
        f.messages.answer(MsgAnswer::No);
        main.action("cproject")->trigger();
        QCOMPARE(box(f.messages.calls.value(0)), closeBox);
        QCOMPARE(tree(main), EmptyProjectTree);
        f.messages.answer(MsgAnswer::Yes);
        main.cproject_Click();
        QCOMPARE(box(f.messages.calls.value(1)), closeBox);
        expectNoProjectState(main);
        QVERIFY(!addfile->isVisible());
        QString path = f.docPath("closed.vdp");
        QVERIFY(!main.projectCommands().SaveProject(1, path));
        QVERIFY(!QFile::exists(path));

        // Again, with a new member and a hidden one.
        main.nproject_Click();
        addNew(main, true);
        addExisting(f, "b.asm");
        f.active()->close(); // the close box hides it
        main.project().MaxObjects = QStringLiteral("7");
        const QStringList before = tree(main);
        f.messages.calls.clear();
        f.messages.answer(MsgAnswer::No);
        main.nproject_Click();
        QCOMPARE(box(f.messages.calls.value(0)),
                 box({"Create Project", CloseAllText, MsgIcon::Exclamation, MsgButtons::YesNo}));
        QCOMPARE(tree(main), before);
        QCOMPARE(openWindows(main), 2);
        f.messages.answer(MsgAnswer::Yes);
        f.messages.answer(MsgAnswer::No); // "Save changes ?" of the new member
        main.nproject_Click();
        QCOMPARE(openWindows(main), 0);
        QCOMPARE(tree(main), EmptyProjectTree);
        QCOMPARE(main.project().AsmDoc[0], -1); // no entry names a closed window
        QCOMPARE(main.windowTitle(), "Veldra Studio [Untitled]");
        QCOMPARE(optionText(main.project().MaxObjects), "t:7");

        // Close keeps a window whose save question is cancelled, and shows it.
        addNew(main, true);
        QCOMPARE(tree(main).value(1), " Bas0=Untitled (2)@4");
        Editor* member = f.active();
        member->close();
        f.messages.answer(MsgAnswer::Yes);
        f.messages.answer(MsgAnswer::Cancel);
        main.cproject_Click();
        expectNoProjectState(main);
        QCOMPARE(window(main, 0), member);
        QVERIFY(member->isVisible());
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    // delfile follows the selected node, by mouse or keyboard, and asks nothing on a group
    // node. A double click shows a member's hidden window; on a group node or a free entry it
    // does nothing.
    void nodeClicksAndDoubleClicks() {
        MainFixture f;
        Main& main = startProject(f);
        addExisting(f, "a.bas");
        addExisting(f, "b.asm");
        QAction* delfile = main.action("delfile");
        for (const char* key : {"Bas0", "qBasfiles", "Asm0", "qAsmfiles", "Bas0"}) {
            clickNode(main, key);
            QVERIFY2(delfile->isEnabled() == (key[0] != 'q'), key);
        }
        clickNode(main, "qBasfiles");
        QTest::keyClick(main.TreeView1, Qt::Key_Down);
        QCOMPARE(main.TreeView1->currentItem(), node(main, "Bas0"));
        QVERIFY(delfile->isEnabled());
        main.TreeView1->setCurrentItem(node(main, "qBasfiles"));
        main.delfile_Click();
        QVERIFY(f.messages.calls.isEmpty());

        Editor* first = window(main, 0);
        first->close();
        QVERIFY(!first->isVisible());
        clickNode(main, "Bas0", true);
        QVERIFY(first->isVisible());
        QCOMPARE(f.active(), first);
        window(main, 1)->close();
        clickNode(main, "qAsmfiles", true);
        QVERIFY(!window(main, 1)->isVisible());
        main.project().AsmDoc[0] = -1;
        clickNode(main, "Asm0", true);
        QVERIFY(!window(main, 1)->isVisible());
        // With only the placeholder node left there is nothing to delete.
        f.messages.answer(MsgAnswer::Yes);
        main.cproject_Click();
        QVERIFY(!delfile->isEnabled());
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    // Save names the untitled members through the BASIC or NASM dialog in entry order, BASIC
    // first, the dialog coming back with a beep until a name is given; the node texts follow.
    // Loading the saved file gives the same members, their entries numbered afresh. A member
    // keeps the line ends of its file through adding, saving, loading and saving again.
    void saveThenLoad() {
        MainFixture f;
        Main& main = startProject(f);
        addNew(main, false);                                    // Untitled (1): Asm0, slot 0
        const QString old = addExisting(f, "old.bas", "o\nld"); // Bas0, slot 1
        addExisting(f, "gone.bas");                             // Bas1, slot 2
        addNew(main, true);                                     // Untitled (2): Bas2, slot 3
        f.active()->Text1->setWholeText("abc");
        main.TreeView1->setCurrentItem(node(main, "Bas1"));
        f.messages.answer(MsgAnswer::Yes);
        main.delfile_Click(); // leaves a gap in the entries

        const QString project = f.docPath("p.vdp");
        const QString bas = f.docPath("new.bas");
        const QString asmPath = f.docPath("new.asm");
        f.dialog.answerFile(project);
        f.dialog.cancel(); // the member must get a name: a beep, and the dialog again
        f.dialog.answerFile(bas);
        f.dialog.answerFile(asmPath);
        f.dialog.calls.clear();
        main.action("sproject")->trigger();
        QCOMPARE(f.messages.beeps, 1);
        const QString basFilter =
            "All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|Text Files (*.txt)|*.txt";
        QCOMPARE(dialogsShown(f),
                 QStringList({fileDialog("save", ProjectFilter), fileDialog("save", basFilter),
                              fileDialog("save", basFilter),
                              fileDialog("save", "All Files (*.*)|*.*|NASM Files (*.asm)|*.asm|"
                                                 "Text Files (*.txt)|*.txt")}));
        QCOMPARE(MainFixture::readFile(old), "o\nld\n");
        QCOMPARE(MainFixture::readFile(bas), "abc\r\n");
        QCOMPARE(MainFixture::readFile(asmPath), "' Veldra Studio v1.00\r\n\r\n");
        QCOMPARE(MainFixture::readFile(project),
                 Header + " 100 \r\n 64000 \r\n[Basic Files]\r\n" + old.toUtf8() + "\r\n" +
                     bas.toUtf8() + "\r\n[Assembly Files]\r\n" + asmPath.toUtf8() + "\r\n");
        QCOMPARE(tree(main),
                 QStringList({"qBasfiles=Bas Files@8", " Bas0=old.bas@4", " Bas2=new.bas@4",
                              "qAsmfiles=Asm Files@9", " Asm0=new.asm@4"}));
        QCOMPARE(window(main, 3)->windowTitle(), bas);
        QCOMPARE(window(main, 0)->windowTitle(), asmPath);
        QCOMPARE(main.windowTitle(), "Veldra Studio [" + project + "]");
        // File > Save follows the active member's new name.
        QVERIFY(main.action("save")->isEnabled());
        main.sproject_Click(); // saves to the same file without asking
        QCOMPARE(f.dialog.calls.size(), 4);

        f.messages.answer(MsgAnswer::Yes);
        f.dialog.answerFile(project);
        main.action("lproject")->trigger();
        QCOMPARE(box(f.messages.calls.last()),
                 box({"Load Project", CloseAllText, MsgIcon::Exclamation, MsgButtons::YesNo}));
        QCOMPARE(tree(main),
                 QStringList({"qBasfiles=Bas Files@8", " Bas0=old.bas@4", " Bas1=new.bas@4",
                              "qAsmfiles=Asm Files@9", " Asm0=new.asm@4"}));
        const QStringList paths = {old, bas, asmPath};
        for (int slot = 0; slot < 3; ++slot) {
            Editor* member = window(main, slot);
            QVERIFY(member != nullptr && member->isVisible());
            QCOMPARE(member->windowTitle(), paths[slot]);
            QCOMPARE(member->Text1->wholeText().toUtf8(),
                     MainFixture::readFile(paths[slot]).replace("o\nld\n", "o\r\nld\r\n"));
            QCOMPARE(main.documents().DocChanged[slot], qint16(0));
        }
        main.sproject_Click();
        QCOMPARE(MainFixture::readFile(old), "o\nld\n\n");
        QCOMPARE(f.active(), window(main, 2));
        QCOMPARE(main.windowTitle(), "Veldra Studio [" + project + "]");
        QVERIFY(projectCommandsEnabled(main, true));
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    // New members share the Untitled numbering of File > New; existing ones open under their
    // path. A double click in the Add File dialog adds too, of the kind of the last command;
    // once its frame closed the dialog, the next one starts afresh.
    void addNewAndExisting() {
        MainFixture f;
        Main& main = startProject(f);
        main.new_Click(); // Untitled (1): not a member
        addNew(main, true);
        QCOMPARE(f.active()->windowTitle(), "Untitled (2)");
        QCOMPARE(main.documents().DocChanged[1], qint16(-1));
        QVERIFY(!main.action("save")->isEnabled());
        main.new_Click();
        QCOMPARE(f.active()->windowTitle(), "Untitled (3)");

        const QString path = addExisting(f, "lib.asm", "mov ax, 1");
        QCOMPARE(dialogsShown(f).last(),
                 fileDialog("open", "All Files (*.*)|*.*|Assembly Files (*.asm)|*.asm|"));
        QCOMPARE(f.active()->windowTitle(), path);
        QCOMPARE(f.active()->Text1->wholeText(), "mov ax, 1");
        QCOMPARE(main.documents().DocChanged[3], qint16(0));

        f.dialog.cancel(); // adds nothing, and the dialog is hidden all the same
        main.addbas_Click();
        confirmAddfile(main, 1);
        QCOMPARE(dialogsShown(f).last(),
                 fileDialog("open", "All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|"));
        QCOMPARE(openWindows(main), 4);
        QCOMPARE(tree(main), QStringList({"qBasfiles=Bas Files@8", " Bas0=Untitled (2)@4",
                                          "qAsmfiles=Asm Files@9", " Asm0=lib.asm@4"}));

        Addfile* dialog = main.projectCommands().addfileDialog();
        main.addbas_Click();
        main.addasm_Click();
        const QPoint newFile =
            dialog->ListView1->visualItemRect(dialog->ListView1->item(0)).center();
        QTest::mouseClick(dialog->ListView1->viewport(), Qt::LeftButton, {}, newFile);
        QTest::mouseDClick(dialog->ListView1->viewport(), Qt::LeftButton, {}, newFile);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(tree(main).last(), " Asm1=Untitled (4)@4");

        main.addbas_Click();
        dialog->ListView1->setCurrentRow(1);
        dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(main.projectCommands().addfileDialog() == nullptr);
        main.addbas_Click();
        QCOMPARE(main.projectCommands().addfileDialog()->selectedKey(), "New");
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    void removal_data() {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QList<MsgAnswer>>("answers");
        QTest::addColumn<bool>("removed");
        QTest::newRow("No keeps it") << false << QList{MsgAnswer::No} << false;
        QTest::newRow("Yes removes it") << false << QList{MsgAnswer::Yes} << true;
        QTest::newRow("Yes, changed, Cancel keeps it")
            << true << QList{MsgAnswer::Yes, MsgAnswer::Cancel} << false;
    }

    void removal() {
        QFETCH(bool, changed);
        QFETCH(QList<MsgAnswer>, answers);
        QFETCH(bool, removed);
        MainFixture f;
        Main& main = startProject(f);
        addExisting(f, "a.bas");
        const QString path = addExisting(f, "b.bas", "b");
        addExisting(f, "c.bas");
        if (changed)
            window(main, 1)->Text1->setWholeText("edited");
        window(main, 1)->close(); // hidden members are removed all the same
        const QStringList before = tree(main);

        for (MsgAnswer answer : answers)
            f.messages.answer(answer);
        clickNode(main, "Bas1");
        main.action("delfile")->trigger();
        QCOMPARE(box(f.messages.calls.value(0)),
                 box({"Delete File", "Are you sure you want to delete\r\nb.bas ?",
                      MsgIcon::Question, MsgButtons::YesNo}));
        QCOMPARE(MainFixture::readFile(path), "b");
        if (removed) {
            QCOMPARE(tree(main), QStringList({"qBasfiles=Bas Files@8", " Bas0=a.bas@4",
                                              " Bas2=c.bas@4", "qAsmfiles=Asm Files@9"}));
            QCOMPARE(main.documents().DocInUse[1], qint16(0));
            // The next addition takes the freed entry and its key again.
            addNew(main, true);
            QCOMPARE(node(main, "Bas1")->text(0), "Untitled (1)");
        } else {
            QCOMPARE(tree(main), before);
            QCOMPARE(main.project().BasDoc[1], 1);
            QVERIFY(window(main, 1) != nullptr);
        }
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    // Refused before any file dialog or window, the choice being an existing file (row 1) or a
    // new one (row 0).
    void additionRefusedWithoutRoom_data() {
        QTest::addColumn<bool>("entriesFull");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("message");
        QTest::newRow("27th BASIC member") << true << 1
                                           << box({"Add File",
                                                   "The project already holds 26 BASIC "
                                                   "files.\r\nRemove one before adding another.",
                                                   MsgIcon::Exclamation, MsgButtons::Ok});
        QTest::newRow("no free slot")
            << false << 0
            << box({"Too many windows",
                    "All 26 document windows are in use.\r\nClose a window and try again.",
                    MsgIcon::Exclamation, MsgButtons::Ok});
    }

    void additionRefusedWithoutRoom() {
        QFETCH(bool, entriesFull);
        QFETCH(int, row);
        QFETCH(QString, message);
        MainFixture f;
        Main& main = startProject(f);
        for (int i = 0; i < 26; ++i) {
            if (entriesFull)
                addNew(main, true);
            else
                main.new_Click();
        }
        const QStringList before = tree(main);
        main.addbas_Click();
        confirmAddfile(main, row);
        QVERIFY(f.dialog.calls.isEmpty());
        QCOMPARE(f.messages.calls.size(), 1);
        QCOMPARE(box(f.messages.calls[0]), message);
        QCOMPARE(tree(main), before);
        QCOMPARE(main.documents().UntitledCount, 26);
        QCOMPARE(openWindows(main), 26);
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    // A Load that fails names the file and the reason, leaves no member window behind and the
    // options as they were. The previous project, whose windows it closed, is closed too, as it
    // is when the dialog is cancelled: a later Save would write it without its members.
    void loadFailureChangesNothing_data() {
        QTest::addColumn<QByteArray>("content"); // "<none>": no project file; "<cancel>": no name
        QTest::addColumn<int>("keptOpen");       // untitled windows kept open by their question
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<bool>("namesMember"); // the message names the member, not the project
        QTest::addColumn<QString>("reason");   // empty where the system gives the reason
        const QByteArray valid = Header + "5\r\n6\r\n[Basic Files]\r\n";
        const QString invalid = QStringLiteral("File is not a Drellstudio File");
        const QString refused = QStringLiteral("The project could not be loaded:");
        QTest::newRow("lower-case section")
            << Header + "1\r\n2\r\n[basic files]\r\n"
            << 0 << "Invalid File" << invalid << false
            << "The line after the options is not \"[Basic Files]\".";
        QTest::newRow("empty file")
            << QByteArray() << 0 << "Invalid File" << invalid << false << "The file is empty.";
        QTest::newRow("project file missing")
            << QByteArray("<none>") << 0 << "Load Project"
            << "The project file could not be read:" << false << "";
        QTest::newRow("member missing") << valid + "<good>\r\n<missing>\r\n"
                                        << 0 << "Load Project"
                                        << "A file of the project could not be read:" << true << "";
        QTest::newRow("27 assembly members")
            << valid + "[Assembly Files]\r\n" + QByteArray("<good>\r\n").repeated(27) << 0
            << "Load Project" << refused << false << "It lists more than 26 assembly files.";
        QTest::newRow("more members than free windows")
            << valid + "<good>\r\n<good>\r\n[Assembly Files]\r\n<good>\r\n"
            << 24 << "Load Project" << refused << false
            << "It lists 3 files, but only 2 document windows are free.";
        QTest::newRow("dialog cancelled") << QByteArray("<cancel>") << 0 << ""
                                          << "" << false << "";
    }

    void loadFailureChangesNothing() {
        QFETCH(QByteArray, content);
        QFETCH(int, keptOpen);
        QFETCH(QString, title);
        QFETCH(QString, firstLine);
        QFETCH(bool, namesMember);
        QFETCH(QString, reason);
        MainFixture f;
        Main& main = startProject(f);
        main.project().MaxObjects = QStringLiteral("typed");
        addExisting(f, "old.bas");
        for (int i = 0; i < keptOpen; ++i)
            main.new_Click();
        const QString good = f.writeDoc("good.bas", "g");
        const QString missing = f.docPath("missing.bas");
        QByteArray bytes = content;
        bytes.replace("<good>", good.toUtf8()).replace("<missing>", missing.toUtf8());
        const QString project = f.docPath("bad.vdp");
        if (!bytes.startsWith('<'))
            f.writeDoc("bad.vdp", bytes);
        f.messages.answer(MsgAnswer::Yes); // close all windows
        for (int i = 0; i < keptOpen; ++i)
            f.messages.answer(MsgAnswer::Cancel);
        bytes == "<cancel>" ? f.dialog.cancel() : f.dialog.answerFile(project);
        main.lproject_Click();

        if (!title.isEmpty()) {
            const MessageCall& message = f.messages.calls.last();
            QCOMPARE(message.title, title);
            QCOMPARE(message.icon, MsgIcon::Critical);
            QCOMPARE(message.buttons, MsgButtons::Ok);
            const QStringList lines = message.text.split("\r\n");
            QCOMPARE(lines.mid(0, 2), QStringList({firstLine, namesMember ? missing : project}));
            QVERIFY2(reason.isEmpty() ? !lines.value(2).isEmpty() : lines.value(2) == reason,
                     qPrintable(message.text));
        }
        QCOMPARE(main.mdiArea()->subWindowList().size(), keptOpen);
        QCOMPARE(optionText(main.project().MaxObjects), "t:typed");
        expectNoProjectState(main);
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    void saveFailureKeepsPathAndCaption_data() {
        QTest::addColumn<bool>("memberFails");
        QTest::addColumn<bool>("fullDisk"); // else the folder is gone
        QTest::newRow("member file cannot be written") << true << false;
        QTest::newRow("project file cannot be written") << false << false;
        QTest::newRow("member file on a full disk") << true << true;
        QTest::newRow("project file on a full disk") << false << true;
    }

    void saveFailureKeepsPathAndCaption() {
        QFETCH(bool, memberFails);
        QFETCH(bool, fullDisk);
        MainFixture f;
        Main& main = startProject(f);
        QDir(f.docPath(QString())).mkdir("sub");
        const QString member = addExisting(f, "sub/m.bas");
        const QString first = f.docPath("first.vdp");
        f.dialog.answerFile(first);
        main.sproject_Click();
        const QByteArray saved = MainFixture::readFile(first);
        const QByteArray memberSaved = MainFixture::readFile(member);

        if (memberFails && !fullDisk)
            QVERIFY(QDir(f.docPath("sub")).removeRecursively());
        const QString second =
            f.docPath(memberFails || fullDisk ? "second.vdp" : "gone/second.vdp");
        f.dialog.answerFile(second);
        if (fullDisk) {
            // The member grows past the limit, or stays small while the project file does not.
            if (memberFails)
                f.active()->Text1->setWholeText(QString(4000, u'y'));
            const FileSizeLimit limit(memberFails ? 2000 : 20);
            main.saveasproj_Click();
            QCOMPARE(MainFixture::readFile(member), memberSaved);
        } else {
            main.saveasproj_Click();
        }

        QVERIFY(!f.messages.calls.isEmpty());
        const MessageCall& message = f.messages.calls.last();
        QCOMPARE(message.icon, MsgIcon::Critical);
        QCOMPARE(message.text.split("\r\n").value(1), memberFails ? member : second);
        QVERIFY(!QFile::exists(second));
        QCOMPARE(MainFixture::readFile(first), saved);
        QCOMPARE(main.project().ProjectPath, first);
        QCOMPARE(main.windowTitle(), "Veldra Studio [" + first + "]");
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    void optionsDialogDisablesMainUntilLeft_data() {
        QTest::addColumn<QString>("leave");
        for (const char* leave : {"Set", "Cancel", "Escape", "frame"})
            QTest::newRow(leave) << QString::fromLatin1(leave);
    }

    void optionsDialogDisablesMainUntilLeft() {
        QFETCH(QString, leave);
        MainFixture f;
        Main& main = startProject(f);
        main.action("poptions")->trigger();
        ProjectOptions* dialog = main.projectCommands().optionsDialog();
        QVERIFY(dialog != nullptr && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), "ProjectOptions");
        QCOMPARE(dialog->Text1->text(), "64000");
        QCOMPARE(dialog->Text2->text(), "100");
        QVERIFY(!main.inputEnabled());
        main.action("sproject")->trigger(); // ignored while the dialog is up
        QVERIFY(f.dialog.calls.isEmpty());

        dialog->Text1->setText("9000");
        dialog->Text2->clear();
        QTest::keyClicks(dialog->Text2, "7 ");
        if (leave == "Set")
            QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        else if (leave == "Cancel")
            QTest::mouseClick(dialog->Command2, Qt::LeftButton);
        else if (leave == "Escape")
            QTest::keyClick(dialog->Text1, Qt::Key_Escape);
        else
            dialog->close();
        QVERIFY(!dialog->isVisible());
        QVERIFY(main.inputEnabled());
        QCOMPARE(optionText(main.project().TempStringSize), leave == "Set" ? "t:9000" : "n:64000");
        QCOMPARE(optionText(main.project().MaxObjects), leave == "Set" ? "t:7 " : "n:100");
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    // Options set in the dialog outlive Close and Create and are written as typed, without
    // blanks. Load reads numbers, written back with a blank on either side, and leaves the
    // dialog's fields alone.
    void optionsKeptAcrossCreateCloseAndLoad() {
        MainFixture f;
        Main& main = startProject(f);
        main.poptions_Click();
        ProjectOptions* dialog = main.projectCommands().optionsDialog();
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        f.messages.answer(MsgAnswer::Yes);
        main.cproject_Click();
        main.nproject_Click();
        const QString project = f.docPath("typed.vdp");
        f.dialog.answerFile(project);
        main.sproject_Click();
        QCOMPARE(MainFixture::readFile(project),
                 Header + "100\r\n64000\r\n[Basic Files]\r\n[Assembly Files]\r\n");

        f.writeDoc("typed.vdp", Header + "500,1000\r\n[Basic Files]\r\n");
        f.dialog.answerFile(project);
        main.lproject_Click();
        QCOMPARE(optionText(main.project().MaxObjects), "n:500");
        QCOMPARE(optionText(main.project().TempStringSize), "n:1000");
        QCOMPARE(tree(main), EmptyProjectTree);
        main.sproject_Click();
        QCOMPARE(MainFixture::readFile(project),
                 Header + " 500 \r\n 1000 \r\n[Basic Files]\r\n[Assembly Files]\r\n");

        main.poptions_Click();
        QCOMPARE(dialog->Text2->text(), "100");
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
        QCOMPARE(optionText(main.project().MaxObjects), "n:500");
        main.poptions_Click();
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        QCOMPARE(optionText(main.project().MaxObjects), "t:100");
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }
};

QTEST_MAIN(ProjectWindowsTest)
#include "ProjectWindowsTest.moc"
