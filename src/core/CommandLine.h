#pragma once

#include <QString>
#include <QStringList>

// Splits one command line into program and arguments by the Windows rules: blanks and tabs
// separate; double quotes group (and are removed); in arguments after the first, 2n backslashes
// before a quote give n backslashes and the quote toggles grouping, 2n+1 give n backslashes and a
// literal quote, backslashes not before a quote are literal, and "" inside a quoted part gives a
// literal quote. The first token (the program) takes backslashes literally: a quote there only
// groups. An empty quoted argument ("") is kept as an empty argument. Leading and trailing
// blanks produce nothing. Result: element 0 the program, then the arguments; empty list for a
// blank line.
QStringList splitCommandLine(const QString& commandLine);

// Splits arguments alone: every token, the first included, follows the rules of the arguments
// above. For the text after a program that is already known.
QStringList splitArguments(const QString& arguments);
