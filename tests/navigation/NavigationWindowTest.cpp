// The search dialog, "Search again" and the procedure browser, driven through the main window.

#include "WindowTest.h"

#include "core/LineBreaks.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "navigation/SearchBox.h"
#include "navigation/SubBrowser.h"
#include "shell/Main.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
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

QString notFound() {
    return box("Not found !!", "String couldn't be found", MsgIcon::Exclamation, MsgButtons::Ok);
}
QString noWindow() {
    return box("Error", "You must have a window already open", MsgIcon::Exclamation,
               MsgButtons::Ok);
}

QStringList listed(SubBrowser* dialog) {
    QStringList result;
    for (int row = 0; row < dialog->ListView1->count(); ++row)
        result << dialog->ListView1->item(row)->text();
    return result;
}

} // namespace

class NavigationWindowTest : public WindowTest {
    Q_OBJECT

    Editor* ed = nullptr;
    void start(const QString& text = Program, const QString& name = "a.bas") {
        ed = open(fx().writeDoc(name, text.toUtf8()));
    }
    std::pair<int, int> selection() const {
        return {ed->Text1->selStart(), ed->Text1->selLength()};
    }
    void search(const QString& pattern) {
        searchDialog()->Text1->setText(pattern);
        QTest::mouseClick(searchDialog()->Command1, Qt::LeftButton);
    }

private Q_SLOTS:

    // The search dialog from its first showing to the last "Search again". The selection fills the
    // field; the main window takes no input while the dialog works; "Search again" repeats the last
    // search made in the dialog. With no document window open, both commands answer with a message.
    void searchDialogAndSearchAgain() {
        start();
        QAction* again = main().action(QStringLiteral("searchagain"));
        QVERIFY(!again->isEnabled());       // nothing to repeat yet
        ed->Text1->setSelection(35, 8);     // ")\r\nEND S", across a line break
        main().toolbarButton(8)->trigger(); // the toolbar's Search opens the same dialog
        SearchBox* box = searchDialog();
        QVERIFY(box != nullptr && box->isVisible() && !box->isModal());
        QVERIFY(!box->Check1->isChecked());
        QCOMPARE(box->Text1->text(), QStringLiteral(")\r\nEND S"));

        QVERIFY(!main().inputEnabled());
        const QString before = ed->Text1->wholeText();
        QTest::keyClicks(ed->Text1, QStringLiteral("typed"));
        QCOMPARE(ed->Text1->wholeText(), before);
        ed->Text1->setSelection(40, 0);
        QTest::mouseClick(box->Command1, Qt::LeftButton);
        QCOMPARE(selection(), std::pair(111, 8)); // the CR LF counts two characters
        // An empty field does nothing at all.
        search(QString());
        QCOMPARE(selection(), std::pair(111, 8));

        ed->Text1->setSelection(0, 0);
        box->Text1->setText(QStringLiteral("area"));
        QTest::keyClick(box->Text1, Qt::Key_Return); // Enter presses "Search"
        QCOMPARE(selection(), std::pair(26, 4));
        QTest::mouseClick(box->Command1, Qt::LeftButton);
        QCOMPARE(selection(), std::pair(26, 4)); // the scan starts one character before the caret
        // Case-sensitive: AREA is nowhere, and the selection stays.
        box->Check1->setChecked(true);
        search(QStringLiteral("AREA"));
        QCOMPARE(boxes(), QStringList{notFound()});
        QCOMPARE(selection(), std::pair(26, 4));
        QVERIFY(box->isVisible());

        box->Check1->setChecked(false);
        ed->Text1->setSelection(56, 0);
        search(QStringLiteral("end sub"));
        QCOMPARE(selection(), std::pair(114, 7));
        // Fields changed without pressing Search do not count.
        box->Text1->setText(QStringLiteral("PRINT"));
        box->Check1->setChecked(true);
        QTest::mouseClick(box->Command2, Qt::LeftButton);
        QVERIFY(again->isEnabled());
        again->trigger();
        QCOMPARE(selection(), std::pair(114, 7)); // the same occurrence
        ed->Text1->setSelection(0, 0);
        QTest::keyClick(ed->Text1, Qt::Key_F3);
        QCOMPARE(selection(), std::pair(38, 7));

        QVERIFY(ed->close());
        for (const char* item : {"searchagain", "search"}) {
            main().action(QLatin1String(item))->trigger();
            QVERIFY(!searchDialog()->isVisible());
            QVERIFY(main().inputEnabled());
        }
        QCOMPARE(boxes(), QStringList({notFound(), noWindow(), noWindow()}));
        QVERIFY(again->isEnabled());
    }

    // Hidden by Cancel, the dialog comes back as it was, without taking the selection or the main
    // window's input again. (Made afresh after its frame closed it: the stand-in dialogs' table.)
    void cancelledDialogComesBackAsLeft() {
        start();
        ed->Text1->setSelection(12, 4);
        trigger("search");
        searchDialog()->Check1->setChecked(true);
        QTest::mouseClick(searchDialog()->Command2, Qt::LeftButton);
        ed->Text1->setSelection(56, 4); // "Area"
        trigger("search");
        QVERIFY(searchDialog()->isVisible());
        QCOMPARE(searchDialog()->Text1->text(), QStringLiteral("Main"));
        QVERIFY(searchDialog()->Check1->isChecked());
        QVERIFY(main().inputEnabled());
    }

    // The list starts with the file entry in upper case and is the same on every opening: after
    // "Ok" hid it, and made afresh after it was closed through its frame. The browser takes no
    // input from the main window.
    void browserListsTheSameEntriesEachTime_data() {
        QTest::addColumn<bool>("untitled");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("file") << false << QStringList{"PROG.BAS", "Main", "Area", "draw"};
        QTest::newRow("untitled") << true << QStringList{"UNTITLED (2)"};
    }

    void browserListsTheSameEntriesEachTime() {
        QFETCH(bool, untitled);
        QFETCH(QStringList, entries);
        start(Program, QStringLiteral("prog.bas"));
        if (untitled) {
            trigger("new");
            trigger("new");
        }
        trigger("sbrowser");
        SubBrowser* dialog = browserDialog();
        QVERIFY(dialog != nullptr && dialog->isVisible() && !dialog->isModal());
        QVERIFY(dialog->Command1->isDefault());
        QVERIFY(main().inputEnabled());

        QCOMPARE(listed(dialog), entries);
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        trigger("sbrowser");
        QCOMPARE(listed(browserDialog()), entries);
        QVERIFY(dialog->close());
        flushDeletes();
        QVERIFY(browserDialog() == nullptr);
        trigger("sbrowser");
        dialog = browserDialog();
        QCOMPARE(listed(dialog), entries);
        QVERIFY(dialog->ListView1->item(0)->isSelected());
        for (int row = 0; row < entries.size(); ++row) {
            QCOMPARE(dialog->ListView1->item(row)->icon().cacheKey(),
                     main().ImageList1().image(row == 0 ? 4 : 6).cacheKey());
        }
    }

    // Goto by button, by double click and by Enter: the caret after the keyword, nothing selected,
    // the dialog hidden, the editor focused. Equal names lead to the first.
    void gotoPlacesCaretAfterKeyword_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("offset");
        QTest::newRow("button: Area") << "button" << 2 << 55;
        QTest::newRow("double click: draw") << "double click" << 3 << 101;
        QTest::newRow("enter: file entry") << "enter" << 0 << 1;
        QTest::newRow("button: second Main") << "button" << 4 << 11;
    }

    void gotoPlacesCaretAfterKeyword() {
        QFETCH(QString, how);
        QFETCH(int, row);
        QFETCH(int, offset);
        start(Program + QStringLiteral("\r\nSUB Main"));
        ed->Text1->setSelection(3, 2);
        trigger("sbrowser");
        SubBrowser* dialog = browserDialog();
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
        QCOMPARE(selection(), std::pair(offset, 0));
        QVERIFY(!dialog->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), ed->Text1);
    }

    void gotoWithoutSelectionOrWindowDoesNothing() {
        start();
        ed->Text1->setSelection(5, 0);
        trigger("sbrowser");
        SubBrowser* dialog = browserDialog();
        dialog->ListView1->clearSelection();
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QCOMPARE(selection(), std::pair(5, 0));

        // The browser stays open while the last document window is closed.
        dialog->ListView1->setCurrentRow(1);
        QVERIFY(ed->close());
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        QVERIFY(dialog->isVisible());
    }

    // A project's member windows can all be hidden: documents are open, but none can be searched
    // or browsed.
    void onlyHiddenDocumentsOpen() {
        start();
        ed->Text1->setSelection(12, 4);
        ed->hide();
        QVERIFY(main().AnyEditorOpen());

        trigger("sbrowser");
        QVERIFY(browserDialog() == nullptr);

        trigger("search");
        QVERIFY(searchDialog()->Text1->text().isEmpty());
        search(QStringLiteral("Main"));
        QCOMPARE(boxes(), QStringList{noWindow()});
        QCOMPARE(selection(), std::pair(12, 4));
    }

    // Every step that reads the editor's buffer in pieces or maps through its line index lands on
    // the UTF-16 offset of the text itself, CR LF counting two, after emoji and lone LF line ends
    // in a text long enough to take several pieces.
    void offsetsStayExactInALargeText_data() {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("search, exact") << "search" << QString::fromUtf16(u"\U0001F600 The End");
        QTest::newRow("search, any case")
            << "search any case" << QString::fromUtf16(u"\U0001F600 the end");
        QTest::newRow("browser, last procedure") << "browse"
                                                 << "";
        QTest::newRow("selection after typed text") << "type"
                                                    << "";
    }

    void offsetsStayExactInALargeText() {
        QFETCH(QString, step);
        QFETCH(QString, pattern);
        QString file = QString::fromUtf16(u"\u00e9\U0001F600\n\r\n");
        for (int line = 0; line < 20000; ++line)
            file += QString::fromUtf16(u"  PRINT \"\U0001F600\" \U0001F600 the\n");
        file += QString::fromUtf16(u"SUB Last\r\n\U0001F600 The End\r\n");
        const QString text = toCrLf(file);
        start(file);
        EditorText& editor = *ed->Text1;
        editor.setSelection(3, 0);
        std::pair<int, int> expected;
        if (step.startsWith(QLatin1String("search"))) {
            trigger("search");
            searchDialog()->Check1->setChecked(step == "search");
            search(pattern);
            expected = {int(text.indexOf(QStringLiteral("The End"))) - 3, int(pattern.size())};
        } else if (step == "browse") {
            trigger("sbrowser");
            browserDialog()->ListView1->setCurrentRow(1);
            QTest::mouseClick(browserDialog()->Command1, Qt::LeftButton);
            expected = {int(text.indexOf(QStringLiteral("SUB Last"))) + 3, 0};
        } else {
            editor.setSelection(text.size() - 4, 0);
            QTest::keyClicks(&editor, QStringLiteral("ab"));
            QTest::keyClick(&editor, Qt::Key_Return);
            editor.setSelection(text.size() - 9, 9);
            QCOMPARE(editor.selectedWholeText(), QStringLiteral("The Eab\r\n"));
            expected = {int(text.size()) - 9, 9};
        }
        QCOMPARE(selection(), expected);
        QCOMPARE(fx().messages.calls.size(), 0);
    }
};

QTEST_MAIN(NavigationWindowTest)
#include "NavigationWindowTest.moc"
