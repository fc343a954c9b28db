// SPDX-License-Identifier: GPL-3.0-or-later
// Hand-type evaluation: hand ratings, the nine category rules and hand descriptions.
//
// A hand rating is six hexadecimal digits: the category c (0..8) then five rank digits
// d4..d0 (rank values 1..13, 0 where no card fills the place). A greater rating is a stronger
// hand; equal ratings tie.
#pragma once

#include "handstate.h"

#include <array>
#include <string>

namespace tallowby {

inline constexpr int kCategoryUnit = 0x100000; // 16^5, the lowest rating of category 1

inline constexpr int categoryOf(int rating)
{
    return rating / kCategoryUnit;
}

// "2 Kind" .. "Straight Flush", and "High Card" for 0: the key of a category in betting systems.
const char *categoryShortName(int c);

// "Two Kind." .. "Straight Flush." for 1..8; empty for high card.
const char *categoryLabel(int c);

// Orders the hand by Value, highest first, with the stable six-pass exchange sort; positions
// without a card end last.
void SortEvalHand(EvalCards &hand);

// The first three Values above 0 of the sorted hand that differ from both excluded values.
std::array<int, 3> FindKickers(const EvalCards &sorted, int exclude1, int exclude2 = kNoValue);

// The category rules. Each expects a sorted hand and returns its category's rating or 0.
int RateStraightFlush(const EvalCards &sorted);
int RateFourKind(const EvalCards &sorted);
int RateFullHouse(const EvalCards &sorted);
int RateFlush(const EvalCards &sorted);
int RateStraight(const EvalCards &sorted);
int RateThreeKind(const EvalCards &sorted);
int RateTwoPair(const EvalCards &sorted);
int RateTwoKind(const EvalCards &sorted);
int RateHighCard(const EvalCards &sorted);

// The rule of category c (0..8) on a sorted hand.
int rateCategory(int c, const EvalCards &sorted);

// The straight scan over seven rank values sorted high to low (-1 for no card).
struct StraightRun
{
    bool found = false;
    std::array<int, 5> digits{}; // r1..r5, high to low; 4 3 2 1 13 for the five-high straight
};
StraightRun scanStraight(const std::array<int, 7> &values);

// Sorts the hand and returns the rating of its best hand.
int EvaluateHand(EvalCards &hand);

// As EvaluateHand, and writes Threshold and Name of every category 1..8 the hand makes.
int EvaluateAndDescribe(EvalCards &hand, StatsRecords &stats);

// "Straight Flush. A, K, Q, J, T", "Two Kind. 88, -, -, -" ...; empty outside every category.
std::string DescribeRating(int rating);

// Upper-case hexadecimal without leading zeros ("0" for zero), as ratings are shown.
std::string ratingHex(int rating);

} // namespace tallowby
