// SPDX-License-Identifier: GPL-3.0-or-later
// The reference evaluator and analysis, written as a plain reading of the rules: every loop runs
// over the positions the rule names, in the order it names them.
#include "oracle.h"

#include <cmath>
#include <cstdio>
#include <string_view>

namespace oracle {

namespace {

constexpr int kUnit = 0x100000; // 16^5
constexpr std::string_view kRankLetters = "23456789TJQKA";
constexpr std::string_view kSuits = "sdch";

int rating(int category, int d4, int d3, int d2, int d1, int d0)
{
    return category * kUnit + d4 * 0x10000 + d3 * 0x1000 + d2 * 0x100 + d1 * 0x10 + d0;
}

bool sameRankWindow(const Hand &h, int start, int length)
{
    if (h[start].value <= 0)
        return false;
    for (int i = start + 1; i < start + length; ++i)
        if (h[i].value != h[start].value)
            return false;
    return true;
}

// The suit holding at least five cards, or '-' when none does.
char fiveCardSuit(const Hand &h)
{
    for (char suit : kSuits) {
        int count = 0;
        for (const Card &card : h)
            if (card.suit == suit)
                ++count;
        if (count >= 5)
            return suit;
    }
    return '-';
}

// Positions of the sorted hand holding the given suit, in order.
std::vector<int> suitPositions(const Hand &h, char suit)
{
    std::vector<int> positions;
    for (int i = 0; i < 7; ++i)
        if (h[i].suit == suit)
            positions.push_back(i);
    return positions;
}

std::array<int, 7> suitValues(const Hand &h, const std::vector<int> &positions)
{
    std::array<int, 7> values;
    values.fill(-1);
    for (std::size_t i = 0; i < positions.size(); ++i)
        values[i] = h[positions[i]].value;
    return values;
}

std::array<int, 7> valuesOf(const Hand &h)
{
    std::array<int, 7> values{};
    for (int i = 0; i < 7; ++i)
        values[i] = h[i].value;
    return values;
}

char letterOfDigit(char digit)
{
    if (digit >= '1' && digit <= '9')
        return kRankLetters[digit - '1'];
    switch (digit) {
    case 'A':
        return 'J';
    case 'B':
        return 'Q';
    case 'C':
        return 'K';
    case 'D':
        return 'A';
    default:
        return '-';
    }
}

} // namespace

Card cardOf(int index)
{
    if (index < 1 || index > 52)
        return {};
    for (int r = 1; r <= 13; ++r) {
        for (int block = 0; block < 4; ++block) {
            if (r + 13 * block == index)
                return {index, r, kSuits[block], kRankLetters[r - 1]};
        }
    }
    return {};
}

std::string codeOf(const Card &card)
{
    return {card.rank, card.suit};
}

void sortHand(Hand &hand)
{
    for (int pass = 0; pass < 6; ++pass) {
        for (int i = 0; i < 6; ++i) {
            if (hand[i].value < hand[i + 1].value) {
                const Card first = hand[i];
                hand[i] = hand[i + 1];
                hand[i + 1] = first;
            }
        }
    }
}

std::array<int, 3> findKickers(const Hand &sorted, int exclude1, int exclude2)
{
    std::array<int, 3> kickers{0, 0, 0};
    int taken = 0;
    for (int i = 0; i < 7 && taken < 3; ++i) {
        const int v = sorted[i].value;
        if (v > 0 && v != exclude1 && v != exclude2)
            kickers[taken++] = v;
    }
    return kickers;
}

StraightScan straightScan(const std::array<int, 7> &L)
{
    StraightScan scan;
    auto &r = scan.digits;
    auto &p = scan.positions;
    int run = 0;
    for (int k = 0; k <= 5; ++k) {
        const int a = L[k];
        const int b = L[k + 1];
        if (a - 1 == b) {
            ++run;
            if (run >= 1 && run <= 4) {
                r[run - 1] = a;
                r[run] = b;
                p[run - 1] = k;
                p[run] = k + 1;
            }
        }
        if (run < 4 && a - 1 > b && a > 0 && b > 0)
            run = 0;
    }
    bool holdsDeuce = false;
    for (int v : L)
        if (v == 1)
            holdsDeuce = true;
    if (run < 4 && L[0] == 13 && holdsDeuce) {
        ++run;
        r[3] = 1;
        r[4] = 13;
        // The ace that counts low is the one at the head of the list; the deuce stays the one
        // the run recorded, which is the first deuce of the list.
        p[4] = 0;
    }
    scan.found = run >= 4;
    return scan;
}

int rateStraightFlush(const Hand &h)
{
    const char suit = fiveCardSuit(h);
    if (suit == '-')
        return 0;
    const StraightScan scan = straightScan(suitValues(h, suitPositions(h, suit)));
    if (!scan.found)
        return 0;
    const auto &r = scan.digits;
    return rating(8, r[0], r[1], r[2], r[3], r[4]);
}

int rateFourKind(const Hand &h)
{
    for (int start = 0; start <= 3; ++start) {
        if (sameRankWindow(h, start, 4)) {
            const int q = h[start].value;
            return rating(7, q, q, q, q, findKickers(h, q, -1)[0]);
        }
    }
    return 0;
}

int rateFullHouse(const Hand &h)
{
    int t = 0;
    for (int start = 0; start <= 4 && t == 0; ++start)
        if (sameRankWindow(h, start, 3))
            t = h[start].value;
    if (t == 0)
        return 0;
    int pair = 0;
    for (int start = 0; start <= 5 && pair == 0; ++start)
        if (sameRankWindow(h, start, 2) && h[start].value != t)
            pair = h[start].value;
    if (pair == 0)
        return 0;
    return rating(6, t, t, t, pair, pair);
}

int rateFlush(const Hand &h)
{
    const char suit = fiveCardSuit(h);
    if (suit == '-')
        return 0;
    const std::vector<int> positions = suitPositions(h, suit);
    return rating(5, h[positions[0]].value, h[positions[1]].value, h[positions[2]].value,
                  h[positions[3]].value, h[positions[4]].value);
}

int rateStraight(const Hand &h)
{
    const StraightScan scan = straightScan(valuesOf(h));
    if (!scan.found)
        return 0;
    const auto &r = scan.digits;
    return rating(4, r[0], r[1], r[2], r[3], r[4]);
}

int rateThreeKind(const Hand &h)
{
    int t = 0;
    for (int start = 0; start <= 4; ++start)
        if (sameRankWindow(h, start, 3))
            t = h[start].value;
    if (t == 0)
        return 0;
    const auto k = findKickers(h, t, -1);
    return rating(3, t, t, t, k[0], k[1]);
}

int rateTwoPair(const Hand &h)
{
    int firstStart = -1;
    for (int start = 0; start <= 5 && firstStart < 0; ++start)
        if (sameRankWindow(h, start, 2))
            firstStart = start;
    if (firstStart < 0)
        return 0;
    const int a = h[firstStart].value;
    int b = 0;
    for (int start = firstStart + 1; start <= 5 && b == 0; ++start)
        if (sameRankWindow(h, start, 2) && h[start].value != a)
            b = h[start].value;
    if (b == 0)
        return 0;
    return rating(2, a, a, b, b, findKickers(h, a, b)[0]);
}

int rateTwoKind(const Hand &h)
{
    int pair = 0;
    for (int start = 0; start <= 5; ++start)
        if (sameRankWindow(h, start, 2))
            pair = h[start].value;
    if (pair == 0)
        return 0;
    const auto k = findKickers(h, pair, -1);
    return rating(1, pair, pair, k[0], k[1], k[2]);
}

int rateHighCard(const Hand &h)
{
    std::array<int, 5> d{};
    for (int i = 0; i < 5; ++i)
        d[i] = h[i].value > 0 ? h[i].value : 0;
    return rating(0, d[0], d[1], d[2], d[3], d[4]);
}

int rateCategory(int category, const Hand &sorted)
{
    switch (category) {
    case 0:
        return rateHighCard(sorted);
    case 1:
        return rateTwoKind(sorted);
    case 2:
        return rateTwoPair(sorted);
    case 3:
        return rateThreeKind(sorted);
    case 4:
        return rateStraight(sorted);
    case 5:
        return rateFlush(sorted);
    case 6:
        return rateFullHouse(sorted);
    case 7:
        return rateFourKind(sorted);
    case 8:
        return rateStraightFlush(sorted);
    default:
        return 0;
    }
}

int evaluateHand(Hand &hand)
{
    sortHand(hand);
    int best = 0;
    for (int c = 0; c <= 8; ++c) {
        const int r = rateCategory(c, hand);
        if (r > best)
            best = r;
    }
    return best;
}

int evaluateAndDescribe(Hand &hand, StatsRecords &stats)
{
    sortHand(hand);
    int best = 0;
    for (int c = 8; c >= 1; --c) {
        const int r = rateCategory(c, hand);
        if (r > 0) {
            stats[c - 1].threshold = r;
            stats[c - 1].name = describeRating(r);
        }
        if (r > best)
            best = r;
    }
    const int high = rateHighCard(hand);
    return high > best ? high : best;
}

std::string describeRating(int r)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(r));
    std::string hex = buffer;
    while (hex.size() < 5)
        hex = "0" + hex;
    const std::string last = hex.substr(hex.size() - 5);
    std::array<char, 5> L{}; // L[0] is L4 .. L[4] is L0
    for (int i = 0; i < 5; ++i)
        L[i] = letterOfDigit(last[i]);

    int category = -1;
    for (int c = 0; c <= 8; ++c) {
        const long long rest = static_cast<long long>(r) - static_cast<long long>(c) * kUnit;
        if (rest >= 0 && rest < 0xDDDDE) {
            category = c;
            break;
        }
    }
    auto s = [&](int i) {
        return std::string(1, L[i]);
    };
    switch (category) {
    case 0:
        return "High Card. " + s(0) + ", " + s(1) + ", " + s(2) + ", " + s(3) + ", " + s(4);
    case 1:
        return "Two Kind. " + s(0) + s(1) + ", " + s(2) + ", " + s(3) + ", " + s(4);
    case 2:
        return "Two Pair. " + s(0) + s(1) + ", " + s(2) + s(3) + ", " + s(4);
    case 3:
        return "Three Kind. " + s(0) + s(1) + s(2) + ", " + s(3) + ", " + s(4);
    case 4:
        return "Straight. " + s(0) + ", " + s(1) + ", " + s(2) + ", " + s(3) + ", " + s(4);
    case 5:
        return "Flush. " + s(0) + ", " + s(1) + ", " + s(2) + ", " + s(3) + ", " + s(4);
    case 6:
        return "Full House. " + s(0) + s(1) + s(2) + ", " + s(3) + s(4);
    case 7:
        return "Four Kind. " + s(0) + s(1) + s(2) + s(3) + ", " + s(4);
    case 8:
        return "Straight Flush. " + s(0) + ", " + s(1) + ", " + s(2) + ", " + s(3) + ", " + s(4);
    default:
        return {};
    }
}

std::string categoryShortName(int category)
{
    static const char *const names[] = {"High Card",  "2 Kind",   "2 Pair",
                                        "3 Kind",     "Straight", "Flush",
                                        "Full House", "4 Kind",   "Straight Flush"};
    return category >= 0 && category <= 8 ? names[category] : "";
}

std::string categoryLabel(int category)
{
    static const char *const labels[] = {
        "",       "Two Kind.",   "Two Pair.",  "Three Kind.",    "Straight.",
        "Flush.", "Full House.", "Four Kind.", "Straight Flush."};
    return category >= 0 && category <= 8 ? labels[category] : "";
}

double twoDecimals(double x)
{
    return std::trunc(x / 0.01 + 0.5) * 0.01;
}

double oneDecimal(double x)
{
    return std::trunc(x / 0.1 + 0.5) * 0.1;
}

double wholePower(double x, int exponent)
{
    if (exponent == 0)
        return 1;
    if (x == 0)
        return 0;
    return std::pow(x, static_cast<double>(exponent));
}

std::string numberText(double value, char decimalSeparator)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    for (char &ch : text)
        if (ch == '.')
            ch = decimalSeparator;
    return text;
}

Grid::Grid()
{
    rows.resize(9);
    rows[0] = {"Hand Type", "Need", "You %", "Higher %"};
}

namespace {

bool filled(const Table &t, int slot)
{
    return t.slots[slot] != 0;
}

const char *headerOf(Stage stage)
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
    case Stage::None:
        break;
    }
    return "";
}

void resetHandStats(Table &t)
{
    if (!filled(t, 1) || !filled(t, 2))
        return;
    for (Stats &s : t.stats) {
        s.need.assign(1, ' ');
        s.youPct = 0;
        s.higherPct = 0;
        s.youHits = 0;
        s.higherHits = 0;
    }
    for (int c = 1; c <= 8; ++c) {
        t.stats[c - 1].name = categoryLabel(c);
        t.stats[c - 1].threshold = c * kUnit;
    }
}

bool isKnown(const Table &t, const Card &card)
{
    for (int slot = 1; slot <= 7; ++slot) {
        if (!filled(t, slot))
            continue;
        const Card known = cardOf(t.slots[slot]);
        if (known.value == card.value && known.suit == card.suit)
            return true;
    }
    return false;
}

// The group of cards that makes category c for the player, or an empty list when the player
// does not hold c. h is sorted; v1 and v2 are the rank values of the hole cards.
std::vector<Card> ownGroup(int c, const Hand &h, int v1, int v2)
{
    std::vector<Card> group;
    auto holeRank = [&](int v) {
        return v == v1 || v == v2;
    };
    switch (c) {
    case 8: {
        const char suit = fiveCardSuit(h);
        if (suit == '-')
            break;
        const std::vector<int> positions = suitPositions(h, suit);
        const StraightScan scan = straightScan(suitValues(h, positions));
        if (scan.found)
            for (int p : scan.positions)
                group.push_back(h[positions[p]]);
        break;
    }
    case 7:
        for (int start = 0; start <= 3 && group.empty(); ++start)
            if (sameRankWindow(h, start, 4))
                group.assign(h.begin() + start, h.begin() + start + 4);
        break;
    case 6: {
        int three = -1;
        for (int start = 0; start <= 4 && three < 0; ++start)
            if (sameRankWindow(h, start, 3))
                three = start;
        if (three < 0)
            break;
        int two = -1;
        for (int start = 0; start <= 5 && two < 0; ++start)
            if (sameRankWindow(h, start, 2) && h[start].value != h[three].value)
                two = start;
        if (two < 0)
            break;
        group.assign(h.begin() + three, h.begin() + three + 3);
        group.insert(group.end(), h.begin() + two, h.begin() + two + 2);
        break;
    }
    case 5: {
        const char suit = fiveCardSuit(h);
        if (suit == '-')
            break;
        const std::vector<int> positions = suitPositions(h, suit);
        for (int i = 0; i < 5; ++i)
            group.push_back(h[positions[i]]);
        break;
    }
    case 4: {
        const StraightScan scan = straightScan(valuesOf(h));
        if (scan.found)
            for (int p : scan.positions)
                group.push_back(h[p]);
        break;
    }
    case 3: {
        int last = -1;
        for (int start = 0; start <= 4; ++start)
            if (sameRankWindow(h, start, 3) && holeRank(h[start].value))
                last = start;
        if (last >= 0)
            group.assign(h.begin() + last, h.begin() + last + 3);
        break;
    }
    case 2: {
        int first = -1;
        for (int start = 0; start <= 5 && first < 0; ++start)
            if (sameRankWindow(h, start, 2))
                first = start;
        if (first < 0)
            break;
        int second = -1;
        for (int start = first + 1; start <= 5 && second < 0; ++start)
            if (sameRankWindow(h, start, 2) && h[start].value != h[first].value)
                second = start;
        if (second < 0)
            break;
        bool holePair = false;
        for (int start = 0; start <= 5; ++start)
            if (sameRankWindow(h, start, 2) && holeRank(h[start].value))
                holePair = true;
        if (!holePair)
            break;
        group.assign(h.begin() + first, h.begin() + first + 2);
        group.insert(group.end(), h.begin() + second, h.begin() + second + 2);
        break;
    }
    case 1: {
        int last = -1;
        for (int start = 0; start <= 5; ++start)
            if (sameRankWindow(h, start, 2) && holeRank(h[start].value))
                last = start;
        if (last >= 0)
            group.assign(h.begin() + last, h.begin() + last + 2);
        break;
    }
    default:
        break;
    }
    return group;
}

void countOwnHits(Table &t, Hand &h)
{
    sortHand(h);
    const int v1 = cardOf(t.slots[1]).value;
    const int v2 = cardOf(t.slots[2]).value;
    for (int c = 1; c <= 8; ++c) {
        const std::vector<Card> group = ownGroup(c, h, v1, v2);
        if (group.empty())
            continue;
        Stats &record = t.stats[c - 1];
        ++record.youHits;
        int missing = 0;
        Card needed;
        for (const Card &card : group) {
            if (!isKnown(t, card)) {
                ++missing;
                needed = card;
            }
        }
        if (missing == 1) {
            const std::string unit = codeOf(needed) + " ";
            if (record.need.find(unit) == std::string::npos)
                record.need += unit;
        }
    }
}

void countHigherOpponents(Table &t, Hand &h)
{
    sortHand(h);
    for (int c = 8; c >= 1; --c) {
        if (rateCategory(c, h) > t.stats[c - 1].threshold)
            ++t.stats[c - 1].higherHits;
    }
}

Hand handOf(const std::vector<int> &indices)
{
    Hand h{};
    for (std::size_t i = 0; i < indices.size() && i < 7; ++i)
        h[i] = cardOf(indices[i]);
    return h;
}

} // namespace

Stage stageOf(const Table &t)
{
    if (!filled(t, 1) || !filled(t, 2))
        return Stage::None;
    const bool f1 = filled(t, 3), f2 = filled(t, 4), f3 = filled(t, 5);
    const bool tn = filled(t, 6), rr = filled(t, 7);
    if (!f1 && !f2 && !f3 && !tn && !rr)
        return Stage::PreFlop;
    if (f1 && f2 && f3 && !tn && !rr)
        return Stage::Flop;
    if (f1 && f2 && f3 && tn && !rr)
        return Stage::Turn;
    if (f1 && f2 && f3 && tn && rr)
        return Stage::River;
    return Stage::None;
}

Counters enumerate(Table &t)
{
    Counters counters;
    resetHandStats(t);
    if (filled(t, 1) && filled(t, 2) && filled(t, 3) && filled(t, 4) && filled(t, 5)) {
        Hand own{};
        for (int k = 1; k <= 7; ++k)
            own[k - 1] = cardOf(t.slots[k]);
        counters.ownRating = evaluateAndDescribe(own, t.stats);
    }
    counters.stage = stageOf(t);
    if (counters.stage == Stage::None)
        return counters;
    t.grid.rows[0][2] = headerOf(counters.stage);

    std::vector<int> unseen;
    for (int index = 1; index <= 52; ++index) {
        bool inSlot = false;
        for (int slot = 1; slot <= 7; ++slot)
            if (t.slots[slot] == index)
                inSlot = true;
        if (!inSlot)
            unseen.push_back(index);
    }
    const auto &s = t.slots;
    auto own = [&](const std::vector<int> &cards) {
        Hand h = handOf(cards);
        countOwnHits(t, h);
        ++counters.ownBoards;
    };
    auto opponent = [&](const std::vector<int> &cards) {
        Hand h = handOf(cards);
        countHigherOpponents(t, h);
        ++counters.opponentHands;
        if (evaluateHand(h) > counters.ownRating)
            ++counters.beaten;
    };

    switch (counters.stage) {
    case Stage::PreFlop:
        for (int f1 : unseen)
            for (int f2 : unseen)
                for (int f3 : unseen)
                    if (f1 != f2 && f1 != f3 && f2 != f3)
                        own({s[1], s[2], f1, f2, f3});
        break;
    case Stage::Flop:
        for (int tn : unseen)
            own({s[1], s[2], s[3], s[4], s[5], tn});
        for (int a : unseen)
            for (int b : unseen)
                for (int tn : unseen)
                    if (a != b && a != tn && b != tn)
                        opponent({a, b, s[3], s[4], s[5], tn});
        break;
    case Stage::Turn:
        for (int rr : unseen)
            own({s[1], s[2], s[3], s[4], s[5], s[6], rr});
        for (int a : unseen)
            for (int b : unseen)
                for (int rr : unseen)
                    if (a != b && a != rr && b != rr)
                        opponent({a, b, s[3], s[4], s[5], s[6], rr});
        break;
    case Stage::River:
        own({s[1], s[2], s[3], s[4], s[5], s[6], s[7]});
        for (int a : unseen)
            for (int b : unseen)
                if (a != b)
                    opponent({a, b, s[3], s[4], s[5], s[6], s[7]});
        break;
    case Stage::None:
        break;
    }
    return counters;
}

std::optional<double> storePercentages(StatsRecords &stats, const Counters &counters, int players)
{
    std::optional<double> win;
    const double opp = counters.opponentHands;
    for (Stats &record : stats) {
        if (counters.opponentHands >= 1) {
            record.higherPct =
                twoDecimals((1 - wholePower((opp - record.higherHits) / opp, players - 1)) * 100);
            win = oneDecimal(100 -
                             (1 - wholePower((opp - counters.beaten) / opp, players - 1)) * 100);
        } else {
            record.higherPct = -1;
        }
        if (counters.ownBoards >= 1)
            record.youPct =
                twoDecimals(static_cast<double>(record.youHits * 100) / counters.ownBoards);
        else
            record.youPct = 0;
        if (record.youPct == 100)
            record.need.assign(1, ' ');
    }
    return win;
}

void fillHandOddsGrid(Table &t, char sep)
{
    if (!filled(t, 1) || !filled(t, 2)) {
        t.grid.rows.resize(9);
        return;
    }
    int f = 0;
    for (int i = 0; i <= 7; ++i)
        if (t.stats[i].youPct == 100)
            f = i;
    t.grid.rows.resize(9 - f);
    for (int r = 1; r < 9 - f; ++r) {
        const Stats &record = t.stats[f + r - 1];
        t.grid.rows[r][0] = record.name;
        t.grid.rows[r][1] = record.need;
        t.grid.rows[r][2] = numberText(record.youPct, sep);
        t.grid.rows[r][3] = record.higherPct == -1 ? "??" : numberText(record.higherPct, sep);
    }
}

int countOuts(const Grid &grid)
{
    std::string collection;
    for (std::size_t r = 1; r < grid.rows.size(); ++r) {
        std::string cell = grid.rows[r][1];
        while (cell.size() > 1) {
            const std::string unit = cell.substr(0, 3);
            if (collection.find(unit) == std::string::npos)
                collection += unit;
            cell.erase(0, 3);
        }
    }
    return static_cast<int>(collection.size() / 3);
}

double hitPercent(int unseen, int outs, bool flopStarted)
{
    const double U = unseen;
    const double o = outs;
    if (flopStarted)
        return oneDecimal(o / U * 100);
    return oneDecimal((1 - (U - o) / U * (U - o - 1) / (U - 1) * (U - o - 2) / (U - 2)) * 100);
}

void finishAnalysis(Table &t, const Counters &counters, int players, char sep)
{
    if (const auto win = storePercentages(t.stats, counters, players))
        t.win = numberText(*win, sep);
    fillHandOddsGrid(t, sep);
    t.outs = std::to_string(countOuts(t.grid));
    int live = 0;
    for (int slot = 1; slot <= 7; ++slot)
        if (filled(t, slot))
            ++live;
    const bool flopStarted = filled(t, 3) || filled(t, 4) || filled(t, 5);
    t.hit = numberText(hitPercent(52 - live, std::stoi(t.outs), flopStarted), sep);
}

Counters analyzeHand(Table &t, int players, char sep)
{
    t.win = "??";
    const Counters counters = enumerate(t);
    finishAnalysis(t, counters, players, sep);
    return counters;
}

} // namespace oracle
