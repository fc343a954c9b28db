// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the help viewer that misbehaves as its help-file argument says: "crash",
// "hang", "ready-then-crash", "exit-3", "ready-then-close", "ready".
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

int main(int argc, char *argv[])
{
    const char *how = argc > 1 ? argv[argc - 1] : "";
    const auto ready = [] {
        std::puts("ready /index.html");
        std::fflush(stdout);
    };
    if (std::strcmp(how, "crash") == 0)
        std::raise(SIGSEGV);
    if (std::strcmp(how, "exit-3") == 0)
        return 3;
    if (std::strcmp(how, "hang") == 0) {
        for (;;)
            ::pause();
    }
    ready();
    if (std::strcmp(how, "ready-then-crash") == 0) {
        ::usleep(200 * 1000);
        std::raise(SIGFPE);
    }
    if (std::strcmp(how, "ready-then-close") == 0) {
        ::usleep(200 * 1000);
        return 0;
    }
    // Answers every line until its input ends.
    char line[512];
    while (std::fgets(line, sizeof line, stdin)) {
        std::printf("showing /%s", std::strncmp(line, "show ", 5) == 0 ? line + 5 : line);
        std::fflush(stdout);
    }
    return 0;
}
