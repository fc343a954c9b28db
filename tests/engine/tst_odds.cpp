// SPDX-License-Identifier: GPL-3.0-or-later
// The odds analysis against the reference's literal enumeration at every stage and player count,
// the worked figures of the "Hand Odds" grid and read-outs, and the number texts and colours.
#include "engine/evaluate.h"
#include "engine/handoddsgrid.h"
#include "engine/odds.h"
#include "oracle.h"
#include "oraclecheck.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <random>

using namespace tallowby;
using oraclecheck::Mismatches;

Q_DECLARE_METATYPE(tallowby::CellShade)
Q_DECLARE_METATYPE(tallowby::Stage)

namespace {

QString number(double value)
{
    return QString::number(value, 'g', 17);
}
QString text(const std::string &s)
{
    return QStringLiteral("\"%1\"").arg(QString::fromStdString(s));
}

const char *stageName(Stage stage)
{
    switch (stage) {
    case Stage::PreFlop:
        return "pre-flop";
    case Stage::Flop:
        return "flop";
    case Stage::Turn:
        return "turn";
    case Stage::River:
        return "river";
    case Stage::None:
        break;
    }
    return "no stage";
}

oracle::Stage referenceStage(Stage stage)
{
    return static_cast<oracle::Stage>(stage);
}

// Slots filled at a stage: H1, H2 and then the board so far.
int slotsOf(Stage stage)
{
    switch (stage) {
    case Stage::PreFlop:
        return 2;
    case Stage::Flop:
        return 5;
    case Stage::Turn:
        return 6;
    case Stage::River:
        return 7;
    case Stage::None:
        break;
    }
    return 0;
}

// The engine's hand and the reference's table holding the same slots.
struct Pair
{
    HandState hand;
    HandOddsGrid grid;
    Readouts readouts;
    oracle::Table table;

    Pair() { hand.ResetHand(); }

    void set(int slot, int index)
    {
        hand.SetSlotCard(slot, index);
        table.slots[slot] = index;
    }
    void deal(const std::vector<int> &cards)
    {
        for (std::size_t i = 0; i < cards.size(); ++i)
            set(static_cast<int>(i) + 1, cards[i]);
    }
    QString name() const
    {
        QStringList codes;
        for (int s = H1; s <= Rr; ++s)
            codes << QString::fromStdString(hand.CardCode(s));
        return codes.join(QLatin1Char(' '));
    }
};

void compareRecords(const StatsRecords &got, const oracle::StatsRecords &want, const QString &where,
                    Mismatches &mismatches)
{
    for (int r = 0; r < kStatsCount; ++r) {
        const THandStats &g = got[r];
        const oracle::Stats &w = want[r];
        const QString at = QStringLiteral("%1, record %2 (%3)")
                               .arg(where)
                               .arg(r)
                               .arg(QString::fromUtf8(categoryLabel(r + 1)));
        if (g.Name != w.name)
            mismatches.add(
                at + QStringLiteral(": Name expected %1 got %2").arg(text(w.name), text(g.Name)));
        if (g.Need != w.need)
            mismatches.add(
                at + QStringLiteral(": Need expected %1 got %2").arg(text(w.need), text(g.Need)));
        if (g.YouHits != w.youHits)
            mismatches.add(
                at + QStringLiteral(": YouHits expected %1 got %2").arg(w.youHits).arg(g.YouHits));
        if (g.HigherHits != w.higherHits)
            mismatches.add(at + QStringLiteral(": HigherHits expected %1 got %2")
                                    .arg(w.higherHits)
                                    .arg(g.HigherHits));
        if (g.YouPct != w.youPct)
            mismatches.add(at + QStringLiteral(": YouPct expected %1 got %2")
                                    .arg(number(w.youPct), number(g.YouPct)));
        if (g.HigherPct != w.higherPct)
            mismatches.add(at + QStringLiteral(": HigherPct expected %1 got %2")
                                    .arg(number(w.higherPct), number(g.HigherPct)));
        if (g.Threshold != w.threshold)
            mismatches.add(at +
                           QStringLiteral(": Threshold expected %1 got %2")
                               .arg(oraclecheck::hex(w.threshold), oraclecheck::hex(g.Threshold)));
    }
}

void compareGrids(const HandOddsGrid &got, const oracle::Grid &want, const QString &where,
                  Mismatches &mismatches)
{
    if (got.rowCount() != static_cast<int>(want.rows.size())) {
        mismatches.add(QStringLiteral("%1: grid rows expected %2 got %3")
                           .arg(where)
                           .arg(want.rows.size())
                           .arg(got.rowCount()));
        return;
    }
    for (int row = 0; row < got.rowCount(); ++row)
        for (int column = 0; column < HandOddsGrid::kColumns; ++column)
            if (got.cell(column, row) != want.rows[row][column])
                mismatches.add(QStringLiteral("%1: cell (%2,%3) expected %4 got %5")
                                   .arg(where)
                                   .arg(column)
                                   .arg(row)
                                   .arg(text(want.rows[row][column]), text(got.cell(column, row))));
}

void compareReadouts(const Readouts &got, const oracle::Table &want, const QString &where,
                     Mismatches &mismatches)
{
    if (got.outs != want.outs)
        mismatches.add(QStringLiteral("%1: Outs expected %2 got %3")
                           .arg(where, text(want.outs), text(got.outs)));
    if (got.hit != want.hit)
        mismatches.add(QStringLiteral("%1: Hit % expected %2 got %3")
                           .arg(where, text(want.hit), text(got.hit)));
    if (got.win != want.win)
        mismatches.add(QStringLiteral("%1: Win % expected %2 got %3")
                           .arg(where, text(want.win), text(got.win)));
}

// The engine's records, grid and read-outs against the reference's, every difference reported.
void compareWithTheReference(const Pair &pair)
{
    Mismatches mismatches;
    compareRecords(pair.hand.HandStats, pair.table.stats, pair.name(), mismatches);
    compareGrids(pair.grid, pair.table.grid, pair.name(), mismatches);
    compareReadouts(pair.readouts, pair.table, pair.name(), mismatches);
    QVERIFY2(mismatches.empty(), mismatches.report().constData());
}

// Deals seven cards (H1, H2, F1, F2, F3, Tn, Rr) of one of the classes that stress the analysis.
class Dealer
{
public:
    static constexpr int kClasses = 15;

    explicit Dealer(unsigned seed) : random_(seed) {}

    std::vector<int> deal(int kind)
    {
        used_.fill(false);
        std::array<int, 7> value;
        std::array<int, 7> suit;
        value.fill(0);
        suit.fill(-1);
        const int v = below(13) + 1;
        const int w = (v + below(12)) % 13 + 1; // another rank
        const int s = below(4);
        switch (kind) {
        case 1: // pocket pair
            value[0] = value[1] = v;
            break;
        case 2: // suited hole cards
            suit[0] = suit[1] = s;
            break;
        case 3: // monotone flop with one hole card of its suit
            suit[0] = suit[2] = suit[3] = suit[4] = s;
            break;
        case 4: // two hole and two flop cards of one suit
            suit[0] = suit[1] = suit[2] = suit[3] = s;
            break;
        case 5: // paired board
            value[2] = value[3] = v;
            break;
        case 6: // trips on the board
            value[2] = value[3] = value[4] = v;
            break;
        case 7: // quads on the board by the turn
            value[2] = value[3] = value[4] = value[5] = v;
            break;
        case 8: { // ace and wheel cards
            value[0] = 13;
            std::array<int, 4> low{1, 2, 3, 4};
            std::shuffle(low.begin(), low.end(), random_);
            value[2] = low[0];
            value[3] = low[1];
            value[5] = low[2];
            break;
        }
        case 9: // four-flush board by the turn
            suit[2] = suit[3] = suit[4] = suit[5] = s;
            break;
        case 10: // five-card flush on the board
            suit[2] = suit[3] = suit[4] = suit[5] = suit[6] = s;
            break;
        case 11: {                     // five-card straight on the board, the wheel included
            const int low = below(10); // 0: ace to five
            for (int i = 0; i < 5; ++i)
                value[2 + i] = low == 0 && i == 0 ? 13 : low + i;
            break;
        }
        case 12: { // suited connectors meeting a suited flop: straight flush draws
            const int low = below(9) + 1;
            value[0] = low + 1;
            value[1] = low + 2;
            value[2] = low + 3;
            value[3] = low == 1 ? 13 : low;
            suit[0] = suit[1] = suit[2] = suit[3] = s;
            break;
        }
        case 13: // pocket pair, set on the flop and a board pair: full houses and quads
            value[0] = value[1] = value[2] = v;
            value[3] = value[4] = w;
            break;
        case 14: // two pairs on the board
            value[2] = value[3] = v;
            value[4] = value[5] = w;
            break;
        default:
            break;
        }
        // Constrained places first, so a free card cannot take what they need.
        std::vector<int> cards(7);
        for (int i = 0; i < 7; ++i)
            if (value[i] != 0 || suit[i] >= 0)
                cards[i] = pick(value[i], suit[i]);
        for (int i = 0; i < 7; ++i)
            if (value[i] == 0 && suit[i] < 0)
                cards[i] = pick(0, -1);
        return cards;
    }

    int below(int bound) { return static_cast<int>(random_() % bound); }

private:
    // A random unused card of the given rank value and suit (0 and -1 leave them free).
    int pick(int value, int suit)
    {
        std::vector<int> choices;
        for (int index = 1; index <= 52; ++index) {
            const bool fits = (value == 0 || (index - 1) % 13 + 1 == value) &&
                              (suit < 0 || (index - 1) / 13 == suit);
            if (fits && !used_[index])
                choices.push_back(index);
        }
        if (choices.empty())
            return pick(0, -1);
        const int index = choices[below(static_cast<int>(choices.size()))];
        used_[index] = true;
        return index;
    }

    std::mt19937 random_;
    std::array<bool, 53> used_{};
};

// The worked hands are written as codes.
Pair dealt(const QString &codes)
{
    Pair pair;
    pair.deal(oraclecheck::indicesOf(codes));
    return pair;
}

AnalysisHooks hooksFor(int players, int *recommendations = nullptr)
{
    AnalysisHooks hooks;
    hooks.activePlayers = [players] {
        return std::optional<int>(players);
    };
    hooks.updateRecommendation = [recommendations] {
        if (recommendations)
            ++*recommendations;
    };
    return hooks;
}

std::string cell(const HandOddsGrid &grid, int column, int row)
{
    return grid.cell(column, row);
}

} // namespace

class TestOdds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void againstReference_data();
    void againstReference();
    void oneHandThroughItsStages();
    void preFlopPocketPair();
    void flopFourFlush();
    void river_data();
    void river();
    void winShare_data();
    void winShare();
    void certainTwoPairStartsTheGrid();
    void boardPairSetsOnlyTheThreshold();
    void activePlayersWithoutAStage();
    void incompleteBoardWithFlopRatesTheFlop();
    void withoutHoleCardsTextsStay();
    void unreadablePlayersStopAfterEnumerating();
    void unreadablePlayersAreNotReadPreFlop();
    void stageOfSlots_data();
    void stageOfSlots();
    void numberTexts_data();
    void numberTexts();
    void rounding_data();
    void rounding();
    void hitPercent_data();
    void hitPercent();
    void countOuts_data();
    void countOuts();
    void cellShades_data();
    void cellShades();
    void parseNumbers_data();
    void parseNumbers();
};

void TestOdds::againstReference_data()
{
    QTest::addColumn<Stage>("stage");
    QTest::addColumn<int>("hands");
    // A literal enumeration takes tens of milliseconds; the river has only 45·44 opponent hands.
    const int hands = oraclecheck::scaledCount("TALLOWBY_ORACLE_HANDS", 100, 40);
    QTest::newRow("pre-flop") << Stage::PreFlop << hands;
    QTest::newRow("flop") << Stage::Flop << hands;
    QTest::newRow("turn") << Stage::Turn << hands;
    QTest::newRow("river") << Stage::River << hands * 10;
}

void TestOdds::againstReference()
{
    QFETCH(Stage, stage);
    QFETCH(int, hands);

    Mismatches mismatches;
    Dealer dealer(1000 + static_cast<unsigned>(stage));
    for (int i = 0; i < hands; ++i) {
        const int kind = i % Dealer::kClasses;
        std::vector<int> cards = dealer.deal(kind);
        cards.resize(slotsOf(stage));
        const int players = 2 + i % 9;
        const char separator = i % 3 == 2 ? ',' : '.';

        Pair pair;
        pair.deal(cards);
        const QString where = QStringLiteral("%1 [%2, %3 players, class %4]")
                                  .arg(pair.name(), QString::fromUtf8(stageName(stage)))
                                  .arg(players)
                                  .arg(kind);

        // The reference: enumerate once, then finish for every player count.
        oracle::Table &table = pair.table;
        table.win = "??";
        const oracle::Counters counters = oracle::enumerate(table);
        const oracle::StatsRecords enumerated = table.stats;
        oracle::finishAnalysis(table, counters, players, separator);

        // The whole analysis, with the recommendation seeing the grid before the outs.
        int recommendations = 0;
        bool gridFilledFirst = false;
        pair.readouts.outs = "untouched";
        AnalysisHooks hooks = hooksFor(players);
        hooks.updateRecommendation = [&] {
            ++recommendations;
            Mismatches early;
            compareGrids(pair.grid, table.grid, where, early);
            gridFilledFirst = early.empty() && pair.readouts.outs == "untouched" &&
                              pair.readouts.win == table.win;
        };
        HandState before = pair.hand;
        if (!analyzeHand(pair.hand, pair.grid, pair.readouts, separator, hooks))
            mismatches.add(where + QStringLiteral(": analyzeHand returned false"));
        if (recommendations != 1 || !gridFilledFirst)
            mismatches.add(where + QStringLiteral(": recommendation ran %1 times; grid and Win % "
                                                  "written and Outs untouched before it: %2")
                                       .arg(recommendations)
                                       .arg(gridFilledFirst ? "yes" : "no"));
        compareRecords(pair.hand.HandStats, table.stats, where, mismatches);
        compareGrids(pair.grid, table.grid, where, mismatches);
        compareReadouts(pair.readouts, table, where, mismatches);

        // The steps on their own: the counters, then the percentages for every player count.
        const AnalysisCounts counts = enumerateStage(before);
        if (counts.stage != stage || counts.ownBoards != counters.ownBoards ||
            counts.opponentHands != counters.opponentHands || counts.beaten != counters.beaten ||
            counts.ownRating != counters.ownRating)
            mismatches.add(where + QStringLiteral(": counters expected %1 %2 %3 %4 got %5 %6 %7 %8")
                                       .arg(counters.ownBoards)
                                       .arg(counters.opponentHands)
                                       .arg(counters.beaten)
                                       .arg(oraclecheck::hex(counters.ownRating))
                                       .arg(counts.ownBoards)
                                       .arg(counts.opponentHands)
                                       .arg(counts.beaten)
                                       .arg(oraclecheck::hex(counts.ownRating)));
        if (counters.stage != referenceStage(stage))
            mismatches.add(where + QStringLiteral(": the reference found another stage"));
        compareRecords(before.HandStats, enumerated, where + QStringLiteral(" enumerated"),
                       mismatches);
        for (int n = 2; n <= 10; ++n) {
            StatsRecords stats = before.HandStats;
            oracle::StatsRecords reference = enumerated;
            const auto win = storePercentages(stats, counts, n);
            const auto want = oracle::storePercentages(reference, counters, n);
            const QString at = where + QStringLiteral(" stored for %1 players").arg(n);
            if (win.has_value() != want.has_value() || (win && *win != *want))
                mismatches.add(at + QStringLiteral(": Win % expected %1 got %2")
                                        .arg(want ? number(*want) : QStringLiteral("none"),
                                             win ? number(*win) : QStringLiteral("none")));
            compareRecords(stats, reference, at, mismatches);
        }
    }
    QVERIFY2(mismatches.empty(), mismatches.report().constData());
}

void TestOdds::oneHandThroughItsStages()
{
    // The grid, the records and the read-outs carry over from one analysis to the next, as they
    // do while a hand is played: rows come and go, a changed card or player count starts over.
    const int walks = oraclecheck::scaledCount("TALLOWBY_ORACLE_WALKS", 6, 2);
    Mismatches mismatches;
    Dealer dealer(77);
    for (int i = 0; i < walks; ++i) {
        const std::vector<int> cards = dealer.deal(i % Dealer::kClasses);
        int spare = 1;
        while (std::find(cards.begin(), cards.end(), spare) != cards.end())
            ++spare;
        Pair pair;
        int players = 2 + i % 9;
        const char separator = i % 2 ? ',' : '.';
        auto analyze = [&](const char *step) {
            const QString where = pair.name() + QStringLiteral(" after ") + QLatin1String(step);
            if (!analyzeHand(pair.hand, pair.grid, pair.readouts, separator, hooksFor(players)))
                mismatches.add(where + QStringLiteral(": analyzeHand returned false"));
            oracle::analyzeHand(pair.table, players, separator);
            compareRecords(pair.hand.HandStats, pair.table.stats, where, mismatches);
            compareGrids(pair.grid, pair.table.grid, where, mismatches);
            compareReadouts(pair.readouts, pair.table, where, mismatches);
        };
        pair.set(H1, cards[0]);
        pair.set(H2, cards[1]);
        analyze("the hole cards");
        pair.set(F1, cards[2]);
        analyze("the first flop card");
        pair.set(F2, cards[3]);
        pair.set(F3, cards[4]);
        analyze("the flop");
        players = 2 + (players + 3) % 9;
        analyze("a new player count");
        pair.set(Tn, cards[5]);
        analyze("the turn");
        pair.set(Rr, cards[6]);
        analyze("the river");
        pair.set(Rr, spare);
        analyze("another river");
        pair.set(Tn, 0);
        analyze("emptying the turn");
        pair.set(H1, 0);
        analyze("emptying a hole card");
        pair.set(H1, cards[0]);
        pair.set(Tn, cards[5]);
        pair.set(Rr, 0);
        analyze("going back to the turn");
    }
    QVERIFY2(mismatches.empty(), mismatches.report().constData());
}

void TestOdds::preFlopPocketPair()
{
    Pair pair = dealt(QStringLiteral("8s 8d"));
    QVERIFY(analyzeHand(pair.hand, pair.grid, pair.readouts, '.', hooksFor(6)));
    oracle::analyzeHand(pair.table, 6, '.');

    const HandOddsGrid &grid = pair.grid;
    QCOMPARE(cell(grid, 2, 0), std::string("Flop %"));
    QCOMPARE(grid.rowCount(), 9);
    QCOMPARE(cell(grid, 0, 1), std::string("Two Kind."));
    QCOMPARE(cell(grid, 1, 1), std::string(" "));
    QCOMPARE(cell(grid, 2, 1), std::string("100"));
    QCOMPARE(cell(grid, 0, 3), std::string("Three Kind."));
    QCOMPARE(cell(grid, 1, 3), std::string(" 8c 8h "));
    QCOMPARE(cell(grid, 2, 3), std::string("11.76"));
    for (int row = 1; row < grid.rowCount(); ++row)
        QCOMPARE(cell(grid, 3, row), std::string("??"));
    QCOMPARE(pair.readouts.win, std::string("??"));
    QCOMPARE(pair.readouts.outs, std::string("2"));
    QCOMPARE(pair.readouts.hit, std::string("11.8"));
    QCOMPARE(pair.hand.HandStats[ThreeKind - 1].YouPct, 11.76);

    Mismatches mismatches;
    compareGrids(grid, pair.table.grid, pair.name(), mismatches);
    compareReadouts(pair.readouts, pair.table, pair.name(), mismatches);
    QVERIFY2(mismatches.empty(), mismatches.report().constData());
}

void TestOdds::flopFourFlush()
{
    Pair pair = dealt(QStringLiteral("Ah 7h Kh 4h 9c"));
    QVERIFY(analyzeHand(pair.hand, pair.grid, pair.readouts, '.', hooksFor(4)));
    oracle::analyzeHand(pair.table, 4, '.');

    const THandStats &flush = pair.hand.HandStats[Flush - 1];
    QCOMPARE(flush.YouPct, 19.15);
    QCOMPARE(flush.Need, std::string(" 2h 3h 5h 6h 8h 9h Th Jh Qh "));
    QCOMPARE(cell(pair.grid, 2, 0), std::string("Turn %"));
    QCOMPARE(cell(pair.grid, 0, 5), std::string("Flush."));
    QCOMPARE(cell(pair.grid, 2, 5), std::string("19.15"));

    compareWithTheReference(pair);
}

void TestOdds::river_data()
{
    QTest::addColumn<QString>("cards");
    QTest::newRow("As Kd 7h 7c 2s 9d Jc") << "As Kd 7h 7c 2s 9d Jc";
    QTest::newRow("flush on the board") << "As Kd 2h 7h 9h Jh Qh";
    QTest::newRow("straight on the board") << "2c 2d 5s 6d 7h 8c 9s";
    QTest::newRow("quads on the board") << "Qs 3d 9s 9d 9c 9h 4c";
    QTest::newRow("royal flush") << "As Ks Qs Js Ts 2d 3c";
}

void TestOdds::river()
{
    QFETCH(QString, cards);
    Pair pair = dealt(cards);
    QVERIFY(analyzeHand(pair.hand, pair.grid, pair.readouts, '.', hooksFor(3)));
    oracle::analyzeHand(pair.table, 3, '.');

    QCOMPARE(cell(pair.grid, 2, 0), std::string("You %"));
    for (int row = 1; row < pair.grid.rowCount(); ++row) {
        const std::string you = cell(pair.grid, 2, row);
        QVERIFY2(you == "0" || you == "100", you.c_str());
        QCOMPARE(cell(pair.grid, 1, row), std::string(" "));
    }
    QCOMPARE(pair.readouts.outs, std::string("0"));
    QCOMPARE(pair.readouts.hit, std::string("0"));

    compareWithTheReference(pair);
}

void TestOdds::winShare_data()
{
    QTest::addColumn<QString>("cards");
    QTest::addColumn<int>("players");
    QTest::newRow("Jd Ts 9h 8c 2s, 2 players") << "Jd Ts 9h 8c 2s" << 2;
    QTest::newRow("Jd Ts 9h 8c 2s, 10 players") << "Jd Ts 9h 8c 2s" << 10;
    QTest::newRow("Ac Kc Qd 7c 2h 5s 9c, 2 players") << "Ac Kc Qd 7c 2h 5s 9c" << 2;
    QTest::newRow("Ac Kc Qd 7c 2h 5s 9c, 10 players") << "Ac Kc Qd 7c 2h 5s 9c" << 10;
}

void TestOdds::winShare()
{
    QFETCH(QString, cards);
    QFETCH(int, players);
    Pair pair = dealt(cards);
    QVERIFY(analyzeHand(pair.hand, pair.grid, pair.readouts, ',', hooksFor(players)));
    const oracle::Counters counters = oracle::analyzeHand(pair.table, players, ',');

    // The share of opponent hands not rated above the player's, to the power of the opponents.
    const double share = double(counters.opponentHands - counters.beaten) / counters.opponentHands;
    const double win = oracle::oneDecimal(100 - (1 - std::pow(share, players - 1)) * 100);
    QCOMPARE(QString::fromStdString(pair.readouts.win),
             QString::number(win, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(',')));
    QVERIFY(std::abs(win - std::pow(share, players - 1) * 100) <= 0.05 + 1e-9);
    QCOMPARE(pair.readouts.win, pair.table.win);
}

void TestOdds::certainTwoPairStartsTheGrid()
{
    Pair pair = dealt(QStringLiteral("Ks 9d Kh 9c 4s"));
    QVERIFY(analyzeHand(pair.hand, pair.grid, pair.readouts, '.', hooksFor(5)));
    oracle::analyzeHand(pair.table, 5, '.');

    QCOMPARE(pair.grid.rowCount(), 8);
    QCOMPARE(cell(pair.grid, 0, 1), std::string("Two Pair. KK, 99, 4"));
    QCOMPARE(cell(pair.grid, 2, 1), std::string("100"));
    QCOMPARE(cell(pair.grid, 0, 7), std::string("Straight Flush."));

    Mismatches mismatches;
    compareGrids(pair.grid, pair.table.grid, pair.name(), mismatches);
    QVERIFY2(mismatches.empty(), mismatches.report().constData());
}

void TestOdds::boardPairSetsOnlyTheThreshold()
{
    Pair pair = dealt(QStringLiteral("As Kd 7h 7c 2s"));
    QVERIFY(analyzeHand(pair.hand, pair.grid, pair.readouts, '.', hooksFor(3)));
    oracle::analyzeHand(pair.table, 3, '.');

    const THandStats &onePair = pair.hand.HandStats[OnePair - 1];
    QCOMPARE(oraclecheck::hex(onePair.Threshold), QStringLiteral("166DC1"));
    QCOMPARE(onePair.Name, std::string("Two Kind. 77, A, K, 2"));
    QCOMPARE(onePair.YouPct, 12.77); // an ace or a king on the turn: 6 of 47
    QCOMPARE(onePair.Need, std::string(" Ks Ad Kc Ac Kh Ah "));
    QCOMPARE(cell(pair.grid, 0, 1), std::string("Two Kind. 77, A, K, 2"));

    Mismatches mismatches;
    compareRecords(pair.hand.HandStats, pair.table.stats, pair.name(), mismatches);
    QVERIFY2(mismatches.empty(), mismatches.report().constData());
}

void TestOdds::activePlayersWithoutAStage()
{
    Pair pair = dealt(QStringLiteral("As Kd 7h 7c 2s"));
    analyzeHand(pair.hand, pair.grid, pair.readouts, '.', hooksFor(4));
    oracle::analyzeHand(pair.table, 4, '.');
    pair.set(F2, 0);
    pair.set(F3, 0);

    int recommendations = 0;
    QVERIFY(analyzeHand(pair.hand, pair.grid, pair.readouts, '.', hooksFor(6, &recommendations)));
    oracle::analyzeHand(pair.table, 6, '.');

    QCOMPARE(recommendations, 1);
    QCOMPARE(cell(pair.grid, 2, 0), std::string("Turn %"));
    QCOMPARE(pair.grid.rowCount(), 9);
    for (int row = 1; row <= 8; ++row) {
        QCOMPARE(cell(pair.grid, 0, row), std::string(categoryLabel(row)));
        QCOMPARE(cell(pair.grid, 1, row), std::string(" "));
        QCOMPARE(cell(pair.grid, 2, row), std::string("0"));
        QCOMPARE(cell(pair.grid, 3, row), std::string("??"));
    }
    QCOMPARE(pair.readouts.win, std::string("??"));
    QCOMPARE(pair.readouts.outs, std::string("0"));
    QCOMPARE(pair.readouts.hit, std::string("0"));

    compareWithTheReference(pair);
}

void TestOdds::incompleteBoardWithFlopRatesTheFlop()
{
    // A river without a turn is no stage, but the flop is complete: the records name the hand.
    Pair pair = dealt(QStringLiteral("Qs Qd Qc 5h 5s"));
    pair.set(Rr, oraclecheck::indexOf("2c"));
    QVERIFY(analyzeHand(pair.hand, pair.grid, pair.readouts, '.', hooksFor(7)));
    oracle::analyzeHand(pair.table, 7, '.');

    QCOMPARE(pair.hand.HandStats[FullHouse - 1].Name, std::string("Full House. QQQ, 55"));
    QCOMPARE(pair.readouts.win, std::string("??"));

    compareWithTheReference(pair);
}

void TestOdds::withoutHoleCardsTextsStay()
{
    Pair pair = dealt(QStringLiteral("Ks 9d Kh 9c 4s 2d"));
    analyzeHand(pair.hand, pair.grid, pair.readouts, '.', hooksFor(4));
    oracle::analyzeHand(pair.table, 4, '.');
    const HandOddsGrid before = pair.grid;
    pair.set(H1, 0);

    QVERIFY(analyzeHand(pair.hand, pair.grid, pair.readouts, '.', hooksFor(4)));
    oracle::analyzeHand(pair.table, 4, '.');

    QCOMPARE(pair.grid.rowCount(), 9);
    for (int row = 0; row < before.rowCount(); ++row)
        for (int column = 0; column < HandOddsGrid::kColumns; ++column)
            QCOMPARE(cell(pair.grid, column, row), cell(before, column, row));
    QCOMPARE(pair.hand.HandStats[TwoPair - 1].Name, std::string("Two Pair. KK, 99, 4"));

    compareWithTheReference(pair);
}

void TestOdds::unreadablePlayersStopAfterEnumerating()
{
    Pair pair = dealt(QStringLiteral("Ah 7h Kh 4h 9c"));
    pair.readouts = {"5", "10.6", "42.3"};
    const HandOddsGrid before = pair.grid;
    int recommendations = 0;
    AnalysisHooks hooks = hooksFor(0, &recommendations);
    hooks.activePlayers = [] {
        return std::optional<int>();
    };

    QVERIFY(!analyzeHand(pair.hand, pair.grid, pair.readouts, '.', hooks));
    QCOMPARE(recommendations, 0);
    QCOMPARE(pair.readouts.win, std::string("??"));
    QCOMPARE(pair.readouts.outs, std::string("5"));
    QCOMPARE(pair.readouts.hit, std::string("10.6"));
    QCOMPARE(pair.grid.rowCount(), before.rowCount());
    for (int row = 1; row < before.rowCount(); ++row)
        for (int column = 0; column < HandOddsGrid::kColumns; ++column)
            QCOMPARE(cell(pair.grid, column, row), cell(before, column, row));
}

void TestOdds::unreadablePlayersAreNotReadPreFlop()
{
    Pair pair = dealt(QStringLiteral("8s 8d"));
    AnalysisHooks hooks = hooksFor(0);
    hooks.activePlayers = [] {
        return std::optional<int>();
    };
    QVERIFY(analyzeHand(pair.hand, pair.grid, pair.readouts, '.', hooks));
    QCOMPARE(pair.readouts.hit, std::string("11.8"));
}

void TestOdds::stageOfSlots_data()
{
    QTest::addColumn<QString>("cards");
    QTest::addColumn<Stage>("stage");
    QTest::addColumn<QString>("header");
    QTest::newRow("one hole card") << "As" << Stage::None << "";
    QTest::newRow("hole cards") << "As Kd" << Stage::PreFlop << "Flop %";
    QTest::newRow("two flop cards") << "As Kd 2c 3c" << Stage::None << "";
    QTest::newRow("flop") << "As Kd 2c 3c 4c" << Stage::Flop << "Turn %";
    QTest::newRow("turn") << "As Kd 2c 3c 4c 5c" << Stage::Turn << "River %";
    QTest::newRow("river") << "As Kd 2c 3c 4c 5c 6c" << Stage::River << "You %";
}

void TestOdds::stageOfSlots()
{
    QFETCH(QString, cards);
    QFETCH(Stage, stage);
    QFETCH(QString, header);
    Pair pair = dealt(cards);
    QCOMPARE(stageOf(pair.hand), stage);
    QCOMPARE(QString::fromUtf8(stageHeader(stage)), header);

    // The same slots with a hole card missing, or the turn without the flop, are no stage.
    Pair noHole = dealt(cards);
    noHole.set(H2, 0);
    QCOMPARE(stageOf(noHole.hand), Stage::None);
    Pair gap = dealt(cards);
    gap.set(F2, 0);
    if (cards.count(QLatin1Char(' ')) >= 4)
        QCOMPARE(stageOf(gap.hand), Stage::None);
}

void TestOdds::numberTexts_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("comma");
    QTest::newRow("0") << 0.0 << "0"
                       << "0";
    QTest::newRow("7.5") << 7.5 << "7.5"
                         << "7,5";
    QTest::newRow("9 of 47") << twoDecimals(9 * 100.0 / 47) << "19.15"
                             << "19,15";
    QTest::newRow("100") << 100.0 << "100"
                         << "100";
    QTest::newRow("11.76") << 11.76 << "11.76"
                           << "11,76";
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << "0.3"
                               << "0,3";
    QTest::newRow("one decimal of 11.755") << oneDecimal(11.755) << "11.8"
                                           << "11,8";
    QTest::newRow("a third") << 1.0 / 3 << "0.333333333333333"
                             << "0,333333333333333";
}

void TestOdds::numberTexts()
{
    QFETCH(double, value);
    QFETCH(QString, point);
    QFETCH(QString, comma);
    QCOMPARE(QString::fromStdString(numberText(value, '.')), point);
    QCOMPARE(QString::fromStdString(numberText(value, ',')), comma);
    QCOMPARE(QString::fromStdString(oracle::numberText(value, ',')), comma);
}

void TestOdds::rounding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("two");
    QTest::addColumn<QString>("one");
    // Halves go up as the division by 0.01 or 0.1 leaves them, not as decimal text suggests.
    QTest::newRow("0.005") << 0.005 << "0.01"
                           << "0";
    QTest::newRow("0.05") << 0.05 << "0.05"
                          << "0.1";
    QTest::newRow("0.125") << 0.125 << "0.13"
                           << "0.1";
    QTest::newRow("0.15") << 0.15 << "0.15"
                          << "0.1";
    QTest::newRow("0.25") << 0.25 << "0.25"
                          << "0.3";
    QTest::newRow("0.35") << 0.35 << "0.35"
                          << "0.3";
    QTest::newRow("1.005") << 1.005 << "1"
                           << "1";
    QTest::newRow("2.675") << 2.675 << "2.68"
                           << "2.7";
    QTest::newRow("11.75") << 11.75 << "11.75"
                           << "11.8";
    QTest::newRow("99.995") << 99.995 << "100"
                            << "100";
}

void TestOdds::rounding()
{
    QFETCH(double, value);
    QFETCH(QString, two);
    QFETCH(QString, one);
    QCOMPARE(QString::fromStdString(numberText(twoDecimals(value))), two);
    QCOMPARE(QString::fromStdString(numberText(oneDecimal(value))), one);
    QCOMPARE(twoDecimals(value), oracle::twoDecimals(value));
    QCOMPARE(oneDecimal(value), oracle::oneDecimal(value));
}

void TestOdds::hitPercent_data()
{
    QTest::addColumn<int>("unseen");
    QTest::addColumn<int>("outs");
    QTest::addColumn<bool>("flopStarted");
    QTest::addColumn<QString>("hit");
    QTest::newRow("pocket pair pre-flop") << 50 << 2 << false << "11.8";
    QTest::newRow("no outs pre-flop") << 50 << 0 << false << "0";
    QTest::newRow("nine outs on the flop") << 47 << 9 << true << "19.1";
    QTest::newRow("eight outs on the turn") << 46 << 8 << true << "17.4";
    QTest::newRow("no outs at the river") << 45 << 0 << true << "0";
    QTest::newRow("every card an out") << 47 << 47 << true << "100";
}

void TestOdds::hitPercent()
{
    QFETCH(int, unseen);
    QFETCH(int, outs);
    QFETCH(bool, flopStarted);
    QFETCH(QString, hit);
    QCOMPARE(QString::fromStdString(numberText(tallowby::hitPercent(unseen, outs, flopStarted))),
             hit);
    for (int u : {45, 46, 47, 49, 50})
        for (int o = 0; o <= 30; ++o)
            for (bool started : {false, true})
                QCOMPARE(tallowby::hitPercent(u, o, started), oracle::hitPercent(u, o, started));
}

void TestOdds::countOuts_data()
{
    QTest::addColumn<QStringList>("needs");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("outs");
    QTest::newRow("nothing needed") << QStringList{" ", " ", " "} << 9 << 0;
    QTest::newRow("one card") << QStringList{" ", " 8c "} << 9 << 1;
    QTest::newRow("shared cards count once")
        << QStringList{" As Kd ", " Kd 2h ", " ", " 2h As 3c "} << 9 << 4;
    QTest::newRow("the header is not a row") << QStringList{} << 9 << 0;
    QTest::newRow("rows beyond the count are not read")
        << QStringList{" As ", " ", " Kd "} << 3 << 1;
    QTest::newRow("nine hearts") << QStringList{" 2h 3h 5h 6h 8h 9h Th Jh Qh "} << 9 << 9;
}

void TestOdds::countOuts()
{
    QFETCH(QStringList, needs);
    QFETCH(int, rows);
    QFETCH(int, outs);
    HandOddsGrid grid;
    oracle::Grid reference;
    for (int i = 0; i < needs.size(); ++i) {
        grid.setCell(1, i + 1, needs[i].toStdString());
        reference.rows[i + 1][1] = needs[i].toStdString();
    }
    grid.setRowCount(rows);
    reference.rows.resize(rows);
    QCOMPARE(tallowby::CountOuts(grid), outs);
    QCOMPARE(oracle::countOuts(reference), outs);
}

void TestOdds::cellShades_data()
{
    QTest::addColumn<QString>("you");
    QTest::addColumn<QString>("higher");
    QTest::addColumn<char>("separator");
    QTest::addColumn<CellShade>("rowShade");
    QTest::addColumn<CellShade>("higherShade");
    using S = CellShade;
    QTest::newRow("100 / 90") << "100"
                              << "90" << '.' << S::LightGreen << S::LightRed;
    QTest::newRow("99.99 / 89.99") << "99.99"
                                   << "89.99" << '.' << S::LightYellow << S::LightOrange;
    QTest::newRow("10 / 10") << "10"
                             << "10" << '.' << S::LightYellow << S::LightOrange;
    QTest::newRow("9.99 / 9.99") << "9.99"
                                 << "9.99" << '.' << S::LightOrange << S::LightYellow;
    QTest::newRow("1 / 1") << "1"
                           << "1" << '.' << S::LightOrange << S::LightYellow;
    QTest::newRow("0.99 / 0.99") << "0.99"
                                 << "0.99" << '.' << S::LightRed << S::LightGreen;
    QTest::newRow("0 / 0") << "0"
                           << "0" << '.' << S::LightRed << S::LightGreen;
    QTest::newRow("0 / ??") << "0"
                            << "??" << '.' << S::LightRed << S::Pink;
    QTest::newRow("decimal comma 9,99 / 90") << "9,99"
                                             << "90" << ',' << S::LightOrange << S::LightRed;
    QTest::newRow("not a number") << "abc"
                                  << "x1" << '.' << S::White << S::White;
    QTest::newRow("empty") << ""
                           << "" << '.' << S::White << S::White;
}

void TestOdds::cellShades()
{
    QFETCH(QString, you);
    QFETCH(QString, higher);
    QFETCH(char, separator);
    QFETCH(CellShade, rowShade);
    QFETCH(CellShade, higherShade);

    HandOddsGrid grid;
    grid.setCell(0, 1, "Flush.");
    grid.setCell(1, 1, " 2h ");
    grid.setCell(2, 1, you.toStdString());
    grid.setCell(3, 1, higher.toStdString());
    QCOMPARE(handOddsCellShade(grid, 0, 1, separator), rowShade);
    QCOMPARE(handOddsCellShade(grid, 1, 1, separator), rowShade);
    QCOMPARE(handOddsCellShade(grid, 2, 1, separator), rowShade);
    QCOMPARE(handOddsCellShade(grid, 3, 1, separator), higherShade);

    // An empty cell stays white whatever its row says; the header row is always button face.
    grid.setCell(1, 1, "");
    QCOMPARE(handOddsCellShade(grid, 1, 1, separator), CellShade::White);
    for (int column = 0; column < HandOddsGrid::kColumns; ++column)
        QCOMPARE(handOddsCellShade(grid, column, 0, separator), CellShade::ButtonFace);
}

void TestOdds::parseNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<char>("separator");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("19.15") << "19.15" << '.' << true << 19.15;
    QTest::newRow("19,15 with a comma") << "19,15" << ',' << true << 19.15;
    QTest::newRow("100") << "100" << ',' << true << 100.0;
    QTest::newRow("??") << "??" << '.' << false << 0.0;
    QTest::newRow("empty") << "" << '.' << false << 0.0;
    QTest::newRow("label") << "Flush." << '.' << false << 0.0;
}

void TestOdds::parseNumbers()
{
    QFETCH(QString, text);
    QFETCH(char, separator);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    double parsed = -7;
    QCOMPARE(parseNumberText(text.toStdString(), separator, parsed), isNumber);
    if (isNumber)
        QCOMPARE(parsed, value);
}

QTEST_GUILESS_MAIN(TestOdds)
#include "tst_odds.moc"
