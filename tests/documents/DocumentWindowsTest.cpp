// Document windows: slots, untitled numbering, the modified flag, the save question and closing.

#include "MainFixture.h"

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

class DocumentWindowsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void untitledNumberingAndLowestFreeSlot();
    void newDocumentLooksFreshAndCountsAsChanged();
    void typingMarksChanged();
    void twentySeventhDocumentIsRefused_data();
    void twentySeventhDocumentIsRefused();
    void saveQuestion_data();
    void saveQuestion();
    void editorFollowsWindowSizeAndClampsAtZero();
    void commandsDoNothingWithoutVisibleDocument();
};

// New numbers untitled documents for good; every new window takes the lowest free slot.
void DocumentWindowsTest::untitledNumberingAndLowestFreeSlot() {
    MainFixture f;
    Main& main = f.start();
    main.new_Click();
    QCOMPARE(f.active()->windowTitle(), QStringLiteral("Untitled (1)"));
    main.new_Click();
    main.new_Click();
    Editor* second = main.documents().Documents[1];
    QCOMPARE(second->windowTitle(), QStringLiteral("Untitled (2)"));
    f.messages.answer(MsgAnswer::No);
    QVERIFY(second->close());
    main.new_Click();
    QCOMPARE(f.active()->windowTitle(), QStringLiteral("Untitled (4)"));
    QCOMPARE(f.active()->slot(), 1);

    // A file opened while slots 0 and 2 are in use and slot 1 was freed lands in slot 1.
    f.messages.answer(MsgAnswer::No);
    QVERIFY(f.active()->close());
    f.dialog.answerFile(f.writeDoc(QStringLiteral("p.bas"), "x"));
    main.open_Click();
    QCOMPARE(f.active()->slot(), 1);
    QCOMPARE(main.documents().Documents[1].data(), f.active());
    QCOMPARE(main.documents().DocInUse[1], qint16(1));
    QCOMPARE(main.documents().UntitledCount, 4);
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void DocumentWindowsTest::newDocumentLooksFreshAndCountsAsChanged() {
    MainFixture f;
    Main& main = f.start();
    main.new_Click();
    Editor* window = f.active();
    QCOMPARE(window->Text1->wholeText(), QStringLiteral("' Veldra Studio v1.00\r\n"));
    QCOMPARE(main.documents().DocChanged[0], qint16(-1));
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

void DocumentWindowsTest::typingMarksChanged() {
    MainFixture f;
    Main& main = f.start();
    f.dialog.answerFile(f.writeDoc(QStringLiteral("t.bas"), "abc"));
    main.open_Click();
    QCOMPARE(main.documents().DocChanged[0], qint16(0));
    f.active()->Text1->setFocus();
    QTest::keyClicks(f.active()->Text1, QStringLiteral("x"));
    QCOMPARE(main.documents().DocChanged[0], qint16(-1));
}

void DocumentWindowsTest::twentySeventhDocumentIsRefused_data() {
    QTest::addColumn<bool>("viaOpen");
    QTest::newRow("new") << false;
    QTest::newRow("open") << true;
}

void DocumentWindowsTest::twentySeventhDocumentIsRefused() {
    QFETCH(bool, viaOpen);
    MainFixture f;
    Main& main = f.start();
    for (int i = 0; i < 26; ++i)
        main.new_Click();
    QCOMPARE(main.documents().FindFreeSlot(), -1);
    const int count = main.documents().UntitledCount;
    if (viaOpen)
        main.open_Click(); // refused before any dialog is shown
    else
        main.new_Click();
    QCOMPARE(main.mdiArea()->subWindowList().size(), 26);
    QCOMPARE(main.documents().UntitledCount, count);
    QVERIFY(f.dialog.calls.isEmpty());
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].buttons, MsgButtons::Ok);
    QVERIFY(f.messages.calls[0].text.contains(QStringLiteral("26")));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

// What closing a changed window does for each answer, and for a save that cannot complete.
void DocumentWindowsTest::saveQuestion_data() {
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

void DocumentWindowsTest::saveQuestion() {
    QFETCH(bool, untitled);
    QFETCH(MsgAnswer, answer);
    QFETCH(QString, saveAsTo);
    QFETCH(bool, closes);
    QFETCH(QByteArray, written);
    MainFixture f;
    Main& main = f.start();
    QString path;
    if (untitled) {
        main.new_Click();
    } else {
        path = f.writeDoc(QStringLiteral("doc.bas"), "old");
        f.dialog.answerFile(path);
        main.open_Click();
    }
    Editor* window = f.active();
    window->Text1->setWholeText(QStringLiteral("new text"));
    const QString caption = window->windowTitle();
    f.messages.answer(answer);
    if (saveAsTo != QLatin1String("-")) {
        path = saveAsTo.isEmpty() ? QString() : f.docPath(saveAsTo);
        f.dialog.answerFile(path);
    }

    QCOMPARE(window->close(), closes);
    const MessageCall& question = f.messages.calls.first();
    QCOMPARE(question.title, caption);
    QCOMPARE(question.text, QStringLiteral("File has not been saved\r\nSave changes ?"));
    QCOMPARE(question.icon, MsgIcon::Exclamation);
    QCOMPARE(question.buttons, MsgButtons::YesNoCancel);
    if (!path.isEmpty() && !written.isEmpty())
        QCOMPARE(MainFixture::readFile(path), written);
    if (!closes) {
        QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
        QCOMPARE(window->Text1->wholeText(), QStringLiteral("new text"));
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(main.documents().DocChanged[window->slot()], qint16(-1));
    } else {
        QVERIFY(main.mdiArea()->subWindowList().isEmpty());
        QCOMPARE(main.documents().DocInUse[0], qint16(0));
    }
    if (saveAsTo.startsWith(QLatin1String("gone"))) {
        QCOMPARE(f.messages.calls.size(), 2);
        QCOMPARE(f.messages.calls[1].icon, MsgIcon::Critical);
        QVERIFY(f.messages.calls[1].text.contains(path));
    }
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

void DocumentWindowsTest::editorFollowsWindowSizeAndClampsAtZero() {
    MainFixture f;
    Main& main = f.start();
    main.new_Click();
    Editor* window = f.active();
    window->resize(300, 200);
    QCOMPARE(window->Text1->width(), 300 - twipsToPixelsX(120));
    QCOMPARE(window->Text1->height(), 200 - twipsToPixelsY(400));
    window->setMinimumSize(0, 0);
    window->resize(4, 10);
    QCOMPARE(window->Text1->width(), 0);
    QCOMPARE(window->Text1->height(), 0);
}

void DocumentWindowsTest::commandsDoNothingWithoutVisibleDocument() {
    MainFixture f;
    Main& main = f.start();
    main.new_Click();
    const QString path = f.writeDoc(QStringLiteral("keep.bas"), "keep");
    f.active()->hide();
    QVERIFY(main.AnyEditorOpen());
    QCOMPARE(main.activeEditor(), nullptr);
    main.saveas_Click();
    main.save_Click();
    main.toolbarButton(3)->trigger();
    QVERIFY(f.dialog.calls.isEmpty());
    QCOMPARE(MainFixture::readFile(path), QByteArray("keep"));
    VERIFY_NO_PROMPT_PROBLEMS(f);
}

QTEST_MAIN(DocumentWindowsTest)
#include "DocumentWindowsTest.moc"
