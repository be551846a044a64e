// A stand-in for the compiler driver, run by the build tests as a real process. It lies in the
// test's application folder (as "make") and takes its orders from marker files there:
//   stub-errlog    its bytes become errfound.log (otherwise the log is emptied: success)
//   stub-leavelog  the log is left as it is
//   stub-wait      wait until stub-release appears (stub-waiting tells that it waits)
//   stub-crash     end by a signal after recording
// Each run appends to stub-calls.txt: "call", "cwd<TAB>folder", "arg<TAB>value" per argument,
// "source<TAB>yes|no" (whether the file of the second argument, the source in the application
// folder or the project file, existed), "end", and leaves a copy of that file in
// stub-source.bin. The executable named by the third argument is written when it is an
// absolute path.

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

bool present(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 1)
        return 2;
    const fs::path folder = fs::absolute(fs::path(argv[0])).parent_path();
    const fs::path source = argc > 2 ? folder / argv[2] : fs::path();
    std::error_code ignored;
    const bool haveSource = !source.empty() && fs::is_regular_file(source, ignored);

    {
        std::ofstream calls(folder / "stub-calls.txt", std::ios::binary | std::ios::app);
        calls << "call\n"
              << "cwd\t" << fs::current_path().string() << '\n';
        for (int i = 1; i < argc; ++i)
            calls << "arg\t" << argv[i] << '\n';
        calls << "source\t" << (haveSource ? "yes" : "no") << '\n' << "end\n";
    }
    if (haveSource)
        writeFile(folder / "stub-source.bin", readFile(source));

    if (present(folder / "stub-wait")) {
        writeFile(folder / "stub-waiting", "");
        // Bounded, so that a test that never releases it cannot hang forever.
        for (int i = 0; i < 120000 && !present(folder / "stub-release"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (present(folder / "stub-crash"))
        std::raise(SIGTERM);

    if (argc > 3 && fs::path(argv[3]).is_absolute())
        writeFile(argv[3], "stub executable");

    if (present(folder / "stub-errlog"))
        writeFile(folder / "errfound.log", readFile(folder / "stub-errlog"));
    else if (!present(folder / "stub-leavelog"))
        writeFile(folder / "errfound.log", "");
    return 0;
}
