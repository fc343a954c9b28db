// SPDX-License-Identifier: GPL-3.0-or-later
// Pasting a hand: the cards of a pasted text checked against the hand as that many clicks
// would meet it, so that the text is entered whole or not at all.
#pragma once

#include <QString>

#include <vector>

namespace tallowby {
struct HandState;
}

struct PastePlan
{
    std::vector<int> cards; // card indices to enter one after another from the selected slot on
    QString refusal;        // set when nothing may be entered: what is wrong, for the user

    bool refused() const { return !refusal.isEmpty(); }
};

// The cards of `text` for a hand whose next card goes into slot `selectedSlot`. Refused: a text
// with anything that is not a card, a card twice, more than seven cards, or a card that a click
// would find already in a slot (a slot that an earlier card of the text fills first no longer
// holds its old card, exactly as with clicks).
PastePlan planPaste(const QString &text, const tallowby::HandState &hand, int selectedSlot);
