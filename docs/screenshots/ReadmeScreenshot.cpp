// Draws the screenshot of the README: the IDE with a small project loaded, offscreen.
// Usage: readme-screenshot <output.png>

#include "ScreenshotStart.h"

#include "documents/Editor.h"
#include "documents/EditorText.h"

#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTreeWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MainFixture f;
    Main* started = startScreenshot(f, argc, "readme-screenshot", QSize(780, 540));
    if (started == nullptr)
        return 2;
    Main& main = *started;

    const QString game =
        f.writeDoc(QStringLiteral("guess.bas"), "' Guess the number\r\n"
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
    const QString util = f.writeDoc(QStringLiteral("util.bas"), "FUNCTION Clamp (v, lo, hi)\r\n"
                                                                "    IF v < lo THEN v = lo\r\n"
                                                                "    IF v > hi THEN v = hi\r\n"
                                                                "    Clamp = v\r\n"
                                                                "END FUNCTION\r\n");
    const QString blit = f.writeDoc(QStringLiteral("blit.asm"), "section .text\r\n"
                                                                "global blit\r\n"
                                                                "blit:\r\n"
                                                                "    mov ecx, [esp+4]\r\n"
                                                                "    rep movsb\r\n"
                                                                "    ret\r\n");
    const QString project = f.writeDoc(
        QStringLiteral("guess.vdp"),
        (QStringLiteral("Veldra Studio Project File\r\n 100 \r\n 64000 \r\n[Basic Files]\r\n") +
         game + QStringLiteral("\r\n") + util + QStringLiteral("\r\n[Assembly Files]\r\n") + blit +
         QStringLiteral("\r\n"))
            .toUtf8());
    f.dialog.answerFile(project);
    main.lproject_Click();
    main.TreeView1->expandAll();

    const auto windows = main.findChild<QMdiArea*>(QStringLiteral("MDIClient"))->subWindowList();
    // The captions show a user's folder instead of the temporary one the files lie in.
    const QString folder = QFileInfo(game).absolutePath();
    for (QMdiSubWindow* window : windows)
        window->setWindowTitle(
            window->windowTitle().replace(folder, QStringLiteral("/home/user/guess")));
    if (windows.size() == 3) {
        windows[2]->setGeometry(372, 4, 290, 170);
        windows[1]->setGeometry(250, 250, 410, 160);
        windows[0]->setGeometry(0, 0, 366, 330);
        main.findChild<QMdiArea*>(QStringLiteral("MDIClient"))->setActiveSubWindow(windows[0]);
    }
    QTest::qWait(50);
    return main.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
