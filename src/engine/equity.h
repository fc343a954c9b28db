// SPDX-License-Identifier: GPL-3.0-or-later
// Equity: the player's expected share of the pot when every other active player holds random
// unseen cards and the board is dealt out to the river. A pot won alone counts 1, a pot split
// k ways counts 1/k.
//
// How it is obtained depends on the stage:
//  - pre-flop: looked up in the pre-flop table by starting-hand class (or simulated when no
//    table is at hand);
//  - two players on the flop, turn and river: counted exactly over every board completion and
//    every opponent hand, at most C(47,2)·C(45,2) = 1,070,190 showdowns on the flop;
//  - three players on the flop, turn and river: counted exactly from the classes of the
//    opponent hands on each board, 966,381,570 showdowns on the flop;
//  - four or more players after the flop: every board completion equally often, the opponents'
//    hands drawn at random on worker threads from a seed fixed by the cards, so the same hand
//    always gives the same figure, until the 95 % margin is at most 0.05 points.
//
// Everything works on a copy of the cards and keeps no state between calls, so a worker thread
// may run it while the user interface goes on; the cancel flag is checked every few thousand
// showdowns or deals.
#pragma once

#include "handstate.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tallowby {

class PreflopEquityTable;

inline constexpr double kZ95 = 1.959963984540054; // two-sided 95 % quantile of the normal law

// The cards of one hand: two hole cards and 0, 3, 4 or 5 board cards (card indices 1..52).
struct EquityHand
{
    std::array<int, 2> hole{};
    std::array<int, 5> board{};
    int boardCount = 0;
};

// The cards of the slots when they form a complete stage; nullopt otherwise.
std::optional<EquityHand> equityHandOf(const HandState &hand);

struct EquityResult
{
    enum class Method
    {
        Exact,     // every showdown counted
        Simulated, // random deals
        Table      // the pre-flop table; `exact` tells how its entry was obtained
    };

    double equity = 0; // the expected share of the pot, a fraction of 1
    double win = 0;    // the chance of winning the pot alone
    double tie = 0;    // the chance of sharing it (tying for the best hand)
    Method method = Method::Exact;
    bool exact = true;        // no sampling error: an exact count or an exact table entry
    std::int64_t samples = 0; // showdowns counted, or deals simulated; 0 when every deal is alike
    int boards = 0;           // board completions each counted, or each dealt equally often
    double margin95 = 0;      // half-width of the 95 % interval of the equity; 0 when exact
    bool final = true;        // false for a simulated figure that is still being refined
    bool cancelled = false;   // stopped by the cancel flag: the figures are meaningless
};

// Limits of a simulation.
struct SimulationLimits
{
    double targetMargin95 = 0.0005; // stop once the 95 % margin is at most this (0.05 points)
    double firstMargin95 = 0.005;   // report figures on the way from this margin on (0.5 points)
    std::int64_t minDeals = 20'000;
    std::int64_t maxDeals = 12'000'000; // stop here even short of the target margin
    std::uint64_t seed = 0;             // 0: derived from the cards and the number of opponents
    int threads = 0;                    // 0: one per core; the figure does not depend on it
};

// Called on the computing thread with each figure on the way (final false), once its margin is
// at most firstMargin95 and before the target is reached.
using EquityProgress = std::function<void(const EquityResult &)>;

// The equity of the hand against activePlayers - 1 opponents (activePlayers 2..10). nullopt
// when there is nothing to compute: cards missing, repeated or out of range, a board of 1, 2 or
// more than 5 cards, or a player count outside 2..10. `cancel` and `table` may be null.
std::optional<EquityResult> computeEquity(const EquityHand &hand, int activePlayers,
                                          const std::atomic<bool> *cancel,
                                          const PreflopEquityTable *table,
                                          const SimulationLimits &limits = {},
                                          const EquityProgress &progress = {});
std::optional<EquityResult> computeEquity(const HandState &hand, int activePlayers,
                                          const std::atomic<bool> *cancel,
                                          const PreflopEquityTable *table,
                                          const SimulationLimits &limits = {},
                                          const EquityProgress &progress = {});

// The exact heads-up count at any stage, pre-flop included (2,097,572,400 showdowns there, about
// a second). Expects a valid hand.
EquityResult exactHeadsUpEquity(const EquityHand &hand, const std::atomic<bool> *cancel);

// The exact count against two opponents on the flop, turn or river: for each board completion
// the opponent hands are classed once and the card-disjoint pairs counted from the classes.
// Expects a valid hand with a board.
EquityResult exactThreeWayEquity(const EquityHand &hand, const std::atomic<bool> *cancel);

// The simulation against `opponents` (1..9) opponents, in rounds on limits.threads threads.
// After the flop every board completion gets the same number of deals; before it the board is
// dealt too. Expects a valid hand.
EquityResult simulateEquity(const EquityHand &hand, int opponents, const std::atomic<bool> *cancel,
                            const SimulationLimits &limits, const EquityProgress &progress = {});

// Plain random deals on the calling thread, board and opponents alike, checked against the
// margin every 1024 deals; what the pre-flop table is made with. Expects a valid hand.
EquityResult simulateEquityPlain(const EquityHand &hand, int opponents,
                                 const std::atomic<bool> *cancel, const SimulationLimits &limits);

// The seed a simulation uses when none is given: the same cards, in any order, and the same
// number of opponents give the same seed.
std::uint64_t equitySeed(const EquityHand &hand, int opponents);

// The 95 % margin in percent, rounded up to two decimals so that a simulation never shows 0:
// 0.0004512 gives 0.05.
double marginPercent(const EquityResult &result);

// How the figure was obtained, for the command-line tool: "exact, 1070190 showdowns",
// "simulated, 2162000 deals over all 1081 board completions, ±0.05 % at 95 %",
// "pre-flop table, exact, 2097572400 showdowns".
std::string equityMethodText(const EquityResult &result);

} // namespace tallowby
