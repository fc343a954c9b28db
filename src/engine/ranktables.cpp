// SPDX-License-Identifier: GPL-3.0-or-later
// Building the rank and suit tables from the category rules.
#include "ranktables.h"

#include "evaluate.h"

#include <algorithm>
#include <bit>

namespace tallowby {

namespace {

constexpr int kMaxCards = 7;

std::uint64_t withCard(std::uint64_t counts, int value)
{
    return counts + (std::uint64_t{1} << (4 * (value - 1)));
}

int countOf(std::uint64_t counts, int value)
{
    return static_cast<int>((counts >> (4 * (value - 1))) & 0xF);
}

// A sorted evaluation hand holding the multiset; suits alternate so no suit reaches five.
EvalCards handOf(std::uint64_t counts)
{
    EvalCards hand{};
    int place = 0;
    for (int value = 13; value >= 1; --value)
        for (int copy = 0; copy < countOf(counts, value); ++copy) {
            TCard &card = hand[place++];
            card = makeCard(cardIndex(value, copy));
        }
    return hand;
}

// Numbers for multisets, by open addressing on the packed counts (the empty multiset is 0).
class MultisetNumbers
{
public:
    MultisetNumbers() : keys_(kSlots, 0), numbers_(kSlots, -1) { numbers_[slotOf(0)] = 0; }

    // The number of `key`, or `fresh` after recording it; `added` tells which.
    int numberOf(std::uint64_t key, int fresh, bool &added)
    {
        std::size_t slot = slotOf(key);
        while (numbers_[slot] >= 0) {
            if (keys_[slot] == key) {
                added = false;
                return numbers_[slot];
            }
            slot = (slot + 1) & (kSlots - 1);
        }
        keys_[slot] = key;
        numbers_[slot] = fresh;
        added = true;
        return fresh;
    }

private:
    static constexpr std::size_t kSlots = std::size_t{1} << 18; // over three times the multisets

    static std::size_t slotOf(std::uint64_t key)
    {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 46) & (kSlots - 1);
    }

    std::vector<std::uint64_t> keys_;
    std::vector<int> numbers_;
};

} // namespace

RankTable::RankTable()
{
    // Number the multisets level by level (by card count), recording each transition as the
    // next level is discovered.
    std::vector<std::uint64_t> states{0};
    MultisetNumbers numbers;
    std::vector<std::int32_t> next;
    std::size_t levelStart = 0;
    for (int size = 0; size < kMaxCards; ++size) {
        const std::size_t levelEnd = states.size();
        next.resize(levelEnd * 13, kNone);
        for (std::size_t s = levelStart; s < levelEnd; ++s)
            for (int value = 1; value <= 13; ++value) {
                if (countOf(states[s], value) == 4)
                    continue;
                const std::uint64_t grown = withCard(states[s], value);
                bool added = false;
                next[s * 13 + value - 1] = numbers.numberOf(grown, static_cast<int>(states.size()), added);
                if (added)
                    states.push_back(grown);
            }
        levelStart = levelEnd;
    }

    const std::size_t n = states.size();
    next.resize(n * 13, kNone);
    next_ = std::move(next);
    ratings_.assign(n * kCategoryCount, 0);
    best_.assign(n, 0);
    counts_ = std::move(states);
    for (std::size_t s = 0; s < n; ++s) {
        const EvalCards hand = handOf(counts_[s]);
        int best = 0;
        for (int c = 0; c < kCategoryCount; ++c) {
            if (c == Flush || c == StraightFlush)
                continue;
            const int r = rateCategory(c, hand);
            ratings_[s * kCategoryCount + c] = r;
            best = std::max(best, r);
        }
        best_[s] = best;
    }
    bestAfter_.assign(n * 13, 0);
    for (std::size_t i = 0; i < next_.size(); ++i)
        if (next_[i] != kNone)
            bestAfter_[i] = best_[next_[i]];
}

const RankTable &RankTable::instance()
{
    static const RankTable table;
    return table;
}

SuitTable::SuitTable()
{
    for (unsigned mask = 0; mask < (1u << 13); ++mask) {
        if (std::popcount(mask) < 5 || std::popcount(mask) > kMaxCards)
            continue;
        EvalCards hand{};
        int place = 0;
        for (int value = 13; value >= 1; --value)
            if (mask & (1u << (value - 1)))
                hand[place++] = makeCard(cardIndex(value, 0));
        flush_[mask] = RateFlush(hand);
        straightFlush_[mask] = RateStraightFlush(hand);
    }
}

const SuitTable &SuitTable::instance()
{
    static const SuitTable table;
    return table;
}

namespace {

// The best rating from the rank state and the four suits' rank masks.
int rateFromParts(int state, const std::array<unsigned, 4> &suitMasks)
{
    const RankTable &ranks = RankTable::instance();
    int best = ranks.best(state);
    for (const unsigned mask : suitMasks) {
        if (std::popcount(mask) >= 5) {
            const SuitTable &suits = SuitTable::instance();
            best = std::max({best, suits.flush(mask), suits.straightFlush(mask)});
        }
    }
    return best;
}

} // namespace

int rateSortedHand(const EvalCards &hand)
{
    const RankTable &ranks = RankTable::instance();
    int state = RankTable::kEmpty;
    std::array<unsigned, 4> suitMasks{};
    for (const TCard &card : hand) {
        if (card.Value <= 0)
            continue;
        state = ranks.next(state, card.Value);
        const auto suit = kSuitLetters.find(card.Suit);
        if (suit != std::string_view::npos)
            suitMasks[suit] |= 1u << (card.Value - 1);
    }
    return rateFromParts(state, suitMasks);
}

int rateCards(const int *cards, int count)
{
    const RankTable &ranks = RankTable::instance();
    int state = RankTable::kEmpty;
    std::array<unsigned, 4> suitMasks{};
    for (int k = 0; k < count; ++k) {
        if (cards[k] <= 0)
            continue;
        state = ranks.next(state, cardValue(cards[k]));
        suitMasks[cardSuit(cards[k])] |= 1u << (cardValue(cards[k]) - 1);
    }
    return rateFromParts(state, suitMasks);
}

} // namespace tallowby
