// SPDX-License-Identifier: GPL-3.0-or-later
// Typing a card as its code, one key at a time: a rank key, then a suit key. Rank keys are
// 2..9, T (or 1 then 0, or 0 alone, for ten), J, Q, K, A; suit keys s, d, c, h; either case.
// Plain C++, so that every key sequence can be checked without a window.
#pragma once

#include <string>

class CardKeys
{
public:
    enum class Result
    {
        Ignored, // the key cannot follow what was typed; nothing changed
        Waiting, // a rank (or the "1" of ten) was taken and waits for more
        Card,    // a suit completed the card
        Dropped, // Esc dropped the waiting rank
    };

    struct Step
    {
        Result result = Result::Ignored;
        int card = 0; // the card index 1..52 when result is Card
    };

    // A key that produces `character`.
    Step type(char32_t character);
    // Esc.
    Step escape();
    // Forgets what was typed, as when the card was entered some other way.
    void clear();

    // The rank value 1..13 that waits for its suit, -1 when none does. While the "1" of ten
    // waits for its "0" the ten is the only rank it can become, so it is 9 then too.
    int waitingRank() const { return rank_; }
    // Whether "1" was typed and the "0" of ten is still to come.
    bool waitingForZero() const { return zeroNext_; }
    // The keys taken so far, as the user typed them ("A", "1", "10", "t"); empty when idle.
    const std::string &typed() const { return typed_; }

private:
    int rank_ = -1;
    bool zeroNext_ = false;
    std::string typed_;
};

// The card next to `card` (1..52) on the deck as the panel lays it out: rows spades, diamonds,
// clubs, hearts from the top; columns ace to deuce from the left. The card itself when the step
// would leave the deck.
int deckNeighbour(int card, int rowStep, int columnStep);
