// SPDX-License-Identifier: GPL-3.0-or-later
// The exact equity against two opponents after the flop, counted from the classes of the
// opponent hands instead of visiting the 893,970 ordered pairs of hands on each board.
//
// On one board let B and E be the opponent hands rated below and equal to the player, b_c and
// e_c those of them holding card c. Two different hands share at most one card, so the ordered
// pairs of card-disjoint hands are
//   both from B:          |B|² - Σ b_c² + |B|   (the pairs of a hand with itself share two cards)
//   one from E, one B:    |E|·|B| - Σ e_c·b_c   (per order)
//   both from E:          |E|² - Σ e_c² + |E|.
// The player wins the first kind alone and shares the second two ways, the third three ways.
#include "boardclasses.h"

namespace tallowby {

namespace {

// Card-disjoint ordered pairs of two different opponents' hands from C(43, 2) after the first.
constexpr std::int64_t kOrderedPairs = std::int64_t{kLeftHands} * (43 * 42 / 2);

} // namespace

EquityResult exactThreeWayEquity(const EquityHand &hand, const std::atomic<bool> *cancel)
{
    const BoardCompletions completions(hand);
    BoardClasses classes;
    std::int64_t alone = 0;    // pairs both below the player
    std::int64_t twoWay = 0;   // pairs with one equal hand and one below, either order
    std::int64_t threeWay = 0; // pairs both equal
    EquityResult result;
    result.method = EquityResult::Method::Exact;
    result.exact = true;
    result.boards = completions.count();
    for (int c = 0; c < completions.count(); ++c) {
        if (equitydetail::cancelled(cancel)) {
            result.cancelled = true;
            return result;
        }
        completions.classify(c, classes);
        std::int64_t belowSquares = 0;
        std::int64_t equalSquares = 0;
        std::int64_t mixed = 0;
        for (int card = 0; card < kLeftCards; ++card) {
            const std::int64_t b = classes.belowWith[card];
            const std::int64_t e = classes.equalWith[card];
            belowSquares += b * b;
            equalSquares += e * e;
            mixed += b * e;
        }
        const std::int64_t below = classes.belowHands;
        const std::int64_t equal = classes.equalHands;
        alone += below * below - belowSquares + below;
        twoWay += 2 * (equal * below - mixed);
        threeWay += equal * equal - equalSquares + equal;
    }
    const std::int64_t total = kOrderedPairs * completions.count();
    const auto share = static_cast<double>(total);
    result.samples = total;
    result.win = static_cast<double>(alone) / share;
    result.tie = static_cast<double>(twoWay + threeWay) / share;
    // In sixths: 6 for a pot won alone, 3 for half of one, 2 for a third.
    result.equity = static_cast<double>(6 * alone + 3 * twoWay + 2 * threeWay) / (6 * share);
    return result;
}

} // namespace tallowby
