#include "core/ListField.h"

#include <QTest>

namespace {

// Stands for std::nullopt in the tables below.
constexpr const char* kNone = "<none>";

QString shown(const std::optional<QString>& value) {
    return value ? *value : QString(kNone);
}

} // namespace

class ListFieldTest : public QObject {
    Q_OBJECT

private slots:
    // Operations: F readField, L readLine, E atEnd; the results in order.
    void reads_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("operations");
        QTest::addColumn<QStringList>("results");

        const struct {
            const char* name;
            const char* text;
            const char* operations;
            QStringList results;
        } cases[] = {
            {"empty text", "", "EFL", {"true", kNone, kNone}},
            {"quoted with comma",
             "\"C:\\src\\a, b.bas\",5\r\n",
             "FFE",
             {"C:\\src\\a, b.bas", "5", "true"}},
            {"text after closing quote dropped", "\"x\" junk,7\r\n", "FFE", {"x", "7", "true"}},
            {"quoted runs to line end", "\"x\" junk\r\n7", "FFE", {"x", "7", "true"}},
            {"open quote ends at line end", "\"abc, d\r\ne", "FFE", {"abc, d", "e", "true"}},
            {"empty quoted", "\"\",x", "FFE", {"", "x", "true"}},
            {"blanks trimmed", "  a b  ,\t c \r\n", "FFE", {"a b", "c", "true"}},
            {"blanks inside quotes kept", "   \" a \"\r\n", "FE", {" a ", "true"}},
            {"empty between commas", "a,,b", "FFFE", {"a", "", "b", "true"}},
            {"trailing comma at end", "12,", "FEF", {"12", "true", kNone}},
            {"empty line", "\r\n", "FE", {"", "true"}},
            {"blank lines", "a\r\n\r\n  \r\nb", "FFFFE", {"a", "", "", "b", "true"}},
            {"lone cr and lf", "a\rb\nc\n\rd", "FFFFFE", {"a", "b", "c", "", "d", "true"}},
            {"field then line at crlf end", "12\r\n", "EFEL", {"false", "12", "true", kNone}},
            {"field then line at text end", "12", "FL", {"12", kNone}},
            {"empty line is a line", "\r\n", "LEL", {"", "true", kNone}},
            {"line keeps blanks", "  indented  \nnext", "LL", {"  indented  ", "next"}},
            {"lone cr and lf lines", "a\rb\n\nc", "LLLLL", {"a", "b", "", "c", kNone}},
            {"rest after quoted field", "\"p q\" r, s\r\nt", "FLL", {"p q", " s", "t"}},
            {"last field ends the line", "1,2\r\n3\r\n", "FFL", {"1", "2", "3"}},
        };
        for (const auto& c : cases)
            QTest::newRow(c.name) << QString(c.text) << QString(c.operations) << c.results;
    }

    void reads() {
        QFETCH(QString, text);
        QFETCH(QString, operations);
        QFETCH(QStringList, results);
        ListFieldReader reader(text);
        QStringList read;
        for (QChar operation : operations) {
            if (operation == u'F')
                read.append(shown(reader.readField()));
            else if (operation == u'L')
                read.append(shown(reader.readLine()));
            else
                read.append(reader.atEnd() ? QStringLiteral("true") : QStringLiteral("false"));
        }
        QCOMPARE(read, results);
    }

    void fieldAsNumber_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<std::optional<double>>("value");

        const std::pair<const char*, std::optional<double>> cases[] = {
            {"64000", 64000},  {" \t12 ", 12}, {"-3.5", -3.5}, {"+4", 4}, {"1e3", 1000},
            {"1.5E-2", 0.015}, {".5", 0.5},    {"5.", 5},      {"", {}},  {"  ", {}},
            {"abc", {}},       {"12abc", {}},  {"1 2", {}},    {"-", {}}, {".", {}},
            {"1e", {}},        {"- 1", {}},    {"1.2.3", {}},
        };
        for (const auto& [field, value] : cases)
            QTest::addRow("[%s]", field) << QString(field) << value;
    }

    void fieldAsNumber() {
        QFETCH(QString, field);
        QFETCH(std::optional<double>, value);
        QCOMPARE(::fieldAsNumber(field), value);
    }

    void leadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");

        const std::pair<const char*, double> cases[] = {
            {" 12abc", 12},    {"abc", 0}, {"-3.5x", -3.5}, {"1e3", 1000},
            {"", 0},           {"2ex", 2}, {"2e+", 2},      {"2.5.3", 2.5},
            {"\t -.5,", -0.5}, {"+", 0},   {"12 34", 12},
        };
        for (const auto& [text, value] : cases)
            QTest::addRow("[%s]", text) << QString(text) << value;
    }

    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(::leadingNumber(text), value);
    }
};

QTEST_GUILESS_MAIN(ListFieldTest)
#include "ListFieldTest.moc"
