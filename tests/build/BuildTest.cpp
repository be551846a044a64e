// Run and Create Exe driving a stand-in compiler driver as a real process, the error report and
// Goto Line.

#include "WindowTest.h"

#include "build/Compile.h"
#include "build/ConsolePane.h"
#include "build/ShowErrors.h"
#include "build/TerminalScreen.h"
#include "build/TerminalView.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "projects/ProjectState.h"
#include "shell/Main.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMdiArea>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest/qtestspontaneevent.h>

namespace {

const QString Untitled1 = QStringLiteral("Untitled (1)");

// The stand-in compiler driver. It appends its working folder and its arguments (tab-separated)
// to stub-calls.txt in its own folder, copies the file its second argument names (relative to
// that folder) to stub-source.bin, writes the absolute *.exe its third argument names, and obeys
// marker files there: stub-wait (hold until stub-release), stub-crash (end by a signal),
// stub-errlog (becomes errfound.log), stub-leavelog (the log stays); else it empties the log.
const QByteArray StubDriver = R"sh(#!/bin/sh
w=$(pwd -P)
cd "$(dirname "$0")" || exit 2
{ printf %s "$w"; printf '\t%s' "$@"; echo; } >>stub-calls.txt
[ -f "$2" ] && cp "$2" stub-source.bin
i=0
while [ -e stub-wait ] && [ ! -e stub-release ] && [ $((i += 1)) -lt 12000 ]; do sleep 0.01; done
[ -e stub-crash ] && kill -TERM $$
case $3 in /*.exe) echo stub executable >"$3" ;; esac
if [ -e stub-errlog ]; then cp stub-errlog errfound.log
elif [ ! -e stub-leavelog ]; then : >errfound.log; fi
)sh";

} // namespace

class BuildTest : public WindowTest {
    Q_OBJECT

    QString app() { return fx().appFolder(); }
    QString at(const QString& name) { return app() + u'/' + name; }
    bool exists(const QString& name) { return QFileInfo::exists(at(name)); }
    void put(const QString& name, const QByteArray& bytes = {}, bool program = false) {
        QFile file(name.startsWith(u'/') ? name : at(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        QVERIFY(!program || file.setPermissions(file.permissions() | QFile::ExeOwner));
    }
    void install(const QString& path = "make") { put(path, StubDriver, true); }
    // Each call: working folder, then the arguments.
    QList<QStringList> calls(const QString& folder = {}) {
        QList<QStringList> result;
        const QString path = (folder.isEmpty() ? app() : folder) + "/stub-calls.txt";
        for (const QString& line : QString(MainFixture::readFile(path)).split(u'\n'))
            if (line.contains(u'\t'))
                result << line.split(u'\t');
        return result;
    }
    QByteArray source() { return MainFixture::readFile(at("stub-source.bin")); }

    // Run, or Create Exe from its dialog with `exe` as the name.
    void build(bool createExe, const QString& exe = {}) {
        if (!createExe)
            return trigger("runp");
        trigger("compileprog");
        compileDialog()->Text1->setText(exe);
        compileDialog()->Command3->click();
    }
    ShowErrors* report(const QByteArray& log) {
        put("stub-errlog", log);
        trigger("runp");
        return errorDialog();
    }
    QStringList values() {
        return {errorDialog()->Label8->text(), errorDialog()->Label4->text(),
                errorDialog()->Label5->text()};
    }
    // Loads a project whose one member (hidden by its close box) holds `text`; returns its path.
    QString loadProjectWith(const QByteArray& text) {
        const QString member = fx().writeDoc("main.bas", text);
        loadProject(fx().writeDoc("game.vdp", "Veldra Studio Project File\r\n 100 \r\n 64000 \r\n"
                                              "[Basic Files]\r\n" +
                                                  member.toUtf8() + "\r\n[Assembly Files]\r\n"));
        editor(0)->close();
        return member;
    }

private Q_SLOTS:
    // The compiler gets the window's text with CR LF line ends in the document's encoding; the
    // document is neither saved nor marked, and both temporary files go.
    void runBuildsTheWindowText_data() {
        QTest::addColumn<QByteArray>("file"); // empty: an untitled window
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("untitled") << QByteArray() << "PRINT 1" << QByteArray("PRINT 1\r\n");
        QTest::newRow("LF file") << QByteArray("PRINT 3\nEND\n") << ""
                                 << QByteArray("PRINT 3\r\nEND\r\n\r\n");
        QTest::newRow("unsaved edits") << QByteArray("PRINT 2") << "PRINT \"\xc3\xa9\"\nEND"
                                       << QByteArray("PRINT \"\xc3\xa9\"\r\nEND\r\n");
        QTest::newRow("windows-1252 file")
            << QByteArray("PRINT \"\xe9\"") << "" << QByteArray("PRINT \"\xe9\"\r\n");
    }
    void runBuildsTheWindowText() {
        QFETCH(QByteArray, file);
        QFETCH(QString, typed);
        QFETCH(QByteArray, sent);
        install();
        const QString path = fx().docPath("game.bas");
        Editor* window = file.isEmpty() ? newDocument() : open(fx().writeDoc("game.bas", file));
        if (!typed.isEmpty())
            window->Text1->setWholeText(typed);
        const qint16 changed = documents().DocChanged[window->slot()];
        trigger("runp");
        const QString folder = file.isEmpty() ? app() : QFileInfo(path).path();
        QCOMPARE(calls(), QList<QStringList>({{QDir::currentPath(), "-normal", "vd~tmp.bas",
                                               app() + "/vd~tmp.exe", app(), "-run", folder}}));
        QCOMPARE(source(), sent);
        QVERIFY(!exists("vd~tmp.bas") && !exists("vd~tmp.exe") && errorDialog() == nullptr);
        QCOMPARE(MainFixture::readFile(path), file.isEmpty() ? "<missing>" : file);
        QCOMPARE(documents().DocChanged[window->slot()], changed);
        QCOMPARE(boxes(), QStringList());
    }

    // A driver shipped outside a per-user application folder is used; blanks in either path
    // split neither the driver nor anything but the folder's own words, and a link planted as
    // the temporary source is replaced, not written through.
    void hostileApplicationFolder() {
        restart("my app");
        const QTemporaryDir shipped(QDir::tempPath() + "/my driver-XXXXXX");
        install(fx().driver = shipped.filePath("make"));
        const QString victim = fx().writeDoc("victim", "keep");
        QVERIFY(QFile::link(victim, at("vd~tmp.bas")));
        newDocument()->Text1->setWholeText("PRINT 1");
        trigger("runp");
        const qsizetype blank = app().lastIndexOf(u' ');
        const QString before = app().left(blank), after = app().mid(blank + 1);
        QCOMPARE(calls(shipped.path()).value(0).mid(1),
                 QStringList({"-normal", "vd~tmp.bas", before, after + "/vd~tmp.exe", before, after,
                              "-run", before, after}));
        QCOMPARE(MainFixture::readFile(victim), "keep");
        QCOMPARE(boxes(), QStringList());
    }

    // An error is shown with the compiled window's file, never one from the log, in one reused
    // non-modal dialog (a huge message cut short, markup shown as text, each value level with a
    // caption dark enough to read); a log an earlier build left is reported again until the
    // driver empties it.
    void errorsAreReportedUntilABuildSucceeds() {
        install();
        newDocument();
        const QByteArray huge = QByteArray("Syntax error ").repeated(80000);
        ShowErrors* dialog = report("7\r\n" + huge + "\r\n/elsewhere/other.bas\r\n");
        QVERIFY(dialog->isVisible() && !dialog->isModal());
        QCOMPARE(values(), QStringList({Untitled1, "7", QString(huge.left(4096)) + u'…'}));
        // The source is gone, the executable stays as the driver left it.
        QVERIFY(!exists("vd~tmp.bas") && exists("vd~tmp.exe"));
        dialog->Command2->click();
        QVERIFY(!dialog->isVisible());

        // A saved file, run from the toolbar: every value is replaced.
        const QString path = open(fx().writeDoc("b.bas", "x"))->windowTitle();
        put("stub-errlog", "3\r\n<b>Type</b> mismatch\r\n");
        QTest::mouseClick(main().Toolbar1->widgetForAction(main().toolbarButton(10)),
                          Qt::LeftButton);
        QCOMPARE(errorDialog(), dialog);
        QVERIFY(dialog->isVisible() && dialog->Label5->textFormat() == Qt::PlainText);
        QCOMPARE(values(), QStringList({path, "3", "<b>Type</b> mismatch"}));
        const QColor back = dialog->palette().color(QPalette::Window);
        for (const auto& [name, value] : {std::pair{"Label2", dialog->Label8},
                                          {"Label3", dialog->Label4},
                                          {"Label6", dialog->Label5}}) {
            const QLabel* caption = dialog->findChild<QLabel*>(name);
            const QColor shown = caption->palette().color(QPalette::WindowText);
            QVERIFY2(contrastRatio(shown, back) >= 4.5 && value->y() == caption->y(), name);
        }
        dialog->Command2->click();

        // A driver that leaves the log alone: the old error stands.
        QFile::remove(at("stub-errlog"));
        put("stub-leavelog");
        trigger("runp");
        QCOMPARE(calls().size(), 3);
        QVERIFY(dialog->isVisible());
        QCOMPARE(values(), QStringList({path, "3", "<b>Type</b> mismatch"}));
        dialog->Command2->click();

        // The environment itself never empties the log; the driver does, on success.
        QFile::remove(at("stub-leavelog"));
        trigger("runp");
        QVERIFY(!dialog->isVisible() && !exists("vd~tmp.exe"));
        QCOMPARE(QFileInfo(at("errfound.log")).size(), 0);
        QCOMPARE(boxes(), QStringList());
    }

    // Whatever stops a build is told with the file, the system's reason and, for a driver that
    // did not start, the folder where one belongs; a build the user stopped is not told. The
    // error log is not trusted: neither success nor an error an earlier build left is reported.
    void buildsThatFailNeverSucceed_data() {
        QTest::addColumn<bool>("createExe");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("what"); // the message's first line
        QTest::addColumn<QString>("file"); // in the application folder
        const QString notStarted = "The compiler driver could not be started:";
        const QString rows[][3] = {
            {"missing driver", notStarted, "make"},
            {"driver not executable", notStarted, "make"},
            {"driver killed", "The compiler driver ended abnormally:", "make"},
            {"source not writable", "The temporary source could not be written:", "vd~tmp.bas"},
            {"log not readable", "The error log could not be read:", "errfound.log"},
            {"stopped", "", ""}};
        for (const bool createExe : {false, true}) {
            for (const auto& [failure, what, file] : rows)
                QTest::addRow("%s, %s", createExe ? "create exe" : "run", qPrintable(failure))
                    << createExe << failure << what << file;
        }
    }
    void buildsThatFailNeverSucceed() {
        QFETCH(bool, createExe);
        QFETCH(QString, failure);
        QFETCH(QString, what);
        QFETCH(QString, file);
        if (failure == "driver not executable")
            put("make", "#!/bin/sh\n");
        else if (failure != "missing driver")
            install();
        if (failure == "driver killed")
            put("stub-crash");
        if (failure == "source not writable")
            QVERIFY(QDir(app()).mkdir("vd~tmp.bas"));
        // An error from an earlier build, which the driver leaves alone.
        put("errfound.log", "1\r\nOld error\r\n");
        put("stub-leavelog");
        if (failure == "log not readable")
            QVERIFY(QFile::remove(at("errfound.log")) && QDir(app()).mkdir("errfound.log"));
        newDocument();
        if (failure == "stopped") {
            put("stub-wait");
            put("vd~tmp.exe");
            QTimer::singleShot(0, &main(), [&] {
                // The driver has started and waits for its release.
                QTRY_COMPARE_WITH_TIMEOUT(calls().size(), 1, 20000);
                QTest::mouseClick(console()->stopButton(), Qt::LeftButton);
            });
        }
        build(createExe, fx().docPath("a.exe"));

        const bool started =
            QStringList{"driver killed", "log not readable", "stopped"}.contains(failure);
        QCOMPARE(calls().size(), started ? 1 : 0);
        // A log that cannot be read is told by the error report itself.
        const QString title = failure == "log not readable" ? "Error in Program"
                              : createExe                   ? "Can't compile"
                                                            : "Can't run";
        QString expected = what + "\r\n" + at(file) + "\r\n<reason>";
        if (file == "make" && !started)
            expected += "\r\nThe application folder is " + app() + '.';
        QStringList shown = boxes();
        shown.replaceInStrings(QRegularExpression("^([^|]*\\|[^\r]*\r\n[^\r]*\r\n)[^\r|]+"),
                               "\\1<reason>");
        QCOMPARE(shown, what.isEmpty()
                            ? QStringList()
                            : QStringList{box(title, expected, MsgIcon::Critical, MsgButtons::Ok)});
        // No report, and the temporary files are cleaned up as after a failed build.
        QVERIFY(errorDialog() == nullptr || !errorDialog()->isVisible());
        QVERIFY(!QFileInfo(at("vd~tmp.bas")).isFile() && QApplication::overrideCursor() == nullptr);
        QVERIFY(!createExe || (compileDialog()->isVisible() && !main().inputEnabled()));
        if (failure == "stopped")
            QVERIFY(exists("vd~tmp.exe") == createExe && console()->isVisible() &&
                    console()
                        ->screen()
                        .text(0, console()->screen().lineCount() - 1)
                        .contains(u"[Ended: stopped]"));
    }

    // While a build runs no command runs by any route and the main window stays open: every
    // command is disabled, then gets its own state back. A dialog that is up still closes, and
    // only the console takes keys.
    void commandsWaitWhileBuilding() {
        install();
        // Tool 1 runs `true`; the settings file is read when the program starts.
        put("veldstudio.ini", "true\r\ntrue" + QByteArray(14, '\n'));
        // A project whose hidden member is the tree's current node: a double click shows it.
        loadProjectWith("PRINT 2\r\n");
        Editor* member = editor(0);
        main().TreeView1->setCurrentItem(node("Bas0"));
        EditorText* typed = newDocument()->Text1;
        typed->setWholeText("PRINT 1");
        const auto availability = [this] {
            // By action, not by position: showing the console moves its dock among the children.
            QMap<const QAction*, bool> states;
            for (const QAction* action : main().findChildren<QAction*>())
                states.insert(action, action->isEnabled());
            return states;
        };
        const QMap<const QAction*, bool> before = availability();
        QDialog held(&main()), closed(&main());
        held.show();
        closed.show();
        const auto closeBy = [](QWidget* widget) {
            QCloseEvent close;
            QSpontaneKeyEvent::setSpontaneous(&close);
            qApp->notify(widget, &close);
        };
        Qt::CursorShape cursor = Qt::ArrowCursor;
        put("stub-wait");
        // Every route in turn; each leaves its own trace when it gets through.
        QTimer::singleShot(0, &main(), [&] {
            if (QApplication::overrideCursor() != nullptr)
                cursor = QApplication::overrideCursor()->shape();
            main().action("runp")->trigger();
            QTest::keyClick(&main(), Qt::Key_F5);
            QAccessible::queryAccessibleInterface(
                main().Toolbar1->widgetForAction(main().toolbarButton(10)))
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::pressAction());
            main().tool(1)->trigger();
            emit main().TreeView1->itemDoubleClicked(main().TreeView1->currentItem(), 0);
            QTest::keyClicks(typed, "xyz");
            QTest::keyClicks(console()->view(), "typed");
            QTest::keyClick(console()->view(), Qt::Key_F5);
            closeBy(&main());
            QVERIFY(!main().close());
            closeBy(&closed);
            QVERIFY(!closed.isVisible() && held.isVisible() && !held.isEnabled());
            QVERIFY(!main().action("new")->isEnabled() && !main().tool(1)->isEnabled());
            put("stub-release");
        });
        trigger("runp");
        // One process: the build's own.
        QCOMPARE(fx().processes.calls.size(), 1);
        QVERIFY(main().isVisible() && !member->isVisible() && typed->wholeText() == "PRINT 1");
        QVERIFY(held.isVisible() && held.isEnabled());
        QCOMPARE(availability(), before);
        QVERIFY(cursor == Qt::BusyCursor && QApplication::overrideCursor() == nullptr);
        QVERIFY(console()->screen().lineText(0).startsWith(u"typed"));
        // Input is taken again afterwards.
        QTest::keyClicks(typed, "z");
        QVERIFY(typed->wholeText().contains(u'z'));
    }

    // The Create Exe dialog from opening to closing: the main window takes no input while it is
    // up; after an error the dialog stays, after success it goes.
    void createExeDialog() {
        install();
        newDocument()->Text1->setWholeText("A = 1\r\nB = \r\nPRINT A");
        trigger("compileprog");
        Compile* dialog = compileDialog();
        QVERIFY(dialog->isVisible() && dialog->isEnabled());
        QVERIFY(!dialog->isModal() && !main().inputEnabled());

        // Browse: a chosen name replaces the field, a cancelled dialog changes nothing.
        const QString exe = fx().docPath("game.exe");
        fx().dialog.answerFile(exe);
        dialog->Command1->click();
        // As the file dialog goes, the window system may hand the activation to the disabled
        // main window; the dialog takes it back, so the keyboard works again.
        const auto activeAfter = [this](QPushButton* button) {
            main().activateWindow();
            QCoreApplication::processEvents();
            button->click();
            QCoreApplication::processEvents();
            return QApplication::activeWindow();
        };
        fx().dialog.cancel();
        QCOMPARE(activeAfter(dialog->Command1), dialog);
        const QString filter = "All Files (*.*)|*.*|Executable Files (*.exe)|*.exe";
        QCOMPARE(fileDialogs(), QStringList(2, "save||" + filter + "|2|806"));
        QCOMPARE(dialog->Text1->text(), exe);

        // A compile error (Enter presses Create Exe): reported, and the dialog stays. Its line
        // number, too long to show whole, still counts whole.
        put("stub-errlog", QByteArray(5000, '0') + "2\r\nExpression expected\r\n");
        QTest::keyClick(dialog->Text1, Qt::Key_Return);
        QCOMPARE(calls(),
                 QList<QStringList>({{QDir::currentPath(), "-normal", "vd~tmp.bas", exe, app()}}));
        QCOMPARE(source(), "A = 1\r\nB = \r\nPRINT A\r\n");
        QCOMPARE(errorDialog()->Label8->text(), Untitled1);
        QVERIFY(errorDialog()->isVisible() && !exists("vd~tmp.bas"));
        // Goto Line while the main window is disabled still puts the caret on the line.
        errorDialog()->Command1->click();
        QCOMPARE(text()->selStart(), 7);
        QVERIFY(!errorDialog()->isVisible() && dialog->isVisible() && !main().inputEnabled());
        // Run does nothing while the dialog is up.
        main().action("runp")->trigger();

        // Success hides it.
        QFile::remove(at("stub-errlog"));
        dialog->Command3->click();
        QCOMPARE(calls().size(), 2);
        QVERIFY(!dialog->isVisible() && main().inputEnabled() && !exists("vd~tmp.bas"));

        // Opened again it keeps the name; with no document left nothing starts the driver.
        trigger("compileprog");
        QCOMPARE(compileDialog(), dialog);
        QCOMPARE(dialog->Text1->text(), exe);
        fx().messages.answer(MsgAnswer::No);
        QVERIFY(active()->closeFor(CloseReason::Code));
        QCOMPARE(activeAfter(dialog->Command3), dialog);
        QCOMPARE(calls().size(), 2);
        QVERIFY(!exists("vd~tmp.bas") && dialog->isVisible() && !main().inputEnabled());
        QCOMPARE(boxes().size(), 1); // the save question
    }

    // Both commands save the project and every member before the driver starts, hand it the
    // project file, and report an error with the file the log names.
    void projectIsSavedThenBuilt_data() {
        QTest::addColumn<bool>("createExe");
        QTest::addColumn<bool>("compileError");
        QTest::newRow("run") << false << false;
        QTest::newRow("run, error") << false << true;
        QTest::newRow("create exe") << true << false;
        QTest::newRow("create exe, error") << true << true;
    }
    void projectIsSavedThenBuilt() {
        QFETCH(bool, createExe);
        QFETCH(bool, compileError);
        install();
        const QString member = loadProjectWith("PRINT 1\r\n");
        const QString project = fx().docPath("game.vdp");
        Editor* window = editor(0);
        window->Text1->setWholeText("A = 1\r\nB = \r\nPRINT A");
        // The driver finds the project file as the save writes it.
        QVERIFY(QFile::remove(project));
        if (compileError)
            put("stub-errlog", "2\r\nExpression expected\r\n" + member.toUtf8() + "\r\n");
        const QString exe = fx().docPath("game.exe");
        build(createExe, exe);

        QCOMPARE(calls(),
                 QList<QStringList>({QStringList{QDir::currentPath(), "-project", project} +
                                     (createExe ? QStringList{exe, app()}
                                                : QStringList{app() + "/vd~tmp.exe", app(), "-run",
                                                              QFileInfo(project).path()})}));
        QVERIFY(source() == MainFixture::readFile(project) && source().contains(member.toUtf8()));
        QCOMPARE(MainFixture::readFile(member), "A = 1\r\nB = \r\nPRINT A\r\n");
        QVERIFY(!exists("vd~tmp.bas") && !exists("vd~tmp.exe"));
        if (createExe)
            QVERIFY(compileDialog()->isVisible() == compileError &&
                    main().inputEnabled() == !compileError);
        QCOMPARE(errorDialog() != nullptr, compileError);
        if (!compileError)
            return;
        QVERIFY(errorDialog()->isVisible() && !window->isVisible());
        QCOMPARE(values(), QStringList({member, "2", "Expression expected"}));
        // Goto Line brings the hidden member forward with the caret on the line.
        errorDialog()->Command1->click();
        QVERIFY(window->isVisible() && documentArea()->activeSubWindow() == window);
        QCOMPARE(window->Text1->selStart(), 7);
    }

    // A project that has no file yet is refused; one whose file cannot be written is not built.
    void unsavedProjectIsNotBuilt_data() {
        QTest::addColumn<bool>("createExe");
        QTest::addColumn<QString>("projectName"); // empty: never saved
        QTest::addColumn<QString>("message");     // its first lines
        for (const bool createExe : {false, true})
            QTest::addRow("%s, never saved", createExe ? "create exe" : "run")
                << createExe << ""
                << box(createExe ? "Can't compile" : "Can't run", "You must save the project",
                       MsgIcon::Exclamation, MsgButtons::Ok);
        QTest::newRow("create exe, folder gone")
            << true << "gone/game.vdp"
            << box("Save Project", "The project file could not be saved:\r\n<path>",
                   MsgIcon::Critical, MsgButtons::Ok);
    }
    void unsavedProjectIsNotBuilt() {
        QFETCH(bool, createExe);
        QFETCH(QString, projectName);
        QFETCH(QString, message);
        install();
        loadProjectWith("PRINT 1\r\n");
        project().ProjectPath = projectName.isEmpty() ? QString() : fx().docPath(projectName);
        build(createExe, fx().docPath("a.exe"));
        // The whole text; a failed save adds the file and the system's reason.
        QCOMPARE(fx().messages.calls.size(), 1);
        const MessageCall& m = fx().messages.calls[0];
        QCOMPARE(box(m.title, m.text.section("\r\n", 0, 1), m.icon, m.buttons),
                 message.replace("<path>", fx().docPath(projectName)));
        QVERIFY(fx().processes.calls.isEmpty() && !exists("vd~tmp.bas"));
        QVERIFY(!createExe || (compileDialog()->isVisible() && !main().inputEnabled()));
    }

    // Goto Line puts the caret at the start of the line in the window active at the click;
    // -1: it stays. In a project the file the log names must match exactly and be shown.
    void gotoLine_data() {
        QTest::addColumn<QByteArray>("log"); // "<doc>": the documents folder
        QTest::addColumn<int>("expected");
        QTest::newRow("line 3") << QByteArray("3,m") << 10;
        QTest::newRow("not a number") << QByteArray("line 3,m") << -1;
        QTest::newRow("project, case differs") << QByteArray("3\r\nm\r\n<doc>/MAIN.BAS") << -1;
        QTest::newRow("project, file not open") << QByteArray("3\r\nm\r\n<doc>/other.bas") << -1;
    }
    void gotoLine() {
        QFETCH(QByteArray, log);
        QFETCH(int, expected);
        install();
        Editor* member = nullptr;
        if (log.contains("<doc>")) {
            loadProjectWith("X\r\nY\r\nZ");
            member = editor(0);
            log.replace("<doc>", QFileInfo(fx().docPath("x")).path().toUtf8());
        }
        Editor* windows[2];
        for (Editor*& window : windows) {
            window = newDocument();
            window->Text1->setWholeText("A = 1\r\nB\r\nC = 3\r\n\r\n");
            window->Text1->setSelection(2, 3);
        }
        // Reported for the first window; the second is active at the click.
        documentArea()->setActiveSubWindow(windows[0]);
        ShowErrors* dialog = report(log);
        documentArea()->setActiveSubWindow(windows[1]);
        EditorText* text = windows[1]->Text1;
        text->clearFocus();
        QTest::keyClick(dialog, Qt::Key_Return);
        QVERIFY(!dialog->isVisible() && documentArea()->activeSubWindow() == windows[1]);
        QCOMPARE(
            QList<qsizetype>({text->selStart(), text->selLength(), windows[0]->Text1->selStart()}),
            QList<qsizetype>({expected < 0 ? 2 : expected, expected < 0 ? 3 : 0, 2}));
        QVERIFY(member != nullptr ? !member->isVisible() && member->Text1->selStart() == 0
                                  : main().focusWidget() == text);
    }
};

QTEST_MAIN(BuildTest)
#include "BuildTest.moc"
