// The search dialog, "Search again" and the procedure browser, driven through the main window;
// and the text scans beneath them.

#include "LiteralDefinitions.h"
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
#include <QRandomGenerator>
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
    // input from the main window. Goto by button, by double click and by Enter: the caret after
    // the keyword, nothing selected, the dialog hidden, the editor focused; equal names lead to
    // the first. Goto with nothing selected, or with no document window left, does nothing and
    // leaves the browser up.
    void browserListsTheSameEntriesEachTime() {
        const QStringList entries{"PROG.BAS", "Main", "Area", "draw", "Main"};
        start(Program + QStringLiteral("\r\nSUB Main"), QStringLiteral("prog.bas"));
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

        const struct {
            QString how;
            int row, offset;
        } cases[] = {
            {"button", 2, 55}, {"double click", 3, 101}, {"enter", 0, 1}, {"button", 4, 11}};
        for (const auto& [how, row, offset] : cases) {
            ed->Text1->setSelection(3, 2);
            trigger("sbrowser");
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
        ed->Text1->setSelection(5, 0);
        trigger("sbrowser");
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
        QTest::keyClicks(ed->Text1, QStringLiteral("ab\r"));
        ed->Text1->setSelection(text.size() - 9, 9);
        QCOMPARE(ed->Text1->selectedWholeText(), QStringLiteral("The Eab\r\n"));
        QCOMPARE(selection(), std::pair(int(text.size()) - 9, 9));
        QCOMPARE(fx().messages.calls.size(), 0);
    }

    // The text scans on their own: the forward search (start one character before the caret, no
    // wrap, CR LF as two characters, case folding by upper-casing both sides) and the procedure
    // scan (which lines are headers, the names and the caret offsets, the file entry, the lookup of
    // an entry by its text).
    // Each row: the text, the selection start, the pattern, the case flag, and the selection start
    // of the match (-1 for "not found").
    void findText() {
        QStringList found;
        QStringList expected;
        const auto row = [&](const QString& name, const QString& text, int selStart,
                             const QString& pattern, int caseFlag, int at) {
            found << name + ": " +
                         QString::number(FindText(text, selStart, pattern, caseFlag).value_or(-1));
            expected << name + ": " + QString::number(at);
        };
        const QString prints = QStringLiteral("PRINT Print print");
        row("first character, caret at 0", prints, 0, "PRINT", 1, 0);
        row("last characters", "a = 1\r\nPRINT x", 0, "T x", 1, 11);
        row("last character alone", "abc", 3, "c", 1, 2);
        row("begins just before the caret", "1234PRINT PRINT", 5, "PRINT", 1, 4);
        row("again on the selected occurrence", "1234PRINT PRINT", 4, "PRINT", 1, 4);
        row("caret past the occurrence", "1234PRINT PRINT", 6, "PRINT", 1, 10);
        row("no wrap to the top", "PRINT x", 3, "PRINT", 1, -1);
        row("longer than the rest", "abcdef", 4, "defg", 1, -1);
        row("empty text", "", 0, "a", 0, -1);
        row("ignore case: print finds PRINT", prints, 0, "print", 0, 0);
        row("ignore case: then Print", prints, 2, "print", 0, 6);
        row("exact: print only", prints, 0, "print", 1, 12);
        row("exact: any non-zero flag", prints, 0, "print", -1, 12);
        row("across CR LF", "x = 1\r\nPRINT x", 0, "1\r\nPR", 1, 4);
        row("accented letters fold", QString::fromUtf16(u"caf\u00e9 CAF\u00c9"), 1,
            QString::fromUtf16(u"CAF\u00e9"), 0, 0);
        row("sharp s stays one character", QString::fromUtf16(u"STRASSE stra\u00dfe"), 0,
            QString::fromUtf16(u"STRA\u00dfE"), 0, 8);
        row("NUL is a character", QString::fromUtf16(u"a\0b\0c", 5), 0,
            QString::fromUtf16(u"\0c", 2), 1, 3);
        row("after a character outside the BMP", QString::fromUtf16(u"\U0001F600x"), 0, "x", 0, 2);
        // Long texts where nearly every position starts a partial match.
        const QString as = QString(20000, u'a');
        row("aab after 20000 a", as + "b", 0, "aab", 1, 19998);
        row("aaB after 20000 A", as.toUpper() + "b", 0, "aaB", 0, 19998);
        row("ab repeated, then c", QString("ab").repeated(10000) + "c", 0, "abc", 1, 19998);
        row("5000 a and b in a's", as, 0, QString(5000, u'a') + "b", 0, -1);
        // Long texts are upper-cased and searched in pieces: an occurrence that straddles the end
        // of a piece, or begins right at it, must still be the one found.
        for (const int boundary : {4096, 8192, 16384, 32768, 65536, 131072}) {
            for (const int shift : {-5, -4, -3, -2, -1, 0, 1}) {
                for (const int selStart : {0, 1001}) {
                    const int at = boundary + shift + (selStart > 0 ? selStart - 1 : 0);
                    QString text(200000, u'a');
                    text.replace(at, 5, QStringLiteral("xYzZy"));
                    row("xYzZy at " + QString::number(at), text, selStart, "XYZZY", 0, at);
                }
            }
        }
        QCOMPARE(found, expected);
    }

    // Random texts over a small alphabet, so that partial matches, case pairs and line breaks are
    // frequent, against the definition written out one character at a time.
    void searchAgreesWithTheLiteralDefinition() {
        const QString alphabet = QString::fromUtf16(u"aAbB \r\n\u00e9\u00c9\u017fsS\u00df");
        QRandomGenerator random(20240611);
        const auto randomText = [&](int length) {
            QString text;
            for (int i = 0; i < length; ++i)
                text += alphabet[random.bounded(alphabet.size())];
            return text;
        };
        for (int round = 0; round < 4000; ++round) {
            const QString text = randomText(random.bounded(0, 120));
            // Mostly a piece of the text, sometimes lower-cased; otherwise random letters.
            QString pattern = randomText(random.bounded(1, 4));
            if (!text.isEmpty() && random.bounded(3) > 0) {
                pattern = text.mid(random.bounded(text.size()), random.bounded(1, 5));
                if (random.bounded(2) == 0)
                    pattern = pattern.toLower();
            }
            const int selStart = random.bounded(0, text.size() + 1);
            for (const int caseFlag : {0, 1}) {
                QVERIFY2(FindText(text, selStart, pattern, caseFlag) ==
                             literal::FindText(text, selStart, pattern, caseFlag),
                         ((text + '|' + pattern).toUtf8().toPercentEncoding() + '|' +
                          QByteArray::number(selStart * 2 + caseFlag))
                             .constData());
            }
        }
    }

    // Upper-casing keeps one unit for one unit and gives the table's answer for every unit. Runs of
    // ASCII take a path of their own: there, every character is tried at every position of a run.
    void upperUnitsKeepsLengthAndMatchesTheTable() {
        for (int shift = 0; shift < 128; ++shift) {
            QString ascii(128, Qt::Uninitialized);
            for (int i = 0; i < 128; ++i)
                ascii[i] = QChar(char16_t((i + shift) % 128));
            QCOMPARE(upperUnits(ascii), ascii.toUpper());
        }
        QString all(0x10000, Qt::Uninitialized);
        for (int unit = 0; unit < 0x10000; ++unit)
            all[unit] = QChar(char16_t(unit));
        const QString upper = upperUnits(all);
        QCOMPARE(upper.size(), all.size());
        for (int unit = 0; unit < 0x10000; ++unit) {
            const char32_t expected = QChar::toUpper(char32_t(unit));
            QCOMPARE(upper[unit].unicode(),
                     expected < 0x10000 ? char16_t(expected) : char16_t(unit));
            QCOMPARE(upperUnit(char16_t(unit)), upper[unit].unicode());
        }
    }

    // Each row: its name, the text, the procedure entries as "name@offset". Entry 0 is the file, in
    // upper case, at offset 1.
    void headers() {
        const auto row = [](const char* name, const QString& text, const QStringList& expected) {
            const ProcedureTable table =
                ScanProcedures(text, QStringLiteral("/home/u/src/prog.bas"));
            QStringList found{name};
            for (qsizetype i = 0; i <= table.ProcedureCount; ++i)
                found << table.ProcedureNames[i] + '@' +
                             QString::number(table.ProcedurePositions[i]);
            found << QStringLiteral("%1|%2")
                         .arg(table.ProcedureNames.size())
                         .arg(table.ProcedurePositions.size());
            QCOMPARE(found, (QStringList({name, "PROG.BAS@1"}) + expected)
                                << QStringLiteral("%1|%1").arg(expected.size() + 1));
        };
        row("no procedures", "PRINT 1\r\nEND\r\n", {});
        row("empty text", "", {});
        row("SUB Main", "' x\r\nSUB Main\r\nEND SUB\r\n", {"Main@8"});
        row("FUNCTION Area(w, h): the name ends at (", "\r\nFUNCTION Area(w, h)\r\n", {"Area@10"});
        row("sub   draw (x): the name ends at a blank", "\r\nsub   draw (x)", {"draw@5"});
        row("SUB alone before the line break", "\r\nSUB\r\nx", {"@5"});
        row("SUB then tab", "\r\nSUB\tx", {"@5"});
        row("blanks then line break", "\r\nSUB   \r\n", {"@5"});
        row("header on the first line", "SUB Main\r\n", {"Main@3"});
        row("consecutive headers", "SUB a\r\nSUB b\r\nFUNCTION c\r\n", {"a@3", "b@10", "c@22"});
        row("empty name, then a header", "\r\nSUB\r\nSUB b", {"@5", "b@10"});
        row("indented by blanks", "\r\n  SUB a", {});
        row("indented by a tab", "\r\n\tFUNCTION a", {});
        row("END SUB, DECLARE SUB, comments",
            "\r\nEND SUB\r\nDECLARE SUB a\r\n' SUB b\r\nREM SUB c", {});
        row("letters run on after SUB", "\r\nSUBROUTINE x\r\nSubtotal = 1",
            {"ROUTINE@5", "total@19"});
        row("letters run on after FUNCTION", "\r\nFUNCTIONAL", {"AL@10"});
        row("long s folds to S", QString::fromUtf16(u"\r\n\u017fub x"), {"x@5"});
        row("FUNC is no keyword", "\r\nFUNC x\r\nSU", {});
        row("a lone LF is no line break", "x\nSUB a", {});
        row("a lone CR is no line break", "x\rSUB a", {});
        row("CR CR LF", "x\r\r\nSUB a", {"a@7"});
        row("name ends at the first stop only", "\r\nSUB a.b$c", {"a.b$c@5"});
        row("offsets in UTF-16 units", QString::fromUtf16(u"\u00e9\U0001F600\r\nSUB x"), {"x@8"});
        row("non-ASCII name", QString::fromUtf16(u"\r\nSUB Gr\u00fc\u00dfe()"),
            {QString::fromUtf16(u"Gr\u00fc\u00dfe@5")});
        row("NUL in a name", QString::fromUtf16(u"\r\nSUB a\0b", 9),
            {QString::fromUtf16(u"a\0b@5", 5)});
        // The browser lists every header: there is no limit at 100.
        QString many;
        QStringList all;
        for (int i = 1; i <= 150; ++i) {
            all << QStringLiteral("P%1@%2").arg(i).arg(many.size() + 3);
            many += QStringLiteral("SUB P%1\r\nEND SUB\r\n").arg(i);
        }
        row("150 headers", many, all);
    }

    // Entries: A.BAS@1, Main@11, Draw@30, Main@49. Equal names lead to the first; names are
    // compared case-sensitively.
    void findProcedurePosition() {
        const ProcedureTable table =
            ScanProcedures(u"' demo\r\nSUB Main\r\nEND SUB\r\nSUB Draw\r\nEND SUB\r\nSUB Main\r\n",
                           QStringLiteral("/x/a.bas"));
        const std::pair<const char*, qsizetype> cases[] = {
            {"Main", 11}, {"Draw", 30}, {"A.BAS", 1}, {"main", -1}, {"Nothing", -1}};
        for (const auto& [name, expected] : cases)
            QCOMPARE(FindProcedurePosition(table, QString::fromLatin1(name)).value_or(-1),
                     expected);
    }
};

QTEST_MAIN(NavigationWindowTest)
#include "NavigationWindowTest.moc"
