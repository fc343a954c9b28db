// SPDX-License-Identifier: GPL-3.0-or-later
// The whole analysis of one hand at each stage, as a card click runs it (without the window).
#include "engine/odds.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace tallowby;

namespace {

HandState handOf(const std::vector<std::string> &codes)
{
    HandState hand;
    hand.ResetHand();
    for (std::size_t i = 0; i < codes.size(); ++i)
        hand.SetSlotCard(static_cast<int>(i) + 1, cardIndexFromCode(codes[i]));
    return hand;
}

void analyse(benchmark::State &state, const std::vector<std::string> &codes)
{
    HandState hand = handOf(codes);
    HandOddsGrid grid;
    Readouts readouts;
    AnalysisHooks hooks;
    hooks.activePlayers = [] {
        return std::optional<int>(6);
    };
    analyzeHand(hand, grid, readouts, '.', hooks); // tables built outside the timing
    for (auto _ : state) {
        analyzeHand(hand, grid, readouts, '.', hooks);
        benchmark::DoNotOptimize(readouts);
    }
}

void BM_PreFlop(benchmark::State &state)
{
    analyse(state, {"Ah", "Kh"});
}
void BM_PreFlopPocketPair(benchmark::State &state)
{
    analyse(state, {"8s", "8d"});
}
void BM_Flop(benchmark::State &state)
{
    analyse(state, {"Ah", "Kh", "Qh", "7h", "2c"});
}
void BM_FlopMonotone(benchmark::State &state)
{
    analyse(state, {"Ah", "Kd", "Qh", "7h", "2h"});
}
void BM_Turn(benchmark::State &state)
{
    analyse(state, {"Ah", "Kh", "Qh", "7h", "2c", "Td"});
}
void BM_TurnFourFlush(benchmark::State &state)
{
    analyse(state, {"As", "Kd", "Qh", "7h", "2h", "Th"});
}
void BM_River(benchmark::State &state)
{
    analyse(state, {"Ah", "Kh", "Qh", "7h", "2c", "Td", "9s"});
}
void BM_RiverFlushBoard(benchmark::State &state)
{
    analyse(state, {"As", "Kd", "Qh", "7h", "2h", "Th", "3h"});
}

BENCHMARK(BM_PreFlop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PreFlopPocketPair)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Flop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FlopMonotone)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Turn)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TurnFourFlush)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_River)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RiverFlushBoard)->Unit(benchmark::kMicrosecond);

} // namespace
