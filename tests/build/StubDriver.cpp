// A stand-in for the compiler driver, run by the build tests as a real process. It lies in the
// test's application folder (as "make") and takes its orders from marker files there:
//   stub-errlog    its bytes become errfound.log (otherwise the log is emptied: success)
//   stub-leavelog  the log is left as it is
//   stub-wait      wait until stub-release appears
//   stub-crash     end by a signal after recording
// Each run appends a line to stub-calls.txt: its working folder and its arguments, separated by
// tabs. It copies the file of its second argument (the temporary source in the application
// folder, or the project file) to stub-source.bin, and writes the executable named by its third
// argument when that is an absolute path.

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
    {
        std::ofstream calls(folder / "stub-calls.txt", std::ios::binary | std::ios::app);
        calls << fs::current_path().string();
        for (int i = 1; i < argc; ++i)
            calls << '\t' << argv[i];
        calls << '\n';
    }
    std::error_code ignored;
    if (argc > 2 && fs::is_regular_file(folder / argv[2], ignored))
        writeFile(folder / "stub-source.bin", readFile(folder / argv[2]));

    if (present(folder / "stub-wait")) {
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
