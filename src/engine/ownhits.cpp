// SPDX-License-Identifier: GPL-3.0-or-later
// Holding a category, seen from the player's side: one pair, two pair and three of a kind count
// only when a hole card's rank takes part; the others count wherever their cards lie.
#include "ownhits.h"

#include "evaluate.h"

#include <array>

namespace tallowby {

namespace {

// Up to five positions of the sorted hand forming a category's group of cards.
struct Group
{
    std::array<int, 5> at{};
    int size = 0;
    void add(int position) { at[size++] = position; }
};

bool pairAt(const EvalCards &h, int k)
{
    return h[k].Value > 0 && h[k].Value == h[k + 1].Value;
}

bool threeAt(const EvalCards &h, int k)
{
    return pairAt(h, k) && h[k + 1].Value == h[k + 2].Value;
}

bool fourAt(const EvalCards &h, int k)
{
    return threeAt(h, k) && h[k + 2].Value == h[k + 3].Value;
}

// Positions of the cards of the suit with five or more, in sorted order.
int flushSuitPositions(const EvalCards &h, std::array<int, 7> &positions)
{
    for (const char suit : kSuitLetters) {
        int count = 0;
        for (int k = 0; k < 7; ++k)
            if (h[k].Value > 0 && h[k].Suit == suit)
                positions[count++] = k;
        if (count >= 5)
            return count;
    }
    return 0;
}

bool straightFlushGroup(const EvalCards &h, Group &group)
{
    std::array<int, 7> positions{};
    const int count = flushSuitPositions(h, positions);
    if (count < 5)
        return false;
    std::array<int, 7> values{};
    values.fill(kNoValue);
    for (int i = 0; i < count; ++i)
        values[i] = h[positions[i]].Value;
    const StraightRun run = scanStraight(values);
    if (!run.found)
        return false;
    for (const int digit : run.digits)
        for (int i = 0; i < count; ++i)
            if (values[i] == digit) {
                group.add(positions[i]);
                break;
            }
    return true;
}

bool flushGroup(const EvalCards &h, Group &group)
{
    std::array<int, 7> positions{};
    const int count = flushSuitPositions(h, positions);
    if (count < 5)
        return false;
    for (int i = 0; i < 5; ++i)
        group.add(positions[i]);
    return true;
}

// The straight scan over the whole hand, keeping the positions it records (at each step the
// cards at k and k + 1), so a pair inside the run gives its later card.
bool straightGroup(const EvalCards &h, Group &group)
{
    std::array<int, 5> at{};
    int run = 0;
    for (int k = 0; k < 6; ++k) {
        const int a = h[k].Value;
        const int b = h[k + 1].Value;
        if (a - 1 == b) {
            ++run;
            if (run <= 4) {
                at[run - 1] = k;
                at[run] = k + 1;
            }
        }
        if (run < 4 && a - 1 > b && a > 0 && b > 0)
            run = 0;
    }
    if (run < 4 && h[0].Value == 13) {
        for (int k = 0; k < 7; ++k)
            if (h[k].Value == 1) {
                ++run;
                at[4] = 0; // the ace at the top stands below the deuce
                break;
            }
    }
    if (run < 4)
        return false;
    for (const int position : at)
        group.add(position);
    return true;
}

bool fourKindGroup(const EvalCards &h, Group &group)
{
    for (int k = 0; k <= 3; ++k)
        if (fourAt(h, k)) {
            for (int i = 0; i < 4; ++i)
                group.add(k + i);
            return true;
        }
    return false;
}

bool fullHouseGroup(const EvalCards &h, Group &group)
{
    int three = -1;
    for (int k = 0; k <= 4 && three < 0; ++k)
        if (threeAt(h, k))
            three = k;
    if (three < 0)
        return false;
    for (int k = 0; k <= 5; ++k)
        if (pairAt(h, k) && h[k].Value != h[three].Value) {
            for (int i = 0; i < 3; ++i)
                group.add(three + i);
            group.add(k);
            group.add(k + 1);
            return true;
        }
    return false;
}

bool holeRank(int value, int hole1, int hole2)
{
    return value == hole1 || value == hole2;
}

bool threeKindGroup(const EvalCards &h, int hole1, int hole2, Group &group)
{
    int last = -1;
    for (int k = 0; k <= 4; ++k)
        if (threeAt(h, k) && holeRank(h[k].Value, hole1, hole2))
            last = k;
    if (last < 0)
        return false;
    for (int i = 0; i < 3; ++i)
        group.add(last + i);
    return true;
}

bool twoPairGroup(const EvalCards &h, int hole1, int hole2, Group &group)
{
    int first = -1;
    int second = -1;
    bool withHoleRank = false;
    for (int k = 0; k <= 5; ++k) {
        if (!pairAt(h, k))
            continue;
        withHoleRank = withHoleRank || holeRank(h[k].Value, hole1, hole2);
        if (first < 0)
            first = k;
        else if (second < 0 && h[k].Value != h[first].Value)
            second = k;
    }
    if (second < 0 || !withHoleRank)
        return false;
    for (const int k : {first, first + 1, second, second + 1})
        group.add(k);
    return true;
}

bool twoKindGroup(const EvalCards &h, int hole1, int hole2, Group &group)
{
    int last = -1;
    for (int k = 0; k <= 5; ++k)
        if (pairAt(h, k) && holeRank(h[k].Value, hole1, hole2))
            last = k;
    if (last < 0)
        return false;
    group.add(last);
    group.add(last + 1);
    return true;
}

void noteHit(const EvalCards &h, const Group &group, const HandState &state, THandStats &record)
{
    ++record.YouHits;
    int needed = 0;
    int card = 0;
    for (int i = 0; i < group.size; ++i) {
        const int index = h[group.at[i]].Index;
        if (index > 0 && state.Deck[index].Live == 1) {
            ++needed;
            card = index;
        }
    }
    if (needed != 1)
        return;
    const std::string unit = cardCode(card) + " ";
    if (record.Need.find(unit) == std::string::npos)
        record.Need += unit;
}

} // namespace

void CountOwnHits(EvalCards &hand, const HandState &state, StatsRecords &stats)
{
    SortEvalHand(hand);
    const int hole1 = state.Slots[H1].Value;
    const int hole2 = state.Slots[H2].Value;
    const auto check = [&](int category, bool holds, const Group &group) {
        if (holds)
            noteHit(hand, group, state, stats[category - 1]);
    };
    Group g8, g7, g6, g5, g4, g3, g2, g1;
    check(StraightFlush, straightFlushGroup(hand, g8), g8);
    check(FourKind, fourKindGroup(hand, g7), g7);
    check(FullHouse, fullHouseGroup(hand, g6), g6);
    check(Flush, flushGroup(hand, g5), g5);
    check(Straight, straightGroup(hand, g4), g4);
    check(ThreeKind, threeKindGroup(hand, hole1, hole2, g3), g3);
    check(TwoPair, twoPairGroup(hand, hole1, hole2, g2), g2);
    check(OnePair, twoKindGroup(hand, hole1, hole2, g1), g1);
}

} // namespace tallowby
