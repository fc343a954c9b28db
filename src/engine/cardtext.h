// SPDX-License-Identifier: GPL-3.0-or-later
// Reading cards that a person wrote: one code or a whole text of codes, as typed, pasted or
// given on a command line.
//
// A card is its rank then its suit, with nothing between them:
//   rank  2..9, T or 10, J, Q, K, A           (either letter case)
//   suit  s d c h, or the symbols ♠ ♦ ♣ ♥ (also ♤ ♢ ♧ ♡), in UTF-8, optionally followed by
//         the emoji presentation selector U+FE0F
// Cards may stand apart or run together: "Ah Kh Qh 7h 2c", "AhKh Qh7h2c", "ah, kh", "10♣J♣".
// Between cards: blanks, tabs, line breaks, no-break spaces, commas and semicolons.
//
// The reader looks at every byte once and keeps no more than the cards it found, so any input
// of any length is safe to give it; it never throws.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace tallowby {

// Part of a text, in bytes.
struct TextSpan
{
    std::size_t offset = 0;
    std::size_t length = 0;

    std::string_view of(std::string_view text) const { return text.substr(offset, length); }
    bool operator==(const TextSpan &) const = default;
};

enum class CardTextProblem
{
    None,
    NoCards,      // nothing but separators, or nothing at all
    NotACard,     // a character that starts no card ("X", "1s", "-")
    MissingSuit,  // a rank with no suit after it ("K" at the end, "K Qh")
    UnknownSuit,  // a rank followed by something that is no suit ("Ax", "K7")
    RepeatedCard, // the same card a second time ("Ah ... ah")
};

struct CardTextReading
{
    std::vector<int> cards;      // card indices 1..52 in the order written; empty on a problem
    std::vector<TextSpan> where; // where each card was written
    CardTextProblem problem = CardTextProblem::None;
    TextSpan offending;   // the faulty part: the character, the rank, rank and non-suit,
                          // or the repeated card's second writing
    TextSpan word;        // the run of text between separators that holds `offending`
    TextSpan earlier;     // RepeatedCard: the first writing of the card
    int repeatedCard = 0; // RepeatedCard: its card index

    bool ok() const { return problem == CardTextProblem::None; }
};

// Reads every card of the text. Stops at the first problem, reporting it and no cards.
CardTextReading readCardText(std::string_view text);

// Rank value 1..13 of a single rank character ('2'..'9', 'T', 'J', 'Q', 'K', 'A' in either
// case); -1 for any other. Ten written as "10" takes two characters and is not one of these.
int rankOfCharacter(char32_t character);

// Suit number 0 (spades), 1 (diamonds), 2 (clubs), 3 (hearts) of a suit letter in either case
// or a suit symbol; -1 for any other character.
int suitOfCharacter(char32_t character);

// Number of characters (UTF-8 code points) in the text before byte `offset`, plus one: where a
// person counting characters finds the part that starts there.
std::size_t characterPosition(std::string_view text, std::size_t offset);

} // namespace tallowby
