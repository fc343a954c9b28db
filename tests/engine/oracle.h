// SPDX-License-Identifier: GPL-3.0-or-later
// The reference against which the fast engine is checked: the card model, the hand evaluation
// and the odds analysis written out rule by rule, on their own small types, with no tables, no
// shortcuts and no code shared with src/engine. Slow on purpose; obviously right is the goal.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace oracle {

// One card position. A position without a card has index 0, value -1 and '-' for both letters.
struct Card
{
    int index = 0;
    int value = -1;
    char suit = '-';
    char rank = '-';
};

using Hand = std::array<Card, 7>;

// The deck entry of card index 1..52 (blocks of 13 by suit s, d, c, h; deuce first), or the
// empty position for 0.
Card cardOf(int index);

// Card code: rank letter then suit letter; "--" for an empty position.
std::string codeOf(const Card &card);

// Six passes over the neighbours (0,1) .. (5,6), swapping when the first has the smaller value.
void sortHand(Hand &hand);

// The first three values above 0 of the sorted hand differing from both excluded values.
std::array<int, 3> findKickers(const Hand &sorted, int exclude1, int exclude2);

// The straight scan over seven values sorted high to low. Besides the digits r1..r5 it keeps the
// list positions each digit was recorded from, so the caller can name the run's cards.
struct StraightScan
{
    bool found = false;
    std::array<int, 5> digits{};
    std::array<int, 5> positions{};
};
StraightScan straightScan(const std::array<int, 7> &values);

int rateStraightFlush(const Hand &sorted);
int rateFourKind(const Hand &sorted);
int rateFullHouse(const Hand &sorted);
int rateFlush(const Hand &sorted);
int rateStraight(const Hand &sorted);
int rateThreeKind(const Hand &sorted);
int rateTwoPair(const Hand &sorted);
int rateTwoKind(const Hand &sorted);
int rateHighCard(const Hand &sorted);
int rateCategory(int category, const Hand &sorted);

int evaluateHand(Hand &hand);

struct Stats
{
    std::string name;
    std::string need;
    double youPct = 0;
    double higherPct = 0;
    int threshold = 0;
    int youHits = 0;
    int higherHits = 0;
};
using StatsRecords = std::array<Stats, 8>;

int evaluateAndDescribe(Hand &hand, StatsRecords &stats);
std::string describeRating(int rating);
std::string categoryShortName(int category);
std::string categoryLabel(int category);

// Number handling of the analysis.
double twoDecimals(double x);
double oneDecimal(double x);
double wholePower(double x, int exponent);
std::string numberText(double value, char decimalSeparator);

// The "Hand Odds" grid texts: row 0 is the header row.
struct Grid
{
    std::vector<std::array<std::string, 4>> rows;
    Grid(); // as New Game leaves it: nine rows, the four headers, every other cell empty
};

// Everything one analysis reads and writes. Slots 1..7 hold card indices, 0 for an empty slot.
struct Table
{
    std::array<int, 8> slots{};
    StatsRecords stats{};
    Grid grid;
    std::string outs = "0";
    std::string hit = "0";
    std::string win = "??";
};

enum class Stage
{
    None,
    PreFlop,
    Flop,
    Turn,
    River
};
Stage stageOf(const Table &table);

struct Counters
{
    Stage stage = Stage::None;
    int ownBoards = 0;
    int opponentHands = 0;
    int beaten = 0;
    int ownRating = 0;
};

// Steps 2 to 5 of the analysis: counters, reset records, own hand, enumeration.
Counters enumerate(Table &table);

// Step 6 on the records; returns the Win % value when opponent hands were examined.
std::optional<double> storePercentages(StatsRecords &stats, const Counters &counters, int players);

void fillHandOddsGrid(Table &table, char decimalSeparator);
int countOuts(const Grid &grid);
double hitPercent(int unseen, int outs, bool flopStarted);

// Steps 6 to 10: percentages and Win %, the grid, Outs and Hit %.
void finishAnalysis(Table &table, const Counters &counters, int players, char decimalSeparator);

// The whole analysis (the recommendation, which runs between the grid and the outs, aside).
Counters analyzeHand(Table &table, int players, char decimalSeparator);

} // namespace oracle
