// The project commands driven through the main window: Create, Load, Save, Close, the tree,
// adding and removing members, and the options dialog.

#include "FileSizeLimit.h"
#include "WindowTest.h"

#include "documents/DocumentTable.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "projects/Addfile.h"
#include "projects/ProjectOptions.h"
#include "projects/ProjectState.h"
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

namespace {

const QByteArray Header = "Veldra Studio Project File\r\n";
const QString CloseAllText =
    "This will close all windows, are you\r\nsure  you  want  to  load a project ?";
const QString ProjectFilter = "All Files (*.*)|*.*|Velstudio Files (*.vdp)|*.vdp|";
const QString BasFilter = "All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|Text Files (*.txt)|*.txt";
// The project state: open flag, caption, how many of the six project commands are enabled, tree.
const QString EmptyProject =
    "1|Veldra Studio [Untitled]|6|qBasfiles=Bas Files@8,qAsmfiles=Asm Files@9";
const QString NoProject = "0|Veldra Studio [No Project]|0|disabled=Only available in Projects@10";

// How the project commands open a file dialog: no file name, the second filter chosen, a save
// dialog asking before it overwrites, an open dialog wanting an existing file.
QString fileDialog(const QString& kind, const QString& filter) {
    return QStringLiteral("%1||%2|2|%3").arg(kind, filter, kind == "save" ? "806" : "1004");
}

} // namespace

class ProjectWindowsTest : public WindowTest {
    Q_OBJECT

    QString state() {
        int enabled = 0;
        for (const char* name :
             {"addasm", "addbas", "cproject", "poptions", "saveasproj", "sproject"})
            enabled += main().action(name)->isEnabled() ? 1 : 0;
        return QString::number(project().ProjectOpen) + "|" + main().windowTitle() + "|" +
               QString::number(enabled) + "|" + tree().join(u',');
    }
    // Both options as their lines in the project file: a number between blanks, text as typed.
    QString optionLines() {
        return projectOptionLine(project().MaxObjects) + "|" +
               projectOptionLine(project().TempStringSize);
    }
    void clickNode(const QString& key, bool twice = false) {
        QTreeWidgetItem* item = node(key);
        main().TreeView1->scrollToItem(item);
        const QPoint at = main().TreeView1->visualItemRect(item).center();
        QTest::mouseClick(main().TreeView1->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(main().TreeView1->viewport(), Qt::LeftButton, {}, at);
    }
    // Document windows, hidden ones included.
    qsizetype windows() { return documentArea()->subWindowList().size(); }
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

private Q_SLOTS:
    // Create and Load ask nothing with no window open (a question would be left unanswered); a
    // cancelled Load keeps the project. Close asks "Are you sure ?" even with no window. With
    // windows open, Create asks first: No changes nothing; Yes closes every window (each may ask to
    // save) and starts an empty project.
    void createAndClose() {
        trigger("nproject");
        project().MaxObjects = QStringLiteral("7"); // outlives Close and Create
        Addfile* addfile = addfileDialog();
        QVERIFY(addfile != nullptr && addfile->isVisible());
        fx().dialog.cancel();
        trigger("lproject");
        QCOMPARE(fileDialogs(), QStringList{fileDialog("open", ProjectFilter)});
        QCOMPARE(state(), EmptyProject);
        fx().messages.answer(MsgAnswer::No);
        trigger("cproject");
        QCOMPARE(state(), EmptyProject);
        fx().messages.answer(MsgAnswer::Yes);
        trigger("cproject");
        QCOMPARE(state(), NoProject);
        QVERIFY(!addfile->isVisible());
        const QString closeBox =
            box("Close Project", "Are you sure ?", MsgIcon::Question, MsgButtons::YesNo);
        QCOMPARE(boxes(), QStringList({closeBox, closeBox}));

        // Again, with a new member and a hidden one.
        trigger("nproject");
        addNew(true);
        addExisting("b.asm");
        active()->close(); // the close box hides it
        const QString before = state();
        fx().messages.answer(MsgAnswer::No);
        trigger("nproject");
        QCOMPARE(boxes().value(2),
                 box("Create Project", CloseAllText, MsgIcon::Exclamation, MsgButtons::YesNo));
        QCOMPARE(state(), before);
        QCOMPARE(windows(), 2);
        fx().messages.answer(MsgAnswer::Yes);
        fx().messages.answer(MsgAnswer::No); // "Save changes ?" of the new member
        trigger("nproject");
        QCOMPARE(windows(), 0);
        QCOMPARE(state(), EmptyProject);
        QCOMPARE(project().AsmDoc[0], -1); // no entry names a closed window
        QCOMPARE(optionLines(), "7| 64000 ");
    }

    // delfile follows the selected node, by mouse or keyboard. A double click shows a member's
    // hidden window; on a group node or a free entry it does nothing. Removing a member asks
    // first, closes its window (whose save question may keep it) and leaves its file alone; the
    // next addition takes the freed entry.
    void treeNodesAndRemoval() {
        trigger("nproject");
        addExisting("a.bas");
        const QString b = addExisting("b.bas", "b");
        addExisting("c.asm");
        QAction* delfile = main().action("delfile");
        for (const char* key : {"Bas0", "qBasfiles", "Asm0", "qAsmfiles", "Bas1", "qBasfiles"}) {
            clickNode(key);
            QVERIFY2(delfile->isEnabled() == (key[0] != 'q'), key);
        }
        QTest::keyClick(main().TreeView1, Qt::Key_Down);
        QCOMPARE(main().TreeView1->currentItem(), node("Bas0"));
        QVERIFY(delfile->isEnabled());

        editor(0)->close();
        editor(2)->close();
        clickNode("qAsmfiles", true);
        QVERIFY(!editor(2)->isVisible());
        clickNode("Bas0", true);
        QVERIFY(editor(0)->isVisible());
        QCOMPARE(active(), editor(0));

        editor(1)->Text1->setWholeText("edited");
        editor(1)->close(); // hidden members are removed all the same
        const QStringList before = tree();
        clickNode("Bas1");
        fx().messages.answer(MsgAnswer::No);
        trigger("delfile");
        fx().messages.answer(MsgAnswer::Yes);
        fx().messages.answer(MsgAnswer::Cancel); // "Save changes ?"
        trigger("delfile");
        QCOMPARE(tree(), before);
        fx().messages.answer(MsgAnswer::Yes);
        fx().messages.answer(MsgAnswer::No);
        trigger("delfile");
        const QString question = box("Delete File", "Are you sure you want to delete\r\nb.bas ?",
                                     MsgIcon::Question, MsgButtons::YesNo);
        QCOMPARE(boxes().filter("Delete File"), QStringList({question, question, question}));
        QCOMPARE(MainFixture::readFile(b), "b");
        QCOMPARE(tree().join(u','), "qBasfiles=Bas Files@8, Bas0=a.bas@4,qAsmfiles=Asm Files@9, "
                                    "Asm0=c.asm@4");
        addNew(true);
        QCOMPARE(tree().value(2), " Bas1=Untitled (1)@4");
        Editor* member = active();
        member->close();
        project().AsmDoc[0] = -1;
        clickNode("Asm0", true);
        QVERIFY(!editor(2)->isVisible());
        // Close keeps a hidden window whose save question is cancelled, and shows it, so that it
        // can be reached. With only the placeholder node left there is nothing to delete.
        fx().messages.answer(MsgAnswer::Yes);
        fx().messages.answer(MsgAnswer::Cancel);
        trigger("cproject");
        QCOMPARE(state(), NoProject);
        QVERIFY(!delfile->isEnabled());
        QCOMPARE(editor(1), member);
        QVERIFY(member->isVisible());
    }

    // Save names the untitled members through the BASIC or NASM dialog in entry order, BASIC
    // first, the dialog coming back with a beep until a name is given; the node texts follow.
    // Loading the saved file gives the same members, their entries numbered afresh. A member
    // keeps the line ends of its file through adding, saving, loading and saving again. The
    // options dialog: Cancel leaves the options alone; Set applies the fields as typed, and they
    // are written as typed; Load reads numbers and leaves the dialog's fields alone.
    void saveThenLoad() {
        trigger("nproject");
        trigger("poptions");
        auto* dialog = main().findChild<ProjectOptions*>(QStringLiteral("ProjectOptions"));
        QCOMPARE(dialog->Text1->text() + "," + dialog->Text2->text(), "64000,100");
        dialog->Text1->setText("9000");
        dialog->Text2->clear();
        QTest::keyClicks(dialog->Text2, "7 ");
        QTest::mouseClick(dialog->Command2, Qt::LeftButton); // Cancel
        QCOMPARE(optionLines(), " 100 | 64000 ");
        trigger("poptions");
        QTest::mouseClick(dialog->Command1, Qt::LeftButton); // Set
        QCOMPARE(optionLines(), "7 |9000");
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
        QCOMPARE(fileDialogs(),
                 QStringList({fileDialog("save", ProjectFilter), fileDialog("save", BasFilter),
                              fileDialog("save", BasFilter),
                              fileDialog("save", "All Files (*.*)|*.*|NASM Files (*.asm)|*.asm|"
                                                 "Text Files (*.txt)|*.txt")}));
        QCOMPARE(MainFixture::readFile(old) + MainFixture::readFile(bas) +
                     MainFixture::readFile(asmPath),
                 "o\nld\nabc\r\n' Veldra Studio v1.00\r\n\r\n");
        QCOMPARE(MainFixture::readFile(vdp),
                 Header + "7 \r\n9000\r\n[Basic Files]\r\n" + old.toUtf8() + "\r\n" + bas.toUtf8() +
                     "\r\n[Assembly Files]\r\n" + asmPath.toUtf8() + "\r\n");
        QCOMPARE(tree().join(u','), "qBasfiles=Bas Files@8, Bas0=old.bas@4, Bas2=new.bas@4,"
                                    "qAsmfiles=Asm Files@9, Asm0=new.asm@4");
        QCOMPARE(editor(3)->windowTitle() + "|" + editor(0)->windowTitle(), bas + "|" + asmPath);
        // File > Save follows the active member's new name.
        QVERIFY(main().action("save")->isEnabled());
        trigger("sproject"); // saves to the same file without asking
        QCOMPARE(fx().dialog.calls.size(), 4);

        fx().messages.answer(MsgAnswer::Yes);
        fx().dialog.answerFile(vdp);
        trigger("lproject");
        QCOMPARE(boxes().last(),
                 box("Load Project", CloseAllText, MsgIcon::Exclamation, MsgButtons::YesNo));
        QCOMPARE(state(), "1|Veldra Studio [" + vdp +
                              "]|6|qBasfiles=Bas Files@8, Bas0=old.bas@4, Bas1=new.bas@4,"
                              "qAsmfiles=Asm Files@9, Asm0=new.asm@4");
        // Each window: caption, shown, changed flag, text.
        QStringList shown;
        for (int slot = 0; slot < 3; ++slot)
            shown << editor(slot)->windowTitle() + "|" +
                         QString::number(editor(slot)->isVisible()) + "|" +
                         QString::number(documents().DocChanged[slot]) + "|" +
                         editor(slot)->Text1->wholeText();
        QCOMPARE(shown, QStringList({old + "|1|0|o\r\nld\r\n", bas + "|1|0|abc\r\n",
                                     asmPath + "|1|0|' Veldra Studio v1.00\r\n\r\n"}));
        QCOMPARE(active(), editor(2));
        QCOMPARE(optionLines(), " 7 | 9000 ");
        trigger("poptions");
        QCOMPARE(dialog->Text2->text(), "7 ");
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
        QCOMPARE(optionLines(), " 7 | 9000 ");
        trigger("sproject");
        QCOMPARE(MainFixture::readFile(old), "o\nld\n\n");
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
        QCOMPARE(active()->windowTitle() + "|" + active()->Text1->wholeText(), path + "|mov ax, 1");
        QCOMPARE(documents().DocChanged[3], qint16(0));

        fx().dialog.cancel(); // adds nothing, and the dialog is hidden all the same
        trigger("addbas");
        confirmAddfile(1);
        QCOMPARE(fileDialogs().last(),
                 fileDialog("open", "All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|"));
        QCOMPARE(windows(), 4);
        QCOMPARE(tree().join(u','), "qBasfiles=Bas Files@8, Bas0=Untitled (2)@4,"
                                    "qAsmfiles=Asm Files@9, Asm0=lib.asm@4");

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

    // With 26 BASIC members every entry of the kind and every document window is taken: an
    // existing BASIC file is refused before its file dialog, a new assembly member before its
    // window ("Too many windows", as for File > New).
    void additionRefusedWithoutRoom() {
        trigger("nproject");
        for (int i = 0; i < 26; ++i)
            addNew(true);
        const QStringList before = tree();
        trigger("addbas");
        confirmAddfile(1);
        trigger("addasm");
        confirmAddfile(0);
        QVERIFY(fx().dialog.calls.isEmpty());
        QCOMPARE(boxes().size(), 2);
        QCOMPARE(boxes()[0], box("Add File",
                                 "The project already holds 26 BASIC files.\r\nRemove one before "
                                 "adding another.",
                                 MsgIcon::Exclamation, MsgButtons::Ok));
        QCOMPARE(tree(), before);
        QCOMPARE(documents().UntitledCount, 26);
        QCOMPARE(windows(), 26);
    }

    // A Load that fails names the file and the reason, leaves no member window behind and the
    // options as they were. The previous project, whose windows it closed, is closed too, as it
    // is when the dialog is cancelled: a later Save would write it without its members.
    void loadFailureClosesTheProject() {
        const QString good = fx().writeDoc("good.bas", "g");
        const QString missing = fx().docPath("missing.bas");
        const QString vdp = fx().docPath("p.vdp");
        const QByteArray valid = Header + "5\r\n6\r\n[Basic Files]\r\n" + good.toUtf8() + "\r\n";
        // The project file (empty: none; "<cancel>": no name given), the untitled windows kept
        // open by their save question, and the message as "title|text".
        const std::tuple<QByteArray, int, QString> cases[] = {
            {Header + "1\r\n2\r\n[basic files]\r\n", 0,
             "Invalid File|File is not a Drellstudio File\r\n" + vdp +
                 "\r\nThe line after the options is not \"[Basic Files]\"."},
            {"", 0,
             "Load Project|The project file could not be read:\r\n" + vdp +
                 "\r\nNo such file or directory"},
            {valid + missing.toUtf8() + "\r\n", 0,
             "Load Project|A file of the project could not be read:\r\n" + missing +
                 "\r\nNo such file or directory"},
            {"<cancel>", 0, ""},
            {valid + good.toUtf8() + "\r\n[Assembly Files]\r\n" + good.toUtf8() + "\r\n", 24,
             "Load Project|The project could not be loaded:\r\n" + vdp +
                 "\r\nIt lists 3 files, but only 2 document windows are free."},
        };
        for (const auto& [content, keptOpen, message] : cases) {
            trigger("nproject");
            project().MaxObjects = QStringLiteral("typed");
            addExisting("old.bas");
            for (int i = 0; i < keptOpen; ++i)
                trigger("new");
            QFile::remove(vdp);
            if (!content.isEmpty())
                fx().writeDoc("p.vdp", content);
            fx().messages.answer(MsgAnswer::Yes); // close all windows
            for (int i = 0; i < keptOpen; ++i)
                fx().messages.answer(MsgAnswer::Cancel);
            content == "<cancel>" ? fx().dialog.cancel() : fx().dialog.answerFile(vdp);
            trigger("lproject");
            if (!message.isEmpty())
                QCOMPARE(boxes().last(), box(message.section(u'|', 0, 0), message.section(u'|', 1),
                                             MsgIcon::Critical, MsgButtons::Ok));
            QCOMPARE(windows(), keptOpen);
            QCOMPARE(optionLines(), "typed| 64000 ");
            QCOMPARE(state(), NoProject);
        }
        // As many members as there are free windows load.
        fx().writeDoc("p.vdp", valid + good.toUtf8() + "\r\n");
        fx().messages.answer(MsgAnswer::Yes);
        for (int i = 0; i < 24; ++i)
            fx().messages.answer(MsgAnswer::Cancel);
        fx().dialog.answerFile(vdp);
        trigger("lproject");
        QCOMPARE(windows(), 26);
    }

    // A member that cannot be written (its folder is gone) or a project file that does not fit
    // on the disk is named, and the project keeps its path, its file and its caption.
    void saveFailureKeepsPathAndCaption() {
        trigger("nproject");
        QVERIFY(QDir(fx().docPath(QString())).mkdir("sub"));
        const QString member = addExisting("sub/m.bas");
        const QString first = fx().docPath("first.vdp");
        fx().dialog.answerFile(first);
        trigger("sproject");
        const QByteArray saved = MainFixture::readFile(first);
        QVERIFY(QDir(fx().docPath("sub")).removeRecursively());
        const QString second = fx().docPath("second.vdp");
        fx().dialog.answerFile(second);
        trigger("saveasproj");
        QVERIFY(QDir(fx().docPath(QString())).mkdir("sub"));
        fx().dialog.answerFile(second);
        {
            const FileSizeLimit fullDisk(20); // the member fits, the project file does not
            trigger("saveasproj");
        }
        // Each message as its icon and the path on its second line.
        QStringList named;
        for (const MessageCall& call : fx().messages.calls)
            named << QString::number(int(call.icon)) + call.text.section("\r\n", 1, 1);
        const QString critical = QString::number(int(MsgIcon::Critical));
        QCOMPARE(named, QStringList({critical + member, critical + second}));
        QVERIFY(!QFile::exists(second));
        QCOMPARE(MainFixture::readFile(first), saved);
        QCOMPARE(project().ProjectPath + "|" + main().windowTitle(),
                 first + "|Veldra Studio [" + first + "]");
    }
};

QTEST_MAIN(ProjectWindowsTest)
#include "ProjectWindowsTest.moc"
