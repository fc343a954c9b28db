// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the number of active players.
#include "activeplayers.h"

std::optional<int> activePlayersFrom(const QString &text)
{
    bool isNumber = false;
    const int players = text.trimmed().toInt(&isNumber);
    if (!isNumber || players < kFewestPlayers || players > kMostPlayers)
        return std::nullopt;
    return players;
}
