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
    // search made in the dialog. Hidden by Cancel, the dialog comes back as it was left, without
    // taking the selection or the main window's input again. With no document window open, both
    // commands answer with a message.
    void searchDialogAndSearchAgain() {
        start();
        ed->Text1->setSelection(35, 8);     // ")\r\nEND S", across a line break
        main().toolbarButton(8)->trigger(); // the toolbar's Search opens the same dialog
        SearchBox* box = searchDialog();
        QVERIFY(box->isVisible() && !box->isModal() && !box->Check1->isChecked() &&
                !main().inputEnabled());
        QCOMPARE(box->Text1->text(), QStringLiteral(")\r\nEND S"));
        ed->Text1->setSelection(40, 0);
        QTest::mouseClick(box->Command1, Qt::LeftButton);
        QCOMPARE(selection(), std::pair(111, 8)); // the CR LF counts two characters
        search(QString());                        // an empty field does nothing at all
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
        trigger("search");
        QVERIFY(box->isVisible() && box->Check1->isChecked() && main().inputEnabled());
        QCOMPARE(box->Text1->text(), QStringLiteral("PRINT"));
        trigger("searchagain");
        QCOMPARE(selection(), std::pair(114, 7)); // the same occurrence
        ed->Text1->setSelection(0, 0);
        QTest::keyClick(ed->Text1, Qt::Key_F3);
        QCOMPARE(selection(), std::pair(38, 7));

        QTest::mouseClick(box->Command2, Qt::LeftButton);
        QVERIFY(ed->close());
        for (const char* item : {"searchagain", "search"}) {
            trigger(item);
            QVERIFY(!searchDialog()->isVisible() && main().inputEnabled());
        }
        QCOMPARE(boxes(), QStringList({notFound(), noWindow(), noWindow()}));
    }

    // The list starts with the file entry in upper case and is the same on every opening: after
    // "Ok" hid it, and made afresh after it was closed through its frame. The browser takes no
    // input from the main window. Goto with nothing selected, or with no document window left,
    // does nothing and leaves the browser up.
    void browserListsTheSameEntriesEachTime() {
        const QStringList entries{"PROG.BAS", "Main", "Area", "draw"};
        start(Program, QStringLiteral("prog.bas"));
        ed->Text1->setSelection(5, 0);
        trigger("sbrowser");
        SubBrowser* dialog = browserDialog();
        QVERIFY(dialog->isVisible() && !dialog->isModal() && dialog->Command1->isDefault() &&
                main().inputEnabled());
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

        dialog->ListView1->clearSelection();
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QCOMPARE(selection(), std::pair(5, 0));
        dialog->ListView1->setCurrentRow(1);
        QVERIFY(ed->close());
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        QVERIFY(dialog->isVisible());

        // An untitled document's entry is its caption in upper case.
        trigger("new");
        trigger("new");
        trigger("sbrowser");
        QCOMPARE(listed(browserDialog()), QStringList{"UNTITLED (2)"});
    }

    // Goto by button, by double click and by Enter: the caret after the keyword, nothing selected,
    // the dialog hidden, the editor focused. Equal names lead to the first.
    void gotoPlacesCaretAfterKeyword() {
        start(Program + QStringLiteral("\r\nSUB Main"));
        const struct {
            QString how;
            int row, offset;
        } cases[] = {
            {"button", 2, 55}, {"double click", 3, 101}, {"enter", 0, 1}, {"button", 4, 11}};
        for (const auto& [how, row, offset] : cases) {
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
            QCOMPARE(QList({row, int(ed->Text1->selStart()), int(ed->Text1->selLength()),
                            int(dialog->isVisible())}),
                     QList({row, offset, 0, 0}));
            QTRY_COMPARE(QApplication::focusWidget(), ed->Text1);
        }
    }

    // Every step that reads the editor's buffer in pieces or maps through its line index lands on
    // the UTF-16 offset of the text itself, CR LF counting two, after emoji and lone LF line ends
    // in a text long enough to take several pieces.
    void offsetsStayExactInALargeText() {
        QString file = QString::fromUtf16(u"\u00e9\U0001F600\n\r\n");
        for (int line = 0; line < 20000; ++line)
            file += QString::fromUtf16(u"  PRINT \"\U0001F600\" \U0001F600 the\n");
        file += QString::fromUtf16(u"SUB Last\r\n\U0001F600 The End\r\n");
        const QString text = toCrLf(file);
        start(file);
        trigger("search");
        for (const bool exact : {true, false}) {
            ed->Text1->setSelection(3, 0);
            searchDialog()->Check1->setChecked(exact);
            search(QString::fromUtf16(exact ? u"\U0001F600 The End" : u"\U0001F600 the end"));
            QCOMPARE(selection(), std::pair(int(text.indexOf(QStringLiteral("The End"))) - 3, 10));
        }
        QTest::mouseClick(searchDialog()->Command2, Qt::LeftButton);
        trigger("sbrowser");
        browserDialog()->ListView1->setCurrentRow(1);
        QTest::mouseClick(browserDialog()->Command1, Qt::LeftButton);
        QCOMPARE(selection(), std::pair(int(text.indexOf(QStringLiteral("SUB Last"))) + 3, 0));
        // Typed text, then a selection set across it.
        ed->Text1->setSelection(text.size() - 4, 0);
        QTest::keyClicks(ed->Text1, QStringLiteral("ab"));
        QTest::keyClick(ed->Text1, Qt::Key_Return);
        ed->Text1->setSelection(text.size() - 9, 9);
        QCOMPARE(ed->Text1->selectedWholeText(), QStringLiteral("The Eab\r\n"));
        QCOMPARE(selection(), std::pair(int(text.size()) - 9, 9));
        QCOMPARE(fx().messages.calls.size(), 0);
    }
};

QTEST_MAIN(NavigationWindowTest)
#include "NavigationWindowTest.moc"
