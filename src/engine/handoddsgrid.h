// SPDX-License-Identifier: GPL-3.0-or-later
// The "Hand Odds" grid as texts: four columns, a header row and one row per category shown.
// The window draws it; the analysis and New Game write it.
#pragma once

#include "handstate.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tallowby {

class HandOddsGrid
{
public:
    static constexpr int kColumns = 4;
    static constexpr int kInitialRows = 9;
    static constexpr std::array<int, kColumns> kColumnWidths{135, 205, 50, 50};

    HandOddsGrid() { clearForNewGame(); }

    // Nine rows, every cell empty, the four headers "Hand Type", "Need", "You %", "Higher %".
    void clearForNewGame();

    int rowCount() const { return static_cast<int>(rows_.size()); }
    // Rows added are empty; rows removed lose their texts.
    void setRowCount(int count);

    const std::string &cell(int column, int row) const { return rows_[row][column]; }
    void setCell(int column, int row, std::string text) { rows_[row][column] = std::move(text); }

private:
    std::vector<std::array<std::string, kColumns>> rows_;
};

// Writes the records into the grid: from the best category the player is certain of up to the
// straight flush. Without both hole cards only the row count goes back to nine.
void FillHandOddsGrid(const HandState &hand, HandOddsGrid &grid, char decimalSeparator);

// The number of distinct needed cards in column 1 of rows 1 .. row count - 1.
int CountOuts(const HandOddsGrid &grid);

// Background of one cell, decided by the row's "You %" text (columns 0..2) or by the cell's own
// "Higher %" text (column 3).
enum class CellShade
{
    ButtonFace,
    White,
    LightGreen,
    LightYellow,
    LightOrange,
    LightRed,
    Pink
};
CellShade handOddsCellShade(const HandOddsGrid &grid, int column, int row, char decimalSeparator);

// Reads a number text written with the given separator; false when the text is no number.
bool parseNumberText(std::string_view text, char decimalSeparator, double &value);

} // namespace tallowby
