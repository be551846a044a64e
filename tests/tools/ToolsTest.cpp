// The user tools: the Tools menu, the tools dialog, starting a tool, and the settings file that
// keeps the tools from one run to the next.

#include "FileSizeLimit.h"
#include "WindowTest.h"

#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "shell/Main.h"
#include "tools/ToolSlots.h"
#include "tools/customizetools.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

const QStringList NoTools(5, "(No tool)");

QStringList menuWith(int n, const QString& name) {
    QStringList items = NoTools;
    items[n - 1] = name;
    return items;
}

// The slot number, name, location and parameter fields.
QStringList fields(customizetools* dialog) {
    return {dialog->Text1->text(), dialog->Text4->text(), dialog->Text2->text(),
            dialog->Text3->text()};
}

void setField(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

} // namespace

class ToolsTest : public WindowTest {
    Q_OBJECT

    QString settingsPath() { return fx().appFolder() + "/veldstudio.ini"; }
    // The Tools items as "caption" for an enabled item and "(caption)" for a disabled one.
    QStringList toolItems() {
        QStringList items;
        for (int n = 1; n <= 5; ++n)
            items
                << QString(main().tool(n)->isEnabled() ? "%1" : "(%1)").arg(main().tool(n)->text());
        return items;
    }
    // Slot n holds Tn, Tn.exe and -Tn.
    void fillSlots() {
        for (int n = 1; n <= 5; ++n) {
            const QString name = QStringLiteral("T%1").arg(n);
            toolSlots()[n] = {name, name + ".exe", "-" + name};
        }
    }
    customizetools* openDialog() {
        trigger("addtools");
        return main().findChild<customizetools*>(QStringLiteral("customizetools"));
    }
    // The dialog's "Close" brings the menu in line with the slots.
    void refreshMenu() { QTest::mouseClick(openDialog()->Command1, Qt::LeftButton); }

private Q_SLOTS:
    // A tool set in slot 3 reaches the menu on "Close", is saved at shut-down exactly as typed,
    // is there again after a restart, and leaves the menu when its name is emptied.
    void toolInSlot3SurvivesARestartUntilItsNameIsEmptied() {
        customizetools* dialog = openDialog();
        QVERIFY(dialog != nullptr && dialog->isVisible());
        dialog->HScroll1->setValue(3);
        setField(dialog->Text4, QStringLiteral("Lint, strict"));
        setField(dialog->Text2, QStringLiteral("  \"/opt/lint\""));
        setField(dialog->Text3, QStringLiteral("\"quoted\", -x"));
        QTest::keyClick(dialog->Text3, Qt::Key_Return); // Enter presses "Apply"
        QCOMPARE(toolItems(), NoTools);                 // "Apply" leaves the menu alone
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(toolItems(), menuWith(3, "Lint, strict"));

        // The main window refuses to close while the dialog is up; after the dialog's frame
        // closed it, what was applied is saved, what was only typed is not.
        QCOMPARE(openDialog(), dialog);
        setField(dialog->Text4, QStringLiteral("not applied"));
        QVERIFY(!main().close() && dialog->isVisible());
        QVERIFY(dialog->close());
        QVERIFY(fx().closeMain());
        QCOMPARE(MainFixture::readFile(settingsPath()),
                 QByteArray("\r\n").repeated(6) +
                     "Lint, strict\r\n  \"/opt/lint\"\r\n\"quoted\", -x\r\n" +
                     QByteArray("\r\n").repeated(6));
        QCOMPARE(toolItems(), menuWith(3, "Lint, strict"));

        // Emptying the name removes the tool from the menu; location and parameters stay.
        dialog = openDialog();
        dialog->HScroll1->setValue(3);
        setField(dialog->Text4, QString());
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        QCOMPARE(toolItems(), NoTools);
        QCOMPARE(toolSlots()[3], (ToolSlot{"", "  \"/opt/lint\"", "\"quoted\", -x"}));
    }

    // The fields show slot 1 from the start, so an early "Apply" cannot wipe it, nor cut long
    // values (shown cut short). The scroll bar selects slots, also by keyboard; so does a number
    // typed into the slot field, from 1 to 5 once rounded half to even, and anything else is
    // ignored. The next opening shows the slot and the fields as they were left, applied or not.
    void dialogSelectsSlots() {
        fillSlots();
        const ToolSlot long1{QString(40000, u'n'), QString(50000, u'l'), QString(70000, u'p')};
        toolSlots()[1] = long1;
        customizetools* dialog = openDialog();
        QCOMPARE(dialog->HScroll1->value(), 1);
        // The fields and the menu item are given only what can be laid out at once.
        QCOMPARE(fields(dialog).mid(0, 3),
                 QStringList({"1", QString(4096, u'n') + u'…', QString(4096, u'l') + u'…'}));
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
        QVERIFY(toolSlots()[1] == long1);
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        QCOMPARE(main().tool(1)->text(), QString(4096, u'n') + u'…');
        openDialog();

        for (const auto& [typed, slot] : std::initializer_list<std::pair<const char*, int>>{
                 {" 4", 4}, {"3.5", 4}, {"4.5", 4}, {"0", 2}, {"5.2", 2}, {"1e999", 2}}) {
            dialog->HScroll1->setValue(2);
            dialog->Text1->setText(typed);
            const QString n = QString::number(slot);
            QCOMPARE(fields(dialog), QStringList({slot == 2 ? typed : " " + n, "T" + n,
                                                  "T" + n + ".exe", "-T" + n}));
        }
        // Right goes up, and no further than the last slot.
        dialog->HScroll1->setValue(4);
        QTest::keyClick(dialog->HScroll1, Qt::Key_Right);
        QTest::keyClick(dialog->HScroll1, Qt::Key_Right);
        QCOMPARE(fields(dialog), QStringList({" 5", "T5", "T5.exe", "-T5"}));
        setField(dialog->Text3, QStringLiteral("not applied"));
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        QCOMPARE(openDialog(), dialog);
        QCOMPARE(fields(dialog), QStringList({" 5", "T5", "T5.exe", "not applied"}));
    }

    void toolStartsWithExactProgramAndArguments() {
        // The program lies in a folder with a blank in its name, so the location quotes it.
        QVERIFY(QDir().mkpath(fx().docPath("my tools")));
        const QString program = fx().docPath("my tools/recorder");
        QVERIFY(QFile::copy(QStringLiteral(TOOL_RECORDER), program));
        const QString output = fx().docPath("started.txt");
        customizetools* dialog = openDialog();
        dialog->HScroll1->setValue(5);
        setField(dialog->Text4, QStringLiteral("Recorder"));
        setField(dialog->Text2, '"' + program + '"');
        setField(dialog->Text3, '"' + output + "\" \"two words\" a\\\"b \"\" plain");
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        main().tool(5)->trigger();
        QCOMPARE(fx().processes.calls.size(), 1);
        QCOMPARE(fx().processes.calls[0].wait, false);
        // The tool runs on its own; its record appears whole, renamed into place.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(output), 60000);
        QCOMPARE(QString::fromUtf8(MainFixture::readFile(output)).split(QChar(u'\0')),
                 QStringList({program, output, "two words", "a\"b", "", "plain", ""}));
        QVERIFY(fx().messages.calls.isEmpty());
    }

    // A document window has shortcuts of its own (Ctrl+F4 closes it elsewhere); the tool items
    // must still get Ctrl+F1 to Ctrl+F5, with no document and with the first of two active, and
    // the document keeps its other keys: Ctrl+W still closes it.
    void shortcutsReachTheTools() {
        fillSlots();
        refreshMenu();
        fx().processes.failWith = QStringLiteral("scripted");
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        QWidget* target = &main();
        for (int round = 0; round < 2; ++round) {
            if (round == 1) {
                trigger("new");
                trigger("new");
                documentArea()->setActiveSubWindow(editor(0));
                target = editor(0)->Text1;
            }
            target->setFocus();
            for (int n = 1; n <= 5; ++n)
                QTest::keyClick(target, Qt::Key(Qt::Key_F1 + n - 1), Qt::ControlModifier);
        }
        QStringList started;
        for (const ProcessCall& call : fx().processes.calls)
            started << call.program;
        QCOMPARE(started.join(u' '), "T1.exe T2.exe T3.exe T4.exe T5.exe T1.exe T2.exe T3.exe "
                                     "T4.exe T5.exe");
        QCOMPARE(documentArea()->subWindowList().size(), 2);
        fx().messages.answer(MsgAnswer::No);
        QTest::keyClick(target, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(documentArea()->subWindowList().size(), 1);
    }

    // The message names the tool, then the program and the reason on lines of their own, or the
    // missing location (nothing is started then).
    void toolsThatCannotStart() {
        toolSlots()[2] = {"Broken", "/nonexistent/viewer", "some parameters"};
        toolSlots()[3] = {"Blank", "   ", "some parameters"};
        refreshMenu();
        main().tool(2)->trigger();
        main().tool(3)->trigger();
        QCOMPARE(fx().processes.calls.size(), 1);
        const QString reason = fx().messages.calls.value(0).text.section("\r\n", 2);
        QVERIFY(!reason.isEmpty());
        const auto failed = [](const QString& tool, const QString& rest) {
            return box("Tools", "The tool \"" + tool + "\" could not be started:\r\n" + rest,
                       MsgIcon::Critical, MsgButtons::Ok);
        };
        QCOMPARE(boxes(), QStringList({failed("Broken", "/nonexistent/viewer\r\n" + reason),
                                       failed("Blank", "No program location is given.")}));
    }

    // The file as found at start-up: the menu, and the file written at shut-down. Fewer than
    // fifteen lines keep the values read, but the menu is not rebuilt; extra lines are dropped;
    // the menu shows an ampersand as it is, not as a mnemonic mark. (How lines are split and
    // decoded is the settings file reader's own table.)
    void settingsFileVariants() {
        const QByteArray one("One\r\none.exe\r\n-1\r\n"), ampersand("R&D\r\none.exe\r\n-1\r\n");
        const QByteArray rest = QByteArray("\r\n").repeated(12);
        const std::tuple<QByteArray, QStringList, QByteArray> cases[] = {
            {{}, NoTools, QByteArray("\r\n").repeated(15)}, // no file: the first run
            {one + rest.left(20) + "five.exe\r\n", NoTools,
             one + rest.left(20) + "five.exe\r\n\r\n"},
            {ampersand + rest + "extra\r\nmore\r\n", menuWith(1, "R&&D"), ampersand + rest},
        };
        for (const auto& [bytes, menu, written] : cases) {
            restart();
            if (!bytes.isEmpty())
                QVERIFY(QFile::copy(fx().writeDoc("ini", bytes), settingsPath()));
            QCOMPARE(toolItems(), menu);
            QVERIFY(fx().closeMain());
            QCOMPARE(MainFixture::readFile(settingsPath()), written);
        }
    }

    // The settings file is replaced whole or not at all; the shut-down completes either way, and
    // no temporary file is left behind.
    void unwritableSettingsDoNotStopTheShutDown() {
        const QByteArray old = QByteArray("\r\n").repeated(15);
        QVERIFY(QFile::copy(fx().writeDoc("ini", old), settingsPath()));
        toolSlots()[1] = {"One", QString(200, u'x'), ""};
        {
            const FileSizeLimit limit(100);
            QVERIFY(fx().closeMain());
        }
        QCOMPARE(MainFixture::readFile(settingsPath()), old);
        QCOMPARE(boxes(), QStringList{box("Settings",
                                          "The settings could not be saved:\r\n" + settingsPath() +
                                              "\r\nFile too large",
                                          MsgIcon::Exclamation, MsgButtons::Ok)});
        QCOMPARE(QDir(fx().appFolder()).entryList(QDir::Files), QStringList{"veldstudio.ini"});
    }
};

QTEST_MAIN(ToolsTest)
#include "ToolsTest.moc"
