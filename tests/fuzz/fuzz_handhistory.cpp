// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the reader of the poker clients' hand-history files, read whole and as a watched
// file is read, from a part begun before it.
#include "import/handhistoryreader.h"

#include <cstddef>
#include <cstdint>
#include <set>

namespace {

void check(const HandHistoryReading &reading, qsizetype size)
{
    // What the reader promises: it consumes no more than it was given, hands in the order
    // written, and cards of a played hand are card indexes, each at most once.
    if (reading.consumed < 0 || reading.consumed > size || reading.consumedLines < 0)
        __builtin_trap();
    int previousLine = 0;
    for (const HandHistoryHand &hand : reading.hands) {
        if (hand.line < previousLine)
            __builtin_trap();
        previousLine = hand.line;
        if (hand.kind != HandHistoryHand::Kind::Played)
            continue;
        std::set<int> seen;
        for (const int card : hand.cards) {
            if (card < 0 || card > 52 || (card != 0 && !seen.insert(card).second))
                __builtin_trap();
        }
        if (hand.cards[0] == 0 || hand.cards[1] == 0)
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const HandEnd end : {HandEnd::Final, HandEnd::BlankLine, HandEnd::Summary}) {
        HandHistoryReadOptions options;
        options.end = end;
        options.startsInsidePart = end == HandEnd::Summary;
        check(readHandHistory(bytes, options), bytes.size());
    }
    return 0;
}
