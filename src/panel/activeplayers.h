// SPDX-License-Identifier: GPL-3.0-or-later
// The number of active players as the analysis reads it from the "Active players:" text.
#pragma once

#include <QString>
#include <optional>

inline constexpr int kFewestPlayers = 2;
inline constexpr int kMostPlayers = 10;

// The whole number in the text (blanks around it allowed) when it lies in 2..10, the numbers the
// box offers; nothing for any other text. A count below two would leave no opponent (or a
// negative number of them) for the Win % and Higher % formulas.
std::optional<int> activePlayersFrom(const QString &text);
