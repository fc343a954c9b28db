// SPDX-License-Identifier: GPL-3.0-or-later
// The key sequence of a typed card.
#include "cardkeys.h"

#include "engine/cards.h"
#include "engine/cardtext.h"

namespace {

constexpr int kTen = 9;
constexpr int kDeckRows = 4;
constexpr int kDeckColumns = 13;

} // namespace

CardKeys::Step CardKeys::type(char32_t character)
{
    if (zeroNext_) {
        if (character != U'0')
            return {};
        zeroNext_ = false;
        typed_ += '0';
        return {Result::Waiting};
    }
    if (rank_ != -1) {
        const int suit = tallowby::suitOfCharacter(character);
        if (suit < 0)
            return {};
        const int card = tallowby::cardIndex(rank_, suit);
        clear();
        return {Result::Card, card};
    }
    int rank = tallowby::rankOfCharacter(character);
    if (character == U'1') {
        rank = kTen;
        zeroNext_ = true;
    } else if (character == U'0') {
        rank = kTen;
    }
    if (rank == -1)
        return {};
    rank_ = rank;
    typed_ = static_cast<char>(character);
    return {Result::Waiting};
}

CardKeys::Step CardKeys::escape()
{
    if (rank_ == -1)
        return {};
    clear();
    return {Result::Dropped};
}

void CardKeys::clear()
{
    rank_ = -1;
    zeroNext_ = false;
    typed_.clear();
}

int deckNeighbour(int card, int rowStep, int columnStep)
{
    const int row = tallowby::cardSuit(card) + rowStep;
    const int column = kDeckColumns - tallowby::cardValue(card) + columnStep;
    if (row < 0 || row >= kDeckRows || column < 0 || column >= kDeckColumns)
        return card;
    return tallowby::cardIndex(kDeckColumns - column, row);
}
