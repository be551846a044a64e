// Document windows: slots, untitled numbering, the modified flag, the save question, closing,
// opening and saving files, the clipboard commands and the appearance of all 26 slots.

#include "FileSizeLimit.h"
#include "WindowTest.h"

#include "documents/DocumentManager.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "platform/QtCommonDialog.h"
#include "shell/Main.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QMdiArea>
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

} // namespace

class DocumentWindowsTest : public WindowTest {
    Q_OBJECT

private Q_SLOTS:
    // New numbers untitled documents for good; every new window takes the lowest free slot.
    void untitledNumberingAndLowestFreeSlot() {
        trigger("new");
        QCOMPARE(active()->windowTitle(), QStringLiteral("Untitled (1)"));
        trigger("new");
        trigger("new");
        Editor* second = documents().Documents[1];
        QCOMPARE(second->windowTitle(), QStringLiteral("Untitled (2)"));
        fx().messages.answer(MsgAnswer::No);
        QVERIFY(second->close());
        trigger("new");
        QCOMPARE(active()->windowTitle(), QStringLiteral("Untitled (4)"));
        QCOMPARE(active()->slot(), 1);

        fx().messages.answer(MsgAnswer::No);
        QVERIFY(active()->close());
        open(fx().writeDoc(QStringLiteral("p.bas"), "x"));
        QCOMPARE(active()->slot(), 1);
        QCOMPARE(documents().UntitledCount, 4);
    }

    void newDocumentLooksFreshAndCountsAsChanged() {
        Editor* window = newDocument();
        QCOMPARE(window->Text1->wholeText(), QStringLiteral("' Veldra Studio v1.00\r\n"));
        QCOMPARE(documents().DocChanged[0], qint16(-1));
        // What the user types first starts a line of its own.
        QTest::keyClicks(window->Text1, QStringLiteral("PRINT"));
        QCOMPARE(window->Text1->wholeText(), QStringLiteral("' Veldra Studio v1.00\r\nPRINT"));
        QCOMPARE(window->Text1->paper(), QColor(192, 192, 192));
        // Terminal where the system has it, else the system's fixed-pitch font, at 9 points.
        const QFont font = window->Text1->font();
        QCOMPARE(font.pointSizeF(), 9.0);
        QVERIFY2(font.family() == QLatin1String("Terminal") ||
                     font.family() == QFontDatabase::systemFont(QFontDatabase::FixedFont).family(),
                 qPrintable(font.family()));
    }

    void typingMarksChanged() {
        open(fx().writeDoc(QStringLiteral("t.bas"), "abc"));
        QCOMPARE(documents().DocChanged[0], qint16(0));
        active()->Text1->setFocus();
        QTest::keyClicks(active()->Text1, QStringLiteral("x"));
        QCOMPARE(documents().DocChanged[0], qint16(-1));
    }

    void twentySeventhDocumentIsRefused_data() {
        QTest::addColumn<bool>("viaOpen");
        QTest::newRow("new") << false;
        QTest::newRow("open") << true;
    }

    void twentySeventhDocumentIsRefused() {
        QFETCH(bool, viaOpen);
        for (int i = 0; i < 26; ++i)
            trigger("new");
        trigger(viaOpen ? "open" : "new"); // refused before any dialog is shown
        QCOMPARE(main().mdiArea()->subWindowList().size(), 26);
        QCOMPARE(documents().UntitledCount, 26);
        QVERIFY(fx().dialog.calls.isEmpty());
        QCOMPARE(boxes(), QStringList{box("Too many windows",
                                          "All 26 document windows are in use.\r\nClose a window "
                                          "and try again.",
                                          MsgIcon::Exclamation, MsgButtons::Ok)});
    }

    // What closing a changed window does for each answer, and for a save that cannot complete.
    void saveQuestion_data() {
        QTest::addColumn<bool>("untitled");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QString>("saveAsTo"); // "" cancels the Save As dialog; "-" shows none
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("titled, Yes saves and closes")
            << false << MsgAnswer::Yes << "-" << true << QByteArray("new text\r\n");
        QTest::newRow("titled, No closes unsaved")
            << false << MsgAnswer::No << "-" << true << QByteArray("old");
        QTest::newRow("titled, Cancel keeps the window")
            << false << MsgAnswer::Cancel << "-" << false << QByteArray("old");
        QTest::newRow("untitled, Yes, named")
            << true << MsgAnswer::Yes << "named.bas" << true << QByteArray("new text\r\n");
        QTest::newRow("untitled, Yes, dialog cancelled keeps the window")
            << true << MsgAnswer::Yes << "" << false << QByteArray();
        QTest::newRow("untitled, Yes, folder gone keeps the window")
            << true << MsgAnswer::Yes << "gone/named.bas" << false << QByteArray();
    }

    void saveQuestion() {
        QFETCH(bool, untitled);
        QFETCH(MsgAnswer, answer);
        QFETCH(QString, saveAsTo);
        QFETCH(bool, closes);
        QFETCH(QByteArray, written);
        QString path;
        if (untitled) {
            trigger("new");
        } else {
            path = fx().writeDoc(QStringLiteral("doc.bas"), "old");
            open(path);
        }
        Editor* window = active();
        window->Text1->setWholeText(QStringLiteral("new text"));
        const QString caption = window->windowTitle();
        fx().messages.answer(answer);
        if (saveAsTo != QLatin1String("-")) {
            path = saveAsTo.isEmpty() ? QString() : fx().docPath(saveAsTo);
            fx().dialog.answerFile(path);
        }

        QCOMPARE(window->close(), closes);
        QCOMPARE(boxes().value(0), box(caption, "File has not been saved\r\nSave changes ?",
                                       MsgIcon::Exclamation, MsgButtons::YesNoCancel));
        if (!path.isEmpty() && !written.isEmpty())
            QCOMPARE(MainFixture::readFile(path), written);
        if (!closes) {
            QCOMPARE(main().mdiArea()->subWindowList().size(), 1);
            QCOMPARE(window->Text1->wholeText(), QStringLiteral("new text"));
            QCOMPARE(window->windowTitle(), caption);
            QCOMPARE(documents().DocChanged[window->slot()], qint16(-1));
        } else {
            QVERIFY(main().mdiArea()->subWindowList().isEmpty());
            QCOMPARE(documents().DocInUse[0], qint16(0));
        }
    }

    void editorSizeClampsAtZero() {
        Editor* window = newDocument();
        window->setMinimumSize(0, 0);
        window->resize(4, 10);
        QCOMPARE(window->Text1->width(), 0);
        QCOMPARE(window->Text1->height(), 0);
    }

    // Documents open but none visible (a project's hidden members): nothing to act on.
    void commandsDoNothingWithoutVisibleDocument() {
        const QString path = fx().writeDoc(QStringLiteral("keep.bas"), "keep");
        Editor* window = open(path);
        window->Text1->setWholeText(QStringLiteral("kept"));
        window->Text1->setSelection(0, 3);
        window->hide();
        QVERIFY(main().AnyEditorOpen());
        QCOMPARE(main().activeEditor(), nullptr);
        QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
        for (const char* name : {"saveas", "Cut", "Copy", "paste"})
            trigger(name);
        main().action("save")->trigger(); // disabled: does nothing either
        main().toolbarButton(3)->trigger();
        QCOMPARE(fx().dialog.calls.size(), 1); // the Open
        QCOMPARE(window->Text1->wholeText(), QStringLiteral("kept"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("clip"));
        QCOMPARE(MainFixture::readFile(path), QByteArray("keep"));
    }

    // A file keeps its line ends, the one a save adds at the end included, its code page and its
    // NUL characters. (Every encoding and convention is the codec's and line breaks' table.)
    void openAndSaveRoundTrip_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb\r\n\r\n");
        QTest::newRow("empty") << QByteArray() << QByteArray("\r\n");
        QTest::newRow("lone lf") << QByteArray("a\nb\n") << QByteArray("a\nb\n\n");
        QTest::newRow("lone cr") << QByteArray("a\rb\r") << QByteArray("a\rb\r\r");
        QByteArray high;
        for (int b = 0x80; b <= 0xff; ++b)
            high.append(char(b));
        QTest::newRow("windows-1252 0x80-0xff") << high << high + "\r\n";
        QTest::newRow("nul bytes") << QByteArray("a\0b\0\0c", 6) << QByteArray("a\0b\0\0c\r\n", 8);
    }

    void openAndSaveRoundTrip() {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, saved);
        const QString path = fx().writeDoc(QStringLiteral("round.bas"), content);
        fx().dialog.FileName = QStringLiteral("left over");
        open(path);
        QCOMPARE(fileDialogs(), QStringList{"open||All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|"
                                            "Text Files (*.txt)|*.txt|2|1004"});
        QCOMPARE(active()->windowTitle(), path);
        QCOMPARE(documents().DocChanged[0], qint16(0));
        trigger("save");
        QCOMPARE(MainFixture::readFile(path), saved);
    }

    void saveAsUsesTheNameAsTyped() {
        fx().dialog.cancel();
        trigger("open");
        QVERIFY(!main().AnyEditorOpen());
        fx().dialog.calls.clear();
        trigger("new");
        const QString path = fx().docPath(QStringLiteral("prog"));
        fx().dialog.answerFile(path);
        trigger("saveas");
        QCOMPARE(fileDialogs(), QStringList{"save||All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|"
                                            "Text Files (*.txt)|*.txt|2|806"});
        QVERIFY(!QFile::exists(path + QStringLiteral(".bas")));
        QCOMPARE(MainFixture::readFile(path), QByteArray("' Veldra Studio v1.00\r\n\r\n"));
        QCOMPARE(active()->windowTitle(), path);
        QCOMPARE(documents().DocChanged[0], qint16(0));
    }

    void unreadableFileGetsNoWindow_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << "missing.bas";
        // Reading would wait for a writer. (Folders, devices: the file reader's table.)
        QTest::newRow("a named pipe") << "fifo";
    }

    void unreadableFileGetsNoWindow() {
        QFETCH(QString, name);
        const QString path = fx().docPath(name);
        if (name == QLatin1String("fifo"))
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        open(path);
        QVERIFY(!main().AnyEditorOpen());
        QCOMPARE(fx().messages.calls.size(), 1);
        QCOMPARE(fx().messages.calls[0].icon, MsgIcon::Critical);
        QCOMPARE(fx().messages.calls[0].text.split(QStringLiteral("\r\n")).value(1), path);
        QVERIFY(!main().action(QStringLiteral("saveas"))->isEnabled());
    }

    // A save that fails (its folder is gone, the disk is full, the file is read-only) keeps the
    // file, the caption and the modified flag, and names the file.
    void failedSaveKeepsFileCaptionAndFlag() {
        const QString path = fx().writeDoc(QStringLiteral("locked.bas"), "original");
        Editor* window = open(path);
        window->Text1->setWholeText(QStringLiteral("edited"));
        const QString gone = fx().docPath(QStringLiteral("nowhere/x.bas"));
        fx().dialog.answerFile(gone);
        for (int failure = 0; failure < 3; ++failure) {
            if (failure == 2) {
                QFile::setPermissions(path, QFileDevice::ReadOwner);
                if (QFile(path).open(QIODevice::Append))
                    QSKIP("This process writes to read-only files regardless of their permissions");
            }
            {
                const FileSizeLimit limit(failure == 1 ? 4 : 1 << 20);
                trigger(failure == 0 ? "saveas" : "save");
            }
            QCOMPARE(window->windowTitle(), path);
            QCOMPARE(MainFixture::readFile(path), QByteArray("original"));
            QCOMPARE(documents().DocChanged[window->slot()], qint16(-1));
            QCOMPARE(fx().messages.calls.size(), failure + 1);
            QCOMPARE(fx().messages.calls.last().text.split(QStringLiteral("\r\n")).value(1),
                     failure == 0 ? gone : path);
        }
    }

    void openWhileProjectOpenIsRefused() {
        trigger("nproject");
        trigger("open");
        QCOMPARE(boxes(), QStringList{box("Oops!", "Use Add file when working with projects",
                                          MsgIcon::Exclamation, MsgButtons::Ok)});
        QVERIFY(fx().dialog.calls.isEmpty());
    }

    // A Windows-1252 document is saved in its code page while the edited text fits, else as UTF-8.
    void editedCodePageDocumentSaves() {
        const QString path = fx().writeDoc(QStringLiteral("cp.bas"), "caf\xe9");
        open(path);
        active()->Text1->setWholeText(QStringLiteral("caf\u00e9 \u20ac"));
        trigger("save");
        QCOMPARE(MainFixture::readFile(path), QByteArray("caf\xe9 \x80\r\n"));
        active()->Text1->setWholeText(QStringLiteral("caf\u00e9 \u20ac \u4e2d"));
        trigger("save");
        QCOMPARE(MainFixture::readFile(path), "caf\xc3\xa9 \xe2\x82\xac \xe4\xb8\xad\r\n");
    }

    // Each command from its menu item, its toolbar button or its key in the editor, with the text,
    // clipboard, caret and modified flag afterwards. Ctrl+X and Ctrl+C are the menu's commands even
    // while the editor has the focus (so Copy with nothing selected empties the clipboard); Ctrl+V
    // is the editor's own paste. Paste takes plain text only: a picture pastes nothing.
    void clipboardCommands_data() {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(std::size(ClipboardCases)); ++row)
            QTest::newRow(ClipboardCases[row].name) << row;
    }

    void clipboardCommands() {
        QFETCH(int, row);
        const auto& [name, command, start, length, clipboardBefore, textAfter, clipboardAfter,
                     caretAfter, changed] = ClipboardCases[row];
        Editor* editor = open(fx().writeDoc("a.bas", Text.toUtf8()));
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
            QTest::keyClick(editor->Text1, Qt::Key(command.back().unicode()), Qt::ControlModifier);
        } else if (command.startsWith(QLatin1String("button"))) {
            main().toolbarButton(command.mid(6).toInt())->trigger();
        } else {
            main().action(command)->trigger();
        }
        QCOMPARE(editor->Text1->wholeText(), textAfter);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboardAfter);
        QCOMPARE(editor->Text1->selStart() + editor->Text1->selLength(), caretAfter);
        QCOMPARE(documents().DocChanged[editor->slot()], qint16(changed ? -1 : 0));
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
        QCOMPARE(first->Text1->appearance(), chosen);
        QCOMPARE(second->Text1->appearance(), chosen);
        for (const SlotAppearance& slot : documents().Appearance)
            QCOMPARE(slot, chosen);

        fx().messages.answer(MsgAnswer::No);
        QVERIFY(second->close());
        Editor* opened = open(fx().writeDoc("b.bas", "x"));
        QCOMPARE(opened->slot(), 1);
        QCOMPARE(opened->Text1->appearance(), defaultAppearance());
        QCOMPARE(first->Text1->appearance(), chosen);
        trigger("new");
        QCOMPARE(active()->slot(), 2);
        QCOMPARE(active()->Text1->appearance(), chosen);
    }

    // Underline and strike-out would be ignored, so the font dialog does not offer them.
    void fontDialogOffersNoEffects() {
        QtCommonDialog dialog;
        int dialogs = 0;
        QStringList effects;
        QTimer::singleShot(0, [&] {
            QWidget* shown = QApplication::activeModalWidget();
            if (shown == nullptr)
                return;
            ++dialogs;
            for (const QCheckBox* box : shown->findChildren<QCheckBox*>())
                if (box->isVisible())
                    effects << box->text();
            shown->close();
        });
        QVERIFY(!dialog.ShowFont());
        QCOMPARE(dialogs, 1);
        QCOMPARE(effects, QStringList());
    }
};

QTEST_MAIN(DocumentWindowsTest)
#include "DocumentWindowsTest.moc"
