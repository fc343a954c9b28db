// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the game history on a file of 100,000 games, the years of a heavy user: opening it
// (both tables and the statistics), one card click with both hole cards known (the Hand History
// filter and the statistics, without the odds analysis), a title-click sort, and reading a
// screenful of rows anywhere in the grid. The plain row-by-row count is measured for comparison.
//
//   build/bench/bench_history --benchmark_repetitions=5
#include "db/dbconnection.h"
#include "db/dbquery.h"
#include "db/dbtable.h"
#include "history/gamestatistics.h"
#include "history/historyfile.h"
#include "history/historysort.h"
#include "history/historytablemodel.h"
#include "history/holecardfilter.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int kGames = 100000;

// The history file, made once for all benchmarks.
class HistoryFile
{
public:
    HistoryFile()
    {
        m_path = m_dir.filePath(QStringLiteral("heavy.mdb"));
        DbConnection connection;
        createHistoryFile(connection, m_path);
        const QString ranks = QStringLiteral("23456789TJQKA");
        const QString suits = QStringLiteral("sdch");
        const QStringList results{"Win", "Lose", "Split", "Fold"};
        QRandomGenerator random(2004);
        const QDate today = QDate::currentDate();
        DbTransaction writing(connection);
        QSqlQuery insert(connection.database());
        insert.prepare(
            QStringLiteral("INSERT INTO History VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int g = 0; g < kGames; ++g) {
            // Ten years of games, about 27 a day, the newest today.
            insert.addBindValue(today.addDays(-(kGames - 1 - g) / 27).toString(Qt::ISODate));
            QStringList cards;
            while (cards.size() < 7) {
                const QString card =
                    QString(ranks.at(int(random.bounded(13)))) + suits.at(int(random.bounded(4)));
                if (!cards.contains(card))
                    cards << card;
            }
            for (const QString &card : cards)
                insert.addBindValue(card);
            insert.addBindValue(int(random.bounded(0x8DDD00)));
            insert.addBindValue(QStringLiteral("Two Pair. KK, 99, 4"));
            insert.addBindValue(results.at(int(random.bounded(4))));
            if (!insert.exec())
                qFatal("could not write the benchmark's history file");
        }
        insert = QSqlQuery();
        writing.commit();
    }

    QString path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

const HistoryFile &historyFile()
{
    static const HistoryFile file;
    return file;
}

// The main window's history members, open on the file.
struct History
{
    DbConnection connection;
    DbTable hand{connection, QStringLiteral("History")};
    DbTable game{connection, QStringLiteral("History")};
    GameStatisticsCounter counter;

    void open()
    {
        connection.close();
        connection.setConnectionString(DbConnection::connectionStringFor(historyFile().path()));
        counter.invalidate();
        openHistoryTables(connection, hand, game, holeCardFilterText('A', 'K'));
        counter.count(connection, QStringLiteral("Ah"), QStringLiteral("Kd"), QDate::currentDate());
    }
};

void BM_OpenHistoryTables(benchmark::State &state)
{
    History history;
    for (auto _ : state)
        history.open();
    state.counters["rows"] = history.game.rowCount();
}
BENCHMARK(BM_OpenHistoryTables)->Unit(benchmark::kMillisecond)->UseRealTime();

// The second hole card changes with every click, so the filter always reads new rows.
void BM_CardClick(benchmark::State &state)
{
    History history;
    history.open();
    const QDate today = QDate::currentDate();
    const QStringList seconds{"Kd", "Qs", "Kc", "Jh"};
    int click = 0;
    for (auto _ : state) {
        const QString second = seconds.at(click++ % seconds.size());
        applyHoleCardFilter(history.hand, holeCardFilterText('A', second.front()));
        // The window notes the file's state as the Hand History reads its rows, and counts the
        // hole cards from those rows while the file is still in that state.
        const FileVersion read = fileVersion(history.connection);
        const DbTable *rows = read == fileVersion(history.connection) ? &history.hand : nullptr;
        benchmark::DoNotOptimize(
            history.counter.count(history.connection, QStringLiteral("Ah"), second, today, rows));
    }
    state.counters["hand rows"] = history.hand.rowCount();
}
BENCHMARK(BM_CardClick)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each click turns the direction, as the title click does.
void BM_TitleClickSort(benchmark::State &state)
{
    History history;
    history.open();
    const QString field = sortFields().at(int(state.range(0)));
    for (auto _ : state)
        history.game.setSort(titleClickSort(history.game.sort(), field));
    state.SetLabel(field.toStdString());
}
BENCHMARK(BM_TitleClickSort)->Arg(0)->Arg(8)->Arg(9)->Unit(benchmark::kMillisecond)->UseRealTime();

// A screenful of 40 rows of every column at a place far from the last one, as scrolling the
// Game History grid reads them.
void BM_ScrollScreenful(benchmark::State &state)
{
    History history;
    history.open();
    HistoryTableModel model(history.game);
    QRandomGenerator random(1);
    for (auto _ : state) {
        const int top = int(random.bounded(model.rowCount() - 40));
        for (int row = top; row < top + 40; ++row) {
            for (int column = 0; column < model.columnCount(); ++column) {
                benchmark::DoNotOptimize(model.index(row, column).data());
                benchmark::DoNotOptimize(model.index(row, column).data(Qt::BackgroundRole));
            }
        }
    }
}
BENCHMARK(BM_ScrollScreenful)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every count afresh, as after New Game has recorded a game.
void BM_StatisticsAfterAWrite(benchmark::State &state)
{
    History history;
    history.open();
    for (auto _ : state) {
        history.counter.invalidate();
        benchmark::DoNotOptimize(history.counter.count(history.connection, QStringLiteral("Ah"),
                                                       QStringLiteral("Kd"), QDate::currentDate()));
    }
}
BENCHMARK(BM_StatisticsAfterAWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// For comparison: every row read and counted one by one.
void BM_StatisticsRowByRow(benchmark::State &state)
{
    History history;
    history.open();
    DbQuery query(history.connection);
    for (auto _ : state)
        benchmark::DoNotOptimize(countByWalking(query, QStringLiteral("Ah"), QStringLiteral("Kd"),
                                                QDate::currentDate()));
}
BENCHMARK(BM_StatisticsRowByRow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    // The SQL driver is a plugin, loaded through the application object.
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    historyFile();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
