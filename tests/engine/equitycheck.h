// SPDX-License-Identifier: GPL-3.0-or-later
// What the equity tests share: a hand from card codes, the reference rating of a set of cards,
// and the cards a hand leaves unseen.
#pragma once

#include "engine/equity.h"
#include "oracle.h"
#include "oraclecheck.h"

#include <QString>

#include <vector>

namespace equitycheck {

inline tallowby::EquityHand handOf(const QString &hole, const QString &board = {})
{
    tallowby::EquityHand hand;
    const std::vector<int> holeCards = oraclecheck::indicesOf(hole);
    hand.hole = {holeCards.at(0), holeCards.at(1)};
    for (const int card : oraclecheck::indicesOf(board))
        hand.board[hand.boardCount++] = card;
    return hand;
}

inline int referenceRating(const std::vector<int> &cards)
{
    oracle::Hand hand{};
    for (std::size_t i = 0; i < cards.size(); ++i)
        hand[i] = oracle::cardOf(cards[i]);
    return oracle::evaluateHand(hand);
}

inline std::vector<int> unseenCards(const tallowby::EquityHand &hand)
{
    std::vector<int> unseen;
    for (int card = 1; card <= 52; ++card) {
        bool seen = card == hand.hole[0] || card == hand.hole[1];
        for (int k = 0; k < hand.boardCount; ++k)
            seen = seen || card == hand.board[k];
        if (!seen)
            unseen.push_back(card);
    }
    return unseen;
}

} // namespace equitycheck
