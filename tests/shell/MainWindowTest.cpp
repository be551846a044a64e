// The main window: menus, toolbar, command availability, dispatch, layout, About and shut-down.

#include "WindowTest.h"

#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "navigation/SearchBox.h"
#include "projects/Addfile.h"
#include "shell/Main.h"
#include "ui/ImageList.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
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

// The enabled menu items, then the enabled toolbar buttons' numbers.
const QString StartupEnabled =
    QStringLiteral("new open exit search nproject lproject addtools fontcol Font aboutvd 1 2");
const QString DocumentEnabled =
    QStringLiteral("new open saveas exit Cut Copy paste search sbrowser nproject lproject runp "
                   "compileprog addtools fontcol Font aboutvd 1 2 3 5 6 7 8 10");
// The dialogs that stand in for modal ones: the command, the object names of the dialog and of a
// field, the button that hides it, and whether closing it through its frame makes it afresh.
const struct {
    const char *command, *dialog, *field, *button;
    bool frameAfresh;
} StandIns[] = {{"compileprog", "Compile", "Text1", "Command2", true},
                {"poptions", "ProjectOptions", "Text1", "Command2", false},
                {"addtools", "customizetools", "Text4", "Command1", false},
                {"search", "SearchBox", "Text1", "Command2", true}};

} // namespace

class MainWindowTest : public WindowTest {
    Q_OBJECT

    // The enabled menu items and toolbar buttons in their order, for comparing whole states.
    QString enabled() {
        QStringList result;
        for (QAction* top : main().menuBar()->actions()) {
            for (QAction* item : top->menu()->actions()) {
                if (!item->isSeparator() && item->isEnabled())
                    result << item->objectName();
            }
        }
        for (int n = 1; n <= 10; ++n) {
            if (QAction* b = main().toolbarButton(n); !b->isSeparator() && b->isEnabled())
                result << QString::number(n);
        }
        return result.join(' ');
    }

private Q_SLOTS:
    // The whole menu bar and toolbar as the user meets them after start-up, one line per menu:
    // control name, caption, shortcut of each item; toolbar key and tool tip; the state; About.
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
            auto* widget = qobject_cast<QToolButton*>(main().Toolbar1->widgetForAction(button));
            // Drawn flat, with an image, and named for assistive tools by the tool tip.
            const bool drawn =
                button->isSeparator() || (widget->autoRaise() && !button->icon().isNull() &&
                                          widget->accessibleName() == button->toolTip());
            buttons << (button->isSeparator()
                            ? QStringLiteral("-")
                            : button->property("key").toString() + '|' + button->toolTip() +
                                  (drawn ? "" : "|not drawn"));
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
        trigger("aboutvd");
        QString shown = boxes().join('\n'); // one box only
        // The copyright line names a year.
        QVERIFY(shown.contains(QRegularExpression("\\b20\\d\\d\\b")));
        shown.replace(QRegularExpression("authors[^\\r]*"), "authors");
        QCOMPARE(shown, box("About...",
                            "Veldra Studio\r\nThe Veldra Studio authors\r\n\r\nHomepage:\r\n" +
                                QStringLiteral(VELDRA_HOMEPAGE_URL),
                            MsgIcon::Information, MsgButtons::Ok));
    }

    // Each step, then the enabled state it leaves: N = New, O = Open a file, C = close the active
    // window (answering No when asked), 1/2 = activate the first/second window still open.
    void availabilityFollowsDocuments() {
        const QString file = fx().writeDoc("Untitled.bas", "PRINT 1");
        const QString saveable =
            QString(DocumentEnabled).replace("open saveas", "open save saveas");
        // A path ending in "Untitled.bas" is not untitled: going back to it (1) allows Save.
        const QString steps = QStringLiteral(" NCOOCN12CC");
        const QString expected[] = {StartupEnabled,  DocumentEnabled, StartupEnabled,  saveable,
                                    saveable,        saveable,        DocumentEnabled, saveable,
                                    DocumentEnabled, saveable,        StartupEnabled};
        QString walked;
        for (int n = 0; n < steps.size(); ++n) {
            const char step = steps[n].toLatin1();
            if (step == 'N') {
                newDocument();
            } else if (step == 'O') {
                open(file);
            } else if (step == 'C') {
                if (documents().DocChanged[active()->slot()] == -1)
                    fx().messages.answer(MsgAnswer::No);
                QVERIFY(active()->close());
            } else if (step != ' ') {
                documentArea()->setActiveSubWindow(documentArea()->subWindowList()[step - '1']);
            }
            walked += step;
            QCOMPARE(walked + ": " + enabled(), walked + ": " + expected[n]);
        }
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

        // While a dialog holds the main window, the dialog takes keys; Ctrl+S, a toolbar click and
        // typing into the editor all do nothing.
        typed->setWholeText("second");
        trigger("search");
        QTest::keyClicks(searchDialog()->Text1, "abc");
        QCOMPARE(searchDialog()->Text1->text(), "abc");
        main().activateWindow();
        QTest::keyClick(&main(), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(typed, Qt::Key_S, Qt::ControlModifier);
        QTest::mouseClick(main().Toolbar1->widgetForAction(main().toolbarButton(1)),
                          Qt::LeftButton);
        QTest::keyClicks(typed, "typed");
        QCOMPARE(MainFixture::readFile(path), "first\r\n");
        QCOMPARE(documentArea()->subWindowList().size(), 1);
        QCOMPARE(typed->wholeText(), "second");
    }

    void treeKeepsHeightBelowThreshold() {
        QTreeWidget* tree = main().TreeView1;
        main().resize(600, 500);
        QTest::qWait(0);
        QVERIFY(tree->height() > 0);
        const int margin = main().frameGeometry().height() - tree->height();
        main().resize(600, 400); // the tree keeps its margin to the bottom
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
        QCOMPARE(QList({tree->width(), tree->height()}),
                 QList({twipsToPixelsX(1590) + 100, before}));
    }

    // The stand-in dialogs, left each way: the main window takes no input while one is up and has
    // it back after; hidden, a dialog comes back as it was left (the search dialog then no longer
    // holds the main window); closed through its frame, some are made afresh.
    void standInDialogExits() {
        for (const auto& [name, dialog, field, button, frameAfresh] : StandIns) {
            const QString command = QString::fromLatin1(name);
            for (const QString exit : {button, "Escape", "frame"}) {
                restart();
                const bool afresh = frameAfresh && exit == "frame";
                if (command == QLatin1String("poptions")) {
                    trigger("nproject");
                    addfileDialog()->hide();
                }
                EditorText* typed = newDocument()->Text1;
                trigger(qPrintable(command));
                QPointer<QWidget> shown = main().findChild<QWidget*>(dialog);
                QVERIFY2(shown != nullptr && shown->isVisible() && shown->isEnabled() &&
                             !main().inputEnabled(),
                         qPrintable(command + " left by " + exit));
                auto* line = shown->findChild<QLineEdit*>(field);
                line->setText("left");
                if (exit == "Escape")
                    QTest::keyClick(line, Qt::Key_Escape);
                else if (exit == "frame")
                    QVERIFY(shown->close());
                else
                    QTest::mouseClick(shown->findChild<QPushButton*>(exit), Qt::LeftButton);
                QVERIFY(!shown->isVisible() && main().inputEnabled());
                // The search dialog hands the focus back itself (the others leave it to the
                // system).
                QCoreApplication::processEvents();
                QVERIFY(command != "search" || QApplication::focusWidget() == typed);
                flushDeletes();
                QCOMPARE(shown.isNull(), afresh);
                trigger(qPrintable(command));
                QCOMPARE(main().findChild<QWidget*>(dialog)->findChild<QLineEdit*>(field)->text() ==
                             "left",
                         !afresh);
                QCOMPARE(main().inputEnabled(), command == "search" && !afresh);
                QCOMPARE(fx().problems(), QStringList());
            }
        }
    }

    // Closing with two changed windows (a file, then an untitled one), by Exit or by the close
    // box: each window is asked about once; Cancel, or a Save As that is cancelled, stops the
    // shut-down with everything open, a No before it still asked next time.
    void closing() {
        // Y, N, C answer the questions; - cancels Save As. Whether the program then closed.
        const std::pair<QString, bool> cases[] = {{"YY", true}, {"NC", false}, {"NY-", false}};
        for (const bool exit : {true, false}) {
            for (const auto& [answers, closed] : cases) {
                restart();
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
                const auto question = [](const QString& title) {
                    return box(title, "File has not been saved\r\nSave changes ?",
                               MsgIcon::Exclamation, MsgButtons::YesNoCancel);
                };
                QCOMPARE(QStringList(answers) + boxes(),
                         QStringList({answers, question(path), question("Untitled (1)")}));
                QCOMPARE(MainFixture::readFile(path), closed ? "text of A\r\n" : "A");
                QCOMPARE(QList({!main().isVisible(), QFile::exists(saved),
                                QFile::exists(fx().appFolder() + "/veldstudio.ini")}),
                         QList<bool>(3, closed));
                QVERIFY(closed || (documentArea()->subWindowList().size() == 2 &&
                                   documents().DocChanged[0] == -1));
                QCOMPARE(fx().problems(), QStringList());
            }
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
