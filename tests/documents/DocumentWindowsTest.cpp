// Document windows: slots, untitled numbering, the modified flag, the save question and closing.

#include "WindowTest.h"

#include "documents/DocumentManager.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "shell/Main.h"
#include "ui/Twips.h"

#include <QAction>
#include <QFile>
#include <QFontDatabase>
#include <QMdiArea>
#include <QTest>

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

        // A file opened while slots 0 and 2 are in use and slot 1 was freed lands in slot 1.
        fx().messages.answer(MsgAnswer::No);
        QVERIFY(active()->close());
        open(fx().writeDoc(QStringLiteral("p.bas"), "x"));
        QCOMPARE(active()->slot(), 1);
        QCOMPARE(documents().Documents[1].data(), active());
        QCOMPARE(documents().DocInUse[1], qint16(1));
        QCOMPARE(documents().UntitledCount, 4);
    }

    void newDocumentLooksFreshAndCountsAsChanged() {
        Editor* window = newDocument();
        QCOMPARE(window->Text1->wholeText(), QStringLiteral("' Veldra Studio v1.00\r\n"));
        QCOMPARE(documents().DocChanged[0], qint16(-1));
        // What the user types first starts a line of its own.
        QTest::keyClicks(window->Text1, QStringLiteral("PRINT"));
        QCOMPARE(window->Text1->wholeText(), QStringLiteral("' Veldra Studio v1.00\r\nPRINT"));
        QCOMPARE(window->Text1->appearance(), defaultAppearance());
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
        QCOMPARE(documents().FindFreeSlot(), -1);
        const int count = documents().UntitledCount;
        if (viaOpen)
            trigger("open"); // refused before any dialog is shown
        else
            trigger("new");
        QCOMPARE(main().mdiArea()->subWindowList().size(), 26);
        QCOMPARE(documents().UntitledCount, count);
        QVERIFY(fx().dialog.calls.isEmpty());
        QCOMPARE(fx().messages.calls.size(), 1);
        QCOMPARE(fx().messages.calls[0].buttons, MsgButtons::Ok);
        QVERIFY(fx().messages.calls[0].text.contains(QStringLiteral("26")));
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
        if (saveAsTo.startsWith(QLatin1String("gone"))) {
            QCOMPARE(fx().messages.calls.size(), 2);
            QCOMPARE(fx().messages.calls[1].icon, MsgIcon::Critical);
            QVERIFY(fx().messages.calls[1].text.contains(path));
        }
    }

    void editorFollowsWindowSizeAndClampsAtZero() {
        Editor* window = newDocument();
        window->resize(300, 200);
        QCOMPARE(window->Text1->width(), 300 - twipsToPixelsX(120));
        QCOMPARE(window->Text1->height(), 200 - twipsToPixelsY(400));
        window->setMinimumSize(0, 0);
        window->resize(4, 10);
        QCOMPARE(window->Text1->width(), 0);
        QCOMPARE(window->Text1->height(), 0);
    }

    void commandsDoNothingWithoutVisibleDocument() {
        trigger("new");
        const QString path = fx().writeDoc(QStringLiteral("keep.bas"), "keep");
        active()->hide();
        QVERIFY(main().AnyEditorOpen());
        QCOMPARE(main().activeEditor(), nullptr);
        trigger("saveas");
        main().action("save")->trigger(); // disabled: does nothing either
        main().toolbarButton(3)->trigger();
        QVERIFY(fx().dialog.calls.isEmpty());
        QCOMPARE(MainFixture::readFile(path), QByteArray("keep"));
    }
};

QTEST_MAIN(DocumentWindowsTest)
#include "DocumentWindowsTest.moc"
