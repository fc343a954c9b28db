// SPDX-License-Identifier: GPL-3.0-or-later
// The "Equity %" read-out of the card panel: the engine's figure shown once its worker is done,
// a simulated one marked and refined in place, recomputed for a new number of players, kept on
// a click that leaves the stage incomplete, stale jobs dropped, the read-out cleared and its job
// cancelled, the tooltip texts, and worker threads that never hold up the user interface nor
// outlive the windows.
#include "app/startup.h"
#include "app/tallowby.h"
#include "cardscript.h"
#include "engine/equity.h"
#include "engine/handstate.h"
#include "engine/preflopequity.h"
#include "panel/cardbutton.h"
#include "panel/equitytext.h"
#include "panel/equityworker.h"
#include "panel/selcards.h"
#include "runningprogram.h"
#include "windowchecks.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QToolTip>

#include <cmath>
#include <memory>

using namespace tallowby;

namespace {

constexpr int kWorkerTimeout = 30000; // ms; a simulation under the sanitizers is slow

// Chooses the number of players without an analysis, then enters the cards.
void playWith(const QString &players, const QString &cards)
{
    FormSelCards->setActivePlayersText(players);
    play(cards);
}

// Types a new number of players over the old one, as the user does.
void typePlayers(const QString &players)
{
    auto *box = FormSelCards->findChild<QComboBox *>(QStringLiteral("ComboBoxAP"));
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), players);
}

QLabel *equityLabel()
{
    return FormSelCards->findChild<QLabel *>(QStringLiteral("LabelEquity"));
}

std::shared_ptr<const PreflopEquityTable> shippedTable()
{
    QString error;
    auto table = loadPreflopEquityTable(QCoreApplication::applicationDirPath(), error);
    if (!table)
        qWarning("%s", qUtf8Printable(error));
    return table;
}

// What the engine itself says about the hand on the slots now, worked out here and now.
EquityResult engineFigure(int players, const PreflopEquityTable *table)
{
    const std::optional<EquityResult> result =
        computeEquity(currentHand(), players, nullptr, table, SimulationLimits{});
    if (!result)
        qFatal("no complete stage on the slots");
    return *result;
}

// Never-ending deals: the job runs until it is cancelled, and shows no figure on the way.
SimulationLimits endlessSimulation()
{
    SimulationLimits limits;
    limits.targetMargin95 = 0;
    limits.firstMargin95 = 0;
    limits.minDeals = std::int64_t{1} << 50;
    limits.maxDeals = std::int64_t{1} << 50;
    return limits;
}

// Waits without taking any event, so a finished job's result stays posted and undelivered.
bool waitForWorkersWithoutEvents()
{
    QElapsedTimer timer;
    timer.start();
    while (EquityCalculator::jobsInFlight() > 0) {
        if (timer.elapsed() > kWorkerTimeout)
            return false;
        QThread::msleep(5);
    }
    return true;
}

EquityHand handOf(const QString &cards)
{
    HandState hand;
    hand.ResetHand();
    const QStringList codes = cards.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int s = 0; s < codes.size(); ++s) {
        const int rank = QStringLiteral("23456789TJQKA").indexOf(codes[s][0]) + 1;
        const int suit = QStringLiteral("sdch").indexOf(codes[s][1]);
        hand.SetSlotCard(s + 1, suit * 13 + rank);
    }
    return equityHandOf(hand).value();
}

} // namespace

class TestEquityReadout : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RunningProgram> program_;
    QLocale startLocale_;

private Q_SLOTS:
    void initTestCase() { startLocale_ = QLocale(); }
    void init() { program_ = std::make_unique<RunningProgram>(); }
    void cleanup()
    {
        program_.reset();
        QLocale::setDefault(startLocale_);
        QCOMPARE(EquityCalculator::jobsInFlight(), 0);
    }

    void showsEngineFigure_data();
    void showsEngineFigure();
    void refinedInPlace();
    void recomputedWhenPlayersChange();
    void lastOfRapidClicksWins();
    void clearedAndCancelled_data();
    void clearedAndCancelled();
    void clearedWhenShown_data();
    void clearedWhenShown();
    void keptOnIncompleteStage_data();
    void keptOnIncompleteStage();
    void jobOutlivesIncompleteStage();
    void decimalCommaLocale();
    void analysisDoesNotWaitForEquity();
    void noWorkerOutlivesWindows();

    void supersededResultIsDropped();
    void cancelledResultIsNeverDelivered();
    void preflopWithoutTableIsSimulated();

    void texts_data();
    void texts();

    void renderPanel_data();
    void renderPanel();
};

// Figures known apart from the engine: 72.68 % for the flush draw over two overcards heads-up,
// the table's 31.10 % for aces against nine, a royal flush that cannot lose, a board royal flush
// that every player shares, and the exact three-way 46.33 % of paired nines on the river.
void TestEquityReadout::showsEngineFigure_data()
{
    QTest::addColumn<QString>("players");
    QTest::addColumn<QString>("cards");
    QTest::addColumn<QString>("figure");
    QTest::addColumn<QString>("spoken");
    QTest::addColumn<QString>("method"); // a wildcard pattern

    QTest::newRow("AhKh Qh7h2c, 2 players") << "2"
                                            << "Ah Kh Qh 7h 2c"
                                            << "72.7"
                                            << "72.7"
                                            << "exact, 1070190 showdowns";
    QTest::newRow("AsAd pre-flop, 10 players")
        << "10"
        << "As Ad"
        << "\u2248 31.1"
        << "about 31.1"
        << "pre-flop table: simulated, 4000000 deals, \u00B10.05 % at 95 %";
    QTest::newRow("AhKh pre-flop, 2 players") << "2"
                                              << "Ah Kh"
                                              << "67"
                                              << "67"
                                              << "pre-flop table: exact, 2097572400 showdowns";
    QTest::newRow("AhKh QhJhTh2c3d, 2 players") << "2"
                                                << "Ah Kh Qh Jh Th 2c 3d"
                                                << "100"
                                                << "100"
                                                << "exact, 990 showdowns";
    QTest::newRow("2c3d AhKhQhJhTh, 3 players") << "3"
                                                << "2c 3d Ah Kh Qh Jh Th"
                                                << "33.3"
                                                << "33.3"
                                                << "exact, 893970 showdowns";
    QTest::newRow("Qs9s Kd9c4s2dAh, 3 players") << "3"
                                                << "Qs 9s Kd 9c 4s 2d Ah"
                                                << "46.3"
                                                << "46.3"
                                                << "exact, 893970 showdowns";
    QTest::newRow("AhKh Qh2h7c, 3 players") << "3"
                                            << "Ah Kh Qh 2h 7c"
                                            << "59.2"
                                            << "59.2"
                                            << "exact, 966381570 showdowns";
    QTest::newRow("AhKh Qh2h7c, 10 players")
        << "10"
        << "Ah Kh Qh 2h 7c"
        << "\u2248 39.0"
        << "about 39.0"
        << "simulated, * deals over all 1081 board completions, \u00B10.0? % at 95 %";
    QTest::newRow("2c3d AhKhQhJhTh, 10 players") << "10"
                                                 << "2c 3d Ah Kh Qh Jh Th"
                                                 << "10"
                                                 << "10"
                                                 << "exact, every deal ends alike";
}

void TestEquityReadout::showsEngineFigure()
{
    QFETCH(QString, players);
    QFETCH(QString, cards);
    QFETCH(QString, figure);
    QFETCH(QString, spoken);
    QFETCH(QString, method);

    playWith(players, cards);
    QTRY_COMPARE_WITH_TIMEOUT(FormSelCards->equityText(), figure, kWorkerTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(!FormSelCards->equityCalculator().working(), kWorkerTimeout);
    QCOMPARE(FormSelCards->equityText(), figure);
    QCOMPARE(equityLabel()->accessibleName(), QStringLiteral("Equity %: ") + spoken);
    const QStringList lines = FormSelCards->equityToolTip().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    QVERIFY2(QRegularExpression::fromWildcard(method, Qt::CaseSensitive).match(lines[2]).hasMatch(),
             qPrintable(lines[2]));
    QVERIFY2(!lines[2].contains(QStringLiteral("\u00B10 %")), qPrintable(lines[2]));
    QCOMPARE(equityLabel()->accessibleDescription(), FormSelCards->equityToolTip());
}

// A simulation shows its first figure in whole points, marked, then the final one with its
// decimal in the same read-out.
void TestEquityReadout::refinedInPlace()
{
    QStringList shown; // the read-out as each figure on the way left it
    QStringList tips;
    connect(&FormSelCards->equityCalculator(), &EquityCalculator::refined, this, [&] {
        shown << FormSelCards->equityText();
        tips << FormSelCards->equityToolTip();
    });
    playWith(QStringLiteral("10"), QStringLiteral("Ah Kh Qh 2h 7c"));
    QTRY_VERIFY_WITH_TIMEOUT(!FormSelCards->equityCalculator().working(), kWorkerTimeout);
    QCOMPARE(FormSelCards->equityText(), QStringLiteral("\u2248 39.0"));
    QVERIFY(!shown.isEmpty());
    for (int i = 0; i < shown.size(); ++i) {
        QVERIFY2(
            QRegularExpression(QStringLiteral("^\u2248 (38|39|40)$")).match(shown[i]).hasMatch(),
            qPrintable(shown[i]));
        QVERIFY2(tips[i].endsWith(QStringLiteral("at 95 %, refining")), qPrintable(tips[i]));
    }
    QVERIFY(!FormSelCards->equityToolTip().contains(QStringLiteral("refining")));
}

void TestEquityReadout::recomputedWhenPlayersChange()
{
    const auto table = shippedTable();
    playWith(QStringLiteral("2"), QStringLiteral("Ah Kh Qh 7h 2c"));
    QTRY_COMPARE_WITH_TIMEOUT(FormSelCards->equityText(), QStringLiteral("72.7"), kWorkerTimeout);

    typePlayers(QStringLiteral("3"));
    QCOMPARE(FormSelCards->equityText(), QStringLiteral("??"));
    const EquityResult expected = engineFigure(3, table.get());
    QTRY_COMPARE_WITH_TIMEOUT(FormSelCards->equityText(), equityReadoutText(expected, QLocale()),
                              kWorkerTimeout);
    QCOMPARE(FormSelCards->equityToolTip(), equityToolTip(expected, 3, QLocale()));
    QVERIFY(FormSelCards->equityToolTip().startsWith(QStringLiteral("Equity ")));
    QVERIFY(FormSelCards->equityToolTip().contains(QStringLiteral("against 2 opponents")));
}

// Each click that completes a stage starts a job and cancels the one before; only the river's
// figure may stay on show.
void TestEquityReadout::lastOfRapidClicksWins()
{
    const auto table = shippedTable();
    playWith(QStringLiteral("3"), QStringLiteral("Ah Kh Qh 7h 2c Tc 3s"));
    const EquityResult river = engineFigure(3, table.get());
    const QString expected = equityReadoutText(river, QLocale());
    QTRY_COMPARE_WITH_TIMEOUT(FormSelCards->equityText(), expected, kWorkerTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(EquityCalculator::jobsInFlight(), 0, kWorkerTimeout);
    QTest::qWait(50);
    QCOMPARE(FormSelCards->equityText(), expected);
    QCOMPARE(FormSelCards->equityToolTip(), equityToolTip(river, 3, QLocale()));
}

// A job still running when the read-out is cleared stops, and shows nothing.
void TestEquityReadout::clearedAndCancelled_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("ResetReadouts") << "ResetReadouts";
    QTest::newRow("New Game") << "New Game";
    QTest::newRow("Active players changed") << "players 5";
    QTest::newRow("click of a new turn") << "Tc";
}

void TestEquityReadout::clearedAndCancelled()
{
    QFETCH(QString, action);

    FormSelCards->equityCalculator().setSimulationLimits(endlessSimulation());
    playWith(QStringLiteral("4"), QStringLiteral("Ah Kh Qh 7h 2c"));
    QVERIFY(FormSelCards->equityCalculator().working());
    QTRY_COMPARE(EquityCalculator::jobsInFlight(), 1);

    if (action == QLatin1String("ResetReadouts"))
        FormTallowby->ResetReadouts();
    else if (action == QLatin1String("New Game"))
        FormTallowby->MenuNewGameClick();
    else if (action.startsWith(QLatin1String("players ")))
        typePlayers(action.mid(8));
    else
        play(action);

    // The turn and the new number of players start an endless job of their own; the other
    // actions leave none.
    const bool newJob =
        action == QLatin1String("Tc") || action.startsWith(QLatin1String("players"));
    QCOMPARE(FormSelCards->equityText(), QStringLiteral("??"));
    QCOMPARE(FormSelCards->equityCalculator().working(), newJob);
    if (!newJob)
        QCOMPARE(FormSelCards->equityToolTip(), equityExplanation());
    QTRY_COMPARE_WITH_TIMEOUT(EquityCalculator::jobsInFlight(), newJob ? 1 : 0, kWorkerTimeout);
    QTest::qWait(50);
    QCOMPARE(FormSelCards->equityText(), QStringLiteral("??"));
}

void TestEquityReadout::clearedWhenShown_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("ResetReadouts") << "ResetReadouts";
    QTest::newRow("New Game") << "New Game";
}

void TestEquityReadout::clearedWhenShown()
{
    QFETCH(QString, action);
    playWith(QStringLiteral("2"), QStringLiteral("Ah Kh Qh 7h 2c"));
    QTRY_COMPARE_WITH_TIMEOUT(FormSelCards->equityText(), QStringLiteral("72.7"), kWorkerTimeout);
    if (action == QLatin1String("New Game"))
        FormTallowby->MenuNewGameClick();
    else
        FormTallowby->ResetReadouts();
    QCOMPARE(FormSelCards->equityText(), QStringLiteral("??"));
    QCOMPARE(equityLabel()->accessibleName(), QStringLiteral("Equity %: ??"));
    QCOMPARE(FormSelCards->equityToolTip(), equityExplanation());
}

// A click that leaves the stage incomplete keeps the figure, as Outs and Hit % keep theirs;
// completing the stage again brings the new stage's figure.
void TestEquityReadout::keptOnIncompleteStage_data()
{
    QTest::addColumn<QString>("cards");  // a complete stage
    QTest::addColumn<QString>("clicks"); // leave it incomplete
    QTest::addColumn<QString>("again");  // complete it again

    QTest::newRow("flop, F3 reset, then 3d") << "Ah Kh Qh 7h 2c"
                                             << "@F3 reset"
                                             << "@F3 3d";
    QTest::newRow("flop, one turn-less river") << "Ah Kh Qh 7h 2c"
                                               << "@Rr 9s"
                                               << "@Tn 3d";
    QTest::newRow("river, Tn reset, then 2d") << "Ah Kh Qh 7h 2c Td 3s"
                                              << "@Tn reset"
                                              << "@Tn 2d";
    QTest::newRow("flop, H2 reset, then Kc") << "Ah Kh Qh 7h 2c"
                                             << "@H2 reset"
                                             << "@H2 Kc";
}

void TestEquityReadout::keptOnIncompleteStage()
{
    QFETCH(QString, cards);
    QFETCH(QString, clicks);
    QFETCH(QString, again);

    const auto table = shippedTable();
    playWith(QStringLiteral("2"), cards);
    QTRY_VERIFY_WITH_TIMEOUT(FormSelCards->equityText() != QLatin1String("??"), kWorkerTimeout);
    const QString before = FormSelCards->equityText();
    const QString tip = FormSelCards->equityToolTip();
    const QString outs = FormSelCards->outsText();
    play(clicks);
    QTest::qWait(50);
    QCOMPARE(FormSelCards->equityText(), before);
    QCOMPARE(FormSelCards->equityToolTip(), tip);
    QCOMPARE(FormSelCards->outsText(), outs);
    QVERIFY(!FormSelCards->equityCalculator().working());

    play(again);
    const QString expected = equityReadoutText(engineFigure(2, table.get()), QLocale());
    QVERIFY(expected != before);
    QTRY_COMPARE_WITH_TIMEOUT(FormSelCards->equityText(), expected, kWorkerTimeout);
}

// The job of the stage on show goes on through such a click, and its figure arrives.
void TestEquityReadout::jobOutlivesIncompleteStage()
{
    playWith(QStringLiteral("10"), QStringLiteral("Ah Kh Qh 2h 7c"));
    QVERIFY(FormSelCards->equityCalculator().working());
    play(QStringLiteral("@F3 reset"));
    QVERIFY(FormSelCards->equityCalculator().working());
    QTRY_COMPARE_WITH_TIMEOUT(FormSelCards->equityText(), QStringLiteral("\u2248 39.0"),
                              kWorkerTimeout);
    QVERIFY(FormSelCards->equityToolTip().contains(QStringLiteral("against 9 opponents")));
}

void TestEquityReadout::decimalCommaLocale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const auto table = shippedTable();
    playWith(QStringLiteral("2"), QStringLiteral("Ah Kh Qh 7h 2c"));
    QTRY_COMPARE_WITH_TIMEOUT(FormSelCards->equityText(), QStringLiteral("72,7"), kWorkerTimeout);
    const QString tip = FormSelCards->equityToolTip();
    QVERIFY2(tip.startsWith(QStringLiteral("Equity 72,68 % against one opponent")),
             qPrintable(tip));
    QCOMPARE(tip, equityToolTip(engineFigure(2, table.get()), 2, QLocale()));
}

// The card click returns with Win %, Outs and Hit % written while the equity is still at work.
void TestEquityReadout::analysisDoesNotWaitForEquity()
{
    FormSelCards->equityCalculator().setSimulationLimits(endlessSimulation());
    playWith(QStringLiteral("4"), QStringLiteral("Ah Kh Qh 7h 2c"));
    QVERIFY(FormSelCards->winText() != QLatin1String("??"));
    QVERIFY(FormSelCards->hitText() != QLatin1String("0"));
    QVERIFY(FormSelCards->outsText() != QLatin1String("0"));
    QCOMPARE(FormSelCards->equityText(), QStringLiteral("??"));
    QCOMPARE(FormSelCards->equityToolTip(), QStringLiteral("Working out the equity\u2026"));
    QVERIFY(FormSelCards->equityCalculator().working());
    QTest::qWait(100);
    QTRY_COMPARE(EquityCalculator::jobsInFlight(), 1);
    QCOMPARE(FormSelCards->equityText(), QStringLiteral("??"));
}

void TestEquityReadout::noWorkerOutlivesWindows()
{
    FormSelCards->equityCalculator().setSimulationLimits(endlessSimulation());
    playWith(QStringLiteral("4"), QStringLiteral("Ah Kh Qh 7h 2c"));
    QTRY_COMPARE(EquityCalculator::jobsInFlight(), 1);
    QElapsedTimer timer;
    timer.start();
    program_.reset();
    QCOMPARE(EquityCalculator::jobsInFlight(), 0);
    QVERIFY2(timer.elapsed() < 5000, "the endless job did not notice its cancel flag");
}

// A job that ended before the next request has its result posted but not delivered: that result
// must not show.
void TestEquityReadout::supersededResultIsDropped()
{
    EquityCalculator calculator(nullptr);
    QSignalSpy finished(&calculator, &EquityCalculator::finished);
    calculator.request(handOf(QStringLiteral("Ah Kh Qh Jh Th 2c 3d")), 2);
    QVERIFY(waitForWorkersWithoutEvents());
    calculator.request(handOf(QStringLiteral("2c 3d Ah Kh Qh Jh Th")), 2);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWorkerTimeout);
    QCOMPARE(finished.at(0).at(0).value<EquityResult>().equity, 0.5);
    QTest::qWait(50);
    QCOMPARE(finished.count(), 1);
    QVERIFY(!calculator.working());
}

void TestEquityReadout::cancelledResultIsNeverDelivered()
{
    EquityCalculator calculator(nullptr);
    QSignalSpy finished(&calculator, &EquityCalculator::finished);
    QSignalSpy failed(&calculator, &EquityCalculator::failed);
    calculator.request(handOf(QStringLiteral("Ah Kh Qh Jh Th 2c 3d")), 2);
    QVERIFY(waitForWorkersWithoutEvents());
    calculator.cancel();
    QTest::qWait(50);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(failed.count(), 0);
}

// Without the shipped table the pre-flop figure is still there, only simulated.
void TestEquityReadout::preflopWithoutTableIsSimulated()
{
    EquityCalculator calculator(nullptr);
    QVERIFY(!calculator.hasPreflopTable());
    QSignalSpy finished(&calculator, &EquityCalculator::finished);
    calculator.request(handOf(QStringLiteral("As Ad")), 2);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWorkerTimeout);
    const auto result = finished.at(0).at(0).value<EquityResult>();
    QCOMPARE(result.method, EquityResult::Method::Simulated);
    // The exact figure is 85.2037 %.
    QVERIFY(result.margin95 > 0 && result.margin95 <= 0.0005);
    QVERIFY2(std::abs(result.equity - 0.852037) <= result.margin95 * 2,
             qPrintable(QString::number(result.equity)));
    QVERIFY(equityReadoutText(result, QLocale::c()).startsWith(QStringLiteral("\u2248 85.")));
    QVERIFY(
        equityMethodDescription(result, QLocale::c()).startsWith(QStringLiteral("simulated, ")));
}

void TestEquityReadout::texts_data()
{
    QTest::addColumn<double>("equity");
    QTest::addColumn<double>("win");
    QTest::addColumn<double>("tie");
    QTest::addColumn<int>("method");
    QTest::addColumn<qint64>("samples");
    QTest::addColumn<int>("boards");
    QTest::addColumn<double>("margin");
    QTest::addColumn<bool>("final");
    QTest::addColumn<int>("players");
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("figure");
    QTest::addColumn<QString>("toolTip");

    const int exact = int(EquityResult::Method::Exact);
    const int simulated = int(EquityResult::Method::Simulated);
    const int table = int(EquityResult::Method::Table);
    QTest::newRow("exact flop, 1 opponent")
        << 0.726843 << 0.701234 << 0.051 << exact << qint64(1070190) << 1081 << 0.0 << true << 2
        << "C"
        << "72.7"
        << "Equity 72.68 % against one opponent holding random cards\n"
           "Win 70.12 %, tie 5.1 % (a pot split k ways counts 1/k)\n"
           "exact, 1070190 showdowns";
    QTest::newRow("simulated to 0.05, 9 opponents")
        << 0.390066 << 0.38 << 0.02 << simulated << qint64(642784) << 1081 << 0.000488 << true << 10
        << "C"
        << "\u2248 39.0"
        << "Equity 39.01 % against 9 opponents holding random cards\n"
           "Win 38 %, tie 2 % (a pot split k ways counts 1/k)\n"
           "simulated, 642784 deals over all 1081 board completions, \u00B10.05 % at 95 %";
    QTest::newRow("first figure, 0.31 points, whole points only")
        << 0.3949 << 0.38 << 0.02 << simulated << qint64(33072) << 1081 << 0.0031 << false << 10
        << "C"
        << "\u2248 39"
        << "Equity 39.49 % against 9 opponents holding random cards\n"
           "Win 38 %, tie 2 % (a pot split k ways counts 1/k)\n"
           "simulated, 33072 deals over all 1081 board completions so far, \u00B10.31 % at 95 %, "
           "refining";
    QTest::newRow("river, a tiny margin still shows")
        << 0.0004 << 0.0004 << 0.0 << simulated << qint64(32768) << 0 << 0.0000916 << true << 10
        << "C"
        << "\u2248 0.0"
        << "Equity 0.04 % against 9 opponents holding random cards\n"
           "Win 0.04 %, tie 0 % (a pot split k ways counts 1/k)\n"
           "simulated, 32768 deals, \u00B10.01 % at 95 %";
    QTest::newRow("every deal alike")
        << 0.1 << 0.0 << 1.0 << exact << qint64(0) << 1 << 0.0 << true << 10 << "C"
        << "10"
        << "Equity 10 % against 9 opponents holding random cards\n"
           "Win 0 %, tie 100 % (a pot split k ways counts 1/k)\n"
           "exact, every deal ends alike";
    QTest::newRow("table, exact entry")
        << 0.852037 << 0.849319 << 0.005436 << table << qint64(2097572400) << 0 << 0.0 << true << 2
        << "C"
        << "85.2"
        << "Equity 85.2 % against one opponent holding random cards\n"
           "Win 84.93 %, tie 0.54 % (a pot split k ways counts 1/k)\n"
           "pre-flop table: exact, 2097572400 showdowns";
    QTest::newRow("table, simulated entry, 9 opponents")
        << 0.310985 << 0.308855 << 0.004954 << table << qint64(4000000) << 0 << 0.00045276 << true
        << 10 << "C"
        << "\u2248 31.1"
        << "Equity 31.1 % against 9 opponents holding random cards\n"
           "Win 30.89 %, tie 0.5 % (a pot split k ways counts 1/k)\n"
           "pre-flop table: simulated, 4000000 deals, \u00B10.05 % at 95 %";
    QTest::newRow("31.25 rounds half up to 31.3")
        << 0.3125 << 0.3 << 0.025 << exact << qint64(990) << 1 << 0.0 << true << 2 << "C"
        << "31.3"
        << "Equity 31.25 % against one opponent holding random cards\n"
           "Win 30 %, tie 2.5 % (a pot split k ways counts 1/k)\n"
           "exact, 990 showdowns";
    QTest::newRow("simulated 38.95 rounds half up to 39.0")
        << 0.3895 << 0.38 << 0.01 << simulated << qint64(2000000) << 46 << 0.0004 << true << 5
        << "C"
        << "\u2248 39.0"
        << "Equity 38.95 % against 4 opponents holding random cards\n"
           "Win 38 %, tie 1 % (a pot split k ways counts 1/k)\n"
           "simulated, 2000000 deals over all 46 board completions, \u00B10.04 % at 95 %";
    QTest::newRow("decimal comma, simulated")
        << 0.726843 << 0.701234 << 0.051 << simulated << qint64(400000) << 46 << 0.00049 << true
        << 4 << "de_DE"
        << "\u2248 72,7"
        << "Equity 72,68 % against 3 opponents holding random cards\n"
           "Win 70,12 %, tie 5,1 % (a pot split k ways counts 1/k)\n"
           "simulated, 400000 deals over all 46 board completions, \u00B10,05 % at 95 %";
}

void TestEquityReadout::texts()
{
    QFETCH(double, equity);
    QFETCH(double, win);
    QFETCH(double, tie);
    QFETCH(int, method);
    QFETCH(qint64, samples);
    QFETCH(int, boards);
    QFETCH(double, margin);
    QFETCH(bool, final);
    QFETCH(int, players);
    QFETCH(QString, localeName);
    QFETCH(QString, figure);
    QFETCH(QString, toolTip);

    EquityResult result;
    result.equity = equity;
    result.win = win;
    result.tie = tie;
    result.method = EquityResult::Method(method);
    result.exact = margin == 0;
    result.samples = samples;
    result.boards = boards;
    result.margin95 = margin;
    result.final = final;
    const QLocale locale(localeName);
    QCOMPARE(equityReadoutText(result, locale), figure);
    QCOMPARE(equityToolTip(result, players, locale), toolTip);
    QCOMPARE(equitySpokenText(result, locale),
             result.exact ? figure : QStringLiteral("about ") + figure.mid(2));
}

// Saves the card panel with a simulated figure on show, and its tooltip, into TALLOWBY_SHOTS when
// set: at the default font, at 13 pt and under a dark palette.
void TestEquityReadout::renderPanel_data()
{
    QTest::addColumn<int>("pointSize"); // 0: the default
    QTest::addColumn<bool>("dark");
    QTest::newRow("default") << 0 << false;
    QTest::newRow("13 pt") << 13 << false;
    QTest::newRow("dark") << 0 << true;
}

void TestEquityReadout::renderPanel()
{
    QFETCH(int, pointSize);
    QFETCH(bool, dark);
    const QString folder = qEnvironmentVariable("TALLOWBY_SHOTS");
    if (folder.isEmpty())
        QSKIP("TALLOWBY_SHOTS names no folder for the pictures");
    QVERIFY(QDir().mkpath(folder));

    // The windows are made again under the font and palette, as at start.
    program_.reset();
    const QFont startFont = QApplication::font();
    const QPalette startPalette = QApplication::palette();
    if (pointSize > 0) {
        QFont large = startFont;
        large.setPointSize(pointSize);
        QApplication::setFont(large);
    }
    if (dark)
        QApplication::setPalette(darkPalette());
    program_ = std::make_unique<RunningProgram>();
    playWith(QStringLiteral("10"), QStringLiteral("Ah Kh Qh 2h 7c"));
    QTRY_COMPARE_WITH_TIMEOUT(FormSelCards->equityText(), QStringLiteral("\u2248 39.0"),
                              kWorkerTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(!FormSelCards->equityCalculator().working(), kWorkerTimeout);
    // The whole figure fits its read-out.
    QVERIFY(equityLabel()->contentsRect().width() >=
            equityLabel()->fontMetrics().horizontalAdvance(FormSelCards->equityText()));
    const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-');
    QVERIFY(
        FormSelCards->grab().save(folder + QStringLiteral("/card-panel-equity-%1.png").arg(name)));

    // The tooltip as it shows, drawn the way QToolTip draws it.
    QLabel tip(FormSelCards->equityToolTip());
    tip.setPalette(QToolTip::palette());
    tip.setFont(QToolTip::font());
    tip.setAutoFillBackground(true);
    tip.setFrameStyle(QFrame::Box | QFrame::Plain);
    tip.setMargin(4);
    tip.adjustSize();
    QVERIFY(tip.grab().save(folder + QStringLiteral("/equity-tooltip-%1.png").arg(name)));
    program_.reset();
    QApplication::setFont(startFont);
    QApplication::setPalette(startPalette);
}

QTEST_MAIN(TestEquityReadout)
#include "tst_equityreadout.moc"
