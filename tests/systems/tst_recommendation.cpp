// SPDX-License-Identifier: GPL-3.0-or-later
// The advice looked up in a betting system: pre-flop rows by starting hand and opponents'
// action, post-flop rows compared with each category's odds, and the verdicts' colours.
#include "systemfixture.h"

#include "engine/cards.h"
#include "engine/handstate.h"
#include "systems/recommendation.h"
#include "systems/systemvocabulary.h"

#include <QRegularExpression>
#include <QTest>

#include <memory>

using namespace tallowby;

namespace {

const QString kKeys = QStringLiteral("HType;Rnd;Opps");

HandState handOf(const QString &codes)
{
    HandState hand;
    hand.ResetHand();
    int s = H1;
    for (const QString &code : codes.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (code != QStringLiteral("--"))
            hand.SetSlotCard(s, cardIndexFromCode(code.toStdString()));
        ++s;
    }
    return hand;
}

// Every category at `you` and `higher`, then the listed exceptions "category=you/higher"
// (category 1..8).
void setOdds(HandState &hand, double you, double higher, const QStringList &exceptions)
{
    for (THandStats &stats : hand.HandStats) {
        stats.YouPct = you;
        stats.HigherPct = higher;
    }
    for (const QString &exception : exceptions) {
        const QStringList parts = exception.split(QRegularExpression(QStringLiteral("[=/]")));
        THandStats &stats = hand.HandStats.at(std::size_t(parts.at(0).toInt() - 1));
        stats.YouPct = parts.at(1).toDouble();
        stats.HigherPct = parts.at(2).toDouble();
    }
}

// "Straight Flush|Flop|Call|HitS|Raise 800%": one field of one `FTR` row; an empty value
// stores no value at all.
void applyChanges(DbTable &typeSet, const QStringList &changes)
{
    for (const QString &change : changes) {
        const QStringList p = change.split(QLatin1Char('|'));
        QVariant value = p.at(4);
        if (p.at(4).isEmpty())
            value = QVariant();
        else if (p.at(3).endsWith(QLatin1Char('V')))
            value = p.at(4).toDouble();
        QVERIFY2(changeField(typeSet, kKeys, {p.at(0), p.at(1), p.at(2)}, p.at(3), value),
                 qPrintable(change));
    }
}

} // namespace

class TestRecommendation : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporarySystem> system_;

private Q_SLOTS:
    void init() { system_ = std::make_unique<TemporarySystem>(); }
    void cleanup() { system_.reset(); }

    void preFlop_data()
    {
        QTest::addColumn<QString>("cards");
        QTest::addColumn<QString>("opponents");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("Kh Ac, Raise 200%") << "Kh Ac"
                                           << "Raise 200%" << 3 << "Raise 400%";
        QTest::newRow("Ac Kh, Raise 200%") << "Ac Kh"
                                           << "Raise 200%" << 3 << "Raise 400%";
        QTest::newRow("Kh Ac, Call") << "Kh Ac"
                                     << "Call" << 1 << "Check/Call";
        QTest::newRow("Kh Ac, Raise All-In") << "Kh Ac"
                                             << "Raise All-In" << 6 << "Raise All-In";
        QTest::newRow("Kh Ac, Check") << "Kh Ac"
                                      << "Check" << 0 << "";
        QTest::newRow("Kh Ac, typed text") << "Kh Ac"
                                           << "raise 200%" << -1 << "";
        QTest::newRow("7s 7d, Raise 100%") << "7s 7d"
                                           << "Raise 100%" << 2 << "Raise 800%";
        QTest::newRow("9h 8h, Raise 400%") << "9h 8h"
                                           << "Raise 400%" << 4 << "Raise 100%";
        QTest::newRow("9h 8c, Raise 400%") << "9h 8c"
                                           << "Raise 400%" << 4 << "Check/Fold";
        QTest::newRow("Qs Js stored in small letters") << "Qs Js"
                                                       << "Raise 800%" << 5 << "Raise 200%";
    }
    void preFlop()
    {
        QFETCH(QString, cards);
        QFETCH(QString, opponents);
        QFETCH(int, index);
        QFETCH(QString, verdict);
        DbTable &handSet = system_->handSet;
        const QString hand = QStringLiteral("Hand");
        QVERIFY(changeField(handSet, hand, {"AK offsuit"}, "OppR2", "Raise 400%"));
        QVERIFY(changeField(handSet, hand, {"AK offsuit"}, "OppCl", "Check/Call"));
        QVERIFY(changeField(handSet, hand, {"AK offsuit"}, "OppAI", "Raise All-In"));
        QVERIFY(changeField(handSet, hand, {"AK suited"}, "OppR2", "Raise 800%"));
        QVERIFY(changeField(handSet, hand, {"77"}, "OppR1", "Raise 800%"));
        QVERIFY(changeField(handSet, hand, {"98 suited"}, "OppR4", "Raise 100%"));
        QVERIFY(changeField(handSet, hand, {"QJ suited"}, "Hand", "qj SUITED"));
        QVERIFY(changeField(handSet, hand, {"qj SUITED"}, "OppR8", "Raise 200%"));

        const Recommendation advice =
            recommend(handSet, system_->typeSet, handOf(cards), opponents, index);
        QCOMPARE(advice.hitVerdict, verdict);
        QCOMPARE(advice.higherVerdict, QString());
        QVERIFY(!advice.recolour);
    }

    void postFlop_data()
    {
        QTest::addColumn<QString>("cards");
        QTest::addColumn<QString>("opponents");
        QTest::addColumn<double>("you");       // every category's YouPct ...
        QTest::addColumn<double>("higher");    // ... and HigherPct, but for
        QTest::addColumn<QStringList>("odds"); // these: "category=you/higher"
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("hitVerdict");
        QTest::addColumn<QString>("higherVerdict");

        const QString flop = QStringLiteral("As Kd 7c 7h 2s");
        QTest::newRow("new system, one pair made, the rest below 50")
            << flop << "Call" << 10.0 << 10.0 << QStringList{"1=100/10"} << QStringList()
            << "Check/Call"
            << "Check/Call";
        QTest::newRow("new system, nothing made, everything below 50")
            << flop << "Call" << 10.0 << 10.0 << QStringList() << QStringList() << "Check/Fold"
            << "Check/Call";
        QTest::newRow("new system, higher hands likely")
            << flop << "Call" << 10.0 << 60.0 << QStringList() << QStringList() << "Check/Fold"
            << "Check/Fold";
        const QStringList thresholds = {"2 Pair|Flop|Call|HitL|Raise 100%",
                                        "Straight Flush|Flop|Call|HitS|Raise 800%"};
        QTest::newRow("YouPct 50 reaches HitV 50")
            << flop << "Call" << 10.0 << 10.0 << QStringList{"2=50/10"} << thresholds
            << "Raise 100%"
            << "Check/Call";
        QTest::newRow("YouPct 49.99 stays below HitV 50")
            << flop << "Call" << 10.0 << 10.0 << QStringList{"2=49.99/10"} << thresholds
            << "Raise 800%"
            << "Check/Call";
        QTest::newRow("HitV 50.5 is used as 50 (half to even)")
            << flop << "Call" << 10.0 << 10.0 << QStringList{"2=50/10"}
            << (thresholds + QStringList{"2 Pair|Flop|Call|HitV|50.5"}) << "Raise 100%"
            << "Check/Call";
        QTest::newRow("HitV 49.5 is used as 50 (half to even)")
            << flop << "Call" << 10.0 << 10.0 << QStringList{"2=49.6/10"}
            << (thresholds + QStringList{"2 Pair|Flop|Call|HitV|49.5"}) << "Raise 800%"
            << "Check/Call";
        QTest::newRow("empty HitV reads 0")
            << flop << "Call" << 0.0 << 10.0 << QStringList()
            << QStringList{"Straight Flush|Flop|Call|HitV|",
                           "Straight Flush|Flop|Call|HitL|Raise All-In"}
            << "Raise All-In"
            << "Check/Call";
        const QStringList made = {"2 Kind|Flop|Call|HitE|Raise 200%",
                                  "2 Pair|Flop|Call|HitE|Raise 400%",
                                  "Full House|Flop|Call|HitL|Raise All-In"};
        QTest::newRow("two made: the later one wins, higher restarts at it")
            << flop << "Call" << 10.0 << 10.0 << QStringList{"1=100/90", "2=100/10"} << made
            << "Raise 400%"
            << "Check/Call";
        QTest::newRow("made outranks a later HitL")
            << flop << "Call" << 10.0 << 10.0 << QStringList{"1=100/10", "6=70/10"} << made
            << "Raise 200%"
            << "Check/Call";
        QTest::newRow("higher verdict before the made category is dropped")
            << flop << "Call" << 10.0 << 10.0 << QStringList{"1=20/90", "3=100/10"} << QStringList()
            << "Check/Call"
            << "Check/Call";
        QTest::newRow("higher verdict after the made category counts")
            << flop << "Call" << 10.0 << 10.0 << QStringList{"1=100/10", "3=20/90"} << QStringList()
            << "Check/Call"
            << "Check/Fold";
        const QStringList straightFlush = {"Straight|Flop|Call|HitL|Raise 100%",
                                           "Flush|Flop|Call|HitL|Raise 200%"};
        QTest::newRow("straight and flush at one level: the flush wins")
            << flop << "Call" << 10.0 << 10.0 << QStringList{"4=60/10", "5=60/10"} << straightFlush
            << "Raise 200%"
            << "Check/Call";
        QTest::newRow("the straight row is compared with the straight's odds")
            << flop << "Call" << 10.0 << 10.0 << QStringList{"4=60/10", "5=10/10"} << straightFlush
            << "Raise 100%"
            << "Check/Call";
        const QStringList noFigure = {"Straight Flush|Flop|Call|HgrV|0",
                                      "Straight Flush|Flop|Call|HgrL|Raise 800%",
                                      "Straight Flush|Flop|Call|HgrS|Raise All-In"};
        QTest::newRow("HigherPct -1 is below HgrV 0")
            << flop << "Call" << 10.0 << 10.0 << QStringList{"8=0/-1"} << noFigure << "Check/Fold"
            << "Raise All-In";
        QTest::newRow("HigherPct 0 reaches HgrV 0")
            << flop << "Call" << 10.0 << 10.0 << QStringList{"8=0/0"} << noFigure << "Check/Fold"
            << "Raise 800%";
        const QStringList rounds = {"2 Kind|Flop|Raise 400%|HitE|Raise 100%",
                                    "2 Kind|Turn|Raise 400%|HitE|Raise 200%",
                                    "2 Kind|River|Raise 400%|HitE|Raise 400%"};
        QTest::newRow("flop row") << flop << "Raise 400%" << 10.0 << 10.0 << QStringList{"1=100/10"}
                                  << rounds << "Raise 100%"
                                  << "Check/Call";
        QTest::newRow("turn row") << "As Kd 7c 7h 2s 9d"
                                  << "Raise 400%" << 10.0 << 10.0 << QStringList{"1=100/10"}
                                  << rounds << "Raise 200%"
                                  << "Check/Call";
        QTest::newRow("river row")
            << "As Kd 7c 7h 2s 9d 3c"
            << "Raise 400%" << 10.0 << 10.0 << QStringList{"1=100/10"} << rounds << "Raise 400%"
            << "Check/Call";
        QTest::newRow("opponents Check has rows after the flop")
            << flop << "Check" << 10.0 << 10.0 << QStringList{"1=100/10"}
            << QStringList{"2 Kind|Flop|Check|HitE|Raise All-In"} << "Raise All-In"
            << "Check/Call";
        QTest::newRow("opponents' text in small letters matches no row")
            << flop << "call" << 10.0 << 10.0 << QStringList{"1=100/10"} << QStringList() << ""
            << "";
        QTest::newRow("opponents' text that is no action")
            << flop << "Raise 300%" << 10.0 << 10.0 << QStringList{"1=100/10"} << QStringList()
            << ""
            << "";
        QTest::newRow("two flop cards: no round")
            << "As Kd 7c 7h"
            << "Call" << 10.0 << 10.0 << QStringList{"1=100/10"} << QStringList() << ""
            << "";
        QTest::newRow("turn card without the flop: no round")
            << "As Kd -- -- -- 9d"
            << "Call" << 10.0 << 10.0 << QStringList{"1=100/10"} << QStringList() << ""
            << "";
        QTest::newRow("one hole card: no round")
            << "As"
            << "Call" << 10.0 << 10.0 << QStringList() << QStringList() << ""
            << "";
    }
    void postFlop()
    {
        QFETCH(QString, cards);
        QFETCH(QString, opponents);
        QFETCH(double, you);
        QFETCH(double, higher);
        QFETCH(QStringList, odds);
        QFETCH(QStringList, changes);
        QFETCH(QString, hitVerdict);
        QFETCH(QString, higherVerdict);
        applyChanges(system_->typeSet, changes);
        HandState hand = handOf(cards);
        setOdds(hand, you, higher, odds);

        const int index = int(opponentsActions().indexOf(opponents));
        const Recommendation advice =
            recommend(system_->handSet, system_->typeSet, hand, opponents, index);
        QCOMPARE(advice.hitVerdict, hitVerdict);
        QCOMPARE(advice.higherVerdict, higherVerdict);
        QVERIFY(advice.recolour);
    }

    void verdictColours_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        const QColor maroon(128, 0, 0);
        const QColor green(0, 128, 0);
        const QColor olive(128, 128, 0);
        QTest::newRow("Check/Fold") << "Check/Fold" << maroon;
        QTest::newRow("Check/Call") << "Check/Call" << green;
        QTest::newRow("empty") << "" << green;
        QTest::newRow("Raise 100%") << "Raise 100%" << olive;
        QTest::newRow("Raise 400%") << "Raise 400%" << olive;
        QTest::newRow("Raise All-In") << "Raise All-In" << olive;
        QTest::newRow("check/fold typed in small letters") << "check/fold" << olive;
    }
    void verdictColours()
    {
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        QCOMPARE(verdictColour(text), colour);
    }
};

QTEST_GUILESS_MAIN(TestRecommendation)
#include "tst_recommendation.moc"
