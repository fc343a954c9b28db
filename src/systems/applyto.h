// SPDX-License-Identifier: GPL-3.0-or-later
// "Apply to...": copying the entries of one `FTR` row (its five actions and two thresholds)
// to the rows of the same hand type for every opponents' action, to the same row of the other
// rounds, or to both. Plain routines over the table, for the editor's round pages.
#pragma once

#include "systems/rowchanges.h"

#include <QString>
#include <QStringList>

class DbTable;

enum class ApplyScope
{
    Opponents, // the other opponents' actions of the hand type, same round
    Rounds,    // the same hand type and opponents' action on the other rounds
    Both       // every opponents' action on every round of the hand type
};

struct TypeSetKey
{
    QString type;
    QString opponents;
    QString round;
};

// The fields an "Apply to..." copies: HitE, HitL, HitS, HitV, HgrL, HgrS, HgrV.
const QStringList &copiedTypeSetFields();
// The key fields in the order TypeSetKey holds them.
inline constexpr const char *kApplyKeys = "HType;Opps;Rnd";

// The changes that make every target row of `scope` hold the values the table's current row
// holds (the row of `source`); rows that hold them already are left out. Reads the stored
// rows, so the row on view must be stored first.
RowChanges applyToChanges(const DbTable &typeSet, const TypeSetKey &source, ApplyScope scope);
