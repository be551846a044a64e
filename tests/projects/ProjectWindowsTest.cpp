// The project commands driven through the main window: Create, Load, Save, Close, the tree,
// adding and removing members, and the options dialog.

#include "FileSizeLimit.h"
#include "WindowTest.h"

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
    "This will close all windows, are you\r\nsure  you  want  to  load a project ?";
const QString ProjectFilter = "All Files (*.*)|*.*|Velstudio Files (*.vdp)|*.vdp|";
const QStringList EmptyProjectTree = {"qBasfiles=Bas Files@8", "qAsmfiles=Asm Files@9"};
const QStringList NoProjectTree = {"disabled=Only available in Projects@10"};

QString optionText(const ProjectOption& option) {
    if (const double* number = std::get_if<double>(&option))
        return "n:" + QString::number(*number);
    return "t:" + std::get<QString>(option);
}

// How the project commands open a file dialog: no file name, the second filter chosen, a save
// dialog asking before it overwrites, an open dialog wanting an existing file.
QString fileDialog(const QString& kind, const QString& filter) {
    return QStringLiteral("%1||%2|2|%3").arg(kind, filter, kind == "save" ? "806" : "1004");
}

} // namespace

class ProjectWindowsTest : public WindowTest {
    Q_OBJECT

    void clickNode(const QString& key, bool twice = false) {
        QTreeWidgetItem* item = node(key);
        QVERIFY2(item != nullptr, qPrintable(key));
        if (item->parent() != nullptr)
            item->parent()->setExpanded(true);
        main().TreeView1->scrollToItem(item);
        const QPoint at = main().TreeView1->visualItemRect(item).center();
        QTest::mouseClick(main().TreeView1->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(main().TreeView1->viewport(), Qt::LeftButton, {}, at);
    }
    int openWindows() {
        return int(std::count(documents().DocInUse.begin(), documents().DocInUse.end(), 1));
    }
    // The project commands that need an open project, as enabled.
    QStringList enabledProjectCommands() {
        QStringList names;
        for (const char* name :
             {"addasm", "addbas", "cproject", "poptions", "saveasproj", "sproject"})
            names << (main().action(name)->isEnabled() ? name : "");
        return names.join(u' ').split(u' ', Qt::SkipEmptyParts);
    }
    // Chooses "New File" (row 0) or "Open File" (row 1) in the Add File dialog and presses "Add".
    void confirmAddfile(int row) {
        QVERIFY(addfileDialog() != nullptr && addfileDialog()->isVisible());
        addfileDialog()->ListView1->setCurrentRow(row);
        QTest::mouseClick(addfileDialog()->Command2, Qt::LeftButton);
        QVERIFY(!addfileDialog()->isVisible());
    }
    void addNew(bool basic) {
        trigger(basic ? "addbas" : "addasm");
        confirmAddfile(0);
    }
    // Writes a document and adds it as an existing member, of the assembly kind for ".asm" names.
    QString addExisting(const QString& name, const QByteArray& text = "x") {
        const QString path = fx().writeDoc(name, text);
        fx().dialog.answerFile(path);
        trigger(name.endsWith(".asm") ? "addasm" : "addbas");
        confirmAddfile(1);
        return path;
    }
    void expectNoProjectState() {
        QCOMPARE(project().ProjectOpen, qint16(0));
        QCOMPARE(tree(), NoProjectTree);
        QCOMPARE(main().windowTitle(), "Veldra Studio [No Project]");
        QCOMPARE(enabledProjectCommands(), QStringList());
    }

private Q_SLOTS:
    // Create with no window open asks nothing, and a cancelled Load keeps the project. Close
    // asks "Are you sure ?" even with no window. With windows open, Create asks first: No
    // changes nothing; Yes closes every window (each may ask to save) and starts an empty
    // project with the options kept. A hidden window kept open by its save question when the
    // project is closed is shown, so that it can be reached.
    void createAndCloseWithAndWithoutWindows() {
        trigger("nproject");
        QVERIFY(fx().messages.calls.isEmpty());
        QCOMPARE(enabledProjectCommands().size(), 6);
        Addfile* addfile = addfileDialog();
        QVERIFY(addfile != nullptr && addfile->isVisible());
        QCOMPARE(addfile->ListView1->item(0)->text(), "New File");
        QCOMPARE(addfile->ListView1->item(1)->text(), "Open File");
        fx().dialog.cancel();
        trigger("lproject");
        QCOMPARE(fileDialogs(), QStringList{fileDialog("open", ProjectFilter)});
        QCOMPARE(tree(), EmptyProjectTree);
        QCOMPARE(main().windowTitle(), "Veldra Studio [Untitled]");

        const QString closeBox =
            box("Close Project", "Are you sure ?", MsgIcon::Question, MsgButtons::YesNo);
        fx().messages.answer(MsgAnswer::No);
        trigger("cproject");
        QCOMPARE(boxes().value(0), closeBox);
        QCOMPARE(tree(), EmptyProjectTree);
        fx().messages.answer(MsgAnswer::Yes);
        trigger("cproject");
        QCOMPARE(boxes().value(1), closeBox);
        expectNoProjectState();
        QVERIFY(!addfile->isVisible());

        // Again, with a new member and a hidden one.
        trigger("nproject");
        addNew(true);
        addExisting("b.asm");
        active()->close(); // the close box hides it
        project().MaxObjects = QStringLiteral("7");
        const QStringList before = tree();
        fx().messages.calls.clear();
        fx().messages.answer(MsgAnswer::No);
        trigger("nproject");
        QCOMPARE(boxes().value(0),
                 box("Create Project", CloseAllText, MsgIcon::Exclamation, MsgButtons::YesNo));
        QCOMPARE(tree(), before);
        QCOMPARE(openWindows(), 2);
        fx().messages.answer(MsgAnswer::Yes);
        fx().messages.answer(MsgAnswer::No); // "Save changes ?" of the new member
        trigger("nproject");
        QCOMPARE(openWindows(), 0);
        QCOMPARE(tree(), EmptyProjectTree);
        QCOMPARE(project().AsmDoc[0], -1); // no entry names a closed window
        QCOMPARE(main().windowTitle(), "Veldra Studio [Untitled]");
        QCOMPARE(optionText(project().MaxObjects), "t:7");

        // Close keeps a window whose save question is cancelled, and shows it.
        addNew(true);
        QCOMPARE(tree().value(1), " Bas0=Untitled (2)@4");
        Editor* member = active();
        member->close();
        fx().messages.answer(MsgAnswer::Yes);
        fx().messages.answer(MsgAnswer::Cancel);
        trigger("cproject");
        expectNoProjectState();
        QCOMPARE(editor(0), member);
        QVERIFY(member->isVisible());
    }

    // delfile follows the selected node, by mouse or keyboard, and asks nothing on a group
    // node. A double click shows a member's hidden window; on a group node or a free entry it
    // does nothing.
    void nodeClicksAndDoubleClicks() {
        trigger("nproject");
        addExisting("a.bas");
        addExisting("b.asm");
        QAction* delfile = main().action("delfile");
        for (const char* key : {"Bas0", "qBasfiles", "Asm0", "qAsmfiles", "Bas0"}) {
            clickNode(key);
            QVERIFY2(delfile->isEnabled() == (key[0] != 'q'), key);
        }
        clickNode("qBasfiles");
        QTest::keyClick(main().TreeView1, Qt::Key_Down);
        QCOMPARE(main().TreeView1->currentItem(), node("Bas0"));
        QVERIFY(delfile->isEnabled());
        main().TreeView1->setCurrentItem(node("qBasfiles"));
        delfile->trigger();
        QVERIFY(fx().messages.calls.isEmpty());

        Editor* first = editor(0);
        first->close();
        QVERIFY(!first->isVisible());
        clickNode("Bas0", true);
        QVERIFY(first->isVisible());
        QCOMPARE(active(), first);
        editor(1)->close();
        clickNode("qAsmfiles", true);
        QVERIFY(!editor(1)->isVisible());
        project().AsmDoc[0] = -1;
        clickNode("Asm0", true);
        QVERIFY(!editor(1)->isVisible());
        // With only the placeholder node left there is nothing to delete.
        fx().messages.answer(MsgAnswer::Yes);
        trigger("cproject");
        QVERIFY(!delfile->isEnabled());
    }

    // Save names the untitled members through the BASIC or NASM dialog in entry order, BASIC
    // first, the dialog coming back with a beep until a name is given; the node texts follow.
    // Loading the saved file gives the same members, their entries numbered afresh. A member
    // keeps the line ends of its file through adding, saving, loading and saving again.
    void saveThenLoad() {
        trigger("nproject");
        addNew(false);                                       // Untitled (1): Asm0, slot 0
        const QString old = addExisting("old.bas", "o\nld"); // Bas0, slot 1
        addExisting("gone.bas");                             // Bas1, slot 2
        addNew(true);                                        // Untitled (2): Bas2, slot 3
        active()->Text1->setWholeText("abc");
        main().TreeView1->setCurrentItem(node("Bas1"));
        fx().messages.answer(MsgAnswer::Yes);
        trigger("delfile"); // leaves a gap in the entries

        const QString vdp = fx().docPath("p.vdp");
        const QString bas = fx().docPath("new.bas");
        const QString asmPath = fx().docPath("new.asm");
        fx().dialog.answerFile(vdp);
        fx().dialog.cancel(); // the member must get a name: a beep, and the dialog again
        fx().dialog.answerFile(bas);
        fx().dialog.answerFile(asmPath);
        fx().dialog.calls.clear();
        trigger("sproject");
        QCOMPARE(fx().messages.beeps, 1);
        const QString basFilter =
            "All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|Text Files (*.txt)|*.txt";
        QCOMPARE(fileDialogs(),
                 QStringList({fileDialog("save", ProjectFilter), fileDialog("save", basFilter),
                              fileDialog("save", basFilter),
                              fileDialog("save", "All Files (*.*)|*.*|NASM Files (*.asm)|*.asm|"
                                                 "Text Files (*.txt)|*.txt")}));
        QCOMPARE(MainFixture::readFile(old), "o\nld\n");
        QCOMPARE(MainFixture::readFile(bas), "abc\r\n");
        QCOMPARE(MainFixture::readFile(asmPath), "' Veldra Studio v1.00\r\n\r\n");
        QCOMPARE(MainFixture::readFile(vdp),
                 Header + " 100 \r\n 64000 \r\n[Basic Files]\r\n" + old.toUtf8() + "\r\n" +
                     bas.toUtf8() + "\r\n[Assembly Files]\r\n" + asmPath.toUtf8() + "\r\n");
        QCOMPARE(tree(), QStringList({"qBasfiles=Bas Files@8", " Bas0=old.bas@4", " Bas2=new.bas@4",
                                      "qAsmfiles=Asm Files@9", " Asm0=new.asm@4"}));
        QCOMPARE(editor(3)->windowTitle(), bas);
        QCOMPARE(editor(0)->windowTitle(), asmPath);
        // File > Save follows the active member's new name.
        QVERIFY(main().action("save")->isEnabled());
        trigger("sproject"); // saves to the same file without asking
        QCOMPARE(fx().dialog.calls.size(), 4);

        fx().messages.answer(MsgAnswer::Yes);
        fx().dialog.answerFile(vdp);
        trigger("lproject");
        QCOMPARE(boxes().last(),
                 box("Load Project", CloseAllText, MsgIcon::Exclamation, MsgButtons::YesNo));
        QCOMPARE(tree(), QStringList({"qBasfiles=Bas Files@8", " Bas0=old.bas@4", " Bas1=new.bas@4",
                                      "qAsmfiles=Asm Files@9", " Asm0=new.asm@4"}));
        const QStringList paths = {old, bas, asmPath};
        for (int slot = 0; slot < 3; ++slot) {
            Editor* member = editor(slot);
            QVERIFY(member != nullptr && member->isVisible());
            QCOMPARE(member->windowTitle(), paths[slot]);
            QCOMPARE(member->Text1->wholeText().toUtf8(),
                     MainFixture::readFile(paths[slot]).replace("o\nld\n", "o\r\nld\r\n"));
            QCOMPARE(documents().DocChanged[slot], qint16(0));
        }
        trigger("sproject");
        QCOMPARE(MainFixture::readFile(old), "o\nld\n\n");
        QCOMPARE(active(), editor(2));
        QCOMPARE(main().windowTitle(), "Veldra Studio [" + vdp + "]");
        QCOMPARE(enabledProjectCommands().size(), 6);
    }

    // New members share the Untitled numbering of File > New; existing ones open under their
    // path. A double click in the Add File dialog adds too, of the kind of the last command;
    // once its frame closed the dialog, the next one starts afresh.
    void addNewAndExisting() {
        trigger("nproject");
        trigger("new"); // Untitled (1): not a member
        addNew(true);
        QCOMPARE(active()->windowTitle(), "Untitled (2)");
        QCOMPARE(documents().DocChanged[1], qint16(-1));
        QVERIFY(!main().action("save")->isEnabled());
        trigger("new");
        QCOMPARE(active()->windowTitle(), "Untitled (3)");

        const QString path = addExisting("lib.asm", "mov ax, 1");
        QCOMPARE(fileDialogs().last(),
                 fileDialog("open", "All Files (*.*)|*.*|Assembly Files (*.asm)|*.asm|"));
        QCOMPARE(active()->windowTitle(), path);
        QCOMPARE(active()->Text1->wholeText(), "mov ax, 1");
        QCOMPARE(documents().DocChanged[3], qint16(0));

        fx().dialog.cancel(); // adds nothing, and the dialog is hidden all the same
        trigger("addbas");
        confirmAddfile(1);
        QCOMPARE(fileDialogs().last(),
                 fileDialog("open", "All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|"));
        QCOMPARE(openWindows(), 4);
        QCOMPARE(tree(), QStringList({"qBasfiles=Bas Files@8", " Bas0=Untitled (2)@4",
                                      "qAsmfiles=Asm Files@9", " Asm0=lib.asm@4"}));

        Addfile* dialog = addfileDialog();
        trigger("addbas");
        trigger("addasm");
        const QPoint newFile =
            dialog->ListView1->visualItemRect(dialog->ListView1->item(0)).center();
        QTest::mouseClick(dialog->ListView1->viewport(), Qt::LeftButton, {}, newFile);
        QTest::mouseDClick(dialog->ListView1->viewport(), Qt::LeftButton, {}, newFile);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(tree().last(), " Asm1=Untitled (4)@4");

        trigger("addbas");
        dialog->ListView1->setCurrentRow(1);
        dialog->close();
        flushDeletes();
        QVERIFY(addfileDialog() == nullptr);
        trigger("addbas");
        QCOMPARE(addfileDialog()->selectedKey(), "New");
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
        trigger("nproject");
        addExisting("a.bas");
        const QString path = addExisting("b.bas", "b");
        addExisting("c.bas");
        if (changed)
            editor(1)->Text1->setWholeText("edited");
        editor(1)->close(); // hidden members are removed all the same
        const QStringList before = tree();

        for (MsgAnswer answer : answers)
            fx().messages.answer(answer);
        clickNode("Bas1");
        trigger("delfile");
        QCOMPARE(boxes().value(0), box("Delete File", "Are you sure you want to delete\r\nb.bas ?",
                                       MsgIcon::Question, MsgButtons::YesNo));
        QCOMPARE(MainFixture::readFile(path), "b");
        if (removed) {
            QCOMPARE(tree(), QStringList({"qBasfiles=Bas Files@8", " Bas0=a.bas@4", " Bas2=c.bas@4",
                                          "qAsmfiles=Asm Files@9"}));
            QCOMPARE(documents().DocInUse[1], qint16(0));
            // The next addition takes the freed entry and its key again.
            addNew(true);
            QCOMPARE(node("Bas1")->text(0), "Untitled (1)");
        } else {
            QCOMPARE(tree(), before);
            QVERIFY(editor(1) != nullptr);
        }
    }

    // Refused before any file dialog or window, the choice being an existing file (row 1) or a
    // new one (row 0).
    void additionRefusedWithoutRoom_data() {
        QTest::addColumn<bool>("entriesFull"); // else every document window is in use
        QTest::newRow("27th BASIC member") << true;
        QTest::newRow("no free slot") << false;
    }

    void additionRefusedWithoutRoom() {
        QFETCH(bool, entriesFull);
        trigger("nproject");
        for (int i = 0; i < 26; ++i) {
            if (entriesFull)
                addNew(true);
            else
                trigger("new");
        }
        const QStringList before = tree();
        trigger("addbas");
        confirmAddfile(entriesFull ? 1 : 0); // an existing file, or a new one
        QVERIFY(fx().dialog.calls.isEmpty());
        QCOMPARE(boxes().size(), 1); // "Too many windows", as for File > New
        if (entriesFull)
            QCOMPARE(boxes()[0], box("Add File",
                                     "The project already holds 26 BASIC files.\r\nRemove one "
                                     "before adding another.",
                                     MsgIcon::Exclamation, MsgButtons::Ok));
        QCOMPARE(tree(), before);
        QCOMPARE(documents().UntitledCount, 26);
        QCOMPARE(openWindows(), 26);
    }

    // A Load that fails names the file and the reason, leaves no member window behind and the
    // options as they were. The previous project, whose windows it closed, is closed too, as it
    // is when the dialog is cancelled: a later Save would write it without its members.
    void loadFailureChangesNothing_data() {
        QTest::addColumn<QByteArray>("content"); // "<none>": no project file; "<cancel>": no name
        QTest::addColumn<int>("keptOpen");       // untitled windows kept open by their question
        QTest::addColumn<QString>("message");    // "title|text", <vdp> and <missing> for the paths
        const QByteArray valid = Header + "5\r\n6\r\n[Basic Files]\r\n";
        QTest::newRow("lower-case section")
            << Header + "1\r\n2\r\n[basic files]\r\n"
            << 0
            << "Invalid File|File is not a Drellstudio File\r\n<vdp>\r\nThe line after the options "
               "is not \"[Basic Files]\".";
        QTest::newRow("project file missing")
            << QByteArray("<none>") << 0
            << "Load Project|The project file could not be read:\r\n<vdp>\r\nNo such file or "
               "directory";
        QTest::newRow("member missing")
            << valid + "<good>\r\n<missing>\r\n"
            << 0
            << "Load Project|A file of the project could not be read:\r\n<missing>\r\nNo such "
               "file or directory";
        QTest::newRow("more members than free windows")
            << valid + "<good>\r\n<good>\r\n[Assembly Files]\r\n<good>\r\n"
            << 24
            << "Load Project|The project could not be loaded:\r\n<vdp>\r\nIt lists 3 files, but "
               "only 2 document windows are free.";
        QTest::newRow("dialog cancelled") << QByteArray("<cancel>") << 0 << QString();
    }

    void loadFailureChangesNothing() {
        QFETCH(QByteArray, content);
        QFETCH(int, keptOpen);
        QFETCH(QString, message);
        trigger("nproject");
        project().MaxObjects = QStringLiteral("typed");
        addExisting("old.bas");
        for (int i = 0; i < keptOpen; ++i)
            trigger("new");
        const QString good = fx().writeDoc("good.bas", "g");
        const QString missing = fx().docPath("missing.bas");
        const QString vdp = fx().docPath("bad.vdp");
        if (!content.startsWith('<'))
            fx().writeDoc(
                "bad.vdp",
                content.replace("<good>", good.toUtf8()).replace("<missing>", missing.toUtf8()));
        fx().messages.answer(MsgAnswer::Yes); // close all windows
        for (int i = 0; i < keptOpen; ++i)
            fx().messages.answer(MsgAnswer::Cancel);
        content == "<cancel>" ? fx().dialog.cancel() : fx().dialog.answerFile(vdp);
        trigger("lproject");

        if (!message.isEmpty()) {
            message.replace("<vdp>", vdp).replace("<missing>", missing);
            QCOMPARE(boxes().last(), box(message.section(u'|', 0, 0), message.section(u'|', 1),
                                         MsgIcon::Critical, MsgButtons::Ok));
        }
        QCOMPARE(main().mdiArea()->subWindowList().size(), keptOpen);
        QCOMPARE(optionText(project().MaxObjects), "t:typed");
        expectNoProjectState();
    }

    // A member or the project file that cannot be written (its folder is gone, or the disk is full)
    // is named, and the project keeps its path, its files and its caption.
    void saveFailureKeepsPathAndCaption_data() {
        QTest::addColumn<bool>("memberFails");
        QTest::addColumn<bool>("fullDisk"); // else the folder is gone
        QTest::newRow("member file") << true << false;
        QTest::newRow("project file") << false << false;
        QTest::newRow("member file on a full disk") << true << true;
        QTest::newRow("project file on a full disk") << false << true;
    }

    void saveFailureKeepsPathAndCaption() {
        QFETCH(bool, memberFails);
        QFETCH(bool, fullDisk);
        trigger("nproject");
        QDir(fx().docPath(QString())).mkdir("sub");
        const QString member = addExisting("sub/m.bas");
        const QString first = fx().docPath("first.vdp");
        fx().dialog.answerFile(first);
        trigger("sproject");
        const QByteArray saved = MainFixture::readFile(first);
        const QByteArray memberSaved = MainFixture::readFile(member);
        if (memberFails && !fullDisk)
            QVERIFY(QDir(fx().docPath("sub")).removeRecursively());
        const QString second =
            fx().docPath(memberFails || fullDisk ? "second.vdp" : "gone/second.vdp");
        fx().dialog.answerFile(second);
        if (fullDisk) {
            // The member grows past the limit, or stays small while the project file does not.
            if (memberFails)
                active()->Text1->setWholeText(QString(4000, u'y'));
            const FileSizeLimit limit(memberFails ? 2000 : 20);
            trigger("saveasproj");
            QCOMPARE(MainFixture::readFile(member), memberSaved);
        } else {
            trigger("saveasproj");
        }

        QVERIFY(!fx().messages.calls.isEmpty());
        const MessageCall& message = fx().messages.calls.last();
        QCOMPARE(message.icon, MsgIcon::Critical);
        QCOMPARE(message.text.split("\r\n").value(1), memberFails ? member : second);
        QVERIFY(!QFile::exists(second));
        QCOMPARE(MainFixture::readFile(first), saved);
        QCOMPARE(project().ProjectPath, first);
        QCOMPARE(main().windowTitle(), "Veldra Studio [" + first + "]");
    }

    // Cancel leaves the options alone; Set applies the fields as typed, and they outlive Close and
    // Create and are written as typed. Load reads numbers and leaves the dialog's fields alone.
    void options() {
        trigger("nproject");
        trigger("poptions");
        ProjectOptions* dialog = optionsDialog();
        QCOMPARE(dialog->windowTitle(), "ProjectOptions");
        QCOMPARE(dialog->Text1->text() + "," + dialog->Text2->text(), "64000,100");
        dialog->Text1->setText("9000");
        dialog->Text2->clear();
        QTest::keyClicks(dialog->Text2, "7 ");
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
        QCOMPARE(optionText(project().MaxObjects), "n:100");
        QCOMPARE(optionText(project().TempStringSize), "n:64000");
        trigger("poptions");
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        QCOMPARE(optionText(project().MaxObjects), "t:7 ");
        fx().messages.answer(MsgAnswer::Yes);
        trigger("cproject");
        trigger("nproject");
        const QString vdp = fx().docPath("typed.vdp");
        fx().dialog.answerFile(vdp);
        trigger("sproject");
        QCOMPARE(MainFixture::readFile(vdp),
                 Header + "7 \r\n9000\r\n[Basic Files]\r\n[Assembly Files]\r\n");

        fx().writeDoc("typed.vdp", Header + "500,1000\r\n[Basic Files]\r\n");
        fx().dialog.answerFile(vdp);
        trigger("lproject");
        QCOMPARE(optionText(project().MaxObjects), "n:500");
        QCOMPARE(optionText(project().TempStringSize), "n:1000");
        trigger("poptions");
        QCOMPARE(dialog->Text2->text(), "7 ");
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
        QCOMPARE(optionText(project().MaxObjects), "n:500");
    }
};

QTEST_MAIN(ProjectWindowsTest)
#include "ProjectWindowsTest.moc"
