// The main window: menus, toolbar, command availability, dispatch, layout, About and shut-down.

#include "MainFixture.h"

#include "documents/DocumentManager.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "shell/Main.h"
#include "ui/Twips.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {

// Every menu item with a handler, in menu order.
const QStringList AllItems = {
    "new",         "open",        "save",    "saveas",   "exit",     "Cut",      "Copy",
    "paste",       "searchagain", "search",  "sbrowser", "nproject", "lproject", "sproject",
    "saveasproj",  "cproject",    "addasm",  "addbas",   "delfile",  "poptions", "runp",
    "compileprog", "addtools",    "fontcol", "Font",     "aboutvd"};

// The items and buttons that are enabled, as one sorted list, for comparing whole states.
QStringList enabledCommands(Main& main) {
    QStringList result;
    for (const QString& name : AllItems) {
        if (main.action(name)->isEnabled())
            result << name;
    }
    for (int n = 1; n <= 5; ++n) {
        if (main.tool(n)->isEnabled())
            result << QStringLiteral("tool%1").arg(n);
    }
    for (int n = 1; n <= 10; ++n) {
        if (QAction* button = main.toolbarButton(n); !button->isSeparator() && button->isEnabled())
            result << QStringLiteral("button%1").arg(n);
    }
    result.sort();
    return result;
}

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

const QStringList StartupEnabled =
    sorted({"new", "open", "exit", "search", "nproject", "lproject", "addtools", "fontcol", "Font",
            "aboutvd", "button1", "button2"});
const QStringList DocumentEnabled =
    sorted(StartupEnabled + QStringList{"saveas", "Cut", "Copy", "paste", "sbrowser", "runp",
                                        "compileprog", "button3", "button5", "button6", "button7",
                                        "button8", "button10"});

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void menusAndToolbar();
    void startupState();
    void availabilityFollowsDocuments_data();
    void availabilityFollowsDocuments();
    void saveFollowsTheActiveWindow();
    void toolbarSaveChoosesSaveAsForUntitled();
    void aboutBox();
    void disabledMainWindowIgnoresInput();
    void treeKeepsHeightBelowThreshold();
    void exitSavesEachChangedWindowToItsOwnPath();
    void exitStoppedByCancelKeepsEverythingOpen();
    void exitWithFailedSaveStops();
};

// The whole menu bar and toolbar as the user meets them after start-up, one line per item:
// menu, control name, caption, shortcut; toolbar key and tool tip.
void MainWindowTest::menusAndToolbar() {
    MainFixture f;
    Main& main = f.start();
    QStringList menus;
    for (QAction* top : main.menuBar()->actions()) {
        menus << top->menu()->objectName() + QLatin1Char('=') + top->text();
        for (QAction* item : top->menu()->actions()) {
            menus << QStringLiteral("  %1|%2|%3")
                         .arg(item->objectName(),
                              item->isSeparator() ? QStringLiteral("-") : item->text(),
                              item->shortcut().toString());
        }
    }
    const QStringList expected = {"File=&File",
                                  "  new|&New|",
                                  "  open|&Open|",
                                  "  save|&Save|Ctrl+S",
                                  "  saveas|Save &As...|",
                                  "  bar|-|",
                                  "  exit|E&xit|",
                                  "editmenu=&Edit",
                                  "  Cut|Cu&t|Ctrl+X",
                                  "  Copy|&Copy|Ctrl+C",
                                  "  paste|&Paste|",
                                  "  searchagain|Search &again|F3",
                                  "  search|&Search...|",
                                  "  bar2|-|",
                                  "  sbrowser|Subs &Browser|F2",
                                  "Project=&Project",
                                  "  nproject|&Create|",
                                  "  lproject|&Load|",
                                  "  sproject|&Save|",
                                  "  saveasproj|Save &as...|",
                                  "  cproject|Cl&ose|",
                                  "  bar4|-|",
                                  "  addasm|Add Asse&mbly File|",
                                  "  addbas|Add &Drell file(bas)|",
                                  "  delfile|D&el Selected File|",
                                  "  bar5|-|",
                                  "  poptions|O&ptions...|",
                                  "run=&Run",
                                  "  runp|&Run Program|F5",
                                  "  compileprog|&Compile Program|",
                                  "toolsm=&Tools",
                                  "  tool|No tool|Ctrl+F1",
                                  "  tool|No tool|Ctrl+F2",
                                  "  tool|No tool|Ctrl+F3",
                                  "  tool|No tool|Ctrl+F4",
                                  "  tool|No tool|Ctrl+F5",
                                  "  bar7|-|",
                                  "  addtools|&Customize tools|",
                                  "options=&Options",
                                  "  fontcol|&Background color|",
                                  "  Font|&Font...|",
                                  "about=&About",
                                  "  aboutvd|&About...|"};
    QCOMPARE(menus, expected);

    QStringList buttons;
    for (int n = 1; n <= 10; ++n) {
        QAction* button = main.toolbarButton(n);
        QCOMPARE(main.Toolbar1->actions().indexOf(button), n - 1);
        if (button->isSeparator()) {
            buttons << QStringLiteral("-");
            continue;
        }
        auto* widget = qobject_cast<QToolButton*>(main.Toolbar1->widgetForAction(button));
        QVERIFY(!button->icon().isNull());
        QVERIFY2(widget->autoRaise(), "toolbar buttons are drawn flat");
        QCOMPARE(widget->accessibleName(), button->toolTip());
        buttons << button->property("key").toString() + QLatin1Char('|') + button->toolTip();
    }
    QCOMPARE(buttons,
             QStringList({"New|New Program", "Open|Open File", "Save|Save File", "-",
                          "Cut|Cut Selected Text", "Copy|Copy selected text",
                          "Paste|Put text from Clipboard", "Search|Search...", "-", "Run|Run"}));
    // Each image has a twice-as-large copy for screens at scale 2.
    for (int n = 1; n <= ImageList::Count; ++n)
        QCOMPARE(main.ImageList1().image(n).availableSizes(),
                 QList<QSize>({QSize(16, 16), QSize(32, 32)}));
}

void MainWindowTest::startupState() {
    MainFixture f;
    Main& main = f.start();
    QCOMPARE(enabledCommands(main), StartupEnabled);
    QCOMPARE(main.windowTitle(), QStringLiteral("Veldra Studio [No Project]"));
    QCOMPARE(main.TreeView1->topLevelItemCount(), 1);
    QTreeWidgetItem* node = main.TreeView1->topLevelItem(0);
    QCOMPARE(node->text(0), QStringLiteral("Only available in Projects"));
    QCOMPARE(node->data(0, Qt::UserRole).toString(), QStringLiteral("disabled"));
    QVERIFY(main.mdiArea()->subWindowList().isEmpty());
    QCOMPARE(std::get<double>(main.project().MaxObjects), 100.0);
    QCOMPARE(std::get<double>(main.project().TempStringSize), 64000.0);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

// Steps: N = New, O = Open a file, C = close the active window (answering No when asked).
void MainWindowTest::availabilityFollowsDocuments_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("new") << "N" << DocumentEnabled;
    QTest::newRow("open") << "O" << sorted(DocumentEnabled + QStringList{"save"});
    QTest::newRow("new, close") << "NC" << StartupEnabled;
    QTest::newRow("open two, close one") << "OOC" << sorted(DocumentEnabled + QStringList{"save"});
    QTest::newRow("open, new") << "ON" << DocumentEnabled;
    QTest::newRow("new, open, close both") << "NOCC" << StartupEnabled;
}

void MainWindowTest::availabilityFollowsDocuments() {
    QFETCH(QString, steps);
    QFETCH(QStringList, expected);
    MainFixture f;
    Main& main = f.start();
    const QString file = f.writeDoc(QStringLiteral("a.bas"), "PRINT 1");
    for (QChar step : steps) {
        if (step == QLatin1Char('N')) {
            main.action(QStringLiteral("new"))->trigger();
        } else if (step == QLatin1Char('O')) {
            f.dialog.answerFile(file);
            main.action(QStringLiteral("open"))->trigger();
        } else {
            Editor* window = f.active();
            QVERIFY(window != nullptr);
            if (main.documents().DocChanged[window->slot()] == -1)
                f.messages.answer(MsgAnswer::No);
            QVERIFY(window->close());
        }
    }
    QCOMPARE(enabledCommands(main), expected);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void MainWindowTest::saveFollowsTheActiveWindow() {
    MainFixture f;
    Main& main = f.start();
    const QString file = f.writeDoc(QStringLiteral("Untitled.bas"), "x");
    f.dialog.answerFile(file);
    main.open_Click();
    Editor* titled = f.active();
    main.new_Click();
    Editor* untitled = f.active();
    QAction* save = main.action(QStringLiteral("save"));
    QVERIFY(!save->isEnabled());
    main.mdiArea()->setActiveSubWindow(titled);
    QVERIFY2(save->isEnabled(), "a path ending in Untitled.bas is not untitled");
    main.mdiArea()->setActiveSubWindow(untitled);
    QVERIFY(!save->isEnabled());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void MainWindowTest::toolbarSaveChoosesSaveAsForUntitled() {
    MainFixture f;
    Main& main = f.start();
    main.new_Click();
    const QString target = f.docPath(QStringLiteral("first.bas"));
    f.dialog.answerFile(target);
    main.toolbarButton(3)->trigger();
    QCOMPARE(f.dialog.calls.size(), 1);
    QCOMPARE(f.dialog.calls[0].kind, QStringLiteral("save"));
    QCOMPARE(f.active()->windowTitle(), target);
    QVERIFY2(main.action(QStringLiteral("save"))->isEnabled(), "a saved window can be saved");

    // Now titled: the same button writes without a dialog.
    f.active()->Text1->setWholeText(QStringLiteral("changed"));
    main.toolbarButton(3)->trigger();
    QCOMPARE(f.dialog.calls.size(), 1);
    QCOMPARE(MainFixture::readFile(target), QByteArray("changed\r\n"));
    QCOMPARE(main.documents().DocChanged[f.active()->slot()], qint16(0));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void MainWindowTest::aboutBox() {
    MainFixture f;
    Main& main = f.start();
    main.action(QStringLiteral("aboutvd"))->trigger();
    QCOMPARE(f.messages.calls.size(), 1);
    const MessageCall& box = f.messages.calls[0];
    QCOMPARE(box.title, QStringLiteral("About..."));
    const QStringList lines = box.text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0], QStringLiteral("Veldra Studio"));
    QVERIFY(lines[1].startsWith(QStringLiteral("The Veldra Studio authors")));
    QVERIFY(lines[1].contains(QRegularExpression(QStringLiteral("\\b20\\d\\d\\b"))));
    QCOMPARE(lines[2], QString());
    QCOMPARE(lines[3], QStringLiteral("Homepage:"));
    QCOMPARE(lines[4], QStringLiteral(VELDRA_HOMEPAGE_URL));
    QCOMPARE(box.icon, MsgIcon::Information);
    QCOMPARE(box.buttons, MsgButtons::Ok);
}

void MainWindowTest::disabledMainWindowIgnoresInput() {
    MainFixture f;
    Main& main = f.start();
    const QString path = f.writeDoc(QStringLiteral("keys.bas"), "old");
    f.dialog.answerFile(path);
    main.open_Click();
    Editor* window = f.active();
    main.activateWindow();
    window->Text1->setFocus();

    // Enabled, Ctrl+S reaches the save command: the keys below are really delivered.
    window->Text1->setWholeText(QStringLiteral("first"));
    QTest::keyClick(window->Text1, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(MainFixture::readFile(path), QByteArray("first\r\n"));

    // A stand-in for a dialog that disables the main window while it is up.
    QDialog dialog(&main);
    auto* field = new QLineEdit(&dialog);
    dialog.show();
    main.setInputEnabled(false);
    QVERIFY(dialog.isEnabled());
    QVERIFY(field->isEnabled());
    QTest::keyClicks(field, QStringLiteral("abc"));
    QCOMPARE(field->text(), QStringLiteral("abc"));

    // Ctrl+S, a toolbar click and typing into the editor all do nothing.
    window->Text1->setWholeText(QStringLiteral("second"));
    main.activateWindow();
    QTest::keyClick(&main, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(window->Text1, Qt::Key_S, Qt::ControlModifier);
    QTest::mouseClick(main.Toolbar1->widgetForAction(main.toolbarButton(1)), Qt::LeftButton);
    QTest::keyClicks(window->Text1, QStringLiteral("typed"));
    QCOMPARE(MainFixture::readFile(path), QByteArray("first\r\n"));
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
    QCOMPARE(window->Text1->wholeText(), QStringLiteral("second"));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void MainWindowTest::treeKeepsHeightBelowThreshold() {
    MainFixture f;
    Main& main = f.start();
    main.resize(600, 500);
    QTest::qWait(0);
    const int tall = main.TreeView1->height();
    QVERIFY(tall > 0);
    const int margin = main.frameGeometry().height() - tall;
    main.resize(600, 400);
    QCOMPARE(main.frameGeometry().height() - main.TreeView1->height(), margin);
    QVERIFY(main.Toolbar1->width() < main.frameGeometry().width());
    // Minimising and restoring changes nothing.
    const int before = main.TreeView1->height();
    main.showMinimized();
    main.showNormal();
    QCOMPARE(main.TreeView1->height(), before);

    // The pane starts at the design width; widened by its splitter, the tree follows.
    QCOMPARE(main.TreeView1->width(), twipsToPixelsX(1590));
    auto* splitter = main.findChild<QSplitter*>(QStringLiteral("TreeSplitter"));
    splitter->setSizes({twipsToPixelsX(1695) + 100, 300});
    QCOMPARE(main.TreeView1->width(), twipsToPixelsX(1590) + 100);
    QCOMPARE(main.TreeView1->height(), before);
}

void MainWindowTest::exitSavesEachChangedWindowToItsOwnPath() {
    MainFixture f;
    Main& main = f.start();
    const QString pathA = f.writeDoc(QStringLiteral("a.bas"), "A");
    const QString pathB = f.writeDoc(QStringLiteral("b.bas"), "B");
    f.dialog.answerFile(pathB);
    main.open_Click();
    f.active()->Text1->setWholeText(QStringLiteral("text of B"));
    f.dialog.answerFile(pathA);
    main.open_Click();
    f.active()->Text1->setWholeText(QStringLiteral("text of A"));

    f.messages.answer(MsgAnswer::Yes);
    f.messages.answer(MsgAnswer::Yes);
    main.action(QStringLiteral("exit"))->trigger();
    QVERIFY(!main.isVisible());
    QCOMPARE(f.messages.calls.size(), 2);
    QStringList titles;
    for (const MessageCall& call : f.messages.calls) {
        titles << call.title;
        QCOMPARE(call.text, QStringLiteral("File has not been saved\r\nSave changes ?"));
        QCOMPARE(call.icon, MsgIcon::Exclamation);
        QCOMPARE(call.buttons, MsgButtons::YesNoCancel);
    }
    titles.sort();
    QCOMPARE(titles, QStringList({pathA, pathB}));
    QCOMPARE(MainFixture::readFile(pathA), QByteArray("text of A\r\n"));
    QCOMPARE(MainFixture::readFile(pathB), QByteArray("text of B\r\n"));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void MainWindowTest::exitStoppedByCancelKeepsEverythingOpen() {
    MainFixture f;
    Main& main = f.start();
    main.new_Click();
    main.new_Click();
    f.messages.answer(MsgAnswer::No);
    f.messages.answer(MsgAnswer::Cancel);
    QVERIFY(!main.close());
    QVERIFY(main.isVisible());
    QCOMPARE(main.mdiArea()->subWindowList().size(), 2);
    QCOMPARE(main.documents().DocInUse[0], qint16(1));
    QCOMPARE(main.documents().DocInUse[1], qint16(1));
    // Answered No before the Cancel: still changed, asked again next time.
    QCOMPARE(main.documents().DocChanged[0], qint16(-1));
    QVERIFY(!QFile::exists(f.appFolder() + QStringLiteral("/veldstudio.ini")));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void MainWindowTest::exitWithFailedSaveStops() {
    MainFixture f;
    Main& main = f.start();
    main.new_Click();
    // Yes, then the Save As dialog is cancelled: the shut-down stops like Cancel.
    f.messages.answer(MsgAnswer::Yes);
    f.dialog.cancel();
    QVERIFY(!main.close());
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
