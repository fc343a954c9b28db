// SPDX-License-Identifier: GPL-3.0-or-later
// Equity with three or more players: the exact three-player count against a showdown-by-showdown
// count with the reference evaluator (turn and river) and against the mean of its own exact turn
// counts (flop); the simulation against exact figures, its determinism whatever the threads, its
// figures on the way, and margins that never claim more than the deals show.
#include "engine/equity.h"
#include "equitycheck.h"

#include <QTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

using namespace tallowby;
using equitycheck::handOf;
using equitycheck::referenceRating;
using equitycheck::unseenCards;

namespace {

// Whole-number counts of ordered deals of the opponents' hands over every board completion.
struct DealCount
{
    std::int64_t deals = 0;
    std::int64_t alone = 0;  // won alone
    std::int64_t shared = 0; // tied for the best hand
    std::int64_t units = 0;  // the player's shares in twelfths of a pot
};

// Every completion of the board, then every ordered deal of `opponents` (2 or 3) card-disjoint
// hands from the cards left, each rated by the reference evaluator. Deals with a hand above the
// player's are counted by their number alone, so only hands not above need to be visited.
DealCount countShowdowns(const EquityHand &hand, int opponents)
{
    const std::vector<int> unseen = unseenCards(hand);
    struct Holding
    {
        std::uint64_t cards;
        int ties; // 1 when equal to the player's hand, 0 when below
    };
    DealCount count;
    std::vector<int> board(hand.board.begin(), hand.board.begin() + hand.boardCount);
    const auto showdowns = [&] {
        std::vector<int> own = board;
        own.insert(own.end(), hand.hole.begin(), hand.hole.end());
        const int hero = referenceRating(own);
        std::vector<int> left;
        for (const int card : unseen)
            if (std::find(board.begin(), board.end(), card) == board.end())
                left.push_back(card);
        std::vector<Holding> notAbove;
        std::vector<int> opponent = board;
        opponent.resize(7);
        for (std::size_t a = 0; a < left.size(); ++a)
            for (std::size_t b = a + 1; b < left.size(); ++b) {
                opponent[5] = left[a];
                opponent[6] = left[b];
                const int rating = referenceRating(opponent);
                if (rating <= hero)
                    notAbove.push_back(
                        {(std::uint64_t{1} << left[a]) | (std::uint64_t{1} << left[b]),
                         rating == hero ? 1 : 0});
            }
        const std::int64_t hands = std::int64_t(left.size()) * (left.size() - 1) / 2;
        const std::int64_t second = std::int64_t(left.size() - 2) * (left.size() - 3) / 2;
        const std::int64_t third = std::int64_t(left.size() - 4) * (left.size() - 5) / 2;
        count.deals += opponents == 2 ? hands * second : hands * second * third;
        const auto tally = [&count](int ties, std::int64_t orders) {
            count.units += orders * (12 / (ties + 1));
            (ties == 0 ? count.alone : count.shared) += orders;
        };
        const std::size_t n = notAbove.size();
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = i + 1; j < n; ++j) {
                if ((notAbove[i].cards & notAbove[j].cards) != 0)
                    continue;
                const int ties = notAbove[i].ties + notAbove[j].ties;
                if (opponents == 2) {
                    tally(ties, 2);
                    continue;
                }
                const std::uint64_t both = notAbove[i].cards | notAbove[j].cards;
                for (std::size_t k = j + 1; k < n; ++k)
                    if ((both & notAbove[k].cards) == 0)
                        tally(ties + notAbove[k].ties, 6);
            }
    };
    const auto complete = [&](const auto &self, std::size_t from) -> void {
        if (board.size() == 5) {
            showdowns();
            return;
        }
        for (std::size_t i = from; i < unseen.size(); ++i) {
            board.push_back(unseen[i]);
            self(self, i + 1);
            board.pop_back();
        }
    };
    complete(complete, 0);
    return count;
}

// The whole-number counts behind an exact result.
DealCount countsOf(const EquityResult &result)
{
    const auto deals = static_cast<double>(result.samples);
    DealCount count;
    count.deals = result.samples;
    count.alone = std::llround(result.win * deals);
    count.shared = std::llround(result.tie * deals);
    count.units = std::llround(result.equity * deals * 12);
    return count;
}

QString describe(const DealCount &count)
{
    return QStringLiteral("%1 deals, %2 alone, %3 shared, %4 twelfths")
        .arg(count.deals)
        .arg(count.alone)
        .arg(count.shared)
        .arg(count.units);
}

SimulationLimits withThreads(int threads)
{
    SimulationLimits limits;
    limits.threads = threads;
    return limits;
}

} // namespace

class TestMultiwayEquity : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void threeWayMatchesShowdowns_data();
    void threeWayMatchesShowdowns();
    void threeWayFlopIsMeanOfTurns_data();
    void threeWayFlopIsMeanOfTurns();
    void simulationMatchesExactFigures_data();
    void simulationMatchesExactFigures();
    void sameFigureWhateverTheThreads_data();
    void sameFigureWhateverTheThreads();
    void figuresOnTheWay();
    void settledBoardsAreExact_data();
    void settledBoardsAreExact();
    void marginIsNeverZero();
    void budgetStopsShortOfTarget();
    void cancelled();
};

void TestMultiwayEquity::threeWayMatchesShowdowns_data()
{
    QTest::addColumn<QString>("hole");
    QTest::addColumn<QString>("board");

    QTest::newRow("river, paired nines, ace on the river") << "Qs 9s"
                                                           << "Kd 9c 4s 2d Ah";
    QTest::newRow("river, made flush") << "6h 5h"
                                       << "Kh 9h 2h Qc 7d";
    QTest::newRow("river, five hearts on board") << "3h 2c"
                                                 << "Kh 9h 5h Qh 7h";
    QTest::newRow("river, full house on board") << "2c 3d"
                                                << "9s 9d 9c 4h 4s";
    QTest::newRow("river, wheel") << "As 2d"
                                  << "3c 4h 5s Kd Kh";
    QTest::newRow("turn, flush draw") << "Ah Kh"
                                      << "Qh 7h 2c 3s";
    QTest::newRow("turn, four diamonds") << "Qs Qc"
                                         << "2d 7d Kd 8d";
    if (!oraclecheck::sanitizedBuild())
        QTest::newRow("turn, paired board") << "Jd Tc"
                                            << "Js 7s 7d 2c";
}

// Whole-number counts, so that not one showdown may be missing, doubled or misjudged.
void TestMultiwayEquity::threeWayMatchesShowdowns()
{
    QFETCH(QString, hole);
    QFETCH(QString, board);
    const EquityHand hand = handOf(hole, board);
    const DealCount expected = countShowdowns(hand, 2);
    const EquityResult result = exactThreeWayEquity(hand, nullptr);

    QVERIFY(!result.cancelled);
    QCOMPARE(result.method, EquityResult::Method::Exact);
    QVERIFY(result.exact);
    QCOMPARE(result.margin95, 0.0);
    QCOMPARE(result.boards, hand.boardCount == 5 ? 1 : 46);
    const DealCount counted = countsOf(result);
    QVERIFY2(counted.deals == expected.deals && counted.alone == expected.alone &&
                 counted.shared == expected.shared && counted.units == expected.units,
             qPrintable(describe(counted) + QStringLiteral(" instead of ") + describe(expected)));
    // And through the stage dispatch, as the card panel asks for it.
    const auto dispatched = computeEquity(hand, 3, nullptr, nullptr);
    QVERIFY(dispatched);
    QCOMPARE(dispatched->equity, result.equity);
    QCOMPARE(dispatched->samples, result.samples);
}

void TestMultiwayEquity::threeWayFlopIsMeanOfTurns_data()
{
    QTest::addColumn<QString>("hole");
    QTest::addColumn<QString>("board");
    QTest::newRow("flush draw, two overcards") << "Ah Kh"
                                               << "Qh 2h 7c";
    QTest::newRow("monotone flop") << "As Kd"
                                   << "Qh 7h 2h";
    QTest::newRow("trips on the flop") << "As Ks"
                                       << "Ah Ad 7c";
    QTest::newRow("straight flush draw") << "9c 8c"
                                         << "7c 6c 2d";
}

// Each unordered pair of turn and river cards completes the flop once and is met twice among
// the turns (t then r, r then t): the flop's counts are half the sum of the 47 turns' counts.
void TestMultiwayEquity::threeWayFlopIsMeanOfTurns()
{
    QFETCH(QString, hole);
    QFETCH(QString, board);
    const EquityHand flop = handOf(hole, board);
    const EquityResult result = exactThreeWayEquity(flop, nullptr);
    QCOMPARE(result.samples, std::int64_t{966'381'570});
    QCOMPARE(result.boards, 1081);

    DealCount turns;
    double equityOfTurns = 0;
    int turnCount = 0;
    for (int card = 1; card <= 52; ++card) {
        EquityHand turn = flop;
        turn.board[turn.boardCount++] = card;
        const auto counted = computeEquity(turn, 3, nullptr, nullptr);
        if (!counted)
            continue; // a card already dealt
        ++turnCount;
        const DealCount c = countsOf(*counted);
        turns.deals += c.deals;
        turns.alone += c.alone;
        turns.shared += c.shared;
        turns.units += c.units;
        equityOfTurns += counted->equity;
    }
    QCOMPARE(turnCount, 47);
    const DealCount counted = countsOf(result);
    QVERIFY2(2 * counted.deals == turns.deals && 2 * counted.alone == turns.alone &&
                 2 * counted.shared == turns.shared && 2 * counted.units == turns.units,
             qPrintable(describe(counted) + QStringLiteral(", turns ") + describe(turns)));
    QVERIFY(std::abs(result.equity - equityOfTurns / turnCount) < 1e-12);
}

void TestMultiwayEquity::simulationMatchesExactFigures_data()
{
    QTest::addColumn<QString>("hole");
    QTest::addColumn<QString>("board");
    QTest::addColumn<int>("opponents");

    // Two opponents: against the exact count. Three: against the showdown-by-showdown count.
    QTest::newRow("flop, flush draw, 2 opponents") << "Ah Kh"
                                                   << "Qh 2h 7c" << 2;
    QTest::newRow("turn, four diamonds, 2 opponents") << "Qs Qc"
                                                      << "2d 7d Kd 8d" << 2;
    QTest::newRow("river, full house on board, 2 opponents") << "2c 3d"
                                                             << "9s 9d 9c 4h 4s" << 2;
    QTest::newRow("river, top pair, 3 opponents") << "Ks Jd"
                                                  << "Kh 8c 5d 3s 2h" << 3;
    QTest::newRow("river, made flush, 3 opponents") << "6h 5h"
                                                    << "Kh 9h 2h Qc 7d" << 3;
}

void TestMultiwayEquity::simulationMatchesExactFigures()
{
    QFETCH(QString, hole);
    QFETCH(QString, board);
    QFETCH(int, opponents);
    const EquityHand hand = handOf(hole, board);
    DealCount exact;
    if (opponents == 2)
        exact = countsOf(exactThreeWayEquity(hand, nullptr));
    else
        exact = countShowdowns(hand, opponents);
    const auto deals = static_cast<double>(exact.deals);
    const double equity = static_cast<double>(exact.units) / 12 / deals;
    const EquityResult simulated = simulateEquity(hand, opponents, nullptr, SimulationLimits{});

    QCOMPARE(simulated.method, EquityResult::Method::Simulated);
    QVERIFY(!simulated.exact && simulated.final && !simulated.cancelled);
    QVERIFY2(simulated.margin95 > 0 && simulated.margin95 <= 0.0005,
             qPrintable(QString::number(simulated.margin95)));
    // Twice the 95 % margin is four standard errors: a sound simulation never lies further out.
    const auto within = [&](double figure, double truth, const char *what) {
        return std::abs(figure - truth) <= 2 * simulated.margin95
                   ? QString()
                   : QStringLiteral("%1 simulated %2 ± %3, exact %4")
                         .arg(what)
                         .arg(figure)
                         .arg(simulated.margin95)
                         .arg(truth);
    };
    QString fault = within(simulated.equity, equity, "equity");
    fault += within(simulated.win, static_cast<double>(exact.alone) / deals, "win");
    fault += within(simulated.tie, static_cast<double>(exact.shared) / deals, "tie");
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QVERIFY(simulated.equity >= simulated.win && simulated.equity <= simulated.win + simulated.tie);
}

void TestMultiwayEquity::sameFigureWhateverTheThreads_data()
{
    QTest::addColumn<QString>("hole");
    QTest::addColumn<QString>("board");
    QTest::addColumn<int>("players");
    QTest::newRow("flop, 10 players") << "Ah Kh"
                                      << "Qh 2h 7c" << 10;
    QTest::newRow("turn, 4 players") << "Ts 9d"
                                     << "Kh 9h 4c 2s" << 4;
    QTest::newRow("river, 6 players") << "Ks Jd"
                                      << "Kh 8c 5d 3s 2h" << 6;
    QTest::newRow("pre-flop without a table, 5 players") << "Ah Ad"
                                                         << "" << 5;
}

// Seeds per round, board and chunk, and whole-number sums added in order: neither the number of
// threads nor the order of the cards changes one bit of the figure.
void TestMultiwayEquity::sameFigureWhateverTheThreads()
{
    QFETCH(QString, hole);
    QFETCH(QString, board);
    QFETCH(int, players);
    SimulationLimits limits;
    limits.targetMargin95 = 0.002; // the same rule at a quarter of the deals
    limits.threads = 1;
    const auto once = computeEquity(handOf(hole, board), players, nullptr, nullptr, limits);
    QVERIFY(once);
    QCOMPARE(once->method, EquityResult::Method::Simulated);

    QStringList holeCards = hole.split(' ');
    std::reverse(holeCards.begin(), holeCards.end());
    QStringList boardCards = board.split(' ', Qt::SkipEmptyParts);
    std::reverse(boardCards.begin(), boardCards.end());
    const EquityHand reordered = handOf(holeCards.join(' '), boardCards.join(' '));
    for (const int threads : {2, 3, 8}) {
        limits.threads = threads;
        const auto again = computeEquity(reordered, players, nullptr, nullptr, limits);
        QVERIFY(again);
        QCOMPARE(again->samples, once->samples);
        QVERIFY2(again->equity == once->equity && again->win == once->win &&
                     again->tie == once->tie && again->margin95 == once->margin95,
                 qPrintable(QStringLiteral("%1 threads: %2 instead of %3")
                                .arg(threads)
                                .arg(again->equity, 0, 'g', 17)
                                .arg(once->equity, 0, 'g', 17)));
    }
    // Another number of players deals from another seed.
    QVERIFY(equitySeed(handOf(hole, board), players - 1) !=
            equitySeed(handOf(hole, board), players - 2));
}

// The first figure comes as soon as it is good to 0.5 points, then better ones, then the final
// figure, which is the one computeEquity returns without a progress callback.
void TestMultiwayEquity::figuresOnTheWay()
{
    const EquityHand hand = handOf("Ah Kh", "Qh 2h 7c");
    std::vector<EquityResult> interim;
    const auto result =
        computeEquity(hand, 10, nullptr, nullptr, SimulationLimits{},
                      [&interim](const EquityResult &figure) { interim.push_back(figure); });
    QVERIFY(result);
    QVERIFY(result->final);
    QVERIFY(!interim.empty());
    std::int64_t deals = 0;
    for (const EquityResult &figure : interim) {
        QVERIFY(!figure.final);
        QCOMPARE(figure.method, EquityResult::Method::Simulated);
        QVERIFY(figure.margin95 <= 0.005 && figure.margin95 > 0.0005);
        QVERIFY(figure.samples > deals);
        deals = figure.samples;
        // Each figure on the way agrees with the final one within its own margin.
        QVERIFY(std::abs(figure.equity - result->equity) <= 2 * figure.margin95);
    }
    QVERIFY(result->samples > deals);
    QVERIFY(result->margin95 <= 0.0005);
    QCOMPARE(result->boards, 1081);

    const auto quiet = computeEquity(hand, 10, nullptr, nullptr);
    QCOMPARE(quiet->equity, result->equity);
    QCOMPARE(quiet->samples, result->samples);
}

void TestMultiwayEquity::settledBoardsAreExact_data()
{
    QTest::addColumn<QString>("hole");
    QTest::addColumn<QString>("board");
    QTest::addColumn<int>("players");
    QTest::addColumn<double>("equity");
    QTest::addColumn<double>("win");

    // A straight on the board that nobody can better: every pot split every way.
    QTest::newRow("board straight, 7 players") << "2c 3d"
                                               << "Ts Jd Qc Kh As" << 7 << 1.0 / 7 << 0.0;
    QTest::newRow("board royal flush, 10 players") << "2c 3d"
                                                   << "Ah Kh Qh Jh Th" << 10 << 0.1 << 0.0;
    // Four aces with no straight flush possible: every pot won alone.
    QTest::newRow("four aces, 9 players") << "Ac Ah"
                                          << "As Ad 7h 8c 2d" << 9 << 1.0 << 1.0;
}

void TestMultiwayEquity::settledBoardsAreExact()
{
    QFETCH(QString, hole);
    QFETCH(QString, board);
    QFETCH(int, players);
    QFETCH(double, equity);
    QFETCH(double, win);
    const auto result = computeEquity(handOf(hole, board), players, nullptr, nullptr);
    QVERIFY(result);
    QCOMPARE(result->method, EquityResult::Method::Exact);
    QVERIFY(result->exact);
    QCOMPARE(result->margin95, 0.0);
    QVERIFY(std::abs(result->equity - equity) < 1e-15);
    QCOMPARE(result->win, win);
    QCOMPARE(result->tie, 1 - win);
    QCOMPARE(equityMethodText(*result), std::string("exact, every deal ends alike"));
}

// A hand that loses almost every deal still shows a margin above zero, in the text as well.
void TestMultiwayEquity::marginIsNeverZero()
{
    SimulationLimits limits;
    limits.targetMargin95 = 0.002;
    // Seven high against nine opponents on a board of four spades.
    const auto result =
        computeEquity(handOf("7d 2c", "As Ks 9s 4s 3h"), 10, nullptr, nullptr, limits);
    QVERIFY(result);
    QCOMPARE(result->method, EquityResult::Method::Simulated);
    QVERIFY(result->equity < 0.001);
    QVERIFY(result->margin95 > 0);
    QVERIFY(marginPercent(*result) >= 0.01);
    const std::string text = equityMethodText(*result);
    QVERIFY2(text.find("\u00B10 %") == std::string::npos, text.c_str());
}

// A deal budget below what the target needs ends the simulation there, with the margin reached.
void TestMultiwayEquity::budgetStopsShortOfTarget()
{
    SimulationLimits limits;
    limits.maxDeals = 100'000;
    const EquityResult result = simulateEquity(handOf("Ah Kh", "Qh 2h 7c"), 9, nullptr, limits);
    QVERIFY(!result.cancelled && result.final);
    QVERIFY(result.samples >= 100'000 && result.samples < 110'000);
    QVERIFY(result.margin95 > 0.0005 && result.margin95 < 0.005);
    QVERIFY(std::abs(result.equity - 0.39) < 2 * result.margin95 + 0.002);
}

void TestMultiwayEquity::cancelled()
{
    const std::atomic<bool> alreadySet{true};
    QVERIFY(exactThreeWayEquity(handOf("As Kd", "Qh 7h 2h"), &alreadySet).cancelled);
    QVERIFY(simulateEquity(handOf("As Kd", "Qh 7h 2h"), 5, &alreadySet, {}).cancelled);
    QVERIFY(simulateEquity(handOf("As Kd"), 5, &alreadySet, {}).cancelled);
    int reported = 0;
    const EquityResult stopped =
        simulateEquity(handOf("As Kd", "Qh 7h 2h 9c"), 5, &alreadySet, withThreads(2),
                       [&reported](const EquityResult &) { ++reported; });
    QVERIFY(stopped.cancelled);
    QCOMPARE(reported, 0);
}

QTEST_GUILESS_MAIN(TestMultiwayEquity)
#include "tst_multiwayequity.moc"
