// SPDX-License-Identifier: GPL-3.0-or-later
// Rating the opponent hands on every completion of the board. Each hand costs one rank-table row
// and one look-up, plus a suit-table look-up when it may hold a flush.
#include "boardclasses.h"

#include <bit>

namespace tallowby {

using namespace equitydetail;

BoardCompletions::BoardCompletions(const EquityHand &hand)
{
    heroValues_ = {cardValue(hand.hole[0]), cardValue(hand.hole[1])};
    for (const int card : hand.hole)
        heroMasks_[cardSuit(card)] |= rankBit(cardValue(card));
    board_ = boardStateOf(hand);
    const std::uint64_t known = knownCards(hand);
    for (int card = 1; card <= kCardCount; ++card)
        if ((known & cardBit(card)) == 0)
            unseen_.push_back(card);
    const int missing = 5 - hand.boardCount;
    const int unseen = static_cast<int>(unseen_.size());
    if (missing == 0) {
        completions_.emplace_back(0, 0);
    } else if (missing == 1) {
        for (const int card : unseen_)
            completions_.emplace_back(card, 0);
    } else {
        for (int i = 0; i < unseen; ++i)
            for (int j = i + 1; j < unseen; ++j)
                completions_.emplace_back(unseen_[i], unseen_[j]);
    }
}

void BoardCompletions::classify(int completion, BoardClasses &classes) const
{
    const RankTable &ranks = RankTable::instance();
    const SuitTable &suits = SuitTable::instance();
    const auto [first, second] = completions_[completion];
    CardsState board = board_;
    std::array<int, kLeftCards> left{};
    int leftCount = 0;
    for (const int card : unseen_) {
        if (card == first || card == second)
            board.add(ranks, card);
        else if (leftCount < kLeftCards)
            left[leftCount++] = card;
    }

    const int suit = board.flushSuit();
    const unsigned boardMask = suit >= 0 ? board.masks[suit] : 0;
    const int boardSuited = suit >= 0 ? board.counts[suit] : 0;
    int hero = ranks.bestAfter(ranks.next(board.ranks, heroValues_[0]), heroValues_[1]);
    if (suit >= 0)
        hero = std::max(hero, suitRating(suits, boardMask | heroMasks_[suit]));

    classes = BoardClasses{};
    for (int i = 0; i < leftCount; ++i) {
        const int value1 = cardValue(left[i]);
        const std::int32_t *row = ranks.bestAfterRow(ranks.next(board.ranks, value1));
        const bool suited1 = cardSuit(left[i]) == suit;
        std::uint64_t below = 0;
        std::uint64_t equal = 0;
        for (int j = i + 1; j < leftCount; ++j) {
            const int value2 = cardValue(left[j]);
            int rating = row[value2 - 1];
            if (suit >= 0) {
                const bool suited2 = cardSuit(left[j]) == suit;
                if (boardSuited + suited1 + suited2 >= 5)
                    rating = std::max(
                        rating, suitRating(suits, boardMask | (suited1 ? rankBit(value1) : 0) |
                                                      (suited2 ? rankBit(value2) : 0)));
            }
            const std::uint64_t bit = std::uint64_t{1} << j;
            below |= rating < hero ? bit : 0;
            equal |= rating == hero ? bit : 0;
        }
        // Hand {i, j} for j > i found here; for j < i it was set while row j ran.
        classes.below[i] |= below;
        classes.equal[i] |= equal;
        for (std::uint64_t m = below; m != 0; m &= m - 1)
            classes.below[std::countr_zero(m)] |= std::uint64_t{1} << i;
        for (std::uint64_t m = equal; m != 0; m &= m - 1)
            classes.equal[std::countr_zero(m)] |= std::uint64_t{1} << i;
    }
    for (int i = 0; i < leftCount; ++i) {
        classes.belowWith[i] = static_cast<std::uint8_t>(std::popcount(classes.below[i]));
        classes.equalWith[i] = static_cast<std::uint8_t>(std::popcount(classes.equal[i]));
        classes.belowHands += classes.belowWith[i];
        classes.equalHands += classes.equalWith[i];
    }
    classes.belowHands /= 2;
    classes.equalHands /= 2;
}

} // namespace tallowby
