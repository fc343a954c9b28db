// SPDX-License-Identifier: GPL-3.0-or-later
// tallowby-odds: the hand analysis on the command line, for scripting and for checking figures
// without a display.
#include "oddsrequest.h"

#include "engine/preflopequity.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

// The folder of this program, where the build tree keeps the pre-flop equity table.
std::string executableDir()
{
    std::error_code failure;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failure);
    return failure ? std::string(".") : self.parent_path().string();
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string error;
    const auto request = tallowby::parseOddsArguments(arguments, error);
    if (!request) {
        std::fprintf(stderr, "tallowby-odds: %s\n", error.c_str());
        return 2;
    }
    std::optional<tallowby::PreflopEquityTable> table;
    if (tallowby::needsPreflopTable(*request)) {
        table = tallowby::PreflopEquityTable::load(
            tallowby::defaultPreflopEquityPath(executableDir()), error);
        if (!table)
            std::fprintf(stderr, "tallowby-odds: %s; the pre-flop equity is simulated instead\n",
                         error.c_str());
    }
    std::printf("%s\n", tallowby::analyseToJson(*request, table ? &*table : nullptr).c_str());
    return 0;
}
