// Stands in for a user tool: writes its program name and arguments, each followed by a NUL byte,
// to the file named by its first argument. It writes a temporary file first and renames it, so
// that a test polling for the file never reads half of it.

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    const std::string target = argv[1];
    const std::string partial = target + ".partial";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    if (out == nullptr)
        return 1;
    for (int i = 0; i < argc; ++i) {
        std::fputs(argv[i], out);
        std::fputc('\0', out);
    }
    if (std::fclose(out) != 0)
        return 1;
    return std::rename(partial.c_str(), target.c_str()) == 0 ? 0 : 1;
}
