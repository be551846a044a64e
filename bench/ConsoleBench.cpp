// The console under a flood of output: a program writes 100 MB of text lines through the
// console pane while it is shown; the same program writes them to /dev/null, and through a bare
// pseudo-terminal whose output is dropped, in the same run. Prints MB/s and the ratios, the
// longest gap between the pane's repaints and between turns of the event loop meanwhile, and
// the peak memory against the memory before.
//
// Usage: bench_console [megabytes]    (the program it runs is this one: bench_console flood MB)

#include "build/ConsolePane.h"
#include "build/TerminalScreen.h"
#include "build/TerminalView.h"
#include "platform/QtProcesses.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Writes `megabytes` MB of numbered text lines to standard output, or to /dev/null.
int flood(long megabytes, bool toNull) {
    const int fd = toNull ? open("/dev/null", O_WRONLY) : 1;
    const long long total = megabytes * 1024LL * 1024LL;
    std::string block;
    long long written = 0;
    long long number = 0;
    while (written < total) {
        block.clear();
        while (block.size() < 64 * 1024) {
            block += "line " + std::to_string(++number) +
                     ": the quick brown fox jumps over the lazy dog, again and again\n";
        }
        const auto size = static_cast<size_t>(
            std::min<long long>(total - written, static_cast<long long>(block.size())));
        for (size_t done = 0; done < size;) {
            const ssize_t n = write(fd, block.data() + done, size - done);
            if (n <= 0)
                return 3;
            done += static_cast<size_t>(n);
        }
        written += static_cast<long long>(size);
    }
    return 0;
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long currentKilobytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* file = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(file, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(file);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Records the longest time between two events of one kind on a watched object.
class GapWatch : public QObject {
public:
    GapWatch(QObject* watched, QEvent::Type type) : m_type(type) {
        watched->installEventFilter(this);
    }
    void start() {
        m_clock.start();
        m_last = 0;
        m_longest = 0;
        m_count = 0;
    }
    qint64 longest() const { return std::max(m_longest, m_clock.elapsed() - m_last); }
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == m_type && m_clock.isValid()) {
            const qint64 now = m_clock.elapsed();
            m_longest = std::max(m_longest, now - m_last);
            m_last = now;
            ++m_count;
        }
        return false;
    }

private:
    QEvent::Type m_type;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    int m_count = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "flood") == 0)
        return flood(std::atol(argv[2]), argc > 3 && std::strcmp(argv[3], "null") == 0);

    QApplication app(argc, argv);
    const long megabytes = argc > 1 ? std::max(1L, std::atol(argv[1])) : 100;
    const QString self = QCoreApplication::applicationFilePath();
    const QString mb = QString::number(megabytes);

    QMainWindow window;
    window.setCentralWidget(new QPlainTextEdit);
    auto* console = new ConsolePane(&window);
    window.addDockWidget(Qt::BottomDockWidgetArea, console);
    window.resize(1000, 700);
    window.show();
    QApplication::processEvents();

    QtProcesses processes;
    processes.setConsole(console);
    const long before = currentKilobytes();

    QElapsedTimer clock;
    clock.start();
    processes.runAndWait(self, {QStringLiteral("flood"), mb, QStringLiteral("null")});
    const double nullSeconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;

    // A bare pseudo-terminal whose output is read and dropped: the share of the terminal layer.
    processes.setConsole(nullptr);
    clock.restart();
    processes.runAndWait(self, {QStringLiteral("flood"), mb});
    const double ptySeconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    processes.setConsole(console);

    // The event loop's turns, seen as a timer that wants to fire every 10 ms.
    GapWatch paints(console->view(), QEvent::Paint);
    QTimer ticker;
    GapWatch turns(&ticker, QEvent::Timer);
    ticker.start(10);
    console->startBuild();
    paints.start();
    turns.start();
    clock.restart();
    const StartResult result = processes.runAndWait(self, {QStringLiteral("flood"), mb});
    const double consoleSeconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    ticker.stop();

    const TerminalScreen& screen = console->screen();
    std::printf("console %dx%d: %s, %d lines of scroll-back\n", screen.columns(), screen.rows(),
                result.started && !result.crashed ? "ended" : "FAILED", screen.scrollbackLines());
    std::printf("%ld MB to /dev/null:     %7.2f s  %8.1f MB/s\n", megabytes, nullSeconds,
                static_cast<double>(megabytes) / nullSeconds);
    std::printf("%ld MB through a bare pty:  %7.2f s  %8.1f MB/s\n", megabytes, ptySeconds,
                static_cast<double>(megabytes) / ptySeconds);
    std::printf("%ld MB through console:  %7.2f s  %8.1f MB/s\n", megabytes, consoleSeconds,
                static_cast<double>(megabytes) / consoleSeconds);
    std::printf("console / null time:      %.2fx  (goal <= 3x); console / bare pty: %.2fx\n",
                consoleSeconds / nullSeconds, consoleSeconds / ptySeconds);
    std::printf("repaints: %d, longest gap %lld ms; event loop: longest gap %lld ms (goal <= "
                "100 ms)\n",
                paints.count(), static_cast<long long>(paints.longest()),
                static_cast<long long>(turns.longest()));
    std::printf("memory: %ld MB before the runs, peak %ld MB\n", before / 1024,
                peakKilobytes() / 1024);
    return 0;
}
