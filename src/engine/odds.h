// SPDX-License-Identifier: GPL-3.0-or-later
// The odds analysis: exact enumeration of the unseen cards at each complete stage of a hand.
//
// Pre-flop the player's 50·49·48 flops are enumerated; on the flop the 47 turn cards and the
// opponents' 47·46·45 (hole, hole, turn) triples; on the turn 46 rivers and 46·45·44 triples; on
// the river the opponents' 45·44 hole-card pairs. Results are exactly those of that ordered
// enumeration, the order of the cards in every Need list included.
#pragma once

#include "handoddsgrid.h"
#include "handstate.h"

#include <functional>
#include <optional>
#include <string>

namespace tallowby {

enum class Stage
{
    None,
    PreFlop,
    Flop,
    Turn,
    River
};

// The complete stage the slots form: both hole cards with a board of none, the flop, the flop
// and turn, or all five; None for every other combination.
Stage stageOf(const HandState &hand);

// "Flop %", "Turn %", "River %", "You %"; empty for Stage::None.
const char *stageHeader(Stage stage);

// Counters of one analysis.
struct AnalysisCounts
{
    Stage stage = Stage::None;
    int ownBoards = 0;     // player candidate hands examined
    int opponentHands = 0; // opponent candidate hands examined
    int beaten = 0;        // opponent hands rated above the player's current hand
    int ownRating = 0;     // the player's current hand, 0 before the flop is complete
};

// With both hole cards: blanks every record and sets labels and lowest ratings as thresholds.
void ResetHandStats(HandState &hand);

// Resets the records, rates the player's current hand and enumerates the stage, leaving the
// hit counters and Need lists in HandStats.
AnalysisCounts enumerateStage(HandState &hand);

// Turns the counters into YouPct and HigherPct for `players` active players. Returns the Win %
// value when opponent hands were examined.
std::optional<double> storePercentages(StatsRecords &stats, const AnalysisCounts &counts,
                                       int players);

// Rounding with halves going up: trunc(x / 0.01 + 0.5) * 0.01 and trunc(x / 0.1 + 0.5) * 0.1.
double twoDecimals(double x);
double oneDecimal(double x);

// Shortest decimal text with up to 15 significant digits and no trailing zeros: 0, 7.5, 19.15.
std::string numberText(double value, char decimalSeparator = '.');

// Hit %: the chance the next card is an out once the flop has begun, else that one of the three
// flop cards is.
double hitPercent(int unseen, int outs, bool flopStarted);

// The read-outs of the card panel as texts.
struct Readouts
{
    std::string outs = "0";
    std::string hit = "0";
    std::string win = "??";
};

// What the analysis asks of the window around it.
struct AnalysisHooks
{
    // The number of active players; nullopt stops the analysis (the text was no integer).
    std::function<std::optional<int>()> activePlayers;
    // Runs once the grid is filled, before the outs are counted.
    std::function<void()> updateRecommendation;
};

// The whole analysis on the hand, the grid and the read-outs. Returns false when the active
// players could not be read: Win % then shows "??" and grid, Outs and Hit % stay as they were.
bool analyzeHand(HandState &hand, HandOddsGrid &grid, Readouts &readouts, char decimalSeparator,
                 const AnalysisHooks &hooks);

} // namespace tallowby
