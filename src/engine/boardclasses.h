// SPDX-License-Identifier: GPL-3.0-or-later
// The ways to complete the board after the flop, and on each complete board the opponent hands
// sorted into three classes against the player's hand: below, equal, above. The exact
// three-player count and the multiway simulation both start from these classes.
#pragma once

#include "equity.h"
#include "equitydetail.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace tallowby {

// Cards left for the opponents once the board is complete: 52 - 2 - 5, on every stage.
inline constexpr int kLeftCards = 45;
// Two-card hands of those: C(45, 2).
inline constexpr int kLeftHands = kLeftCards * (kLeftCards - 1) / 2;

// The opponent hands on one complete board. The left cards are numbered 0..44 in increasing card
// index; bit j of below[i] (and of below[j]) is set when the hand {i, j} rates below the
// player's hand, of equal[i] when it rates the same. Hands in neither rate above.
struct BoardClasses
{
    std::array<std::uint64_t, kLeftCards> below{};
    std::array<std::uint64_t, kLeftCards> equal{};
    std::array<std::uint8_t, kLeftCards> belowWith{}; // hands below that hold card i
    std::array<std::uint8_t, kLeftCards> equalWith{};
    int belowHands = 0;
    int equalHands = 0;
};

class BoardCompletions
{
public:
    // Expects a valid hand with three, four or five board cards.
    explicit BoardCompletions(const EquityHand &hand);

    // C(47, 2) = 1081 on the flop, 46 on the turn, 1 on the river.
    int count() const { return static_cast<int>(completions_.size()); }

    // Rates the 990 opponent hands on completion 0..count() - 1.
    void classify(int completion, BoardClasses &classes) const;

private:
    equitydetail::CardsState board_;
    std::array<int, 2> heroValues_{};
    std::array<unsigned, 4> heroMasks_{};
    std::vector<int> unseen_;                      // in increasing card index
    std::vector<std::pair<int, int>> completions_; // the added cards; 0 where none is added
};

} // namespace tallowby
