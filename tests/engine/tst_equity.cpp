// SPDX-License-Identifier: GPL-3.0-or-later
// Equity: the exact heads-up count against a one-by-one count with the reference evaluator,
// the plain simulation (the pre-flop table's) against exact figures, split pots, determinism,
// cancellation, the choice of method per stage, and the pre-flop table with its file.
#include "engine/equity.h"
#include "engine/preflopequity.h"
#include "equitycheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <cmath>
#include <set>
#include <thread>

using namespace tallowby;
using equitycheck::handOf;
using equitycheck::referenceRating;
using equitycheck::unseenCards;

namespace {

struct ShowdownCount
{
    std::int64_t total = 0;
    std::int64_t wins = 0;
    std::int64_t ties = 0;
};

// Heads-up, one showdown at a time: every completion of the board, then every opponent hand
// from the cards left, each rated by the reference evaluator.
ShowdownCount countOneByOne(const EquityHand &hand)
{
    const std::vector<int> unseen = unseenCards(hand);
    std::vector<int> board(hand.board.begin(), hand.board.begin() + hand.boardCount);
    ShowdownCount count;
    const auto showdowns = [&] {
        std::vector<int> own = board;
        own.insert(own.end(), hand.hole.begin(), hand.hole.end());
        const int hero = referenceRating(own);
        std::vector<int> left;
        for (const int card : unseen)
            if (std::find(board.begin(), board.end(), card) == board.end())
                left.push_back(card);
        std::vector<int> opponent = board;
        opponent.resize(board.size() + 2);
        for (std::size_t a = 0; a < left.size(); ++a)
            for (std::size_t b = a + 1; b < left.size(); ++b) {
                opponent[board.size()] = left[a];
                opponent[board.size() + 1] = left[b];
                const int rating = referenceRating(opponent);
                ++count.total;
                count.wins += hero > rating;
                count.ties += hero == rating;
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

// The exact equity against two opponents on the river: every ordered pair of disjoint opponent
// hands, rated by the reference evaluator.
double threeWayRiverEquity(const EquityHand &hand)
{
    const std::vector<int> unseen = unseenCards(hand);
    std::vector<int> cards(hand.board.begin(), hand.board.end());
    cards.insert(cards.end(), hand.hole.begin(), hand.hole.end());
    const int hero = referenceRating(cards);
    struct Holding
    {
        int a, b, rating;
    };
    std::vector<Holding> holdings;
    for (std::size_t a = 0; a < unseen.size(); ++a)
        for (std::size_t b = a + 1; b < unseen.size(); ++b) {
            cards[5] = unseen[a];
            cards[6] = unseen[b];
            holdings.push_back({unseen[a], unseen[b], referenceRating(cards)});
        }
    double shares = 0;
    std::int64_t deals = 0;
    for (const Holding &first : holdings)
        for (const Holding &second : holdings) {
            if (second.a == first.a || second.a == first.b || second.b == first.a ||
                second.b == first.b)
                continue;
            ++deals;
            if (first.rating > hero || second.rating > hero)
                continue;
            shares += 1.0 / (1 + (first.rating == hero) + (second.rating == hero));
        }
    return shares / static_cast<double>(deals);
}

std::int64_t choose(int n, int k)
{
    std::int64_t result = 1;
    for (int i = 0; i < k; ++i)
        result = result * (n - i) / (i + 1);
    return result;
}

const PreflopEquityTable &shippedTable()
{
    static const PreflopEquityTable table = [] {
        std::string error;
        auto loaded = PreflopEquityTable::load(TALLOWBY_PREFLOP_EQUITY_PATH, error);
        if (!loaded)
            qFatal("%s", error.c_str());
        return *loaded;
    }();
    return table;
}

// A complete table text whose every entry is the same plausible figure.
std::string uniformTableText()
{
    PreflopEquityTable table;
    PreflopEquityTable::Entry entry;
    entry.equity = 0.5;
    entry.win = 0.45;
    entry.tie = 0.1;
    entry.standardError = 0.0002;
    entry.samples = 1000;
    for (int handClass = 0; handClass < kStartingHandClasses; ++handClass)
        for (int opponents = 1; opponents <= kMaxOpponents; ++opponents)
            table.setEntry(handClass, opponents, entry);
    return table.toText({"header"});
}

} // namespace

Q_DECLARE_METATYPE(tallowby::EquityResult::Method)

class TestEquity : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exactCountMatchesOneByOne_data();
    void exactCountMatchesOneByOne();
    void simulationMatchesExactFigures_data();
    void simulationMatchesExactFigures();
    void splitPotsShareEvenly_data();
    void splitPotsShareEvenly();
    void simulationIsDeterministic();
    void cancellationStopsEarly();
    void methodFollowsTheStage_data();
    void methodFollowsTheStage();
    void refusesWhatIsNoHand_data();
    void refusesWhatIsNoHand();
    void startingHandClasses();
    void knownPreflopFigures_data();
    void knownPreflopFigures();
    void tableAgreesWithSimulation_data();
    void tableAgreesWithSimulation();
    void tableTextRoundTrips();
    void tableErrorsNameTheFault_data();
    void tableErrorsNameTheFault();
    void tableReadsWindowsLineEnds();
    void tableIsFoundBesideOrInstalled();
};

void TestEquity::exactCountMatchesOneByOne_data()
{
    QTest::addColumn<QString>("hole");
    QTest::addColumn<QString>("board");

    QTest::newRow("river, made flush 6h 5h") << "6h 5h"
                                             << "Kh 9h 2h Qc 7d";
    QTest::newRow("river, nut flush") << "Ah 4h"
                                      << "Kh 9h 2h Qc 7d";
    QTest::newRow("river, four hearts on board") << "Ts 2c"
                                                 << "Kh 9h 2h Qh 7d";
    QTest::newRow("river, five hearts on board") << "3h 2c"
                                                 << "Kh 9h 5h Qh 7h";
    QTest::newRow("river, straight flush on board") << "Ac Ad"
                                                    << "9s Ts Js Qs Ks";
    QTest::newRow("river, paired board, full house") << "9c 9d"
                                                     << "9h 4s 4d Kc 2h";
    QTest::newRow("river, wheel") << "As 2d"
                                  << "3c 4h 5s Kd Kh";
    QTest::newRow("turn, flush draw") << "Ah Kh"
                                      << "Qh 7h 2c 3s";
    QTest::newRow("turn, three spades") << "Jd Jc"
                                        << "2s 7s Ks 8d";
    QTest::newRow("turn, four diamonds") << "Qs Qc"
                                         << "2d 7d Kd 8d";
    QTest::newRow("flop, monotone") << "As Kd"
                                    << "Qh 7h 2h";
    if (!oraclecheck::sanitizedBuild())
        QTest::newRow("flop, two-tone") << "8c 8d"
                                        << "2c 7d Kh";
}

void TestEquity::exactCountMatchesOneByOne()
{
    QFETCH(QString, hole);
    QFETCH(QString, board);
    const EquityHand hand = handOf(hole, board);
    const ShowdownCount expected = countOneByOne(hand);
    const EquityResult result = exactHeadsUpEquity(hand, nullptr);

    QVERIFY(!result.cancelled);
    QCOMPARE(result.method, EquityResult::Method::Exact);
    QCOMPARE(result.samples, expected.total);
    const auto total = static_cast<double>(expected.total);
    QCOMPARE(std::llround(result.win * total), expected.wins);
    QCOMPARE(std::llround(result.tie * total), expected.ties);
    QCOMPARE(result.equity, (static_cast<double>(expected.wins) + expected.ties / 2.0) / total);
    QCOMPARE(result.margin95, 0.0);
}

void TestEquity::simulationMatchesExactFigures_data()
{
    QTest::addColumn<QString>("hole");
    QTest::addColumn<QString>("board");
    QTest::addColumn<int>("opponents");

    QTest::newRow("flop, monotone, heads-up") << "As Kd"
                                              << "Qh 7h 2h" << 1;
    QTest::newRow("turn, four diamonds, heads-up") << "Qs Qc"
                                                   << "2d 7d Kd 8d" << 1;
    QTest::newRow("river, made flush, two opponents") << "6h 5h"
                                                      << "Kh 9h 2h Qc 7d" << 2;
    QTest::newRow("river, full house on board, two opponents") << "2c 3d"
                                                               << "9s 9d 9c 4h 4s" << 2;
    QTest::newRow("river, top pair, two opponents") << "Ks Jd"
                                                    << "Kh 8c 5d 3s 2h" << 2;
}

void TestEquity::simulationMatchesExactFigures()
{
    QFETCH(QString, hole);
    QFETCH(QString, board);
    QFETCH(int, opponents);
    const EquityHand hand = handOf(hole, board);
    const double exact =
        opponents == 1 ? exactHeadsUpEquity(hand, nullptr).equity : threeWayRiverEquity(hand);
    SimulationLimits limits;
    limits.targetMargin95 = 0.005;
    const EquityResult simulated = simulateEquityPlain(hand, opponents, nullptr, limits);

    QCOMPARE(simulated.method, EquityResult::Method::Simulated);
    QVERIFY(!simulated.exact);
    QVERIFY2(simulated.margin95 <= 0.005, qPrintable(QString::number(simulated.margin95)));
    // Twice the 95 % margin is four standard errors: a sound simulation never lies further out.
    QVERIFY2(std::abs(simulated.equity - exact) <= 2 * simulated.margin95,
             qPrintable(QStringLiteral("simulated %1 ± %2, exact %3")
                            .arg(simulated.equity)
                            .arg(simulated.margin95)
                            .arg(exact)));
    QVERIFY(simulated.win + simulated.tie <= 1);
    QVERIFY(simulated.equity >= simulated.win && simulated.equity <= simulated.win + simulated.tie);
}

void TestEquity::splitPotsShareEvenly_data()
{
    QTest::addColumn<int>("players");
    QTest::newRow("2 players, counted") << 2;
    QTest::newRow("3 players, counted") << 3;
    QTest::newRow("7 players, every deal alike") << 7;
    QTest::newRow("10 players, every deal alike") << 10;
}

void TestEquity::splitPotsShareEvenly()
{
    QFETCH(int, players);
    // Ace-high straight on the board, no three cards of a suit: nobody can do better.
    const auto result = computeEquity(handOf("2c 3d", "Ts Jd Qc Kh As"), players, nullptr, nullptr);
    QVERIFY(result);
    QVERIFY2(result->equity == 1.0 / players, qPrintable(QString::number(result->equity, 'g', 17)));
    QCOMPARE(result->win, 0.0);
    QCOMPARE(result->tie, 1.0);
    QCOMPARE(result->margin95, 0.0);
}

void TestEquity::simulationIsDeterministic()
{
    const EquityHand hand = handOf("Ah 9h", "Qh 7h 2c");
    const EquityHand reordered = handOf("9h Ah", "2c Qh 7h");
    const auto first = computeEquity(hand, 5, nullptr, nullptr);
    QVERIFY(first);
    QCOMPARE(first->method, EquityResult::Method::Simulated);

    std::optional<EquityResult> onWorker;
    std::thread worker([&] { onWorker = computeEquity(reordered, 5, nullptr, nullptr); });
    worker.join();
    QVERIFY(onWorker);
    QCOMPARE(onWorker->samples, first->samples);
    QVERIFY(onWorker->equity == first->equity);
    QVERIFY(onWorker->win == first->win && onWorker->tie == first->tie);
    QCOMPARE(equitySeed(hand, 4), equitySeed(reordered, 4));
    QVERIFY(equitySeed(hand, 4) != equitySeed(hand, 3));
}

void TestEquity::cancellationStopsEarly()
{
    const std::atomic<bool> alreadySet{true};
    const EquityResult counted = exactHeadsUpEquity(handOf("As Kd"), &alreadySet);
    QVERIFY(counted.cancelled);
    QCOMPARE(counted.samples, std::int64_t{0});
    const EquityResult dealt = simulateEquity(handOf("As Kd", "Qh 7h 2h"), 4, &alreadySet, {});
    QVERIFY(dealt.cancelled);
    QVERIFY(dealt.samples <= 1024);

    // Set while running: a deal count without end, and the pre-flop count of two billion.
    SimulationLimits endless;
    endless.targetMargin95 = 0;
    endless.maxDeals = std::int64_t{1} << 60;
    for (const bool simulate : {true, false}) {
        std::atomic<bool> cancel{false};
        std::thread canceller([&cancel] {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            cancel = true;
        });
        const auto start = std::chrono::steady_clock::now();
        const EquityResult result = simulate ? simulateEquity(handOf("As Kd"), 9, &cancel, endless)
                                             : exactHeadsUpEquity(handOf("7s 2d"), &cancel);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        canceller.join();
        QVERIFY(result.cancelled);
        QVERIFY(elapsed < std::chrono::seconds(5));
        if (!simulate)
            QVERIFY(result.samples < choose(50, 5) * choose(45, 2));
    }
}

void TestEquity::methodFollowsTheStage_data()
{
    QTest::addColumn<QString>("hole");
    QTest::addColumn<QString>("board");
    QTest::addColumn<int>("players");
    QTest::addColumn<bool>("withTable");
    QTest::addColumn<EquityResult::Method>("method");
    QTest::addColumn<qint64>("samples"); // 0: any

    const std::int64_t preflop = choose(50, 5) * choose(45, 2);
    QTest::newRow("pre-flop, 2 players, table")
        << "As Ad"
        << "" << 2 << true << EquityResult::Method::Table << qint64(preflop);
    QTest::newRow("pre-flop, 6 players, table")
        << "As Ad"
        << "" << 6 << true << EquityResult::Method::Table << qint64(0);
    QTest::newRow("pre-flop, 2 players, no table")
        << "As Ad"
        << "" << 2 << false << EquityResult::Method::Simulated << qint64(0);
    QTest::newRow("flop, 2 players") << "As Ad"
                                     << "Kh 7c 2d" << 2 << true << EquityResult::Method::Exact
                                     << qint64(choose(47, 2) * choose(45, 2));
    QTest::newRow("turn, 2 players")
        << "As Ad"
        << "Kh 7c 2d 9s" << 2 << true << EquityResult::Method::Exact << qint64(46 * choose(45, 2));
    QTest::newRow("river, 2 players")
        << "As Ad"
        << "Kh 7c 2d 9s 3h" << 2 << true << EquityResult::Method::Exact << qint64(990);
    QTest::newRow("flop, 3 players")
        << "As Ad"
        << "Kh 7c 2d" << 3 << true << EquityResult::Method::Exact << qint64(966'381'570);
    QTest::newRow("turn, 3 players")
        << "As Ad"
        << "Kh 7c 2d 9s" << 3 << true << EquityResult::Method::Exact << qint64(46 * 990 * 903);
    QTest::newRow("river, 3 players")
        << "As Ad"
        << "Kh 7c 2d 9s 3h" << 3 << true << EquityResult::Method::Exact << qint64(990 * 903);
    QTest::newRow("flop, 4 players")
        << "As Ad"
        << "Kh 7c 2d" << 4 << true << EquityResult::Method::Simulated << qint64(0);
    QTest::newRow("river, 10 players")
        << "As Ad"
        << "Kh 7c 2d 9s 3h" << 10 << true << EquityResult::Method::Simulated << qint64(0);
}

void TestEquity::methodFollowsTheStage()
{
    QFETCH(QString, hole);
    QFETCH(QString, board);
    QFETCH(int, players);
    QFETCH(bool, withTable);
    QFETCH(EquityResult::Method, method);
    QFETCH(qint64, samples);

    // Through the hand state, as the card panel will call it.
    HandState state;
    state.ResetHand();
    const std::vector<int> cards = oraclecheck::indicesOf(hole + ' ' + board);
    for (std::size_t i = 0; i < cards.size(); ++i)
        state.SetSlotCard(static_cast<int>(i) + 1, cards[i]);
    const auto result =
        computeEquity(state, players, nullptr, withTable ? &shippedTable() : nullptr);
    QVERIFY(result);
    QCOMPARE(result->method, method);
    QVERIFY(!result->cancelled);
    if (samples > 0)
        QCOMPARE(result->samples, std::int64_t{samples});
    if (method == EquityResult::Method::Simulated)
        QVERIFY(result->margin95 > 0 && result->margin95 <= 0.0005);
    if (method == EquityResult::Method::Exact)
        QCOMPARE(result->margin95, 0.0);
    QVERIFY(result->equity > 0 && result->equity < 1);
}

void TestEquity::refusesWhatIsNoHand_data()
{
    QTest::addColumn<QList<int>>("hole");
    QTest::addColumn<QList<int>>("board");
    QTest::addColumn<int>("players");

    QTest::newRow("one player") << QList<int>{13, 26} << QList<int>{} << 1;
    QTest::newRow("eleven players") << QList<int>{13, 26} << QList<int>{} << 11;
    QTest::newRow("no second hole card") << QList<int>{13, 0} << QList<int>{} << 2;
    QTest::newRow("card 53") << QList<int>{13, 53} << QList<int>{} << 2;
    QTest::newRow("card given twice") << QList<int>{13, 26} << QList<int>{5, 13, 7} << 2;
    QTest::newRow("board of two") << QList<int>{13, 26} << QList<int>{5, 6} << 2;
    QTest::newRow("board of one") << QList<int>{13, 26} << QList<int>{5} << 2;
}

void TestEquity::refusesWhatIsNoHand()
{
    QFETCH(QList<int>, hole);
    QFETCH(QList<int>, board);
    QFETCH(int, players);
    EquityHand hand;
    hand.hole = {hole[0], hole[1]};
    for (const int card : board)
        hand.board[hand.boardCount++] = card;
    QVERIFY(!computeEquity(hand, players, nullptr, &shippedTable()));
}

void TestEquity::startingHandClasses()
{
    const auto classOf = [](const char *a, const char *b) {
        return startingHandClass(cardIndexFromCode(a), cardIndexFromCode(b));
    };
    QCOMPARE(classOf("As", "Ks"), classOf("Kd", "Ad"));
    QVERIFY(classOf("As", "Ks") != classOf("As", "Kd"));
    QCOMPARE(classOf("As", "Kd"), classOf("Kc", "Ah"));
    QCOMPARE(classOf("As", "Ad"), classOf("Ah", "Ac"));
    QCOMPARE(startingHandClassName(classOf("As", "Ks")), std::string("AKs"));
    QCOMPARE(startingHandClassName(classOf("Kd", "As")), std::string("AKo"));
    QCOMPARE(startingHandClassName(classOf("2c", "2h")), std::string("22"));

    // Every class once, named so that the name reads back, its cards in it, 1326 hands in all.
    std::set<std::string> names;
    int hands = 0;
    for (int handClass = 0; handClass < kStartingHandClasses; ++handClass) {
        const std::string name = startingHandClassName(handClass);
        names.insert(name);
        QCOMPARE(startingHandClassFromName(name), handClass);
        const auto cards = startingHandCards(handClass);
        QCOMPARE(startingHandClass(cards[0], cards[1]), handClass);
        hands += startingHandCombos(handClass);
    }
    QCOMPARE(int(names.size()), kStartingHandClasses);
    QCOMPARE(hands, 1326);
    for (const char *bad : {"KAs", "AA s", "AAs", "AK", "AKx", "1As", "", "tt"})
        QCOMPARE(startingHandClassFromName(bad), -1);
}

void TestEquity::knownPreflopFigures_data()
{
    QTest::addColumn<QString>("hole");
    QTest::addColumn<int>("players");
    QTest::addColumn<double>("equity"); // percent
    QTest::addColumn<double>("within");

    QTest::newRow("AA heads-up") << "Ah Ad" << 2 << 85.2 << 0.1;
    QTest::newRow("AA against nine") << "Ah Ad" << 10 << 31.0 << 0.5;
    QTest::newRow("72o heads-up") << "7h 2d" << 2 << 34.6 << 0.1;
    QTest::newRow("AKs heads-up") << "Ah Kh" << 2 << 67.0 << 0.1;
    QTest::newRow("AKo heads-up") << "Ah Kd" << 2 << 65.3 << 0.1;
}

void TestEquity::knownPreflopFigures()
{
    QFETCH(QString, hole);
    QFETCH(int, players);
    QFETCH(double, equity);
    QFETCH(double, within);
    const auto result = computeEquity(handOf(hole), players, nullptr, &shippedTable());
    QVERIFY(result);
    QCOMPARE(result->method, EquityResult::Method::Table);
    QCOMPARE(result->exact, players == 2);
    QVERIFY2(std::abs(result->equity * 100 - equity) <= within,
             qPrintable(QString::number(result->equity * 100)));
    QVERIFY(result->equity >= result->win && result->equity <= result->win + result->tie);
}

void TestEquity::tableAgreesWithSimulation_data()
{
    QTest::addColumn<QString>("hole");
    QTest::addColumn<int>("opponents");
    QTest::newRow("AKs, 1") << "Ac Kc" << 1;
    QTest::newRow("T9s, 4") << "Ts 9s" << 4;
    QTest::newRow("22, 9") << "2d 2h" << 9;
}

void TestEquity::tableAgreesWithSimulation()
{
    QFETCH(QString, hole);
    QFETCH(int, opponents);
    const EquityHand hand = handOf(hole);
    const PreflopEquityTable::Entry &entry =
        shippedTable().entry(startingHandClass(hand.hole[0], hand.hole[1]), opponents);
    SimulationLimits limits;
    limits.targetMargin95 = 0.004;
    limits.seed = 20240601; // not the generator's seed
    const EquityResult simulated = simulateEquity(hand, opponents, nullptr, limits);
    const double spread =
        std::sqrt(std::pow(simulated.margin95, 2) + std::pow(kZ95 * entry.standardError, 2));
    QVERIFY2(std::abs(simulated.equity - entry.equity) <= 2 * spread,
             qPrintable(QStringLiteral("table %1, simulated %2 ± %3")
                            .arg(entry.equity)
                            .arg(simulated.equity)
                            .arg(simulated.margin95)));
    // More opponents, less equity.
    if (opponents > 1)
        QVERIFY(shippedTable()
                    .entry(startingHandClass(hand.hole[0], hand.hole[1]), opponents - 1)
                    .equity > entry.equity);
}

void TestEquity::tableTextRoundTrips()
{
    std::string error;
    const PreflopEquityTable &shipped = shippedTable();
    const auto again = PreflopEquityTable::parse(shipped.toText({"again"}), "again", error);
    QVERIFY2(again, error.c_str());
    for (int handClass = 0; handClass < kStartingHandClasses; ++handClass)
        for (int opponents = 1; opponents <= kMaxOpponents; ++opponents) {
            const auto &a = shipped.entry(handClass, opponents);
            const auto &b = again->entry(handClass, opponents);
            QCOMPARE(b.samples, a.samples);
            QCOMPARE(b.exact, a.exact);
            QVERIFY(std::abs(a.equity - b.equity) < 1e-9 && std::abs(a.win - b.win) < 1e-9 &&
                    std::abs(a.tie - b.tie) < 1e-9);
        }
    QCOMPARE(shipped.entry(startingHandClassFromName("AA"), 1).samples,
             choose(50, 5) * choose(45, 2));
}

void TestEquity::tableErrorsNameTheFault_data()
{
    QTest::addColumn<QString>("line");    // replaces the entry of AKs against 3 opponents
    QTest::addColumn<QString>("message"); // @ stands for that line's number; empty: no error

    QTest::newRow("tab separated") << "AKs\t3\tsimulated\t1000\t50\t45\t10\t0.02"
                                   << "";
    QTest::newRow("seven fields") << "AKs 3 simulated 1000 50 45 10"
                                  << "t:@: expected 8 fields";
    QTest::newRow("unknown hand") << "AKx 3 simulated 1000 50 45 10 0.02"
                                  << "t:@: \"AKx\" is no starting hand";
    QTest::newRow("lower rank first") << "KAs 3 simulated 1000 50 45 10 0.02"
                                      << "t:@: \"KAs\" is no starting hand";
    QTest::newRow("ten opponents") << "AKs 10 simulated 1000 50 45 10 0.02"
                                   << "t:@: the number of opponents must be 1 to 9";
    QTest::newRow("unknown method") << "AKs 3 guessed 1000 50 45 10 0.02"
                                    << "t:@: the method must be";
    QTest::newRow("negative samples") << "AKs 3 simulated -1000 50 45 10 0.02"
                                      << "t:@: the number of samples";
    QTest::newRow("fractional samples") << "AKs 3 simulated 1000.5 50 45 10 0.02"
                                        << "t:@: the number of samples";
    QTest::newRow("equity over 100") << "AKs 3 simulated 1000 150 45 10 0.02"
                                     << "t:@: \"150\" is no percentage";
    QTest::newRow("comma decimal") << "AKs 3 simulated 1000 50,5 45 10 0.02"
                                   << "t:@: \"50,5\" is no percentage";
    QTest::newRow("equity below win") << "AKs 3 simulated 1000 40 45 10 0.02"
                                      << "t:@: equity, win and tie do not fit";
    QTest::newRow("exact with an error") << "AKs 3 exact 1000 50 45 10 0.02"
                                         << "t:@: an exact entry has no standard error";
    QTest::newRow("given twice") << "AKs 2 simulated 1000 50 45 10 0.02"
                                 << "t:@: AKs against 2 opponents was already given on line ";
    QTest::newRow("entry missing") << "# AKs 3 left out"
                                   << "t: no entry for AKs against 3 opponents";
}

void TestEquity::tableErrorsNameTheFault()
{
    QFETCH(QString, line);
    QFETCH(QString, message);
    QStringList lines = QString::fromStdString(uniformTableText()).split('\n');
    const auto at = std::find_if(lines.begin(), lines.end(),
                                 [](const QString &l) { return l.startsWith("AKs 3 "); });
    QVERIFY(at != lines.end());
    *at = line;
    message.replace('@', QString::number(at - lines.begin() + 1));
    std::string error;
    const auto table = PreflopEquityTable::parse(lines.join('\n').toStdString(), "t", error);
    if (message.isEmpty()) {
        QVERIFY2(table, error.c_str());
        QCOMPARE(table->entry(startingHandClassFromName("AKs"), 3).samples, std::int64_t{1000});
        return;
    }
    QVERIFY(!table);
    QVERIFY2(QString::fromStdString(error).startsWith(message), error.c_str());
}

void TestEquity::tableReadsWindowsLineEnds()
{
    std::string text = uniformTableText();
    std::string crlf;
    for (const char ch : text)
        crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    std::string error;
    QVERIFY2(PreflopEquityTable::parse(crlf, "t", error), error.c_str());
}

void TestEquity::tableIsFoundBesideOrInstalled()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString bin = root.filePath("bin");
    const QString share = root.filePath("share/tallowby");
    QVERIFY(QDir().mkpath(bin) && QDir().mkpath(share));
    const std::string beside = (bin + "/preflop-equity.txt").toStdString();
    const std::string installed = (share + "/preflop-equity.txt").toStdString();

    QCOMPARE(defaultPreflopEquityPath(bin.toStdString()), beside); // neither: named for the error
    std::string error;
    QVERIFY(!PreflopEquityTable::load(beside, error));
    QVERIFY2(QString::fromStdString(error).startsWith("cannot open the pre-flop equity table " +
                                                      QString::fromStdString(beside)),
             error.c_str());

    QVERIFY(QFile::copy(TALLOWBY_PREFLOP_EQUITY_PATH, QString::fromStdString(installed)));
    QCOMPARE(defaultPreflopEquityPath(bin.toStdString()), installed);
    QCOMPARE(defaultPreflopEquityPath((bin + "/").toStdString()), installed);
    QVERIFY(QFile::copy(TALLOWBY_PREFLOP_EQUITY_PATH, QString::fromStdString(beside)));
    QCOMPARE(defaultPreflopEquityPath(bin.toStdString()), beside);
    QVERIFY2(PreflopEquityTable::load(defaultPreflopEquityPath(bin.toStdString()), error),
             error.c_str());
}

QTEST_GUILESS_MAIN(TestEquity)
#include "tst_equity.moc"
