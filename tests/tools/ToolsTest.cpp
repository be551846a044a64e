// The user tools: the Tools menu, the tools dialog, starting a tool, and the settings file that
// keeps the tools from one run to the next.

#include "FileSizeLimit.h"
#include "WindowTest.h"

#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "shell/Main.h"
#include "tools/ToolCommands.h"
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

// The name, location and parameter fields.
QStringList fields(customizetools* dialog) {
    return {dialog->Text4->text(), dialog->Text2->text(), dialog->Text3->text()};
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
        for (int n = 1; n <= 5; ++n) {
            QAction* item = main().tool(n);
            items << (item->isEnabled() ? item->text() : '(' + item->text() + ')');
        }
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
        return toolsDialog();
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
        const ToolSlot lint{"Lint, strict", "  \"/opt/lint\"", "\"quoted\", -x"};
        QCOMPARE(toolSlots()[3], lint);
        // "Apply" leaves the menu alone.
        QCOMPARE(toolItems(), NoTools);
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(toolItems(), menuWith(3, "Lint, strict"));
        QVERIFY(toolSlots()[1] == ToolSlot{});

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
        QCOMPARE(toolSlots()[3], lint);

        // Emptying the name removes the tool from the menu; location and parameters stay.
        dialog = openDialog();
        dialog->HScroll1->setValue(3);
        setField(dialog->Text4, QString());
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        QCOMPARE(toolItems(), NoTools);
        QCOMPARE(toolSlots()[3], (ToolSlot{"", lint.ProgramLocation, lint.Parameters}));
    }

    // The fields show slot 1 from the start, so an early "Apply" cannot wipe it, nor cut long
    // values (shown cut short). The scroll bar selects slots, also by keyboard, and the next
    // opening shows the slot and the fields as they were left, applied or not.
    void dialogShowsSlotsFromTheScrollBar() {
        fillSlots();
        const ToolSlot long1{QString(40000, u'n'), QString(50000, u'l'), QString(70000, u'p')};
        toolSlots()[1] = long1;
        customizetools* dialog = openDialog();
        QCOMPARE(dialog->Text1->text(), QStringLiteral("1"));
        QCOMPARE(dialog->HScroll1->value(), 1);
        // The fields and the menu item are given only what can be laid out at once.
        QCOMPARE(dialog->Text2->text(), QString(4096, u'l') + u'…');
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
        QVERIFY(toolSlots()[1] == long1);
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        QCOMPARE(main().tool(1)->text(), QString(4096, u'n') + u'…');
        openDialog();

        dialog->HScroll1->setValue(4);
        QCOMPARE(dialog->Text1->text(), QStringLiteral(" 4"));
        QCOMPARE(fields(dialog), QStringList({"T4", "T4.exe", "-T4"}));
        // Right goes up, and no further than the last slot.
        QTest::keyClick(dialog->HScroll1, Qt::Key_Right);
        QTest::keyClick(dialog->HScroll1, Qt::Key_Right);
        QCOMPARE(dialog->Text1->text(), QStringLiteral(" 5"));
        QCOMPARE(fields(dialog), QStringList({"T5", "T5.exe", "-T5"}));

        setField(dialog->Text3, QStringLiteral("not applied"));
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        QCOMPARE(openDialog(), dialog);
        QCOMPARE(dialog->Text1->text(), QStringLiteral(" 5"));
        QCOMPARE(fields(dialog), QStringList({"T5", "T5.exe", "not applied"}));
    }

    // A number typed into the slot field, from 1 to 5 once rounded half to even, selects that
    // slot; anything else is ignored. The dialog starts on slot 2.
    void slotFieldSelectsSlots_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("slot");
        for (const auto& [typed, slot] : std::initializer_list<std::pair<const char*, int>>{
                 {" 4", 4}, {"3.5", 4}, {"4.5", 4}, {"0", 2}, {"5.2", 2}, {"1e999", 2}})
            QTest::newRow(typed) << QString(typed) << slot;
    }
    void slotFieldSelectsSlots() {
        QFETCH(QString, typed);
        QFETCH(int, slot);
        fillSlots();
        customizetools* dialog = openDialog();
        dialog->HScroll1->setValue(2);
        dialog->Text1->setText(typed);
        const QString name = QStringLiteral("T%1").arg(slot);
        QCOMPARE(QStringList{dialog->Text1->text()} + fields(dialog),
                 QStringList({slot == 2 ? typed : " " + QString::number(slot), name, name + ".exe",
                              "-" + name}));
    }

    void toolStartsWithExactProgramAndArguments() {
        // The program lies in a folder with a blank in its name, so the location quotes it.
        const QString folder = fx().docPath(QStringLiteral("my tools"));
        QVERIFY(QDir().mkpath(folder));
        const QString program = folder + QStringLiteral("/recorder");
        QVERIFY(QFile::copy(QStringLiteral(TOOL_RECORDER), program));
        const QString output = fx().docPath(QStringLiteral("started.txt"));

        customizetools* dialog = openDialog();
        dialog->HScroll1->setValue(5);
        setField(dialog->Text4, QStringLiteral("Recorder"));
        setField(dialog->Text2, QLatin1Char('"') + program + QLatin1Char('"'));
        setField(dialog->Text3,
                 QLatin1Char('"') + output + QStringLiteral("\" \"two words\" a\\\"b \"\" plain"));
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        main().tool(5)->trigger();

        const QStringList arguments{output, "two words", "a\"b", "", "plain"};
        QCOMPARE(fx().processes.calls.size(), 1);
        QCOMPARE(fx().processes.calls[0].wait, false);
        // The tool runs on its own; its record appears whole, renamed into place.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(output), 60000);
        QStringList words = QString::fromUtf8(MainFixture::readFile(output)).split(QChar(u'\0'));
        QCOMPARE(words.takeLast(), QString());
        QCOMPARE(words, QStringList{program} + arguments);
        QVERIFY(fx().messages.calls.isEmpty());
    }

    void shortcutsReachTheTools_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("windows");
        for (int n = 1; n <= 5; ++n) {
            QTest::addRow("Ctrl+F%d, no document", n) << n << 0;
            QTest::addRow("Ctrl+F%d, first of two documents active", n) << n << 2;
        }
    }
    // A document window has shortcuts of its own (Ctrl+F4 closes it elsewhere); the tool items
    // must still get Ctrl+F1 to Ctrl+F5.
    void shortcutsReachTheTools() {
        QFETCH(int, n);
        QFETCH(int, windows);
        fillSlots();
        refreshMenu();
        fx().processes.failWith = QStringLiteral("scripted");
        QWidget* target = &main();
        for (int i = 0; i < windows; ++i)
            trigger("new");
        if (windows > 0) {
            Editor* first = editor(0);
            main().mdiArea()->setActiveSubWindow(first);
            target = first->Text1;
        }
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        target->setFocus();
        QTest::keyClick(target, Qt::Key(Qt::Key_F1 + n - 1), Qt::ControlModifier);
        QCOMPARE(fx().processes.calls.size(), 1);
        QCOMPARE(fx().processes.calls[0].program, QStringLiteral("T%1.exe").arg(n));
        // The document windows stay open; only the tool keys are taken from them, so Ctrl+W
        // still closes one.
        QCOMPARE(main().mdiArea()->subWindowList().size(), windows);
        if (windows > 0) {
            fx().messages.answer(MsgAnswer::No);
            QTest::keyClick(target, Qt::Key_W, Qt::ControlModifier);
            QCOMPARE(main().mdiArea()->subWindowList().size(), windows - 1);
        }
    }

    // The message names the tool, then the program and the reason, or the missing location.
    void toolThatCannotStart_data() {
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("started");
        const QString noLocation = QStringLiteral("The tool \"Broken\" could not be started:\r\n"
                                                  "No program location is given.");
        QTest::newRow("no such program")
            << "/nonexistent/viewer"
            << "The tool \"Broken\" could not be started:\r\n/nonexistent/viewer\r\n"
            << true;
        QTest::newRow("blank location") << "   " << noLocation << false;
    }
    void toolThatCannotStart() {
        QFETCH(QString, location);
        QFETCH(QString, text);
        QFETCH(bool, started);
        toolSlots()[2] = {"Broken", location, "some parameters"};
        refreshMenu();
        main().tool(2)->trigger();
        QCOMPARE(fx().processes.calls.size(), started ? 1 : 0);
        QCOMPARE(fx().messages.calls.size(), 1);
        const MessageCall& box = fx().messages.calls[0];
        QCOMPARE(box.title, QStringLiteral("Tools"));
        QVERIFY2(box.text.startsWith(text), qPrintable(box.text));
        // The reason follows the program on a line of its own.
        QCOMPARE(box.text.size() > text.size(), started);
        QVERIFY(box.icon == MsgIcon::Critical && box.buttons == MsgButtons::Ok);
    }

    // The file as found at start-up: the menu, slot 1, and the file written at shut-down.
    void settingsFileVariants_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file
        QTest::addColumn<QStringList>("menu");
        QTest::addColumn<QStringList>("slot1");
        QTest::addColumn<QByteArray>("written");
        const QByteArray one("One\r\none.exe\r\n-1\r\n");
        const QByteArray rest = QByteArray("\r\n").repeated(12);
        const QStringList slot1{"One", "one.exe", "-1"};

        QTest::newRow("no file, first run") << QByteArray() << NoTools << QStringList{"", "", ""}
                                            << QByteArray("\r\n").repeated(15);
        // Fewer than fifteen lines: the values read are kept, but the menu is not rebuilt. (How
        // lines are split and decoded is the settings file reader's own table.)
        QTest::newRow("fourteen lines")
            << one + QByteArray("\r\n").repeated(10) + "five.exe\r\n"
            << NoTools << slot1 << one + QByteArray("\r\n").repeated(10) + "five.exe\r\n\r\n";
        QTest::newRow("longer file, extra lines ignored")
            << one + rest + "extra\r\nmore\r\n"
            << menuWith(1, "One") << slot1 << one + rest;
        // The menu shows an ampersand as it is, not as a mnemonic mark.
        const QByteArray ampersand("R&D\r\none.exe\r\n-1\r\n");
        QTest::newRow("ampersand in the name")
            << ampersand + rest << menuWith(1, "R&&D") << QStringList{"R&D", "one.exe", "-1"}
            << ampersand + rest;
    }
    void settingsFileVariants() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, menu);
        QFETCH(QStringList, slot1);
        QFETCH(QByteArray, written);
        QFile file(settingsPath());
        if (!bytes.isEmpty())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        QCOMPARE(toolItems(), menu);
        const ToolSlot& slot = toolSlots()[1];
        QCOMPARE((QStringList{slot.ProgramName, slot.ProgramLocation, slot.Parameters}), slot1);
        QVERIFY(fx().closeMain());
        QCOMPARE(MainFixture::readFile(settingsPath()), written);
    }

    // The settings file is replaced whole or not at all; the shut-down completes either way.
    void unwritableSettingsDoNotStopTheShutDown_data() {
        QTest::addColumn<bool>("fullDisk"); // else a folder stands in the file's place
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder in its place") << false << "Is a directory";
        QTest::newRow("full disk") << true << "File too large";
    }
    void unwritableSettingsDoNotStopTheShutDown() {
        QFETCH(bool, fullDisk);
        QFETCH(QString, reason);
        const QByteArray old = QByteArray("\r\n").repeated(15);
        if (fullDisk) {
            QFile file(settingsPath());
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
        } else {
            QVERIFY(QDir().mkdir(settingsPath()));
        }
        toolSlots()[1] = {"One", QString(200, u'x'), ""};
        {
            const FileSizeLimit limit(fullDisk ? 100 : RLIM_INFINITY);
            QVERIFY(fx().closeMain());
        }
        if (fullDisk)
            QCOMPARE(MainFixture::readFile(settingsPath()), old);
        else
            QVERIFY(QFileInfo(settingsPath()).isDir());
        const QString text = "The settings could not be saved:\r\n" + settingsPath() + "\r\n";
        QCOMPARE(boxes(),
                 QStringList{box("Settings", text + reason, MsgIcon::Exclamation, MsgButtons::Ok)});
        // No temporary file is left behind.
        QCOMPARE(QDir(fx().appFolder()).entryList(QDir::Files),
                 fullDisk ? QStringList{QStringLiteral("veldstudio.ini")} : QStringList());
    }
};

QTEST_MAIN(ToolsTest)
#include "ToolsTest.moc"
