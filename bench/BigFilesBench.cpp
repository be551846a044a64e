// Big files on the real main window (offscreen when there is no display): for each file, Open
// until the document is painted and the peak memory it took, the CPU cost of a key typed at the
// start, middle and end, Search again to a near and to a far match, Goto Line to the last line,
// and the Subs Browser until its list is painted. The figures measured before the editor worked
// on its own buffer stand in the "before" column.
//
// Usage: bench_bigfiles [MB ...]   (default: 1 10 100, and a 10 MB single line)
//        a size given as "10L" is a single line of that many MB.
//        bench_bigfiles --settings [MB [name]]   (default 10): a single line of that many MB
//        opened under each editor setting that could bear on its layout (or those whose name
//        begins with `name`), with the CPU cost of Open until painted, of a key typed in the
//        middle and at the end, and of Left at the end under each.

#include "BasicText.h"
#include "WindowBench.h"

#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "navigation/SubBrowser.h"
#include "platform/QtProcesses.h"
#include "shell/Main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void settle() {
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A field of /proc/self/status in kB.
long statusKb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Lets the kernel forget the peak resident size so far.
void resetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// The median CPU milliseconds of `runs` runs of `work` followed by the editor's repaint.
double cpuOfRuns(int runs, const std::function<void()>& prepare,
                 const std::function<void()>& work) {
    std::vector<double> costs;
    for (int run = 0; run < runs; ++run) {
        prepare();
        settle();
        PaintWatch watch(isEditorView);
        const double start = threadCpuMs();
        work();
        watch.wait(600000);
        costs.push_back(threadCpuMs() - start);
    }
    std::sort(costs.begin(), costs.end());
    return costs[costs.size() / 2];
}

// Types "a", or presses another key that types nothing.
void typeKey(EditorText& text, Qt::Key key = Qt::Key_A) {
    const QString typed = key == Qt::Key_A ? QStringLiteral("a") : QString();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, typed);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, typed);
    QApplication::sendEvent(&text, &press);
    QApplication::sendEvent(&text, &release);
}

// Editor settings that could bear on the layout of a very long line, each applied on its own to
// the editor's defaults; "invisible text" skips measuring the text and so shows what measuring
// costs.
using Setting = std::function<void(EditorText&)>;
Setting message(int message, long value, long second = 0) {
    return [message, value, second](EditorText& text) {
        text.SendScintilla(static_cast<unsigned>(message), static_cast<unsigned long>(value),
                           second);
    };
}
using Base = QsciScintillaBase;
const std::vector<std::pair<const char*, Setting>> Settings = {
    {"defaults", [](EditorText&) {}},
    {"layout cache none", message(Base::SCI_SETLAYOUTCACHE, Base::SC_CACHE_NONE)},
    {"layout cache caret", message(Base::SCI_SETLAYOUTCACHE, Base::SC_CACHE_CARET)},
    {"layout cache page", message(Base::SCI_SETLAYOUTCACHE, Base::SC_CACHE_PAGE)},
    {"layout cache document", message(Base::SCI_SETLAYOUTCACHE, Base::SC_CACHE_DOCUMENT)},
    {"wrap word", message(Base::SCI_SETWRAPMODE, Base::SC_WRAP_WORD)},
    {"wrap char", message(Base::SCI_SETWRAPMODE, Base::SC_WRAP_CHAR)},
    {"wrap whitespace", message(Base::SCI_SETWRAPMODE, Base::SC_WRAP_WHITESPACE)},
    {"position cache 0", message(Base::SCI_SETPOSITIONCACHE, 0)},
    {"position cache 65536", message(Base::SCI_SETPOSITIONCACHE, 65536)},
    {"phases draw one", message(Base::SCI_SETPHASESDRAW, Base::SC_PHASES_ONE)},
    {"phases draw multiple", message(Base::SCI_SETPHASESDRAW, Base::SC_PHASES_MULTIPLE)},
    {"buffered draw off", message(Base::SCI_SETBUFFEREDDRAW, 0)},
    {"idle styling all", message(Base::SCI_SETIDLESTYLING, Base::SC_IDLESTYLING_ALL)},
    {"x caret policy slop", message(Base::SCI_SETXCARETPOLICY, Base::CARET_SLOP, 0)},
    {"scroll width tracking off", message(Base::SCI_SETSCROLLWIDTHTRACKING, 0)},
    {"no antialiasing", message(Base::SCI_SETFONTQUALITY, Base::SC_EFF_QUALITY_NON_ANTIALIASED)},
    {"code page 0 (bytes)", message(Base::SCI_SETCODEPAGE, 0)},
    {"all of cache document, slop, no tracking",
     [](EditorText& text) {
         message(Base::SCI_SETLAYOUTCACHE, Base::SC_CACHE_DOCUMENT)(text);
         message(Base::SCI_SETXCARETPOLICY, Base::CARET_SLOP, 0)(text);
         message(Base::SCI_SETSCROLLWIDTHTRACKING, 0)(text);
     }},
    {"invisible text", message(Base::SCI_STYLESETVISIBLE, Base::STYLE_DEFAULT, 0)},
};

// Applies a setting to each editor when it is first shown, before its text arrives.
class SettingOnShow : public QObject {
public:
    Setting setting;
    SettingOnShow() { qApp->installEventFilter(this); }
    ~SettingOnShow() override { qApp->removeEventFilter(this); }
    SettingOnShow(const SettingOnShow&) = delete;
    SettingOnShow& operator=(const SettingOnShow&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && setting)
            if (auto* text = qobject_cast<EditorText*>(watched)) {
                setting(*text);
                // A style setting reaches the text through the copy to all styles.
                text->SendScintilla(Base::SCI_STYLECLEARALL);
            }
        return false;
    }
};

struct Case {
    std::string name;
    qsizetype megabytes;
    bool singleLine;
};

// Figures of the same steps measured on this machine before the editor worked on its own buffer
// (ms, and bytes of peak memory per byte of file for "open peak"). Where only a rate was
// measured it is scaled to the file: opening 40 ms of CPU per MB, a key 4 ms per MB before the
// caret, Search again and Goto Line in proportion to the text they copied (317 ms for 50 MB,
// 1.7 s for 200 MB). The browser on 100 MB and the single line were measured as they are.
const std::map<std::string, std::map<std::string, double>> Before = {
    {"1 MB", {{"open peak", 8.25}, {"key at end", 4}, {"key in middle", 2}}},
    {"10 MB",
     {{"open until painted", 400},
      {"open peak", 8.25},
      {"key at start", 0.2},
      {"key in middle", 25},
      {"key at end", 49},
      {"F3 near", 32},
      {"F3 far", 63},
      {"Goto Line last", 85},
      {"browser", 84}}},
    {"100 MB",
     {{"open until painted", 4000},
      {"open peak", 8.25},
      {"key at start", 0.2},
      {"key in middle", 205},
      {"key at end", 411},
      {"F3 near", 317},
      {"F3 far", 634},
      {"Goto Line last", 850},
      {"browser", 836}}},
    {"10 MB line",
     {{"open until painted", 4100},
      {"key at start", 4000},
      {"key in middle", 4000},
      {"key at end", 4000},
      {"F3 near", 500},
      {"F3 far", 500}}},
};

QString singleLineText(qsizetype length, QStringView endMarker) {
    static const QString Statement = QStringLiteral("x% = x% + 1: PRINT x%; \"ok\": ");
    QString text;
    text.reserve(length);
    while (text.size() + Statement.size() + endMarker.size() < length)
        text += Statement;
    text += endMarker;
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const bool settingsMode = argc > 1 && qstrcmp(argv[1], "--settings") == 0;
    std::vector<Case> cases;
    const QString settingsOnly =
        settingsMode && argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    for (int i = settingsMode ? 2 : 1; i < (settingsMode ? std::min(argc, 3) : argc); ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const bool line = arg.endsWith(u'L');
        const qsizetype mb = (line ? arg.chopped(1) : arg).toLongLong();
        cases.push_back(
            {(arg.chopped(line ? 1 : 0) + (line ? " MB line" : " MB")).toStdString(), mb, line});
    }
    if (settingsMode && cases.empty())
        cases = {{"10 MB line", 10, true}};
    if (cases.empty())
        cases = {{"1 MB", 1, false},
                 {"10 MB", 10, false},
                 {"100 MB", 100, false},
                 {"10 MB line", 10, true}};

    QTemporaryDir appFolder;
    QTemporaryDir docFolder;
    BenchDialog dialog;
    QuietMessages messages;
    QtProcesses processes;
    AppState state;
    Main main(appFolder.path(), Platform{dialog, messages, processes}, state);
    main.show();
    settle();

    const QString endMarker = QStringLiteral("PRINT \"The End\"");
    if (settingsMode) {
        const Case& c = cases.front();
        const QString path = docFolder.filePath(QStringLiteral("line.bas"));
        {
            QFile file(path);
            const QByteArray bytes = singleLineText(c.megabytes * 1000 * 1000, endMarker).toUtf8();
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                qFatal("cannot write the file");
        }
        std::printf("%lld MB line: %-40s %12s %12s %12s %12s\n",
                    static_cast<long long>(c.megabytes), "setting", "open CPU ms", "key mid ms",
                    "key end ms", "Left end ms");
        // One key each on a big line: a key there costs seconds and varies little.
        const int runs = c.megabytes >= 5 ? 1 : 3;
        SettingOnShow onShow;
        for (const auto& [name, setting] : Settings) {
            if (!QString::fromLatin1(name).startsWith(settingsOnly))
                continue;
            onShow.setting = setting;
            dialog.next = path;
            // CPU time rather than elapsed time: the figures stay comparable on a busy machine.
            const double openStart = threadCpuMs();
            {
                PaintWatch watch(isEditorView);
                main.open_Click();
                watch.wait(600000);
            }
            const double open = threadCpuMs() - openStart;
            settle();
            Editor* editor = main.activeEditor();
            EditorText& text = *editor->Text1;
            const auto keyAt = [&](int halves, Qt::Key key) {
                return cpuOfRuns(
                    runs, [&] { text.setSelection(text.textLength() * halves / 2, 0); },
                    [&] { typeKey(text, key); });
            };
            const double middle = keyAt(1, Qt::Key_A);
            const double end = keyAt(2, Qt::Key_A);
            const double left = keyAt(2, Qt::Key_Left);
            std::printf("%-54s %12.0f %12.0f %12.0f %12.0f\n", name, open, middle, end, left);
            std::fflush(stdout);
            editor->closeFor(CloseReason::Code);
            settle();
        }
        return 0;
    }
    std::printf("%-12s %-26s %12s %12s\n", "file", "step", "now", "before");
    for (const Case& c : cases) {
        const qsizetype length = c.megabytes * 1000 * 1000;
        const QString path = docFolder.filePath(QStringLiteral("big.bas"));
        qsizetype lines = 1;
        {
            const QString text = c.singleLine ? singleLineText(length, endMarker)
                                              : generateBasicTextWithEnd(length, endMarker);
            lines = text.count(u'\n') + 1;
            QFile file(path);
            const QByteArray bytes = text.toUtf8();
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                qFatal("cannot write the file");
        }
        dialog.next = path;
        const auto before =
            Before.count(c.name) ? Before.at(c.name) : std::map<std::string, double>{};
        int shownBefore = messages.shown;
        const auto row = [&](const char* step, double now, const char* unit) {
            std::printf("%-12s %-26s %9.2f %s", c.name.c_str(), step, now, unit);
            if (messages.shown != shownBefore)
                std::printf(" (a message was shown)");
            shownBefore = messages.shown;
            if (before.count(step))
                std::printf(" %9.2f %s", before.at(step), unit);
            std::printf("\n");
            std::fflush(stdout);
        };

        settle();
        const long rssBefore = statusKb("VmRSS:");
        resetPeak();
        QElapsedTimer timer;
        {
            PaintWatch watch(isEditorView);
            timer.start();
            main.open_Click();
            watch.wait(600000);
        }
        row("open until painted", static_cast<double>(timer.nsecsElapsed()) / 1e6, "ms");
        const long peak = statusKb("VmHWM:") - rssBefore;
        row("open peak", static_cast<double>(peak) * 1024.0 / static_cast<double>(length), "B/B");
        settle();

        Editor* editor = main.activeEditor();
        EditorText& text = *editor->Text1;
        const qsizetype size = text.textLength();
        // Where the key goes, as a share of the text at the time: typed keys lengthen it.
        for (const auto& [step, halves] : std::vector<std::pair<const char*, int>>{
                 {"key at start", 0}, {"key in middle", 1}, {"key at end", 2}}) {
            const int share = halves;
            row(step,
                cpuOfRuns(
                    5, [&] { text.setSelection(text.textLength() * share / 2, 0); },
                    [&] { typeKey(text); }),
                "ms");
        }

        // A near match: the next one within a few hundred characters of the middle; a far
        // one: the end marker, searched from the start.
        const QString near = c.singleLine ? QStringLiteral("PRINT x%") : QStringLiteral("\r\n");
        state.search = SearchState{near, 1};
        row("F3 near",
            cpuOfRuns(
                5, [&] { text.setSelection(size / 2, 0); }, [&] { main.searchagain_Click(); }),
            "ms");
        state.search = SearchState{endMarker, 1};
        row("F3 far",
            cpuOfRuns(
                3, [&] { text.setSelection(0, 0); }, [&] { main.searchagain_Click(); }),
            "ms");
        {
            // The same far search as a bare memmem over the editor's bytes, for comparison.
            const QByteArray marker = endMarker.toUtf8();
            const auto* bytes = reinterpret_cast<const char*>(static_cast<intptr_t>(
                text.SendScintilla(QsciScintillaBase::SCI_GETCHARACTERPOINTER)));
            const auto byteCount =
                static_cast<size_t>(text.SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
            const double start = threadCpuMs();
            const void* found =
                memmem(bytes, byteCount, marker.constData(), static_cast<size_t>(marker.size()));
            row("memmem for F3 far", threadCpuMs() - start, "ms");
            if (found == nullptr)
                std::printf("memmem did not find the marker\n");
        }

        row("Goto Line last",
            cpuOfRuns(
                3, [&] { text.setSelection(0, 0); },
                [&] {
                    // What a reported error line does: the line index gives its start.
                    text.setSelection(text.offsetOfLine(lines - 1), 0);
                }),
            "ms");

        if (c.singleLine) {
            // With short lines around the long one: scrolling by a line draws the long line
            // again, and Return above it moves it down to another line number.
            text.SendScintilla(Base::SCI_INSERTTEXT, 0UL, "PRINT 1\r\n");
            const QByteArray below = QByteArray("\r\nPRINT 2").repeated(200);
            text.SendScintilla(Base::SCI_APPENDTEXT, static_cast<unsigned long>(below.size()),
                               below.constData());
            long step = 1;
            row("scroll by a line",
                cpuOfRuns(
                    5, [] {},
                    [&] {
                        text.SendScintilla(Base::SCI_LINESCROLL, 0UL, step);
                        step = -step;
                    }),
                "ms");
            row("Return on a line above",
                cpuOfRuns(
                    5, [&] { text.setSelection(0, 0); }, [&] { typeKey(text, Qt::Key_Return); }),
                "ms");
        }

        std::vector<double> browses;
        for (int run = 0; run < 3; ++run) {
            PaintWatch watch([&main](QObject* object) {
                auto* browser = main.findChild<SubBrowser*>(QStringLiteral("SubBrowser"));
                return browser != nullptr && object == browser->ListView1->viewport();
            });
            const double start = threadCpuMs();
            main.sbrowser_Click();
            watch.wait(600000);
            browses.push_back(threadCpuMs() - start);
            main.findChild<SubBrowser*>(QStringLiteral("SubBrowser"))->hide();
            settle();
        }
        std::sort(browses.begin(), browses.end());
        row("browser", browses[1], "ms");

        editor->closeFor(CloseReason::Code);
        settle();
    }
    return 0;
}
