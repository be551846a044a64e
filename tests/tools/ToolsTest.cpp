// The user tools: the Tools menu, the tools dialog, starting a tool, and the settings file that
// keeps the tools from one run to the next.

#include "MainFixture.h"

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

const QString Recorder = QStringLiteral(TOOL_RECORDER);

QString settingsPath(const MainFixture& f) {
    return f.appFolder() + QStringLiteral("/veldstudio.ini");
}

bool writeSettings(const MainFixture& f, const QByteArray& bytes) {
    QFile file(settingsPath(f));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray crlfLines(const QList<QByteArray>& lines) {
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// The Tools items as "caption" for an enabled item and "(caption)" for a disabled one.
QStringList toolItems(Main& main) {
    QStringList items;
    for (int n = 1; n <= 5; ++n) {
        QAction* item = main.tool(n);
        items << (item->isEnabled() ? item->text() : QLatin1Char('(') + item->text() + u')');
    }
    return items;
}

const QStringList NoTools(5, QStringLiteral("(No tool)"));

customizetools* openDialog(Main& main) {
    main.action(QStringLiteral("addtools"))->trigger();
    return main.toolCommands().dialog();
}

QStringList fields(customizetools* dialog) {
    return {dialog->Text4->text(), dialog->Text2->text(), dialog->Text3->text()};
}

void fillSlot(ToolSlot& slot, const QString& name) {
    slot = {name, name + QStringLiteral(".exe"), QStringLiteral("-") + name};
}

void setField(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

} // namespace

class ToolsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstRunWritesFifteenEmptyLines();
    void toolInSlot3AppearsAfterCloseAndGoesWithItsName();
    void dialogShowsSlot1WhenCreated();
    void longValuesSurviveTheDialog();
    void scrollBarSelectsSlotsAndIsRemembered();
    void slotFieldSelectsSlots_data();
    void slotFieldSelectsSlots();
    void everyWayOutEnablesTheMainWindow_data();
    void everyWayOutEnablesTheMainWindow();
    void toolStartsWithExactProgramAndArguments();
    void shortcutsReachTheTools_data();
    void shortcutsReachTheTools();
    void documentWindowStillClosesWithCtrlW();
    void toolThatCannotStart_data();
    void toolThatCannotStart();
    void settingsSurviveARestart();
    void settingsFileVariants_data();
    void settingsFileVariants();
    void unwritableSettingsDoNotStopTheShutDown();
};

void ToolsTest::firstRunWritesFifteenEmptyLines() {
    MainFixture f;
    Main& main = f.start();
    QCOMPARE(toolItems(main), NoTools);
    QVERIFY(main.action(QStringLiteral("addtools"))->isEnabled());
    QVERIFY(f.closeMain());
    QCOMPARE(MainFixture::readFile(settingsPath(f)), QByteArray("\r\n").repeated(15));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ToolsTest::toolInSlot3AppearsAfterCloseAndGoesWithItsName() {
    MainFixture f;
    Main& main = f.start();
    customizetools* dialog = openDialog(main);
    QVERIFY(dialog != nullptr && dialog->isVisible());
    dialog->HScroll1->setValue(3);
    setField(dialog->Text4, QStringLiteral("Viewer"));
    setField(dialog->Text2, QStringLiteral("C:\\tools\\view.exe"));
    setField(dialog->Text3, QStringLiteral("a, \"b\""));
    QVERIFY(dialog->Command2->isDefault());
    QTest::keyClick(dialog->Text3, Qt::Key_Return); // Enter presses "Apply"
    QCOMPARE(main.toolCommands().toolSlots()[3],
             (ToolSlot{"Viewer", "C:\\tools\\view.exe", "a, \"b\""}));
    // "Apply" leaves the menu alone.
    QCOMPARE(toolItems(main), NoTools);

    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(toolItems(main),
             QStringList({"(No tool)", "(No tool)", "Viewer", "(No tool)", "(No tool)"}));
    QVERIFY(main.toolCommands().toolSlots()[1] == ToolSlot{});

    // Emptying the name removes the tool from the menu; location and parameters stay stored.
    QCOMPARE(openDialog(main), dialog);
    setField(dialog->Text4, QString());
    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QCOMPARE(toolItems(main), NoTools);
    QCOMPARE(main.toolCommands().toolSlots()[3], (ToolSlot{"", "C:\\tools\\view.exe", "a, \"b\""}));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

// The fields are filled from slot 1 at once, so an early "Apply" cannot wipe slot 1.
void ToolsTest::dialogShowsSlot1WhenCreated() {
    MainFixture f;
    QVERIFY(
        writeSettings(f, crlfLines({"One", "one.exe", "-1"}) + QByteArray("\r\n").repeated(12)));
    Main& main = f.start();
    customizetools* dialog = openDialog(main);
    QCOMPARE(dialog->Text1->text(), QStringLiteral("1"));
    QCOMPARE(dialog->HScroll1->value(), 1);
    QCOMPARE(fields(dialog), QStringList({"One", "one.exe", "-1"}));
    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    QCOMPARE(main.toolCommands().toolSlots()[1], (ToolSlot{"One", "one.exe", "-1"}));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ToolsTest::longValuesSurviveTheDialog() {
    MainFixture f;
    Main& main = f.start();
    const ToolSlot slot{QString(40000, u'n'), QString(50000, u'l'), QString(70000, u'p')};
    main.toolCommands().toolSlots()[1] = slot;
    customizetools* dialog = openDialog(main);
    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    QVERIFY(main.toolCommands().toolSlots()[1] == slot);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ToolsTest::scrollBarSelectsSlotsAndIsRemembered() {
    MainFixture f;
    Main& main = f.start();
    for (int n = 1; n <= 5; ++n)
        fillSlot(main.toolCommands().toolSlots()[n], QStringLiteral("T%1").arg(n));
    customizetools* dialog = openDialog(main);
    QCOMPARE(dialog->HScroll1->minimum(), 1);
    QCOMPARE(dialog->HScroll1->maximum(), 5);
    dialog->HScroll1->setValue(4);
    QCOMPARE(dialog->Text1->text(), QStringLiteral(" 4"));
    QCOMPARE(fields(dialog), QStringList({"T4", "T4.exe", "-T4"}));
    // By keyboard: Right goes up, and no further than the last slot.
    QVERIFY(dialog->HScroll1->focusPolicy() & Qt::TabFocus);
    QTest::keyClick(dialog->HScroll1, Qt::Key_Right);
    QTest::keyClick(dialog->HScroll1, Qt::Key_Right);
    QCOMPARE(dialog->Text1->text(), QStringLiteral(" 5"));
    QCOMPARE(fields(dialog), QStringList({"T5", "T5.exe", "-T5"}));

    // The next opening shows the slot and the fields as they were left, applied or not.
    setField(dialog->Text3, QStringLiteral("not applied"));
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QCOMPARE(openDialog(main), dialog);
    QCOMPARE(dialog->Text1->text(), QStringLiteral(" 5"));
    QCOMPARE(fields(dialog), QStringList({"T5", "T5.exe", "not applied"}));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ToolsTest::slotFieldSelectsSlots_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("shown");
    QTest::newRow("3") << "3" << 3 << " 3";
    QTest::newRow("blank before 4") << " 4" << 4 << " 4";
    QTest::newRow("5") << "5" << 5 << " 5";
    QTest::newRow("1") << "1" << 1 << " 1";
    QTest::newRow("number then text") << "3x" << 3 << " 3";
    QTest::newRow("half to even, down") << "2.5" << 2 << "2.5"; // slot 2 already: no change
    QTest::newRow("half to even, up") << "3.5" << 4 << " 4";
    QTest::newRow("rounded") << "4.6" << 5 << " 5";
    QTest::newRow("0 ignored") << "0" << 2 << "0";
    QTest::newRow("6 ignored") << "6" << 2 << "6";
    QTest::newRow("5.2 ignored") << "5.2" << 2 << "5.2";
    QTest::newRow("negative ignored") << "-3" << 2 << "-3";
    QTest::newRow("text ignored") << "abc" << 2 << "abc";
    QTest::newRow("empty ignored") << "" << 2 << "";
    QTest::newRow("huge ignored") << "1e999" << 2 << "1e999";
}

void ToolsTest::slotFieldSelectsSlots() {
    QFETCH(QString, typed);
    QFETCH(int, slot);
    QFETCH(QString, shown);
    MainFixture f;
    Main& main = f.start();
    for (int n = 1; n <= 5; ++n)
        fillSlot(main.toolCommands().toolSlots()[n], QStringLiteral("T%1").arg(n));
    customizetools* dialog = openDialog(main);
    dialog->HScroll1->setValue(2);
    dialog->Text1->setText(typed);
    QCOMPARE(dialog->HScroll1->value(), slot);
    QCOMPARE(dialog->Text1->text(), shown);
    const QString name = QStringLiteral("T%1").arg(slot);
    QCOMPARE(fields(dialog), QStringList({name, name + ".exe", "-" + name}));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ToolsTest::everyWayOutEnablesTheMainWindow_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("menuUpdated");
    QTest::newRow("Close") << "Close" << true;
    QTest::newRow("window frame") << "frame" << false;
    QTest::newRow("Escape") << "Escape" << false;
}

void ToolsTest::everyWayOutEnablesTheMainWindow() {
    QFETCH(QString, way);
    QFETCH(bool, menuUpdated);
    MainFixture f;
    Main& main = f.start();
    customizetools* dialog = openDialog(main);
    // The main window takes no input, the dialog does.
    QVERIFY(!main.inputEnabled());
    QVERIFY(dialog->isEnabled() && dialog->Text4->isEnabled());
    setField(dialog->Text4, QStringLiteral("Applied"));
    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    if (way == QLatin1String("Close"))
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    else if (way == QLatin1String("frame"))
        QVERIFY(dialog->close());
    else
        QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QVERIFY(main.inputEnabled());
    QCOMPARE(main.toolCommands().toolSlots()[1].ProgramName, QStringLiteral("Applied"));
    QCOMPARE(main.tool(1)->text(),
             menuUpdated ? QStringLiteral("Applied") : QStringLiteral("No tool"));
    QCOMPARE(main.tool(1)->isEnabled(), menuUpdated);

    // The next opening disables the main window again, and "Close" then updates the menu.
    QCOMPARE(openDialog(main), dialog);
    QVERIFY(!main.inputEnabled());
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QCOMPARE(toolItems(main).first(), QStringLiteral("Applied"));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ToolsTest::toolStartsWithExactProgramAndArguments() {
    MainFixture f;
    Main& main = f.start();
    // The program lies in a folder with a blank in its name, so the location quotes it.
    const QString folder = f.docPath(QStringLiteral("my tools"));
    QVERIFY(QDir().mkpath(folder));
    const QString program = folder + QStringLiteral("/recorder");
    QVERIFY(QFile::copy(Recorder, program));
    const QString output = f.docPath(QStringLiteral("started.txt"));

    customizetools* dialog = openDialog(main);
    dialog->HScroll1->setValue(5);
    setField(dialog->Text4, QStringLiteral("Recorder"));
    setField(dialog->Text2, QLatin1Char('"') + program + QLatin1Char('"'));
    setField(dialog->Text3,
             QLatin1Char('"') + output + QStringLiteral("\" \"two words\" a\\\"b \"\" plain"));
    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    main.tool(5)->trigger();

    const QStringList arguments{output, "two words", "a\"b", "", "plain"};
    QCOMPARE(f.processes.calls.size(), 1);
    QCOMPARE(f.processes.calls[0].wait, false);
    QCOMPARE(f.processes.calls[0].program, program);
    QCOMPARE(f.processes.calls[0].arguments, arguments);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(output), 60000);
    const QByteArray recorded = MainFixture::readFile(output);
    QStringList words = QString::fromUtf8(recorded).split(QChar(u'\0'));
    QCOMPARE(words.takeLast(), QString());
    QCOMPARE(words, QStringList{program} + arguments);
    QVERIFY(f.messages.calls.isEmpty());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ToolsTest::shortcutsReachTheTools_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("documents");
    for (int n = 1; n <= 5; ++n) {
        QTest::addRow("Ctrl+F%d, no document", n) << n << 0;
        QTest::addRow("Ctrl+F%d, document active", n) << n << 1;
        QTest::addRow("Ctrl+F%d, first of two documents active", n) << n << 2;
    }
}

// A document window has shortcuts of its own (Ctrl+F4 closes it elsewhere); the tool items
// must still get Ctrl+F1 to Ctrl+F5.
void ToolsTest::shortcutsReachTheTools() {
    QFETCH(int, n);
    QFETCH(int, documents);
    MainFixture f;
    Main& main = f.start();
    for (int slot = 1; slot <= 5; ++slot)
        main.toolCommands().toolSlots()[slot] = {QStringLiteral("T%1").arg(slot),
                                                 QStringLiteral("prog%1").arg(slot), ""};
    main.toolCommands().RefreshToolsMenu();
    f.processes.failWith = QStringLiteral("scripted");
    QWidget* target = &main;
    for (int i = 0; i < documents; ++i)
        main.new_Click();
    if (documents > 0) {
        Editor* first = main.documents().Documents[0].data();
        main.mdiArea()->setActiveSubWindow(first);
        target = first->Text1;
    }
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    target->setFocus();
    QTest::keyClick(target, Qt::Key(Qt::Key_F1 + n - 1), Qt::ControlModifier);
    QCOMPARE(f.processes.calls.size(), 1);
    QCOMPARE(f.processes.calls[0].program, QStringLiteral("prog%1").arg(n));
    // The document windows stay open.
    QCOMPARE(main.mdiArea()->subWindowList().size(), documents);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

// Only the tool keys are taken from a document window: Ctrl+W still closes it.
void ToolsTest::documentWindowStillClosesWithCtrlW() {
    MainFixture f;
    Main& main = f.start();
    main.new_Click();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    f.active()->Text1->setFocus();
    f.messages.answer(MsgAnswer::No);
    QTest::keyClick(f.active()->Text1, Qt::Key_W, Qt::ControlModifier);
    QVERIFY(main.mdiArea()->subWindowList().isEmpty());
    QCOMPARE(f.messages.calls.size(), 1);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ToolsTest::toolThatCannotStart_data() {
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("started");
    QTest::newRow("no such program")
        << "/nonexistent/viewer"
        << "The tool \"Broken\" could not be started:\r\n/nonexistent/viewer\r\n"
        << true;
    QTest::newRow("empty location")
        << ""
        << "The tool \"Broken\" could not be started:\r\nNo program location is given." << false;
    QTest::newRow("blank location")
        << "   "
        << "The tool \"Broken\" could not be started:\r\nNo program location is given." << false;
}

void ToolsTest::toolThatCannotStart() {
    QFETCH(QString, location);
    QFETCH(QString, text);
    QFETCH(bool, started);
    MainFixture f;
    Main& main = f.start();
    main.toolCommands().toolSlots()[2] = {"Broken", location, "some parameters"};
    main.toolCommands().RefreshToolsMenu();
    main.tool(2)->trigger();
    QCOMPARE(f.processes.calls.size(), started ? 1 : 0);
    QCOMPARE(f.messages.calls.size(), 1);
    const MessageCall& box = f.messages.calls[0];
    QCOMPARE(box.title, QStringLiteral("Tools"));
    QVERIFY2(box.text.startsWith(text), qPrintable(box.text));
    if (started) {
        // The reason follows on a line of its own.
        QVERIFY(box.text.size() > text.size());
    }
    QCOMPARE(box.icon, MsgIcon::Critical);
    QCOMPARE(box.buttons, MsgButtons::Ok);

    // The environment goes on working.
    main.new_Click();
    QVERIFY(f.active() != nullptr);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ToolsTest::settingsSurviveARestart() {
    MainFixture f;
    {
        Main& main = f.start();
        customizetools* dialog = openDialog(main);
        dialog->HScroll1->setValue(3);
        setField(dialog->Text4, QStringLiteral("Lint, strict"));
        setField(dialog->Text2, QStringLiteral("  \"/opt/lint\""));
        setField(dialog->Text3, QStringLiteral("\"quoted\", -x"));
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
        // The main window closes with the dialog still up: what was applied is saved, what was
        // only typed is not.
        setField(dialog->Text4, QStringLiteral("not applied"));
        QVERIFY(f.closeMain());
    }
    QCOMPARE(MainFixture::readFile(settingsPath(f)),
             QByteArray("\r\n").repeated(6) +
                 crlfLines({"Lint, strict", "  \"/opt/lint\"", "\"quoted\", -x"}) +
                 QByteArray("\r\n").repeated(6));
    Main& again = f.start();
    QCOMPARE(toolItems(again),
             QStringList({"(No tool)", "(No tool)", "Lint, strict", "(No tool)", "(No tool)"}));
    QCOMPARE(again.toolCommands().toolSlots()[3],
             (ToolSlot{"Lint, strict", "  \"/opt/lint\"", "\"quoted\", -x"}));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ToolsTest::settingsFileVariants_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("menu");
    QTest::addColumn<QStringList>("slot1");
    QTest::addColumn<QByteArray>("written");
    const QByteArray empty15 = QByteArray("\r\n").repeated(15);

    // Fewer than fifteen lines: the values read are kept, but the menu is not rebuilt.
    QTest::newRow("three lines") << crlfLines({"One", "one.exe", "-1"}) << NoTools
                                 << QStringList{"One", "one.exe", "-1"}
                                 << crlfLines({"One", "one.exe", "-1"}) +
                                        QByteArray("\r\n").repeated(12);
    QTest::newRow("fourteen lines")
        << crlfLines({"One", "one.exe", "-1"}) + QByteArray("\r\n").repeated(10) + "five.exe\r\n"
        << NoTools << QStringList{"One", "one.exe", "-1"}
        << crlfLines({"One", "one.exe", "-1"}) + QByteArray("\r\n").repeated(10) +
               crlfLines({"five.exe", ""});
    QTest::newRow("longer file, extra lines ignored")
        << crlfLines({"One", "one.exe", "-1"}) + QByteArray("\r\n").repeated(12) +
               "extra\r\nmore\r\n"
        << QStringList{"One", "(No tool)", "(No tool)", "(No tool)", "(No tool)"}
        << QStringList{"One", "one.exe", "-1"}
        << crlfLines({"One", "one.exe", "-1"}) + QByteArray("\r\n").repeated(12);
    QTest::newRow("LF line ends")
        << QByteArray("One\none.exe\n-1\n") + QByteArray("\n").repeated(12)
        << QStringList{"One", "(No tool)", "(No tool)", "(No tool)", "(No tool)"}
        << QStringList{"One", "one.exe", "-1"}
        << crlfLines({"One", "one.exe", "-1"}) + QByteArray("\r\n").repeated(12);
    QTest::newRow("binary file")
        << QByteArray("\x00\x01\xFF\xFE\x80", 5) << NoTools
        << QStringList{QString::fromUtf16(u"\u0000\u0001\u00FF\u00FE\u20AC", 5), "", ""}
        << QByteArray("\x00\x01\xFF\xFE\x80", 5) + empty15;
    QTest::newRow("empty file") << QByteArray() << NoTools << QStringList{"", "", ""} << empty15;
}

void ToolsTest::settingsFileVariants() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, menu);
    QFETCH(QStringList, slot1);
    QFETCH(QByteArray, written);
    MainFixture f;
    QVERIFY(writeSettings(f, bytes));
    Main& main = f.start();
    QCOMPARE(toolItems(main), menu);
    const ToolSlot& slot = main.toolCommands().toolSlots()[1];
    QCOMPARE((QStringList{slot.ProgramName, slot.ProgramLocation, slot.Parameters}), slot1);
    QVERIFY(f.closeMain());
    QCOMPARE(MainFixture::readFile(settingsPath(f)), written);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void ToolsTest::unwritableSettingsDoNotStopTheShutDown() {
    MainFixture f;
    // A folder in the settings file's place cannot be replaced by a file.
    QVERIFY(QDir().mkdir(settingsPath(f)));
    Main& main = f.start();
    main.toolCommands().toolSlots()[1] = {"One", "one", ""};
    QVERIFY(f.closeMain());
    QVERIFY(QFileInfo(settingsPath(f)).isDir());
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].title, QStringLiteral("Settings"));
    QCOMPARE(f.messages.calls[0].text, QStringLiteral("The settings could not be saved:\r\n") +
                                           settingsPath(f) + QStringLiteral("\r\nIs a directory"));
    QCOMPARE(f.messages.calls[0].icon, MsgIcon::Exclamation);
    QCOMPARE(QDir(f.appFolder()).entryList(QDir::Files), QStringList());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

QTEST_MAIN(ToolsTest)
#include "ToolsTest.moc"
