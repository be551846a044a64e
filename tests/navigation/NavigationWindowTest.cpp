// The search dialog, "Search again" and the procedure browser, driven through the main window.

#include "MainFixture.h"

#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "navigation/NavigationCommands.h"
#include "navigation/SearchBox.h"
#include "navigation/SubBrowser.h"
#include "shell/Main.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

// Opens a file holding `text` (written without the final CR LF a save adds).
Editor* openText(MainFixture& f, const QString& name, const QString& text) {
    f.dialog.answerFile(f.writeDoc(name, text.toUtf8()));
    f.main().open_Click();
    return f.active();
}

SearchBox* searchBox(MainFixture& f) {
    return f.main().navigation().searchBox();
}
SubBrowser* browser(MainFixture& f) {
    return f.main().navigation().subBrowser();
}

QStringList listed(SubBrowser* dialog) {
    QStringList result;
    for (int row = 0; row < dialog->ListView1->count(); ++row)
        result << dialog->ListView1->item(row)->text();
    return result;
}

// Lets a dialog closed through its frame be deleted.
void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const QString Program = QStringLiteral("' demo\r\n"              // 0
                                       "SUB Main\r\n"            // 8: Main at 11
                                       "  PRINT Area(2, 3)\r\n"  // 18
                                       "END SUB\r\n"             // 38
                                       "FUNCTION Area(w, h)\r\n" // 47: Area at 55
                                       "  Area = w * h\r\n"      // 68
                                       "END FUNCTION\r\n"        // 84
                                       "sub   draw (x)\r\n"      // 98: draw at 101
                                       "END SUB");

} // namespace

class NavigationWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstShowingTakesSelectionAndDisablesMain();
    void leavingTheDialog_data();
    void leavingTheDialog();
    void searchSelectsOccurrences();
    void selectionAcrossLinesFindsAcrossLineBreak();
    void searchAgainRepeatsLastDialogSearch();
    void withoutWindowsSearchShowsError_data();
    void withoutWindowsSearchShowsError();
    void browserListsFileEntryInUpperCase_data();
    void browserListsFileEntryInUpperCase();
    void browserShowsSameListEachTime();
    void gotoPlacesCaretAfterKeyword_data();
    void gotoPlacesCaretAfterKeyword();
    void gotoWithoutSelectionOrWindowDoesNothing();
    void onlyHiddenDocumentsOpen();
};

void NavigationWindowTest::firstShowingTakesSelectionAndDisablesMain() {
    MainFixture f;
    Main& main = f.start();
    Editor* editor = openText(f, QStringLiteral("a.bas"), Program);
    editor->Text1->setSelection(12, 4);
    main.toolbarButton(8)->trigger(); // the toolbar's Search opens the same dialog
    SearchBox* box = searchBox(f);
    QVERIFY(box != nullptr && box->isVisible() && !box->isModal());
    QCOMPARE(box->windowTitle(), QStringLiteral("Search..."));
    QCOMPARE(box->Label1->text(), QStringLiteral("Search For:"));
    QCOMPARE(box->Check1->text(), QStringLiteral("Case Sensitive"));
    QCOMPARE(box->Command1->text(), QStringLiteral("Search"));
    QCOMPARE(box->Command2->text(), QStringLiteral("Cancel"));
    QVERIFY(box->Command1->isDefault());
    QVERIFY(!box->Check1->isChecked());
    QCOMPARE(box->Text1->accessibleName(), QStringLiteral("Search For:"));
    QCOMPARE(box->Text1->text(), QStringLiteral("Main"));

    // The main window takes no input while the dialog keeps working.
    QVERIFY(!main.inputEnabled());
    QTest::keyClicks(box->Text1, QStringLiteral("x"));
    QCOMPARE(box->Text1->text(), QStringLiteral("Mainx"));
    const QString before = editor->Text1->wholeText();
    QTest::keyClicks(editor->Text1, QStringLiteral("typed"));
    QCOMPARE(editor->Text1->wholeText(), before);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

// Each way of leaving gives the main window back. Hidden by Cancel or Escape, the dialog comes
// back as it was, without taking the selection or the main window's input again; closed through
// its frame, it is made afresh.
void NavigationWindowTest::leavingTheDialog_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("discarded");
    QTest::newRow("Cancel") << "Cancel" << false;
    QTest::newRow("Escape") << "Escape" << false;
    QTest::newRow("frame") << "frame" << true;
}

void NavigationWindowTest::leavingTheDialog() {
    QFETCH(QString, how);
    QFETCH(bool, discarded);
    MainFixture f;
    Main& main = f.start();
    Editor* editor = openText(f, QStringLiteral("a.bas"), Program);
    editor->Text1->setSelection(12, 4);
    main.Search_Click();
    SearchBox* box = searchBox(f);
    box->Check1->setChecked(true);
    if (how == QLatin1String("Cancel"))
        QTest::mouseClick(box->Command2, Qt::LeftButton);
    else if (how == QLatin1String("Escape"))
        QTest::keyClick(box->Text1, Qt::Key_Escape);
    else
        QVERIFY(box->close());
    QVERIFY(main.inputEnabled());
    flushDeletes();
    QCOMPARE(searchBox(f) == nullptr, discarded);

    editor->Text1->setSelection(56, 4); // "Area"
    main.Search_Click();
    box = searchBox(f);
    QVERIFY(box->isVisible());
    QCOMPARE(box->Text1->text(), discarded ? QStringLiteral("Area") : QStringLiteral("Main"));
    QCOMPARE(box->Check1->isChecked(), !discarded);
    QCOMPARE(main.inputEnabled(), !discarded);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void NavigationWindowTest::searchSelectsOccurrences() {
    MainFixture f;
    Main& main = f.start();
    Editor* editor = openText(f, QStringLiteral("a.bas"), Program);
    main.Search_Click();
    SearchBox* box = searchBox(f);
    // An empty field does nothing at all.
    QTest::mouseClick(box->Command1, Qt::LeftButton);
    QVERIFY(!main.action(QStringLiteral("searchagain"))->isEnabled());

    box->Text1->setText(QStringLiteral("area"));
    QTest::keyClick(box->Text1, Qt::Key_Return); // Enter presses "Search"
    QCOMPARE(editor->Text1->selStart(), 26);
    QCOMPARE(editor->Text1->selLength(), 4);
    QVERIFY(box->isVisible());
    QVERIFY(main.action(QStringLiteral("searchagain"))->isEnabled());
    QCOMPARE(main.navigation().searchState().SearchText, QStringLiteral("area"));
    QCOMPARE(main.navigation().searchState().SearchCaseFlag, qint16(0));

    // The same occurrence again: the scan starts one character before it.
    QTest::mouseClick(box->Command1, Qt::LeftButton);
    QCOMPARE(editor->Text1->selStart(), 26);

    // Case-sensitive: AREA is nowhere, and the selection stays; Area is found from the caret on.
    box->Check1->setChecked(true);
    box->Text1->setText(QStringLiteral("AREA"));
    QTest::mouseClick(box->Command1, Qt::LeftButton);
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].title, QStringLiteral("Not found !!"));
    QCOMPARE(f.messages.calls[0].text, QStringLiteral("String couldn't be found"));
    QCOMPARE(f.messages.calls[0].icon, MsgIcon::Exclamation);
    QCOMPARE(f.messages.calls[0].buttons, MsgButtons::Ok);
    QCOMPARE(editor->Text1->selStart(), 26);
    QCOMPARE(editor->Text1->selLength(), 4);
    QVERIFY(box->isVisible());
    box->Text1->setText(QStringLiteral("Area"));
    editor->Text1->setSelection(30, 0);
    QTest::mouseClick(box->Command1, Qt::LeftButton);
    QCOMPARE(editor->Text1->selStart(), 56);
    QCOMPARE(main.navigation().searchState().SearchCaseFlag, qint16(1));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void NavigationWindowTest::selectionAcrossLinesFindsAcrossLineBreak() {
    MainFixture f;
    Main& main = f.start();
    Editor* editor = openText(f, QStringLiteral("a.bas"),
                              QStringLiteral("x = 1\r\nPRINT x\r\n"
                                             "x = 1\r\nPRINT y"));
    editor->Text1->setSelection(4, 5); // "1\r\nPR"
    main.Search_Click();
    SearchBox* box = searchBox(f);
    QCOMPARE(box->Text1->text(), QStringLiteral("1\r\nPR"));
    editor->Text1->setSelection(6, 0);
    QTest::mouseClick(box->Command1, Qt::LeftButton);
    QCOMPARE(editor->Text1->selStart(), 20);
    QCOMPARE(editor->Text1->selLength(), 5);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void NavigationWindowTest::searchAgainRepeatsLastDialogSearch() {
    MainFixture f;
    Main& main = f.start();
    Editor* editor = openText(f, QStringLiteral("a.bas"), Program);
    main.Search_Click();
    SearchBox* box = searchBox(f);
    box->Text1->setText(QStringLiteral("end sub"));
    QTest::mouseClick(box->Command1, Qt::LeftButton);
    QCOMPARE(editor->Text1->selStart(), 38);
    // Fields changed without pressing Search do not count.
    box->Text1->setText(QStringLiteral("PRINT"));
    box->Check1->setChecked(true);
    QTest::mouseClick(box->Command2, Qt::LeftButton);

    main.action(QStringLiteral("searchagain"))->trigger();
    QCOMPARE(editor->Text1->selStart(), 38); // the same occurrence
    editor->Text1->setSelection(40, 0);
    QTest::keyClick(editor->Text1, Qt::Key_F3);
    QCOMPARE(editor->Text1->selStart(), 114);
    QCOMPARE(editor->Text1->selLength(), 7);
    QVERIFY(f.messages.calls.isEmpty());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

// "Search..." and "Search again" with no document window open answer with the same message
// and change nothing; "Search again" stays available.
void NavigationWindowTest::withoutWindowsSearchShowsError_data() {
    QTest::addColumn<QString>("item");
    QTest::newRow("search") << "search";
    QTest::newRow("searchagain") << "searchagain";
}

void NavigationWindowTest::withoutWindowsSearchShowsError() {
    QFETCH(QString, item);
    MainFixture f;
    Main& main = f.start();
    Editor* editor = openText(f, QStringLiteral("a.bas"), Program);
    main.Search_Click();
    searchBox(f)->Text1->setText(QStringLiteral("SUB"));
    QTest::mouseClick(searchBox(f)->Command1, Qt::LeftButton);
    QTest::mouseClick(searchBox(f)->Command2, Qt::LeftButton);
    QVERIFY(editor->close());
    QVERIFY(!main.AnyEditorOpen());

    main.action(item)->trigger();
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].title, QStringLiteral("Error"));
    QCOMPARE(f.messages.calls[0].text, QStringLiteral("You must have a window already open"));
    QCOMPARE(f.messages.calls[0].icon, MsgIcon::Exclamation);
    QCOMPARE(f.messages.calls[0].buttons, MsgButtons::Ok);
    QVERIFY(!searchBox(f)->isVisible());
    QVERIFY(main.inputEnabled());
    QVERIFY(main.action(QStringLiteral("searchagain"))->isEnabled());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void NavigationWindowTest::browserListsFileEntryInUpperCase_data() {
    QTest::addColumn<bool>("untitled");
    QTest::addColumn<QString>("entry");
    QTest::newRow("file") << false << "PROG.BAS";
    QTest::newRow("untitled") << true << "UNTITLED (2)";
}

void NavigationWindowTest::browserListsFileEntryInUpperCase() {
    QFETCH(bool, untitled);
    QFETCH(QString, entry);
    MainFixture f;
    Main& main = f.start();
    if (untitled) {
        main.new_Click();
        main.new_Click();
    } else {
        openText(f, QStringLiteral("prog.bas"), QStringLiteral("PRINT 1\r\n"));
    }
    main.action(QStringLiteral("sbrowser"))->trigger();
    SubBrowser* dialog = browser(f);
    QVERIFY(dialog != nullptr);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Subs Browser"));
    QCOMPARE(dialog->Label1->text(), QStringLiteral("Choose a Sub or Function in the list"));
    QCOMPARE(dialog->Command1->text(), QStringLiteral("Goto sub..."));
    QCOMPARE(dialog->Command2->text(), QStringLiteral("Ok"));
    QVERIFY(dialog->Command1->isDefault());
    QCOMPARE(listed(dialog), QStringList{entry});
    QVERIFY(dialog->ListView1->item(0)->isSelected());
    QCOMPARE(dialog->ListView1->item(0)->icon().cacheKey(), main.ImageList1().image(4).cacheKey());
    // The caption itself keeps the full path.
    QCOMPARE(f.active()->windowTitle(),
             untitled ? QStringLiteral("Untitled (2)") : f.docPath(QStringLiteral("prog.bas")));
}

void NavigationWindowTest::browserShowsSameListEachTime() {
    MainFixture f;
    Main& main = f.start();
    openText(f, QStringLiteral("a.bas"), Program);
    const QStringList expected = {"A.BAS", "Main", "Area", "draw"};
    for (int opening = 0; opening < 2; ++opening) {
        main.sbrowser_Click();
        QCOMPARE(listed(browser(f)), expected);
    }
    // The main window keeps its input while the browser is up.
    QVERIFY(main.inputEnabled());
    QVERIFY(!browser(f)->isModal());
    QTest::mouseClick(browser(f)->Command2, Qt::LeftButton); // "Ok" hides
    QVERIFY(!browser(f)->isVisible());
    main.sbrowser_Click();
    QCOMPARE(listed(browser(f)), expected);
    QVERIFY(browser(f)->close());
    flushDeletes();
    QVERIFY(browser(f) == nullptr);
    main.sbrowser_Click();
    QCOMPARE(listed(browser(f)), expected);
    QVERIFY(browser(f)->ListView1->item(0)->isSelected());
    for (int row = 1; row < expected.size(); ++row) {
        QCOMPARE(browser(f)->ListView1->item(row)->icon().cacheKey(),
                 main.ImageList1().image(6).cacheKey());
    }
}

// Goto by button, by double click and by Enter: the caret after the keyword, nothing selected,
// the dialog hidden, the editor focused. Equal names lead to the first.
void NavigationWindowTest::gotoPlacesCaretAfterKeyword_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("offset");
    for (const char* how : {"button", "double click", "enter"}) {
        QTest::addRow("%s: Area", how) << how << 2 << 55;
        QTest::addRow("%s: draw", how) << how << 3 << 101;
        QTest::addRow("%s: file entry", how) << how << 0 << 1;
        QTest::addRow("%s: second Main", how) << how << 4 << 11;
    }
}

void NavigationWindowTest::gotoPlacesCaretAfterKeyword() {
    QFETCH(QString, how);
    QFETCH(int, row);
    QFETCH(int, offset);
    MainFixture f;
    Main& main = f.start();
    Editor* editor = openText(f, QStringLiteral("a.bas"), Program + QStringLiteral("\r\nSUB Main"));
    editor->Text1->setSelection(3, 2);
    main.sbrowser_Click();
    SubBrowser* dialog = browser(f);
    QTRY_VERIFY(dialog->isActiveWindow());
    QListWidgetItem* item = dialog->ListView1->item(row);
    dialog->ListView1->setCurrentItem(item);
    if (how == QLatin1String("button")) {
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    } else if (how == QLatin1String("enter")) {
        dialog->ListView1->setFocus();
        QTest::keyClick(dialog->ListView1, Qt::Key_Return);
    } else {
        const QPoint centre = dialog->ListView1->visualItemRect(item).center();
        QTest::mouseClick(dialog->ListView1->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(dialog->ListView1->viewport(), Qt::LeftButton, {}, centre);
    }
    QCOMPARE(editor->Text1->selStart(), offset);
    QCOMPARE(editor->Text1->selLength(), 0);
    QVERIFY(!dialog->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), editor->Text1);
}

void NavigationWindowTest::gotoWithoutSelectionOrWindowDoesNothing() {
    MainFixture f;
    Main& main = f.start();
    Editor* editor = openText(f, QStringLiteral("a.bas"), Program);
    editor->Text1->setSelection(5, 0);
    main.sbrowser_Click();
    SubBrowser* dialog = browser(f);
    dialog->ListView1->clearSelection();
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    QCOMPARE(editor->Text1->selStart(), 5);

    // The browser stays open while the last document window is closed.
    dialog->ListView1->setCurrentRow(1);
    QVERIFY(editor->close());
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

// A project's member windows can all be hidden: documents are open, but none can be searched
// or browsed.
void NavigationWindowTest::onlyHiddenDocumentsOpen() {
    MainFixture f;
    Main& main = f.start();
    Editor* editor = openText(f, QStringLiteral("a.bas"), Program);
    editor->Text1->setSelection(12, 4);
    editor->hide();
    QVERIFY(main.AnyEditorOpen());

    main.sbrowser_Click();
    QVERIFY(browser(f) == nullptr);

    main.Search_Click();
    SearchBox* box = searchBox(f);
    QVERIFY(box->Text1->text().isEmpty());
    box->Text1->setText(QStringLiteral("Main"));
    QTest::mouseClick(box->Command1, Qt::LeftButton);
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].title, QStringLiteral("Error"));
    QCOMPARE(editor->Text1->selStart(), 12);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

QTEST_MAIN(NavigationWindowTest)
#include "NavigationWindowTest.moc"
