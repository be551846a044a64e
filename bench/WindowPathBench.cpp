// The window path, measured on the real main window (offscreen when there is no display):
// start-up to the first painted main window, Open of a 10 MB .bas file until its window is
// painted, "Search again" on the open document, and the browser's scan and list on it.
//
// Usage: bench_windows [repetitions]

#include "BasicText.h"
#include "WindowBench.h"

#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "navigation/SubBrowser.h"
#include "platform/QtProcesses.h"
#include "shell/Main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

QElapsedTimer processClock;

double msSince(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void settle() {
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void line(const char* what, const std::vector<double>& runs) {
    std::printf("%-46s", what);
    for (const double ms : runs)
        std::printf(" %8.1f", ms);
    std::printf("  ms (best %.1f)\n", *std::min_element(runs.begin(), runs.end()));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    processClock.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double applicationMs = msSince(processClock);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    QTemporaryDir appFolder;
    QTemporaryDir docFolder;
    BenchDialog dialog;
    QuietMessages messages;
    QtProcesses processes;

    // Start-up: the first one in this process, then warm ones.
    std::vector<double> startups;
    double firstFromProcess = 0;
    for (int run = 0; run < repetitions; ++run) {
        QElapsedTimer timer;
        timer.start();
        Main* created = nullptr;
        PaintWatch watch([&created](QObject* object) { return object == created; });
        AppState fresh;
        auto main =
            std::make_unique<Main>(appFolder.path(), Platform{dialog, messages, processes}, fresh);
        created = main.get();
        main->show();
        if (!watch.wait())
            std::printf("main window never painted\n");
        startups.push_back(msSince(timer));
        if (run == 0)
            firstFromProcess = msSince(processClock);
        main->close();
    }
    std::printf("QApplication ready %.1f ms after process start; first main window painted "
                "%.1f ms after process start\n",
                applicationMs, firstFromProcess);
    line("start-up to first painted main window", startups);

    AppState state;
    Main main(appFolder.path(), Platform{dialog, messages, processes}, state);
    main.show();
    settle();

    const QString endMarker = QStringLiteral("PRINT \"The End\"");
    const QString text = generateBasicTextWithEnd(10 * 1000 * 1000, endMarker);
    const QString path = docFolder.filePath(QStringLiteral("big.bas"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) != text.size())
            qFatal("cannot write the 10 MB file");
    }
    dialog.next = path;

    std::vector<double> opens;
    for (int run = 0; run < repetitions; ++run) {
        QElapsedTimer timer;
        PaintWatch watch(isEditorView);
        timer.start();
        main.open_Click();
        if (!watch.wait())
            std::printf("document never painted\n");
        opens.push_back(msSince(timer));
        settle();
        if (run + 1 < repetitions) {
            main.activeEditor()->closeFor(CloseReason::Code);
            settle();
        }
    }
    line("Open 10 MB .bas until its window is painted", opens);

    Editor* editor = main.activeEditor();
    for (const int caseFlag : {1, 0}) {
        state.search =
            SearchState{caseFlag == 0 ? endMarker.toLower() : endMarker, qint16(caseFlag)};
        std::vector<double> searches;
        for (int run = 0; run < repetitions; ++run) {
            editor->Text1->setSelection(0, 0);
            settle();
            QElapsedTimer timer;
            PaintWatch watch(isEditorView);
            timer.start();
            main.searchagain_Click();
            watch.wait();
            searches.push_back(msSince(timer));
            if (editor->Text1->selLength() != endMarker.size() || messages.shown != 0)
                std::printf("search again did not find the end marker\n");
        }
        line(caseFlag == 1 ? "Search again on 10 MB, case-sensitive, at end"
                           : "Search again on 10 MB, ignoring case, at end",
             searches);
    }

    std::vector<double> browses;
    qsizetype listed = 0;
    for (int run = 0; run < repetitions; ++run) {
        QElapsedTimer timer;
        PaintWatch watch([&main](QObject* object) {
            auto* browser = main.findChild<SubBrowser*>(QStringLiteral("SubBrowser"));
            return browser != nullptr && object == browser->ListView1->viewport();
        });
        timer.start();
        main.sbrowser_Click();
        watch.wait();
        browses.push_back(msSince(timer));
        auto* browser = main.findChild<SubBrowser*>(QStringLiteral("SubBrowser"));
        listed = browser->ListView1->count();
        browser->hide();
        settle();
    }
    std::printf("browser lists %lld entries\n", static_cast<long long>(listed));
    line("Subs Browser scan and list on 10 MB until painted", browses);
    return 0;
}
