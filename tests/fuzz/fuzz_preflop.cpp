// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the reader of the pre-flop equity table; a table it accepts must read back the
// same from its own text.
#include "engine/preflopequity.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string error;
    const auto table = tallowby::PreflopEquityTable::parse(
        {reinterpret_cast<const char *>(data), size}, "fuzz", error);
    if (!table) {
        if (error.empty())
            __builtin_trap(); // a refusal always says why
        return 0;
    }
    const std::string text = table->toText({});
    const auto again = tallowby::PreflopEquityTable::parse(text, "again", error);
    if (!again || again->toText({}) != text)
        __builtin_trap();
    return 0;
}
