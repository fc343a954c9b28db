// SPDX-License-Identifier: GPL-3.0-or-later
// The filter of the "Hand History" view: the games whose two hole cards have the ranks of the
// two hole cards entered now, in either order and with any suits.
#pragma once

#include <QChar>
#include <QString>

class DbTable;

// 32 comparisons joined by " OR ": the first 16 (H1 = 'Px' AND H2 = 'Qy'), the last 16
// (H2 = 'Px' AND H1 = 'Qy'), each half running through the suit pairs sd sc sh ss ds dc dh dd
// cs cd ch cc hs hc hd hh. An empty slot's rank "-" matches no stored game.
QString holeCardFilterText(QChar p, QChar q);

// Puts the filter on the table and switches filtering on, reading the rows once.
void applyHoleCardFilter(DbTable &handHistory, const QString &filter);
