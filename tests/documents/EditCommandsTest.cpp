// Cut, Copy and Paste through the system clipboard, and the font and background colour of the
// editors in all 26 slots.

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
#include <QGuiApplication>
#include <QImage>
#include <QTest>
#include <QTimer>

namespace {

const QString Text = QStringLiteral("SUB a\r\nPRINT 1\r\nEND SUB");
const FontChoice Chosen{QStringLiteral("DejaVu Sans Mono"), 14, true, true};

} // namespace

class EditCommandsTest : public WindowTest {
    Q_OBJECT

    Editor* openText(const QString& name, const QString& text) {
        return open(fx().writeDoc(name, text.toUtf8()));
    }

private Q_SLOTS:
    // Each command from its menu item, its toolbar button or its key in the editor, with the text,
    // clipboard, caret and modified flag afterwards. Ctrl+X and Ctrl+C are the menu's commands even
    // while the editor has the focus (so Copy with nothing selected empties the clipboard); Ctrl+V
    // is the editor's own paste. Paste takes plain text only: a picture pastes nothing.
    void clipboardCommands_data() {
        QTest::addColumn<QString>("command"); // menu item name, "button<n>" or "Ctrl+<key>"
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("clipboardBefore"); // "<picture>" for a picture
        QTest::addColumn<QString>("textAfter");
        QTest::addColumn<QString>("clipboardAfter");
        QTest::addColumn<int>("caretAfter");
        QTest::addColumn<bool>("changed");
        const auto row = [](const char* name, const char* command, int start, int length,
                            const QString& before, const QString& text, const QString& after,
                            int caret, bool changed) {
            QTest::newRow(name) << command << start << length << before << text << after << caret
                                << changed;
        };
        const QString nul = QString::fromUtf16(u"x\0y", 3);
        row("copy", "Copy", 7, 7, "old", Text, "PRINT 1", 14, false);
        row("copy across lines", "button6", 4, 6, "old", Text, "a\r\nPRI", 10, false);
        row("copy nothing selected", "Copy", 4, 0, "old", Text, "", 4, false);
        row("cut", "Cut", 7, 9, "old", "SUB a\r\nEND SUB", "PRINT 1\r\n", 7, true);
        row("cut by toolbar", "button5", 0, 4, "", Text.mid(4), "SUB ", 0, true);
        row("cut nothing selected", "Cut", 2, 0, "old", Text, "", 2, false);
        row("paste over selection", "paste", 4, 1, "main", "SUB main" + Text.mid(5), "main", 8,
            true);
        row("paste at caret", "button7", 0, 0, "' x\n", "' x\r\n" + Text, "' x\n", 5, true);
        row("paste lone CRs become CR LF", "paste", 5, 0, "\rb\r", "SUB a\r\nb\r\n" + Text.mid(5),
            "\rb\r", 10, true);
        row("paste empty clipboard over selection", "paste", 0, 4, "", Text.mid(4), "", 0, true);
        row("paste empty clipboard at caret", "paste", 3, 0, "", Text, "", 3, false);
        row("paste a picture over selection", "paste", 3, 2, "<picture>", "SUB" + Text.mid(5), "",
            3, true);
        row("paste keeps NUL", "paste", 0, 0, nul, nul + Text, nul, 3, true);
        row("Ctrl+C, nothing selected", "Ctrl+C", 0, 0, "old", Text, "", 0, false);
        row("Ctrl+C", "Ctrl+C", 0, 3, "old", Text, "SUB", 3, false);
        row("Ctrl+X", "Ctrl+X", 0, 3, "old", Text.mid(3), "SUB", 0, true);
        row("Ctrl+V", "Ctrl+V", 0, 3, "old", "old" + Text.mid(3), "old", 3, true);
    }

    void clipboardCommands() {
        QFETCH(QString, command);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, clipboardBefore);
        QFETCH(QString, textAfter);
        QFETCH(QString, clipboardAfter);
        QFETCH(int, caretAfter);
        QFETCH(bool, changed);
        Editor* editor = openText(QStringLiteral("a.bas"), Text);
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

    // Documents open but none visible (a project's hidden members): nothing to act on.
    void clipboardCommandsWithoutVisibleWindowDoNothing() {
        Editor* editor = openText(QStringLiteral("a.bas"), QStringLiteral("SUB a"));
        editor->Text1->setSelection(0, 3);
        editor->hide();
        QVERIFY(main().AnyEditorOpen());
        QGuiApplication::clipboard()->setText(QStringLiteral("keep"));
        trigger("Cut");
        trigger("Copy");
        trigger("paste");
        QCOMPARE(editor->Text1->wholeText(), QStringLiteral("SUB a"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("keep"));
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
        QCOMPARE(first->Text1->font().family(), Chosen.name);
        QVERIFY(first->Text1->font().bold());
        for (const SlotAppearance& slot : documents().Appearance)
            QCOMPARE(slot, chosen);

        fx().messages.answer(MsgAnswer::No);
        QVERIFY(second->close());
        Editor* opened = openText(QStringLiteral("b.bas"), QStringLiteral("x"));
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

QTEST_MAIN(EditCommandsTest)
#include "EditCommandsTest.moc"
