// SPDX-License-Identifier: GPL-3.0-or-later
// The hand being played: deck table, seven slots, evaluation hand and per-category odds.
#pragma once

#include "cards.h"

#include <array>
#include <cstdint>
#include <string>

namespace tallowby {

// Slot numbers, named after the columns of the history table.
enum SlotNumber : int
{
    H1 = 1,
    H2,
    F1,
    F2,
    F3,
    Tn,
    Rr
};
inline constexpr int kSlotCount = 7;

// Hand categories 0..8. Categories 1..8 have a statistics record each, entry c - 1.
enum Category : int
{
    HighCard = 0,
    OnePair,
    TwoPair,
    ThreeKind,
    Straight,
    Flush,
    FullHouse,
    FourKind,
    StraightFlush
};
inline constexpr int kCategoryCount = 9;
inline constexpr int kStatsCount = 8;

// The odds of one hand category, as the analysis leaves them.
struct THandStats
{
    std::string Name; // the category's label, or the player's own hand in it
    std::string Need; // " " then "Xy " per card that would complete the category
    double YouPct = 0;
    double HigherPct = 0; // -1 when no opponent hand was examined
    std::int32_t Threshold = 0;
    std::int32_t YouHits = 0;
    std::int32_t HigherHits = 0;
};

using EvalCards = std::array<TCard, 7>;
using StatsRecords = std::array<THandStats, kStatsCount>;

// Everything the program knows about the current hand. Only SetSlotCard and ResetHand change
// the slots; only the odds analysis writes HandStats; EvalHand is scratch space.
struct HandState
{
    std::array<TCard, kCardCount + 1> Deck{};  // entries 1..52; entry 0 unused
    std::array<TCard, kSlotCount + 1> Slots{}; // entries 1..7; entry 0 unused
    EvalCards EvalHand{};
    StatsRecords HandStats{};

    // Empties all seven slots and makes all 52 cards live again.
    void ResetHand();

    // Writes card index c (0 empties) into slot s and rebuilds the deck's Live flags from the
    // slots, so a card taken out of a slot is available again at once.
    void SetSlotCard(int s, int c);

    // Copies slot k into EvalHand position k - 1, empty slots included.
    void LoadEvalHandFromSlots();

    // The slot's rank letter then suit letter; "--" for an empty slot.
    std::string CardCode(int s) const;

    // 52 less the number of filled slots.
    int UnseenCount() const;

    bool filled(int s) const { return Slots[s].Live == 1; }
};

// The one hand of the running program, shared by every window.
HandState &currentHand();

} // namespace tallowby
