// SPDX-License-Identifier: GPL-3.0-or-later
// The words a betting system is made of: the player's and the opponents' actions, the rounds,
// the hand types, the starting-hand names and the columns of the two tables. Every part of
// the program that reads or writes a system takes its texts from here.
#pragma once

#include "engine/cards.h"

#include <QString>
#include <QStringList>

// The player's actions, the values of every action column: "Check/Fold" .. "Raise All-In".
const QStringList &playerActions();
// The opponents' actions, the values of `Opps`: "Check", "Call", "Raise 100%" .. "Raise All-In".
const QStringList &opponentsActions();
// The values of `Rnd`: "Flop", "Turn", "River".
const QStringList &systemRounds();
// The values of `HType`: the short names of hand categories 1..8, "2 Kind" .. "Straight Flush".
const QStringList &systemHandTypes();

// The 169 starting hands, highest first: AA, AK suited, AK offsuit .. A2 offsuit, KK, KQ suited
// .. 32 offsuit, 22.
const QStringList &startingHandNames();
// The name of the starting hand of two cards: a pair as its rank letter twice ("77"), else the
// higher and the lower rank letter and " suited" or " offsuit" ("AK offsuit").
QString startingHandName(const tallowby::TCard &first, const tallowby::TCard &second);

// The columns of `PreFlop` after `Hand`: the player's action when the opponents call, raise
// 100%, 200%, 400%, 800% or go all-in.
const QStringList &preFlopActionColumns();
// The `PreFlop` column for the opponents' action of index 1..6; empty for "Check" (0), for no
// item (-1) and anything else: before the flop there is no advice against checking opponents.
QString preFlopColumnFor(int opponentsIndex);

// Key fields of `FTR` as the recommendation names them.
inline constexpr const char *kTypeSetKeys = "HType;Rnd;Opps";
