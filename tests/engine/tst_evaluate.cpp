// SPDX-License-Identifier: GPL-3.0-or-later
// Hand-type evaluation against the reference evaluator: every five-card hand, millions of random
// six- and seven-card hands, and the worked examples of ratings and descriptions.
#include "engine/evaluate.h"
#include "oracle.h"
#include "oraclecheck.h"

#include <QTest>

#include <algorithm>
#include <random>

using namespace tallowby;
using oraclecheck::hex;
using oraclecheck::Mismatches;

namespace {

using EngineRule = int (*)(const EvalCards &);
constexpr EngineRule kEngineRules[kCategoryCount] = {
    RateHighCard, RateTwoKind,   RateTwoPair,  RateThreeKind,    RateStraight,
    RateFlush,    RateFullHouse, RateFourKind, RateStraightFlush};

// Compares sorting, every category rule and EvaluateHand on one loaded hand; returns the
// reference's rating.
int compareHand(const oracle::Hand &loaded, Mismatches &mismatches)
{
    oracle::Hand reference = loaded;
    const int expected = oracle::evaluateHand(reference);
    const auto name = [&] {
        return oraclecheck::handText(loaded);
    };

    EvalCards evaluated = oraclecheck::toEngine(loaded);
    const int got = EvaluateHand(evaluated);
    if (got != expected)
        mismatches.add(QStringLiteral("%1: EvaluateHand expected %2 got %3")
                           .arg(name(), hex(expected), hex(got)));
    if (!oraclecheck::samePositions(evaluated, reference))
        mismatches.add(
            QStringLiteral("%1: order after EvaluateHand expected %2 got %3")
                .arg(name(), oraclecheck::handText(reference), oraclecheck::handText(evaluated)));

    EvalCards sorted = oraclecheck::toEngine(loaded);
    SortEvalHand(sorted);
    if (!oraclecheck::samePositions(sorted, reference))
        mismatches.add(
            QStringLiteral("%1: SortEvalHand expected %2 got %3")
                .arg(name(), oraclecheck::handText(reference), oraclecheck::handText(sorted)));

    // The rules see the reference's sorted hand, so a sorting fault does not hide behind them.
    const EvalCards input = oraclecheck::toEngine(reference);
    for (int c = 0; c < kCategoryCount; ++c) {
        const int want = oracle::rateCategory(c, reference);
        const int rule = kEngineRules[c](input);
        const int dispatched = rateCategory(c, input);
        if (rule != want || dispatched != want)
            mismatches.add(QStringLiteral("%1: rule of category %2 expected %3 got %4 "
                                          "(rateCategory %5)")
                               .arg(name())
                               .arg(c)
                               .arg(hex(want), hex(rule), hex(dispatched)));
    }
    return expected;
}

// The kickers and the straight scan, the internal steps the rules share.
void compareSteps(const oracle::Hand &sorted, int exclude1, int exclude2, Mismatches &mismatches)
{
    const auto name = [&] {
        return oraclecheck::handText(sorted);
    };
    const EvalCards input = oraclecheck::toEngine(sorted);
    const auto want = oracle::findKickers(sorted, exclude1, exclude2);
    const auto got = FindKickers(input, exclude1, exclude2);
    if (want[0] != got[0] || want[1] != got[1] || want[2] != got[2])
        mismatches.add(QStringLiteral("%1: FindKickers(%2, %3) expected %4 %5 %6 got %7 %8 %9")
                           .arg(name())
                           .arg(exclude1)
                           .arg(exclude2)
                           .arg(want[0])
                           .arg(want[1])
                           .arg(want[2])
                           .arg(got[0])
                           .arg(got[1])
                           .arg(got[2]));

    std::array<int, 7> values{};
    for (int i = 0; i < 7; ++i)
        values[i] = sorted[i].value;
    const auto scan = oracle::straightScan(values);
    const auto run = scanStraight(values);
    if (scan.found != run.found || (scan.found && scan.digits != run.digits))
        mismatches.add(QStringLiteral("%1: scanStraight expected %2 got %3")
                           .arg(name())
                           .arg(scan.found ? QStringLiteral("a straight") : QStringLiteral("none"))
                           .arg(run.found ? QStringLiteral("a straight") : QStringLiteral("none")));
}

// Places the cards at the given positions of an otherwise empty hand.
oracle::Hand handAt(const std::vector<int> &cards, const std::array<int, 7> &positions)
{
    oracle::Hand hand{};
    for (std::size_t i = 0; i < cards.size(); ++i)
        hand[positions[i]] = oracle::cardOf(cards[i]);
    return hand;
}

// Random distinct cards: mostly from the whole deck, sometimes from a narrow one (few ranks or
// few suits) so that pairs, sets, quads, wheels and straight flushes come up often.
class HandDealer
{
public:
    explicit HandDealer(unsigned seed) : random_(seed) {}

    std::vector<int> deal(int count)
    {
        std::vector<int> pool;
        switch (random_() % 5) {
        case 0: // ace to six, every suit: wheels and six-high straights
            for (int suit = 0; suit < 4; ++suit)
                for (int value : {13, 1, 2, 3, 4, 5})
                    pool.push_back(suit * 13 + value);
            break;
        case 1: { // two suits: flushes and straight flushes
            const int a = static_cast<int>(random_() % 4);
            const int b = (a + 1 + static_cast<int>(random_() % 3)) % 4;
            for (int value = 1; value <= 13; ++value)
                for (int suit : {a, b})
                    pool.push_back(suit * 13 + value);
            break;
        }
        case 2: { // three ranks and one more: sets, full houses, quads
            for (int i = 0; i < 4; ++i) {
                const int value = static_cast<int>(random_() % 13) + 1;
                for (int suit = 0; suit < 4; ++suit)
                    if (std::find(pool.begin(), pool.end(), suit * 13 + value) == pool.end())
                        pool.push_back(suit * 13 + value);
            }
            break;
        }
        default:
            for (int index = 1; index <= 52; ++index)
                pool.push_back(index);
            break;
        }
        if (static_cast<int>(pool.size()) < count)
            for (int index = 1; index <= 52; ++index)
                if (std::find(pool.begin(), pool.end(), index) == pool.end())
                    pool.push_back(index);
        std::vector<int> cards;
        for (int i = 0; i < count; ++i) {
            const auto pick = random_() % (pool.size() - i);
            std::swap(pool[i], pool[i + pick]);
            cards.push_back(pool[i]);
        }
        return cards;
    }

    std::array<int, 7> positions()
    {
        std::array<int, 7> order{0, 1, 2, 3, 4, 5, 6};
        for (int i = 6; i > 0; --i)
            std::swap(order[i], order[random_() % (i + 1)]);
        return order;
    }

    int below(int bound) { return static_cast<int>(random_() % bound); }

private:
    std::mt19937 random_;
};

oracle::StatsRecords untouchedReference()
{
    oracle::StatsRecords stats;
    for (auto &s : stats) {
        s.name = "untouched";
        s.need = " Xx ";
        s.youPct = 1.5;
        s.higherPct = 2.5;
        s.threshold = 7;
        s.youHits = 3;
        s.higherHits = 4;
    }
    return stats;
}

StatsRecords untouchedEngine()
{
    StatsRecords stats;
    for (auto &s : stats) {
        s.Name = "untouched";
        s.Need = " Xx ";
        s.YouPct = 1.5;
        s.HigherPct = 2.5;
        s.Threshold = 7;
        s.YouHits = 3;
        s.HigherHits = 4;
    }
    return stats;
}

} // namespace

class TestEvaluate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyFiveCardHand();
    void randomSixAndSevenCardHands();
    void handsWithFewerCards();
    void evaluateAndDescribeWritesTheCategoriesMade();
    void describeRatingMatchesReferenceAcrossTheRange();
    void workedRatings_data();
    void workedRatings();
    void workedRuleRatings_data();
    void workedRuleRatings();
    void describeRatingEdges_data();
    void describeRatingEdges();
    void categoryNames_data();
    void categoryNames();
    void longestDescription();
};

void TestEvaluate::everyFiveCardHand()
{
    Mismatches mismatches;
    HandDealer dealer(5);
    const std::array<int, 7> inPlace{0, 1, 2, 3, 4, 5, 6};
    std::array<int, kCategoryCount> perCategory{};
    std::vector<bool> seen(9 * kCategoryUnit);
    int distinct = 0;
    int hands = 0;
    for (int a = 1; a <= 48; ++a)
        for (int b = a + 1; b <= 49; ++b)
            for (int c = b + 1; c <= 50; ++c)
                for (int d = c + 1; d <= 51; ++d)
                    for (int e = d + 1; e <= 52; ++e) {
                        const std::vector<int> cards{a, b, c, d, e};
                        const int rating = compareHand(handAt(cards, inPlace), mismatches);
                        compareHand(handAt(cards, dealer.positions()), mismatches);
                        ++perCategory[categoryOf(rating)];
                        if (!seen[rating]) {
                            seen[rating] = true;
                            ++distinct;
                        }
                        ++hands;
                    }
    QCOMPARE(hands, 2598960);
    // The well-known census of five-card poker hands, high card to straight flush, and the
    // number of hands that are not ties of one another.
    const std::array<int, kCategoryCount> census{1302540, 1098240, 123552, 54912, 10200,
                                                 5108,    3744,    624,    40};
    for (int c = 0; c < kCategoryCount; ++c)
        QCOMPARE(perCategory[c], census[c]);
    QCOMPARE(distinct, 7462);
    QVERIFY2(mismatches.empty(), mismatches.report().constData());
}

void TestEvaluate::randomSixAndSevenCardHands()
{
    const int sevens = oraclecheck::scaledCount("TALLOWBY_ORACLE_SEVENS", 2000000, 300000);
    Mismatches mismatches;
    HandDealer dealer(7);
    for (int i = 0; i < sevens + sevens / 2; ++i) {
        const int count = i < sevens ? 7 : 6;
        const std::vector<int> cards = dealer.deal(count);
        const oracle::Hand loaded = handAt(cards, dealer.positions());
        compareHand(loaded, mismatches);

        oracle::Hand sorted = loaded;
        oracle::sortHand(sorted);
        const int exclude1 = dealer.below(15) - 1;
        const int exclude2 = dealer.below(15) - 1;
        compareSteps(sorted, exclude1, exclude2, mismatches);
    }
    QVERIFY2(mismatches.empty(), mismatches.report().constData());
}

void TestEvaluate::handsWithFewerCards()
{
    Mismatches mismatches;
    HandDealer dealer(4);
    for (int i = 0; i < 50000; ++i) {
        const int count = i % 5;
        const oracle::Hand loaded = handAt(dealer.deal(count), dealer.positions());
        compareHand(loaded, mismatches);
        oracle::Hand sorted = loaded;
        oracle::sortHand(sorted);
        compareSteps(sorted, dealer.below(15) - 1, -1, mismatches);
    }
    QVERIFY2(mismatches.empty(), mismatches.report().constData());
}

void TestEvaluate::evaluateAndDescribeWritesTheCategoriesMade()
{
    Mismatches mismatches;
    HandDealer dealer(11);
    for (int i = 0; i < 40000; ++i) {
        const oracle::Hand loaded = handAt(dealer.deal(5 + i % 3), dealer.positions());
        oracle::Hand reference = loaded;
        oracle::StatsRecords want = untouchedReference();
        const int expected = oracle::evaluateAndDescribe(reference, want);

        EvalCards hand = oraclecheck::toEngine(loaded);
        StatsRecords got = untouchedEngine();
        const int rating = EvaluateAndDescribe(hand, got);

        const QString name = oraclecheck::handText(loaded);
        if (rating != expected)
            mismatches.add(QStringLiteral("%1: EvaluateAndDescribe expected %2 got %3")
                               .arg(name, hex(expected), hex(rating)));
        if (!oraclecheck::samePositions(hand, reference))
            mismatches.add(QStringLiteral("%1: order after EvaluateAndDescribe").arg(name));
        for (int r = 0; r < kStatsCount; ++r) {
            const auto &w = want[r];
            const auto &g = got[r];
            if (w.name != g.Name || w.threshold != g.Threshold || w.need != g.Need ||
                w.youPct != g.YouPct || w.higherPct != g.HigherPct || w.youHits != g.YouHits ||
                w.higherHits != g.HigherHits)
                mismatches.add(QStringLiteral("%1: record %2 expected \"%3\" %4 got \"%5\" %6")
                                   .arg(name)
                                   .arg(r)
                                   .arg(QString::fromStdString(w.name), hex(w.threshold),
                                        QString::fromStdString(g.Name), hex(g.Threshold)));
        }
    }
    QVERIFY2(mismatches.empty(), mismatches.report().constData());
}

void TestEvaluate::describeRatingMatchesReferenceAcrossTheRange()
{
    Mismatches mismatches;
    for (int rating = 0; rating <= 0x1000000; rating += 37) {
        const std::string want = oracle::describeRating(rating);
        const std::string got = DescribeRating(rating);
        if (want != got)
            mismatches.add(
                QStringLiteral("%1: expected \"%2\" got \"%3\"")
                    .arg(hex(rating), QString::fromStdString(want), QString::fromStdString(got)));
    }
    QVERIFY2(mismatches.empty(), mismatches.report().constData());
}

void TestEvaluate::workedRatings_data()
{
    QTest::addColumn<QString>("cards");
    QTest::addColumn<int>("rating");
    QTest::addColumn<QString>("description");

    QTest::newRow("royal flush with two others")
        << "As Ks Qs Js Ts 2d 3c" << 0x8DCBA9 << "Straight Flush. A, K, Q, J, T";
    QTest::newRow("wheel, mixed suits")
        << "Ah 2d 3c 4s 5h" << 0x44321D << "Straight. 5, 4, 3, 2, A";
    QTest::newRow("six-high straight") << "2d 3c 4s 5h 6d" << 0x454321 << "Straight. 6, 5, 4, 3, 2";
    QTest::newRow("six-high beats the wheel")
        << "Ah 2d 3c 4s 5h 6d Kc" << 0x454321 << "Straight. 6, 5, 4, 3, 2";
    QTest::newRow("A 4 3 2 2 without a five")
        << "Ah 4d 3c 2s 2h 9c Jd" << 0x111DA8 << "Two Kind. 22, A, J, 9";
    QTest::newRow("straight around a pair")
        << "9s 8d 8c 7h 6s 5d Kc" << 0x487654 << "Straight. 9, 8, 7, 6, 5";
    QTest::newRow("seven in a row")
        << "8s 7d 6c 5h 4s 3d 2c" << 0x476543 << "Straight. 8, 7, 6, 5, 4";
    QTest::newRow("two sets of three")
        << "7s 7d 7c 4h 4s 4d Kc" << 0x666633 << "Full House. 777, 44";
    QTest::newRow("set and two pairs")
        << "7s 7d 7c Ks Kd 4h 4s" << 0x6666CC << "Full House. 777, KK";
    QTest::newRow("three pairs") << "Ks Kd 9c 9h 5s 5d 2c" << 0x2CC884 << "Two Pair. KK, 99, 5";
    QTest::newRow("ace king alone") << "As Kd" << 0xDC000 << "High Card. A, K, -, -, -";
    QTest::newRow("pocket eights alone") << "8s 8d" << 0x177000 << "Two Kind. 88, -, -, -";
    QTest::newRow("no cards") << "" << 0 << "High Card. -, -, -, -, -";
    QTest::newRow("quads on the board, board kicker")
        << "2s 3d 9s 9d 9c 9h Kc" << 0x78888C << "Four Kind. 9999, K";
    QTest::newRow("quads on the board, hole kicker")
        << "As 3d 9s 9d 9c 9h Kc" << 0x78888D << "Four Kind. 9999, A";
    QTest::newRow("quads and a set") << "As Ad Ac Ah Ks Kd Kc" << 0x7DDDDC << "Four Kind. AAAA, K";
    QTest::newRow("six-card flush") << "Ah Kh 9h 7h 4h 2h Qs" << 0x5DC863 << "Flush. A, K, 9, 7, 4";
    QTest::newRow("flush over a higher straight")
        << "Th Jh 9h 5h 2h Qs Kd" << 0x5A9841 << "Flush. J, T, 9, 5, 2";
    QTest::newRow("wheel straight flush")
        << "5s 4s 3s 2s As Kd Kc" << 0x84321D << "Straight Flush. 5, 4, 3, 2, A";
    QTest::newRow("straight flush under a higher straight")
        << "9h 8h 7h 6h 5h Ts Js" << 0x887654 << "Straight Flush. 9, 8, 7, 6, 5";
    QTest::newRow("set with two kickers")
        << "Qs Qd Qc 9h 4s 3d 2c" << 0x3BBB83 << "Three Kind. QQQ, 9, 4";
}

void TestEvaluate::workedRatings()
{
    QFETCH(QString, cards);
    QFETCH(int, rating);
    QFETCH(QString, description);

    const std::vector<int> indices = oraclecheck::indicesOf(cards);
    oracle::Hand reference{};
    for (std::size_t i = 0; i < indices.size(); ++i)
        reference[i] = oracle::cardOf(indices[i]);
    EvalCards hand = oraclecheck::toEngine(reference);

    QCOMPARE(hex(oracle::evaluateHand(reference)), hex(rating));
    QCOMPARE(hex(EvaluateHand(hand)), hex(rating));
    QCOMPARE(QString::fromStdString(oracle::describeRating(rating)), description);
    QCOMPARE(QString::fromStdString(DescribeRating(rating)), description);
    QCOMPARE(QString::fromStdString(ratingHex(rating)), hex(rating));
}

void TestEvaluate::workedRuleRatings_data()
{
    QTest::addColumn<QString>("cards");
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("rating");

    QTest::newRow("A 4 3 2 2: no straight") << "Ah 4d 3c 2s 2h 9c Jd" << 4 << 0;
    QTest::newRow("two pairs: one pair is the lower") << "Ks Kd 9c 9h 4s" << 1 << 0x188CC3;
    QTest::newRow("two pairs: both") << "Ks Kd 9c 9h 4s" << 2 << 0x2CC883;
    QTest::newRow("three pairs: one pair is the lowest") << "Ks Kd 9c 9h 5s 5d 2c" << 1 << 0x144CC8;
    QTest::newRow("three pairs, six cards: third pair kicks")
        << "Ks Kd 9c 9h 5s 5d" << 2 << 0x2CC884;
    QTest::newRow("two sets: three kind is the lower") << "7s 7d 7c 4h 4s 4d Kc" << 3 << 0x3333C6;
    QTest::newRow("two sets: one pair is the lower") << "7s 7d 7c 4h 4s 4d Kc" << 1 << 0x133C66;
    QTest::newRow("two sets: two pair") << "7s 7d 7c 4h 4s 4d Kc" << 2 << 0x26633C;
    QTest::newRow("set alone as one pair") << "Qs Qd Qc 9h 4s" << 1 << 0x1BB830;
    QTest::newRow("quads as three kind") << "9s 9d 9c 9h Kc" << 3 << 0x3888C0;
    QTest::newRow("quads need a fifth card for the kicker") << "9s 9d 9c 9h" << 7 << 0x788880;
    QTest::newRow("royal flush as straight") << "As Ks Qs Js Ts 2d 3c" << 4 << 0x4DCBA9;
    QTest::newRow("royal flush as flush") << "As Ks Qs Js Ts 2d 3c" << 5 << 0x5DCBA9;
    QTest::newRow("wheel flush as straight flush") << "5s 4s 3s 2s As" << 8 << 0x84321D;
    QTest::newRow("flush and off-suit straight: no straight flush")
        << "Th Jh 9h 5h 2h Qs Kd" << 8 << 0;
    QTest::newRow("four-card run and an ace: no wheel") << "As 2d 3c 4h 6s" << 4 << 0;
    QTest::newRow("high card of a short hand") << "9s 2d" << 0 << 0x81000;
}

void TestEvaluate::workedRuleRatings()
{
    QFETCH(QString, cards);
    QFETCH(int, category);
    QFETCH(int, rating);

    const std::vector<int> indices = oraclecheck::indicesOf(cards);
    oracle::Hand reference{};
    for (std::size_t i = 0; i < indices.size(); ++i)
        reference[i] = oracle::cardOf(indices[i]);
    oracle::sortHand(reference);
    EvalCards hand = oraclecheck::toEngine(reference);

    QCOMPARE(hex(oracle::rateCategory(category, reference)), hex(rating));
    QCOMPARE(hex(kEngineRules[category](hand)), hex(rating));
    QCOMPARE(hex(rateCategory(category, hand)), hex(rating));
}

void TestEvaluate::describeRatingEdges_data()
{
    QTest::addColumn<int>("rating");
    QTest::addColumn<QString>("description");

    QTest::newRow("0") << 0 << "High Card. -, -, -, -, -";
    QTest::newRow("DDDDD") << 0xDDDDD << "High Card. A, A, A, A, A";
    QTest::newRow("DDDDE, between the categories") << 0xDDDDE << "";
    QTest::newRow("100000") << 0x100000 << "Two Kind. --, -, -, -";
    QTest::newRow("1DDDAF, digit F") << 0x1DDDAF << "Two Kind. AA, A, J, -";
    QTest::newRow("1DDDDE") << 0x1DDDDE << "";
    QTest::newRow("2CC884") << 0x2CC884 << "Two Pair. KK, 99, 5";
    QTest::newRow("8DDDDD") << 0x8DDDDD << "Straight Flush. A, A, A, A, A";
    QTest::newRow("8DDDDE") << 0x8DDDDE << "";
    QTest::newRow("900000") << 0x900000 << "";
    QTest::newRow("1000000") << 0x1000000 << "";
    QTest::newRow("-1") << -1 << "";
}

void TestEvaluate::describeRatingEdges()
{
    QFETCH(int, rating);
    QFETCH(QString, description);
    QCOMPARE(QString::fromStdString(oracle::describeRating(rating)), description);
    QCOMPARE(QString::fromStdString(DescribeRating(rating)), description);
}

void TestEvaluate::categoryNames_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("shortName");
    QTest::addColumn<QString>("label");

    QTest::newRow("0") << 0 << "High Card"
                       << "";
    QTest::newRow("1") << 1 << "2 Kind"
                       << "Two Kind.";
    QTest::newRow("2") << 2 << "2 Pair"
                       << "Two Pair.";
    QTest::newRow("3") << 3 << "3 Kind"
                       << "Three Kind.";
    QTest::newRow("4") << 4 << "Straight"
                       << "Straight.";
    QTest::newRow("5") << 5 << "Flush"
                       << "Flush.";
    QTest::newRow("6") << 6 << "Full House"
                       << "Full House.";
    QTest::newRow("7") << 7 << "4 Kind"
                       << "Four Kind.";
    QTest::newRow("8") << 8 << "Straight Flush"
                       << "Straight Flush.";
}

void TestEvaluate::categoryNames()
{
    QFETCH(int, category);
    QFETCH(QString, shortName);
    QFETCH(QString, label);
    QCOMPARE(QString::fromUtf8(categoryShortName(category)), shortName);
    QCOMPARE(QString::fromUtf8(categoryLabel(category)), label);
    QCOMPARE(categoryOf(category * kCategoryUnit + 0xDDDDD), category);
}

void TestEvaluate::longestDescription()
{
    QCOMPARE(DescribeRating(0x8DCBA9).size(), std::size_t{29});
}

QTEST_GUILESS_MAIN(TestEvaluate)
#include "tst_evaluate.moc"
