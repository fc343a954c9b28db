// SPDX-License-Identifier: GPL-3.0-or-later
// Equity by exact count (heads-up), by table (pre-flop), the plain simulation, and the choice
// of method per stage.
//
// Both counts build the board's rank state and suit masks once per board and rate each
// opponent hand with two more rank-table steps. The exact count goes further: for a given board
// every opponent hand that cannot make a flush rates by its two ranks alone, so the 990 or so
// hands collapse into at most 91 rank classes, each weighted by the number of hands behind it;
// only the hands that do complete a flush with the board are rated one by one.
#include "equity.h"

#include "equitydetail.h"
#include "odds.h"
#include "preflopequity.h"
#include "ranktables.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace tallowby {

using namespace equitydetail;

namespace {

constexpr int kCheckEvery = 1024; // deals, or boards, between looks at the cancel flag

using RankCounts = std::array<int, 14>; // cards per rank value 1..13

bool validHand(const EquityHand &hand)
{
    if (hand.boardCount != 0 && (hand.boardCount < 3 || hand.boardCount > 5))
        return false;
    std::uint64_t seen = 0;
    const auto take = [&seen](int card) {
        if (card < 1 || card > kCardCount || (seen & cardBit(card)) != 0)
            return false;
        seen |= cardBit(card);
        return true;
    };
    return take(hand.hole[0]) && take(hand.hole[1]) &&
           std::all_of(hand.board.begin(), hand.board.begin() + hand.boardCount, take);
}

// Counts every completion of the board and every opponent hand from the remaining cards.
class HeadsUpCount
{
public:
    HeadsUpCount(const EquityHand &hand, const std::atomic<bool> *cancel)
        : ranks_(RankTable::instance()), suits_(SuitTable::instance()), cancel_(cancel)
    {
        heroValues_ = {cardValue(hand.hole[0]), cardValue(hand.hole[1])};
        for (const int card : hand.hole)
            heroMasks_[cardSuit(card)] |= rankBit(cardValue(card));
        const std::uint64_t known = knownCards(hand);
        for (int card = 1; card <= kCardCount; ++card)
            if ((known & cardBit(card)) == 0) {
                unseen_[unseenCount_++] = card;
                ++available_[cardValue(card)];
            }
        board_ = boardStateOf(hand);
        missing_ = 5 - hand.boardCount;
        remaining_ = ~known & ((std::uint64_t{1} << kCardCount) - 1);
    }

    EquityResult run()
    {
        stopped_ = cancelled(cancel_);
        extend(missing_, 0, board_, available_, remaining_);
        EquityResult result;
        result.method = EquityResult::Method::Exact;
        result.exact = true;
        result.cancelled = stopped_;
        result.samples = total_;
        result.boards = static_cast<int>(boards_);
        if (total_ > 0) {
            const auto total = static_cast<double>(total_);
            result.win = static_cast<double>(wins_) / total;
            result.tie = static_cast<double>(ties_) / total;
            result.equity = (static_cast<double>(wins_) + static_cast<double>(ties_) / 2) / total;
        }
        return result;
    }

private:
    // Adds `left` more board cards taken from unseen_[from..], in increasing order.
    void extend(int left, int from, const CardsState &board, const RankCounts &available,
                std::uint64_t remaining)
    {
        if (left == 0) {
            showdowns(board, available, remaining);
            return;
        }
        for (int i = from; i + left <= unseenCount_ && !stopped_; ++i) {
            const int card = unseen_[i];
            CardsState grown = board;
            grown.add(ranks_, card);
            RankCounts fewer = available;
            --fewer[cardValue(card)];
            extend(left - 1, i + 1, grown, fewer, remaining & ~cardBit(card));
        }
    }

    void tally(int opponent, std::int64_t hands)
    {
        total_ += hands;
        if (hero_ > opponent)
            wins_ += hands;
        else if (hero_ == opponent)
            ties_ += hands;
    }

    // Every opponent hand against one complete board.
    void showdowns(const CardsState &board, const RankCounts &available, std::uint64_t remaining)
    {
        if (++boards_ % kCheckEvery == 0 && cancelled(cancel_)) {
            stopped_ = true;
            return;
        }
        const int b = board.ranks;
        hero_ = ranks_.bestAfter(ranks_.next(b, heroValues_[0]), heroValues_[1]);
        const int flushSuit = board.flushSuit();
        const int suitedOnBoard = flushSuit >= 0 ? board.counts[flushSuit] : 0;
        const unsigned boardMask = flushSuit >= 0 ? board.masks[flushSuit] : 0;
        const unsigned suited = flushSuit >= 0 ? suitRanks(remaining, flushSuit) : 0;
        if (flushSuit >= 0)
            hero_ = std::max(hero_, suitRating(suits_, boardMask | heroMasks_[flushSuit]));

        // Hands that make no flush of their own rate by their ranks (and a flush on the board).
        // With three suited board cards those are all but the two-suited hands; with four or
        // five, the hands without a card of the suit.
        RankCounts plain = available;
        if (suitedOnBoard >= 4)
            for (unsigned m = suited; m != 0; m &= m - 1)
                --plain[std::countr_zero(m) + 1];
        const int floor = suitedOnBoard == 5 ? suitRating(suits_, boardMask) : 0;
        for (int v1 = 1; v1 <= 13; ++v1) {
            const std::int64_t a1 = plain[v1];
            if (a1 == 0)
                continue;
            const std::int32_t *row = ranks_.bestAfterRow(ranks_.next(b, v1));
            if (a1 >= 2)
                tally(std::max(row[v1 - 1], floor), a1 * (a1 - 1) / 2);
            const bool suited1 = suitedOnBoard == 3 && (suited & rankBit(v1)) != 0;
            for (int v2 = v1 + 1; v2 <= 13; ++v2) {
                std::int64_t hands = a1 * plain[v2];
                if (suited1 && (suited & rankBit(v2)) != 0)
                    --hands;
                if (hands > 0)
                    tally(std::max(row[v2 - 1], floor), hands);
            }
        }
        if (suitedOnBoard < 3)
            return;

        // Hands with two cards of the suit, then (four or five on the board) with one.
        for (unsigned m1 = suited; m1 != 0; m1 &= m1 - 1) {
            const int v1 = std::countr_zero(m1) + 1;
            const std::int32_t *row = ranks_.bestAfterRow(ranks_.next(b, v1));
            for (unsigned m2 = m1 & (m1 - 1); m2 != 0; m2 &= m2 - 1) {
                const int v2 = std::countr_zero(m2) + 1;
                tally(std::max(row[v2 - 1],
                               suitRating(suits_, boardMask | rankBit(v1) | rankBit(v2))),
                      1);
            }
            if (suitedOnBoard < 4)
                continue;
            const int withOne = suitRating(suits_, boardMask | rankBit(v1));
            for (int v2 = 1; v2 <= 13; ++v2)
                if (plain[v2] > 0)
                    tally(std::max(row[v2 - 1], withOne), plain[v2]);
        }
    }

    const RankTable &ranks_;
    const SuitTable &suits_;
    const std::atomic<bool> *cancel_;
    std::array<int, 2> heroValues_{};
    std::array<unsigned, 4> heroMasks_{};
    std::array<int, kCardCount> unseen_{};
    int unseenCount_ = 0;
    RankCounts available_{};
    CardsState board_;
    int missing_ = 0;
    std::uint64_t remaining_ = 0;

    int hero_ = 0;
    std::int64_t boards_ = 0;
    std::int64_t total_ = 0;
    std::int64_t wins_ = 0;
    std::int64_t ties_ = 0;
    bool stopped_ = false;
};

std::string samplesText(const EquityResult &result)
{
    if (result.exact && result.samples == 0)
        return "exact, every deal ends alike";
    if (result.exact)
        return "exact, " + std::to_string(result.samples) + " showdowns";
    std::string text = "simulated, " + std::to_string(result.samples) + " deals";
    if (result.boards > 1)
        text += " over all " + std::to_string(result.boards) + " board completions";
    return text + ", \u00B1" + numberText(marginPercent(result)) + " % at 95 %";
}

} // namespace

std::optional<EquityHand> equityHandOf(const HandState &hand)
{
    if (stageOf(hand) == Stage::None)
        return std::nullopt;
    EquityHand cards;
    cards.hole = {hand.Slots[H1].Index, hand.Slots[H2].Index};
    for (int slot = F1; slot <= Rr; ++slot)
        if (hand.filled(slot))
            cards.board[cards.boardCount++] = hand.Slots[slot].Index;
    return cards;
}

EquityResult exactHeadsUpEquity(const EquityHand &hand, const std::atomic<bool> *cancel)
{
    return HeadsUpCount(hand, cancel).run();
}

std::uint64_t equitySeed(const EquityHand &hand, int opponents)
{
    std::array<int, 2> hole = hand.hole;
    std::array<int, 5> board = hand.board;
    std::sort(hole.begin(), hole.end());
    // Insertion sort of the known board cards (std::sort here trips a false array-bounds
    // warning of g++ 12).
    const int known = std::clamp(hand.boardCount, 0, 5);
    for (int i = 1; i < known; ++i)
        for (int k = i; k > 0 && board[k - 1] > board[k]; --k)
            std::swap(board[k - 1], board[k]);
    std::uint64_t seed = mix(0x7A11B7ull + static_cast<std::uint64_t>(opponents));
    for (const int card : hole)
        seed = mix(seed ^ static_cast<std::uint64_t>(card));
    for (int k = 0; k < hand.boardCount; ++k)
        seed = mix(seed ^ (static_cast<std::uint64_t>(board[k]) << 8));
    return seed;
}

EquityResult simulateEquityPlain(const EquityHand &hand, int opponents,
                                 const std::atomic<bool> *cancel, const SimulationLimits &limits)
{
    const RankTable &ranks = RankTable::instance();
    const SuitTable &suits = SuitTable::instance();
    const std::uint64_t known = knownCards(hand);
    std::array<int, kCardCount> deck{};
    int deckSize = 0;
    for (int card = 1; card <= kCardCount; ++card)
        if ((known & cardBit(card)) == 0)
            deck[deckSize++] = card;
    const CardsState knownBoard = boardStateOf(hand);
    const int missing = 5 - hand.boardCount;
    const int dealt = missing + 2 * opponents;
    const int hero1 = hand.hole[0];
    const int hero2 = hand.hole[1];
    Random random(limits.seed != 0 ? limits.seed : equitySeed(hand, opponents));

    EquityResult result;
    result.method = EquityResult::Method::Simulated;
    result.exact = false;
    std::int64_t deals = 0;
    // Deals by outcome: splits[k] pots shared k ways (k = 1 won alone), splits[0] lost. The
    // share of a k-way split is kShareUnit / k units, a whole number.
    std::array<std::int64_t, kMaxOpponents + 2> splits{};
    const auto shareUnits = [&] {
        std::int64_t units = 0;
        for (int k = 1; k < static_cast<int>(splits.size()); ++k)
            units += splits[k] * (kShareUnit / k);
        return units;
    };
    const auto margin = [&] {
        if (deals < 2)
            return 1.0;
        const double n = static_cast<double>(deals);
        const double mean = static_cast<double>(shareUnits()) / n;
        double squares = static_cast<double>(splits[0]) * mean * mean;
        for (int k = 1; k < static_cast<int>(splits.size()); ++k) {
            const double off = kShareUnit / k - mean;
            squares += static_cast<double>(splits[k]) * off * off;
        }
        return kZ95 * std::sqrt(squares / (n - 1) / n) / kShareUnit;
    };

    while (deals < limits.maxDeals) {
        // A partial shuffle deals the missing board cards, then two cards per opponent.
        for (int i = 0; i < dealt; ++i)
            std::swap(deck[i], deck[i + random.below(deckSize - i)]);
        CardsState board = knownBoard;
        for (int i = 0; i < missing; ++i)
            board.add(ranks, deck[i]);
        const int flushSuit = board.flushSuit();
        const auto rate = [&](int c1, int c2) {
            int rating = ranks.bestAfter(ranks.next(board.ranks, cardValue(c1)), cardValue(c2));
            if (flushSuit >= 0) {
                unsigned mask = board.masks[flushSuit];
                if (cardSuit(c1) == flushSuit)
                    mask |= rankBit(cardValue(c1));
                if (cardSuit(c2) == flushSuit)
                    mask |= rankBit(cardValue(c2));
                rating = std::max(rating, suitRating(suits, mask));
            }
            return rating;
        };
        const int hero = rate(hero1, hero2);
        int tiedWith = 0;
        bool beaten = false;
        for (int o = 0; o < opponents && !beaten; ++o) {
            const int opponent = rate(deck[missing + 2 * o], deck[missing + 2 * o + 1]);
            beaten = opponent > hero;
            tiedWith += opponent == hero;
        }
        ++splits[beaten ? 0 : tiedWith + 1];
        ++deals;
        if (deals % kCheckEvery == 0) {
            if (cancelled(cancel)) {
                result.cancelled = true;
                break;
            }
            if (deals >= limits.minDeals && margin() <= limits.targetMargin95)
                break;
        }
    }

    result.samples = deals;
    if (deals > 0) {
        const double n = static_cast<double>(deals);
        result.equity = static_cast<double>(shareUnits()) / (double{kShareUnit} * n);
        result.win = static_cast<double>(splits[1]) / n;
        result.tie = static_cast<double>(deals - splits[0] - splits[1]) / n;
        result.margin95 = margin();
    }
    return result;
}

std::optional<EquityResult> computeEquity(const EquityHand &hand, int activePlayers,
                                          const std::atomic<bool> *cancel,
                                          const PreflopEquityTable *table,
                                          const SimulationLimits &limits,
                                          const EquityProgress &progress)
{
    if (!validHand(hand) || activePlayers < 2 || activePlayers > kMaxOpponents + 1)
        return std::nullopt;
    const int opponents = activePlayers - 1;
    if (hand.boardCount == 0 && table != nullptr) {
        const PreflopEquityTable::Entry &entry =
            table->entry(startingHandClass(hand.hole[0], hand.hole[1]), opponents);
        EquityResult result;
        result.method = EquityResult::Method::Table;
        result.equity = entry.equity;
        result.win = entry.win;
        result.tie = entry.tie;
        result.exact = entry.exact;
        result.samples = entry.samples;
        result.margin95 = kZ95 * entry.standardError;
        return result;
    }
    if (hand.boardCount > 0 && opponents == 1)
        return exactHeadsUpEquity(hand, cancel);
    if (hand.boardCount > 0 && opponents == 2)
        return exactThreeWayEquity(hand, cancel);
    return simulateEquity(hand, opponents, cancel, limits, progress);
}

std::optional<EquityResult> computeEquity(const HandState &hand, int activePlayers,
                                          const std::atomic<bool> *cancel,
                                          const PreflopEquityTable *table,
                                          const SimulationLimits &limits,
                                          const EquityProgress &progress)
{
    const auto cards = equityHandOf(hand);
    if (!cards)
        return std::nullopt;
    return computeEquity(*cards, activePlayers, cancel, table, limits, progress);
}

double marginPercent(const EquityResult &result)
{
    if (result.exact)
        return 0;
    // The small allowance keeps a margin of exactly 0.05 from rounding up to 0.06.
    return std::max(0.01, std::ceil(result.margin95 * 1e4 - 1e-6) / 100);
}

std::string equityMethodText(const EquityResult &result)
{
    if (result.method == EquityResult::Method::Table)
        return "pre-flop table, " + samplesText(result);
    return samplesText(result);
}

} // namespace tallowby
