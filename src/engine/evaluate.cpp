// SPDX-License-Identifier: GPL-3.0-or-later
// The category rules as the program defines them, and the ratings and descriptions built on
// them. These rules are the reference: the tables of ranktables.cpp are built from them.
#include "evaluate.h"

#include "ranktables.h"

#include <algorithm>
#include <cstdio>

namespace tallowby {

namespace {

constexpr std::array<const char *, kCategoryCount> kShortNames = {
    "High Card", "2 Kind",     "2 Pair", "3 Kind",        "Straight",
    "Flush",     "Full House", "4 Kind", "Straight Flush"};

constexpr std::array<const char *, kCategoryCount> kLabels = {
    "",       "Two Kind.",   "Two Pair.",  "Three Kind.",    "Straight.",
    "Flush.", "Full House.", "Four Kind.", "Straight Flush."};

constexpr int rating(int category, int d4, int d3, int d2, int d1, int d0)
{
    return category * kCategoryUnit + (d4 << 16) + (d3 << 12) + (d2 << 8) + (d1 << 4) + d0;
}

std::array<int, 7> valuesOf(const EvalCards &sorted)
{
    std::array<int, 7> values{};
    for (int k = 0; k < 7; ++k)
        values[k] = sorted[k].Value;
    return values;
}

// Values of the cards of the suit with at least five cards, in sorted order, padded with -1;
// nullopt-like empty result when no suit has five.
bool flushValues(const EvalCards &sorted, std::array<int, 7> &values)
{
    for (const char suit : kSuitLetters) {
        int count = 0;
        for (const TCard &card : sorted)
            if (card.Value > 0 && card.Suit == suit)
                values[count++] = card.Value;
        if (count >= 5) {
            std::fill(values.begin() + count, values.end(), kNoValue);
            return true;
        }
    }
    return false;
}

bool equalRun(const EvalCards &sorted, int start, int length)
{
    const int value = sorted[start].Value;
    if (value <= 0)
        return false;
    for (int k = start + 1; k < start + length; ++k)
        if (sorted[k].Value != value)
            return false;
    return true;
}

} // namespace

const char *categoryShortName(int c)
{
    return c >= 0 && c < kCategoryCount ? kShortNames[c] : "";
}

const char *categoryLabel(int c)
{
    return c >= 0 && c < kCategoryCount ? kLabels[c] : "";
}

void SortEvalHand(EvalCards &hand)
{
    for (int pass = 0; pass < 6; ++pass)
        for (int k = 0; k < 6; ++k)
            if (hand[k].Value < hand[k + 1].Value)
                std::swap(hand[k], hand[k + 1]);
}

std::array<int, 3> FindKickers(const EvalCards &sorted, int exclude1, int exclude2)
{
    std::array<int, 3> kickers{};
    int found = 0;
    for (const TCard &card : sorted) {
        if (found == 3)
            break;
        if (card.Value > 0 && card.Value != exclude1 && card.Value != exclude2)
            kickers[found++] = card.Value;
    }
    return kickers;
}

StraightRun scanStraight(const std::array<int, 7> &values)
{
    StraightRun result;
    auto &r = result.digits;
    int run = 0;
    for (int k = 0; k < 6; ++k) {
        const int a = values[k];
        const int b = values[k + 1];
        if (a - 1 == b) {
            ++run;
            if (run >= 1 && run <= 4) {
                r[run - 1] = a;
                r[run] = b;
            }
        }
        if (run < 4 && a - 1 > b && a > 0 && b > 0)
            run = 0;
    }
    const bool hasDeuce = std::find(values.begin(), values.end(), 1) != values.end();
    if (run < 4 && values[0] == 13 && hasDeuce) {
        ++run;
        r[3] = 1;
        r[4] = 13;
    }
    result.found = run >= 4;
    return result;
}

int RateStraightFlush(const EvalCards &sorted)
{
    std::array<int, 7> values{};
    if (!flushValues(sorted, values))
        return 0;
    const StraightRun run = scanStraight(values);
    if (!run.found)
        return 0;
    const auto &r = run.digits;
    return rating(StraightFlush, r[0], r[1], r[2], r[3], r[4]);
}

int RateFourKind(const EvalCards &sorted)
{
    for (int start = 0; start <= 3; ++start) {
        if (equalRun(sorted, start, 4)) {
            const int q = sorted[start].Value;
            return rating(FourKind, q, q, q, q, FindKickers(sorted, q)[0]);
        }
    }
    return 0;
}

int RateFullHouse(const EvalCards &sorted)
{
    int three = 0;
    for (int start = 0; start <= 4 && three == 0; ++start)
        if (equalRun(sorted, start, 3))
            three = sorted[start].Value;
    if (three == 0)
        return 0;
    for (int start = 0; start <= 5; ++start)
        if (equalRun(sorted, start, 2) && sorted[start].Value != three)
            return rating(FullHouse, three, three, three, sorted[start].Value, sorted[start].Value);
    return 0;
}

int RateFlush(const EvalCards &sorted)
{
    std::array<int, 7> values{};
    if (!flushValues(sorted, values))
        return 0;
    return rating(Flush, values[0], values[1], values[2], values[3], values[4]);
}

int RateStraight(const EvalCards &sorted)
{
    const StraightRun run = scanStraight(valuesOf(sorted));
    if (!run.found)
        return 0;
    const auto &r = run.digits;
    return rating(Straight, r[0], r[1], r[2], r[3], r[4]);
}

int RateThreeKind(const EvalCards &sorted)
{
    int three = 0;
    for (int start = 0; start <= 4; ++start)
        if (equalRun(sorted, start, 3))
            three = sorted[start].Value;
    if (three == 0)
        return 0;
    const auto k = FindKickers(sorted, three);
    return rating(ThreeKind, three, three, three, k[0], k[1]);
}

int RateTwoPair(const EvalCards &sorted)
{
    for (int first = 0; first <= 5; ++first) {
        if (!equalRun(sorted, first, 2))
            continue;
        const int a = sorted[first].Value;
        for (int later = first + 1; later <= 5; ++later) {
            if (equalRun(sorted, later, 2) && sorted[later].Value != a) {
                const int b = sorted[later].Value;
                return rating(TwoPair, a, a, b, b, FindKickers(sorted, a, b)[0]);
            }
        }
        return 0;
    }
    return 0;
}

int RateTwoKind(const EvalCards &sorted)
{
    int pair = 0;
    for (int start = 0; start <= 5; ++start)
        if (equalRun(sorted, start, 2))
            pair = sorted[start].Value;
    if (pair == 0)
        return 0;
    const auto k = FindKickers(sorted, pair);
    return rating(OnePair, pair, pair, k[0], k[1], k[2]);
}

int RateHighCard(const EvalCards &sorted)
{
    std::array<int, 5> d{};
    for (int k = 0; k < 5; ++k)
        d[k] = std::max(sorted[k].Value, 0);
    return rating(HighCard, d[0], d[1], d[2], d[3], d[4]);
}

int rateCategory(int c, const EvalCards &sorted)
{
    switch (c) {
    case StraightFlush:
        return RateStraightFlush(sorted);
    case FourKind:
        return RateFourKind(sorted);
    case FullHouse:
        return RateFullHouse(sorted);
    case Flush:
        return RateFlush(sorted);
    case Straight:
        return RateStraight(sorted);
    case ThreeKind:
        return RateThreeKind(sorted);
    case TwoPair:
        return RateTwoPair(sorted);
    case OnePair:
        return RateTwoKind(sorted);
    default:
        return RateHighCard(sorted);
    }
}

int EvaluateHand(EvalCards &hand)
{
    SortEvalHand(hand);
    return rateSortedHand(hand);
}

int EvaluateAndDescribe(EvalCards &hand, StatsRecords &stats)
{
    SortEvalHand(hand);
    int best = 0;
    for (int c = StraightFlush; c >= OnePair; --c) {
        const int r = rateCategory(c, hand);
        if (r > 0) {
            stats[c - 1].Threshold = r;
            stats[c - 1].Name = DescribeRating(r);
        }
        best = std::max(best, r);
    }
    return std::max(best, RateHighCard(hand));
}

std::string ratingHex(int rating)
{
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(rating));
    return text;
}

std::string DescribeRating(int rating)
{
    if (rating < 0)
        return {};
    std::string hex = ratingHex(rating);
    if (hex.size() < 5)
        hex.insert(0, 5 - hex.size(), '0');
    std::array<char, 5> letters{}; // L4 .. L0
    for (int k = 0; k < 5; ++k) {
        const char digit = hex[hex.size() - 5 + k];
        const int value = digit >= '1' && digit <= '9'   ? digit - '0'
                          : digit >= 'A' && digit <= 'D' ? digit - 'A' + 10
                                                         : 0;
        letters[k] = rankLetter(value);
    }
    int category = -1;
    for (int c = 0; c < kCategoryCount; ++c) {
        const int rest = rating - c * kCategoryUnit;
        if (rest >= 0 && rest < 0xDDDDE) {
            category = c;
            break;
        }
    }
    if (category < 0)
        return {};

    const auto L = [&](int place) {
        return std::string(1, letters[4 - place]);
    };
    const std::string head =
        category == HighCard ? "High Card. " : std::string(kLabels[category]) + " ";
    switch (category) {
    case OnePair:
        return head + L(4) + L(3) + ", " + L(2) + ", " + L(1) + ", " + L(0);
    case TwoPair:
        return head + L(4) + L(3) + ", " + L(2) + L(1) + ", " + L(0);
    case ThreeKind:
        return head + L(4) + L(3) + L(2) + ", " + L(1) + ", " + L(0);
    case FullHouse:
        return head + L(4) + L(3) + L(2) + ", " + L(1) + L(0);
    case FourKind:
        return head + L(4) + L(3) + L(2) + L(1) + ", " + L(0);
    default: // high card, straight, flush, straight flush
        return head + L(4) + ", " + L(3) + ", " + L(2) + ", " + L(1) + ", " + L(0);
    }
}

} // namespace tallowby
