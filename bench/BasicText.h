#pragma once

// Generated BASIC programs for the benchmarks: CR LF lines of typical statements, indented
// bodies, comments, and a SUB or FUNCTION block about every 1,000 characters.

#include <QString>

#include <array>
#include <cstdint>

inline QString generateBasicText(qsizetype length) {
    static constexpr std::array<const char*, 12> Body = {
        "    PRINT \"Score: \"; score%; \" of \"; total%\r\n",
        "    FOR i% = 1 TO count% STEP 2\r\n",
        "        total& = total& + values&(i%) * weight!\r\n",
        "    NEXT i%\r\n",
        "    IF x% > 10 AND y% < 20 THEN GOSUB DrawFrame\r\n",
        "    ' keep the cursor inside the window\r\n",
        "    name$ = LEFT$(line$, INSTR(line$, \",\") - 1)\r\n",
        "    DO WHILE NOT EOF(1): LINE INPUT #1, line$: LOOP\r\n",
        "    CALL Plot(x%, y%, colour%)\r\n",
        "    SELECT CASE key$: CASE \"q\": EXIT SUB: END SELECT\r\n",
        "    result = SQR(a# * a# + b# * b#)\r\n",
        "\r\n",
    };
    QString text;
    text.reserve(length + 256);
    text += QLatin1String("' Generated program\r\nDECLARE SUB Main ()\r\n");
    std::uint32_t state = 12345;
    const auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    int procedure = 0;
    while (text.size() < length) {
        ++procedure;
        const bool isFunction = next() % 3 == 0;
        text += QLatin1String(isFunction ? "FUNCTION Compute" : "SUB Handle");
        text += QString::number(procedure);
        text += QLatin1String(isFunction ? " (a AS INTEGER, b AS INTEGER)\r\n" : " (x%)\r\n");
        qsizetype bodyEnd = text.size() + 935;
        while (text.size() < bodyEnd)
            text += QLatin1String(Body[next() % Body.size()]);
        text += QLatin1String(isFunction ? "END FUNCTION\r\n\r\n" : "END SUB\r\n\r\n");
    }
    text.truncate(length);
    return text;
}

// The text of `length` characters whose last line is the only occurrence of EndMarker.
inline QString generateBasicTextWithEnd(qsizetype length, QStringView endMarker) {
    QString text = generateBasicText(length - endMarker.size() - 2);
    text += QLatin1String("\r\n");
    text += endMarker;
    return text;
}
