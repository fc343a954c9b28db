// SPDX-License-Identifier: GPL-3.0-or-later
// Card naming: letters, codes and spoken names.
#include "cards.h"

#include <array>

namespace tallowby {

char rankLetter(int value)
{
    return value >= 1 && value <= 13 ? kRankLetters[value - 1] : kNoLetter;
}

int rankValueOf(char letter)
{
    const char upper =
        letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
    const auto pos = kRankLetters.find(upper);
    return pos == std::string_view::npos ? kNoValue : static_cast<int>(pos) + 1;
}

TCard makeCard(int index)
{
    if (index < 1 || index > kCardCount)
        return TCard{};
    const int value = cardValue(index);
    return TCard{index, value, 0, kSuitLetters[cardSuit(index)], rankLetter(value)};
}

std::string cardCode(int index)
{
    const TCard card = makeCard(index);
    return {card.Rank, card.Suit};
}

int cardIndexFromCode(std::string_view code)
{
    if (code == "--")
        return 0;
    if (code.size() != 2)
        return -1;
    const int value = rankValueOf(code[0]);
    const auto suit = kSuitLetters.find(code[1]);
    if (value == kNoValue || code[0] == '-' || suit == std::string_view::npos)
        return -1;
    return cardIndex(value, static_cast<int>(suit));
}

std::string rankName(int value)
{
    static constexpr std::array<const char *, 13> ranks = {"Deuce", "Three", "Four", "Five", "Six",
                                                           "Seven", "Eight", "Nine", "Ten",  "Jack",
                                                           "Queen", "King",  "Ace"};
    return value >= 1 && value <= 13 ? ranks[value - 1] : "";
}

std::string cardName(int index)
{
    static constexpr std::array<const char *, 4> suits = {"spades", "diamonds", "clubs", "hearts"};
    if (index < 1 || index > kCardCount)
        return "empty";
    return rankName(cardValue(index)) + " of " + suits[cardSuit(index)];
}

} // namespace tallowby
