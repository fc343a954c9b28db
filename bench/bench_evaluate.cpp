// SPDX-License-Identifier: GPL-3.0-or-later
// Rates every one of the 133,784,560 seven-card hands and counts them per category; the counts
// must be the known distribution. The walk adds one card per loop level, carrying the rank
// state and the suit masks down, as a table-driven evaluator is meant to be used.
#include "engine/evaluate.h"
#include "engine/ranktables.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

using namespace tallowby;

namespace {

// What the walk carries down for the cards chosen so far.
struct Level
{
    int state = RankTable::kEmpty;
    std::array<unsigned, 4> masks{};
    std::array<int, 4> suitCounts{};
    int flushSuit = -1; // a suit holding five of the cards, if any
};

using Counts = std::array<std::int64_t, kCategoryCount>;

Counts countAllSevenCardHands()
{
    const RankTable &ranks = RankTable::instance();
    const SuitTable &suits = SuitTable::instance();
    const auto flushRating = [&](unsigned mask) {
        return std::max(suits.flush(mask), suits.straightFlush(mask));
    };
    // Two histograms, so that neighbouring hands of one category do not wait on each other.
    std::array<std::array<std::int64_t, 16>, 2> histogram{};
    std::array<Level, 6> level{};
    const auto push = [&](int depth, int card) {
        Level &next = level[depth + 1];
        next = level[depth];
        const int suit = cardSuit(card);
        next.state = ranks.next(next.state, cardValue(card));
        next.masks[suit] |= 1u << (cardValue(card) - 1);
        if (++next.suitCounts[suit] >= 5)
            next.flushSuit = suit;
    };
    for (int c1 = 1; c1 <= 46; ++c1) {
        push(0, c1);
        for (int c2 = c1 + 1; c2 <= 47; ++c2) {
            push(1, c2);
            for (int c3 = c2 + 1; c3 <= 48; ++c3) {
                push(2, c3);
                for (int c4 = c3 + 1; c4 <= 49; ++c4) {
                    push(3, c4);
                    for (int c5 = c4 + 1; c5 <= 50; ++c5) {
                        push(4, c5);
                        const Level &five = level[5];
                        for (int c6 = c5 + 1; c6 <= 51; ++c6) {
                            // The sixth card changes one suit; the seventh runs suit by suit.
                            const int value6 = cardValue(c6);
                            const int suit6 = cardSuit(c6);
                            const std::int32_t *row =
                                ranks.bestAfterRow(ranks.next(five.state, value6));
                            const unsigned bit6 = 1u << (value6 - 1);
                            // A suit holding five of the six keeps its flush whatever comes.
                            int flushOfSix = 0;
                            if (five.suitCounts[suit6] >= 4)
                                flushOfSix = flushRating(five.masks[suit6] | bit6);
                            else if (five.flushSuit >= 0)
                                flushOfSix = flushRating(five.masks[five.flushSuit]);
                            for (int suit = cardSuit(c6 + 1); suit < 4; ++suit) {
                                const int firstValue =
                                    suit == cardSuit(c6 + 1) ? cardValue(c6 + 1) : 1;
                                const unsigned mask =
                                    five.masks[suit] | (suit == suit6 ? bit6 : 0u);
                                const int count = five.suitCounts[suit] + (suit == suit6 ? 1 : 0);
                                if (count >= 4) {
                                    for (int value = firstValue; value <= 13; ++value) {
                                        const int rating =
                                            std::max({row[value - 1], flushOfSix,
                                                      flushRating(mask | (1u << (value - 1)))});
                                        ++histogram[value & 1][rating >> 20];
                                    }
                                } else {
                                    for (int value = firstValue; value <= 13; ++value)
                                        ++histogram[value & 1]
                                                   [std::max(row[value - 1], flushOfSix) >> 20];
                                }
                            }
                        }
                    }
                }
            }
        }
    }
    Counts counts{};
    for (int c = 0; c < kCategoryCount; ++c)
        counts[c] = histogram[0][c] + histogram[1][c];
    return counts;
}

void BM_EvaluateAllSevenCardHands(benchmark::State &state)
{
    RankTable::instance();
    SuitTable::instance();
    Counts counts{};
    for (auto _ : state) {
        counts = countAllSevenCardHands();
        benchmark::DoNotOptimize(counts);
    }
    std::int64_t total = 0;
    for (int c = 0; c < kCategoryCount; ++c) {
        state.counters[categoryShortName(c)] = static_cast<double>(counts[c]);
        total += counts[c];
    }
    state.counters["hands"] = static_cast<double>(total);
    static bool printed = false;
    if (!printed) {
        printed = true;
        for (int c = 0; c < kCategoryCount; ++c)
            std::printf("%-15s %11lld\n", categoryShortName(c), static_cast<long long>(counts[c]));
        std::printf("%-15s %11lld\n", "total", static_cast<long long>(total));
    }
}
BENCHMARK(BM_EvaluateAllSevenCardHands)->Unit(benchmark::kMillisecond)->Iterations(3);

// What the first analysis of a run pays for the rank table.
void BM_BuildRankTable(benchmark::State &state)
{
    for (auto _ : state) {
        const RankTable table;
        benchmark::DoNotOptimize(table.stateCount());
    }
}
BENCHMARK(BM_BuildRankTable)->Unit(benchmark::kMillisecond);

} // namespace
