// SPDX-License-Identifier: GPL-3.0-or-later
// What the game history graph counts: cards, suited and offsuit starting hands, pocket pairs,
// hand-type ranges and results, as counts and unrounded percentages; the bars' labels, order
// and colours; the ranges of each type and the scroll rule; the walk over a history view.
#include "db/dbconnection.h"
#include "db/dbfiles.h"
#include "db/dbtable.h"
#include "tools/graphcounts.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <numeric>

using namespace tallowby;

namespace {

using Counts = QMap<QString, int>;

GraphRow cards(const char *h1, const char *h2)
{
    return {QString::fromLatin1(h1), QString::fromLatin1(h2), 0, {}};
}

// The bars with a count, by label, and the total.
Counts countsOf(const GraphTally &tally)
{
    Counts counts;
    for (const GraphBar &bar : tally.bars(false)) {
        if (bar.count != 0)
            counts.insert(bar.label, bar.count);
    }
    return counts;
}

GraphTally tallied(GraphType type, const QList<GraphRow> &rows)
{
    GraphTally tally(type);
    for (const GraphRow &row : rows)
        tally.count(row);
    return tally;
}

double sumOf(const QList<GraphBar> &bars)
{
    return std::accumulate(bars.begin(), bars.end(), 0.0,
                           [](double sum, const GraphBar &bar) { return sum + bar.value; });
}

} // namespace

class TestGraphCounts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void holeCards_data();
    void holeCards();
    void handTypeRanges_data();
    void handTypeRanges();
    void results_data();
    void results();
    void percentages();
    void anEmptyViewGivesZeroBars_data();
    void anEmptyViewGivesZeroBars();
    void barsLabelsAndColours();
    void typesAndRanges_data();
    void typesAndRanges();
    void scrolling_data();
    void scrolling();
    void theWalkCountsTheViewsRows();
    void ratingsWrittenByOtherPrograms_data();
    void ratingsWrittenByOtherPrograms();
};

void TestGraphCounts::holeCards_data()
{
    QTest::addColumn<GraphType>("type");
    QTest::addColumn<QList<GraphRow>>("rows");
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<int>("total");

    const QList<GraphRow> akAndQueens = {cards("As", "Kd"), cards("Qc", "Qh")};
    QTest::newRow("Card: As Kd, Qc Qh")
        << GraphType::Card << akAndQueens << Counts{{"A", 1}, {"K", 1}, {"Q", 1}} << 3;
    QTest::newRow("Card: a pair counts its rank once")
        << GraphType::Card << QList<GraphRow>{cards("9c", "9d"), cards("9s", "2h")}
        << Counts{{"9", 2}, {"2", 1}} << 3;
    QTest::newRow("Card: an empty H2 adds only H1")
        << GraphType::Card << QList<GraphRow>{cards("Ts", "")} << Counts{{"T", 1}} << 1;
    QTest::newRow("Card: empty slots add nothing")
        << GraphType::Card << QList<GraphRow>{cards("--", "--"), cards("", "")} << Counts{} << 0;
    QTest::newRow("Pocket Pair: As Kd, Qc Qh")
        << GraphType::PocketPair << akAndQueens << Counts{{"QQ", 1}} << 1;
    QTest::newRow("Hand (offsuit): As Kd, Qc Qh")
        << GraphType::HandOffsuit << akAndQueens << Counts{{"AK", 1}} << 1;
    QTest::newRow("Hand (suited): As Kd, Qc Qh")
        << GraphType::HandSuited << akAndQueens << Counts{} << 0;
    QTest::newRow("Hand (offsuit): Kd As counts for AK")
        << GraphType::HandOffsuit << QList<GraphRow>{cards("Kd", "As"), cards("As", "Kc")}
        << Counts{{"AK", 2}} << 2;
    QTest::newRow("Hand (suited): Ah Kh, 2s 7s, 7d 2d")
        << GraphType::HandSuited
        << QList<GraphRow>{cards("Ah", "Kh"), cards("2s", "7s"), cards("7d", "2d"),
                           cards("Ah", "Kd")}
        << Counts{{"AK", 1}, {"72", 2}} << 3;
    QTest::newRow("Hand (suited): a pair is no two-rank hand")
        << GraphType::HandSuited << QList<GraphRow>{cards("Qc", "Qc")} << Counts{} << 0;
    QTest::newRow("Pocket Pair: both orders, suits ignored")
        << GraphType::PocketPair
        << QList<GraphRow>{cards("2s", "2d"), cards("Ah", "Ac"), cards("As", "Ks")}
        << Counts{{"22", 1}, {"AA", 1}} << 2;
}

void TestGraphCounts::holeCards()
{
    QFETCH(GraphType, type);
    QFETCH(QList<GraphRow>, rows);
    QFETCH(Counts, counts);
    QFETCH(int, total);
    const GraphTally tally = tallied(type, rows);
    QCOMPARE(countsOf(tally), counts);
    QCOMPARE(tally.total(), total);
}

void TestGraphCounts::handTypeRanges_data()
{
    QTest::addColumn<qint64>("rating");
    QTest::addColumn<QString>("bar"); // empty: no bar
    QTest::newRow("0, no card at all") << qint64(0) << "High Card";
    QTest::newRow("0DDDDD, highest high card") << qint64(0xDDDDD) << "High Card";
    QTest::newRow("0DDDDE, outside") << qint64(0xDDDDE) << "";
    QTest::newRow("0FFFFF, outside") << qint64(0xFFFFF) << "";
    QTest::newRow("100000, lowest two kind") << qint64(0x100000) << "2 Kind";
    QTest::newRow("2DB000, two pair") << qint64(0x2DB000) << "2 Pair";
    QTest::newRow("3C0000, three kind") << qint64(0x3C0000) << "3 Kind";
    QTest::newRow("44321D, five-high straight") << qint64(0x44321D) << "Straight";
    QTest::newRow("5DCA86, flush") << qint64(0x5DCA86) << "Flush";
    QTest::newRow("6DC000, full house") << qint64(0x6DC000) << "Full House";
    QTest::newRow("7D0000, four kind") << qint64(0x7D0000) << "4 Kind";
    QTest::newRow("8DDDDD, highest rating") << qint64(9297373) << "Straight Flush";
    QTest::newRow("8DDDDE, above all") << qint64(9297374) << "";
    QTest::newRow("-1") << qint64(-1) << "";
}

void TestGraphCounts::handTypeRanges()
{
    QFETCH(qint64, rating);
    QFETCH(QString, bar);
    const GraphTally tally = tallied(GraphType::HandType, {{{}, {}, rating, {}}});
    const Counts expected = bar.isEmpty() ? Counts() : Counts({{bar, 1}});
    QCOMPARE(countsOf(tally), expected);
    QCOMPARE(tally.total(), 1); // every row counts in the total
}

void TestGraphCounts::results_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("bar");
    for (const char *word : {"Win", "Lose", "Split", "Fold"})
        QTest::newRow(word) << QString::fromLatin1(word) << QString::fromLatin1(word);
    QTest::newRow("win, lower case") << "win"
                                     << "";
    QTest::newRow("Win with a blank") << "Win "
                                      << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestGraphCounts::results()
{
    QFETCH(QString, result);
    QFETCH(QString, bar);
    const GraphTally tally = tallied(GraphType::Result, {{{}, {}, 0, result}});
    const Counts expected = bar.isEmpty() ? Counts() : Counts({{bar, 1}});
    QCOMPARE(countsOf(tally), expected);
    QCOMPARE(tally.total(), 1);
}

void TestGraphCounts::percentages()
{
    const QList<GraphRow> games = {cards("As", "Kd"), cards("Qc", "Qh")};
    const QList<GraphBar> card = tallied(GraphType::Card, games).bars(true);
    QCOMPARE(card.at(0).value, 100.0 / 3); // unrounded: 33.333...
    QCOMPARE(card.at(1).value, 100.0 / 3);
    QCOMPARE(card.at(2).value, 100.0 / 3);
    QCOMPARE(card.at(3).value, 0.0);
    QVERIFY(qFuzzyCompare(sumOf(card), 100.0));

    QCOMPARE(tallied(GraphType::PocketPair, games).bars(true).at(2).value, 100.0);
    QCOMPARE(tallied(GraphType::HandOffsuit, games).bars(true).at(0).value, 100.0);

    // Results other than the four words count in the total only.
    const QList<GraphRow> results = {{{}, {}, 0, "Win"},  {{}, {}, 0, "Win"},  {{}, {}, 0, "Lose"},
                                     {{}, {}, 0, "Draw"}, {{}, {}, 0, "Fold"}, {{}, {}, 0, "Split"},
                                     {{}, {}, 0, "Fold"}};
    const QList<GraphBar> bars = tallied(GraphType::Result, results).bars(true);
    QCOMPARE(bars.at(0).value, 2.0 / 7 * 100);
    QCOMPARE(bars.at(3).value, 2.0 / 7 * 100);
    QVERIFY(qFuzzyCompare(sumOf(bars), 600.0 / 7));
    // Counts stay counts without "Percent (%)".
    QCOMPARE(tallied(GraphType::Result, results).bars(false).at(0).value, 2.0);
}

void TestGraphCounts::anEmptyViewGivesZeroBars_data()
{
    QTest::addColumn<GraphType>("type");
    QTest::addColumn<int>("bars");
    QTest::newRow("Card") << GraphType::Card << 13;
    QTest::newRow("Hand (suited)") << GraphType::HandSuited << 78;
    QTest::newRow("Hand (offsuit)") << GraphType::HandOffsuit << 78;
    QTest::newRow("Hand Type") << GraphType::HandType << 9;
    QTest::newRow("Pocket Pair") << GraphType::PocketPair << 13;
    QTest::newRow("Result") << GraphType::Result << 4;
}

void TestGraphCounts::anEmptyViewGivesZeroBars()
{
    QFETCH(GraphType, type);
    QFETCH(int, bars);
    for (const bool percent : {false, true}) {
        const QList<GraphBar> drawn = GraphTally(type).bars(percent);
        QCOMPARE(drawn.size(), bars);
        QCOMPARE(sumOf(drawn), 0.0);
    }
}

void TestGraphCounts::barsLabelsAndColours()
{
    const QColor series(0, 213, 213);
    const QList<GraphBar> ranks = GraphTally(GraphType::Card).bars(false);
    QCOMPARE(ranks.first().label, QStringLiteral("A"));
    QCOMPARE(ranks.last().label, QStringLiteral("2"));
    QCOMPARE(ranks.at(4).label, QStringLiteral("T"));

    const QList<GraphBar> hands = GraphTally(GraphType::HandSuited).bars(false);
    QStringList labels;
    for (const GraphBar &bar : hands) {
        labels.append(bar.label);
        QCOMPARE(bar.colour, series);
    }
    QCOMPARE(labels.mid(0, 3), QStringList({"AK", "AQ", "AJ"}));
    QCOMPARE(labels.at(11), QStringLiteral("A2"));
    QCOMPARE(labels.at(12), QStringLiteral("KQ"));
    QCOMPARE(labels.last(), QStringLiteral("32"));
    QCOMPARE(QSet<QString>(labels.begin(), labels.end()).size(), 78);
    for (int k = 0; k < hands.size(); ++k)
        QCOMPARE(hands.at(k).height, k + 1);

    const QList<GraphBar> pairs = GraphTally(GraphType::PocketPair).bars(false);
    QCOMPARE(pairs.first().label, QStringLiteral("AA"));
    QCOMPARE(pairs.last().label, QStringLiteral("22"));

    // The standard palette: green, red, yellow, the series colour, maroon, purple, teal, olive,
    // aqua.
    const QList<QColor> palette = {
        QColor(0, 128, 0),  QColor(255, 0, 0),   QColor(255, 255, 0), series,
        QColor(128, 0, 0),  QColor(128, 0, 128), QColor(0, 128, 128), QColor(128, 128, 0),
        QColor(0, 255, 255)};
    const QStringList typeLabels = {"High Card",  "2 Kind",   "2 Pair",
                                    "3 Kind",     "Straight", "Flush",
                                    "Full House", "4 Kind",   "Straight Flush"};
    const QList<GraphBar> types = GraphTally(GraphType::HandType).bars(false);
    QCOMPARE(types.size(), 9);
    for (int k = 0; k < 9; ++k) {
        QCOMPARE(types.at(k).label, typeLabels.at(k));
        QCOMPARE(types.at(k).colour, palette.at(k));
        QCOMPARE(types.at(k).height, k + 1);
    }
    const QList<GraphBar> results = GraphTally(GraphType::Result).bars(false);
    QCOMPARE(results.size(), 4);
    for (int k = 0; k < 4; ++k) {
        QCOMPARE(results.at(k).label, QStringList({"Win", "Lose", "Split", "Fold"}).at(k));
        QCOMPARE(results.at(k).colour, palette.at(k));
    }
}

void TestGraphCounts::typesAndRanges_data()
{
    QTest::addColumn<GraphType>("type");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("axisMax");
    QTest::addColumn<int>("scrollMax");
    QTest::newRow("Card") << GraphType::Card << "Card" << 14 << 14;
    QTest::newRow("Hand (suited)") << GraphType::HandSuited << "Hand (suited)" << 13 << 79;
    QTest::newRow("Hand (offsuit)") << GraphType::HandOffsuit << "Hand (offsuit)" << 13 << 79;
    QTest::newRow("Hand Type") << GraphType::HandType << "Hand Type" << 10 << 10;
    QTest::newRow("Pocket Pair") << GraphType::PocketPair << "Pocket Pair" << 14 << 14;
    QTest::newRow("Result") << GraphType::Result << "Result" << 5 << 5;
}

void TestGraphCounts::typesAndRanges()
{
    QFETCH(GraphType, type);
    QFETCH(QString, name);
    QFETCH(int, axisMax);
    QFETCH(int, scrollMax);
    QCOMPARE(graphTypeName(type), name);
    QCOMPARE(graphRangesOf(type).axisMax, axisMax);
    QCOMPARE(graphRangesOf(type).scrollMax, scrollMax);
    // The axis leaves a unit free above the highest bar (the 78-bar charts scroll instead).
    const int bars = int(GraphTally(type).bars(false).size());
    QVERIFY(axisMax == bars + 1 || (bars == 78 && scrollMax == bars + 1));

    QCOMPARE(graphTypesOf(GraphMode::GameHistory).indexOf(type) >= 0, true);
    QCOMPARE(graphTypesOf(GraphMode::HandHistory).contains(type),
             type == GraphType::HandType || type == GraphType::Result);
}

void TestGraphCounts::scrolling_data()
{
    QTest::addColumn<double>("span");
    QTest::addColumn<int>("scrollMax");
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::newRow("78 bars, thumb at the bottom") << 13.0 << 79 << 79 << 0.0 << 13.0;
    QTest::newRow("78 bars, 12 steps up") << 13.0 << 79 << 67 << 0.0 << 13.0;
    QTest::newRow("78 bars, 13 steps up") << 13.0 << 79 << 66 << 0.0 << 13.0;
    QTest::newRow("78 bars, 14 steps up") << 13.0 << 79 << 65 << 1.0 << 14.0;
    QTest::newRow("78 bars, 40 steps up") << 13.0 << 79 << 39 << 27.0 << 40.0;
    QTest::newRow("78 bars, thumb at the top") << 13.0 << 79 << 0 << 66.0 << 79.0;
    QTest::newRow("13 ranks, bottom") << 14.0 << 14 << 14 << 0.0 << 14.0;
    QTest::newRow("13 ranks, top") << 14.0 << 14 << 0 << 0.0 << 14.0;
    QTest::newRow("results, halfway") << 5.0 << 5 << 2 << 0.0 << 5.0;
}

void TestGraphCounts::scrolling()
{
    QFETCH(double, span);
    QFETCH(int, scrollMax);
    QFETCH(int, position);
    QFETCH(double, min);
    QFETCH(double, max);
    const AxisRange shown = scrolledAxisRange(span, scrollMax, position);
    QCOMPARE(shown.min, min);
    QCOMPARE(shown.max, max);
}

void TestGraphCounts::theWalkCountsTheViewsRows()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("history.mdb"));
    createDatabaseFile(file);
    DbConnection connection;
    connection.setConnectionString(DbConnection::connectionStringFor(file));
    executeCommand(connection,
                   QStringLiteral("CREATE TABLE History (DateP DATE, H1 TEXT(2), H2 TEXT(2), F1 "
                                  "TEXT(2), F2 TEXT(2), F3 TEXT(2), Tn TEXT(2), Rr TEXT(2), Rtg "
                                  "NUMBER, Hand TEXT(30), Result TEXT(5))"));
    DbTable table(connection, QStringLiteral("History"));
    table.open();
    const QString none = QStringLiteral("--");
    const auto add = [&](const char *h1, const char *h2, int rating, const char *result) {
        table.appendRecord({QDate(2024, 6, 1), QString::fromLatin1(h1), QString::fromLatin1(h2),
                            none, none, none, none, none, rating, QStringLiteral("High Card."),
                            QString::fromLatin1(result)});
    };
    add("As", "Kd", 0x0DC974, "Win");
    add("Qc", "Qh", 0x1CDC97, "Lose");
    add("Kh", "As", 0x2DC500, "Win");
    add("7s", "2s", 0x0A7520, "Fold");

    QSignalSpy moves(&table, &DbTable::currentRowChanged);
    QCOMPARE(countsOf(tallyTable(table, GraphType::HandOffsuit)), Counts({{"AK", 2}}));
    QCOMPARE(countsOf(tallyTable(table, GraphType::HandType)),
             Counts({{"High Card", 2}, {"2 Kind", 1}, {"2 Pair", 1}}));
    QCOMPARE(countsOf(tallyTable(table, GraphType::Result)),
             Counts({{"Win", 2}, {"Lose", 1}, {"Fold", 1}}));
    QCOMPARE(table.currentRow(), 3); // left on the last row
    QCOMPARE(moves.size(), 3);       // one signal per walk, after it

    // Only the rows of the view, in its filter.
    table.setFilter(QStringLiteral("Result = 'Win'"));
    table.setFiltered(true);
    const GraphTally wins = tallyTable(table, GraphType::Card);
    QCOMPARE(countsOf(wins), Counts({{"A", 2}, {"K", 2}}));
    QCOMPARE(wins.total(), 4);

    table.setFilter(QStringLiteral("Result = 'Split'"));
    QCOMPARE(tallyTable(table, GraphType::Result).total(), 0);
}

void TestGraphCounts::ratingsWrittenByOtherPrograms_data()
{
    QTest::addColumn<QString>("rating");   // as SQL
    QTest::addColumn<QString>("handType"); // the bar it counts in; empty for none
    QTest::newRow("a text") << "'n/a'"
                            << "";
    QTest::newRow("an empty text") << "''"
                                   << "";
    QTest::newRow("a number written as text") << "'1048576'"
                                              << "2 Kind";
    QTest::newRow("a fraction") << "1048576.25"
                                << "2 Kind";
    QTest::newRow("beyond every hand type") << "9999999"
                                            << "";
}

// A rating another program wrote counts in the total only when it names no hand type; the walk
// goes on with the other rows.
void TestGraphCounts::ratingsWrittenByOtherPrograms()
{
    QFETCH(QString, rating);
    QFETCH(QString, handType);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("history.mdb"));
    createDatabaseFile(file);
    DbConnection connection;
    connection.setConnectionString(DbConnection::connectionStringFor(file));
    executeCommand(connection,
                   QStringLiteral("CREATE TABLE History (DateP DATE, H1 TEXT(2), H2 TEXT(2), F1 "
                                  "TEXT(2), F2 TEXT(2), F3 TEXT(2), Tn TEXT(2), Rr TEXT(2), Rtg "
                                  "NUMBER, Hand TEXT(30), Result TEXT(5))"));
    for (const QString &value : {rating, QStringLiteral("2097152")})
        executeCommand(connection, QStringLiteral("INSERT INTO History VALUES ('2024-06-01', 'As', "
                                                  "'Kd', '--', '--', '--', '--', '--', %1, 'x', "
                                                  "'Win')")
                                       .arg(value));
    DbTable table(connection, QStringLiteral("History"));
    table.open();
    const GraphTally tally = tallyTable(table, GraphType::HandType);
    Counts expected{{"2 Pair", 1}};
    if (!handType.isEmpty())
        expected.insert(handType, 1);
    QCOMPARE(countsOf(tally), expected);
    QCOMPARE(tally.total(), 2);
}

QTEST_GUILESS_MAIN(TestGraphCounts)
#include "tst_graphcounts.moc"
