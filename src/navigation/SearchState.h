#pragma once

#include <QString>

// What "Search again" repeats: the text and the case setting of the last search started with
// the search dialog's "Search" button.
struct SearchState {
    QString SearchText;
    // 0: the search ignores case; any other value: exact.
    qint16 SearchCaseFlag = 0;
};
