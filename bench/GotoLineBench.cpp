// Goto Line on a large document: the line walk over the text alone, and the whole step as the
// error dialog takes it (the editor's text out, the walk, the caret placed).
// Run with QT_QPA_PLATFORM=offscreen where there is no display.

#include "build/LineWalk.h"
#include "documents/EditorText.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

// The best of several runs, in milliseconds.
double bestOf(int runs, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTextStream out(stdout);

    // About 10 MB: 200 000 lines of BASIC-like text.
    QString text;
    const QString line = QStringLiteral("    PRINT \"Score: \"; score; \" lives \"; lives\r\n");
    const int lines = 200000;
    text.reserve(line.size() * lines);
    for (int i = 0; i < lines; ++i)
        text += line;
    out << "text: " << lines << " lines, " << text.size() << " UTF-16 units\n";

    for (const double target : {1.0, lines / 2.0, double(lines), lines + 5.0}) {
        qsizetype found = -1;
        const double ms = bestOf(9, [&] { found = lineStartOffset(text, target).value_or(-1); });
        out << "walk to line " << qint64(target) << ": " << ms << " ms (offset " << found << ")\n";
    }

    EditorText editor;
    editor.setWholeText(text);
    // The parts of the step: the text out, and the editor's offset mapping behind setSelection.
    const qsizetype middle = text.size() / 2;
    out << "wholeText: " << bestOf(5, [&] { editor.wholeText(); }) << " ms\n";
    out << "textLength: " << bestOf(5, [&] { editor.textLength(); }) << " ms\n";
    out << "positionOfOffset(middle): " << bestOf(5, [&] { editor.positionOfOffset(middle); })
        << " ms\n";
    out << "setSelection(middle, 0): " << bestOf(5, [&] { editor.setSelection(middle, 0); })
        << " ms\n";
    for (const double target : {double(lines / 2), double(lines)}) {
        const double ms = bestOf(5, [&] {
            const auto offset = lineStartOffset(editor.wholeText(), target);
            if (offset)
                editor.setSelection(*offset, 0);
        });
        out << "Goto Line " << qint64(target) << " in the editor: " << ms << " ms (caret "
            << editor.selStart() << ")\n";
    }
    return 0;
}
