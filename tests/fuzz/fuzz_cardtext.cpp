// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the reader of written cards.
#include "engine/cardtext.h"

#include <cstddef>
#include <cstdint>
#include <set>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const tallowby::CardTextReading reading = tallowby::readCardText(text);
    // What the reader promises: cards 1..52, each once, each written inside the text.
    std::set<int> seen;
    for (std::size_t i = 0; i < reading.cards.size(); ++i) {
        const int card = reading.cards[i];
        const tallowby::TextSpan where = reading.where.at(i);
        if (card < 1 || card > 52 || !seen.insert(card).second || where.offset > size ||
            where.length > size - where.offset || where.length == 0)
            __builtin_trap();
    }
    if (reading.ok() == reading.cards.empty())
        __builtin_trap();
    for (const tallowby::TextSpan span : {reading.offending, reading.word, reading.earlier}) {
        if (span.offset > size || span.length > size - span.offset)
            __builtin_trap();
        tallowby::characterPosition(text, span.offset);
    }
    return 0;
}
