// SPDX-License-Identifier: GPL-3.0-or-later
// The multiway simulation: every way to complete the board is a stratum of its own that gets the
// same number of deals, so the luck of the board cards costs no sampling error; only the
// opponents' hands are drawn. On each board the 990 opponent hands are classed once against the
// player; a deal then draws all opponents but the last and counts the last one exactly, from the
// hands that hold none of the cards dealt.
//
// The same hand always gives the same figure, whatever the number of threads and their timing:
// the deals come in rounds; a round gives every stratum the same number of deals, cut into
// chunks of fixed size, each chunk with a seed of its own made from the hand's seed, the round,
// the stratum and the chunk; the sums are whole numbers added in stratum and chunk order; and the
// stopping rule and the size of the next round look only at whole rounds.
#include "boardclasses.h"
#include "equitydetail.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace tallowby {

using namespace equitydetail;

namespace {

constexpr int kChunkDeals = 4096;
constexpr std::int64_t kFirstRound = 32'768;
constexpr std::int64_t kLargestRound = std::int64_t{1} << 28; // keeps chunk numbers in an int

// The deals of one chunk, or of one stratum over the rounds. A deal's value is the player's
// share in units of 1 / (kShareUnit · denominator); wins and ties count in 1 / denominator.
struct Tally
{
    std::int64_t deals = 0;
    std::int64_t sum = 0;
    double squares = 0;
    std::int64_t wins = 0;
    std::int64_t ties = 0;

    void add(const Tally &other)
    {
        deals += other.deals;
        sum += other.sum;
        squares += other.squares;
        wins += other.wins;
        ties += other.ties;
    }
};

// The outcome of a stratum that no deal can change.
struct Settled
{
    double equity = 0;
    double win = 0;
    double tie = 0;
};

// What the rounds deal from: a number of strata of equal weight.
class Dealer
{
public:
    virtual ~Dealer() = default;
    virtual int strata() const = 0;
    // Board completions behind the strata; 0 when the board is dealt as well.
    virtual int boards() const = 0;
    virtual std::optional<Settled> settled(int stratum) const = 0;
    virtual std::int64_t denominator() const = 0;
    // Adds `deals` deals on the stratum to `tally`.
    virtual void deal(int stratum, Random &random, int deals, Tally &tally) const = 0;
};

int threadCount(int wanted)
{
    if (wanted > 0)
        return wanted;
    return std::max(1u, std::thread::hardware_concurrency());
}

// Runs work(item) for item 0..items - 1 on `threads` threads, the caller's among them.
template <typename Work> void forEachItem(int threads, int items, const Work &work)
{
    std::atomic<int> next{0};
    const auto run = [&] {
        for (int item = next++; item < items; item = next++)
            work(item);
    };
    std::vector<std::thread> helpers;
    const int extra = std::min(threads, items) - 1;
    for (int t = 0; t < extra; ++t)
        helpers.emplace_back(run);
    run();
    for (std::thread &helper : helpers)
        helper.join();
}

// A deal on one board: all opponents but the last drawn, the last one counted over the hands
// that hold none of their cards. Its hot loop counts bits, so it is built twice on x86-64, once
// for processors with a popcount instruction.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define TALLOWBY_POPCOUNT_CLONES __attribute__((target_clones("popcnt", "default")))
#else
#define TALLOWBY_POPCOUNT_CLONES
#endif

TALLOWBY_POPCOUNT_CLONES
void dealOnBoard(const BoardClasses &c, int dealt, Random &random, int deals, Tally &tally)
{
    // A partial shuffle; one random word draws both cards of a hand.
    std::array<std::uint8_t, kLeftCards> deck{};
    for (int i = 0; i < kLeftCards; ++i)
        deck[i] = static_cast<std::uint8_t>(i);
    const auto place = [](std::uint64_t half, int choices) {
        return static_cast<int>(((half & 0xFFFFFFFFu) * static_cast<std::uint64_t>(choices)) >> 32);
    };
    // Summed here, not in `tally`: the tallies of neighbouring chunks share cache lines.
    std::int64_t sum = 0;
    std::int64_t squares = 0;
    std::int64_t wins = 0;
    std::int64_t shared = 0;
    for (int d = 0; d < deals; ++d) {
        int ties = 0;
        bool beaten = false;
        std::uint64_t held = 0;
        for (int p = 0; p < dealt; p += 2) {
            const std::uint64_t word = random.next();
            std::swap(deck[p], deck[p + place(word, kLeftCards - p)]);
            std::swap(deck[p + 1], deck[p + 1 + place(word >> 32, kLeftCards - p - 1)]);
            const std::uint64_t second = std::uint64_t{1} << deck[p + 1];
            if ((c.below[deck[p]] & second) == 0) {
                if ((c.equal[deck[p]] & second) == 0) {
                    beaten = true;
                    break;
                }
                ++ties;
            }
            held |= (std::uint64_t{1} << deck[p]) | second;
        }
        if (beaten)
            continue;
        // The last opponent's hands that hold no dealt card, by inclusion and exclusion: every
        // pair of dealt cards that forms such a hand was taken away twice.
        int below = c.belowHands;
        int equal = c.equalHands;
        int belowPairs = 0;
        int equalPairs = 0;
        for (int p = 0; p < dealt; ++p) {
            const int card = deck[p];
            below -= c.belowWith[card];
            equal -= c.equalWith[card];
            belowPairs += std::popcount(c.below[card] & held);
            equalPairs += std::popcount(c.equal[card] & held);
        }
        below += belowPairs / 2;
        equal += equalPairs / 2;
        const std::int64_t value = std::int64_t{below} * (kShareUnit / (ties + 1)) +
                                   std::int64_t{equal} * (kShareUnit / (ties + 2));
        sum += value;
        squares += value * value;
        if (ties == 0) {
            wins += below;
            shared += equal;
        } else {
            shared += below + equal;
        }
    }
    tally.deals += deals;
    tally.sum += sum;
    tally.squares += static_cast<double>(squares);
    tally.wins += wins;
    tally.ties += shared;
}

// After the flop: one stratum per board completion, the opponent hands classed on each.
class BoardDealer final : public Dealer
{
public:
    BoardDealer(const EquityHand &hand, int opponents, int threads, const std::atomic<bool> *cancel)
        : opponents_(opponents), dealt_(2 * (opponents - 1))
    {
        const BoardCompletions completions(hand);
        classes_.resize(completions.count());
        forEachItem(threads, completions.count(), [&](int c) {
            if (!cancelled(cancel))
                completions.classify(c, classes_[c]);
        });
        const int free = kLeftCards - dealt_;
        denominator_ = free * (free - 1) / 2;
    }

    int strata() const override { return static_cast<int>(classes_.size()); }
    int boards() const override { return strata(); }

    std::optional<Settled> settled(int stratum) const override
    {
        const BoardClasses &c = classes_[stratum];
        if (c.belowHands == kLeftHands)
            return Settled{1, 1, 0};
        if (c.equalHands == kLeftHands)
            return Settled{1.0 / (opponents_ + 1), 0, 1};
        if (c.belowHands + c.equalHands == 0)
            return Settled{0, 0, 0};
        return std::nullopt;
    }

    std::int64_t denominator() const override { return denominator_; }

    void deal(int stratum, Random &random, int deals, Tally &tally) const override
    {
        dealOnBoard(classes_[stratum], dealt_, random, deals, tally);
    }

private:
    int opponents_;
    int dealt_; // cards of the opponents drawn: all but the last one's
    std::int64_t denominator_ = 1;
    std::vector<BoardClasses> classes_;
};

// Before the flop: one stratum, every deal draws the board and every opponent's hand.
class OpenDealer final : public Dealer
{
public:
    OpenDealer(const EquityHand &hand, int opponents) : hand_(hand), opponents_(opponents)
    {
        const std::uint64_t known = knownCards(hand);
        for (int card = 1; card <= kCardCount; ++card)
            if ((known & cardBit(card)) == 0)
                deck_[deckSize_++] = card;
    }

    int strata() const override { return 1; }
    int boards() const override { return 0; }
    std::optional<Settled> settled(int) const override { return std::nullopt; }
    std::int64_t denominator() const override { return 1; }

    void deal(int, Random &random, int deals, Tally &tally) const override
    {
        const RankTable &ranks = RankTable::instance();
        const SuitTable &suits = SuitTable::instance();
        const CardsState knownBoard = boardStateOf(hand_);
        const int missing = 5 - hand_.boardCount;
        const int dealt = missing + 2 * opponents_;
        std::array<int, kCardCount> deck = deck_;
        std::int64_t sum = 0;
        std::int64_t squares = 0;
        std::int64_t wins = 0;
        std::int64_t shared = 0;
        for (int d = 0; d < deals; ++d) {
            for (int i = 0; i < dealt; ++i)
                std::swap(deck[i], deck[i + random.below(deckSize_ - i)]);
            CardsState board = knownBoard;
            for (int i = 0; i < missing; ++i)
                board.add(ranks, deck[i]);
            const int suit = board.flushSuit();
            const auto rate = [&](int c1, int c2) {
                int rating = ranks.bestAfter(ranks.next(board.ranks, cardValue(c1)), cardValue(c2));
                if (suit >= 0) {
                    unsigned mask = board.masks[suit];
                    if (cardSuit(c1) == suit)
                        mask |= rankBit(cardValue(c1));
                    if (cardSuit(c2) == suit)
                        mask |= rankBit(cardValue(c2));
                    rating = std::max(rating, suitRating(suits, mask));
                }
                return rating;
            };
            const int hero = rate(hand_.hole[0], hand_.hole[1]);
            int ties = 0;
            bool beaten = false;
            for (int o = 0; o < opponents_ && !beaten; ++o) {
                const int opponent = rate(deck[missing + 2 * o], deck[missing + 2 * o + 1]);
                beaten = opponent > hero;
                ties += opponent == hero;
            }
            if (beaten)
                continue;
            const std::int64_t value = kShareUnit / (ties + 1);
            sum += value;
            squares += value * value;
            wins += ties == 0;
            shared += ties > 0;
        }
        tally.deals += deals;
        tally.sum += sum;
        tally.squares += static_cast<double>(squares);
        tally.wins += wins;
        tally.ties += shared;
    }

private:
    EquityHand hand_;
    int opponents_;
    std::array<int, kCardCount> deck_{};
    int deckSize_ = 0;
};

class Rounds
{
public:
    Rounds(const Dealer &dealer, const SimulationLimits &limits, std::uint64_t seed,
           const std::atomic<bool> *cancel, const EquityProgress &progress)
        : dealer_(dealer), limits_(limits), seed_(seed), cancel_(cancel), progress_(progress),
          threads_(threadCount(limits.threads))
    {
        for (int s = 0; s < dealer.strata(); ++s) {
            if (const auto known = dealer.settled(s)) {
                settledEquity_ += known->equity;
                settledWin_ += known->win;
                settledTie_ += known->tie;
            } else {
                open_.push_back(s);
            }
        }
        tallies_.resize(open_.size());
    }

    EquityResult run()
    {
        EquityResult result;
        result.method = EquityResult::Method::Simulated;
        result.exact = false;
        result.boards = dealer_.boards();
        if (open_.empty()) {
            // No deal can change any board's outcome: the figure is exact.
            const double strata = dealer_.strata();
            result.method = EquityResult::Method::Exact;
            result.exact = true;
            result.equity = settledEquity_ / strata;
            result.win = settledWin_ / strata;
            result.tie = settledTie_ / strata;
            return result;
        }
        const auto open = static_cast<std::int64_t>(open_.size());
        const std::int64_t budget = std::max(limits_.maxDeals, open * 2);
        std::int64_t planned = kFirstRound;
        for (int round = 0;; ++round) {
            planned = std::min(planned, kLargestRound);
            const std::int64_t perStratum = std::max<std::int64_t>(2, (planned + open - 1) / open);
            if (!dealRound(round, static_cast<int>(perStratum))) {
                result.cancelled = true;
                return result;
            }
            deals_ += perStratum * open;
            estimate(result);
            const bool done =
                (result.margin95 <= limits_.targetMargin95 && deals_ >= limits_.minDeals) ||
                deals_ >= budget;
            if (done)
                return result;
            if (result.margin95 <= limits_.firstMargin95 && progress_) {
                EquityResult interim = result;
                interim.final = false;
                progress_(interim);
            }
            // Deals scale with the square of the margin; aim a little past the next goal, and
            // grow by at most four times so that the figure is refined along the way.
            const double goal = result.margin95 <= limits_.firstMargin95 ? limits_.targetMargin95
                                                                         : limits_.firstMargin95;
            const double ratio = result.margin95 / std::max(goal, 1e-12);
            const double needed = static_cast<double>(deals_) * ratio * ratio * 1.05;
            const double next =
                std::clamp(needed - static_cast<double>(deals_), static_cast<double>(deals_) / 4,
                           static_cast<double>(deals_) * 4);
            planned = std::min(static_cast<std::int64_t>(next), budget - deals_);
            planned = std::max<std::int64_t>(planned, 1);
        }
    }

private:
    // One round: `perStratum` deals on every open stratum. False when cancelled.
    bool dealRound(int round, int perStratum)
    {
        const int chunks = (perStratum + kChunkDeals - 1) / kChunkDeals;
        const int items = static_cast<int>(open_.size()) * chunks;
        std::vector<Tally> parts(items);
        std::atomic<bool> stopped{false};
        forEachItem(threads_, items, [&](int item) {
            if (stopped.load(std::memory_order_relaxed) || cancelled(cancel_)) {
                stopped = true;
                return;
            }
            const int stratum = open_[item / chunks];
            const int chunk = item % chunks;
            const int deals = std::min(kChunkDeals, perStratum - chunk * kChunkDeals);
            Random random(mix(seed_ ^ mix((std::uint64_t(round) << 40) ^
                                          (std::uint64_t(stratum) << 20) ^ std::uint64_t(chunk))));
            dealer_.deal(stratum, random, deals, parts[item]);
        });
        if (stopped)
            return false;
        for (int item = 0; item < items; ++item)
            tallies_[item / chunks].add(parts[item]);
        return true;
    }

    void estimate(EquityResult &result) const
    {
        const double unit = static_cast<double>(kShareUnit) * dealer_.denominator();
        const auto denominator = static_cast<double>(dealer_.denominator());
        double equity = settledEquity_;
        double win = settledWin_;
        double tie = settledTie_;
        double variance = 0;
        for (const Tally &t : tallies_) {
            const auto n = static_cast<double>(t.deals);
            const auto sum = static_cast<double>(t.sum);
            equity += sum / (n * unit);
            win += static_cast<double>(t.wins) / (n * denominator);
            tie += static_cast<double>(t.ties) / (n * denominator);
            const double spread = std::max(0.0, t.squares - sum * sum / n) / (n - 1);
            variance += spread / (unit * unit) / n;
        }
        const double strata = dealer_.strata();
        result.samples = deals_;
        result.equity = equity / strata;
        result.win = win / strata;
        result.tie = tie / strata;
        // Deals that all came out alike still leave room for an outcome not yet seen: at 95 %
        // its share is below 3 / deals.
        const double open = static_cast<double>(open_.size()) / strata;
        result.margin95 =
            std::max(kZ95 * std::sqrt(variance) / strata, 3.0 * open / static_cast<double>(deals_));
    }

    const Dealer &dealer_;
    const SimulationLimits &limits_;
    std::uint64_t seed_;
    const std::atomic<bool> *cancel_;
    const EquityProgress &progress_;
    int threads_;
    std::vector<int> open_; // the strata that deals can change
    std::vector<Tally> tallies_;
    double settledEquity_ = 0;
    double settledWin_ = 0;
    double settledTie_ = 0;
    std::int64_t deals_ = 0;
};

} // namespace

EquityResult simulateEquity(const EquityHand &hand, int opponents, const std::atomic<bool> *cancel,
                            const SimulationLimits &limits, const EquityProgress &progress)
{
    const std::uint64_t seed = limits.seed != 0 ? limits.seed : equitySeed(hand, opponents);
    std::unique_ptr<Dealer> dealer;
    if (hand.boardCount >= 3)
        dealer =
            std::make_unique<BoardDealer>(hand, opponents, threadCount(limits.threads), cancel);
    else
        dealer = std::make_unique<OpenDealer>(hand, opponents);
    if (cancelled(cancel)) {
        EquityResult result;
        result.method = EquityResult::Method::Simulated;
        result.exact = false;
        result.cancelled = true;
        return result;
    }
    return Rounds(*dealer, limits, seed, cancel, progress).run();
}

} // namespace tallowby
