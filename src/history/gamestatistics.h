// SPDX-License-Identifier: GPL-3.0-or-later
// The figures of the "Game Statistics" tab: how the recorded games ended, for the two hole
// cards entered now (over all time) and for all games of five periods.
//
// Column 1 counts the games with exactly these two hole cards in either order; 2 the games of
// today and 3 of yesterday (a date stored with a time of day is neither); 4 the games of the
// same ISO week of the same ISO week-year as today; 5 of the same month of the same year;
// 6 every game. Each column counts "Win", "Lose", "Split" and "Fold"; any other result text
// counts nowhere and so is not part of the column's total.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>

#include <array>
#include <optional>

class DbConnection;
class DbQuery;

enum StatisticsColumn : int
{
    HoleCardsColumn = 1,
    TodayColumn,
    YesterdayColumn,
    ThisWeekColumn,
    ThisMonthColumn,
    AllGamesColumn
};
inline constexpr int kStatisticsColumns = 6;

struct ResultCounts
{
    qint64 win = 0;
    qint64 lose = 0;
    qint64 split = 0;
    qint64 fold = 0;

    qint64 total() const { return win + lose + split + fold; }
    bool operator==(const ResultCounts &) const = default;
};

struct GameStatistics
{
    std::array<ResultCounts, kStatisticsColumns + 1> columns{}; // 1..6; entry 0 unused

    ResultCounts &operator[](int column) { return columns.at(std::size_t(column)); }
    const ResultCounts &operator[](int column) const { return columns.at(std::size_t(column)); }
    bool operator==(const GameStatistics &) const = default;
};

// Adds `games` games with this result to the column: to Win, Lose, Split or Fold when the text
// is exactly that word, to nothing otherwise.
void CountResult(GameStatistics &statistics, int column, QStringView result, qint64 games = 1);

// The periods a stored DateP falls in, seen from `today`. A value that is no date falls in none.
struct StatisticsPeriods
{
    bool today = false;
    bool yesterday = false;
    bool thisWeek = false;
    bool thisMonth = false;
};
StatisticsPeriods periodsOf(const QVariant &storedDate, QDate today);

// Counts one game row by row: its hole cards, stored date and result.
void countGame(GameStatistics &statistics, const QString &h1, const QString &h2,
               const QVariant &storedDate, QStringView result, const QString &card1,
               const QString &card2, QDate today);

// Walks every row of "SELECT * FROM History" on the query and counts each. Plain, and slow on a
// large file: GameStatisticsCounter gives the same figures without reading every row.
GameStatistics countByWalking(DbQuery &query, const QString &card1, const QString &card2,
                              QDate today);

// The state of the open file: it differs after any write through this connection
// (total_changes) or a commit of any other (data_version).
struct FileVersion
{
    qint64 dataVersion = 0;
    qint64 totalChanges = 0;
    bool operator==(const FileVersion &) const = default;
};
FileVersion fileVersion(DbConnection &connection);

// Counts with SQL aggregates on the connection. The period columns do not depend on the cards,
// so they are kept until the file changes (a game written through this or any other
// connection), another file is opened or the day changes; a card entered then costs only the
// count of its two hole cards.
class GameStatisticsCounter
{
public:
    GameStatistics count(DbConnection &connection, const QString &card1, const QString &card2,
                         QDate today);
    // Forgets the period columns; for a file opened afresh.
    void invalidate() { m_periods.reset(); }

private:
    struct Periods
    {
        QString file;
        QDate today;
        FileVersion version;
        GameStatistics counts;
    };
    std::optional<Periods> m_periods;
};

// The eight cells of a column: for Win, Lose, Split and Fold the percentage, then the count.
// A percentage is rounded half up to two decimals and written in its shortest form with the
// given decimal separator ("33.33", "12.5", "100"); "0" throughout for a column without games.
QStringList statisticsCellTexts(const ResultCounts &counts, char decimalSeparator);
