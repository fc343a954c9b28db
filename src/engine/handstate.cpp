// SPDX-License-Identifier: GPL-3.0-or-later
// The hand state and the two operations that write its slots.
#include "handstate.h"

namespace tallowby {

void HandState::ResetHand()
{
    for (int s = 1; s <= kSlotCount; ++s)
        Slots[s] = TCard{};
    for (int i = 1; i <= kCardCount; ++i) {
        Deck[i] = makeCard(i);
        Deck[i].Live = 1;
    }
}

void HandState::SetSlotCard(int s, int c)
{
    TCard &slot = Slots[s];
    if (c > 0) {
        const TCard &card = Deck[c];
        slot.Value = card.Value;
        slot.Suit = card.Suit;
        slot.Rank = card.Rank;
        slot.Live = 1;
    } else {
        slot.Value = kNoValue;
        slot.Suit = kNoLetter;
        slot.Rank = kNoLetter;
        slot.Live = 0;
    }
    slot.Index = c;

    for (int i = 1; i <= kCardCount; ++i)
        Deck[i].Live = 1;
    for (int k = 1; k <= kSlotCount; ++k)
        if (filled(k))
            Deck[Slots[k].Index].Live = 0;
}

void HandState::LoadEvalHandFromSlots()
{
    for (int k = 1; k <= kSlotCount; ++k) {
        const TCard &slot = Slots[k];
        TCard &place = EvalHand[k - 1];
        place.Value = slot.Value;
        place.Suit = slot.Suit;
        place.Rank = slot.Rank;
    }
}

std::string HandState::CardCode(int s) const
{
    const TCard &slot = Slots[s];
    return {slot.Rank, slot.Suit};
}

int HandState::UnseenCount() const
{
    int filledCount = 0;
    for (int k = 1; k <= kSlotCount; ++k)
        filledCount += filled(k) ? 1 : 0;
    return kCardCount - filledCount;
}

HandState &currentHand()
{
    static HandState hand;
    return hand;
}

} // namespace tallowby
