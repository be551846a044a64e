// Stands in for a user tool: writes its program name and arguments, each followed by a NUL byte,
// to the file named by its first argument. It writes a temporary file first and renames it, so
// that a test polling for the file never reads half of it.

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    const std::string partial = std::string(argv[1]) + ".partial";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    if (out == nullptr)
        return 1;
    for (int i = 0; i < argc; ++i)
        std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, out); // with its terminating NUL
    return std::fclose(out) == 0 && std::rename(partial.c_str(), argv[1]) == 0 ? 0 : 1;
}
