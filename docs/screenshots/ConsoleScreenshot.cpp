// Draws the README's console screenshot: Run of a small program whose questions are answered
// by typing into the console, offscreen. The compiler driver is a shell script that plays the
// program. Usage: console-screenshot <output.png>

#include "ScreenshotStart.h"

#include "build/ConsolePane.h"
#include "build/TerminalScreen.h"
#include "build/TerminalView.h"
#include "documents/Editor.h"

#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QTest>
#include <QTimer>

namespace {

bool shows(ConsolePane* console, const QString& text, int times) {
    const TerminalScreen& screen = console->screen();
    return screen.text(0, screen.lineCount() - 1).count(text) >= times;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    MainFixture f;
    Main* started = startScreenshot(f, argc, "console-screenshot", QSize(780, 560));
    if (started == nullptr)
        return 2;
    Main& main = *started;

    QFile driver(f.appFolder() + QStringLiteral("/make"));
    if (!driver.open(QIODevice::WriteOnly) ||
        driver.write("#!/bin/sh\n"
                     "printf '\\033[90mCompiling vd~tmp.bas ... 16 lines, no errors\\033[0m\\n'\n"
                     "printf 'Hello, player\\n'\n"
                     "while :; do\n"
                     "  printf 'Your guess? '; read g || exit 0\n"
                     "  if [ \"$g\" -lt 63 ]; then printf '\\033[33mHigher\\033[0m\\n'\n"
                     "  elif [ \"$g\" -gt 63 ]; then printf '\\033[33mLower\\033[0m\\n'\n"
                     "  else printf '\\033[1;32mFound it!\\033[0m\\n'; exit 0; fi\n"
                     "done\n") < 0)
        return 1;
    driver.close();
    driver.setPermissions(driver.permissions() | QFile::ExeOwner);

    const QString game =
        f.writeDoc(QStringLiteral("guess.bas"), "' Guess the number\r\n"
                                                "PRINT \"Hello, player\"\r\n"
                                                "target = 63\r\n"
                                                "DO\r\n"
                                                "    INPUT \"Your guess\"; guess\r\n"
                                                "    IF guess < target THEN PRINT \"Higher\"\r\n"
                                                "    IF guess > target THEN PRINT \"Lower\"\r\n"
                                                "LOOP UNTIL guess = target\r\n"
                                                "PRINT \"Found it!\"\r\n"
                                                "END\r\n");
    f.dialog.answerFile(game);
    main.open_Click();
    if (auto* window = main.findChild<QMdiArea*>(QStringLiteral("MDIClient"))->activeSubWindow())
        window->showMaximized();

    auto* console = main.findChild<ConsolePane*>(QStringLiteral("Console"));
    bool saved = false;
    // Runs inside the wait for the driver: type two guesses, take the picture, then end it.
    QTimer::singleShot(0, &main, [&] {
        TerminalView* view = console->view();
        for (const QString& guess : {QStringLiteral("50"), QStringLiteral("75")}) {
            const int asked = int(console->screen().text(0, 200).count(u"guess?"));
            if (!QTest::qWaitFor(
                    [&] { return shows(console, QStringLiteral("guess?"), asked + 1); }, 20000))
                return;
            QTest::keyClicks(view, guess);
            QTest::keyClick(view, Qt::Key_Return);
        }
        if (!QTest::qWaitFor([&] { return shows(console, QStringLiteral("guess?"), 3); }, 20000))
            return;
        QTest::keyClicks(view, QStringLiteral("6"));
        QTest::qWait(100);
        saved = main.grab().save(QString::fromLocal8Bit(argv[1]));
        QTest::keyClicks(view, QStringLiteral("3"));
        QTest::keyClick(view, Qt::Key_Return);
    });
    main.runp_Click();
    return saved ? 0 : 1;
}
