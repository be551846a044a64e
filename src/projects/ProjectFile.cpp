#include "projects/ProjectFile.h"

#include "core/ListField.h"

#include <QLocale>

#include <cmath>

namespace {

constexpr QStringView kHeader = u"Veldra Studio Project File";
constexpr QStringView kBasicSection = u"[Basic Files]";
constexpr QStringView kAssemblySection = u"[Assembly Files]";
constexpr QStringView kLibrariesSection = u"[Libraries]";
constexpr QStringView kLineEnd = u"\r\n";

bool holdsLineBreak(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

// Reads member paths up to the line `end` (or the end of the text), skipping empty lines.
// False when there are more than the limit.
bool readMembers(ListFieldReader& reader, QStringView end, QStringList& paths) {
    while (const std::optional<QString> line = reader.readLine()) {
        if (line->isEmpty())
            continue;
        if (*line == end)
            return true;
        if (paths.size() == ProjectFile::MemberLimit)
            return false;
        paths.append(*line);
    }
    return true;
}

ProjectFileReading notProjectFile(QString why) {
    ProjectFileReading reading;
    reading.notProjectFile = true;
    reading.error = std::move(why);
    return reading;
}

QString tooMany(const QString& kind) {
    return QStringLiteral("It lists more than %1 %2 files.")
        .arg(ProjectFile::MemberLimit)
        .arg(kind);
}

// Why an option cannot be stored, or an empty text when it can.
QString optionProblem(const ProjectOption& option, const QString& name) {
    const QString* text = std::get_if<QString>(&option);
    if (text == nullptr)
        return QString();
    if (holdsLineBreak(*text))
        return QStringLiteral("The option %1 holds a line break.").arg(name);
    if (text->contains(u',') && text->contains(u'"'))
        return QStringLiteral("The option %1 holds both a comma and a double quote.").arg(name);
    return QString();
}

} // namespace

ProjectOption projectOptionFromField(const QString& field) {
    const std::optional<double> number = fieldAsNumber(field);
    if (number && std::isfinite(*number))
        return *number;
    return field;
}

QString projectOptionLine(const ProjectOption& option) {
    if (const QString* text = std::get_if<QString>(&option)) {
        if (text->contains(u','))
            return u'"' + *text + u'"';
        return *text;
    }
    const double number = std::get<double>(option);
    // Whole numbers in plain digits (1000000, not 1e+06); others in the shortest form that
    // reads back as the same number.
    const QString digits = std::abs(number) < 1e15 && number == std::trunc(number)
                               ? QString::number(number, 'f', 0)
                               : QString::number(number, 'g', QLocale::FloatingPointShortest);
    return u' ' + digits + u' ';
}

ProjectFileReading readProjectFile(const QByteArray& bytes) {
    DecodedText decoded = decodeText(bytes);
    ListFieldReader reader(std::move(decoded.text));

    const std::optional<QString> header = reader.readLine();
    if (!header)
        return notProjectFile(QStringLiteral("The file is empty."));
    if (*header != kHeader)
        return notProjectFile(QStringLiteral("Its first line is not \"%1\".").arg(kHeader));

    ProjectFileReading reading;
    reading.encoding = decoded.encoding;
    const std::optional<QString> maxObjects = reader.readField();
    const std::optional<QString> tempStringSize = reader.readField();
    const std::optional<QString> section = reader.readLine();
    if (!maxObjects || !tempStringSize || !section)
        return notProjectFile(QStringLiteral("It ends before the line \"%1\".").arg(kBasicSection));
    if (*section != kBasicSection)
        return notProjectFile(
            QStringLiteral("The line after the options is not \"%1\".").arg(kBasicSection));
    reading.project.MaxObjects = projectOptionFromField(*maxObjects);
    reading.project.TempStringSize = projectOptionFromField(*tempStringSize);

    if (!readMembers(reader, kAssemblySection, reading.project.BasPaths)) {
        reading.error = tooMany(QStringLiteral("BASIC"));
        return reading;
    }
    if (!readMembers(reader, kLibrariesSection, reading.project.AsmPaths)) {
        reading.error = tooMany(QStringLiteral("assembly"));
        return reading;
    }
    return reading;
}

ProjectFileWriting writeProjectFile(const ProjectFile& project, TextEncoding& encoding) {
    ProjectFileWriting writing;
    writing.error = optionProblem(project.MaxObjects, QStringLiteral("Max Objects"));
    if (writing.error.isEmpty())
        writing.error = optionProblem(project.TempStringSize, QStringLiteral("Temp String Size"));
    for (const QStringList* paths : {&project.BasPaths, &project.AsmPaths}) {
        for (const QString& path : *paths) {
            if (writing.error.isEmpty() && holdsLineBreak(path))
                writing.error = QStringLiteral("The member path %1 holds a line break.").arg(path);
        }
    }
    if (!writing.error.isEmpty())
        return writing;

    QString text;
    const auto line = [&text](QStringView value) {
        text += value;
        text += kLineEnd;
    };
    line(kHeader);
    line(projectOptionLine(project.MaxObjects));
    line(projectOptionLine(project.TempStringSize));
    line(kBasicSection);
    for (const QString& path : project.BasPaths)
        line(path);
    line(kAssemblySection);
    for (const QString& path : project.AsmPaths)
        line(path);
    writing.bytes = encodeText(text, encoding);
    return writing;
}
