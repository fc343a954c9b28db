// SPDX-License-Identifier: GPL-3.0-or-later
// Looking the current hand up in a betting system.
#include "systems/recommendation.h"

#include "db/dbtable.h"
#include "systems/systemvocabulary.h"

using namespace tallowby;

namespace {

constexpr int kFromHitS = 1;
constexpr int kFromHitL = 2;
constexpr int kFromHitE = 3;
constexpr int kFromHgrS = 1;
constexpr int kFromHgrL = 2;

bool onlyHoleCards(const HandState &hand)
{
    if (!hand.filled(H1) || !hand.filled(H2))
        return false;
    for (int s = F1; s <= Rr; ++s) {
        if (hand.filled(s))
            return false;
    }
    return true;
}

Recommendation preFlopAdvice(DbTable &handSet, const HandState &hand, int opponentsIndex)
{
    Recommendation advice;
    const QString name = startingHandName(hand.Slots[H1], hand.Slots[H2]);
    if (!handSet.locate(QStringLiteral("Hand"), {name}, DbTable::CaseInsensitive))
        return advice;
    const QString column = preFlopColumnFor(opponentsIndex);
    if (!column.isEmpty())
        advice.hitVerdict = handSet.text(column);
    return advice;
}

Recommendation postFlopAdvice(DbTable &typeSet, const HandState &hand, const QString &opponentsText)
{
    VerdictLookup lookup;
    const QString round = systemRoundOf(hand);
    if (!round.isEmpty()) {
        const QStringList &types = systemHandTypes();
        for (int c = 0; c < types.size(); ++c) {
            // Each category's row is compared with that category's own odds.
            if (typeSet.locate(QString::fromLatin1(kTypeSetKeys),
                               {types.at(c), round, opponentsText}))
                ApplyCategoryRule(lookup, categoryRuleOf(typeSet), hand.HandStats.at(c));
        }
    }
    return {lookup.hitVerdict, lookup.higherVerdict, true};
}

} // namespace

CategoryRule categoryRuleOf(const DbTable &typeSet)
{
    CategoryRule rule;
    rule.hitE = typeSet.text("HitE");
    rule.hitL = typeSet.text("HitL");
    rule.hitS = typeSet.text("HitS");
    rule.hitV = typeSet.integer("HitV");
    rule.hgrL = typeSet.text("HgrL");
    rule.hgrS = typeSet.text("HgrS");
    rule.hgrV = typeSet.integer("HgrV");
    return rule;
}

void ApplyCategoryRule(VerdictLookup &lookup, const CategoryRule &rule, const THandStats &odds)
{
    const double you = odds.YouPct;
    const double higher = odds.HigherPct;
    const auto hitV = double(rule.hitV);
    const auto hgrV = double(rule.hgrV);
    // A made category outranks every chance, and what the categories below it said about
    // higher hands no longer applies.
    if (you == 100) {
        lookup.hitLevel = kFromHitE;
        lookup.hitVerdict = rule.hitE;
        lookup.higherLevel = 0;
        lookup.higherVerdict.clear();
    }
    if (hitV <= you && you < 100 && lookup.hitLevel < kFromHitE) {
        lookup.hitLevel = kFromHitL;
        lookup.hitVerdict = rule.hitL;
    }
    if (you < hitV && lookup.hitLevel < kFromHitL) {
        lookup.hitLevel = kFromHitS;
        lookup.hitVerdict = rule.hitS;
    }
    if (higher >= hgrV) {
        lookup.higherLevel = kFromHgrL;
        lookup.higherVerdict = rule.hgrL;
    }
    if (higher < hgrV && lookup.higherLevel < kFromHgrL) {
        lookup.higherLevel = kFromHgrS;
        lookup.higherVerdict = rule.hgrS;
    }
}

QString systemRoundOf(const HandState &hand)
{
    const auto filledThrough = [&hand](int last) {
        for (int s = H1; s <= Rr; ++s) {
            if (hand.filled(s) != (s <= last))
                return false;
        }
        return true;
    };
    if (filledThrough(F3))
        return systemRounds().at(0);
    if (filledThrough(Tn))
        return systemRounds().at(1);
    if (filledThrough(Rr))
        return systemRounds().at(2);
    return {};
}

Recommendation recommend(DbTable &handSet, DbTable &typeSet, const HandState &hand,
                         const QString &opponentsText, int opponentsIndex)
{
    if (onlyHoleCards(hand))
        return preFlopAdvice(handSet, hand, opponentsIndex);
    return postFlopAdvice(typeSet, hand, opponentsText);
}

QColor verdictColour(const QString &text)
{
    if (text == playerActions().at(0))
        return QColor(128, 0, 0);
    if (text.isEmpty() || text == playerActions().at(1))
        return QColor(0, 128, 0);
    return QColor(128, 128, 0);
}
