// Document windows: slots, untitled numbering, the modified flag, the save question, closing,
// opening and saving files, the clipboard commands and the appearance of all 26 slots; and the
// editor's CR LF view of its text.

#include "FileSizeLimit.h"
#include "WindowTest.h"

#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "navigation/SearchBox.h"
#include "platform/QtCommonDialog.h"
#include "shell/Main.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

namespace {

const QString Text = QStringLiteral("SUB a\r\nPRINT 1\r\nEND SUB");
const FontChoice Chosen{QStringLiteral("DejaVu Sans Mono"), 14, true, true};

// A command (a menu item's name, "button<n>" or "Ctrl+<key>") on a selection, with the clipboard
// before ("<picture>" for a picture), then the text, clipboard, caret and modified flag after.
const struct {
    const char* name;
    QString command;
    int start, length;
    QString clipboardBefore, textAfter, clipboardAfter;
    int caretAfter;
    bool changed;
} ClipboardCases[] = {
    {"copy across lines", "button6", 4, 6, "old", Text, "a\r\nPRI", 10, false},
    {"copy nothing selected", "Copy", 4, 0, "old", Text, "", 4, false},
    {"cut", "Cut", 7, 9, "old", "SUB a\r\nEND SUB", "PRINT 1\r\n", 7, true},
    {"cut by toolbar", "button5", 0, 4, "", Text.mid(4), "SUB ", 0, true},
    {"cut nothing selected", "Cut", 2, 0, "old", Text, "", 2, false},
    {"paste over selection", "paste", 4, 1, "main", "SUB main" + Text.mid(5), "main", 8, true},
    {"paste at caret", "button7", 0, 0, "' x\n", "' x\r\n" + Text, "' x\n", 5, true},
    {"paste empty clipboard over selection", "paste", 0, 4, "", Text.mid(4), "", 0, true},
    {"paste empty clipboard at caret", "paste", 3, 0, "", Text, "", 3, false},
    {"paste a picture over selection", "paste", 3, 2, "<picture>", "SUB" + Text.mid(5), "", 3,
     true},
    {"Ctrl+C, nothing selected", "Ctrl+C", 0, 0, "old", Text, "", 0, false},
    {"Ctrl+X", "Ctrl+X", 0, 3, "old", Text.mid(3), "SUB", 0, true},
    {"Ctrl+V", "Ctrl+V", 0, 3, "old", "old" + Text.mid(3), "old", 3, true},
};

// The message of a failed Open or Save.
QString failure(const QString& command, const QString& path, const char* reason) {
    return box(command,
               QStringLiteral("The file could not be %1:\r\n%2\r\n%3")
                   .arg(command == QLatin1String("Open") ? "opened" : "saved", path, reason),
               MsgIcon::Critical, MsgButtons::Ok);
}

} // namespace

class DocumentWindowsTest : public WindowTest {
    Q_OBJECT

    // The open documents as "slot|caption|changed", for comparing whole states.
    QStringList windows() {
        QStringList result;
        for (int slot = 0; slot < DocumentTable::SlotCount; ++slot) {
            if (documents().DocInUse[slot] != 0)
                result << QStringLiteral("%1|%2|%3")
                              .arg(slot)
                              .arg(documents().Documents[slot]->windowTitle())
                              .arg(documents().DocChanged[slot]);
        }
        return result;
    }

private Q_SLOTS:
    // New numbers untitled documents for good; every new window takes the lowest free slot. A new
    // document looks fresh, counts as changed, and what the user types first starts a line of its
    // own; typing marks an opened file changed.
    void newAndOpenedDocuments() {
        Editor* window = newDocument();
        QTest::keyClicks(window->Text1, QStringLiteral("PRINT"));
        QCOMPARE(window->Text1->wholeText(), QStringLiteral("' Veldra Studio v1.00\r\nPRINT"));
        QCOMPARE(window->Text1->paper(), QColor(192, 192, 192));
        // Terminal where the system has it, else the system's fixed-pitch font, at 9 points.
        const QFont font = window->Text1->font();
        QCOMPARE(font.pointSizeF(), 9.0);
        QVERIFY2(font.family() == QLatin1String("Terminal") ||
                     font.family() == QFontDatabase::systemFont(QFontDatabase::FixedFont).family(),
                 qPrintable(font.family()));
        window->setMinimumSize(0, 0);
        window->resize(4, 10); // the editor's size clamps at zero
        QCOMPARE(QList({window->Text1->width(), window->Text1->height()}), QList({0, 0}));

        trigger("new");
        trigger("new");
        fx().messages.answer(MsgAnswer::No);
        QVERIFY(documents().Documents[1]->close());
        trigger("new");
        QCOMPARE(windows(),
                 QStringList({"0|Untitled (1)|-1", "1|Untitled (4)|-1", "2|Untitled (3)|-1"}));
        fx().messages.answer(MsgAnswer::No);
        QVERIFY(active()->close());
        const QString path = fx().writeDoc(QStringLiteral("p.bas"), "x");
        open(path);
        QCOMPARE(windows().value(1), "1|" + path + "|0");
        QTest::keyClicks(active()->Text1, QStringLiteral("x"));
        QCOMPARE(windows().value(1), "1|" + path + "|-1");
        QCOMPARE(documents().UntitledCount, 4);
    }

    // With all 26 slots in use, New and Open are refused before any dialog is shown.
    void twentySeventhDocumentIsRefused() {
        for (int i = 0; i < 26; ++i)
            trigger("new");
        trigger("new");
        trigger("open");
        QCOMPARE(QList({int(documentArea()->subWindowList().size()), documents().UntitledCount}),
                 QList({26, 26}));
        QVERIFY(fx().dialog.calls.isEmpty());
        const QString refused = box("Too many windows",
                                    "All 26 document windows are in use.\r\nClose a window and "
                                    "try again.",
                                    MsgIcon::Exclamation, MsgButtons::Ok);
        QCOMPARE(boxes(), QStringList({refused, refused}));
    }

    // What closing a changed window does for each answer: Yes saves and closes, No closes unsaved,
    // Cancel keeps the window; an untitled one asks for a name, and a Save As that is cancelled or
    // cannot complete keeps the window with its caption, text and modified flag.
    void saveQuestion() {
        const QString path = fx().writeDoc(QStringLiteral("doc.bas"), "old");
        const auto edited = [](Editor* window) {
            window->Text1->setWholeText(QStringLiteral("new text"));
            return window;
        };
        // Closes the window with these answers (each question must come, or the answer is left
        // unused): "closed", or the open windows and the window's text.
        const auto close = [&](Editor* window, MsgAnswer answer, const char* saveAs = nullptr) {
            fx().messages.answer(answer);
            if (saveAs != nullptr)
                fx().dialog.answerFile(*saveAs == 0 ? QString() : fx().docPath(saveAs));
            return window->close() ? QStringLiteral("closed")
                                   : windows().join(' ') + '|' + window->Text1->wholeText();
        };
        Editor* titled = edited(open(path));
        QCOMPARE(close(titled, MsgAnswer::Cancel), "0|" + path + "|-1|new text");
        QCOMPARE(close(titled, MsgAnswer::No), "closed");
        QCOMPARE(MainFixture::readFile(path), "old");
        QCOMPARE(close(edited(open(path)), MsgAnswer::Yes), "closed");
        QCOMPARE(MainFixture::readFile(path), "new text\r\n");
        Editor* untitled = edited(newDocument());
        QCOMPARE(close(untitled, MsgAnswer::Yes, ""), "0|Untitled (1)|-1|new text");
        QCOMPARE(close(untitled, MsgAnswer::Yes, "gone/named.bas"), "0|Untitled (1)|-1|new text");
        QCOMPARE(close(untitled, MsgAnswer::Yes, "named.bas"), "closed");
        QCOMPARE(MainFixture::readFile(fx().docPath("named.bas")), "new text\r\n");
        QCOMPARE(windows(), QStringList());
    }

    // Documents open but none visible (a project's hidden members): nothing to act on, nothing to
    // search or browse.
    void commandsDoNothingWithoutVisibleDocument() {
        const QString path = fx().writeDoc(QStringLiteral("keep.bas"), "keep");
        Editor* window = open(path);
        window->Text1->setWholeText(QStringLiteral("kept"));
        window->Text1->setSelection(0, 3);
        window->hide();
        QVERIFY(main().AnyEditorOpen());
        QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
        main().action("save")->trigger(); // disabled: does nothing either
        main().toolbarButton(3)->trigger();
        for (const char* name : {"saveas", "Cut", "Copy", "paste", "sbrowser", "search"})
            trigger(name);
        QVERIFY(browserDialog() == nullptr);
        QCOMPARE(searchDialog()->Text1->text(), QString());
        searchDialog()->Text1->setText(QStringLiteral("kept"));
        QTest::mouseClick(searchDialog()->Command1, Qt::LeftButton);
        QCOMPARE(boxes(), QStringList{box("Error", "You must have a window already open",
                                          MsgIcon::Exclamation, MsgButtons::Ok)});
        QCOMPARE(QStringList({window->Text1->wholeText(), window->Text1->selectedWholeText(),
                              QGuiApplication::clipboard()->text(), MainFixture::readFile(path)}),
                 QStringList({"kept", "kep", "clip", "keep"}));
        QCOMPARE(fx().dialog.calls.size(), 1); // the Open
    }

    // A file keeps its line ends, the one a save adds at the end included, its code page and its
    // NUL characters; edited, a Windows-1252 document is saved in its code page while the text
    // fits, else as UTF-8. (Every encoding and convention is the codec's and line breaks' table.)
    void openAndSaveRoundTrip() {
        const std::pair<QByteArray, QByteArray> cases[] = {
            {{}, "\r\n"},
            {"a\nb\n", "a\nb\n\n"},
            {QByteArray("a\0b\0\0c", 6), QByteArray("a\0b\0\0c\r\n", 8)},
            {"caf\xe9", "caf\xe9\r\n"},
        };
        fx().dialog.FileName = QStringLiteral("left over");
        QString path;
        for (int slot = 0; slot < int(std::size(cases)); ++slot) {
            path = fx().writeDoc(QStringLiteral("%1.bas").arg(slot), cases[slot].first);
            open(path);
            QCOMPARE(windows().last(), QStringLiteral("%1|%2|0").arg(slot).arg(path));
            trigger("save");
            QCOMPARE(MainFixture::readFile(path), cases[slot].second);
        }
        QCOMPARE(fileDialogs(), QStringList(std::size(cases),
                                            "open||All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|"
                                            "Text Files (*.txt)|*.txt|2|1004"));
        text()->setWholeText(QStringLiteral("caf\u00e9 \u20ac"));
        trigger("save");
        QCOMPARE(MainFixture::readFile(path), QByteArray("caf\xe9 \x80\r\n"));
        text()->setWholeText(QStringLiteral("caf\u00e9 \u20ac \u4e2d"));
        trigger("save");
        QCOMPARE(MainFixture::readFile(path), "caf\xc3\xa9 \xe2\x82\xac \xe4\xb8\xad\r\n");
    }

    // Save on an untitled document asks for a name and writes the file under the name as typed;
    // titled, the same button writes without a dialog. A cancelled Open opens nothing.
    void saveAsUsesTheNameAsTyped() {
        fx().dialog.cancel();
        trigger("open");
        QVERIFY(!main().AnyEditorOpen());
        fx().dialog.calls.clear();
        trigger("new");
        const QString path = fx().docPath(QStringLiteral("prog"));
        fx().dialog.answerFile(path);
        main().toolbarButton(3)->trigger();
        QCOMPARE(windows(), QStringList{"0|" + path + "|0"});
        QVERIFY(!QFile::exists(path + QStringLiteral(".bas")));
        QCOMPARE(MainFixture::readFile(path), QByteArray("' Veldra Studio v1.00\r\n\r\n"));
        text()->setWholeText(QStringLiteral("changed"));
        main().toolbarButton(3)->trigger();
        QCOMPARE(MainFixture::readFile(path), "changed\r\n");
        QCOMPARE(fileDialogs(), QStringList{"save||All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|"
                                            "Text Files (*.txt)|*.txt|2|806"});
    }

    // A file that cannot be read gets no window: a missing one, or a named pipe, which would wait
    // for a writer. (Folders, devices: the file reader's table.)
    void unreadableFileGetsNoWindow() {
        const QString missing = fx().docPath(QStringLiteral("missing.bas"));
        const QString fifo = fx().docPath(QStringLiteral("fifo"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        open(missing);
        open(fifo);
        QVERIFY(!main().AnyEditorOpen() && !main().action(QStringLiteral("saveas"))->isEnabled());
        QCOMPARE(boxes(),
                 QStringList({failure("Open", missing, "No such file or directory"),
                              failure("Open", fifo, "Is a named pipe, not a regular file")}));
    }

    // A save that fails (its folder is gone, the disk is full) keeps the file, the caption and the
    // modified flag, and names the file. (Every reason is the file writer's table.)
    void failedSaveKeepsFileCaptionAndFlag() {
        const QString path = fx().writeDoc(QStringLiteral("locked.bas"), "original");
        open(path)->Text1->setWholeText(QStringLiteral("edited"));
        const QString gone = fx().docPath(QStringLiteral("nowhere/x.bas"));
        fx().dialog.answerFile(gone);
        trigger("saveas");
        {
            const FileSizeLimit limit(4);
            trigger("save");
        }
        QCOMPARE(windows(), QStringList{"0|" + path + "|-1"});
        QCOMPARE(MainFixture::readFile(path), QByteArray("original"));
        QCOMPARE(boxes(), QStringList({failure("Save", gone, "No such file or directory"),
                                       failure("Save", path, "File too large")}));
    }

    void openWhileProjectOpenIsRefused() {
        trigger("nproject");
        trigger("open");
        QCOMPARE(boxes(), QStringList{box("Oops!", "Use Add file when working with projects",
                                          MsgIcon::Exclamation, MsgButtons::Ok)});
        QVERIFY(fx().dialog.calls.isEmpty());
    }

    // Each command from its menu item, its toolbar button or its key in the editor, with the text,
    // clipboard, caret and modified flag afterwards. Ctrl+X and Ctrl+C are the menu's commands even
    // while the editor has the focus (so Copy with nothing selected empties the clipboard); Ctrl+V
    // is the editor's own paste. Paste takes plain text only: a picture pastes nothing.
    void clipboardCommands() {
        for (const auto& [name, command, start, length, clipboardBefore, textAfter, clipboardAfter,
                          caretAfter, changed] : ClipboardCases) {
            Editor* editor = open(fx().writeDoc(QStringLiteral("%1.bas").arg(name), Text.toUtf8()));
            if (clipboardBefore == QLatin1String("<picture>")) {
                QImage picture(4, 4, QImage::Format_RGB32);
                picture.fill(Qt::red);
                QGuiApplication::clipboard()->setImage(picture);
            } else {
                QGuiApplication::clipboard()->setText(clipboardBefore);
            }
            editor->Text1->setSelection(start, length);
            if (command.startsWith(QLatin1String("Ctrl+"))) {
                main().activateWindow();
                editor->Text1->setFocus();
                QTRY_VERIFY(editor->Text1->hasFocus());
                QTest::keyClick(editor->Text1, Qt::Key(command.back().unicode()),
                                Qt::ControlModifier);
            } else if (command.startsWith(QLatin1String("button"))) {
                main().toolbarButton(command.mid(6).toInt())->trigger();
            } else {
                main().action(command)->trigger();
            }
            const EditorText& text = *editor->Text1;
            QCOMPARE(QStringList({name, text.wholeText(), QGuiApplication::clipboard()->text(),
                                  QString::number(text.selStart() + text.selLength()),
                                  QString::number(documents().DocChanged[editor->slot()])}),
                     QStringList({name, textAfter, clipboardAfter, QString::number(caretAfter),
                                  changed ? "-1" : "0"}));
        }
    }

    // The look of all 26 slots. A colour chosen with no window open waits for the next New; a font
    // chosen with two windows open reaches both at once and every free slot; a cancelled dialog
    // applies nothing. A closed window takes its look with it: a file opened in its slot looks
    // fresh, while a slot that never had a window keeps the choice.
    void appearanceOfAllSlots() {
        fx().dialog.answerColor(QColor(0, 0, 128));
        trigger("fontcol");
        trigger("new");
        trigger("new");
        Editor* first = documents().Documents[0];
        Editor* second = documents().Documents[1];
        QCOMPARE(second->Text1->paper(), QColor(0, 0, 128));
        QCOMPARE(second->Text1->appearance().font, defaultAppearance().font);

        fx().dialog.answerFont(Chosen);
        trigger("Font");
        fx().dialog.cancel();
        trigger("Font");
        fx().dialog.cancel();
        trigger("fontcol");
        const SlotAppearance chosen{Chosen, QColor(0, 0, 128)};
        QVERIFY(first->Text1->appearance() == chosen && second->Text1->appearance() == chosen);
        for (const SlotAppearance& slot : documents().Appearance)
            QCOMPARE(slot, chosen);

        fx().messages.answer(MsgAnswer::No);
        QVERIFY(second->close());
        Editor* opened = open(fx().writeDoc("b.bas", "x"));
        trigger("new");
        QCOMPARE(windows().mid(1),
                 QStringList({"1|" + opened->windowTitle() + "|0", "2|Untitled (3)|-1"}));
        QCOMPARE(opened->Text1->appearance(), defaultAppearance());
        QVERIFY(first->Text1->appearance() == chosen && active()->Text1->appearance() == chosen);
    }

    // Underline and strike-out would be ignored, so the font dialog does not offer them.
    void fontDialogOffersNoEffects() {
        QStringList effects{"no dialog"};
        QTimer::singleShot(0, [&] {
            if (QWidget* shown = QApplication::activeModalWidget()) {
                effects.clear();
                for (const QCheckBox* box : shown->findChildren<QCheckBox*>())
                    if (box->isVisible())
                        effects << box->text();
                shown->close();
            }
        });
        QVERIFY(!QtCommonDialog().ShowFont());
        QCOMPARE(effects, QStringList());
    }

    // The widget's own report of a caret move counts the column from the start of the line, a
    // cost that grows with the line: the editor does without it.
    void caretMovesAreNotCountedInColumns() {
        EditorText editor;
        editor.setWholeText(QStringLiteral("abc"));
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QSignalSpy reported(&editor, &QsciScintilla::cursorPositionChanged);
        editor.setSelection(2, 0);
        editor.viewport()->repaint();
        QCOMPARE(reported.count(), 0);
    }

    // An edit lays a long line out again only where it changed: every character must still stand
    // where a fresh layout of the same text puts it, also past tabs and multi-byte characters.
    void longLineEditsLayOutAsAFreshLine() {
        QString line;
        for (int i = 0; line.size() < 30000; ++i)
            line += i % 50 == 0   ? QStringLiteral("\tTAB ")
                    : i % 70 == 0 ? QString::fromUtf16(u"\u00e9t\u00e9 ")
                                  : QStringLiteral("word%1 ").arg(i);
        using Base = QsciScintillaBase;
        const struct {
            long pos, remove;
            const char* insert;
        } edits[] = {{15000, 0, "x"},         {15000, 3, ""},     {100, 0, "\t"},
                     {29990, 0, "new words"}, {0, 0, "\xc3\xa9"}, {20000, 1, "\t\t"}};
        const auto xOf = [](EditorText& e, long pos) {
            return e.SendScintilla(Base::SCI_POINTXFROMPOSITION, 0UL, pos);
        };
        for (const auto& c : edits) {
            EditorText edited;
            edited.setWholeText(line);
            xOf(edited, 0); // lays the line out before the edit
            edited.SendScintilla(Base::SCI_DELETERANGE, c.pos, c.remove);
            edited.SendScintilla(Base::SCI_INSERTTEXT, c.pos, c.insert);
            EditorText fresh;
            fresh.setWholeText(edited.wholeText());
            const long length = fresh.SendScintilla(Base::SCI_GETLENGTH);
            for (long pos = 0; pos <= length;
                 pos += pos > c.pos - 400 && pos < c.pos + 400 ? 3 : 499)
                QVERIFY2(qAbs(xOf(edited, pos) - xOf(fresh, pos)) <= 1,
                         qPrintable(QStringLiteral("edit at %1, position %2").arg(c.pos).arg(pos)));
        }
    }

    // The editor's CR LF view on its own: offsets, selections and text in UTF-16 units with CR LF
    // as two.
    // Selections set and read back in CR LF counting, across line breaks and multi-unit
    // characters; outside the text they are clamped to it.
    void selectionRoundTrip() {
        const QString lines = QStringLiteral("SUB a\r\nPRINT 1\r\nEND SUB\r\n");
        const QString wide = QString::fromUtf16(u"\u00e9\U0001F600\r\nx\u4e2d");
        const QString clamped = QStringLiteral("ab\r\ncd");
        const struct {
            QString text;
            qsizetype start, length, selStart, selLength;
            QString selected;
        } cases[] = {
            {lines, 7, 7, 7, 7, "PRINT 1"},
            {lines, 5, 4, 5, 4, "\r\nPR"},
            {lines, 7, 0, 7, 0, ""},
            {lines, lines.size() - 1, 1, lines.size() - 1, 1, "\n"},
            {wide, 1, 2, 1, 2, QString::fromUtf16(u"\U0001F600")},
            {wide, 5, 2, 5, 2, QString::fromUtf16(u"x\u4e2d")},
            {clamped, 4, 100, 4, 2, "cd"},
            {clamped, -5, 2, 0, 2, "ab"},
            {clamped, 50, 3, 6, 0, ""},
        };
        for (const auto& c : cases) {
            EditorText editor;
            editor.setWholeText(c.text);
            editor.setSelection(c.start, c.length);
            QCOMPARE(QList({editor.selStart(), editor.selLength()}),
                     QList({c.selStart, c.selLength}));
            QCOMPARE(editor.selectedWholeText(), c.selected);
        }
        EditorText editor;
        editor.setWholeText(clamped);
        QCOMPARE(
            QStringList({editor.textRange(1, 5), editor.textRange(4, 100), editor.textRange(3, 1)}),
            QStringList({"b\r\nc", "cd", ""}));
        // Every line break becomes CR LF as the text enters, also by a replaced selection; NUL and
        // surrogate pairs are kept.
        editor.setWholeText(QString::fromUtf16(u"a\nb\rc\r\n\0\U0001F600\r", 11));
        QCOMPARE(editor.wholeText(), QString::fromUtf16(u"a\r\nb\r\nc\r\n\0\U0001F600\r\n", 14));
        QCOMPARE(editor.textLength(), 14);
        editor.setSelection(1, 2);
        editor.replaceSelection(QString::fromUtf16(u"x\0y\nz", 5));
        QCOMPARE(editor.wholeText(),
                 QString::fromUtf16(u"ax\0y\r\nzb\r\nc\r\n\0\U0001F600\r\n", 18));
        QCOMPARE(QList({editor.selStart(), editor.selLength()}), QList<qsizetype>({7, 0}));
    }

    // An assistive tool may ask for any range, set any selection or caret, replace any range; none
    // may crash or reach past the text.
    void accessibleTextIsClamped() {
        EditorText editor;
        editor.setWholeText(QString::fromUtf16(u"ab\n\U0001F600"));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&editor);
        QAccessibleTextInterface* text = accessible->textInterface();
        QCOMPARE(text->characterCount(), 6);
        QCOMPARE(accessible->text(QAccessible::Value), editor.wholeText());
        // Past the end, reversed, negative, all negative, far beyond, whole.
        const struct {
            int start, end;
            std::u16string_view expected;
        } cases[] = {
            {2, 100, u"\r\n\U0001F600"}, {4, 1, u"b\r\n"},           {-7, 2, u"ab"}, {-9, -2, u""},
            {1000, 2000, u""},           {0, 6, u"ab\r\n\U0001F600"}};
        for (const auto& c : cases)
            QVERIFY2(text->text(c.start, c.end) == QStringView(c.expected),
                     qPrintable(QString::number(c.start)));

        editor.setWholeText(QStringLiteral("one\ntwo"));
        text->setSelection(0, 7, 4);
        QCOMPARE(QList({editor.selStart(), editor.selLength()}), QList<qsizetype>({4, 3}));
        int start = -1, end = -1;
        text->selection(0, &start, &end);
        QCOMPARE(QList({start, end}), QList({4, 7}));
        text->setCursorPosition(99);
        QCOMPARE(QList({text->cursorPosition(), text->selectionCount()}), QList({8, 0}));
        accessible->editableTextInterface()->replaceText(50, 3, QStringLiteral("!"));
        QCOMPARE(editor.wholeText(), QStringLiteral("one!"));
    }
};

QTEST_MAIN(DocumentWindowsTest)
#include "DocumentWindowsTest.moc"
