// SPDX-License-Identifier: GPL-3.0-or-later
// The player's side of the analysis on one candidate hand: which categories the player holds,
// and the single cards that completed them.
#pragma once

#include "handstate.h"

namespace tallowby {

// On the candidate hand in `hand` (sorted here): adds 1 to YouHits of every category the player
// holds and, where the category's group of cards has exactly one card that is not a known card
// (a card of a filled slot, i.e. not live in the deck), appends that card's code to the
// record's Need once. The candidate cards must carry their Index.
void CountOwnHits(EvalCards &hand, const HandState &state, StatsRecords &stats);

} // namespace tallowby
