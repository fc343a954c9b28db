// SPDX-License-Identifier: GPL-3.0-or-later
// Equity: the exact heads-up count per stage, and the multiway simulation run until its 95 %
// margin is 0.5 points, as the card panel will run them off the user-interface thread.
#include "engine/equity.h"

#include <benchmark/benchmark.h>

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

void countHeadsUp(benchmark::State &state, const std::vector<std::string> &codes)
{
    const EquityHand hand = handOf(codes);
    EquityResult result = exactHeadsUpEquity(hand, nullptr); // tables built outside the timing
    for (auto _ : state) {
        result = exactHeadsUpEquity(hand, nullptr);
        benchmark::DoNotOptimize(result);
    }
    state.counters["showdowns"] = static_cast<double>(result.samples);
    state.counters["equity%"] = result.equity * 100;
}

void simulate(benchmark::State &state, const std::vector<std::string> &codes)
{
    const EquityHand hand = handOf(codes);
    const int players = static_cast<int>(state.range(0));
    auto result = computeEquity(hand, players, nullptr, nullptr);
    for (auto _ : state) {
        result = computeEquity(hand, players, nullptr, nullptr);
        benchmark::DoNotOptimize(result);
    }
    state.counters["deals"] = static_cast<double>(result->samples);
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
void BM_MultiwayFlop(benchmark::State &state)
{
    simulate(state, {"Ah", "9h", "Qh", "7h", "2c"});
}
void BM_MultiwayTurn(benchmark::State &state)
{
    simulate(state, {"Ks", "Kd", "Qh", "7h", "2c", "9s"});
}
void BM_MultiwayPreFlopWithoutTable(benchmark::State &state)
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
BENCHMARK(BM_MultiwayFlop)->Arg(3)->Arg(6)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MultiwayTurn)->Arg(3)->Arg(6)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MultiwayPreFlopWithoutTable)->Arg(3)->Arg(10)->Unit(benchmark::kMillisecond);
