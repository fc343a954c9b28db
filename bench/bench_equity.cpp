// SPDX-License-Identifier: GPL-3.0-or-later
// Equity: the exact counts for two and three players per stage, and the multiway simulation run
// until its 95 % margin is 0.05 points, as the card panel runs them off the user-interface thread.
// The simulation uses every core, so its figures are wall-clock times (real_time).
#include "engine/equity.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

using namespace tallowby;

namespace {

EquityHand handOf(const std::vector<std::string> &codes)
{
    EquityHand hand;
    hand.hole = {cardIndexFromCode(codes[0]), cardIndexFromCode(codes[1])};
    for (std::size_t i = 2; i < codes.size(); ++i)
        hand.board[hand.boardCount++] = cardIndexFromCode(codes[i]);
    return hand;
}

void count(benchmark::State &state,
           EquityResult (*counter)(const EquityHand &, const std::atomic<bool> *),
           const std::vector<std::string> &codes)
{
    const EquityHand hand = handOf(codes);
    EquityResult result = counter(hand, nullptr); // tables built outside the timing
    for (auto _ : state) {
        result = counter(hand, nullptr);
        benchmark::DoNotOptimize(result);
    }
    state.counters["showdowns"] = static_cast<double>(result.samples);
    state.counters["equity%"] = result.equity * 100;
}

void countHeadsUp(benchmark::State &state, const std::vector<std::string> &codes)
{
    count(state, exactHeadsUpEquity, codes);
}

void countThreeWay(benchmark::State &state, const std::vector<std::string> &codes)
{
    count(state, exactThreeWayEquity, codes);
}

// The whole simulation of computeEquity for state.range(0) players, to the default 0.05 points.
void simulate(benchmark::State &state, const std::vector<std::string> &codes)
{
    const EquityHand hand = handOf(codes);
    const int players = static_cast<int>(state.range(0));
    auto result = computeEquity(hand, players, nullptr, nullptr);
    double first = 0;   // deals when the first figure, good to 0.5 points, was reported
    double firstMs = 0; // and the milliseconds until then
    for (auto _ : state) {
        first = 0;
        const auto start = std::chrono::steady_clock::now();
        result = computeEquity(hand, players, nullptr, nullptr, SimulationLimits{},
                               [&](const EquityResult &interim) {
                                   if (first > 0)
                                       return;
                                   first = static_cast<double>(interim.samples);
                                   firstMs = std::chrono::duration<double, std::milli>(
                                                 std::chrono::steady_clock::now() - start)
                                                 .count();
                               });
        benchmark::DoNotOptimize(result);
    }
    state.counters["deals"] = static_cast<double>(result->samples);
    state.counters["firstDeals"] = first;
    state.counters["firstMs"] = firstMs;
    state.counters["margin95%"] = result->margin95 * 100;
    state.counters["equity%"] = result->equity * 100;
}

void BM_HeadsUpFlop(benchmark::State &state)
{
    countHeadsUp(state, {"8c", "8d", "2c", "7d", "Kh"});
}
void BM_HeadsUpFlopFlushDraw(benchmark::State &state)
{
    countHeadsUp(state, {"Ah", "Kh", "Qh", "7h", "2c"});
}
void BM_HeadsUpFlopMonotone(benchmark::State &state)
{
    countHeadsUp(state, {"As", "Kd", "Qh", "7h", "2h"});
}
void BM_HeadsUpTurn(benchmark::State &state)
{
    countHeadsUp(state, {"Ah", "Kh", "Qh", "7h", "2c", "Td"});
}
void BM_HeadsUpRiver(benchmark::State &state)
{
    countHeadsUp(state, {"Ah", "Kh", "Qh", "7h", "2c", "Td", "3h"});
}
// What one entry of the pre-flop table costs make-preflop-equity: 2,097,572,400 showdowns.
void BM_HeadsUpPreFlop(benchmark::State &state)
{
    countHeadsUp(state, {"Ah", "Ad"});
}

// Three players: 966,381,570 showdowns on the flop, 41,122,620 on the turn, 893,970 on the river.
void BM_ThreeWayFlopExact(benchmark::State &state)
{
    countThreeWay(state, {"Ah", "Kh", "Qh", "2h", "7c"});
}
void BM_ThreeWayFlopMonotoneExact(benchmark::State &state)
{
    countThreeWay(state, {"As", "Kd", "Qh", "7h", "2h"});
}
void BM_ThreeWayTurnExact(benchmark::State &state)
{
    countThreeWay(state, {"Ah", "Kh", "Qh", "7h", "2c", "Td"});
}
void BM_ThreeWayRiverExact(benchmark::State &state)
{
    countThreeWay(state, {"Qs", "9s", "Kd", "9c", "4s", "2d", "Ah"});
}

// Time to 0.05 points: a flush draw with two overcards, a set, and a middle pair.
void BM_SimulateFlopFlushDraw(benchmark::State &state)
{
    simulate(state, {"Ah", "Kh", "Qh", "2h", "7c"});
}
void BM_SimulateFlopSet(benchmark::State &state)
{
    simulate(state, {"7s", "7d", "Qh", "7h", "2c"});
}
void BM_SimulateFlopMiddlePair(benchmark::State &state)
{
    simulate(state, {"Ts", "9d", "Kh", "9h", "4c"});
}
void BM_SimulateTurnFlushDraw(benchmark::State &state)
{
    simulate(state, {"Ah", "Kh", "Qh", "2h", "7c", "3d"});
}
void BM_SimulateTurnSet(benchmark::State &state)
{
    simulate(state, {"7s", "7d", "Qh", "7h", "2c", "9s"});
}
void BM_SimulateTurnMiddlePair(benchmark::State &state)
{
    simulate(state, {"Ts", "9d", "Kh", "9h", "4c", "2s"});
}
void BM_SimulateRiverTopPair(benchmark::State &state)
{
    simulate(state, {"Ks", "Jd", "Kh", "8c", "5d", "3s", "2h"});
}
// Without the pre-flop table the board is dealt as well.
void BM_SimulatePreFlopWithoutTable(benchmark::State &state)
{
    simulate(state, {"Ah", "Ad"});
}

} // namespace

BENCHMARK(BM_HeadsUpFlop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeadsUpFlopFlushDraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeadsUpFlopMonotone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeadsUpTurn)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HeadsUpRiver)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HeadsUpPreFlop)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ThreeWayFlopExact)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThreeWayFlopMonotoneExact)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThreeWayTurnExact)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ThreeWayRiverExact)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SimulateFlopFlushDraw)
    ->Arg(4)
    ->Arg(6)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SimulateFlopSet)
    ->Arg(4)
    ->Arg(6)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SimulateFlopMiddlePair)
    ->Arg(4)
    ->Arg(6)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SimulateTurnFlushDraw)
    ->Arg(4)
    ->Arg(6)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SimulateTurnSet)
    ->Arg(4)
    ->Arg(6)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SimulateTurnMiddlePair)
    ->Arg(4)
    ->Arg(6)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SimulateRiverTopPair)
    ->Arg(4)
    ->Arg(6)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SimulatePreFlopWithoutTable)
    ->Arg(2)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
