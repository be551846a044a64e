// Runs the project file fuzz target without libFuzzer: sample files, then mutations of them drawn
// from a generator with a fixed starting value, so every run feeds the same inputs. Mutations that
// still read as a project join the pool, so that later ones reach deeper into the format.
// Usage: test_projectfile_fuzz [iterations]

#include "projects/ProjectFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

QList<QByteArray> samples() {
    const QByteArray header = "Veldra Studio Project File\r\n";
    QByteArray many = header + " 100 \r\n 64000 \r\n[Basic Files]\r\n";
    for (int i = 0; i < 26; ++i)
        many += "C:\\src\\m" + QByteArray::number(i) + ".bas\r\n";
    return {
        header + " 100 \r\n 64000 \r\n[Basic Files]\r\n[Assembly Files]\r\n",
        many + "[Assembly Files]\r\nC:\\work\\blit.asm\r\n",
        header + "100,64000\r\n[Basic Files]\r\n\r\na.bas\r\n\r\n[Assembly Files]\r\n\r\nb.asm\r\n"
                 "[Libraries]\r\nc.lib\r\n",
        header + "\"1,5\"\r\n\" text \"\r\n[Basic Files]\r\n/home/u/r\xe9sum\xe9.bas",
        header + "1e999\n-0\n[Basic Files]\n/d/\xd0\xb6.bas\n[Assembly Files]\n[Assembly Files]\n",
        header,
        QByteArray(),
    };
}

// Pieces of the format that mutations splice in, and a NUL.
const QList<QByteArray> Tokens =
    QByteArray("\r\n|\n|\r|,|\"| |[Basic Files]|[Assembly Files]|[Libraries]|Veldra Studio Project "
               "File|1e308|-|.|\xc3|\xa9|\xff")
        .split('|')
    << QByteArray(1, '\0');

// One to four steps, each flipping a byte, inserting a piece of the format, deleting a range,
// splicing in the tail of another input (or nothing, cutting the end off) or repeating a range.
QByteArray mutate(QByteArray input, const QList<QByteArray>& pool, std::mt19937& random) {
    const auto below = [&random](qsizetype bound) {
        return bound <= 0 ? qsizetype(0) : qsizetype(random() % std::uint32_t(bound));
    };
    for (qsizetype steps = 1 + below(4); steps > 0; --steps) {
        const qsizetype at = below(input.size() + 1);
        const QByteArray& other = pool[below(pool.size())];
        switch (below(5)) {
        case 0:
            if (!input.isEmpty())
                input[below(input.size())] = char(random());
            break;
        case 1:
            input.insert(at, Tokens[below(Tokens.size())]);
            break;
        case 2:
            input.remove(at, below(16) + 1);
            break;
        case 3:
            input = input.left(at) + other.mid(below(other.size() + 1));
            break;
        default:
            input.insert(at, input.mid(at, below(64) + 1));
        }
    }
    input.truncate(8192); // small enough for many iterations
    return input;
}

} // namespace

int main(int argc, char** argv) {
    const long iterations = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20000;
    std::mt19937 random(20261206u);
    QList<QByteArray> pool = samples();
    const long sampleCount = long(pool.size());
    // The samples first, then mutations of whatever is in the pool.
    for (long i = -sampleCount; i < iterations; ++i) {
        const QByteArray input =
            i < 0 ? pool[qsizetype(i + sampleCount)]
                  : mutate(pool[qsizetype(random() % std::uint32_t(pool.size()))], pool, random);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.constData()),
                               std::size_t(input.size()));
        if (i >= 0 && pool.size() < 512 && readProjectFile(input).ok())
            pool.append(input);
    }
    std::printf("%ld inputs read, %lld in the pool\n", iterations + sampleCount,
                static_cast<long long>(pool.size()));
    return 0;
}
