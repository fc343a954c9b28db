// SPDX-License-Identifier: GPL-3.0-or-later
// The advice of the loaded betting system for the hand on the panel. Before the flop the
// starting hand's `PreFlop` row gives the action against the opponents' action; from the flop
// on, the `FTR` row of every hand category, the round and the opponents' action is compared
// with that category's odds, giving the hit verdict (from the chance of making the category)
// and the higher verdict (from the chance that an opponent holds better).
#pragma once

#include "engine/handstate.h"

#include <QColor>
#include <QString>

#include <cstdint>

class DbTable;

// What one `FTR` row advises, read from the table's current row.
struct CategoryRule
{
    QString hitE; // the category is made
    QString hitL; // its chance reaches hitV
    QString hitS; // its chance is below hitV
    std::int64_t hitV = 0;
    QString hgrL; // the chance of a higher hand reaches hgrV
    QString hgrS; // it is below hgrV
    std::int64_t hgrV = 0;
};

// Thresholds are whole numbers: a stored fraction rounds half to even, an empty one reads 0.
CategoryRule categoryRuleOf(const DbTable &typeSet);

// The verdicts found so far while the categories are compared, with the rank of each: hit 1
// from HitS, 2 from HitL, 3 from HitE; higher 1 from HgrS, 2 from HgrL. A verdict is never
// replaced by one of a lower rank.
struct VerdictLookup
{
    int hitLevel = 0;
    QString hitVerdict;
    int higherLevel = 0;
    QString higherVerdict;
};

// Compares one category's rule with its odds (`YouPct`, `HigherPct`; -1 for no figure).
void ApplyCategoryRule(VerdictLookup &lookup, const CategoryRule &rule,
                       const tallowby::THandStats &odds);

// "Flop", "Turn" or "River" for a hand whose slots form that stage, else empty.
QString systemRoundOf(const tallowby::HandState &hand);

struct Recommendation
{
    QString hitVerdict;    // for the first verdict panel
    QString higherVerdict; // for the second
    bool recolour = false; // after the flop both panels take the colour of their text
};

// Looks the hand up in the open tables of a loaded system, with the opponents' action as the
// panel shows it (its text, and its item index or -1 for a typed text). Moves the tables to the
// rows it reads.
Recommendation recommend(DbTable &handSet, DbTable &typeSet, const tallowby::HandState &hand,
                         const QString &opponentsText, int opponentsIndex);

// The colour of a verdict panel showing `text`: maroon for "Check/Fold", green for
// "Check/Call" and for no advice, olive for the raises.
QColor verdictColour(const QString &text);
