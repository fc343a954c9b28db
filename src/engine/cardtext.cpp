// SPDX-License-Identifier: GPL-3.0-or-later
// The reader of written cards: one pass over the bytes, UTF-8 decoded on the way.
#include "cardtext.h"

#include "cards.h"

#include <array>

namespace tallowby {

namespace {

constexpr char32_t kNotUtf8 = 0xFFFD;
constexpr char32_t kNoBreakSpace = 0xA0;
constexpr char32_t kEmojiPresentation = 0xFE0F;
constexpr std::size_t kNowhere = static_cast<std::size_t>(-1);
constexpr int kTenValue = 9;

struct Decoded
{
    char32_t character;
    std::size_t length; // bytes, at least 1
};

// The character that starts at byte `at` (< text.size()). A byte that starts no well-formed
// UTF-8 sequence is one character of its own that matches nothing.
Decoded decodeAt(std::string_view text, std::size_t at)
{
    const auto byte = [text](std::size_t i) {
        return static_cast<unsigned char>(text[i]);
    };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t value = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        least = 0x10000;
    } else {
        return {kNotUtf8, 1};
    }
    if (text.size() - at < length)
        return {kNotUtf8, 1};
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(at + i);
        if ((next & 0xC0) != 0x80)
            return {kNotUtf8, 1};
        value = (value << 6) | (next & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {kNotUtf8, 1};
    return {value, length};
}

bool isSeparator(char32_t c)
{
    switch (c) {
    case U' ':
    case U'\t':
    case U'\n':
    case U'\r':
    case U'\v':
    case U'\f':
    case U',':
    case U';':
    case kNoBreakSpace:
        return true;
    default:
        return false;
    }
}

// The end of the run of non-separators that goes on at byte `from`.
std::size_t wordEnd(std::string_view text, std::size_t from)
{
    while (from < text.size()) {
        const Decoded next = decodeAt(text, from);
        if (isSeparator(next.character))
            break;
        from += next.length;
    }
    return from;
}

CardTextReading refused(CardTextProblem problem, std::string_view text, TextSpan offending,
                        std::size_t wordStart, TextSpan earlier = {}, int repeatedCard = 0)
{
    CardTextReading reading;
    reading.problem = problem;
    reading.offending = offending;
    const std::size_t end = wordEnd(text, offending.offset + offending.length);
    reading.word = {wordStart, end - wordStart};
    reading.earlier = earlier;
    reading.repeatedCard = repeatedCard;
    return reading;
}

} // namespace

int rankOfCharacter(char32_t character)
{
    if (character >= 0x80)
        return kNoValue;
    return rankValueOf(static_cast<char>(character));
}

int suitOfCharacter(char32_t character)
{
    switch (character) {
    case U's':
    case U'S':
    case U'\u2660': // black spade suit
    case U'\u2664': // white spade suit
        return 0;
    case U'd':
    case U'D':
    case U'\u2666': // black diamond suit
    case U'\u2662': // white diamond suit
        return 1;
    case U'c':
    case U'C':
    case U'\u2663': // black club suit
    case U'\u2667': // white club suit
        return 2;
    case U'h':
    case U'H':
    case U'\u2665': // black heart suit
    case U'\u2661': // white heart suit
        return 3;
    default:
        return -1;
    }
}

CardTextReading readCardText(std::string_view text)
{
    CardTextReading reading;
    std::array<TextSpan, kCardCount + 1> firstWriting{};
    firstWriting.fill({kNowhere, 0});
    std::size_t wordStart = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const Decoded first = decodeAt(text, at);
        if (isSeparator(first.character)) {
            at += first.length;
            wordStart = at;
            continue;
        }
        const std::size_t start = at;
        int rank = rankOfCharacter(first.character);
        std::size_t rankEnd = at + first.length;
        if (first.character == U'1' && rankEnd < text.size() && text[rankEnd] == '0') {
            rank = kTenValue;
            ++rankEnd;
        }
        if (rank == kNoValue)
            return refused(CardTextProblem::NotACard, text, {start, first.length}, wordStart);
        const Decoded suitMark = rankEnd < text.size() ? decodeAt(text, rankEnd) : Decoded{U' ', 0};
        if (isSeparator(suitMark.character))
            return refused(CardTextProblem::MissingSuit, text, {start, rankEnd - start}, wordStart);
        const int suit = suitOfCharacter(suitMark.character);
        std::size_t end = rankEnd + suitMark.length;
        if (suit < 0)
            return refused(CardTextProblem::UnknownSuit, text, {start, end - start}, wordStart);
        if (suitMark.character >= 0x80 && end < text.size()) {
            const Decoded selector = decodeAt(text, end);
            if (selector.character == kEmojiPresentation)
                end += selector.length;
        }

        const TextSpan written{start, end - start};
        const int card = cardIndex(rank, suit);
        if (firstWriting[card].offset != kNowhere)
            return refused(CardTextProblem::RepeatedCard, text, written, wordStart,
                           firstWriting[card], card);
        firstWriting[card] = written;
        reading.cards.push_back(card);
        reading.where.push_back(written);
        at = end;
    }
    if (reading.cards.empty())
        return refused(CardTextProblem::NoCards, text, {0, text.size()}, 0);
    return reading;
}

std::size_t characterPosition(std::string_view text, std::size_t offset)
{
    std::size_t position = 1;
    for (std::size_t at = 0; at < offset && at < text.size(); ++position)
        at += decodeAt(text, at).length;
    return position;
}

} // namespace tallowby
