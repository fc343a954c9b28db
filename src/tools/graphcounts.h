// SPDX-License-Identifier: GPL-3.0-or-later
// What the game history graph counts, free of widgets: the graph types of each mode, the bars of
// one type with their labels, counts, colours and percentages, the axis and scroll ranges a type
// starts with, and the visible part of the left axis for a scroll position.
#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class DbTable;

namespace tallowby {

enum class GraphMode
{
    GameHistory,
    HandHistory
};

enum class GraphType
{
    Card,
    HandSuited,
    HandOffsuit,
    HandType,
    PocketPair,
    Result
};

// "Game History", "Hand History".
QStringList graphModeNames();
std::optional<GraphMode> graphModeNamed(const QString &name);
// Six types for the game history, "Hand Type" and "Result" for the hand history.
QList<GraphType> graphTypesOf(GraphMode mode);
QString graphTypeName(GraphType type);

// The left axis shows 0 to axisMax when a type is chosen; the scroll bar runs 0 to scrollMax.
struct GraphRanges
{
    int axisMax = 0;
    int scrollMax = 0;
};
GraphRanges graphRangesOf(GraphType type);

// The base colour of the bars, and the fixed colours of the hand-type and result bars.
QColor graphSeriesColour();

// One bar's label and count.
struct TCards
{
    QString label;
    qint32 count = 0;
};

// The fields of one history row that the graph reads.
struct GraphRow
{
    QString h1;
    QString h2;
    qint64 rating = 0;
    QString result;
};

struct GraphBar
{
    int height = 0; // bar k stands at k, from 1
    QString label;
    qint32 count = 0;
    double value = 0; // the count, or its unrounded share of the total in percent
    QColor colour;
};

// The counts of one graph type over the rows given to count(). Fresh arrays and counters each
// time, all at 0.
class GraphTally
{
public:
    explicit GraphTally(GraphType type);

    void count(const GraphRow &row);

    GraphType type() const { return m_type; }
    qint32 total() const { return m_total; }
    // The bars of the type, lowest first.
    QList<GraphBar> bars(bool percent) const;

    // Labelled from "AKQJT98765432": 13 ranks, 78 two-rank hands (AK .. 32), 13 pairs (AA .. 22).
    const QList<TCards> &ranks() const { return m_ranks; }
    const QList<TCards> &hands() const { return m_hands; }
    const QList<TCards> &pairs() const { return m_pairs; }

private:
    void countCard(const GraphRow &row);
    void countHand(const GraphRow &row, bool suited);
    void countPair(const GraphRow &row);
    void countHandType(const GraphRow &row);
    void countResult(const GraphRow &row);

    GraphType m_type;
    QList<TCards> m_ranks;
    QList<TCards> m_hands;
    QList<TCards> m_pairs;
    std::array<qint32, 9> m_handTypes{};
    std::array<qint32, 4> m_results{};
    qint32 m_total = 0;
};

// Walks the table from its first row to its last in its current sort and filter, counting each
// row; the table is left on its last row. Its views stay quiet during the walk.
GraphTally tallyTable(DbTable &table, GraphType type);

// The part of the left axis in view when the scroll bar (0 .. scrollMax, 0 at the top) stands
// at `position`, for an axis `span` units high: the lowest bars until the thumb has moved up by
// span steps, then one unit up per step.
struct AxisRange
{
    double min = 0;
    double max = 0;
};
AxisRange scrolledAxisRange(double span, int scrollMax, int position);

} // namespace tallowby
