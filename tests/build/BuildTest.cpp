// Run and Create Exe driving a stand-in compiler driver as a real process, the error report and
// Goto Line.

#include "MainFixture.h"

#include "build/BuildCommands.h"
#include "build/Compile.h"
#include "build/ConsolePane.h"
#include "build/ShowErrors.h"
#include "build/TerminalScreen.h"
#include "build/TerminalView.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "projects/ProjectCommands.h"
#include "shell/Main.h"
#include "tools/ToolCommands.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMdiArea>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest/qtestspontaneevent.h>

namespace {

struct DriverCall {
    QString workingFolder;
    QStringList arguments;
};

// The stand-in driver in the fixture's application folder, and the marker files it obeys.
class StubDriver {
public:
    explicit StubDriver(const MainFixture& f, bool installed = true) : m_folder(f.appFolder()) {
        if (installed)
            install();
    }

    void install() const { QVERIFY(QFile::link(QStringLiteral(VELDRA_STUB_DRIVER), path("make"))); }
    QString path(const QString& name) const { return m_folder + u'/' + name; }
    bool exists(const QString& name) const { return QFileInfo::exists(path(name)); }
    void write(const QString& name, const QByteArray& bytes = {}) const {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    // The error log the driver writes from now on; an empty one is success.
    void writeLog(const QByteArray& log) const { write("stub-errlog", log); }
    void succeed() const { QFile::remove(path("stub-errlog")); }
    // From now on the driver leaves the log alone.
    void leaveLog() const {
        succeed();
        write("stub-leavelog");
    }

    QList<DriverCall> calls() const {
        QList<DriverCall> result;
        if (!exists("stub-calls.txt"))
            return result;
        const QString record = QString::fromUtf8(MainFixture::readFile(path("stub-calls.txt")));
        for (const QString& line : record.split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList fields = line.split(u'\t');
            result.append({fields.first(), fields.mid(1)});
        }
        return result;
    }
    // The temporary source (or project file) as the driver found it.
    QByteArray source() const { return MainFixture::readFile(path("stub-source.bin")); }

private:
    QString m_folder;
};

const QString Untitled1 = QStringLiteral("Untitled (1)");

// Run, or Create Exe from its dialog with `exe` as the name.
void build(Main& main, bool createExe, const QString& exe) {
    if (!createExe) {
        main.runp_Click();
        return;
    }
    main.compileprog_Click();
    main.buildCommands().compileDialog()->Text1->setText(exe);
    main.buildCommands().compileDialog()->Command3->click();
}

// Reports `log` as the driver's error log (for "Untitled (1)" in the single-file form).
ShowErrors* report(MainFixture& f, const QByteArray& log, ErrorForm form = ErrorForm::SingleFile) {
    StubDriver(f, false).write(QStringLiteral("errfound.log"), log);
    f.main().buildCommands().ReportCompilerError(form, Untitled1);
    return f.main().buildCommands().errorDialog();
}

// The report's values: file name, line number, message.
QStringList values(const ShowErrors* dialog) {
    return {dialog->Label8->text(), dialog->Label4->text(), dialog->Label5->text()};
}

// A project file naming one BASIC member.
QString writeProject(const MainFixture& f, const QString& member) {
    return f.writeDoc(QStringLiteral("game.vdp"),
                      "Veldra Studio Project File\r\n 100 \r\n 64000 \r\n[Basic Files]\r\n" +
                          member.toUtf8() + "\r\n[Assembly Files]\r\n");
}

} // namespace

class BuildTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void runBuildsTheWindowText_data() {
        QTest::addColumn<QByteArray>("file"); // empty: an untitled window
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("source");
        QTest::newRow("untitled") << QByteArray() << "PRINT 1" << QByteArray("PRINT 1\r\n");
        QTest::newRow("saved file")
            << QByteArray("PRINT 2\r\n") << QString() << QByteArray("PRINT 2\r\n\r\n");
        QTest::newRow("unsaved edits") << QByteArray("PRINT 2") << "PRINT \"\xc3\xa9\"\nEND"
                                       << QByteArray("PRINT \"\xc3\xa9\"\r\nEND\r\n");
        QTest::newRow("windows-1252 file")
            << QByteArray("PRINT \"\xe9\"") << QString() << QByteArray("PRINT \"\xe9\"\r\n");
        // The compiler gets CR LF whatever the line ends of the document's file.
        QTest::newRow("LF file") << QByteArray("PRINT 3\nEND\n") << QString()
                                 << QByteArray("PRINT 3\r\nEND\r\n\r\n");
    }
    void runBuildsTheWindowText() {
        QFETCH(QByteArray, file);
        QFETCH(QString, typed);
        QFETCH(QByteArray, source);
        MainFixture f;
        Main& main = f.start();
        const StubDriver driver(f);
        const QString app = f.appFolder();
        QString workingFolder = app;
        const QString path = f.docPath(QStringLiteral("game.bas"));
        if (file.isEmpty()) {
            main.new_Click();
        } else {
            f.dialog.answerFile(f.writeDoc(QStringLiteral("game.bas"), file));
            main.open_Click();
            workingFolder = path.left(path.lastIndexOf(u'/'));
        }
        Editor* window = f.active();
        if (!typed.isEmpty())
            window->Text1->setWholeText(typed);
        const qint16 changed = main.documents().DocChanged[window->slot()];

        main.action(QStringLiteral("runp"))->trigger();

        const QList<DriverCall> calls = driver.calls();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].arguments, QStringList({"-normal", "vd~tmp.bas", app + "/vd~tmp.exe", app,
                                                  "-run", workingFolder}));
        QCOMPARE(calls[0].workingFolder, QDir::currentPath());
        QCOMPARE(driver.source(), source);
        // Both temporary files are gone; the document is neither saved nor marked.
        QVERIFY(!driver.exists("vd~tmp.bas"));
        QVERIFY(!driver.exists("vd~tmp.exe"));
        if (!file.isEmpty())
            QCOMPARE(MainFixture::readFile(path), file);
        QCOMPARE(main.documents().DocChanged[window->slot()], changed);
        QCOMPARE(main.buildCommands().errorDialog(), nullptr);
        QVERIFY(f.messages.calls.isEmpty());
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    // A huge message is shown cut short, so that the dialog opens at once.
    void longErrorIsShownCutShort() {
        MainFixture f;
        f.start();
        const QByteArray message = QByteArray("Syntax error ").repeated(80000);
        const ShowErrors* dialog = report(f, "7\r\n" + message + "\r\n");
        QCOMPARE(values(dialog),
                 QStringList({Untitled1, "7", QString::fromLatin1(message.left(4096)) + u'…'}));
    }

    // The driver is the program in the application folder, even when its path holds a blank,
    // and a link planted as the temporary source is replaced, not written through.
    void hostileApplicationFolder() {
        MainFixture f(QStringLiteral("my app"));
        Main& main = f.start();
        const StubDriver driver(f);
        const QString app = f.appFolder();
        const QString victim = f.writeDoc(QStringLiteral("victim"), "keep");
        QVERIFY(QFile::link(victim, driver.path(QStringLiteral("vd~tmp.bas"))));
        main.new_Click();
        f.active()->Text1->setWholeText(QStringLiteral("PRINT 1"));
        main.runp_Click();
        QCOMPARE(driver.calls().size(), 1);
        const qsizetype blank = app.lastIndexOf(u' ');
        const QString before = app.left(blank), after = app.mid(blank + 1);
        QCOMPARE(driver.calls()[0].arguments,
                 QStringList({"-normal", "vd~tmp.bas", before, after + "/vd~tmp.exe", before, after,
                              "-run", before, after}));
        QCOMPARE(driver.source(), QByteArray("PRINT 1\r\n"));
        QCOMPARE(MainFixture::readFile(victim), QByteArray("keep"));
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    // An error is shown with the compiled window's file, never one from the log, in one reused
    // dialog; a log an earlier build left is reported again until the driver empties it.
    void errorsAreReportedUntilABuildSucceeds() {
        MainFixture f;
        Main& main = f.start();
        const StubDriver driver(f);
        main.new_Click();
        driver.writeLog("12,Syntax error\r\n/elsewhere/other.bas\r\n");
        main.runp_Click();
        ShowErrors* dialog = main.buildCommands().errorDialog();
        QVERIFY(dialog != nullptr && dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(values(dialog), QStringList({Untitled1, "12", "Syntax error"}));
        // The source is gone, the executable stays as the driver left it.
        QVERIFY(!driver.exists("vd~tmp.bas"));
        QVERIFY(driver.exists("vd~tmp.exe"));
        dialog->Command2->click();
        QVERIFY(!dialog->isVisible());

        // A saved file, run from the toolbar: every value is replaced, the message is plain text.
        const QString path = f.writeDoc(QStringLiteral("b.bas"), "x");
        f.dialog.answerFile(path);
        main.open_Click();
        driver.writeLog("3\r\n<b>Type</b> mismatch\r\n");
        main.Toolbar1_ButtonClick(main.toolbarButton(10));
        QCOMPARE(main.buildCommands().errorDialog(), dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(values(dialog), QStringList({path, "3", "<b>Type</b> mismatch"}));
        QCOMPARE(dialog->Label5->textFormat(), Qt::PlainText);
        dialog->Command2->click();

        // A driver that leaves the log alone: the old error stands.
        driver.leaveLog();
        main.runp_Click();
        QCOMPARE(driver.calls().size(), 3);
        QVERIFY(dialog->isVisible());
        QCOMPARE(values(dialog), QStringList({path, "3", "<b>Type</b> mismatch"}));
        dialog->Command2->click();

        // The environment itself never empties the log; the driver does, on success.
        QFile::remove(driver.path("stub-leavelog"));
        main.runp_Click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(QFileInfo(driver.path("errfound.log")).size(), 0);
        QVERIFY(!driver.exists("vd~tmp.exe"));
        QVERIFY(f.messages.calls.isEmpty());
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    void errorDialogLooksAsDesigned() {
        MainFixture f;
        f.start().new_Click();
        ShowErrors* dialog = report(f, "1\r\nm\r\n");
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Error in Program"));
        // The captions top to bottom in their colours, each value level with its caption.
        const struct {
            const char* name;
            const char* text;
            QColor color;
            const QLabel* value;
        } rows[] = {
            {"Label1", "An Error was found in the Program:", QColor(), nullptr},
            {"Label2", "File Name:", QColor(0, 0, 255), dialog->Label8},
            {"Label3", "Line Number:", dialog->palette().color(QPalette::Highlight),
             dialog->Label4},
            {"Label6", "Error:", QColor(0, 128, 0), dialog->Label5},
            {"Label7",
             "Remember that some errors can be because there aren't spaces between '=', always "
             "use spaces",
             QColor(64, 64, 64), nullptr},
        };
        int above = -1;
        for (const auto& row : rows) {
            const QLabel* caption = dialog->findChild<QLabel*>(QString::fromLatin1(row.name));
            QVERIFY2(caption != nullptr, row.name);
            QCOMPARE(caption->text(), QString::fromLatin1(row.text));
            if (row.color.isValid()) {
                // The colour keeps its hue, made dark enough to read on the dialog.
                const QColor shown = caption->palette().color(QPalette::WindowText);
                QVERIFY2(qAbs(shown.hslHue() - row.color.hslHue()) <= 3, row.name);
                QVERIFY2(contrastRatio(shown, dialog->palette().color(QPalette::Window)) >= 4.5,
                         row.name);
            }
            if (row.value != nullptr)
                QCOMPARE(row.value->geometry().top(), caption->geometry().top());
            QVERIFY2(caption->geometry().top() > above, row.name);
            above = caption->geometry().top();
        }
        QVERIFY(dialog->findChild<QLabel*>(QStringLiteral("Label7"))->wordWrap());
        // Goto Line above Ok, right of the error and level with it.
        QCOMPARE(dialog->Command1->text(), QStringLiteral("Goto Line"));
        QCOMPARE(dialog->Command2->text(), QStringLiteral("Ok"));
        QVERIFY(dialog->Command1->isDefault());
        QVERIFY(dialog->Command1->geometry().bottom() < dialog->Command2->geometry().top());
        QVERIFY(dialog->Command1->geometry().left() > dialog->Label5->geometry().right());
        QCOMPARE(dialog->Command1->geometry().top(), dialog->Label5->geometry().top());
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    // Whatever stops a build is told with the file and the reason, and the error log is not
    // trusted: neither success nor an error left by an earlier build is reported.
    void failedBuildsAreReportedNeverSucceed_data() {
        QTest::addColumn<bool>("createExe");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("driverStarted");
        const char* notStarted = "The compiler driver could not be started:";
        const struct {
            const char* failure;
            const char* what;
            const char* file;
            bool started;
        } cases[] = {
            {"missing driver", notStarted, "make", false},
            {"driver not executable", notStarted, "make", false},
            {"driver killed", "The compiler driver ended abnormally:", "make", true},
            {"source not writable", "The temporary source could not be written:", "vd~tmp.bas",
             false},
            {"log not readable", "The error log could not be read:", "errfound.log", true},
        };
        for (const bool createExe : {false, true}) {
            for (const auto& c : cases) {
                QTest::addRow("%s, %s", createExe ? "create exe" : "run", c.failure)
                    << createExe << QString(c.failure) << QString(c.what) << QString(c.file)
                    << c.started;
            }
        }
    }
    void failedBuildsAreReportedNeverSucceed() {
        QFETCH(bool, createExe);
        QFETCH(QString, failure);
        QFETCH(QString, what);
        QFETCH(QString, file);
        QFETCH(bool, driverStarted);
        MainFixture f;
        Main& main = f.start();
        const StubDriver driver(f, false);
        // An error from an earlier build, which the driver leaves alone.
        driver.write(QStringLiteral("errfound.log"), "1\r\nOld error\r\n");
        driver.leaveLog();
        if (failure == "driver not executable")
            driver.write(QStringLiteral("make"), "#!/bin/sh\n");
        else if (failure != "missing driver")
            driver.install();
        if (failure == "driver killed")
            driver.write(QStringLiteral("stub-crash"));
        if (failure == "source not writable")
            QVERIFY(QDir(f.appFolder()).mkdir(QStringLiteral("vd~tmp.bas")));
        if (failure == "log not readable") {
            QVERIFY(QFile::remove(driver.path("errfound.log")));
            QVERIFY(QDir(f.appFolder()).mkdir(QStringLiteral("errfound.log")));
        }
        main.new_Click();
        build(main, createExe, f.docPath(QStringLiteral("a.exe")));

        QCOMPARE(driver.calls().size(), driverStarted ? 1 : 0);
        QCOMPARE(f.messages.calls.size(), 1);
        const MessageCall& message = f.messages.calls[0];
        // A log that cannot be read is told by the error report itself.
        QCOMPARE(message.title, QString(failure == "log not readable" ? "Error in Program"
                                        : createExe                   ? "Can't compile"
                                                                      : "Can't run"));
        QCOMPARE(message.icon, MsgIcon::Critical);
        const QStringList lines = message.text.split(QStringLiteral("\r\n"));
        // A driver that did not start is told with the folder where one belongs.
        const bool notStarted = file == "make" && !driverStarted;
        QCOMPARE(lines.size(), notStarted ? 4 : 3);
        QCOMPARE(lines.first(2), QStringList({what, driver.path(file)}));
        QVERIFY(!lines[2].isEmpty()); // the reason
        if (notStarted)
            QCOMPARE(lines[3], "The application folder is " + f.appFolder() + '.');
        // No report, and the temporary files are cleaned up as after a failed build.
        ShowErrors* errors = main.buildCommands().errorDialog();
        QVERIFY(errors == nullptr || !errors->isVisible());
        QVERIFY(!QFileInfo(driver.path("vd~tmp.bas")).isFile());
        if (createExe) {
            QVERIFY(main.buildCommands().compileDialog()->isVisible());
            QVERIFY(!main.inputEnabled());
        }
        QVERIFY(QApplication::overrideCursor() == nullptr);
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    // A driver shipped beside the executable serves a per-user application folder.
    void driverOutsideTheApplicationFolder() {
        const QTemporaryDir shipped;
        MainFixture f;
        f.driver = shipped.filePath(QStringLiteral("make"));
        QVERIFY(QFile::link(QStringLiteral(VELDRA_STUB_DRIVER), f.driver));
        Main& main = f.start();
        main.new_Click();
        main.runp_Click();
        const QString a = f.appFolder();
        const QByteArray calls = MainFixture::readFile(shipped.filePath("stub-calls.txt"));
        QCOMPARE(QString::fromUtf8(calls).section(u'\t', 1),
                 "-normal\tvd~tmp.bas\t" + a + "/vd~tmp.exe\t" + a + "\t-run\t" + a + '\n');
        QVERIFY(f.messages.calls.isEmpty());
    }

    void inputIsIgnoredWhileTheDriverRuns() {
        MainFixture f;
        Main& main = f.start();
        const StubDriver driver(f);
        driver.write(QStringLiteral("stub-wait"));
        main.new_Click();
        EditorText* text = f.active()->Text1;
        text->setWholeText(QStringLiteral("PRINT 1"));
        text->setFocus();
        ConsolePane* console = main.buildCommands().console();
        // Runs inside the wait: the driver waits for its release, so it is still running.
        bool waited = false;
        Qt::CursorShape cursor = Qt::ArrowCursor;
        QTimer::singleShot(0, &main, [&] {
            waited = true;
            if (const QCursor* current = QApplication::overrideCursor())
                cursor = current->shape();
            QTest::keyClicks(text, QStringLiteral("xyz"));
            QTest::keyClick(&main, Qt::Key_F5);
            // The console takes keys, F5 among them, for the program (the terminal echoes them).
            QTest::keyClicks(console->view(), QStringLiteral("typed"));
            QTest::keyClick(console->view(), Qt::Key_F5);
            QTest::mouseClick(main.Toolbar1->widgetForAction(main.toolbarButton(1)),
                              Qt::LeftButton);
            driver.write(QStringLiteral("stub-release"));
        });
        main.runp_Click();

        QVERIFY(waited);
        QCOMPARE(cursor, Qt::WaitCursor);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QCOMPARE(text->wholeText(), QStringLiteral("PRINT 1"));
        QCOMPARE(driver.calls().size(), 1);
        QVERIFY(console->screen().lineText(0).startsWith(u"typed"));
        QCOMPARE(main.documents().UntitledCount, 1);
        // Input after the wait is taken again.
        QTest::keyClicks(text, QStringLiteral("z"));
        QVERIFY(text->wholeText().contains(u'z'));
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    // While a build runs, or while a dialog that stands for a modal one is up, no command runs
    // whatever triggers it, the main window refuses to close, and every command shows as
    // disabled; afterwards each has exactly its own availability back. A dialog still closes.
    void commandsWaitWhileBlocked_data() {
        QTest::addColumn<bool>("building");
        QTest::addColumn<QString>("route");
        for (const bool building : {true, false}) {
            for (const char* route :
                 {"menu", "shortcut", "accessible press", "tool", "tree", "close", "dialog close"})
                QTest::addRow("%s, %s", route, building ? "build" : "dialog")
                    << building << QString::fromLatin1(route);
        }
    }
    void commandsWaitWhileBlocked() {
        QFETCH(bool, building);
        QFETCH(QString, route);
        MainFixture f;
        Main& main = f.start();
        const StubDriver driver(f);
        // A project whose hidden member is the tree's current node: a double click shows it.
        QVERIFY(main.projectCommands().ReadProjectFile(
            writeProject(f, f.writeDoc(QStringLiteral("m.bas"), "PRINT 2\r\n"))));
        Editor* member = main.documents().Documents[0];
        QVERIFY(!member->closeFor(CloseReason::UserControls));
        main.TreeView1->setCurrentItem(main.TreeView1->topLevelItem(0)->child(0));
        main.action(QStringLiteral("new"))->trigger();
        main.toolCommands().toolSlots()[1] = {"true", "true", ""};
        main.toolCommands().RefreshToolsMenu();
        const auto availability = [&main] {
            // By action, not by position: showing the console moves its dock among the children.
            QMap<const QAction*, bool> states;
            for (const QAction* action : main.findChildren<QAction*>())
                states.insert(action, action->isEnabled());
            return states;
        };
        const QMap<const QAction*, bool> before = availability();
        QDialog dialog(&main);
        dialog.show();

        const auto attempt = [&] {
            if (route == QLatin1String("menu")) {
                main.action(QStringLiteral("runp"))->trigger();
            } else if (route == QLatin1String("shortcut")) {
                QTest::keyClick(&main, Qt::Key_F5);
            } else if (route == QLatin1String("accessible press")) {
                QAccessibleInterface* button = QAccessible::queryAccessibleInterface(
                    main.Toolbar1->widgetForAction(main.toolbarButton(10)));
                button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            } else if (route == QLatin1String("tool")) {
                main.tool(1)->trigger();
            } else if (route == QLatin1String("tree")) {
                emit main.TreeView1->itemDoubleClicked(main.TreeView1->currentItem(), 0);
            } else if (route == QLatin1String("close")) {
                QCloseEvent close;
                QSpontaneKeyEvent::setSpontaneous(&close);
                qApp->notify(&main, &close);
                QVERIFY(!main.close());
            } else {
                QCloseEvent close;
                QSpontaneKeyEvent::setSpontaneous(&close);
                qApp->notify(&dialog, &close);
                QVERIFY(!dialog.isVisible());
            }
            QVERIFY(!main.action(QStringLiteral("new"))->isEnabled());
            QVERIFY(!main.tool(1)->isEnabled());
        };
        if (building) {
            driver.write(QStringLiteral("stub-wait"));
            QTimer::singleShot(0, &main, [&] {
                attempt();
                driver.write(QStringLiteral("stub-release"));
            });
            main.action(QStringLiteral("runp"))->trigger();
        } else {
            main.setInputEnabled(false);
            attempt();
            main.setInputEnabled(true);
        }

        QCOMPARE(driver.calls().size(), building ? 1 : 0);
        QCOMPARE(f.processes.calls.size(), building ? 1 : 0);
        QVERIFY(main.isVisible());
        QVERIFY(!member->isVisible());
        if (route != QLatin1String("dialog close"))
            QVERIFY(dialog.isVisible() && dialog.isEnabled());
        QCOMPARE(availability(), before);
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    // Stop on the console ends the driver; the build then reports nothing (neither success nor
    // the stale log) and its temporary files go as after any build.
    void stoppedBuildReportsNothing_data() {
        QTest::addColumn<bool>("createExe");
        QTest::newRow("run") << false;
        QTest::newRow("create exe") << true;
    }
    void stoppedBuildReportsNothing() {
        QFETCH(bool, createExe);
        MainFixture f;
        Main& main = f.start();
        const StubDriver driver(f);
        driver.write(QStringLiteral("errfound.log"), "1\r\nOld error\r\n");
        driver.leaveLog();
        driver.write(QStringLiteral("stub-wait"));
        driver.write(QStringLiteral("vd~tmp.exe"));
        main.new_Click();
        ConsolePane* console = main.buildCommands().console();
        QTimer::singleShot(0, &main, [&] {
            // The driver has started and waits for its release.
            QTRY_COMPARE_WITH_TIMEOUT(driver.calls().size(), 1, 20000);
            QTest::mouseClick(console->stopButton(), Qt::LeftButton);
        });
        build(main, createExe, f.docPath(QStringLiteral("a.exe")));

        QCOMPARE(driver.calls().size(), 1);
        QVERIFY(f.messages.calls.isEmpty());
        QVERIFY(main.buildCommands().errorDialog() == nullptr);
        QVERIFY(!QFileInfo::exists(driver.path("vd~tmp.bas")));
        QCOMPARE(QFileInfo::exists(driver.path("vd~tmp.exe")), createExe);
        if (createExe)
            QVERIFY(main.buildCommands().compileDialog()->isVisible());
        QVERIFY(console->isVisible());
        const TerminalScreen& screen = console->screen();
        QVERIFY(screen.text(0, screen.lineCount() - 1).contains(u"[Ended: stopped]"));
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    // The Create Exe dialog from opening to closing: the main window takes no input while it is
    // up; after an error the dialog stays, after success it goes; every way out gives the input
    // back, and only its frame discards the name.
    void createExeDialog() {
        MainFixture f;
        Main& main = f.start();
        const StubDriver driver(f);
        main.new_Click();
        f.active()->Text1->setWholeText(QStringLiteral("A = 1\r\nB = \r\nPRINT A"));
        main.action(QStringLiteral("compileprog"))->trigger();
        Compile* dialog = main.buildCommands().compileDialog();
        QVERIFY(dialog != nullptr && dialog->isVisible() && dialog->isEnabled());
        QVERIFY(!dialog->isModal());
        QVERIFY(!main.inputEnabled());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Compile"));
        QCOMPARE(QStringList({dialog->Command1->text(), dialog->Command2->text(),
                              dialog->Command3->text()}),
                 QStringList({"Browse", "Cancel", "Create Exe"}));

        // Browse: a chosen name replaces the field, a cancelled dialog changes nothing.
        const QString exe = f.docPath(QStringLiteral("game.exe"));
        f.dialog.answerFile(exe);
        dialog->Command1->click();
        QCOMPARE(f.dialog.calls.size(), 1);
        QCOMPARE(f.dialog.calls[0].kind, QStringLiteral("save"));
        QCOMPARE(f.dialog.calls[0].filter,
                 QStringLiteral("All Files (*.*)|*.*|Executable Files (*.exe)|*.exe"));
        // As the file dialog goes, the window system may hand the activation to the disabled
        // main window; the dialog takes it back, so the keyboard works again.
        const auto activeAfter = [&main](QPushButton* button) {
            main.activateWindow();
            QCoreApplication::processEvents();
            button->click();
            QCoreApplication::processEvents();
            return QApplication::activeWindow();
        };
        f.dialog.cancel();
        QCOMPARE(activeAfter(dialog->Command1), dialog);
        QCOMPARE(dialog->Text1->text(), exe);

        // A compile error (Enter presses Create Exe): reported, and the dialog stays.
        driver.writeLog("2\r\nExpression expected\r\n");
        QTest::keyClick(dialog->Text1, Qt::Key_Return);
        QCOMPARE(driver.calls().size(), 1);
        QCOMPARE(driver.calls()[0].arguments,
                 QStringList({"-normal", "vd~tmp.bas", exe, f.appFolder()}));
        QCOMPARE(driver.source(), QByteArray("A = 1\r\nB = \r\nPRINT A\r\n"));
        ShowErrors* errors = main.buildCommands().errorDialog();
        QVERIFY(errors->isVisible());
        QCOMPARE(errors->Label8->text(), Untitled1);
        QVERIFY(dialog->isVisible());
        QVERIFY(!main.inputEnabled());
        QVERIFY(!driver.exists("vd~tmp.bas"));
        // Goto Line while the main window is disabled still puts the caret on the line.
        errors->Command1->click();
        QVERIFY(!errors->isVisible());
        QCOMPARE(f.active()->Text1->selStart(), 7);
        QVERIFY(dialog->isVisible());
        QVERIFY(!main.inputEnabled());

        // Success hides it.
        driver.succeed();
        dialog->Command3->click();
        QCOMPARE(driver.calls().size(), 2);
        QVERIFY(!dialog->isVisible());
        QVERIFY(main.inputEnabled());
        QVERIFY(!driver.exists("vd~tmp.bas"));
        QVERIFY(f.messages.calls.isEmpty());

        // Opened again it keeps the name; Cancel and Escape hide it.
        main.compileprog_Click();
        QCOMPARE(main.buildCommands().compileDialog(), dialog);
        QCOMPARE(dialog->Text1->text(), exe);
        dialog->Command2->click();
        QVERIFY(!dialog->isVisible());
        QVERIFY(main.inputEnabled());
        main.compileprog_Click();
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QVERIFY(main.inputEnabled());

        // With no document left, neither command starts the driver and the dialog stays.
        main.compileprog_Click();
        f.messages.answer(MsgAnswer::No);
        QVERIFY(f.active()->closeFor(CloseReason::Code));
        main.runp_Click();
        QCOMPARE(activeAfter(dialog->Command3), dialog);
        QCOMPARE(driver.calls().size(), 2);
        QVERIFY(!driver.exists("vd~tmp.bas"));
        QVERIFY(dialog->isVisible());
        QVERIFY(!main.inputEnabled());

        // Closed through its frame it gives the input back and starts empty next time.
        QVERIFY(dialog->close());
        QVERIFY(main.inputEnabled());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(main.buildCommands().compileDialog(), nullptr);
        main.compileprog_Click();
        QCOMPARE(main.buildCommands().compileDialog()->Text1->text(), QString());
        QVERIFY(!main.inputEnabled());
        VERIFY_NO_PROMPT_PROBLEMS(f);
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
        MainFixture f;
        Main& main = f.start();
        const StubDriver driver(f);
        const QString member = f.writeDoc(QStringLiteral("main.bas"), "PRINT 1\r\n");
        const QString project = writeProject(f, member);
        QVERIFY(main.projectCommands().ReadProjectFile(project));
        Editor* window = main.documents().Documents[0];
        QVERIFY(!window->closeFor(CloseReason::UserControls));
        QVERIFY(!window->isVisible());
        window->Text1->setWholeText(QStringLiteral("A = 1\r\nB = \r\nPRINT A"));
        // The driver finds the project file as the save writes it.
        QVERIFY(QFile::remove(project));
        if (compileError)
            driver.writeLog("2\r\nExpression expected\r\n" + member.toUtf8() + "\r\n");

        const QString app = f.appFolder();
        const QString exe = f.docPath(QStringLiteral("game.exe"));
        build(main, createExe, exe);

        const QList<DriverCall> calls = driver.calls();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].arguments,
                 createExe ? QStringList({"-project", project, exe, app})
                           : QStringList({"-project", project, app + "/vd~tmp.exe", app, "-run",
                                          project.left(project.lastIndexOf(u'/'))}));
        QCOMPARE(driver.source(), MainFixture::readFile(project));
        QVERIFY(driver.source().contains(member.toUtf8()));
        QCOMPARE(MainFixture::readFile(member), QByteArray("A = 1\r\nB = \r\nPRINT A\r\n"));
        QVERIFY(!driver.exists("vd~tmp.bas"));
        QVERIFY(!driver.exists("vd~tmp.exe"));

        ShowErrors* errors = main.buildCommands().errorDialog();
        if (createExe) {
            QCOMPARE(main.buildCommands().compileDialog()->isVisible(), compileError);
            QCOMPARE(main.inputEnabled(), !compileError);
        }
        if (!compileError) {
            QCOMPARE(errors, nullptr);
            VERIFY_NO_PROMPT_PROBLEMS(f);
            return;
        }
        QVERIFY(errors->isVisible());
        QCOMPARE(values(errors), QStringList({member, "2", "Expression expected"}));
        // Goto Line brings the hidden member forward with the caret on the line.
        errors->Command1->click();
        QVERIFY(window->isVisible());
        QCOMPARE(main.mdiArea()->activeSubWindow(), window);
        QCOMPARE(window->Text1->selStart(), 7);
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    // A project that has no file yet is refused; one whose file cannot be written is not built.
    void unsavedProjectIsNotBuilt_data() {
        QTest::addColumn<bool>("createExe");
        QTest::addColumn<QString>("projectName"); // empty: never saved
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<MsgIcon>("icon");
        for (const bool createExe : {false, true}) {
            const char* command = createExe ? "create exe" : "run";
            QTest::addRow("%s, never saved", command)
                << createExe << QString() << (createExe ? "Can't compile" : "Can't run")
                << "You must save the project" << MsgIcon::Exclamation;
            QTest::addRow("%s, folder gone", command)
                << createExe << "gone/game.vdp"
                << "Save Project"
                << "The project file could not be saved:" << MsgIcon::Critical;
        }
    }
    void unsavedProjectIsNotBuilt() {
        QFETCH(bool, createExe);
        QFETCH(QString, projectName);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(MsgIcon, icon);
        MainFixture f;
        Main& main = f.start();
        const StubDriver driver(f);
        const QString member = f.writeDoc(QStringLiteral("main.bas"), "PRINT 1\r\n");
        QVERIFY(main.projectCommands().ReadProjectFile(writeProject(f, member)));
        main.project().ProjectPath = projectName.isEmpty() ? QString() : f.docPath(projectName);
        build(main, createExe, f.docPath(QStringLiteral("a.exe")));
        QCOMPARE(f.messages.calls.size(), 1);
        QCOMPARE(f.messages.calls[0].title, title);
        // The whole text; a failed save adds the file and the system's reason.
        const QString shown = f.messages.calls[0].text;
        QCOMPARE(projectName.isEmpty() ? shown : shown.section(QStringLiteral("\r\n"), 0, 1),
                 projectName.isEmpty() ? text : text + "\r\n" + f.docPath(projectName));
        QCOMPARE(f.messages.calls[0].icon, icon);
        QCOMPARE(f.messages.calls[0].buttons, MsgButtons::Ok);
        QVERIFY(f.processes.calls.isEmpty());
        QVERIFY(!driver.exists("vd~tmp.bas"));
        if (createExe) {
            QVERIFY(main.buildCommands().compileDialog()->isVisible());
            QVERIFY(!main.inputEnabled());
        }
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    // The number at the start of the line-number label picks the line in the window that is
    // active at the click (not necessarily the one compiled); the caret goes to the line's first
    // character. -1: the caret stays where it was.
    void gotoLine_data() {
        QTest::addColumn<QString>("lineLabel");
        QTest::addColumn<int>("expected");
        QTest::newRow("line 3") << "3" << 10;
        QTest::newRow("number then text") << " 3: in SUB" << 10;
        QTest::newRow("12.0 style") << "2.0" << 7;
        QTest::newRow("beyond the end") << "6" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("not a number") << "line 3" << -1;
    }
    void gotoLine() {
        QFETCH(QString, lineLabel);
        QFETCH(int, expected);
        MainFixture f;
        Main& main = f.start();
        Editor* windows[2];
        for (Editor*& window : windows) {
            main.new_Click();
            window = f.active();
            window->Text1->setWholeText(QStringLiteral("A = 1\r\nB\r\nC = 3\r\n\r\n"));
            window->Text1->setSelection(2, 3);
        }
        // Reported for the first window; the second is active at the click.
        main.mdiArea()->setActiveSubWindow(windows[0]);
        ShowErrors* dialog = report(f, lineLabel.toUtf8() + ",m");
        QCOMPARE(dialog->Label4->text(), lineLabel.trimmed());
        main.mdiArea()->setActiveSubWindow(windows[1]);
        EditorText* text = windows[1]->Text1;
        text->clearFocus();

        QTest::keyClick(dialog, Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(text->selStart(), expected < 0 ? 2 : expected);
        QCOMPARE(text->selLength(), expected < 0 ? 3 : 0);
        QCOMPARE(main.focusWidget(), text);
        QCOMPARE(windows[0]->Text1->selStart(), 2);
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }

    // In a project the log names the file: the window that shows it comes forward with the
    // caret on the line, also when its close box had hidden it; a file that no window shows
    // (names compared exactly) moves nothing.
    void gotoLineInProjectFindsTheFileWindow_data() {
        QTest::addColumn<QString>("logged");
        QTest::addColumn<bool>("found");
        QTest::newRow("hidden member") << "main.bas" << true;
        QTest::newRow("case differs") << "MAIN.BAS" << false;
        QTest::newRow("file not open") << "other.bas" << false;
    }
    void gotoLineInProjectFindsTheFileWindow() {
        QFETCH(QString, logged);
        QFETCH(bool, found);
        MainFixture f;
        Main& main = f.start();
        const QString member = f.writeDoc(QStringLiteral("main.bas"), "X\r\nY\r\nZ");
        QVERIFY(main.projectCommands().ReadProjectFile(writeProject(f, member)));
        Editor* window = main.documents().Documents[0];
        // The close box only hides a member while a project is open.
        QVERIFY(!window->closeFor(CloseReason::UserControls));
        QVERIFY(!window->isVisible());
        main.new_Click();
        Editor* other = f.active();
        other->Text1->setWholeText(QStringLiteral("a\r\nb\r\nc"));
        other->Text1->setSelection(1, 0);

        const QString path = f.docPath(logged);
        ShowErrors* dialog = report(f, "3\r\nm\r\n" + path.toUtf8() + "\r\n", ErrorForm::Project);
        QCOMPARE(dialog->Label8->text(), path);
        dialog->Command1->click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(window->isVisible(), found);
        QCOMPARE(main.mdiArea()->activeSubWindow(), found ? window : other);
        QCOMPARE(window->Text1->selStart(), found ? 6 : 0);
        QCOMPARE(other->Text1->selStart(), 1);
        if (found)
            QCOMPARE(main.focusWidget(), window->Text1);
        VERIFY_NO_PROMPT_PROBLEMS(f);
    }
};

QTEST_MAIN(BuildTest)
#include "BuildTest.moc"
