// SPDX-License-Identifier: GPL-3.0-or-later
// Pieces the equity counts and simulations share: card bits, the rank and suit state of some
// cards, the random numbers and the seed mixer. Internal to the engine.
#pragma once

#include "cards.h"
#include "equity.h"
#include "ranktables.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstdint>

namespace tallowby::equitydetail {

inline constexpr int kShareUnit = 2520; // divisible by 1..10, so a k-way split is whole units

inline std::uint64_t cardBit(int card)
{
    return std::uint64_t{1} << (card - 1);
}

inline unsigned rankBit(int value)
{
    return 1u << (value - 1);
}

// The cards of suit s as a rank mask (card index s·13 + v is bit s·13 + v - 1).
inline unsigned suitRanks(std::uint64_t cards, int suit)
{
    return static_cast<unsigned>(cards >> (13 * suit)) & 0x1FFFu;
}

inline bool cancelled(const std::atomic<bool> *cancel)
{
    return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

// The best of flush and straight flush for the ranks of one suit; 0 under five cards.
inline int suitRating(const SuitTable &suits, unsigned mask)
{
    return std::max(suits.flush(mask), suits.straightFlush(mask));
}

// Rank state and per-suit masks and counts of some cards.
struct CardsState
{
    int ranks = RankTable::kEmpty;
    std::array<unsigned, 4> masks{};
    std::array<int, 4> counts{};

    void add(const RankTable &table, int card)
    {
        ranks = table.next(ranks, cardValue(card));
        masks[cardSuit(card)] |= rankBit(cardValue(card));
        ++counts[cardSuit(card)];
    }

    // The one suit with three or more cards, in which a flush may be made; -1 when none has.
    int flushSuit() const
    {
        for (int s = 0; s < 4; ++s)
            if (counts[s] >= 3)
                return s;
        return -1;
    }
};

inline std::uint64_t mix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// xoshiro256**: fast, and the same sequence on every platform and compiler.
class Random
{
public:
    explicit Random(std::uint64_t seed)
    {
        for (std::uint64_t &word : state_) {
            seed = mix(seed);
            word = seed;
        }
    }

    std::uint64_t next()
    {
        const std::uint64_t result = std::rotl(state_[1] * 5, 7) * 9;
        const std::uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = std::rotl(state_[3], 45);
        return result;
    }

    // 0 .. n - 1; the bias of n / 2^32 is far below any sampling error.
    int below(int n)
    {
        return static_cast<int>(((next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
    }

private:
    std::array<std::uint64_t, 4> state_{};
};

inline std::uint64_t knownCards(const EquityHand &hand)
{
    std::uint64_t known = cardBit(hand.hole[0]) | cardBit(hand.hole[1]);
    for (int k = 0; k < hand.boardCount; ++k)
        known |= cardBit(hand.board[k]);
    return known;
}

inline CardsState boardStateOf(const EquityHand &hand)
{
    CardsState board;
    for (int k = 0; k < hand.boardCount; ++k)
        board.add(RankTable::instance(), hand.board[k]);
    return board;
}

} // namespace tallowby::equitydetail
