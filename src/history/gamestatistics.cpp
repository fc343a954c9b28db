// SPDX-License-Identifier: GPL-3.0-or-later
// Counting recorded games row by row and with SQL aggregates.
#include "history/gamestatistics.h"

#include "db/dbconnection.h"
#include "db/dbdates.h"
#include "db/dberror.h"
#include "db/dbquery.h"
#include "db/dbstatement.h"
#include "db/dbvalue.h"
#include "engine/odds.h"
#include "history/historyfile.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

const std::array<const char *, 4> kResultWords{kResultWin, kResultLose, kResultSplit, kResultFold};

QString context(const DbConnection &connection)
{
    return QCoreApplication::translate("GameStatistics", "The games of “%1” could not be counted.")
        .arg(displayPath(connection.filePath()));
}

// The earliest day that can fall in one of the periods: yesterday, the Monday of this week or
// the first of this month.
QDate earliestPeriodDay(QDate today)
{
    return std::min({today.addDays(-1), today.addDays(1 - today.dayOfWeek()),
                     QDate(today.year(), today.month(), 1)});
}

} // namespace

void CountResult(GameStatistics &statistics, int column, QStringView result, qint64 games)
{
    ResultCounts &counts = statistics[column];
    if (result == QLatin1String(kResultWin))
        counts.win += games;
    else if (result == QLatin1String(kResultLose))
        counts.lose += games;
    else if (result == QLatin1String(kResultSplit))
        counts.split += games;
    else if (result == QLatin1String(kResultFold))
        counts.fold += games;
}

StatisticsPeriods periodsOf(const QVariant &storedDate, QDate today)
{
    if (storedDate.typeId() != QMetaType::QString)
        return {};
    const std::optional<StoredDate> stored = parseStoredDate(storedDate.toString());
    if (!stored)
        return {};
    const QDate date = stored->date;
    // A time of day means the value was not written as a plain calendar day.
    const bool plainDay = stored->time.isNull();
    int weekYear = 0;
    int todaysWeekYear = 0;
    const int week = date.weekNumber(&weekYear);
    const int todaysWeek = today.weekNumber(&todaysWeekYear);
    return StatisticsPeriods{
        plainDay && date == today,
        plainDay && date == today.addDays(-1),
        week == todaysWeek && weekYear == todaysWeekYear,
        date.year() == today.year() && date.month() == today.month(),
    };
}

void countGame(GameStatistics &statistics, const QString &h1, const QString &h2,
               const QVariant &storedDate, QStringView result, const QString &card1,
               const QString &card2, QDate today)
{
    if ((h1 == card1 && h2 == card2) || (h1 == card2 && h2 == card1))
        CountResult(statistics, HoleCardsColumn, result);
    const StatisticsPeriods periods = periodsOf(storedDate, today);
    if (periods.today)
        CountResult(statistics, TodayColumn, result);
    if (periods.yesterday)
        CountResult(statistics, YesterdayColumn, result);
    if (periods.thisWeek)
        CountResult(statistics, ThisWeekColumn, result);
    if (periods.thisMonth)
        CountResult(statistics, ThisMonthColumn, result);
    CountResult(statistics, AllGamesColumn, result);
}

GameStatistics countByWalking(DbQuery &query, const QString &card1, const QString &card2,
                              QDate today)
{
    GameStatistics statistics;
    query.close();
    query.setSql(QStringLiteral("SELECT * FROM History"));
    query.open();
    query.first();
    while (!query.isEmpty() && !query.atEnd()) {
        countGame(statistics, query.text("H1"), query.text("H2"), query.value("DateP"),
                  query.text("Result"), card1, card2, today);
        query.next();
    }
    return statistics;
}

FileVersion fileVersion(DbConnection &connection)
{
    DbStatement version(connection.database(),
                        QStringLiteral("SELECT data_version, total_changes() "
                                       "FROM pragma_data_version"),
                        context(connection));
    if (!version.step())
        return {};
    return {version.value(0).toLongLong(), version.value(1).toLongLong()};
}

GameStatistics GameStatisticsCounter::count(DbConnection &connection, const QString &card1,
                                            const QString &card2, QDate today)
{
    const QSqlDatabase database = connection.database();
    const QString failed = context(connection);
    const FileVersion version = fileVersion(connection);
    const QString file = connection.filePath();
    if (!m_periods || m_periods->file != file || m_periods->today != today ||
        m_periods->version != version) {
        Periods periods{file, today, version, {}};
        // Only days from the earliest period day on can fall in a period. Comparing without
        // the column's affinity keeps every text at or after that day, and "< '0'" adds the
        // numbers and texts that do not start with a digit, so periodsOf() judges every value
        // that could be a date of a period; what is left are texts of earlier days.
        DbStatement recent(database,
                           QStringLiteral("SELECT DateP, Result, COUNT(*) FROM History "
                                          "WHERE +DateP >= ?1 OR +DateP < '0' "
                                          "GROUP BY DateP, Result"),
                           failed);
        recent.bind(1, storedDateText(earliestPeriodDay(today)));
        while (recent.step()) {
            const StatisticsPeriods in = periodsOf(recent.value(0), today);
            const QString result = recent.value(1).toString();
            const qint64 games = recent.value(2).toLongLong();
            if (in.today)
                CountResult(periods.counts, TodayColumn, result, games);
            if (in.yesterday)
                CountResult(periods.counts, YesterdayColumn, result, games);
            if (in.thisWeek)
                CountResult(periods.counts, ThisWeekColumn, result, games);
            if (in.thisMonth)
                CountResult(periods.counts, ThisMonthColumn, result, games);
        }

        // One pass without sorting: a GROUP BY over every row would sort them all.
        DbStatement all(database,
                        QStringLiteral("SELECT count(*) FILTER (WHERE Result = ?1), "
                                       "count(*) FILTER (WHERE Result = ?2), "
                                       "count(*) FILTER (WHERE Result = ?3), "
                                       "count(*) FILTER (WHERE Result = ?4) FROM History"),
                        failed);
        for (int i = 0; i < int(kResultWords.size()); ++i)
            all.bind(i + 1, QString::fromLatin1(kResultWords[std::size_t(i)]));
        if (all.step()) {
            for (int i = 0; i < int(kResultWords.size()); ++i)
                CountResult(periods.counts, AllGamesColumn,
                            QString::fromLatin1(kResultWords[std::size_t(i)]),
                            all.value(i).toLongLong());
        }
        m_periods = std::move(periods);
    }

    GameStatistics statistics = m_periods->counts;
    DbStatement hole(database,
                     QStringLiteral("SELECT Result, COUNT(*) FROM History "
                                    "WHERE (H1 = ?1 AND H2 = ?2) OR (H1 = ?2 AND H2 = ?1) "
                                    "GROUP BY Result"),
                     failed);
    hole.bind(1, card1);
    hole.bind(2, card2);
    while (hole.step())
        CountResult(statistics, HoleCardsColumn, hole.value(0).toString(),
                    hole.value(1).toLongLong());
    return statistics;
}

QStringList statisticsCellTexts(const ResultCounts &counts, char decimalSeparator)
{
    const qint64 total = counts.total();
    QStringList cells;
    for (const qint64 count : {counts.win, counts.lose, counts.split, counts.fold}) {
        if (total < 1) {
            cells.append(QStringLiteral("0"));
        } else {
            const double percent = tallowby::twoDecimals(double(count) / double(total) * 100.0);
            cells.append(QString::fromStdString(tallowby::numberText(percent, decimalSeparator)));
        }
        cells.append(QString::number(count));
    }
    return cells;
}
