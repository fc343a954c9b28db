// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the game history on a file of 100,000 games, the years of a heavy user, and of
// 1,000,000 games, what a player who imports every hand gathers: opening it (both tables and
// the statistics) and one card click with both hole cards known (the Hand History filter and the
// statistics, without the odds analysis) on both; on the smaller file a title-click sort and
// reading a screenful of rows anywhere in the grid. The plain row-by-row count is measured for
// comparison. The card click is also measured whole, in the program's windows (offscreen).
//
//   build/bench/bench_history --benchmark_repetitions=5
#include "app/prompts.h"
#include "app/startup.h"
#include "app/tallowby.h"
#include "db/dbconnection.h"
#include "db/dbquery.h"
#include "db/dbtable.h"
#include "history/gamestatistics.h"
#include "history/historyfile.h"
#include "history/historysort.h"
#include "history/historytablemodel.h"
#include "history/holecardfilter.h"
#include "panel/selcards.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDate>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kGames = 100000;
constexpr int kImportedGames = 1000000;

// A history file of so many games, made once for all benchmarks.
class HistoryFile
{
public:
    explicit HistoryFile(int games)
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
        // Ten years of games, the newest today.
        const int perDay = std::max(1, games / 3650);
        for (int g = 0; g < games; ++g) {
            insert.addBindValue(today.addDays(-(games - 1 - g) / perDay).toString(Qt::ISODate));
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

const HistoryFile &historyFile(int games = kGames)
{
    static const HistoryFile file(kGames);
    if (games == kGames)
        return file;
    static const HistoryFile large(kImportedGames);
    return large;
}

// The main window's history members, open on the file.
struct History
{
    DbConnection connection;
    DbTable hand{connection, QStringLiteral("History")};
    DbTable game{connection, QStringLiteral("History")};
    GameStatisticsCounter counter;
    int games = kGames;

    void open()
    {
        connection.close();
        connection.setConnectionString(
            DbConnection::connectionStringFor(historyFile(games).path()));
        counter.invalidate();
        openHistoryTables(connection, hand, game, holeCardFilterText('A', 'K'));
        counter.count(connection, QStringLiteral("Ah"), QStringLiteral("Kd"), QDate::currentDate());
    }
};

void BM_OpenHistoryTables(benchmark::State &state)
{
    History history;
    history.games = int(state.range(0));
    historyFile(history.games); // made before the clock runs
    for (auto _ : state)
        history.open();
    state.counters["rows"] = history.game.rowCount();
}
BENCHMARK(BM_OpenHistoryTables)
    ->Arg(kGames)
    ->Arg(kImportedGames)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The second hole card changes with every click, so the filter always reads new rows.
void BM_CardClick(benchmark::State &state)
{
    History history;
    history.games = int(state.range(0));
    history.open();
    const QDate today = QDate::currentDate();
    const QStringList seconds{"Kd", "Qs", "Kc", "Jh"};
    int click = 0;
    for (auto _ : state) {
        const QString second = seconds.at(click++ % seconds.size());
        applyHoleCardFilter(history.hand, holeCardFilterText('A', second.front()));
        benchmark::DoNotOptimize(
            history.counter.count(history.connection, QStringLiteral("Ah"), second, today));
    }
    state.counters["hand rows"] = history.hand.rowCount();
}
BENCHMARK(BM_CardClick)
    ->Arg(kGames)
    ->Arg(kImportedGames)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

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

// The file dialog answers with the history file; any message means that something else than
// a click would be measured, so the benchmark stops there.
class AnswerWithFile final : public Prompts
{
public:
    explicit AnswerWithFile(QString path) : m_path(std::move(path)) { setPrompts(this); }
    ~AnswerWithFile() override { setPrompts(nullptr); }
    AnswerWithFile(const AnswerWithFile &) = delete;
    AnswerWithFile &operator=(const AnswerWithFile &) = delete;

    void warning(QWidget *, const QString &text) override { stop(text); }
    void error(QWidget *, const QString &text) override { stop(text); }
    Answer question(QWidget *, const QString &, const QString &text, bool) override
    {
        stop(text);
        return Answer::Cancel;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return m_path;
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &,
                         const QString &) override
    {
        return {};
    }

private:
    [[noreturn]] static void stop(const QString &text)
    {
        std::fprintf(stderr, "The program said: %s\n", qPrintable(text));
        std::exit(1);
    }
    QString m_path;
};

void clickNamed(const QString &name)
{
    auto *button = FormSelCards->findChild<QAbstractButton *>(name);
    if (!button)
        qFatal("the card panel has no button %s", qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

// The second hole card clicked on the card panel with the file open: the Hand History's filter
// and rows, the statistics, the pre-flop advice and the windows painted again.
void BM_CardClickInTheWindow(benchmark::State &state)
{
    const AnswerWithFile answers(historyFile(int(state.range(0))).path());
    LongLivedWindows windows;
    FormTallowby->show();
    FormTallowby->MenuOpenDatabaseClick();
    if (!FormTallowby->historyDatabaseOpen())
        qFatal("the benchmark's history file did not open");
    clickNamed(QStringLiteral("RadioButtonH1"));
    clickNamed(QStringLiteral("ImageAh"));
    const QStringList seconds{"Kd", "Qs", "Kc", "Jh"};
    int click = 0;
    QApplication::processEvents();
    for (auto _ : state) {
        clickNamed(QStringLiteral("RadioButtonH2"));
        clickNamed(QStringLiteral("Image") + seconds.at(click++ % seconds.size()));
        QApplication::processEvents();
    }
    const auto *grid = FormTallowby->findChild<QTableView *>(QStringLiteral("DBGridHHistory"));
    state.counters["hand rows"] = grid ? grid->model()->rowCount() : -1;
}
BENCHMARK(BM_CardClickInTheWindow)
    ->Arg(kGames)
    ->Arg(kImportedGames)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    // The windows need no screen, and the program's one setting stays the user's own.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    // The SQL driver is a plugin, loaded through the application object.
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    historyFile();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
