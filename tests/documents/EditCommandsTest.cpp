// Cut, Copy and Paste through the system clipboard, and the font and background colour of the
// editors in all 26 slots.

#include "MainFixture.h"

#include "documents/DocumentManager.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "shell/Main.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTest>

namespace {

Editor* openText(MainFixture& f, const QString& name, const QString& text) {
    f.dialog.answerFile(f.writeDoc(name, text.toUtf8()));
    f.main().open_Click();
    return f.active();
}

const FontChoice Chosen{QStringLiteral("DejaVu Sans Mono"), 14, true, true};

} // namespace

class EditCommandsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void clipboardCommands_data();
    void clipboardCommands();
    void shortcutsInTheEditor_data();
    void shortcutsInTheEditor();
    void pasteWithPictureOnlyRemovesSelection();
    void clipboardCommandsWithoutVisibleWindowDoNothing();
    void fontReachesOpenWindowsAndFreeSlots();
    void colourWithNoWindowReachesNextNew();
    void cancelledDialogAppliesNothing_data();
    void cancelledDialogAppliesNothing();
};

// Each command from its menu item or toolbar button, with the text, clipboard and modified
// flag afterwards.
void EditCommandsTest::clipboardCommands_data() {
    QTest::addColumn<QString>("command"); // menu item name, or "button<n>"
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("clipboardBefore");
    QTest::addColumn<QString>("textAfter");
    QTest::addColumn<QString>("clipboardAfter");
    QTest::addColumn<int>("caretAfter");
    QTest::addColumn<bool>("changed");

    const QString text = QStringLiteral("SUB a\r\nPRINT 1\r\nEND SUB");
    QTest::newRow("copy") << "Copy" << 7 << 7 << "old" << text << "PRINT 1" << 14 << false;
    QTest::newRow("copy across lines")
        << "button6" << 4 << 6 << "old" << text << "a\r\nPRI" << 10 << false;
    QTest::newRow("copy nothing selected") << "Copy" << 4 << 0 << "old" << text << "" << 4 << false;
    QTest::newRow("cut") << "Cut" << 7 << 9 << "old"
                         << "SUB a\r\nEND SUB"
                         << "PRINT 1\r\n"
                         << 7 << true;
    QTest::newRow("cut by toolbar") << "button5" << 0 << 4 << ""
                                    << "a\r\nPRINT 1\r\nEND SUB"
                                    << "SUB " << 0 << true;
    QTest::newRow("cut nothing selected") << "Cut" << 2 << 0 << "old" << text << "" << 2 << false;
    QTest::newRow("paste over selection") << "paste" << 4 << 1 << "main"
                                          << "SUB main\r\nPRINT 1\r\nEND SUB"
                                          << "main" << 8 << true;
    QTest::newRow("paste at caret") << "button7" << 0 << 0 << "' x\n"
                                    << "' x\r\n" + text << "' x\n"
                                    << 5 << true;
    QTest::newRow("paste lone CRs become CR LF") << "paste" << 5 << 0 << "\rb\r"
                                                 << "SUB a\r\nb\r\n\r\nPRINT 1\r\nEND SUB"
                                                 << "\rb\r" << 10 << true;
    QTest::newRow("paste empty clipboard over selection") << "paste" << 0 << 4 << ""
                                                          << "a\r\nPRINT 1\r\nEND SUB"
                                                          << "" << 0 << true;
    QTest::newRow("paste empty clipboard at caret")
        << "paste" << 3 << 0 << "" << text << "" << 3 << false;
    QTest::newRow("paste keeps NUL")
        << "paste" << 0 << 0 << QString::fromUtf16(u"x\0y", 3)
        << QString::fromUtf16(u"x\0y", 3) + text << QString::fromUtf16(u"x\0y", 3) << 3 << true;
}

void EditCommandsTest::clipboardCommands() {
    QFETCH(QString, command);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, clipboardBefore);
    QFETCH(QString, textAfter);
    QFETCH(QString, clipboardAfter);
    QFETCH(int, caretAfter);
    QFETCH(bool, changed);
    MainFixture f;
    Main& main = f.start();
    Editor* editor =
        openText(f, QStringLiteral("a.bas"), QStringLiteral("SUB a\r\nPRINT 1\r\nEND SUB"));
    QGuiApplication::clipboard()->setText(clipboardBefore);
    editor->Text1->setSelection(start, length);
    if (command.startsWith(QLatin1String("button")))
        main.toolbarButton(command.mid(6).toInt())->trigger();
    else
        main.action(command)->trigger();
    QCOMPARE(editor->Text1->wholeText(), textAfter);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboardAfter);
    QCOMPARE(editor->Text1->selStart() + editor->Text1->selLength(), caretAfter);
    QCOMPARE(main.documents().DocChanged[editor->slot()], qint16(changed ? -1 : 0));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

// Ctrl+X and Ctrl+C are the menu's commands even while the editor has the focus (so Copy with
// nothing selected empties the clipboard); Ctrl+V is the editor's own paste.
void EditCommandsTest::shortcutsInTheEditor_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("textAfter");
    QTest::addColumn<QString>("clipboardAfter");
    QTest::newRow("Ctrl+C, nothing selected") << int(Qt::Key_C) << 0 << "SUB a"
                                              << "";
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << 3 << "SUB a"
                            << "SUB";
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << 3 << " a"
                            << "SUB";
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << 3 << "old a"
                            << "old";
}

void EditCommandsTest::shortcutsInTheEditor() {
    QFETCH(int, key);
    QFETCH(int, length);
    QFETCH(QString, textAfter);
    QFETCH(QString, clipboardAfter);
    MainFixture f;
    Main& main = f.start();
    Editor* editor = openText(f, QStringLiteral("a.bas"), QStringLiteral("SUB a"));
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    editor->Text1->setSelection(0, length);
    main.activateWindow();
    editor->Text1->setFocus();
    QTRY_VERIFY(editor->Text1->hasFocus());
    QTest::keyClick(editor->Text1, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(editor->Text1->wholeText(), textAfter);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboardAfter);
}

void EditCommandsTest::pasteWithPictureOnlyRemovesSelection() {
    MainFixture f;
    Main& main = f.start();
    Editor* editor = openText(f, QStringLiteral("a.bas"), QStringLiteral("SUB a"));
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(picture);
    QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasText());
    editor->Text1->setSelection(3, 2);
    main.paste_Click();
    QCOMPARE(editor->Text1->wholeText(), QStringLiteral("SUB"));
    QCOMPARE(main.documents().DocChanged[editor->slot()], qint16(-1));
}

// Documents open but none visible (a project's hidden members): nothing to act on.
void EditCommandsTest::clipboardCommandsWithoutVisibleWindowDoNothing() {
    MainFixture f;
    Main& main = f.start();
    Editor* editor = openText(f, QStringLiteral("a.bas"), QStringLiteral("SUB a"));
    editor->Text1->setSelection(0, 3);
    editor->hide();
    QVERIFY(main.AnyEditorOpen());
    QGuiApplication::clipboard()->setText(QStringLiteral("keep"));
    main.Cut_Click();
    main.Copy_Click();
    main.paste_Click();
    QCOMPARE(editor->Text1->wholeText(), QStringLiteral("SUB a"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("keep"));
}

void EditCommandsTest::fontReachesOpenWindowsAndFreeSlots() {
    MainFixture f;
    Main& main = f.start();
    main.new_Click();
    main.new_Click();
    Editor* first = main.documents().Documents[0];
    Editor* second = main.documents().Documents[1];
    f.dialog.answerFont(Chosen);
    main.action(QStringLiteral("Font"))->trigger();
    QCOMPARE(f.dialog.calls.size(), 1);
    QCOMPARE(f.dialog.calls[0].kind, QStringLiteral("font"));
    QCOMPARE(f.dialog.calls[0].flags, 65537);
    const SlotAppearance chosen{Chosen, QColor(192, 192, 192)};
    QCOMPARE(first->Text1->appearance(), chosen);
    QCOMPARE(second->Text1->appearance(), chosen);
    QCOMPARE(first->Text1->font().family(), Chosen.name);
    QVERIFY(first->Text1->font().bold());
    for (const SlotAppearance& slot : main.documents().Appearance)
        QCOMPARE(slot, chosen);

    // A closed window takes its look with it: its slot's next document looks fresh, while a
    // slot that never had a window keeps the choice.
    f.messages.answer(MsgAnswer::No);
    QVERIFY(second->close());
    Editor* opened = openText(f, QStringLiteral("b.bas"), QStringLiteral("x"));
    QCOMPARE(opened->slot(), 1);
    QCOMPARE(opened->Text1->appearance(), defaultAppearance());
    QCOMPARE(first->Text1->appearance(), chosen);
    main.new_Click();
    QCOMPARE(f.active()->slot(), 2);
    QCOMPARE(f.active()->Text1->appearance(), chosen);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void EditCommandsTest::colourWithNoWindowReachesNextNew() {
    MainFixture f;
    Main& main = f.start();
    f.dialog.answerColor(QColor(0, 0, 128));
    main.action(QStringLiteral("fontcol"))->trigger();
    QCOMPARE(f.dialog.calls.size(), 1);
    QCOMPARE(f.dialog.calls[0].kind, QStringLiteral("color"));
    QCOMPARE(f.dialog.calls[0].flags, 0);
    main.new_Click();
    QCOMPARE(f.active()->Text1->paper(), QColor(0, 0, 128));
    QCOMPARE(f.active()->Text1->appearance().font, defaultAppearance().font);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void EditCommandsTest::cancelledDialogAppliesNothing_data() {
    QTest::addColumn<QString>("item");
    QTest::newRow("font") << "Font";
    QTest::newRow("colour") << "fontcol";
}

void EditCommandsTest::cancelledDialogAppliesNothing() {
    QFETCH(QString, item);
    MainFixture f;
    Main& main = f.start();
    main.new_Click();
    // The dialog starts from the current look; cancelling it changes nothing anywhere.
    f.dialog.answerFont(Chosen);
    main.Font_Click();
    f.dialog.cancel();
    main.action(item)->trigger();
    const SlotAppearance chosen{Chosen, QColor(192, 192, 192)};
    QCOMPARE(f.active()->Text1->appearance(), chosen);
    for (const SlotAppearance& slot : main.documents().Appearance)
        QCOMPARE(slot, chosen);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

QTEST_MAIN(EditCommandsTest)
#include "EditCommandsTest.moc"
