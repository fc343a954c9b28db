// SPDX-License-Identifier: GPL-3.0-or-later
// The starter system's advice and its rows.
#include "systems/startersystem.h"

#include "db/dbconnection.h"
#include "db/dbtable.h"
#include "engine/preflopequity.h"
#include "systems/systemvocabulary.h"

#include <QVariantList>

#include <array>
#include <stdexcept>

namespace {

enum PlayerAction
{
    Fold,
    Call,
    Raise100
};
enum OpponentsAction
{
    OppCheck,
    OppCall,
    OppRaise100,
    OppRaise200,
    OppRaise400,
    OppRaise800,
    OppAllIn
};
enum HandType
{
    Pair,
    TwoPair,
    Trips
};

constexpr double kNever = 101;

// Index 0 is "Check", which has no pre-flop column.
constexpr std::array<StarterPreflopBars, 7> kPreflopBars = {{
    {kNever, kNever},
    {62, 54},
    {64, 57},
    {66, 60},
    {70, 63},
    {75, 66},
    {kNever, 70},
}};

// A draw is worth calling when its chance reaches the share of the pot the call costs: a raise
// of r times the pot asks for r / (1 + 2r), a third for a pot-sized raise and nearly a half for
// an all-in. Checking and calling opponents ask for little.
constexpr std::array<int, 7> kHitThresholds = {20, 25, 33, 40, 44, 47, 50};
// A stronger opponents' action makes a higher hand more likely to be out there, so the chance
// of one that is enough to fold falls as the action rises.
constexpr std::array<int, 7> kHigherThresholds = {70, 60, 50, 45, 40, 35, 30};

const QString &action(int index)
{
    return playerActions().at(index);
}

} // namespace

StarterPreflopBars starterPreflopBars(int opponentsAction)
{
    if (opponentsAction < OppCall || opponentsAction > OppAllIn)
        throw std::out_of_range("no pre-flop column for this opponents' action");
    return kPreflopBars.at(std::size_t(opponentsAction));
}

QString starterPreflopAction(double equityPercent, int opponentsAction)
{
    const StarterPreflopBars bars = starterPreflopBars(opponentsAction);
    if (equityPercent >= bars.raiseFrom)
        return action(Raise100);
    return action(equityPercent >= bars.callFrom ? Call : Fold);
}

StarterTypeRow starterTypeRow(int handType, int opponentsAction)
{
    const std::size_t opponents = std::size_t(opponentsAction);
    StarterTypeRow row;
    // Three of a kind and better raise until an opponent is all-in; two pairs raise only
    // while nobody has raised; a pair calls.
    const bool raises = handType >= Trips ? opponentsAction < OppAllIn
                                          : handType == TwoPair && opponentsAction <= OppCall;
    row.hitMade = action(raises ? Raise100 : Call);
    row.hitLikely = action(Call);
    row.hitUnlikely = action(Fold);
    row.hitThreshold = kHitThresholds.at(opponents);
    row.higherLikely = action(Fold);
    row.higherUnlikely = action(Call);
    row.higherThreshold = kHigherThresholds.at(opponents);
    return row;
}

double headsUpEquityPercent(const tallowby::PreflopEquityTable &table, const QString &handName)
{
    // "AK suited" → "AKs", "AK offsuit" → "AKo", "AA" stays.
    std::string name = handName.left(2).toStdString();
    if (handName.size() > 2)
        name += handName.mid(3, 1).toStdString();
    const int handClass = tallowby::startingHandClassFromName(name);
    if (handClass < 0)
        throw std::invalid_argument("not a starting hand: " + handName.toStdString());
    return table.entry(handClass, 1).equity * 100;
}

void FillStarterSystem(DbConnection &connection, DbTable &handSet, DbTable &typeSet,
                       const tallowby::PreflopEquityTable &equities)
{
    DbTransaction transaction(connection);
    const QStringList &types = systemHandTypes();
    const QStringList &opponents = opponentsActions();
    for (int type = 0; type < types.size(); ++type) {
        for (int opps = 0; opps < opponents.size(); ++opps) {
            const StarterTypeRow row = starterTypeRow(type, opps);
            for (const QString &round : systemRounds()) {
                typeSet.appendRecord({types.at(type), round, opponents.at(opps), row.hitMade,
                                      row.hitLikely, row.hitUnlikely, row.hitThreshold,
                                      row.higherLikely, row.higherUnlikely, row.higherThreshold});
            }
        }
    }
    for (const QString &hand : startingHandNames()) {
        const double equity = headsUpEquityPercent(equities, hand);
        QVariantList values{hand};
        for (int opps = OppCall; opps <= OppAllIn; ++opps)
            values.append(starterPreflopAction(equity, opps));
        handSet.appendRecord(values);
    }
    transaction.commit();
    typeSet.first();
    handSet.first();
}
