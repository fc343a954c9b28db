// SPDX-License-Identifier: GPL-3.0-or-later
// Lookup tables built once from the category rules, so that a hand is rated without running
// the rules.
//
// Every rule except flush and straight flush depends only on how many cards of each rank the
// hand holds. RankTable numbers those rank multisets (up to seven cards, at most four of a
// rank) as the states of a small automaton: adding a card of rank v to state s gives
// next(s, v). Each state carries the ratings the rules give it. Flush and straight flush depend
// only on the ranks of the suit holding five or more cards: SuitTable keeps both per 13-bit
// rank mask.
#pragma once

#include "handstate.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tallowby {

class RankTable
{
public:
    static constexpr int kEmpty = 0;
    static constexpr int kNone = -1; // a fifth card of one rank, or an eighth card

    // The table of the process, built on first use.
    static const RankTable &instance();

    // Builds a table of its own (what the first use of instance() costs).
    RankTable();

    // The state after adding one card of rank value 1..13.
    int next(int state, int value) const { return next_[state * 13 + value - 1]; }

    // The rating of category c (0..8) for the multiset; 0 for flush and straight flush.
    int rating(int state, int c) const { return ratings_[state * kCategoryCount + c]; }

    // The greatest of the rank-only ratings: the hand's rating unless it holds a flush.
    int best(int state) const { return best_[state]; }

    // best(next(state, value)) in one look-up, for the innermost loops of a walk.
    int bestAfter(int state, int value) const { return bestAfter_[state * 13 + value - 1]; }
    // The 13 values bestAfter(state, 1..13).
    const std::int32_t *bestAfterRow(int state) const { return &bestAfter_[state * 13]; }

    // How many cards of rank value 1..13 the multiset holds.
    int count(int state, int value) const { return (counts_[state] >> (4 * (value - 1))) & 0xF; }

    int stateCount() const { return static_cast<int>(best_.size()); }

private:
    std::vector<std::int32_t> next_;
    std::vector<std::int32_t> ratings_;
    std::vector<std::int32_t> best_;
    std::vector<std::int32_t> bestAfter_;
    std::vector<std::uint64_t> counts_;
};

class SuitTable
{
public:
    static const SuitTable &instance();

    // Ratings of the ranks of one suit (bit v - 1 for rank value v); 0 under five cards.
    int flush(unsigned mask) const { return flush_[mask]; }
    int straightFlush(unsigned mask) const { return straightFlush_[mask]; }

private:
    SuitTable();

    std::array<std::int32_t, 1 << 13> flush_{};
    std::array<std::int32_t, 1 << 13> straightFlush_{};
};

// The rating EvaluateHand gives the cards, read from the tables; the order of the cards does
// not matter.
int rateSortedHand(const EvalCards &hand);

// The same for card indices 1..52 (0 entries are skipped).
int rateCards(const int *cards, int count);

} // namespace tallowby
