// Draws the screenshot of the README: the IDE with two documents open, offscreen.
// Usage: readme-screenshot <output.png>

#include "MainFixture.h"

#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "shell/Main.h"

#include <QApplication>
#include <QMdiArea>
#include <QTest>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        qWarning("usage: readme-screenshot <output.png>");
        return 2;
    }
    MainFixture f;
    Main& main = f.start();
    main.resize(760, 520);

    const QString game = f.writeDoc(QStringLiteral("game.bas"),
                                    "' Guess the number\r\n"
                                    "DECLARE SUB Greet (name$)\r\n"
                                    "\r\n"
                                    "Greet \"player\"\r\n"
                                    "target = INT(RND * 100) + 1\r\n"
                                    "DO\r\n"
                                    "    INPUT \"Your guess\"; guess\r\n"
                                    "    IF guess < target THEN PRINT \"Higher\"\r\n"
                                    "    IF guess > target THEN PRINT \"Lower\"\r\n"
                                    "LOOP UNTIL guess = target\r\n"
                                    "PRINT \"Found it!\"\r\n"
                                    "END\r\n"
                                    "\r\n"
                                    "SUB Greet (name$)\r\n"
                                    "    PRINT \"Hello, \"; name$\r\n"
                                    "END SUB\r\n");
    f.dialog.answerFile(game);
    main.open_Click();
    main.new_Click();
    f.active()->Text1->setWholeText(QStringLiteral("' Veldra Studio v1.00\r\nPRINT \"Hello\"\r\n"));
    const auto windows = main.mdiArea()->subWindowList();
    windows[0]->setGeometry(0, 0, 430, 330);
    windows[1]->setGeometry(170, 120, 420, 250);
    main.mdiArea()->setActiveSubWindow(windows[0]);
    QTest::qWait(50);
    const bool saved = main.grab().save(QString::fromLocal8Bit(argv[1]));
    f.messages.answer(MsgAnswer::No);
    return saved ? 0 : 1;
}
