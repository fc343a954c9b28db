// SPDX-License-Identifier: GPL-3.0-or-later
// The starter system shipped beside the program: its advice, drawn from the pre-flop equity
// table and from pot odds, and the routine that writes it into the tables of a new file.
//
// Before the flop a hand is judged by its equity heads-up against one opponent holding random
// cards. Each opponents' action has two bars: at or above the raise bar the hand raises, at or
// above the call bar it calls, below it folds; both bars rise as the opponents' action gets
// stronger, and against an all-in nobody raises. After the flop, for every round alike: a made
// strong hand raises, a made pair calls, a draw calls when its chance reaches the pot odds of
// the opponents' action, and a hand folds when a higher hand is likely.
#pragma once

#include <QString>

class DbConnection;
class DbTable;

namespace tallowby {
class PreflopEquityTable;
}

inline constexpr const char *kStarterSystemFileName = "Starter.mdb";

// Bars in percent of heads-up equity for the opponents' action 1 ("Call") .. 6 ("Raise
// All-In"); a raise bar above 100 means the hand never raises.
struct StarterPreflopBars
{
    double raiseFrom = 0;
    double callFrom = 0;
};
StarterPreflopBars starterPreflopBars(int opponentsAction);

// The player's action for a hand of the given heads-up equity (percent) against the
// opponents' action 1..6.
QString starterPreflopAction(double equityPercent, int opponentsAction);

// The action and threshold columns of the `FTR` row for the hand type 0..7 and the opponents'
// action 0..6, in table order from `HitE` on; the same in every round.
struct StarterTypeRow
{
    QString hitMade;
    QString hitLikely;
    QString hitUnlikely;
    int hitThreshold = 0;
    QString higherLikely;
    QString higherUnlikely;
    int higherThreshold = 0;
};
StarterTypeRow starterTypeRow(int handType, int opponentsAction);

// The heads-up equity of the system's hand name ("AK suited") in percent.
double headsUpEquityPercent(const tallowby::PreflopEquityTable &table, const QString &handName);

// Appends the starter system to the open, empty tables in one transaction, in the row order of
// a new system; both tables then stand on their first row.
void FillStarterSystem(DbConnection &connection, DbTable &handSet, DbTable &typeSet,
                       const tallowby::PreflopEquityTable &equities);
