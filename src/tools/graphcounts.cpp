// SPDX-License-Identifier: GPL-3.0-or-later
// Counting history rows into bars.
#include "tools/graphcounts.h"

#include "db/dberror.h"
#include "db/dbtable.h"
#include "db/dbvalue.h"
#include "engine/evaluate.h"
#include "report/reportsource.h"

#include <QCoreApplication>

namespace tallowby {

namespace {

// Ace first: the ace bar, the AK bar and the AA bar stand lowest.
const QString kRankLetters = QStringLiteral("AKQJT98765432");
constexpr int kCategoryWidth = 908765; // 0xDDDDD: the highest five rank digits of a category

QString tr(const char *text)
{
    return QCoreApplication::translate("GameHistoryGraph", text);
}

// The standard 16-colour palette.
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kMaroon(128, 0, 0);
const QColor kPurple(128, 0, 128);
const QColor kTeal(0, 128, 128);
const QColor kOlive(128, 128, 0);
const QColor kAqua(0, 255, 255);

// Result words as they are stored, compared exactly.
constexpr std::array<const char *, 4> kResultWords = {"Win", "Lose", "Split", "Fold"};

QList<TCards> labelled(const QStringList &labels)
{
    QList<TCards> cards;
    cards.reserve(labels.size());
    for (const QString &label : labels)
        cards.append({label, 0});
    return cards;
}

QStringList rankLabels()
{
    QStringList labels;
    for (const QChar rank : kRankLetters)
        labels.append(QString(rank));
    return labels;
}

QStringList twoRankLabels()
{
    QStringList labels;
    for (qsizetype i = 0; i < kRankLetters.size(); ++i) {
        for (qsizetype j = i + 1; j < kRankLetters.size(); ++j)
            labels.append(QString(kRankLetters[i]) + kRankLetters[j]);
    }
    return labels;
}

QStringList pairLabels()
{
    QStringList labels;
    for (const QChar rank : kRankLetters)
        labels.append(QString(2, rank));
    return labels;
}

QString rankOf(const QString &code)
{
    return code.left(1);
}

QString suitOf(const QString &code)
{
    return code.mid(1, 1);
}

double barValue(qint32 count, qint32 total, bool percent)
{
    if (!percent)
        return count;
    if (total < 1)
        return 0;
    return double(count) / total * 100;
}

} // namespace

QStringList graphModeNames()
{
    return {tr("Game History"), tr("Hand History")};
}

std::optional<GraphMode> graphModeNamed(const QString &name)
{
    const QStringList names = graphModeNames();
    const qsizetype index = names.indexOf(name);
    if (index < 0)
        return std::nullopt;
    return GraphMode(index);
}

QList<GraphType> graphTypesOf(GraphMode mode)
{
    if (mode == GraphMode::HandHistory)
        return {GraphType::HandType, GraphType::Result};
    return {GraphType::Card,     GraphType::HandSuited, GraphType::HandOffsuit,
            GraphType::HandType, GraphType::PocketPair, GraphType::Result};
}

QString graphTypeName(GraphType type)
{
    switch (type) {
    case GraphType::Card:
        return tr("Card");
    case GraphType::HandSuited:
        return tr("Hand (suited)");
    case GraphType::HandOffsuit:
        return tr("Hand (offsuit)");
    case GraphType::HandType:
        return tr("Hand Type");
    case GraphType::PocketPair:
        return tr("Pocket Pair");
    case GraphType::Result:
        return tr("Result");
    }
    return {};
}

GraphRanges graphRangesOf(GraphType type)
{
    switch (type) {
    case GraphType::Card:
    case GraphType::PocketPair:
        return {14, 14};
    case GraphType::HandSuited:
    case GraphType::HandOffsuit:
        return {13, 79};
    case GraphType::HandType:
        return {10, 10};
    case GraphType::Result:
        return {5, 5};
    }
    return {};
}

QColor graphSeriesColour()
{
    return {0, 213, 213};
}

GraphTally::GraphTally(GraphType type)
    : m_type(type), m_ranks(labelled(rankLabels())), m_hands(labelled(twoRankLabels())),
      m_pairs(labelled(pairLabels()))
{}

void GraphTally::count(const GraphRow &row)
{
    switch (m_type) {
    case GraphType::Card:
        countCard(row);
        break;
    case GraphType::HandSuited:
        countHand(row, true);
        break;
    case GraphType::HandOffsuit:
        countHand(row, false);
        break;
    case GraphType::PocketPair:
        countPair(row);
        break;
    case GraphType::HandType:
        countHandType(row);
        break;
    case GraphType::Result:
        countResult(row);
        break;
    }
}

void GraphTally::countCard(const GraphRow &row)
{
    // A pocket pair counts once for its rank.
    const QString first = rankOf(row.h1);
    const QString second = rankOf(row.h2);
    for (TCards &rank : m_ranks) {
        if (rank.label == first || rank.label == second) {
            ++rank.count;
            ++m_total;
        }
    }
}

void GraphTally::countHand(const GraphRow &row, bool suited)
{
    if ((suitOf(row.h1) == suitOf(row.h2)) != suited)
        return;
    const QString forward = rankOf(row.h1) + rankOf(row.h2);
    const QString backward = rankOf(row.h2) + rankOf(row.h1);
    for (TCards &hand : m_hands) {
        if (hand.label == forward || hand.label == backward) {
            ++hand.count;
            ++m_total;
        }
    }
}

void GraphTally::countPair(const GraphRow &row)
{
    const QString pair = rankOf(row.h1) + rankOf(row.h2);
    for (TCards &entry : m_pairs) {
        if (entry.label == pair) {
            ++entry.count;
            ++m_total;
        }
    }
}

void GraphTally::countHandType(const GraphRow &row)
{
    for (int category = 0; category < int(m_handTypes.size()); ++category) {
        const qint64 low = qint64(category) * kCategoryUnit;
        if (row.rating >= low && row.rating <= low + kCategoryWidth)
            ++m_handTypes[category];
    }
    ++m_total;
}

void GraphTally::countResult(const GraphRow &row)
{
    for (size_t word = 0; word < kResultWords.size(); ++word) {
        if (row.result == QLatin1String(kResultWords[word]))
            ++m_results[word];
    }
    ++m_total;
}

QList<GraphBar> GraphTally::bars(bool percent) const
{
    QList<GraphBar> bars;
    const auto add = [&](const QString &label, qint32 count, const QColor &colour) {
        bars.append(
            {int(bars.size()) + 1, label, count, barValue(count, m_total, percent), colour});
    };
    const auto addAll = [&](const QList<TCards> &cards) {
        for (const TCards &card : cards)
            add(card.label, card.count, graphSeriesColour());
    };

    switch (m_type) {
    case GraphType::Card:
        addAll(m_ranks);
        break;
    case GraphType::HandSuited:
    case GraphType::HandOffsuit:
        addAll(m_hands);
        break;
    case GraphType::PocketPair:
        addAll(m_pairs);
        break;
    case GraphType::HandType: {
        const std::array<QColor, 9> colours = {
            kGreen, kRed, kYellow, graphSeriesColour(), kMaroon, kPurple, kTeal, kOlive, kAqua};
        for (int category = 0; category < 9; ++category) {
            add(tr(categoryShortName(category)), m_handTypes[category], colours[category]);
        }
        break;
    }
    case GraphType::Result: {
        const std::array<QColor, 4> colours = {kGreen, kRed, kYellow, graphSeriesColour()};
        for (size_t word = 0; word < kResultWords.size(); ++word)
            add(tr(kResultWords[word]), m_results[word], colours[word]);
        break;
    }
    }
    return bars;
}

namespace {

// A rating written as text by another program lies outside every hand type, as a rating too
// large for any does: it counts in the total only.
qint64 ratingOf(const QVariant &stored)
{
    try {
        return valueInteger(stored, QLatin1String("Rtg"));
    } catch (const DatabaseError &) {
        return -1;
    }
}

} // namespace

GraphTally tallyTable(DbTable &table, GraphType type)
{
    GraphTally tally(type);
    const bool readsRating = type == GraphType::HandType;
    const bool readsResult = type == GraphType::Result;
    const bool readsCards = !readsRating && !readsResult;
    const SuspendedViews quiet(table);
    for (table.first(); !table.isEmpty() && !table.atEnd(); table.next()) {
        GraphRow row;
        if (readsCards) {
            row.h1 = table.text(QStringLiteral("H1"));
            row.h2 = table.text(QStringLiteral("H2"));
        }
        if (readsRating)
            row.rating = ratingOf(table.value(QStringLiteral("Rtg")));
        if (readsResult)
            row.result = table.text(QStringLiteral("Result"));
        tally.count(row);
    }
    return tally;
}

AxisRange scrolledAxisRange(double span, int scrollMax, int position)
{
    const int stepsUp = scrollMax - position;
    if (stepsUp <= span - 1)
        return {0, span};
    return {stepsUp - span, double(stepsUp)};
}

} // namespace tallowby
