// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of importing hand histories: a file of 10,000 hands, each played to the river with a
// showdown, read and added to a new history file in one transaction (the reading alone is
// measured for comparison).
//
//   build/bench/bench_import --benchmark_repetitions=5
#include "db/dbconnection.h"
#include "history/historyfile.h"
#include "history/historyimport.h"
#include "import/handhistoryreader.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

constexpr int kHands = 10000;

// Seven different cards "Ah" for one hand: two for the player, five for the board; then two
// for the opponent.
QStringList dealt(QRandomGenerator &random)
{
    const QString ranks = QStringLiteral("23456789TJQKA");
    const QString suits = QStringLiteral("shdc");
    QStringList cards;
    while (cards.size() < 9) {
        const QString card =
            QString(ranks.at(int(random.bounded(13)))) + suits.at(int(random.bounded(4)));
        if (!cards.contains(card))
            cards << card;
    }
    return cards;
}

// One six-handed cash hand as the client writes it, followed by the blank lines it leaves.
QString hand(qint64 number, const QDateTime &when, QRandomGenerator &random)
{
    const QStringList c = dealt(random);
    const QString board = QStringLiteral("%1 %2 %3").arg(c[2], c[3], c[4]);
    const bool heroWins = random.bounded(2) == 0;
    const QString winner = heroWins ? QStringLiteral("Hero") : QStringLiteral("Villain");
    QString text;
    text += QStringLiteral("PokerStars Hand #%1:  Hold'em No Limit ($0.25/$0.50 USD) - %2 CET "
                           "[%3 ET]\n")
                .arg(number)
                .arg(when.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")),
                     when.addSecs(-6 * 3600).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
    text += QStringLiteral("Table 'Bench' 6-max Seat #1 is the button\n"
                           "Seat 1: Hero ($50 in chips)\nSeat 2: Villain ($50 in chips)\n"
                           "Seat 3: p3 ($50 in chips)\nSeat 4: p4 ($50 in chips)\n"
                           "Seat 5: p5 ($50 in chips)\nSeat 6: p6 ($50 in chips)\n"
                           "Villain: posts small blind $0.25\np3: posts big blind $0.50\n"
                           "*** HOLE CARDS ***\n");
    text += QStringLiteral("Dealt to Hero [%1 %2]\n").arg(c[0], c[1]);
    text += QStringLiteral("p4: folds\np5: folds\np6: folds\nHero: raises $1 to $1.50\n"
                           "Villain: calls $1.25\np3: folds\n");
    text += QStringLiteral("*** FLOP *** [%1]\nVillain: checks\nHero: bets $2\nVillain: calls $2\n")
                .arg(board);
    text +=
        QStringLiteral("*** TURN *** [%1] [%2]\nVillain: checks\nHero: checks\n").arg(board, c[5]);
    text += QStringLiteral("*** RIVER *** [%1 %2] [%3]\nVillain: checks\nHero: checks\n")
                .arg(board, c[5], c[6]);
    text += QStringLiteral("*** SHOW DOWN ***\nHero: shows [%1 %2]\nVillain: shows [%3 %4]\n"
                           "%5 collected $7.30 from pot\n*** SUMMARY ***\n"
                           "Total pot $7.50 | Rake $0.20\nBoard [%6 %7 %8]\n")
                .arg(c[0], c[1], c[7], c[8], winner, board, c[5], c[6]);
    text += QStringLiteral("Seat 1: Hero (button) showed [%1 %2] and %3\n")
                .arg(c[0], c[1], heroWins ? QStringLiteral("won ($7.30)") : QStringLiteral("lost"));
    text += QStringLiteral("Seat 2: Villain (small blind) showed [%1 %2] and %3\n")
                .arg(c[7], c[8], heroWins ? QStringLiteral("lost") : QStringLiteral("won ($7.30)"));
    text += QStringLiteral("Seat 3: p3 (big blind) folded before Flop\n"
                           "Seat 4: p4 folded before Flop (didn't bet)\n"
                           "Seat 5: p5 folded before Flop (didn't bet)\n"
                           "Seat 6: p6 folded before Flop (didn't bet)\n\n\n\n");
    return text;
}

class HandsFile
{
public:
    HandsFile()
    {
        m_path = m_dir.filePath(QStringLiteral("hands.txt"));
        QRandomGenerator random(15);
        QDateTime when(QDate(2024, 3, 5), QTime(18, 0));
        QString text;
        for (int h = 0; h < kHands; ++h) {
            text += hand(240000000000 + h, when, random);
            when = when.addSecs(40);
        }
        m_bytes = text.toUtf8();
        QFile file(m_path);
        if (!file.open(QIODevice::WriteOnly) || file.write(m_bytes) != m_bytes.size())
            qFatal("could not write the benchmark's hand-history file");
    }
    QString path() const { return m_path; }
    const QByteArray &bytes() const { return m_bytes; }
    QTemporaryDir &dir() { return m_dir; }

private:
    QTemporaryDir m_dir;
    QString m_path;
    QByteArray m_bytes;
};

HandsFile &handsFile()
{
    static HandsFile file;
    return file;
}

// Reading the file and adding its hands to a new history file, as Import Hand Histories does.
void BM_Import10000Hands(benchmark::State &state)
{
    HandsFile &hands = handsFile();
    static int round = 0; // a new file for every iteration of every repetition
    ImportSummary summary;
    for (auto _ : state) {
        state.PauseTiming();
        const QString target = hands.dir().filePath(QStringLiteral("history%1.mdb").arg(round++));
        DbConnection connection;
        createHistoryFile(connection, target);
        state.ResumeTiming();
        summary = importHandHistoryFiles(connection, {hands.path()});
        benchmark::DoNotOptimize(summary);
    }
    if (summary.counts.imported != kHands)
        state.SkipWithError("not every hand was imported");
    state.counters["hands"] = double(summary.counts.imported);
}
BENCHMARK(BM_Import10000Hands)->Unit(benchmark::kMillisecond)->UseRealTime();

// For comparison: the reading alone.
void BM_Read10000Hands(benchmark::State &state)
{
    const QByteArray &bytes = handsFile().bytes();
    qsizetype read = 0;
    for (auto _ : state) {
        const HandHistoryReading reading = readHandHistory(bytes);
        read = reading.hands.size();
        benchmark::DoNotOptimize(read);
    }
    state.counters["hands"] = double(read);
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_Read10000Hands)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    // The SQL driver is a plugin, loaded through the application object.
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    handsFile();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
