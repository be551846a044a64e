#include "FileSizeLimit.h"
#include "MainFixture.h"

#include "core/AppFolder.h"
#include "core/CommandLine.h"
#include "core/FileIo.h"
#include "core/LineBreaks.h"
#include "core/ListField.h"
#include "core/PathNames.h"
#include "core/TextCodec.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <random>
#include <string_view>

#include <sys/stat.h>

using namespace std::string_view_literals;

namespace {

constexpr TextEncoding kUtf8 = TextEncoding::Utf8;
constexpr TextEncoding kAnsi = TextEncoding::Windows1252;
// Stands for std::nullopt in the list field table.
constexpr const char* kNone = "<none>";
const QByteArray OldContents(1000, 'o');

bool writePlain(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList entriesOf(const QTemporaryDir& folder) {
    return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// What the path of a file case names inside a fresh folder.
enum class Target { NoFile, NoFolder, Directory, OldFile, ReadOnlyFile, Pipe, Device, Link };

QString makeTarget(const QTemporaryDir& folder, Target target) {
    const QString path = folder.filePath(QStringLiteral("main.bas"));
    if (target == Target::NoFolder)
        return folder.filePath(QStringLiteral("nowhere/main.bas"));
    if (target == Target::Device)
        return QStringLiteral("/dev/zero");
    if (target == Target::Pipe)
        mkfifo(QFile::encodeName(path).constData(), 0600);
    if (target == Target::Link) {
        writePlain(folder.filePath(QStringLiteral("target")), OldContents);
        QFile::link(QStringLiteral("target"), path);
    }
    if (target == Target::Directory)
        QDir().mkdir(path);
    if (target == Target::OldFile || target == Target::ReadOnlyFile)
        writePlain(path, OldContents);
    if (target == Target::ReadOnlyFile)
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
    return path;
}

// Read in pieces of `pieceBytes`, a file gives the editor the UTF-8 of what decoding it whole and
// normalising its line ends gives, in the same encoding.
bool streamsAsAWhole(const QByteArray& bytes, qsizetype pieceBytes, LineEnding* convention) {
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    QByteArray text;
    StreamedDocument streamed;
    QString error;
    if (!streamDocument(
            file, [&text](qsizetype) { text.clear(); },
            [&text](QByteArrayView piece) { text += piece; }, &streamed, &error, pieceBytes))
        return false;
    const DecodedText whole = decodeText(bytes);
    *convention = streamed.lineEnds.convention();
    return text == toCrLf(whole.text).toUtf8() && streamed.encoding == whole.encoding;
}

QString named(TextEncoding encoding) {
    return encoding == kUtf8 ? QStringLiteral("utf-8") : QStringLiteral("1252");
}

} // namespace

class CoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:

    // A writable executable folder is kept whatever lies where; otherwise the per-user folder, with
    // the driver beside the executable when only that one has it.
    void appFolder() {
        const QString exe = QStringLiteral("/opt/vs");
        const QString user = QStringLiteral("/home/user/.local/share/veldra-studio");
        const struct {
            bool writable, userHasDriver, exeHasDriver;
            QString folder, driver;
        } cases[] = {
            {true, true, true, exe, exe + "/make"},      {true, false, false, exe, exe + "/make"},
            {false, true, true, user, user + "/make"},   {false, false, true, user, exe + "/make"},
            {false, false, false, user, user + "/make"},
        };
        for (const auto& c : cases)
            QCOMPARE(chooseAppFolders({exe, c.writable, user, c.userHasDriver, c.exeHasDriver}),
                     AppFolders(c.folder, c.driver));
        // The data folder counts only when it is absolute.
        const std::pair<const char*, QString> dataFolders[] = {{"/home/user/.local/share", user},
                                                               {"/data", "/data/veldra-studio"},
                                                               {"data", user},
                                                               {"", user}};
        for (const auto& [dataFolder, expected] : dataFolders)
            QCOMPARE(userAppFolder(dataFolder, QStringLiteral("/home/user")), expected);
    }

    // Defined below the class: its quoted raw strings would confuse the meta-object compiler.
    void splitCommandLine();

    // A failed read leaves the buffer alone; a failed write (also on a full disk, below and above
    // the write buffer's size) leaves the folder and the old file as they were. Both say why.
    void fileFailure() {
        const QString missing = QStringLiteral("No such file or directory");
        const struct {
            bool write;
            Target target;
            int limit; // the disk is full after this many bytes; 0: not full
            QString reason;
        } cases[] = {
            {false, Target::NoFile, 0, missing},
            {false, Target::Directory, 0, "Is a directory"},
            // Opening a pipe would wait for a writer; a device may never end.
            {false, Target::Pipe, 0, "Is a named pipe, not a regular file"},
            {false, Target::Device, 0, "Is a device, not a regular file"},
            {true, Target::NoFolder, 0, missing},
            {true, Target::Directory, 0, "Is a directory"},
            {true, Target::ReadOnlyFile, 0, "Permission denied"},
            {true, Target::OldFile, 50, "File too large"},
            {true, Target::OldFile, 512 * 1024, "File too large"},
        };
        for (const auto& c : cases) {
            QTemporaryDir folder;
            const QString path = makeTarget(folder, c.target);
            if (c.target == Target::ReadOnlyFile && QFile(path).open(QIODevice::Append))
                continue; // this process writes to read-only files whatever their permissions
            const QStringList before = entriesOf(folder);
            QByteArray bytes = "untouched";
            QString error;
            const bool done = [&] {
                const FileSizeLimit limit(c.limit > 0 ? c.limit : RLIM_INFINITY);
                return c.write ? writeFileAtomically(path, QByteArray(2 * c.limit + 1, 'x'), &error)
                               : readWholeFile(path, &bytes, &error);
            }();
            QCOMPARE(QStringList(
                         {path, QString::number(done), error, bytes, entriesOf(folder).join('|')}),
                     QStringList({path, "0", c.reason, "untouched", before.join('|')}));
            if (c.target == Target::OldFile || c.target == Target::ReadOnlyFile)
                QCOMPARE(MainFixture::readFile(path), OldContents);
        }
    }

    // The written bytes come back exactly, and no temporary file is left beside them. A scratch
    // file is created anew: whatever held its name is replaced, never written through.
    void writeThenRead() {
        QByteArray binary;
        for (int i = 0; i < 256; ++i)
            binary.append(static_cast<char>(i));
        const struct {
            bool fresh;
            Target target;
            QByteArray bytes;
        } cases[] = {
            {false, Target::NoFile, binary},
            {false, Target::OldFile, "10 PRINT 1\r\n"},
            {false, Target::OldFile, {}},
            {false, Target::OldFile, QByteArray(3 * 1024 * 1024 + 7, 'x')},
            {true, Target::NoFile, "new contents"},
            {true, Target::ReadOnlyFile, "new contents"},
            {true, Target::Link, "new contents"},
            {true, Target::Pipe, "new contents"},
        };
        for (const auto& [fresh, target, bytes] : cases) {
            QTemporaryDir folder;
            const QString path = makeTarget(folder, target);
            QString error;
            QVERIFY2(fresh ? writeFreshFile(path, bytes, &error)
                           : writeFileAtomically(path, bytes, &error),
                     qPrintable(error));
            QVERIFY(QFileInfo(path).isFile() && !QFileInfo(path).isSymLink());
            QByteArray read = "stale";
            QVERIFY2(readWholeFile(path, &read, &error), qPrintable(error));
            QCOMPARE(read, bytes);
            const QByteArray linked =
                MainFixture::readFile(folder.filePath(QStringLiteral("target")));
            QCOMPARE(entriesOf(folder).join('|') + '|' + linked,
                     target == Target::Link ? "main.bas|target|" + OldContents
                                            : "main.bas|<missing>");
        }
    }

    // Every line break becomes CR LF; text that needs no change is shared, not copied.
    void lineBreaks() {
        const std::pair<std::u16string_view, std::u16string_view> cases[] = {
            {u"", u""},
            {u"a\r\nb", u"a\r\nb"},
            {u"a\nb", u"a\r\nb"},
            {u"a\rb", u"a\r\nb"},
            {u"\n\r", u"\r\n\r\n"},
            {u"\r\r\n", u"\r\n\r\n"},
            {u"\r\n\n", u"\r\n\r\n"},
            {u"a\r\nb\r", u"a\r\nb\r\n"},
            {u"a\r\nb\nc\rd\r\n", u"a\r\nb\r\nc\r\nd\r\n"},
            {u"a\0b\nc"sv, u"a\0b\r\nc"sv},
        };
        for (const auto& [input, expected] : cases) {
            const QString text = QStringView(input).toString();
            const QString result = ::toCrLf(text);
            QCOMPARE(result.toUtf8().toPercentEncoding(),
                     QStringView(expected).toUtf8().toPercentEncoding());
            QCOMPARE(::toCrLf(result).constData(), result.constData());
        }
    }

    // Operations: F readField, L readLine, E atEnd; each case's results in order after its text.
    void listFields() {
        const struct {
            const char* text;
            const char* operations;
            QStringList results;
        } cases[] = {
            {"", "EFL", {"true", kNone, kNone}},
            {"\"C:\\src\\a, b.bas\",5\r\n", "FFE", {"C:\\src\\a, b.bas", "5", "true"}},
            {"\"x\" junk,7\r\n", "FFE", {"x", "7", "true"}},
            {"\"x\" junk\r\n7", "FFE", {"x", "7", "true"}},
            {"\"abc, d\r\ne", "FFE", {"abc, d", "e", "true"}},
            {"\"\",x", "FFE", {"", "x", "true"}},
            {"  a b  ,\t c \r\n", "FFE", {"a b", "c", "true"}},
            {"   \" a \"\r\n", "FE", {" a ", "true"}},
            {"a,,b", "FFFE", {"a", "", "b", "true"}},
            {"12,", "FEF", {"12", "true", kNone}},
            {"a\r\n\r\n  \r\nb", "FFFFE", {"a", "", "", "b", "true"}},
            {"a\rb\nc\n\rd", "FFFFFE", {"a", "b", "c", "", "d", "true"}},
            {"12\r\n", "EFEL", {"false", "12", "true", kNone}},
            {"12", "FL", {"12", kNone}},
            {"\r\n", "LEL", {"", "true", kNone}},
            {"  indented  \nnext", "LL", {"  indented  ", "next"}},
            {"a\rb\n\nc", "LLLLL", {"a", "b", "", "c", kNone}},
            {"\"p q\" r, s\r\nt", "FLL", {"p q", " s", "t"}},
        };
        for (const auto& c : cases) {
            ListFieldReader reader(QString::fromUtf8(c.text));
            QStringList read{c.text};
            for (char operation : std::string_view(c.operations)) {
                const std::optional<QString> value = operation == 'F'   ? reader.readField()
                                                     : operation == 'L' ? reader.readLine()
                                                                        : std::nullopt;
                read << (operation == 'E' ? QString(reader.atEnd() ? "true" : "false")
                                          : value.value_or(kNone));
            }
            QCOMPARE(read, QStringList{c.text} + c.results);
        }
    }

    // A field as a whole number, or the number a text starts with (0 when none).
    void numbers() {
        const std::pair<const char*, std::optional<double>> fields[] = {
            {"64000", 64000},  {" \t12 ", 12}, {"-3.5", -3.5}, {"+4", 4}, {"1e3", 1000},
            {"1.5E-2", 0.015}, {".5", 0.5},    {"5.", 5},      {"", {}},  {"  ", {}},
            {"abc", {}},       {"12abc", {}},  {"1 2", {}},    {"-", {}}, {".", {}},
            {"1e", {}},        {"- 1", {}},    {"1.2.3", {}},
        };
        for (const auto& [field, value] : fields)
            QVERIFY2(fieldAsNumber(field) == value, field);
        const std::pair<const char*, double> texts[] = {
            {" 12abc", 12},    {"abc", 0}, {"-3.5x", -3.5}, {"1e3", 1000},
            {"", 0},           {"2ex", 2}, {"2e+", 2},      {"2.5.3", 2.5},
            {"\t -.5,", -0.5}, {"+", 0},   {"12 34", 12},
        };
        for (const auto& [text, value] : texts)
            QVERIFY2(leadingNumber(QString(text)) == value, text);
    }

    // Each path with what is said of it: the file name, the display name (which is also what the
    // variable holds afterwards), the folder, and whether it is an untitled caption.
    void pathParts() {
        const struct {
            const char* path;
            char separator;
            QString expected; // "fileName|display|folder|untitled"
        } cases[] = {
            {R"(C:\src\main.bas)", '\\', R"(main.bas|main.bas|C:\src|0)"},
            {"/home/u/main.bas", '/', "main.bas|main.bas|/home/u|0"},
            {"main.bas", '\\', "main.bas|main.bas||0"},
            {R"(C:\game.vdp)", '\\', "game.vdp|game.vdp|C:|0"},
            {R"(C:\src\)", '\\', R"(||C:\src|0)"},
            {"", '/', "|||0"},
            // Only the given separator divides a path.
            {"/home/u/main.bas", '\\', "/home/u/main.bas|/home/u/main.bas||0"},
            // Anything that begins with "Untitled" is named UNTITLED, but only a path that holds a
            // separator is renamed for display.
            {"Untitled (2)", '\\', "UNTITLED|Untitled (2)||1"},
            {"Untitled", '/', "UNTITLED|Untitled||0"},
            {"Untitled.bas", '/', "UNTITLED|Untitled.bas||1"},
            {"Untitled/x.bas", '/', "UNTITLED|UNTITLED|Untitled|1"},
            {"Untitle", '/', "Untitle|Untitle||0"},
            {"untitled (2)", '/', "untitled (2)|untitled (2)||0"},
            {R"(C:\a\Untitled.bas)", '\\', R"(Untitled.bas|Untitled.bas|C:\a|0)"},
        };
        for (const auto& c : cases) {
            QString shown = c.path; // DisplayName renames the variable it is given
            const QStringList expected = c.expected.split(u'|');
            QCOMPARE(
                QStringList({c.path, FileNameFromPath(c.path, c.separator),
                             DisplayName(shown, c.separator), FolderOfPath(c.path, c.separator),
                             QString::number(IsUntitled(c.path)), shown}),
                QStringList{c.path} + expected << expected[1]);
        }
    }

    // The bytes decode to the text in the encoding found, and the text encodes to the bytes: in the
    // encoding found, or in Windows-1252 asked for but falling back to UTF-8 for the whole text.
    void codecBothWays() {
        // Decoded, encoded from the text and from the editor's own UTF-8 buffer, each row's answers
        // are compared as one list that starts with the row's name. Found is the encoding
        // requested unless given.
        const auto row = [](const char* name, const char* hex, std::u16string_view expected,
                            TextEncoding requested, std::optional<TextEncoding> given = {}) {
            const QString found = named(given.value_or(requested));
            const QString text = QStringView(expected).toString();
            const DecodedText decoded = decodeText(QByteArray::fromHex(hex));
            TextEncoding encoding = requested;
            const QByteArray encoded = encodeText(text, encoding);
            TextEncoding fromUtf8 = requested;
            const QByteArray encodedUtf8 = encodeUtf8Text(text.toUtf8(), fromUtf8);
            QCOMPARE(QStringList({name, decoded.text, named(decoded.encoding), encoded.toHex(),
                                  named(encoding), encodedUtf8.toHex(), named(fromUtf8)}),
                     QStringList({name, text, found, hex, found, hex, found}));
        };
        row("empty", "", u"", kUtf8);
        row("ascii, no BOM written", "310d0a", u"1\r\n", kUtf8);
        row("BOM kept", "efbbbf61", u"\uFEFFa", kUtf8);
        row("NUL kept", "61006200", u"a\0b\0"sv, kUtf8);
        row("two and three bytes", "c3a9e282ac", u"\u00e9\u20ac", kUtf8);
        row("four bytes", "78f09f9880", u"x\U0001F600", kUtf8);
        row("latin-1", "63e9a0ff", u"c\u00e9\u00a0\u00ff", kAnsi);
        row("1252 punctuation", "80828a939496999f", u"€‚Š“”–™Ÿ", kAnsi);
        row("unassigned bytes", "818d8f909d", u"\u0081\u008d\u008f\u0090\u009d", kAnsi);
        row("overlong NUL", "c080", u"\u00c0\u20ac", kAnsi);
        row("encoded surrogate", "eda080", u"\u00ed\u00a0\u20ac", kAnsi);
        row("truncated at end", "61e282", u"a\u00e2\u201a", kAnsi);
        row("BOM then invalid", "efbbbfff", u"\u00ef\u00bb\u00bf\u00ff", kAnsi);
        row("NUL in 1252", "00ff", u"\0\u00ff"sv, kAnsi);
        row("CJK", "61e697a5", u"a\u65e5", kAnsi, kUtf8);
        row("beyond the BMP", "f09f9880", u"\U0001F600", kAnsi, kUtf8);
        row("U+0080 has no 1252 byte", "c3a9c280", u"\u00e9\u0080", kAnsi, kUtf8);
        row("BOM has no 1252 byte", "efbbbf", u"\uFEFF", kAnsi, kUtf8);
        row("late fallback, all re-encoded", "c3a9e282acc480", u"\u00e9\u20ac\u0100", kAnsi, kUtf8);
        row("1252 would read back as UTF-8", "4d61c39fc2b2", u"Ma\u00df\u00b2", kAnsi, kUtf8);
    }

    // No file loses a byte between Open and Save: every one- and two-byte file, a few tricky
    // sequences, and random mixtures of valid UTF-8 with stray bytes.
    void everyByteSequenceSurvives() {
        QList<QByteArray> samples;
        for (const char* hex : {"efbbbfefbbbf", "efbfbeefbfbf", "efbfbd", "ed9fbfee8080"})
            samples << QByteArray::fromHex(hex);
        for (int first = 0; first < 256; ++first) {
            samples << QByteArray(1, char(first));
            for (int second = 0; second < 256; ++second)
                samples << QByteArray(1, char(first)) + char(second);
        }
        const QByteArray pieces[] = {
            "a",    "\r\n", QByteArray(1, '\0'), "\xC3\xA9",     "\xE2\x82\xAC", "\x80",
            "\xC3", "\xFF", "\xF0\x9F\x98\x80",  "\xEF\xBB\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
            "\r",   "\n"};
        std::mt19937 random(20240611u);
        for (int round = 0; round < 2000; ++round) {
            QByteArray bytes;
            for (int count = int(random() % 20); count > 0; --count)
                bytes += pieces[random() % std::size(pieces)];
            samples << bytes;
        }
        // Decoded and encoded again in the encoding found, the bytes come back; streamed too.
        for (const QByteArray& bytes : samples) {
            const DecodedText decoded = decodeText(bytes);
            TextEncoding encoding = decoded.encoding;
            LineEnding convention{};
            QVERIFY2(encodeText(decoded.text, encoding) == bytes && encoding == decoded.encoding &&
                         streamsAsAWhole(bytes, 1 + bytes.size() % 3, &convention),
                     bytes.toHex(' ').constData());
        }
    }

    // Every split of a file into pieces: across a CR LF pair, a lone CR at a piece's end, inside a
    // UTF-8 sequence of two to four bytes, inside bytes that turn out not to be UTF-8 late. The
    // editor's CR LF text is written back in the file's convention: a uniform file byte for byte, a
    // mixed one with CR LF throughout.
    void streamedInPieces() {
        const std::pair<QByteArray, LineEnding> cases[] = {
            {"a\r\nb\r\n", LineEnding::CrLf},
            {"a\nb\n\n", LineEnding::Lf},
            {"a\rb\r", LineEnding::Cr},        // the last CR at the end
            {"a\r\nb\nc\r", LineEnding::CrLf}, // mixed
            {"a\nb\r", LineEnding::CrLf},      // mixed, no CR LF
            {"ab", LineEnding::CrLf},
            {"\xC3\xA9\r\n\xE2\x82\xAC\n\xF0\x9F\x98\x80", LineEnding::CrLf},
            {"\xC3\xA9\n\xE9\n", LineEnding::Lf}, // not UTF-8, found late
            {"\n\xF0\x9F\x98", LineEnding::Lf},   // cut short at the end
        };
        for (const auto& [bytes, convention] : cases) {
            const QString crLf = ::toCrLf(QString::fromLatin1(bytes));
            const QByteArray written = convention == LineEnding::CrLf ? crLf.toLatin1() : bytes;
            QCOMPARE(QList({int(detectLineEnding(bytes))}), QList({int(convention)}));
            QCOMPARE(fromCrLf(crLf.toLatin1(), convention), written);
            for (qsizetype pieceBytes = 1; pieceBytes <= bytes.size() + 1; ++pieceBytes) {
                LineEnding found{};
                QVERIFY2(streamsAsAWhole(bytes, pieceBytes, &found) && found == convention,
                         qPrintable(bytes.toHex(' ') + ' ' + QByteArray::number(pieceBytes)));
            }
        }
    }
};

void CoreTest::splitCommandLine() {
    const struct {
        const char* line;
        QStringList expected;
    } cases[] = {
        {R"("C:\Program Files\x.exe" a "b c" d\"e "f\\" g)",
         {R"(C:\Program Files\x.exe)", "a", "b c", R"(d"e)", R"(f\)", "g"}},
        {" \t  ", {}},
        {"  make  -x\t ", {"make", "-x"}},
        // The program: quotes only group, backslashes stay as they are.
        {R"(C:\"Program Files"\x.exe -y)", {R"(C:\Program Files\x.exe)", "-y"}},
        {R"("C:\dir\" x)", {R"(C:\dir\)", "x"}},
        {R"(\\server\share\make x)", {R"(\\server\share\make)", "x"}},
        {R"("" a)", {"", "a"}},
        // The arguments.
        {R"(p "C:\dir\" x)", {"p", R"(C:\dir" x)"}},
        {R"(p a\\b\c d\)", {"p", R"(a\\b\c)", R"(d\)"}},
        {R"(p a\\"b c")", {"p", R"(a\b c)"}},
        {R"(p a\\\"b c)", {"p", R"(a\"b)", "c"}},
        {R"(p \\\\"b c")", {"p", R"(\\b c)"}},
        {R"(p a "" b)", {"p", "a", "", "b"}},
        {R"(p "x""y z")", {"p", R"(x"y z)"}},
        {R"(p """")", {"p", "\""}},
        {R"(p x"y z"w v)", {"p", "xy zw", "v"}},
        {R"(p "b c  )", {"p", "b c  "}},
    };

    for (const auto& [line, expected] : cases) {
        // The line leads each list, so that a failure names it.
        QCOMPARE(QStringList(line) + ::splitCommandLine(line), QStringList(line) + expected);
        // After a known program the first argument follows the rules of arguments too.
        if (QByteArray(line).startsWith("p "))
            QCOMPARE(splitArguments(QString(line).mid(1)), expected.mid(1));
    }
}

QTEST_GUILESS_MAIN(CoreTest)
#include "CoreTest.moc"
