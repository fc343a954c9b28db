// SPDX-License-Identifier: GPL-3.0-or-later
// The vocabulary of betting systems.
#include "systems/systemvocabulary.h"

#include "engine/evaluate.h"

namespace {

// Rank letters highest first, the order in which a system lists its starting hands.
constexpr const char *kRanksHighFirst = "AKQJT98765432";

QStringList buildStartingHandNames()
{
    const QString ranks = QString::fromLatin1(kRanksHighFirst);
    QStringList names;
    for (qsizetype high = 0; high < ranks.size(); ++high) {
        for (qsizetype low = high; low < ranks.size(); ++low) {
            const QString letters = QString(ranks.at(high)) + ranks.at(low);
            if (high == low) {
                names.append(letters);
            } else {
                names.append(letters + QStringLiteral(" suited"));
                names.append(letters + QStringLiteral(" offsuit"));
            }
        }
    }
    return names;
}

} // namespace

const QStringList &playerActions()
{
    static const QStringList actions = {QStringLiteral("Check/Fold"),  QStringLiteral("Check/Call"),
                                        QStringLiteral("Raise 100%"),  QStringLiteral("Raise 200%"),
                                        QStringLiteral("Raise 400%"),  QStringLiteral("Raise 800%"),
                                        QStringLiteral("Raise All-In")};
    return actions;
}

const QStringList &opponentsActions()
{
    static const QStringList actions = {QStringLiteral("Check"),       QStringLiteral("Call"),
                                        QStringLiteral("Raise 100%"),  QStringLiteral("Raise 200%"),
                                        QStringLiteral("Raise 400%"),  QStringLiteral("Raise 800%"),
                                        QStringLiteral("Raise All-In")};
    return actions;
}

const QStringList &systemRounds()
{
    static const QStringList rounds = {QStringLiteral("Flop"), QStringLiteral("Turn"),
                                       QStringLiteral("River")};
    return rounds;
}

const QStringList &systemHandTypes()
{
    static const QStringList types = [] {
        QStringList names;
        for (int c = tallowby::OnePair; c <= tallowby::StraightFlush; ++c)
            names.append(QString::fromLatin1(tallowby::categoryShortName(c)));
        return names;
    }();
    return types;
}

const QStringList &startingHandNames()
{
    static const QStringList names = buildStartingHandNames();
    return names;
}

QString startingHandName(const tallowby::TCard &first, const tallowby::TCard &second)
{
    if (first.Value == second.Value)
        return QString(QLatin1Char(first.Rank)) + QLatin1Char(second.Rank);
    const tallowby::TCard &high = first.Value > second.Value ? first : second;
    const tallowby::TCard &low = first.Value > second.Value ? second : first;
    const QString suffix =
        first.Suit == second.Suit ? QStringLiteral(" suited") : QStringLiteral(" offsuit");
    return QString(QLatin1Char(high.Rank)) + QLatin1Char(low.Rank) + suffix;
}

const QStringList &preFlopActionColumns()
{
    static const QStringList columns = {QStringLiteral("OppCl"), QStringLiteral("OppR1"),
                                        QStringLiteral("OppR2"), QStringLiteral("OppR4"),
                                        QStringLiteral("OppR8"), QStringLiteral("OppAI")};
    return columns;
}

QString preFlopColumnFor(int opponentsIndex)
{
    if (opponentsIndex < 1 || opponentsIndex > preFlopActionColumns().size())
        return {};
    return preFlopActionColumns().at(opponentsIndex - 1);
}
