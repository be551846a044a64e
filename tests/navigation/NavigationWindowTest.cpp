// The search dialog, "Search again" and the procedure browser, driven through the main window.

#include "MainFixture.h"

#include "build/BuildCommands.h"
#include "core/LineBreaks.h"
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

const QString Program = QStringLiteral("' demo\r\n"              // 0
                                       "SUB Main\r\n"            // 8: Main at 11
                                       "  PRINT Area(2, 3)\r\n"  // 18
                                       "END SUB\r\n"             // 38
                                       "FUNCTION Area(w, h)\r\n" // 47: Area at 55
                                       "  Area = w * h\r\n"      // 68
                                       "END FUNCTION\r\n"        // 84
                                       "sub   draw (x)\r\n"      // 98: draw at 101
                                       "END SUB");               // 114

// Main started with one document window holding `text` (opened from a file, so written
// without the final CR LF a save adds).
struct Session : MainFixture {
    explicit Session(const QString& text = Program, const QString& name = QStringLiteral("a.bas"))
        : main(start()) {
        dialog.answerFile(writeDoc(name, text.toUtf8()));
        main.open_Click();
        editor = active();
    }
    SearchBox* box() { return main.navigation().searchBox(); }
    SubBrowser* browser() { return main.navigation().subBrowser(); }
    std::pair<int, int> selection() const {
        return {editor->Text1->selStart(), editor->Text1->selLength()};
    }
    // Types `pattern` into the search dialog and presses "Search".
    void search(const QString& pattern) {
        box()->Text1->setText(pattern);
        QTest::mouseClick(box()->Command1, Qt::LeftButton);
    }

    Main& main;
    Editor* editor = nullptr;
};

// The message boxes shown so far as "title: text"; an icon other than the exclamation mark or
// buttons other than OK alone are added in brackets.
QStringList shownMessages(const MainFixture& f) {
    QStringList result;
    for (const MessageCall& call : f.messages.calls) {
        const bool plain = call.icon == MsgIcon::Exclamation && call.buttons == MsgButtons::Ok;
        result << call.title + QStringLiteral(": ") + call.text +
                      (plain ? QString() : QStringLiteral(" [other icon or buttons]"));
    }
    return result;
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

} // namespace

class NavigationWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void searchDialogAndSearchAgain();
    void leavingTheDialog_data();
    void leavingTheDialog();
    void browserListsTheSameEntriesEachTime_data();
    void browserListsTheSameEntriesEachTime();
    void gotoPlacesCaretAfterKeyword_data();
    void gotoPlacesCaretAfterKeyword();
    void gotoWithoutSelectionOrWindowDoesNothing();
    void onlyHiddenDocumentsOpen();
    void offsetsStayExactInALargeText_data();
    void offsetsStayExactInALargeText();
};

// The search dialog from its first showing to the last "Search again". The selection fills the
// field; the main window takes no input while the dialog works; "Search again" repeats the last
// search made in the dialog. With no document window open, both commands answer with a message.
void NavigationWindowTest::searchDialogAndSearchAgain() {
    Session s;
    QAction* again = s.main.action(QStringLiteral("searchagain"));
    QVERIFY(!again->isEnabled());         // nothing to repeat yet
    s.editor->Text1->setSelection(35, 8); // ")\r\nEND S", across a line break
    s.main.toolbarButton(8)->trigger();   // the toolbar's Search opens the same dialog
    SearchBox* box = s.box();
    QVERIFY(box != nullptr && box->isVisible() && !box->isModal());
    QCOMPARE(box->windowTitle(), QStringLiteral("Search..."));
    QCOMPARE(box->Label1->text(), QStringLiteral("Search For:"));
    QCOMPARE(box->Check1->text(), QStringLiteral("Case Sensitive"));
    QCOMPARE(box->Command1->text(), QStringLiteral("Search"));
    QCOMPARE(box->Command2->text(), QStringLiteral("Cancel"));
    QVERIFY(!box->Check1->isChecked());
    QCOMPARE(box->Text1->text(), QStringLiteral(")\r\nEND S"));

    QVERIFY(!s.main.inputEnabled());
    const QString before = s.editor->Text1->wholeText();
    QTest::keyClicks(s.editor->Text1, QStringLiteral("typed"));
    QCOMPARE(s.editor->Text1->wholeText(), before);
    s.editor->Text1->setSelection(40, 0);
    QTest::mouseClick(box->Command1, Qt::LeftButton);
    QCOMPARE(s.selection(), std::pair(111, 8)); // the CR LF counts two characters
    // An empty field does nothing at all.
    s.search(QString());
    QCOMPARE(s.selection(), std::pair(111, 8));

    s.editor->Text1->setSelection(0, 0);
    box->Text1->setText(QStringLiteral("area"));
    QTest::keyClick(box->Text1, Qt::Key_Return); // Enter presses "Search"
    QCOMPARE(s.selection(), std::pair(26, 4));
    QTest::mouseClick(box->Command1, Qt::LeftButton);
    QCOMPARE(s.selection(), std::pair(26, 4)); // the scan starts one character before the caret
    // Case-sensitive: AREA is nowhere, and the selection stays; Area is found from the caret on.
    box->Check1->setChecked(true);
    s.search(QStringLiteral("AREA"));
    QCOMPARE(shownMessages(s), QStringList{"Not found !!: String couldn't be found"});
    QCOMPARE(s.selection(), std::pair(26, 4));
    QVERIFY(box->isVisible());
    s.editor->Text1->setSelection(30, 0);
    s.search(QStringLiteral("Area"));
    QCOMPARE(s.selection(), std::pair(56, 4));

    box->Check1->setChecked(false);
    s.search(QStringLiteral("end sub"));
    QCOMPARE(s.selection(), std::pair(114, 7));
    // Fields changed without pressing Search do not count.
    box->Text1->setText(QStringLiteral("PRINT"));
    box->Check1->setChecked(true);
    QTest::mouseClick(box->Command2, Qt::LeftButton);
    QVERIFY(again->isEnabled());
    again->trigger();
    QCOMPARE(s.selection(), std::pair(114, 7)); // the same occurrence
    s.editor->Text1->setSelection(0, 0);
    QTest::keyClick(s.editor->Text1, Qt::Key_F3);
    QCOMPARE(s.selection(), std::pair(38, 7));

    QVERIFY(s.editor->close());
    for (const char* item : {"searchagain", "search"}) {
        s.main.action(QLatin1String(item))->trigger();
        QVERIFY(!s.box()->isVisible());
        QVERIFY(s.main.inputEnabled());
    }
    const QString noWindow = QStringLiteral("Error: You must have a window already open");
    QCOMPARE(shownMessages(s),
             QStringList({"Not found !!: String couldn't be found", noWindow, noWindow}));
    QVERIFY(again->isEnabled());
    VERIFY_NO_PROMPT_PROBLEMS(s);
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
    Session s;
    s.editor->Text1->setSelection(12, 4);
    s.main.Search_Click();
    SearchBox* box = s.box();
    box->Check1->setChecked(true);
    if (how == QLatin1String("Cancel"))
        QTest::mouseClick(box->Command2, Qt::LeftButton);
    else if (how == QLatin1String("Escape"))
        QTest::keyClick(box->Text1, Qt::Key_Escape);
    else
        QVERIFY(box->close());
    QVERIFY(s.main.inputEnabled());
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), s.editor->Text1); // the next key goes to the text
    flushDeletes();
    QCOMPARE(s.box() == nullptr, discarded);

    s.editor->Text1->setSelection(56, 4); // "Area"
    s.main.Search_Click();
    box = s.box();
    QVERIFY(box->isVisible());
    QCOMPARE(box->Text1->text(), discarded ? QStringLiteral("Area") : QStringLiteral("Main"));
    QCOMPARE(box->Check1->isChecked(), !discarded);
    QCOMPARE(s.main.inputEnabled(), !discarded);
    VERIFY_NO_PROMPT_PROBLEMS(s);
}

// The list starts with the file entry in upper case (the caption itself keeps the full path),
// and is the same on every opening: shown again while up, after "Ok" hid it, and made afresh
// after it was closed through its frame. The browser takes no input from the main window.
void NavigationWindowTest::browserListsTheSameEntriesEachTime_data() {
    QTest::addColumn<bool>("untitled");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("file") << false << QStringList{"PROG.BAS", "Main", "Area", "draw"};
    QTest::newRow("untitled") << true << QStringList{"UNTITLED (2)"};
}

void NavigationWindowTest::browserListsTheSameEntriesEachTime() {
    QFETCH(bool, untitled);
    QFETCH(QStringList, entries);
    Session s(Program, QStringLiteral("prog.bas"));
    if (untitled) {
        s.main.new_Click();
        s.main.new_Click();
    }
    s.main.action(QStringLiteral("sbrowser"))->trigger();
    SubBrowser* dialog = s.browser();
    QVERIFY(dialog != nullptr && dialog->isVisible() && !dialog->isModal());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Subs Browser"));
    QCOMPARE(dialog->Label1->text(), QStringLiteral("Choose a Sub or Function in the list"));
    QCOMPARE(dialog->Command1->text(), QStringLiteral("Goto sub..."));
    QCOMPARE(dialog->Command2->text(), QStringLiteral("Ok"));
    QVERIFY(dialog->Command1->isDefault());
    QVERIFY(s.main.inputEnabled());
    QCOMPARE(s.active()->windowTitle(),
             untitled ? QStringLiteral("Untitled (2)") : s.docPath(QStringLiteral("prog.bas")));

    QCOMPARE(listed(dialog), entries);
    s.main.sbrowser_Click();
    QCOMPARE(listed(s.browser()), entries);
    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    s.main.sbrowser_Click();
    QCOMPARE(listed(s.browser()), entries);
    QVERIFY(dialog->close());
    flushDeletes();
    QVERIFY(s.browser() == nullptr);
    s.main.sbrowser_Click();
    dialog = s.browser();
    QCOMPARE(listed(dialog), entries);
    QVERIFY(dialog->ListView1->item(0)->isSelected());
    for (int row = 0; row < entries.size(); ++row) {
        QCOMPARE(dialog->ListView1->item(row)->icon().cacheKey(),
                 s.main.ImageList1().image(row == 0 ? 4 : 6).cacheKey());
    }
    VERIFY_NO_PROMPT_PROBLEMS(s);
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
    Session s(Program + QStringLiteral("\r\nSUB Main"));
    s.editor->Text1->setSelection(3, 2);
    s.main.sbrowser_Click();
    SubBrowser* dialog = s.browser();
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
    QCOMPARE(s.selection(), std::pair(offset, 0));
    QVERIFY(!dialog->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), s.editor->Text1);
}

void NavigationWindowTest::gotoWithoutSelectionOrWindowDoesNothing() {
    Session s;
    s.editor->Text1->setSelection(5, 0);
    s.main.sbrowser_Click();
    SubBrowser* dialog = s.browser();
    dialog->ListView1->clearSelection();
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    QCOMPARE(s.selection(), std::pair(5, 0));

    // The browser stays open while the last document window is closed.
    dialog->ListView1->setCurrentRow(1);
    QVERIFY(s.editor->close());
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    VERIFY_NO_PROMPT_PROBLEMS(s);
}

// A project's member windows can all be hidden: documents are open, but none can be searched
// or browsed.
void NavigationWindowTest::onlyHiddenDocumentsOpen() {
    Session s;
    s.editor->Text1->setSelection(12, 4);
    s.editor->hide();
    QVERIFY(s.main.AnyEditorOpen());

    s.main.sbrowser_Click();
    QVERIFY(s.browser() == nullptr);

    s.main.Search_Click();
    QVERIFY(s.box()->Text1->text().isEmpty());
    s.search(QStringLiteral("Main"));
    QCOMPARE(shownMessages(s), QStringList{"Error: You must have a window already open"});
    QCOMPARE(s.selection(), std::pair(12, 4));
    VERIFY_NO_PROMPT_PROBLEMS(s);
}

// Every step that reads the editor's buffer in pieces or maps through its line index lands on
// the UTF-16 offset of the text itself, CR LF counting two, after emoji and lone LF line ends in
// a text long enough to take several pieces.
void NavigationWindowTest::offsetsStayExactInALargeText_data() {
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("search, exact") << "search" << QString::fromUtf16(u"\U0001F600 The End");
    QTest::newRow("search, any case")
        << "search any case" << QString::fromUtf16(u"\U0001F600 the end");
    QTest::newRow("goto line, last") << "goto"
                                     << "";
    QTest::newRow("browser, last procedure") << "browse"
                                             << "";
    QTest::newRow("selection after typed text") << "type"
                                                << "";
}

void NavigationWindowTest::offsetsStayExactInALargeText() {
    QFETCH(QString, step);
    QFETCH(QString, pattern);
    QString file = QString::fromUtf16(u"\u00e9\U0001F600\n\r\n");
    for (int line = 0; line < 20000; ++line)
        file += QString::fromUtf16(u"  PRINT \"\U0001F600\" \U0001F600 the\n");
    file += QString::fromUtf16(u"SUB Last\r\n\U0001F600 The End\r\n");
    const QString text = toCrLf(file);
    Session s(file);
    EditorText& editor = *s.editor->Text1;
    editor.setSelection(3, 0);
    std::pair<int, int> expected;
    if (step.startsWith(QLatin1String("search"))) {
        s.main.navigation().searchState() = SearchState{pattern, qint16(step == "search")};
        s.main.searchagain_Click();
        expected = {int(text.indexOf(QStringLiteral("The End"))) - 3, int(pattern.size())};
    } else if (step == "goto") {
        s.main.buildCommands().GotoErrorLine(double(text.count(QStringLiteral("\r\n")) + 1), {}, 0);
        expected = {int(text.size()), 0};
    } else if (step == "browse") {
        s.main.sbrowser_Click();
        s.browser()->ListView1->setCurrentRow(1);
        s.main.navigation().gotoSelectedProcedure();
        expected = {int(text.indexOf(QStringLiteral("SUB Last"))) + 3, 0};
    } else {
        editor.setSelection(text.size() - 4, 0);
        QTest::keyClicks(&editor, QStringLiteral("ab"));
        QTest::keyClick(&editor, Qt::Key_Return);
        editor.setSelection(text.size() - 9, 9);
        QCOMPARE(editor.selectedWholeText(), QStringLiteral("The Eab\r\n"));
        expected = {int(text.size()) - 9, 9};
    }
    QCOMPARE(s.selection(), expected);
    QCOMPARE(s.messages.calls.size(), 0);
}

QTEST_MAIN(NavigationWindowTest)
#include "NavigationWindowTest.moc"
