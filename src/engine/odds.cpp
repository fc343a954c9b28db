// SPDX-License-Identifier: GPL-3.0-or-later
// The odds analysis. The opponents' hands are counted by rank class: every set of unseen cards
// with the same ranks rates the same in every rule but flush and straight flush, so each rank
// multiset is rated once and weighted by the number of card sets behind it; the sets that make
// a flush are then counted through the suit tables. The player's pre-flop flops are counted the
// same way. Ordered enumeration counts each unordered set 3! or 2! times, and so do we.
#include "odds.h"

#include "evaluate.h"
#include "ownhits.h"
#include "ranktables.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace tallowby {

namespace {

constexpr std::array<int, 5> kBoardSlots = {F1, F2, F3, Tn, Rr};

std::int64_t choose(int n, int k)
{
    if (k < 0 || n < k)
        return 0;
    std::int64_t result = 1;
    for (int i = 0; i < k; ++i)
        result = result * (n - i) / (i + 1);
    return result;
}

// How many unseen cards of each rank value 1..13 remain.
using RankCounts = std::array<int, 14>;

// Calls visit(state, weight) for every multiset of `size` (0..3) ranks drawn from `available`,
// starting from `state`; weight is the number of card sets with those ranks.
template <typename Visit>
void forEachRankMultiset(const RankTable &ranks, const RankCounts &available, int size, int state,
                         Visit &&visit)
{
    const auto pairs = [](std::int64_t n) {
        return n * (n - 1) / 2;
    };
    const auto triples = [](std::int64_t n) {
        return n * (n - 1) * (n - 2) / 6;
    };
    if (size == 0) {
        visit(state, std::int64_t{1});
        return;
    }
    for (int v1 = 1; v1 <= 13; ++v1) {
        const std::int64_t a1 = available[v1];
        if (a1 == 0)
            continue;
        const int s1 = ranks.next(state, v1);
        if (size == 1) {
            visit(s1, a1);
            continue;
        }
        if (a1 >= 2) {
            const int s11 = ranks.next(s1, v1);
            if (size == 2)
                visit(s11, pairs(a1));
            else {
                if (a1 >= 3)
                    visit(ranks.next(s11, v1), triples(a1));
                for (int v2 = v1 + 1; v2 <= 13; ++v2)
                    if (available[v2] > 0)
                        visit(ranks.next(s11, v2), pairs(a1) * available[v2]);
            }
        }
        for (int v2 = v1 + 1; v2 <= 13; ++v2) {
            const std::int64_t a2 = available[v2];
            if (a2 == 0)
                continue;
            const int s12 = ranks.next(s1, v2);
            if (size == 2) {
                visit(s12, a1 * a2);
                continue;
            }
            if (a2 >= 2)
                visit(ranks.next(s12, v2), a1 * pairs(a2));
            for (int v3 = v2 + 1; v3 <= 13; ++v3)
                if (available[v3] > 0)
                    visit(ranks.next(s12, v3), a1 * a2 * available[v3]);
        }
    }
}

// A list of at most 52 numbers (cards or rank values) that allocates nothing.
class SmallList
{
public:
    void push_back(int item) { items_[size_++] = item; }
    void pop_back() { --size_; }
    int size() const { return size_; }
    int operator[](int i) const { return items_[i]; }
    const int *begin() const { return items_.data(); }
    const int *end() const { return items_.data() + size_; }

private:
    std::array<int, kCardCount> items_{};
    int size_ = 0;
};

// Calls visit(chosen values) for every k-subset of `values`.
template <typename Visit> void forEachSubset(const SmallList &values, int k, Visit &&visit)
{
    SmallList chosen;
    const auto extend = [&](const auto &self, int from) -> void {
        if (chosen.size() == k) {
            visit(chosen);
            return;
        }
        for (int i = from; i < values.size(); ++i) {
            chosen.push_back(values[i]);
            self(self, i + 1);
            chosen.pop_back();
        }
    };
    extend(extend, 0);
}

SmallList unseenCards(const HandState &hand)
{
    SmallList cards;
    for (int i = 1; i <= kCardCount; ++i)
        if (hand.Deck[i].Live == 1)
            cards.push_back(i);
    return cards;
}

RankCounts unseenByRank(const HandState &hand)
{
    RankCounts counts{};
    for (int i = 1; i <= kCardCount; ++i)
        if (hand.Deck[i].Live == 1)
            ++counts[cardValue(i)];
    return counts;
}

TCard withIndex(const TCard &card, int index)
{
    TCard copy = card;
    copy.Index = index;
    return copy;
}

// The seven slots as an evaluation hand, with `extra` in place of slot `extraSlot`.
EvalCards slotsHand(const HandState &hand, int extraSlot = 0, int extra = 0)
{
    EvalCards cards{};
    for (int k = 1; k <= kSlotCount; ++k)
        cards[k - 1] =
            k == extraSlot ? makeCard(extra) : withIndex(hand.Slots[k], hand.Slots[k].Index);
    return cards;
}

// On the flop and the turn the player's candidates are each unseen card in the next slot; on
// the river the slots themselves.
int countOwnNextCard(HandState &hand, Stage stage)
{
    if (stage == Stage::River) {
        EvalCards cards = slotsHand(hand);
        CountOwnHits(cards, hand, hand.HandStats);
        return 1;
    }
    const int slot = stage == Stage::Flop ? Tn : Rr;
    int boards = 0;
    for (const int card : unseenCards(hand)) {
        EvalCards cards = slotsHand(hand, slot, card);
        CountOwnHits(cards, hand, hand.HandStats);
        ++boards;
    }
    return boards;
}

SmallList unseenWhere(const HandState &hand, auto &&keep)
{
    SmallList cards;
    for (const int card : unseenCards(hand))
        if (keep(cardValue(card)))
            cards.push_back(card);
    return cards;
}

// Cards that one flop card completes a category with, each needing the other two flop cards
// to come from `others`.
struct NeedSource
{
    SmallList cards;
    SmallList others;
};

// The Need text listing the cards in the order in which the ordered (F1, F2, F3) enumeration
// first meets each of them: a card first shows in the smallest triple {card, a1, a2}, a1 and
// a2 the two lowest cards of its `others`.
std::string needInDiscoveryOrder(std::initializer_list<NeedSource> sources)
{
    std::vector<std::pair<std::array<int, 3>, int>> firstSeen;
    for (const NeedSource &source : sources)
        for (const int card : source.cards) {
            std::array<int, 3> triple{card, source.others[0], source.others[1]};
            std::sort(triple.begin(), triple.end());
            firstSeen.emplace_back(triple, card);
        }
    std::sort(firstSeen.begin(), firstSeen.end());
    std::string need = " ";
    for (const auto &[triple, card] : firstSeen)
        need += cardCode(card) + " ";
    return need;
}

// Pre-flop only one pair and three of a kind can be completed by a single flop card beside the
// hole cards. A card of the lower hole rank is needed when it is the only flop card of its
// rank; a card of the higher rank when it is the only one of its rank and the lower rank does
// not pair, since the last pair window decides. With a pocket pair, the one flop card of its
// rank completes both.
void preFlopNeeds(HandState &hand)
{
    const int high = std::max(hand.Slots[H1].Value, hand.Slots[H2].Value);
    const int low = std::min(hand.Slots[H1].Value, hand.Slots[H2].Value);
    auto &stats = hand.HandStats;
    const auto ofRank = [&](int rank) {
        return unseenWhere(hand, [&](int v) { return v == rank; });
    };
    if (high == low) {
        const auto others = unseenWhere(hand, [&](int v) { return v != high; });
        stats[OnePair - 1].Need = stats[ThreeKind - 1].Need =
            needInDiscoveryOrder({{ofRank(high), others}});
        return;
    }
    stats[OnePair - 1].Need = needInDiscoveryOrder(
        {{ofRank(low), unseenWhere(hand, [&](int v) { return v != low; })},
         {ofRank(high), unseenWhere(hand, [&](int v) { return v != low && v != high; })}});
}

int countOwnPreFlop(HandState &hand)
{
    const RankTable &ranks = RankTable::instance();
    const SuitTable &suits = SuitTable::instance();
    const TCard &hole1 = hand.Slots[H1];
    const TCard &hole2 = hand.Slots[H2];
    const int holeState = ranks.next(ranks.next(RankTable::kEmpty, hole1.Value), hole2.Value);
    std::array<std::int64_t, kStatsCount> hits{};

    forEachRankMultiset(ranks, unseenByRank(hand), 3, holeState,
                        [&](int state, std::int64_t weight) {
                            const bool pairsHole = ranks.count(state, hole1.Value) >= 2 ||
                                                   ranks.count(state, hole2.Value) >= 2;
                            const bool tripsHole = ranks.count(state, hole1.Value) >= 3 ||
                                                   ranks.count(state, hole2.Value) >= 3;
                            if (pairsHole)
                                hits[OnePair - 1] += weight;
                            if (pairsHole && ranks.rating(state, TwoPair) > 0)
                                hits[TwoPair - 1] += weight;
                            if (tripsHole)
                                hits[ThreeKind - 1] += weight;
                            for (const int c : {Straight, FullHouse, FourKind})
                                if (ranks.rating(state, c) > 0)
                                    hits[c - 1] += weight;
                        });

    // Five cards make a flush only with suited hole cards and a flop of their suit.
    if (hole1.Suit == hole2.Suit) {
        const int suit = cardSuit(hole1.Index);
        const unsigned holeMask = (1u << (hole1.Value - 1)) | (1u << (hole2.Value - 1));
        SmallList values;
        for (int v = 1; v <= 13; ++v)
            if (hand.Deck[cardIndex(v, suit)].Live == 1)
                values.push_back(v);
        forEachSubset(values, 3, [&](const SmallList &flop) {
            unsigned mask = holeMask;
            for (const int v : flop)
                mask |= 1u << (v - 1);
            ++hits[Flush - 1];
            if (suits.straightFlush(mask) > 0)
                ++hits[StraightFlush - 1];
        });
    }

    for (int i = 0; i < kStatsCount; ++i)
        hand.HandStats[i].YouHits = static_cast<std::int32_t>(hits[i] * 6);
    preFlopNeeds(hand);
    const int unseen = hand.UnseenCount();
    return unseen * (unseen - 1) * (unseen - 2);
}

// Opponents hold the known board and `draw` unseen cards (hole cards, and the next board card
// on the flop and the turn).
void countOpponents(HandState &hand, int boardCount, int draw, AnalysisCounts &counts)
{
    const RankTable &ranks = RankTable::instance();
    const SuitTable &suits = SuitTable::instance();
    std::array<int, kCategoryCount> threshold{};
    for (int c = OnePair; c <= StraightFlush; ++c)
        threshold[c] = hand.HandStats[c - 1].Threshold;
    const int own = counts.ownRating;

    int boardState = RankTable::kEmpty;
    std::array<unsigned, 4> boardMask{};
    for (int i = 0; i < boardCount; ++i) {
        const TCard &card = hand.Slots[kBoardSlots[i]];
        boardState = ranks.next(boardState, card.Value);
        boardMask[cardSuit(card.Index)] |= 1u << (card.Value - 1);
    }
    const RankCounts available = unseenByRank(hand);

    std::array<std::int64_t, kCategoryCount> higher{};
    std::int64_t beaten = 0;
    forEachRankMultiset(ranks, available, draw, boardState, [&](int state, std::int64_t weight) {
        for (const int c : {OnePair, TwoPair, ThreeKind, Straight, FullHouse, FourKind})
            if (ranks.rating(state, c) > threshold[c])
                higher[c] += weight;
        if (ranks.best(state) > own)
            beaten += weight;
    });

    // Sets that give a suit five cards: flush and straight flush come from that suit's ranks;
    // such a set beats the player through its flush where its ranks alone would not.
    for (int suit = 0; suit < 4; ++suit) {
        const int missing = 5 - std::popcount(boardMask[suit]);
        if (missing > draw)
            continue;
        SmallList suitValues;
        RankCounts otherSuits = available;
        for (int v = 1; v <= 13; ++v)
            if (hand.Deck[cardIndex(v, suit)].Live == 1) {
                suitValues.push_back(v);
                --otherSuits[v];
            }
        int otherCount = 0;
        for (int v = 1; v <= 13; ++v)
            otherCount += otherSuits[v];
        for (int k = std::max(missing, 0); k <= draw; ++k) {
            const std::int64_t completions = choose(otherCount, draw - k);
            forEachSubset(suitValues, k, [&](const SmallList &chosen) {
                unsigned mask = boardMask[suit];
                int state = boardState;
                for (const int v : chosen) {
                    mask |= 1u << (v - 1);
                    state = ranks.next(state, v);
                }
                const int flush = suits.flush(mask);
                const int straightFlush = suits.straightFlush(mask);
                if (flush > threshold[Flush])
                    higher[Flush] += completions;
                if (straightFlush > threshold[StraightFlush])
                    higher[StraightFlush] += completions;
                if (std::max(flush, straightFlush) > own)
                    forEachRankMultiset(ranks, otherSuits, draw - k, state,
                                        [&](int full, std::int64_t weight) {
                                            if (ranks.best(full) <= own)
                                                beaten += weight;
                                        });
            });
        }
    }

    const int orderings = draw == 3 ? 6 : 2;
    for (int c = OnePair; c <= StraightFlush; ++c)
        hand.HandStats[c - 1].HigherHits = static_cast<std::int32_t>(higher[c] * orderings);
    counts.beaten = static_cast<int>(beaten * orderings);
    const int unseen = hand.UnseenCount();
    counts.opponentHands = draw == 3 ? unseen * (unseen - 1) * (unseen - 2) : unseen * (unseen - 1);
}

// x raised to a whole exponent by repeated squaring.
double wholePower(double x, int exponent)
{
    double result = 1.0;
    double base = x;
    for (int e = exponent; e > 0; e >>= 1) {
        if (e & 1)
            result *= base;
        base *= base;
    }
    return result;
}

} // namespace

Stage stageOf(const HandState &hand)
{
    if (!hand.filled(H1) || !hand.filled(H2))
        return Stage::None;
    const bool flop = hand.filled(F1) && hand.filled(F2) && hand.filled(F3);
    const bool noFlop = !hand.filled(F1) && !hand.filled(F2) && !hand.filled(F3);
    const bool turn = hand.filled(Tn);
    const bool river = hand.filled(Rr);
    if (noFlop && !turn && !river)
        return Stage::PreFlop;
    if (flop && !turn && !river)
        return Stage::Flop;
    if (flop && turn && !river)
        return Stage::Turn;
    if (flop && turn && river)
        return Stage::River;
    return Stage::None;
}

const char *stageHeader(Stage stage)
{
    switch (stage) {
    case Stage::PreFlop:
        return "Flop %";
    case Stage::Flop:
        return "Turn %";
    case Stage::Turn:
        return "River %";
    case Stage::River:
        return "You %";
    default:
        return "";
    }
}

void ResetHandStats(HandState &hand)
{
    if (!hand.filled(H1) || !hand.filled(H2))
        return;
    for (int c = OnePair; c <= StraightFlush; ++c) {
        THandStats &record = hand.HandStats[c - 1];
        record = THandStats{};
        record.Need.assign(1, ' ');
        record.Name = categoryLabel(c);
        record.Threshold = c * kCategoryUnit;
    }
}

AnalysisCounts enumerateStage(HandState &hand)
{
    AnalysisCounts counts;
    ResetHandStats(hand);
    if (hand.filled(H1) && hand.filled(H2) && hand.filled(F1) && hand.filled(F2) &&
        hand.filled(F3)) {
        hand.LoadEvalHandFromSlots();
        counts.ownRating = EvaluateAndDescribe(hand.EvalHand, hand.HandStats);
    }
    counts.stage = stageOf(hand);
    switch (counts.stage) {
    case Stage::PreFlop:
        counts.ownBoards = countOwnPreFlop(hand);
        break;
    case Stage::Flop:
        counts.ownBoards = countOwnNextCard(hand, Stage::Flop);
        countOpponents(hand, 3, 3, counts);
        break;
    case Stage::Turn:
        counts.ownBoards = countOwnNextCard(hand, Stage::Turn);
        countOpponents(hand, 4, 3, counts);
        break;
    case Stage::River:
        counts.ownBoards = countOwnNextCard(hand, Stage::River);
        countOpponents(hand, 5, 2, counts);
        break;
    case Stage::None:
        break;
    }
    return counts;
}

std::optional<double> storePercentages(StatsRecords &stats, const AnalysisCounts &counts,
                                       int players)
{
    std::optional<double> win;
    const int opponents = players - 1;
    for (THandStats &record : stats) {
        if (counts.opponentHands >= 1) {
            const double hands = counts.opponentHands;
            record.HigherPct =
                twoDecimals((1 - wholePower((hands - record.HigherHits) / hands, opponents)) * 100);
            win = oneDecimal(100 -
                             (1 - wholePower((hands - counts.beaten) / hands, opponents)) * 100);
        } else {
            record.HigherPct = -1;
        }
        record.YouPct =
            counts.ownBoards >= 1
                ? twoDecimals(static_cast<double>(record.YouHits * 100) / counts.ownBoards)
                : 0;
        if (record.YouPct == 100)
            record.Need.assign(1, ' ');
    }
    return win;
}

double twoDecimals(double x)
{
    return std::trunc(x / 0.01 + 0.5) * 0.01;
}

double oneDecimal(double x)
{
    return std::trunc(x / 0.1 + 0.5) * 0.1;
}

std::string numberText(double value, char decimalSeparator)
{
    if (value == 0)
        return "0";
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    std::string result = text;
    if (result.find('e') != std::string::npos) {
        std::snprintf(text, sizeof text, "%.15f", value);
        result = text;
        result.erase(result.find_last_not_of('0') + 1);
        if (result.back() == '.')
            result.pop_back();
    }
    std::replace(result.begin(), result.end(), '.', decimalSeparator);
    return result;
}

double hitPercent(int unseen, int outs, bool flopStarted)
{
    const double u = unseen;
    const double o = outs;
    if (flopStarted)
        return oneDecimal(o / u * 100);
    return oneDecimal((1 - (u - o) / u * (u - o - 1) / (u - 1) * (u - o - 2) / (u - 2)) * 100);
}

bool analyzeHand(HandState &hand, HandOddsGrid &grid, Readouts &readouts, char decimalSeparator,
                 const AnalysisHooks &hooks)
{
    readouts.win = "??";
    const AnalysisCounts counts = enumerateStage(hand);
    if (counts.stage != Stage::None)
        grid.setCell(2, 0, stageHeader(counts.stage));

    int players = 0;
    if (counts.opponentHands >= 1) {
        const std::optional<int> active =
            hooks.activePlayers ? hooks.activePlayers() : std::nullopt;
        if (!active)
            return false;
        players = *active;
    }
    if (const auto win = storePercentages(hand.HandStats, counts, players))
        readouts.win = numberText(*win, decimalSeparator);

    FillHandOddsGrid(hand, grid, decimalSeparator);
    if (hooks.updateRecommendation)
        hooks.updateRecommendation();

    const int outs = CountOuts(grid);
    readouts.outs = std::to_string(outs);
    const bool flopStarted = hand.filled(F1) || hand.filled(F2) || hand.filled(F3);
    readouts.hit = numberText(hitPercent(hand.UnseenCount(), outs, flopStarted), decimalSeparator);
    return true;
}

} // namespace tallowby
