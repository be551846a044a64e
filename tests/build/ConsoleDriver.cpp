// A program for the console tests, run on a real pseudo-terminal.
//   size              prints "size ROWS COLUMNS" at the start and after every SIGWINCH
//   stubborn FILE     ignores SIGHUP and SIGTERM, starts a child that does the same, writes the
//                     child's pid to FILE, prints "ready" and waits forever

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t resized = 0;

void writeAll(int fd, const char* bytes, size_t size) {
    while (size > 0) {
        const ssize_t n = write(fd, bytes, size);
        if (n <= 0)
            std::exit(3);
        bytes += n;
        size -= size_t(n);
    }
}

void say(const std::string& text) {
    writeAll(1, text.data(), text.size());
}

void printSize() {
    winsize ws{};
    ioctl(0, TIOCGWINSZ, &ws);
    say("size " + std::to_string(ws.ws_row) + ' ' + std::to_string(ws.ws_col) + "\r\n");
}

int size() {
    struct sigaction action {};
    action.sa_handler = [](int) { resized = 1; };
    sigaction(SIGWINCH, &action, nullptr);
    // SIGWINCH only comes in while suspended, so none is missed between check and wait.
    sigset_t winch;
    sigemptyset(&winch);
    sigaddset(&winch, SIGWINCH);
    sigset_t waiting;
    sigprocmask(SIG_BLOCK, &winch, &waiting);
    sigdelset(&waiting, SIGWINCH);
    for (resized = 1;; sigsuspend(&waiting)) {
        if (resized) {
            resized = 0;
            printSize();
        }
    }
}

int stubborn(const char* pidFile) {
    std::signal(SIGHUP, SIG_IGN);
    std::signal(SIGTERM, SIG_IGN);
    const pid_t child = fork();
    if (child == 0) {
        for (;;)
            pause();
    }
    FILE* file = std::fopen(pidFile, "w");
    if (file == nullptr)
        return 2;
    std::fprintf(file, "%d\n", int(child));
    std::fclose(file);
    say("ready\r\n");
    for (;;)
        pause();
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "size")
        return size();
    if (mode == "stubborn" && argc > 2)
        return stubborn(argv[2]);
    return 2;
}
