// SPDX-License-Identifier: GPL-3.0-or-later
// Cards as the whole program names them.
//
// Card index: 1..52, 0 for no card. Four blocks of 13 by suit, deuce first, ace last:
//
//   index   1..13   14..26   27..39   40..52
//   suit    s       d        c        h
//   rank    2 3 4 5 6 7 8 9 T J Q K A  (rank value 1..13 inside each block)
//
// Card code: rank letter then suit letter ("As", "Td", "2h"); "--" for an empty position.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tallowby {

inline constexpr int kCardCount = 52;
inline constexpr int kNoValue = -1;
inline constexpr char kNoLetter = '-';
inline constexpr std::string_view kRankLetters = "23456789TJQKA";
inline constexpr std::string_view kSuitLetters = "sdch";

// One card position: a slot, a deck entry or a place of the evaluation hand.
struct TCard
{
    std::int32_t Index = 0;        // card index 1..52, 0 when the position holds no card
    std::int32_t Value = kNoValue; // rank value 1 (deuce) .. 13 (ace), -1 without a card
    std::int32_t Live = 0;         // slot: holds a card; deck: the card is still unseen
    char Suit = kNoLetter;         // 's', 'd', 'c', 'h' or '-'
    char Rank = kNoLetter;         // '2'..'9', 'T', 'J', 'Q', 'K', 'A' or '-'
};

// Rank letter of a rank value 1..13; '-' for anything else.
char rankLetter(int value);

// Rank value of a rank letter, -1 when it is none ('t' and 'T' both give 9).
int rankValueOf(char letter);

// Rank value 1..13 of a card index 1..52.
inline constexpr int cardValue(int index)
{
    return (index - 1) % 13 + 1;
}

// Suit number 0 (s), 1 (d), 2 (c), 3 (h) of a card index 1..52.
inline constexpr int cardSuit(int index)
{
    return (index - 1) / 13;
}

// Card index of a rank value 1..13 and a suit number 0..3.
inline constexpr int cardIndex(int value, int suit)
{
    return suit * 13 + value;
}

// The position record of card index 1..52, with Live 0; the empty record for 0.
TCard makeCard(int index);

// "As", "Td" ...; "--" for 0.
std::string cardCode(int index);

// Card index of a code such as "As" or "td" (rank letters in either case, suits in lower case);
// 0 for "--"; -1 for anything that names no card.
int cardIndexFromCode(std::string_view code);

// Spoken name, for screen readers and tooltips: "Ace of spades", "Deuce of hearts".
std::string cardName(int index);

// Spoken name of a rank value 1..13: "Deuce" .. "Ace"; empty for anything else.
std::string rankName(int value);

} // namespace tallowby
