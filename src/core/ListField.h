#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Reads the free-format fields of a text file (project files, compiler error logs) as a stream of
// lines. Lines end with CR LF, a lone LF or a lone CR.
class ListFieldReader {
public:
    explicit ListFieldReader(QString text);

    bool atEnd() const;

    // Reads one field: leading blanks (and tabs) skipped; a value that begins with a double quote
    // runs to the next double quote and is taken without the quotes (then everything up to and
    // including the next comma or the line end is consumed); any other value runs to the first
    // comma or the line end, trailing blanks dropped; the comma or line end that ends it is
    // consumed. So "12,message" gives "12" and leaves "message" as the rest of that line.
    // An empty line reads as an empty field; a quote left open ends at the line end.
    // Returns std::nullopt when no value can be read (at the end of the text).
    std::optional<QString> readField();

    // Reads from the current position to the end of the current line, whole, without the line
    // end, and moves to the next line. std::nullopt at the end of the text.
    std::optional<QString> readLine();

private:
    bool atLineEnd() const;
    // Moves past the line end at the current position, if there is one.
    void skipLineEnd();
    // Moves to the first comma or line end and past it.
    void skipPastSeparator();

    QString m_text;
    qsizetype m_pos = 0;
};

// The value of a field when it reads as a number (optional sign, digits with an optional
// decimal point and fraction, optional exponent, blanks around allowed), otherwise nullopt.
std::optional<double> fieldAsNumber(const QString& field);

// The number at the start of a text: leading blanks skipped, then the longest prefix that reads
// as a number; 0 when the text does not begin with one. (" 12abc" -> 12, "abc" -> 0,
// "-3.5x" -> -3.5, "1e3" -> 1000, "" -> 0)
double leadingNumber(QStringView text);
