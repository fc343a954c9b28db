// SPDX-License-Identifier: GPL-3.0-or-later
// The game statistics: result words, the periods a stored date falls in (around a year's end,
// ISO week 53, dates with a time of day), the percentages, and the SQL aggregates against the
// plain row-by-row walk on the same files.
#include "db/dbconnection.h"
#include "db/dbquery.h"
#include "db/dbtable.h"
#include "history/gamestatistics.h"
#include "history/historyfile.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

Q_DECLARE_METATYPE(ResultCounts)

namespace {

struct Game
{
    QString date; // as stored: "yyyy-MM-dd", with a time of day, or anything else
    QString h1;
    QString h2;
    QString result;
};

QString flags(const StatisticsPeriods &p)
{
    QStringList in;
    if (p.today)
        in << QStringLiteral("today");
    if (p.yesterday)
        in << QStringLiteral("yesterday");
    if (p.thisWeek)
        in << QStringLiteral("week");
    if (p.thisMonth)
        in << QStringLiteral("month");
    return in.join(QLatin1Char(' '));
}

QString describe(const GameStatistics &s)
{
    QStringList columns;
    for (int c = HoleCardsColumn; c <= AllGamesColumn; ++c)
        columns << QStringLiteral("%1/%2/%3/%4")
                       .arg(s[c].win)
                       .arg(s[c].lose)
                       .arg(s[c].split)
                       .arg(s[c].fold);
    return columns.join(QLatin1Char(' '));
}

// Games around the turn of 2026 to 2027 (1 Jan 2027 lies in ISO week 53 of 2026) and around
// mid-March 2026, with both hole-card orders, other suits, times of day and foreign values.
const QList<Game> kGames = {
    {"2026-03-16", "As", "Kd", "Win"},
    {"2026-03-16", "Kd", "As", "Lose"},
    {"2026-03-16", "Ad", "Ks", "Win"},
    {"2026-03-15", "As", "Kd", "Fold"},
    {"2026-03-15", "Qh", "Qs", "Split"},
    {"2026-03-09", "7c", "2d", "Fold"},
    {"2026-03-01", "As", "Kd", "Lose"},
    {"2026-02-28", "As", "Kd", "Win"},
    {"2025-03-16", "As", "Kd", "Win"},
    {"2025-03-17", "Jh", "Th", "Win"},
    {"2026-03-16 10:30:00", "As", "Kd", "Split"},
    {"2026-03-15T23:59", "Kd", "As", "Win"},
    {"2026-03-16 00:00:00", "9s", "9d", "Lose"},
    {" 2026-03-16", "9s", "9h", "Fold"},
    {"2026-12-28", "As", "Kd", "Win"},
    {"2026-12-31", "2c", "3c", "Lose"},
    {"2027-01-01", "As", "Kd", "Fold"},
    {"2027-01-03", "5h", "5d", "Split"},
    {"2021-01-01", "As", "Kd", "Win"},
    {"2020-12-31", "As", "Kd", "Lose"},
    {"2026-03-16", "As", "Kd", "win"},
    {"2026-03-16", "As", "Kd", "Won"},
    {"not a date", "As", "Kd", "Win"},
    {"2026-13-01", "As", "Kd", "Lose"},
};

} // namespace

class TestStatistics : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void countResult_data();
    void countResult();
    void periods_data();
    void periods();
    void cellTexts_data();
    void cellTexts();

    void aggregatesMatchTheWalk_data();
    void aggregatesMatchTheWalk();
    void countsOfAKnownDay();
    void countsFollowEveryWrite();
    void emptyFile();

private:
    // With `foreignValues`, two rows more: a number and a null as DateP, both As Kd.
    QString historyWith(const QList<Game> &games, bool foreignValues = false);

    std::optional<QTemporaryDir> m_dir;
    std::optional<DbConnection> m_connection;
};

void TestStatistics::init()
{
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_connection.emplace();
}

void TestStatistics::cleanup()
{
    m_connection.reset();
    m_dir.reset();
}

QString TestStatistics::historyWith(const QList<Game> &games, bool foreignValues)
{
    const QString path = m_dir->filePath(QStringLiteral("h.mdb"));
    createHistoryFile(*m_connection, path);
    // Raw values, so that texts the program would never write (foreign dates, times) get in.
    for (const Game &game : games) {
        QString date = game.date;
        date.replace(QLatin1Char('\''), QStringLiteral("''"));
        executeCommand(*m_connection,
                       QStringLiteral("INSERT INTO History VALUES ('%1', '%2', '%3', '--', '--', "
                                      "'--', '--', '--', 0, '', '%4')")
                           .arg(date, game.h1, game.h2, game.result));
    }
    if (foreignValues) {
        executeCommand(*m_connection,
                       QStringLiteral("INSERT INTO History (DateP, H1, H2, Result) VALUES "
                                      "(20260316, 'As', 'Kd', 'Win'), (NULL, 'As', 'Kd', 'Fold')"));
    }
    return path;
}

void TestStatistics::countResult_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("counted"); // win/lose/split/fold
    QTest::newRow("Win") << "Win"
                         << "1/0/0/0";
    QTest::newRow("Lose") << "Lose"
                          << "0/1/0/0";
    QTest::newRow("Split") << "Split"
                           << "0/0/1/0";
    QTest::newRow("Fold") << "Fold"
                          << "0/0/0/1";
    QTest::newRow("win") << "win"
                         << "0/0/0/0";
    QTest::newRow("Win with a blank") << "Win "
                                      << "0/0/0/0";
    QTest::newRow("empty") << ""
                           << "0/0/0/0";
}

void TestStatistics::countResult()
{
    QFETCH(QString, result);
    QFETCH(QString, counted);
    GameStatistics statistics;
    CountResult(statistics, ThisWeekColumn, result);
    const ResultCounts &c = statistics[ThisWeekColumn];
    QCOMPARE(QStringLiteral("%1/%2/%3/%4").arg(c.win).arg(c.lose).arg(c.split).arg(c.fold),
             counted);
    for (int other : {HoleCardsColumn, TodayColumn, AllGamesColumn})
        QCOMPARE(statistics[other].total(), 0);
}

void TestStatistics::periods_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("periods");

    const QDate monday(2026, 3, 16);
    QTest::newRow("today") << monday << QVariant("2026-03-16") << "today week month";
    QTest::newRow("yesterday, Sunday of last week")
        << monday << QVariant("2026-03-15") << "yesterday month";
    QTest::newRow("yesterday in this week and month")
        << QDate(2026, 3, 18) << QVariant("2026-03-17") << "yesterday week month";
    QTest::newRow("same day and month a year earlier") << monday << QVariant("2025-03-16") << "";
    QTest::newRow("same ISO week number a year earlier") << monday << QVariant("2025-03-17") << "";
    QTest::newRow("today with a time of day")
        << monday << QVariant("2026-03-16 10:30:00") << "week month";
    QTest::newRow("yesterday with a time of day, T form")
        << QDate(2026, 3, 18) << QVariant("2026-03-17T08:05") << "week month";
    QTest::newRow("midnight reads as a plain day")
        << monday << QVariant("2026-03-16 00:00:00") << "today week month";
    QTest::newRow("31 Dec 2025 seen on 1 Jan 2026: ISO week 1 of 2026")
        << QDate(2026, 1, 1) << QVariant("2025-12-31") << "yesterday week";
    QTest::newRow("28 Dec 2026 seen on 1 Jan 2027: ISO week 53 of 2026")
        << QDate(2027, 1, 1) << QVariant("2026-12-28") << "week";
    QTest::newRow("3 Jan 2027 seen on 1 Jan 2027: same week 53")
        << QDate(2027, 1, 1) << QVariant("2027-01-03") << "week month";
    QTest::newRow("1 Jan 2021, week 53 of 2020, seen on 1 Jan 2027")
        << QDate(2027, 1, 1) << QVariant("2021-01-01") << "";
    QTest::newRow("4 Jan 2027 seen on 3 Jan 2027: week 1 of 2027")
        << QDate(2027, 1, 3) << QVariant("2027-01-04") << "month";
    QTest::newRow("no date") << monday << QVariant("not a date") << "";
    QTest::newRow("month 13") << monday << QVariant("2026-13-01") << "";
    QTest::newRow("a number") << monday << QVariant(qint64(20260316)) << "";
    QTest::newRow("null") << monday << QVariant() << "";
}

void TestStatistics::periods()
{
    QFETCH(QDate, today);
    QFETCH(QVariant, stored);
    QFETCH(QString, periods);
    QCOMPARE(flags(periodsOf(stored, today)), periods);
}

void TestStatistics::cellTexts_data()
{
    QTest::addColumn<ResultCounts>("counts");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QStringList>("cells");

    QTest::newRow("1 of 3 won, 2 lost")
        << ResultCounts{1, 2, 0, 0} << '.'
        << QStringList{"33.33", "1", "66.67", "2", "0", "0", "0", "0"};
    QTest::newRow("1 of 8 split, 7 folded")
        << ResultCounts{0, 0, 1, 7} << '.'
        << QStringList{"0", "0", "0", "0", "12.5", "1", "87.5", "7"};
    QTest::newRow("4 of 4 won") << ResultCounts{4, 0, 0, 0} << '.'
                                << QStringList{"100", "4", "0", "0", "0", "0", "0", "0"};
    QTest::newRow("1 of 8 with a decimal comma")
        << ResultCounts{1, 7, 0, 0} << ','
        << QStringList{"12,5", "1", "87,5", "7", "0", "0", "0", "0"};
    QTest::newRow("2 of 3: 66.666.. rounds up")
        << ResultCounts{0, 0, 2, 1} << '.'
        << QStringList{"0", "0", "0", "0", "66.67", "2", "33.33", "1"};
    QTest::newRow("1 of 7: 14.2857") << ResultCounts{1, 6, 0, 0} << '.'
                                     << QStringList{"14.29", "1", "85.71", "6", "0", "0", "0", "0"};
    QTest::newRow("no games") << ResultCounts{} << '.'
                              << QStringList{"0", "0", "0", "0", "0", "0", "0", "0"};
}

void TestStatistics::cellTexts()
{
    QFETCH(ResultCounts, counts);
    QFETCH(char, separator);
    QFETCH(QStringList, cells);
    QCOMPARE(statisticsCellTexts(counts, separator), cells);
}

void TestStatistics::aggregatesMatchTheWalk_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("card1");
    QTest::addColumn<QString>("card2");
    QTest::newRow("16 Mar 2026, As Kd") << QDate(2026, 3, 16) << "As"
                                        << "Kd";
    QTest::newRow("16 Mar 2026, Kd As") << QDate(2026, 3, 16) << "Kd"
                                        << "As";
    QTest::newRow("17 Mar 2026, Qh Qs") << QDate(2026, 3, 17) << "Qh"
                                        << "Qs";
    QTest::newRow("1 Mar 2026, -- --") << QDate(2026, 3, 1) << "--"
                                       << "--";
    QTest::newRow("1 Jan 2027, As Kd") << QDate(2027, 1, 1) << "As"
                                       << "Kd";
    QTest::newRow("4 Jan 2027, 5h 5d") << QDate(2027, 1, 4) << "5h"
                                       << "5d";
    QTest::newRow("1 Jan 2021, As Kd") << QDate(2021, 1, 1) << "As"
                                       << "Kd";
    QTest::newRow("17 Mar 2025, Jh Th") << QDate(2025, 3, 17) << "Jh"
                                        << "Th";
}

void TestStatistics::aggregatesMatchTheWalk()
{
    QFETCH(QDate, today);
    QFETCH(QString, card1);
    QFETCH(QString, card2);
    historyWith(kGames, true);
    DbQuery query(*m_connection);
    const GameStatistics walked = countByWalking(query, card1, card2, today);
    GameStatisticsCounter counter;
    const GameStatistics counted = counter.count(*m_connection, card1, card2, today);
    QCOMPARE(describe(counted), describe(walked));
    QCOMPARE(counted[AllGamesColumn].total(), 24 - 2 /* "win", "Won" */ + 2 /* raw rows */);
}

// 16 March 2026, a Monday, with As Kd: the figures worked out by hand from the list above.
void TestStatistics::countsOfAKnownDay()
{
    historyWith(kGames, true);
    GameStatisticsCounter counter;
    const GameStatistics s = counter.count(*m_connection, "As", "Kd", QDate(2026, 3, 16));
    // As Kd or Kd As at any date, also no date: won on 16 Mar, 28 Feb, 16 Mar 2025, 15 Mar
    // 23:59, 28 Dec, 1 Jan 2021, "not a date" and the number; lost on 16 Mar, 1 Mar, 31 Dec
    // 2020 and month 13; split at 10:30; folded on 15 Mar, 1 Jan 2027 and the null date.
    QCOMPARE(s[HoleCardsColumn], (ResultCounts{8, 4, 1, 3}));
    // Today: the three plain games of the 16th, the one at midnight and " 2026-03-16"; not the
    // one at 10:30, nor "win", "Won" or the number.
    QCOMPARE(s[TodayColumn], (ResultCounts{2, 2, 0, 1}));
    // Yesterday: the two plain games of the 15th, not the one at 23:59.
    QCOMPARE(s[YesterdayColumn], (ResultCounts{0, 0, 1, 1}));
    // This week (Monday 16 to Sunday 22 March): today's games and the one at 10:30.
    QCOMPARE(s[ThisWeekColumn], (ResultCounts{2, 2, 1, 1}));
    // This month: the week, all three of the 15th, the 9th and the 1st; not March 2025.
    QCOMPARE(s[ThisMonthColumn], (ResultCounts{3, 3, 2, 3}));
    QCOMPARE(s[AllGamesColumn], (ResultCounts{10, 6, 3, 5}));
}

void TestStatistics::countsFollowEveryWrite()
{
    const QString path = historyWith({{"2026-03-16", "As", "Kd", "Win"}});
    const QDate today(2026, 3, 16);
    GameStatisticsCounter counter;
    QCOMPARE(counter.count(*m_connection, "As", "Kd", today)[TodayColumn], (ResultCounts{1}));

    // Written through this connection.
    const FileVersion before = fileVersion(*m_connection);
    DbTable table(*m_connection, QStringLiteral("History"));
    table.open();
    table.appendRecord({today, "Kd", "As", "--", "--", "--", "--", "--", 0, "", "Lose"});
    QCOMPARE(counter.count(*m_connection, "As", "Kd", today)[TodayColumn], (ResultCounts{1, 1}));
    QVERIFY(fileVersion(*m_connection) != before);
    const FileVersion written = fileVersion(*m_connection);

    // Written through another connection to the same file.
    {
        DbConnection other;
        other.setConnectionString(DbConnection::connectionStringFor(path));
        executeCommand(other, QStringLiteral("INSERT INTO History (DateP, H1, H2, Result) "
                                             "VALUES ('2026-03-16', '2c', '7d', 'Fold')"));
    }
    QVERIFY(fileVersion(*m_connection) != written);
    const GameStatistics after = counter.count(*m_connection, "As", "Kd", today);
    QCOMPARE(after[TodayColumn], (ResultCounts{1, 1, 0, 1}));
    QCOMPARE(after[HoleCardsColumn], (ResultCounts{1, 1}));

    // The next day the same games are yesterday's.
    const GameStatistics nextDay = counter.count(*m_connection, "As", "Kd", today.addDays(1));
    QCOMPARE(nextDay[TodayColumn], ResultCounts{});
    QCOMPARE(nextDay[YesterdayColumn], (ResultCounts{1, 1, 0, 1}));
}

void TestStatistics::emptyFile()
{
    historyWith({});
    executeCommand(*m_connection, QStringLiteral("DELETE FROM History"));
    GameStatisticsCounter counter;
    const GameStatistics s = counter.count(*m_connection, "As", "Kd", QDate(2026, 3, 16));
    QCOMPARE(s, GameStatistics{});
    QCOMPARE(statisticsCellTexts(s[HoleCardsColumn], '.'),
             (QStringList{"0", "0", "0", "0", "0", "0", "0", "0"}));
}

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
