// Run and Create Exe driving a stand-in compiler driver as a real process, the error report and
// Goto Line.

#include "MainFixture.h"

#include "build/BuildCommands.h"
#include "build/Compile.h"
#include "build/ShowErrors.h"
#include "documents/DocumentManager.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "projects/ProjectCommands.h"
#include "shell/Main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QtTest/qtestspontaneevent.h>

namespace {

struct DriverCall {
    QString workingFolder;
    QStringList arguments;
    bool sourceExisted = false;
};

// The stand-in driver in the fixture's application folder, and the marker files it obeys.
class StubDriver {
public:
    explicit StubDriver(const QString& folder) : m_folder(folder) {}

    void install() const { QVERIFY(QFile::link(QStringLiteral(VELDRA_STUB_DRIVER), path("make"))); }
    QString path(const QString& name) const { return m_folder + u'/' + name; }
    bool exists(const QString& name) const { return QFileInfo::exists(path(name)); }

    // The error log the driver writes from now on; an empty one is success.
    void writeLog(const QByteArray& log) const { write("stub-errlog", log); }
    void succeed() const { QFile::remove(path("stub-errlog")); }
    // From now on the driver leaves the log alone.
    void leaveLog() const {
        succeed();
        write("stub-leavelog", {});
    }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    QList<DriverCall> calls() const {
        QList<DriverCall> result;
        const QStringList lines =
            QString::fromUtf8(MainFixture::readFile(path("stub-calls.txt"))).split(u'\n');
        for (const QString& line : lines) {
            const QString value = line.section(u'\t', 1);
            if (line == QLatin1String("call"))
                result.append(DriverCall());
            else if (line.startsWith(QLatin1String("cwd\t")))
                result.last().workingFolder = value;
            else if (line.startsWith(QLatin1String("arg\t")))
                result.last().arguments.append(value);
            else if (line.startsWith(QLatin1String("source\t")))
                result.last().sourceExisted = value == QLatin1String("yes");
        }
        return result;
    }
    // The temporary source as the driver found it.
    QByteArray source() const { return MainFixture::readFile(path("stub-source.bin")); }

private:
    QString m_folder;
};

QLabel* label(QWidget* dialog, const char* name) {
    return dialog->findChild<QLabel*>(QString::fromLatin1(name));
}

void deleteDeferred() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const QString Untitled1 = QStringLiteral("Untitled (1)");

} // namespace

class BuildTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void runBuildsTheWindowText_data();
    void runBuildsTheWindowText();
    void runWithNothingToBuildDoesNothing();
    void compileErrorShowsTheCompiledWindow();
    void errorDialogLooksAsDesigned();
    void staleLogIsReportedAgain();
    void failedBuildsAreReportedNeverSucceed_data();
    void failedBuildsAreReportedNeverSucceed();
    void inputIsIgnoredWhileTheDriverRuns();
    void compileDialogKeepsTheMainWindowDisabled();
    void createExeClosesAfterSuccessOnly();
    void createExeWithNoDocumentStaysOpen();
    void projectIsSavedThenBuilt_data();
    void projectIsSavedThenBuilt();
    void projectThatCannotBeSavedIsNotBuilt();
    void unsavedProjectIsRefused_data();
    void unsavedProjectIsRefused();
    void gotoLine_data();
    void gotoLine();
    void gotoLineUsesTheActiveWindowWithoutProject();
    void gotoLineInProjectFindsTheFileWindow_data();
    void gotoLineInProjectFindsTheFileWindow();
};

void BuildTest::runBuildsTheWindowText_data() {
    QTest::addColumn<QByteArray>("file"); // empty: an untitled window
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("source");
    QTest::newRow("untitled") << QByteArray() << "PRINT 1" << QByteArray("PRINT 1\r\n");
    QTest::newRow("saved file") << QByteArray("PRINT 2\r\n") << QString()
                                << QByteArray("PRINT 2\r\n\r\n");
    QTest::newRow("unsaved edits") << QByteArray("PRINT 2") << "PRINT \"\xc3\xa9\"\nEND"
                                   << QByteArray("PRINT \"\xc3\xa9\"\r\nEND\r\n");
    QTest::newRow("windows-1252 file")
        << QByteArray("PRINT \"\xe9\"") << QString() << QByteArray("PRINT \"\xe9\"\r\n");
}

void BuildTest::runBuildsTheWindowText() {
    QFETCH(QByteArray, file);
    QFETCH(QString, typed);
    QFETCH(QByteArray, source);
    MainFixture f;
    Main& main = f.start();
    const StubDriver driver(f.appFolder());
    driver.install();
    QString workingFolder = f.appFolder();
    QString path;
    if (file.isEmpty()) {
        main.new_Click();
    } else {
        path = f.writeDoc(QStringLiteral("game.bas"), file);
        f.dialog.answerFile(path);
        main.open_Click();
        workingFolder = path.left(path.lastIndexOf(u'/'));
    }
    Editor* window = f.active();
    if (!typed.isEmpty())
        window->Text1->setWholeText(typed);
    const qint16 changed = main.documents().DocChanged[window->slot()];

    main.action(QStringLiteral("runp"))->trigger();

    const QString app = f.appFolder();
    QCOMPARE(f.processes.calls.size(), 1);
    QCOMPARE(f.processes.calls[0].program, app + QStringLiteral("/make"));
    const QList<DriverCall> calls = driver.calls();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls[0].arguments, QStringList({"-normal", "vd~tmp.bas", app + "/vd~tmp.exe", app,
                                              "-run", workingFolder}));
    QCOMPARE(calls[0].workingFolder, QDir::currentPath());
    QVERIFY(calls[0].sourceExisted);
    QCOMPARE(driver.source(), source);
    // Both temporary files are gone; the document is neither saved nor marked.
    QVERIFY(!driver.exists("vd~tmp.bas"));
    QVERIFY(!driver.exists("vd~tmp.exe"));
    if (!path.isEmpty())
        QCOMPARE(MainFixture::readFile(path), file);
    QCOMPARE(main.documents().DocChanged[window->slot()], changed);
    QCOMPARE(main.buildCommands().errorDialog(), nullptr);
    QVERIFY(f.messages.calls.isEmpty());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void BuildTest::runWithNothingToBuildDoesNothing() {
    MainFixture f;
    Main& main = f.start();
    StubDriver(f.appFolder()).install();
    main.buildCommands().RunProgram();
    QVERIFY(f.processes.calls.isEmpty());
    QVERIFY(!StubDriver(f.appFolder()).exists("vd~tmp.bas"));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void BuildTest::compileErrorShowsTheCompiledWindow() {
    MainFixture f;
    Main& main = f.start();
    const StubDriver driver(f.appFolder());
    driver.install();
    main.new_Click();
    // The single-file form takes the file from the window, never from the log.
    driver.writeLog("12,Syntax error\r\n/elsewhere/other.bas\r\n");
    main.runp_Click();

    ShowErrors* dialog = main.buildCommands().errorDialog();
    QVERIFY(dialog != nullptr);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Error in Program"));
    QCOMPARE(dialog->Label8->text(), Untitled1);
    QCOMPARE(dialog->Label4->text(), QStringLiteral("12"));
    QCOMPARE(dialog->Label5->text(), QStringLiteral("Syntax error"));
    // The source is gone, the executable stays as the driver left it.
    QVERIFY(!driver.exists("vd~tmp.bas"));
    QVERIFY(driver.exists("vd~tmp.exe"));

    // A second report overwrites every value, the file again from the compiled window.
    dialog->Command2->click();
    QVERIFY(!dialog->isVisible());
    const QString path = f.writeDoc(QStringLiteral("b.bas"), "x");
    f.dialog.answerFile(path);
    main.open_Click();
    driver.writeLog("3\r\n<b>Type</b> mismatch\r\n");
    main.Toolbar1_ButtonClick(main.toolbarButton(10));
    QCOMPARE(main.buildCommands().errorDialog(), dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->Label8->text(), path);
    QCOMPARE(dialog->Label4->text(), QStringLiteral("3"));
    QCOMPARE(dialog->Label5->text(), QStringLiteral("<b>Type</b> mismatch"));
    QCOMPARE(dialog->Label5->textFormat(), Qt::PlainText);
    QVERIFY(f.messages.calls.isEmpty());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void BuildTest::errorDialogLooksAsDesigned() {
    MainFixture f;
    Main& main = f.start();
    main.new_Click();
    StubDriver(f.appFolder()).write(QStringLiteral("errfound.log"), "1\r\nm\r\n");
    main.buildCommands().ReportCompilerError(ErrorForm::SingleFile, Untitled1);
    ShowErrors* dialog = main.buildCommands().errorDialog();
    QVERIFY(dialog != nullptr);

    const struct {
        const char* name;
        const char* text;
        QColor color;
    } captions[] = {
        {"Label1", "An Error was found in the Program:", QColor()},
        {"Label2", "File Name:", QColor(0, 0, 255)},
        {"Label3", "Line Number:", dialog->palette().color(QPalette::Highlight)},
        {"Label6", "Error:", QColor(0, 128, 0)},
        {"Label7",
         "Remember that some errors can be because there aren't spaces between '=', always use "
         "spaces",
         QColor(64, 64, 64)},
    };
    for (const auto& caption : captions) {
        QLabel* fixed = label(dialog, caption.name);
        QVERIFY2(fixed != nullptr, caption.name);
        QCOMPARE(fixed->text(), QString::fromLatin1(caption.text));
        if (caption.color.isValid())
            QCOMPARE(fixed->palette().color(QPalette::WindowText), caption.color);
    }
    QVERIFY(label(dialog, "Label7")->wordWrap());
    // Rows top to bottom; Goto Line above Ok, at the right, level with the error and the hint.
    const auto top = [&](const char* name) { return label(dialog, name)->geometry().top(); };
    QVERIFY(top("Label1") < top("Label2") && top("Label2") < top("Label3"));
    QVERIFY(top("Label3") < top("Label6") && top("Label6") < top("Label7"));
    QCOMPARE(dialog->Label8->geometry().top(), top("Label2"));
    QCOMPARE(dialog->Label4->geometry().top(), top("Label3"));
    QCOMPARE(dialog->Label5->geometry().top(), top("Label6"));
    QCOMPARE(dialog->Command1->text(), QStringLiteral("Goto Line"));
    QCOMPARE(dialog->Command2->text(), QStringLiteral("Ok"));
    QVERIFY(dialog->Command1->isDefault());
    QVERIFY(dialog->Command1->geometry().bottom() < dialog->Command2->geometry().top());
    QVERIFY(dialog->Command1->geometry().left() > dialog->Label5->geometry().right());
    QCOMPARE(dialog->Command1->geometry().top(), top("Label6"));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void BuildTest::staleLogIsReportedAgain() {
    MainFixture f;
    Main& main = f.start();
    const StubDriver driver(f.appFolder());
    driver.install();
    main.new_Click();
    driver.writeLog("7\r\nOld error\r\n");
    main.runp_Click();
    ShowErrors* dialog = main.buildCommands().errorDialog();
    QVERIFY(dialog->isVisible());
    dialog->Command2->click();

    // A driver that leaves the log alone: the old error stands.
    driver.leaveLog();
    main.runp_Click();
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->Label5->text(), QStringLiteral("Old error"));
    QCOMPARE(driver.calls().size(), 2);
    dialog->Command2->click();

    // The environment itself never empties the log; the driver does, on success.
    QFile::remove(driver.path("stub-leavelog"));
    main.runp_Click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(QFileInfo(driver.path("errfound.log")).size(), 0);
    QVERIFY(!driver.exists("vd~tmp.exe"));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

// Whatever stops a build is told to the user, and the error log is not trusted: neither
// success nor an error left by an earlier build is reported.
void BuildTest::failedBuildsAreReportedNeverSucceed_data() {
    QTest::addColumn<bool>("createExe");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("driverStarted");

    const QString notStarted = QStringLiteral("The compiler driver could not be started:");
    for (const bool createExe : {false, true}) {
        const QString command =
            createExe ? QStringLiteral("create exe, ") : QStringLiteral("run, ");
        const auto row = [&](const char* failure, const QString& what, const char* file,
                             bool started) {
            QTest::addRow("%s%s", qPrintable(command), failure)
                << createExe << QString::fromLatin1(failure) << what << QString::fromLatin1(file)
                << started;
        };
        row("missing driver", notStarted, "make", false);
        row("driver not executable", notStarted, "make", false);
        row("driver killed", QStringLiteral("The compiler driver ended abnormally:"), "make", true);
        row("source not writable", QStringLiteral("The temporary source could not be written:"),
            "vd~tmp.bas", false);
        row("log not readable", QStringLiteral("The error log could not be read:"), "errfound.log",
            true);
    }
}

void BuildTest::failedBuildsAreReportedNeverSucceed() {
    QFETCH(bool, createExe);
    QFETCH(QString, failure);
    QFETCH(QString, what);
    QFETCH(QString, file);
    QFETCH(bool, driverStarted);
    MainFixture f;
    Main& main = f.start();
    const StubDriver driver(f.appFolder());
    // An error from an earlier build, which the driver leaves alone.
    driver.write(QStringLiteral("errfound.log"), "1\r\nOld error\r\n");
    driver.leaveLog();
    if (failure == QLatin1String("driver not executable"))
        driver.write(QStringLiteral("make"), "#!/bin/sh\n");
    else if (failure != QLatin1String("missing driver"))
        driver.install();
    if (failure == QLatin1String("driver killed"))
        driver.write(QStringLiteral("stub-crash"), {});
    if (failure == QLatin1String("source not writable"))
        QVERIFY(QDir(f.appFolder()).mkdir(QStringLiteral("vd~tmp.bas")));
    if (failure == QLatin1String("log not readable")) {
        QVERIFY(QFile::remove(driver.path("errfound.log")));
        QVERIFY(QDir(f.appFolder()).mkdir(QStringLiteral("errfound.log")));
    }
    main.new_Click();
    if (createExe) {
        main.compileprog_Click();
        main.buildCommands().compileDialog()->Text1->setText(f.docPath(QStringLiteral("a.exe")));
        main.buildCommands().compileDialog()->Command3->click();
    } else {
        main.runp_Click();
    }

    QCOMPARE(driver.calls().size(), driverStarted ? 1 : 0);
    QCOMPARE(f.messages.calls.size(), 1);
    const MessageCall& message = f.messages.calls[0];
    // A log that cannot be read is told by the error report itself.
    const QString title = failure == QLatin1String("log not readable")
                              ? QStringLiteral("Error in Program")
                          : createExe ? QStringLiteral("Can't compile")
                                      : QStringLiteral("Can't run");
    QCOMPARE(message.title, title);
    QCOMPARE(message.icon, MsgIcon::Critical);
    const QStringList lines = message.text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], what);
    QCOMPARE(lines[1], driver.path(file));
    QVERIFY(!lines[2].isEmpty());
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

void BuildTest::inputIsIgnoredWhileTheDriverRuns() {
    MainFixture f;
    Main& main = f.start();
    const StubDriver driver(f.appFolder());
    driver.install();
    driver.write(QStringLiteral("stub-wait"), {});
    main.new_Click();
    EditorText* text = f.active()->Text1;
    text->setWholeText(QStringLiteral("PRINT 1"));
    text->setFocus();

    // Runs inside the wait: the driver waits for its release, so it is still running.
    bool waited = false;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    QTimer::singleShot(0, &main, [&] {
        waited = true;
        if (const QCursor* current = QApplication::overrideCursor())
            cursor = current->shape();
        QTest::keyClicks(text, QStringLiteral("xyz"));
        QTest::keyClick(&main, Qt::Key_F5);
        QTest::mouseClick(main.Toolbar1->widgetForAction(main.toolbarButton(1)), Qt::LeftButton);
        // The window system asking to close the main window (its question would be a prompt).
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        qApp->notify(&main, &close);
        driver.write(QStringLiteral("stub-release"), {});
    });
    main.runp_Click();

    QVERIFY(waited);
    QCOMPARE(cursor, Qt::WaitCursor);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(text->wholeText(), QStringLiteral("PRINT 1"));
    QCOMPARE(driver.calls().size(), 1);
    QCOMPARE(main.documents().UntitledCount, 1);
    QVERIFY(main.isVisible());
    QVERIFY(f.active() != nullptr);
    // Input after the wait is taken again.
    QTest::keyClicks(text, QStringLiteral("z"));
    QVERIFY(text->wholeText().contains(u'z'));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void BuildTest::compileDialogKeepsTheMainWindowDisabled() {
    MainFixture f;
    Main& main = f.start();
    main.new_Click();
    main.action(QStringLiteral("compileprog"))->trigger();
    Compile* dialog = main.buildCommands().compileDialog();
    QVERIFY(dialog != nullptr);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Compile"));
    QCOMPARE(dialog->Text1->text(), QString());
    QCOMPARE(dialog->Text1->accessibleName(), QStringLiteral("Name"));
    QCOMPARE(dialog->Command1->text(), QStringLiteral("Browse"));
    QCOMPARE(dialog->Command2->text(), QStringLiteral("Cancel"));
    QCOMPARE(dialog->Command3->text(), QStringLiteral("Create Exe"));
    QVERIFY(dialog->Command3->isDefault());
    QVERIFY(!main.inputEnabled());
    QVERIFY(!main.menuBar()->isEnabled());
    QVERIFY(dialog->isEnabled());

    // Browse: a chosen name replaces the field, a cancelled dialog changes nothing.
    const QString exe = f.docPath(QStringLiteral("game.exe"));
    f.dialog.answerFile(exe);
    dialog->Command1->click();
    QCOMPARE(f.dialog.calls.size(), 1);
    QCOMPARE(f.dialog.calls[0].kind, QStringLiteral("save"));
    QCOMPARE(f.dialog.calls[0].fileName, QString());
    QCOMPARE(f.dialog.calls[0].filter,
             QStringLiteral("All Files (*.*)|*.*|Executable Files (*.exe)|*.exe"));
    QCOMPARE(f.dialog.calls[0].filterIndex, 2);
    QCOMPARE(f.dialog.calls[0].flags, 2054);
    QCOMPARE(dialog->Text1->text(), exe);
    f.dialog.cancel();
    dialog->Command1->click();
    QCOMPARE(dialog->Text1->text(), exe);

    // Cancel and Escape hide it and give the input back; the name is kept.
    dialog->Command2->click();
    QVERIFY(!dialog->isVisible());
    QVERIFY(main.inputEnabled());
    main.compileprog_Click();
    QCOMPARE(main.buildCommands().compileDialog(), dialog);
    QCOMPARE(dialog->Text1->text(), exe);
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QVERIFY(main.inputEnabled());

    // Closed through its frame it gives the input back and starts empty next time.
    main.compileprog_Click();
    QVERIFY(dialog->close());
    QVERIFY(main.inputEnabled());
    deleteDeferred();
    QCOMPARE(main.buildCommands().compileDialog(), nullptr);
    main.compileprog_Click();
    QCOMPARE(main.buildCommands().compileDialog()->Text1->text(), QString());
    QVERIFY(!main.inputEnabled());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void BuildTest::createExeClosesAfterSuccessOnly() {
    MainFixture f;
    Main& main = f.start();
    const StubDriver driver(f.appFolder());
    driver.install();
    main.new_Click();
    f.active()->Text1->setWholeText(QStringLiteral("A = 1\r\nB = \r\nPRINT A"));
    main.compileprog_Click();
    Compile* dialog = main.buildCommands().compileDialog();
    const QString exe = f.docPath(QStringLiteral("game.exe"));
    dialog->Text1->setText(exe);

    // A compile error: reported, and the dialog stays with the main window disabled.
    driver.writeLog("2\r\nExpression expected\r\n");
    QTest::keyClick(dialog->Text1, Qt::Key_Return);
    const QString app = f.appFolder();
    QCOMPARE(driver.calls().size(), 1);
    QCOMPARE(driver.calls()[0].arguments, QStringList({"-normal", "vd~tmp.bas", exe, app}));
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

    driver.succeed();
    dialog->Command3->click();
    QCOMPARE(driver.calls().size(), 2);
    QVERIFY(!dialog->isVisible());
    QVERIFY(main.inputEnabled());
    QVERIFY(!errors->isVisible());
    QVERIFY(!driver.exists("vd~tmp.bas"));
    QVERIFY(!driver.exists("vd~tmp.exe"));
    QVERIFY(f.messages.calls.isEmpty());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void BuildTest::createExeWithNoDocumentStaysOpen() {
    MainFixture f;
    Main& main = f.start();
    StubDriver(f.appFolder()).install();
    main.new_Click();
    main.compileprog_Click();
    f.messages.answer(MsgAnswer::No);
    QVERIFY(f.active()->closeFor(CloseReason::Code));
    QVERIFY(!main.AnyEditorOpen());
    Compile* dialog = main.buildCommands().compileDialog();
    dialog->Command3->click();
    QVERIFY(f.processes.calls.isEmpty());
    QVERIFY(dialog->isVisible());
    QVERIFY(!main.inputEnabled());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

// Both commands save the project and every member before the driver starts, hand it the
// project file, and report an error with the file the log names.
void BuildTest::projectIsSavedThenBuilt_data() {
    QTest::addColumn<bool>("createExe");
    QTest::addColumn<bool>("compileError");
    QTest::newRow("run") << false << false;
    QTest::newRow("run, error") << false << true;
    QTest::newRow("create exe") << true << false;
    QTest::newRow("create exe, error") << true << true;
}

void BuildTest::projectIsSavedThenBuilt() {
    QFETCH(bool, createExe);
    QFETCH(bool, compileError);
    MainFixture f;
    Main& main = f.start();
    const StubDriver driver(f.appFolder());
    driver.install();
    const QString member = f.writeDoc(QStringLiteral("main.bas"), "PRINT 1\r\n");
    const QString project =
        f.writeDoc(QStringLiteral("game.vdp"),
                   "Veldra Studio Project File\r\n 100 \r\n 64000 \r\n[Basic Files]\r\n" +
                       member.toUtf8() + "\r\n[Assembly Files]\r\n");
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
    const QString folder = project.left(project.lastIndexOf(u'/'));
    const QString exe = f.docPath(QStringLiteral("game.exe"));
    if (createExe) {
        main.compileprog_Click();
        main.buildCommands().compileDialog()->Text1->setText(exe);
        main.buildCommands().compileDialog()->Command3->click();
    } else {
        main.runp_Click();
    }

    const QList<DriverCall> calls = driver.calls();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls[0].arguments, createExe ? QStringList({"-project", project, exe, app})
                                           : QStringList({"-project", project, app + "/vd~tmp.exe",
                                                          app, "-run", folder}));
    QVERIFY(calls[0].sourceExisted);
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
    QCOMPARE(errors->Label8->text(), member);
    QCOMPARE(errors->Label4->text(), QStringLiteral("2"));
    QCOMPARE(errors->Label5->text(), QStringLiteral("Expression expected"));
    // Goto Line brings the hidden member forward with the caret on the line.
    errors->Command1->click();
    QVERIFY(window->isVisible());
    QCOMPARE(main.mdiArea()->activeSubWindow(), window);
    QCOMPARE(window->Text1->selStart(), 7);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void BuildTest::projectThatCannotBeSavedIsNotBuilt() {
    MainFixture f;
    Main& main = f.start();
    const StubDriver driver(f.appFolder());
    driver.install();
    const QString member = f.writeDoc(QStringLiteral("main.bas"), "PRINT 1\r\n");
    const QString project =
        f.writeDoc(QStringLiteral("game.vdp"),
                   "Veldra Studio Project File\r\n 100 \r\n 64000 \r\n[Basic Files]\r\n" +
                       member.toUtf8() + "\r\n[Assembly Files]\r\n");
    QVERIFY(main.projectCommands().ReadProjectFile(project));
    main.project().ProjectPath = f.docPath(QStringLiteral("gone/game.vdp"));
    main.runp_Click();
    QVERIFY(!f.messages.calls.isEmpty());
    QVERIFY(f.processes.calls.isEmpty());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void BuildTest::unsavedProjectIsRefused_data() {
    QTest::addColumn<bool>("createExe");
    QTest::newRow("run") << false;
    QTest::newRow("create exe") << true;
}

void BuildTest::unsavedProjectIsRefused() {
    QFETCH(bool, createExe);
    MainFixture f;
    Main& main = f.start();
    const StubDriver driver(f.appFolder());
    driver.install();
    main.new_Click();
    main.project().ProjectOpen = 1;
    main.project().BasDoc[0] = 0;
    if (createExe) {
        main.compileprog_Click();
        main.buildCommands().compileDialog()->Command3->click();
    } else {
        main.runp_Click();
    }
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].title,
             createExe ? QStringLiteral("Can't compile") : QStringLiteral("Can't run"));
    QCOMPARE(f.messages.calls[0].text, QStringLiteral("You must save the project"));
    QCOMPARE(f.messages.calls[0].icon, MsgIcon::Exclamation);
    QCOMPARE(f.messages.calls[0].buttons, MsgButtons::Ok);
    QVERIFY(f.processes.calls.isEmpty());
    QVERIFY(!driver.exists("vd~tmp.bas"));
    if (createExe) {
        QVERIFY(main.buildCommands().compileDialog()->isVisible());
        QVERIFY(!main.inputEnabled());
    }
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

// The number at the start of the line-number label picks the line; the caret goes to the
// line's first character. -1: the caret stays where it was.
void BuildTest::gotoLine_data() {
    QTest::addColumn<QString>("lineLabel");
    QTest::addColumn<int>("expected");
    QTest::newRow("line 3") << "3" << 10;
    QTest::newRow("number then text") << " 3: in SUB" << 10;
    QTest::newRow("12.0 style") << "2.0" << 7;
    QTest::newRow("beyond the end") << "6" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("not a number") << "line 3" << -1;
}

void BuildTest::gotoLine() {
    QFETCH(QString, lineLabel);
    QFETCH(int, expected);
    MainFixture f;
    Main& main = f.start();
    main.new_Click();
    EditorText* text = f.active()->Text1;
    text->setWholeText(QStringLiteral("A = 1\r\nB\r\nC = 3\r\n\r\n"));
    text->setSelection(2, 3);
    StubDriver(f.appFolder()).write(QStringLiteral("errfound.log"), lineLabel.toUtf8() + ",m");
    main.buildCommands().ReportCompilerError(ErrorForm::SingleFile, Untitled1);
    ShowErrors* dialog = main.buildCommands().errorDialog();
    QCOMPARE(dialog->Label4->text(), lineLabel.trimmed());
    text->clearFocus();

    QTest::keyClick(dialog, Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(text->selStart(), expected < 0 ? 2 : expected);
    QCOMPARE(text->selLength(), expected < 0 ? 3 : 0);
    QCOMPARE(main.focusWidget(), text);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

// Without a project, Goto Line works on whichever window is active at the click.
void BuildTest::gotoLineUsesTheActiveWindowWithoutProject() {
    MainFixture f;
    Main& main = f.start();
    main.new_Click();
    Editor* first = f.active();
    main.new_Click();
    Editor* second = f.active();
    second->Text1->setWholeText(QStringLiteral("a\r\nb"));
    main.mdiArea()->setActiveSubWindow(first);
    StubDriver(f.appFolder()).write(QStringLiteral("errfound.log"), "2\r\nm\r\n");
    main.buildCommands().ReportCompilerError(ErrorForm::SingleFile, Untitled1);
    main.mdiArea()->setActiveSubWindow(second);
    main.buildCommands().errorDialog()->Command1->click();
    QCOMPARE(second->Text1->selStart(), 3);
    QCOMPARE(first->Text1->selStart(), 0);

    // With no window left, nothing happens.
    f.messages.answer(MsgAnswer::No);
    f.messages.answer(MsgAnswer::No);
    QVERIFY(first->closeFor(CloseReason::Code));
    QVERIFY(second->closeFor(CloseReason::Code));
    main.buildCommands().ReportCompilerError(ErrorForm::SingleFile, Untitled1);
    main.buildCommands().errorDialog()->Command1->click();
    QVERIFY(!main.buildCommands().errorDialog()->isVisible());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

// In a project the log names the file: the window that shows it comes forward with the caret
// on the line, also when its close box had hidden it; a file that no window shows moves
// nothing.
void BuildTest::gotoLineInProjectFindsTheFileWindow_data() {
    QTest::addColumn<QString>("logFile"); // "a" or "b": that document's path
    QTest::addColumn<bool>("upperCase");
    QTest::addColumn<bool>("found");
    QTest::newRow("hidden window") << "a" << false << true;
    QTest::newRow("visible window behind") << "b" << false << true;
    QTest::newRow("case differs") << "a" << true << false;
    QTest::newRow("file not open") << "c" << false << false;
}

void BuildTest::gotoLineInProjectFindsTheFileWindow() {
    QFETCH(QString, logFile);
    QFETCH(bool, upperCase);
    QFETCH(bool, found);
    MainFixture f;
    Main& main = f.start();
    QHash<QString, QString> paths;
    for (const char* name : {"a", "b", "c"})
        paths[QString::fromLatin1(name)] = f.docPath(QStringLiteral("%1.bas").arg(name));
    for (const char* name : {"a", "b"}) {
        f.dialog.answerFile(f.writeDoc(QStringLiteral("%1.bas").arg(name), "X\r\nY\r\nZ"));
        main.open_Click();
    }
    main.new_Click();
    Editor* a = main.documents().Documents[0];
    Editor* b = main.documents().Documents[1];
    Editor* other = main.documents().Documents[2];
    main.project().ProjectOpen = 1;
    main.project().ProjectPath = f.docPath(QStringLiteral("p.vdp"));
    for (int slot = 0; slot < 3; ++slot)
        main.project().BasDoc[slot] = slot;
    // The close box only hides a member while a project is open.
    QVERIFY(!a->closeFor(CloseReason::UserControls));
    QVERIFY(!a->isVisible());
    QCOMPARE(f.active(), other);
    other->Text1->setSelection(1, 0);

    QString fileName = paths[logFile];
    if (upperCase)
        fileName = fileName.toUpper();
    StubDriver(f.appFolder())
        .write(QStringLiteral("errfound.log"), "3\r\nm\r\n" + fileName.toUtf8() + "\r\n");
    main.buildCommands().ReportCompilerError(ErrorForm::Project, QString());
    ShowErrors* dialog = main.buildCommands().errorDialog();
    QCOMPARE(dialog->Label8->text(), fileName);
    dialog->Command1->click();

    QVERIFY(!dialog->isVisible());
    Editor* target = logFile == QLatin1String("a") ? a : b;
    if (found) {
        QVERIFY(target->isVisible());
        QCOMPARE(main.mdiArea()->activeSubWindow(), target);
        QCOMPARE(target->Text1->selStart(), 6);
        QCOMPARE(main.focusWidget(), target->Text1);
    } else {
        QCOMPARE(main.mdiArea()->activeSubWindow(), other);
        QVERIFY(!a->isVisible());
        QCOMPARE(a->Text1->selStart(), 0);
        QCOMPARE(other->Text1->selStart(), 1);
    }
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

QTEST_MAIN(BuildTest)
#include "BuildTest.moc"
