// tallowby-odds: the hand analysis on the command line, for scripting and for checking figures
// without a display.
#include "oddsrequest.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string error;
    const auto request = tallowby::parseOddsArguments(arguments, error);
    if (!request) {
        std::fprintf(stderr, "tallowby-odds: %s\n", error.c_str());
        return 2;
    }
    std::printf("%s\n", tallowby::analyseToJson(*request).c_str());
    return 0;
}
