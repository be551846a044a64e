// The main window: menus, toolbar, command availability, dispatch, layout, About and shut-down.

#include "WindowTest.h"

#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "projects/Addfile.h"
#include "shell/Main.h"
#include "ui/ImageList.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {

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
const QString SaveQuestion = QStringLiteral("File has not been saved\r\nSave changes ?");

} // namespace

class MainWindowTest : public WindowTest {
    Q_OBJECT

    // The enabled items and buttons as one sorted list, for comparing whole states.
    QStringList enabled() {
        QStringList result;
        for (const char* name :
             {"new",      "open",     "save",        "saveas",      "exit",     "Cut",
              "Copy",     "paste",    "searchagain", "search",      "sbrowser", "nproject",
              "lproject", "sproject", "saveasproj",  "cproject",    "addasm",   "addbas",
              "delfile",  "poptions", "runp",        "compileprog", "addtools", "fontcol",
              "Font",     "aboutvd"}) {
            if (main().action(name)->isEnabled())
                result << name;
        }
        for (int n = 1; n <= 10; ++n) {
            if (n <= 5 && main().tool(n)->isEnabled())
                result << QStringLiteral("tool%1").arg(n);
            if (QAction* b = main().toolbarButton(n); !b->isSeparator() && b->isEnabled())
                result << QStringLiteral("button%1").arg(n);
        }
        return sorted(result);
    }

private Q_SLOTS:
    // The whole menu bar and toolbar as the user meets them after start-up, one line per menu:
    // control name, caption, shortcut of each item; toolbar key and tool tip; the state.
    void menusAndToolbar() {
        QStringList menus;
        for (QAction* top : main().menuBar()->actions()) {
            QString line = top->menu()->objectName() + '=' + top->text() + ':';
            for (QAction* item : top->menu()->actions())
                line += QStringLiteral(" %1|%2|%3")
                            .arg(item->objectName(), item->isSeparator() ? "-" : item->text(),
                                 item->shortcut().toString());
            menus << line;
        }
        QCOMPARE(
            menus,
            QStringList(
                {"File=&File: new|&New| open|&Open| save|&Save|Ctrl+S saveas|Save &As...| bar|-| "
                 "exit|E&xit|",
                 "editmenu=&Edit: Cut|Cu&t|Ctrl+X Copy|&Copy|Ctrl+C paste|&Paste| "
                 "searchagain|Search &again|F3 search|&Search...| bar2|-| sbrowser|Subs "
                 "&Browser|F2",
                 "Project=&Project: nproject|&Create| lproject|&Load| sproject|&Save| "
                 "saveasproj|Save &as...| cproject|Cl&ose| bar4|-| addasm|Add Asse&mbly File| "
                 "addbas|Add &Drell file(bas)| delfile|D&el Selected File| bar5|-| "
                 "poptions|O&ptions...|",
                 "run=&Run: runp|&Run Program|F5 compileprog|&Compile Program|",
                 "toolsm=&Tools: tool|No tool|Ctrl+F1 tool|No tool|Ctrl+F2 tool|No tool|Ctrl+F3 "
                 "tool|No tool|Ctrl+F4 tool|No tool|Ctrl+F5 bar7|-| addtools|&Customize tools|",
                 "options=&Options: fontcol|&Background color| Font|&Font...|",
                 "about=&About: aboutvd|&About...|"}));
        QStringList buttons;
        for (int n = 1; n <= 10; ++n) {
            QAction* button = main().toolbarButton(n);
            if (button->isSeparator()) {
                buttons << "-";
                continue;
            }
            auto* widget = qobject_cast<QToolButton*>(main().Toolbar1->widgetForAction(button));
            QVERIFY(!button->icon().isNull());
            QVERIFY2(widget->autoRaise(), "toolbar buttons are drawn flat");
            QCOMPARE(widget->accessibleName(), button->toolTip());
            buttons << button->property("key").toString() + '|' + button->toolTip();
        }
        QCOMPARE(buttons, QStringList({"New|New Program", "Open|Open File", "Save|Save File", "-",
                                       "Cut|Cut Selected Text", "Copy|Copy selected text",
                                       "Paste|Put text from Clipboard", "Search|Search...", "-",
                                       "Run|Run"}));
        // Each image has a twice-as-large copy for screens at scale 2.
        for (int n = 1; n <= ImageList::Count; ++n)
            QCOMPARE(main().ImageList1().image(n).availableSizes(),
                     QList<QSize>({QSize(16, 16), QSize(32, 32)}));
        QCOMPARE(main().windowTitle(), "Veldra Studio [No Project]");
        QCOMPARE(tree(), QStringList{"disabled=Only available in Projects@10"});
    }

    // Steps: N = New, O = Open a file, C = close the active window (answering No when asked),
    // 1/2 = activate the first/second window.
    void availabilityFollowsDocuments_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("expected");
        const QStringList saveable = sorted(DocumentEnabled + QStringList{"save"});
        QTest::newRow("start") << "" << StartupEnabled;
        QTest::newRow("new") << "N" << DocumentEnabled;
        QTest::newRow("open") << "O" << saveable;
        QTest::newRow("new, close") << "NC" << StartupEnabled;
        QTest::newRow("open two, close one") << "OOC" << saveable;
        QTest::newRow("open, new") << "ON" << DocumentEnabled;
        // A path ending in "Untitled.bas" is not untitled.
        QTest::newRow("open, new, back to the file") << "ON1" << saveable;
        QTest::newRow("open, new, file, new one") << "ON12" << DocumentEnabled;
        QTest::newRow("new, open, close both") << "NOCC" << StartupEnabled;
    }
    void availabilityFollowsDocuments() {
        QFETCH(QString, steps);
        QFETCH(QStringList, expected);
        const QString file = fx().writeDoc("Untitled.bas", "PRINT 1");
        QList<Editor*> windows;
        for (QChar step : steps) {
            if (step == 'N') {
                windows << newDocument();
            } else if (step == 'O') {
                windows << open(file);
            } else if (step == 'C') {
                if (documents().DocChanged[active()->slot()] == -1)
                    fx().messages.answer(MsgAnswer::No);
                QVERIFY(active()->close());
            } else {
                main().mdiArea()->setActiveSubWindow(windows[step.digitValue() - 1]);
            }
        }
        QCOMPARE(enabled(), expected);
    }

    void toolbarSaveChoosesSaveAsForUntitled() {
        newDocument();
        const QString target = fx().docPath("first.bas");
        fx().dialog.answerFile(target);
        main().toolbarButton(3)->trigger();
        QCOMPARE(active()->windowTitle(), target);
        // Now titled: the same button writes without a dialog.
        text()->setWholeText("changed");
        main().toolbarButton(3)->trigger();
        QCOMPARE(fx().dialog.calls.size(), 1);
        QCOMPARE(MainFixture::readFile(target), "changed\r\n");
    }

    void aboutBox() {
        trigger("aboutvd");
        QCOMPARE(boxes().size(), 1);
        QString shown = boxes()[0];
        // The copyright line names a year.
        QVERIFY(shown.contains(QRegularExpression("\\b20\\d\\d\\b")));
        shown.replace(QRegularExpression("authors[^\\r]*"), "authors");
        QCOMPARE(shown, box("About...",
                            "Veldra Studio\r\nThe Veldra Studio authors\r\n\r\nHomepage:\r\n" +
                                QStringLiteral(VELDRA_HOMEPAGE_URL),
                            MsgIcon::Information, MsgButtons::Ok));
    }

    void disabledMainWindowIgnoresInput() {
        const QString path = fx().writeDoc("keys.bas", "old");
        EditorText* typed = open(path)->Text1;
        main().activateWindow();
        typed->setFocus();
        // Enabled, Ctrl+S reaches the save command: the keys below are really delivered.
        typed->setWholeText("first");
        QTest::keyClick(typed, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(MainFixture::readFile(path), "first\r\n");

        // A stand-in for a dialog that disables the main window while it is up.
        QDialog dialog(&main());
        auto* field = new QLineEdit(&dialog);
        dialog.show();
        main().setInputEnabled(false);
        QVERIFY(dialog.isEnabled() && field->isEnabled());
        QTest::keyClicks(field, "abc");
        QCOMPARE(field->text(), "abc");

        // Ctrl+S, a toolbar click and typing into the editor all do nothing.
        typed->setWholeText("second");
        main().activateWindow();
        QTest::keyClick(&main(), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(typed, Qt::Key_S, Qt::ControlModifier);
        QTest::mouseClick(main().Toolbar1->widgetForAction(main().toolbarButton(1)),
                          Qt::LeftButton);
        QTest::keyClicks(typed, "typed");
        QCOMPARE(MainFixture::readFile(path), "first\r\n");
        QCOMPARE(main().mdiArea()->subWindowList().size(), 1);
        QCOMPARE(typed->wholeText(), "second");
    }

    void treeKeepsHeightBelowThreshold() {
        QTreeWidget* tree = main().TreeView1;
        main().resize(600, 500);
        QTest::qWait(0);
        QVERIFY(tree->height() > 0);
        const int margin = main().frameGeometry().height() - tree->height();
        main().resize(600, 400);
        QCOMPARE(main().frameGeometry().height() - tree->height(), margin);
        QVERIFY(main().Toolbar1->width() < main().frameGeometry().width());
        // Minimising and restoring changes nothing.
        const int before = tree->height();
        main().showMinimized();
        main().showNormal();
        QCOMPARE(tree->height(), before);
        // An inch is 1440 twips. The pane starts at the design width; widened by its splitter,
        // the tree follows.
        QCOMPARE(twipsToPixelsX(1440), main().logicalDpiX());
        QCOMPARE(tree->width(), twipsToPixelsX(1590));
        main().findChild<QSplitter*>("TreeSplitter")->setSizes({twipsToPixelsX(1695) + 100, 300});
        QCOMPARE(tree->width(), twipsToPixelsX(1590) + 100);
        QCOMPARE(tree->height(), before);
    }

    // The dialogs that stand in for modal ones, left each way: the main window takes no input
    // while one is up and has it back after; hidden, a
    // dialog comes back as it was left (the search dialog then no longer holds the main window);
    // closed through its frame, the Create Exe and search dialogs are made afresh.
    void standInDialogExits_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("exit"); // a button's reference name, "Escape" or "frame"
        QTest::addColumn<bool>("afresh");
        const struct {
            const char *command, *dialog, *field, *button;
            bool frameAfresh;
        } dialogs[] = {{"compileprog", "Compile", "Text1", "Command2", true},
                       {"poptions", "ProjectOptions", "Text1", "Command2", false},
                       {"addtools", "customizetools", "Text4", "Command1", false},
                       {"search", "SearchBox", "Text1", "Command2", true}};
        for (const auto& d : dialogs) {
            for (const QString exit : {d.button, "Escape", "frame"})
                QTest::addRow("%s, %s", d.dialog, qPrintable(exit))
                    << d.command << d.dialog << d.field << exit
                    << (d.frameAfresh && exit == "frame");
        }
    }
    void standInDialogExits() {
        QFETCH(QString, command);
        QFETCH(QString, dialog);
        QFETCH(QString, field);
        QFETCH(QString, exit);
        QFETCH(bool, afresh);
        if (command == "poptions") {
            trigger("nproject");
            addfileDialog()->hide();
        }
        EditorText* typed = newDocument()->Text1;
        trigger(qPrintable(command));
        QPointer<QWidget> shown = main().findChild<QWidget*>(dialog);
        QVERIFY(shown != nullptr && shown->isVisible() && shown->isEnabled());
        QVERIFY(!main().inputEnabled());
        auto* line = shown->findChild<QLineEdit*>(field);
        line->setText("left");
        if (exit == "Escape")
            QTest::keyClick(line, Qt::Key_Escape);
        else if (exit == "frame")
            QVERIFY(shown->close());
        else
            QTest::mouseClick(shown->findChild<QPushButton*>(exit), Qt::LeftButton);
        QVERIFY(!shown->isVisible() && main().inputEnabled());
        // The search dialog hands the focus back itself (the others rely on the window system).
        QCoreApplication::processEvents();
        QVERIFY(command != "search" || QApplication::focusWidget() == typed);
        flushDeletes();
        QCOMPARE(shown.isNull(), afresh);
        trigger(qPrintable(command));
        QCOMPARE(main().findChild<QWidget*>(dialog)->findChild<QLineEdit*>(field)->text() == "left",
                 !afresh);
        QCOMPARE(main().inputEnabled(), command == "search" && !afresh);
    }

    // Closing with two changed windows (a file, then an untitled one), by Exit or by the close
    // box: each window is asked about once; Cancel, or a Save As that is cancelled, stops the
    // shut-down with everything open, a No before it still asked next time.
    void closing_data() {
        QTest::addColumn<bool>("exit");
        QTest::addColumn<QString>("answers"); // Y, N, C to the questions; - cancels Save As
        QTest::addColumn<bool>("closed");
        for (const bool exit : {true, false}) {
            const char* by = exit ? "exit" : "close box";
            QTest::addRow("%s, yes and yes", by) << exit << "YY" << true;
            QTest::addRow("%s, no and cancel", by) << exit << "NC" << false;
            QTest::addRow("%s, yes, save as cancelled", by) << exit << "NY-" << false;
        }
    }
    void closing() {
        QFETCH(bool, exit);
        QFETCH(QString, answers);
        QFETCH(bool, closed);
        const QString path = fx().writeDoc("a.bas", "A");
        open(path)->Text1->setWholeText("text of A");
        newDocument()->Text1->setWholeText("untitled");
        const QString saved = fx().docPath("b.bas");
        for (QChar answer : answers) {
            if (answer == '-')
                fx().dialog.cancel();
            else
                fx().messages.answer(answer == 'Y'   ? MsgAnswer::Yes
                                     : answer == 'N' ? MsgAnswer::No
                                                     : MsgAnswer::Cancel);
        }
        if (closed)
            fx().dialog.answerFile(saved);
        if (exit)
            trigger("exit");
        else
            QCOMPARE(main().close(), closed);
        QCOMPARE(!main().isVisible(), closed);
        const auto question = [](const QString& title) {
            return box(title, SaveQuestion, MsgIcon::Exclamation, MsgButtons::YesNoCancel);
        };
        QCOMPARE(boxes(), QStringList({question(path), question("Untitled (1)")}));
        QCOMPARE(MainFixture::readFile(path), answers[0] == 'Y' ? "text of A\r\n" : "A");
        QCOMPARE(QFile::exists(saved), closed);
        QCOMPARE(QFile::exists(fx().appFolder() + "/veldstudio.ini"), closed);
        if (!closed) {
            QCOMPARE(main().mdiArea()->subWindowList().size(), 2);
            QCOMPARE(documents().DocChanged[0], qint16(answers[0] == 'Y' ? 0 : -1));
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
