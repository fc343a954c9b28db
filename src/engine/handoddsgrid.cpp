// SPDX-License-Identifier: GPL-3.0-or-later
// The "Hand Odds" grid texts, the outs count read from them, and their colours.
#include "handoddsgrid.h"

#include "odds.h"

#include <cstdlib>
#include <string>

namespace tallowby {

void HandOddsGrid::clearForNewGame()
{
    rows_.assign(kInitialRows, {});
    rows_[0] = {"Hand Type", "Need", "You %", "Higher %"};
}

void HandOddsGrid::setRowCount(int count)
{
    rows_.resize(static_cast<std::size_t>(count));
}

void FillHandOddsGrid(const HandState &hand, HandOddsGrid &grid, char decimalSeparator)
{
    if (!hand.filled(H1) || !hand.filled(H2)) {
        grid.setRowCount(HandOddsGrid::kInitialRows);
        return;
    }
    int first = 0; // the best category the player is certain of
    for (int i = 0; i < kStatsCount; ++i)
        if (hand.HandStats[i].YouPct == 100)
            first = i;
    grid.setRowCount(HandOddsGrid::kInitialRows - first);
    for (int row = 1; row < grid.rowCount(); ++row) {
        const THandStats &record = hand.HandStats[first + row - 1];
        grid.setCell(0, row, record.Name);
        grid.setCell(1, row, record.Need);
        grid.setCell(2, row, numberText(record.YouPct, decimalSeparator));
        grid.setCell(
            3, row, record.HigherPct == -1 ? "??" : numberText(record.HigherPct, decimalSeparator));
    }
}

int CountOuts(const HandOddsGrid &grid)
{
    std::string collected;
    for (int row = 1; row < grid.rowCount(); ++row) {
        std::string rest = grid.cell(1, row);
        while (rest.size() > 1) {
            const std::string unit = rest.substr(0, 3);
            if (collected.find(unit) == std::string::npos)
                collected += unit;
            rest.erase(0, 3);
        }
    }
    return static_cast<int>(collected.size() / 3);
}

bool parseNumberText(std::string_view text, char decimalSeparator, double &value)
{
    std::string plain(text);
    if (plain.empty())
        return false;
    bool digits = false;
    bool separator = false;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        char &ch = plain[i];
        if (ch >= '0' && ch <= '9')
            digits = true;
        else if (ch == decimalSeparator && !separator)
            separator = true, ch = '.';
        else if (!(i == 0 && (ch == '-' || ch == '+')))
            return false;
    }
    if (!digits)
        return false;
    value = std::strtod(plain.c_str(), nullptr);
    return true;
}

CellShade handOddsCellShade(const HandOddsGrid &grid, int column, int row, char decimalSeparator)
{
    if (row == 0)
        return CellShade::ButtonFace;
    const std::string &text = grid.cell(column, row);
    if (text.empty())
        return CellShade::White;
    double v = 0;
    if (column == 3) {
        if (text == "??")
            return CellShade::Pink;
        if (!parseNumberText(text, decimalSeparator, v))
            return CellShade::White;
        return v >= 90   ? CellShade::LightRed
               : v >= 10 ? CellShade::LightOrange
               : v >= 1  ? CellShade::LightYellow
                         : CellShade::LightGreen;
    }
    if (!parseNumberText(grid.cell(2, row), decimalSeparator, v))
        return CellShade::White;
    return v == 100  ? CellShade::LightGreen
           : v >= 10 ? CellShade::LightYellow
           : v >= 1  ? CellShade::LightOrange
                     : CellShade::LightRed;
}

} // namespace tallowby
