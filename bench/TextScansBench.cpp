// The text search and the procedure scan on generated BASIC texts of 1, 10 and 50 million
// characters, measured in the same run against two baselines: the definitions as written (each
// candidate or line start taken out as a string of its own, converted, compared), and the
// character loops of the tests, which compare in place.
//
// Usage: bench_textscans [repetitions]

#include "BasicText.h"
#include "LiteralDefinitions.h"

#include "navigation/ProcedureScan.h"
#include "navigation/TextSearch.h"

#include "core/PathNames.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// The search as defined, step by step: the Len(T) characters at each index, upper-cased when
// the case is ignored, compared with T.
std::optional<qsizetype> definedFindText(QStringView d, qsizetype selStart, QStringView t,
                                         int caseFlag) {
    const QString pattern = caseFlag == 0 ? upperUnits(t) : t.toString();
    const qsizetype s = selStart == 0 ? 1 : selStart;
    for (qsizetype i = s; i <= d.size() - pattern.size() + 1; ++i) {
        QString candidate = d.sliced(i - 1, pattern.size()).toString();
        if (caseFlag == 0)
            candidate = upperUnits(candidate);
        if (candidate == pattern)
            return i - 1;
    }
    return std::nullopt;
}

// The scan as defined, step by step: walk the text two characters at a time looking for CR LF,
// take the first three and the first eight characters of each line, upper-case them, compare;
// collect the name one character at a time. Every piece taken is a string of its own.
ProcedureTable definedScanProcedures(const QString& d, const QString& caption) {
    ProcedureTable table;
    QString name = caption;
    table.ProcedureNames.append(DisplayName(name).toUpper());
    table.ProcedurePositions.append(1);
    const auto examine = [&](qsizetype line) {
        qsizetype keyword = 0;
        if (upperUnits(d.mid(line, 3)) == u"SUB")
            keyword = 3;
        else if (upperUnits(d.mid(line, 8)) == u"FUNCTION")
            keyword = 8;
        else
            return line;
        table.ProcedureCount += 1;
        table.ProcedurePositions.append(line + keyword);
        qsizetype p = line + keyword;
        while (p < d.size() && d.mid(p, 1) == u" ")
            ++p;
        QString procedure;
        while (p < d.size() && d.mid(p, 1) != u"\t" && d.mid(p, 1) != u"\r" &&
               d.mid(p, 1) != u"(" && d.mid(p, 1) != u" ")
            procedure += d.mid(p++, 1);
        table.ProcedureNames.append(procedure);
        return p < d.size() && d[p] != u'\r' ? p + 1 : p;
    };
    qsizetype p = examine(0);
    while (p + 1 < d.size()) {
        if (d.mid(p, 2) == u"\r\n")
            p = examine(p + 2);
        else
            ++p;
    }
    return table;
}

constexpr QStringView EndMarker = u"PRINT \"The End\"";

// The best of `repetitions` runs, in milliseconds.
double bestOf(int repetitions, const std::function<void()>& run) {
    double best = 1e300;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    const QString lowerMarker = EndMarker.toString().toLower();
    for (const qsizetype length : {qsizetype{1000000}, qsizetype{10000000}, qsizetype{50000000}}) {
        const QString text = generateBasicTextWithEnd(length, EndMarker);
        // The baselines are slow: fewer runs of them on the largest text.
        const int baselineRuns = length > 10000000 ? 1 : 3;
        volatile qsizetype sink = 0;
        const auto measure = [&](const char* what, qsizetype size,
                                 const std::function<void()>& fast,
                                 const std::function<void()>& defined,
                                 const std::function<void()>& loop) {
            const double fastMs = bestOf(repetitions, fast);
            const double definedMs = bestOf(baselineRuns, defined);
            const double loopMs = bestOf(baselineRuns, loop);
            std::printf("%-32s %3lld M %8.2f ms | as defined %8.1f ms x%-4.0f | char loop %7.1f ms "
                        "x%.1f\n",
                        what, static_cast<long long>(size / 1000000), fastMs, definedMs,
                        definedMs / fastMs, loopMs, loopMs / fastMs);
            std::fflush(stdout);
        };

        // Caret at the start, the only occurrence at the very end: the whole text is read.
        measure(
            "FindText case-sensitive, at end", length,
            [&] { sink = *FindText(text, 0, EndMarker, 1); },
            [&] { sink = *definedFindText(text, 0, EndMarker, 1); },
            [&] { sink = *literal::FindText(text, 0, EndMarker, 1); });
        measure(
            "FindText ignoring case, at end", length,
            [&] { sink = *FindText(text, 0, lowerMarker, 0); },
            [&] { sink = *definedFindText(text, 0, lowerMarker, 0); },
            [&] { sink = *literal::FindText(text, 0, lowerMarker, 0); });
        measure(
            "FindText ignoring case, missing", length,
            [&] { sink = FindText(text, 0, u"GOTO 10", 0).value_or(-1); },
            [&] { sink = definedFindText(text, 0, u"GOTO 10", 0).value_or(-1); },
            [&] { sink = literal::FindText(text, 0, u"GOTO 10", 0).value_or(-1); });
        qsizetype count = 0;
        measure(
            "ScanProcedures", length,
            [&] { count = ScanProcedures(text, QStringLiteral("/home/u/big.bas")).ProcedureCount; },
            [&] {
                sink =
                    definedScanProcedures(text, QStringLiteral("/home/u/big.bas")).ProcedureCount;
            },
            [&] {
                sink =
                    literal::ScanProcedures(text, QStringLiteral("/home/u/big.bas")).ProcedureCount;
            });
        std::printf("  (%lld procedures)\n", static_cast<long long>(count));
    }
    return 0;
}
