// SPDX-License-Identifier: GPL-3.0-or-later
// The "Equity %" read-out of the card panel: the engine's figure shown once its worker is done,
// recomputed for a new number of players, stale jobs dropped, the read-out cleared and its job
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

// Never-ending deals: the job runs until it is cancelled.
SimulationLimits endlessSimulation()
{
    SimulationLimits limits;
    limits.targetMargin95 = 0;
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
    void recomputedWhenPlayersChange();
    void lastOfRapidClicksWins();
    void clearedAndCancelled_data();
    void clearedAndCancelled();
    void clearedWhenShown();
    void decimalCommaLocale();
    void analysisDoesNotWaitForEquity();
    void noWorkerOutlivesWindows();

    void supersededResultIsDropped();
    void cancelledResultIsNeverDelivered();
    void preflopWithoutTableIsSimulated();

    void texts_data();
    void texts();

    void renderPanel();
};

// Figures known apart from the engine: 72.68 % for the flush draw over two overcards heads-up,
// the table's 31.10 % for aces against nine, a royal flush that cannot lose, and a board royal
// flush that every player shares.
void TestEquityReadout::showsEngineFigure_data()
{
    QTest::addColumn<QString>("players");
    QTest::addColumn<QString>("cards");
    QTest::addColumn<QString>("figure");
    QTest::addColumn<QString>("method"); // a wildcard pattern

    QTest::newRow("AhKh Qh7h2c, 2 players") << "2"
                                            << "Ah Kh Qh 7h 2c"
                                            << "72.7"
                                            << "exact, 1070190 showdowns";
    QTest::newRow("AsAd pre-flop, 10 players")
        << "10"
        << "As Ad"
        << "31.1"
        << "pre-flop table: simulated, 4000000 deals, \u00B10.05 % at 95 %";
    QTest::newRow("AhKh pre-flop, 2 players") << "2"
                                              << "Ah Kh"
                                              << "67"
                                              << "pre-flop table: exact, 2097572400 showdowns";
    QTest::newRow("AhKh QhJhTh2c3d, 2 players") << "2"
                                                << "Ah Kh Qh Jh Th 2c 3d"
                                                << "100"
                                                << "exact, 990 showdowns";
    QTest::newRow("2c3d AhKhQhJhTh, 3 players") << "3"
                                                << "2c 3d Ah Kh Qh Jh Th"
                                                << "33.3"
                                                << "simulated, * deals, \u00B10 % at 95 %";
}

void TestEquityReadout::showsEngineFigure()
{
    QFETCH(QString, players);
    QFETCH(QString, cards);
    QFETCH(QString, figure);
    QFETCH(QString, method);

    playWith(players, cards);
    QTRY_COMPARE_WITH_TIMEOUT(FormSelCards->equityText(), figure, kWorkerTimeout);
    QCOMPARE(equityLabel()->accessibleName(), QStringLiteral("Equity %: ") + figure);
    const QStringList lines = FormSelCards->equityToolTip().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    QVERIFY2(QRegularExpression::fromWildcard(method, Qt::CaseSensitive).match(lines[2]).hasMatch(),
             qPrintable(lines[2]));
    QCOMPARE(equityLabel()->accessibleDescription(), FormSelCards->equityToolTip());
    QVERIFY(!FormSelCards->equityCalculator().working());
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
    QTest::newRow("click leaving F3 empty") << "@F3 reset";
    QTest::newRow("click of a new turn") << "Tc";
}

void TestEquityReadout::clearedAndCancelled()
{
    QFETCH(QString, action);

    FormSelCards->equityCalculator().setSimulationLimits(endlessSimulation());
    playWith(QStringLiteral("3"), QStringLiteral("Ah Kh Qh 7h 2c"));
    QVERIFY(FormSelCards->equityCalculator().working());
    QTRY_COMPARE(EquityCalculator::jobsInFlight(), 1);

    if (action == QLatin1String("ResetReadouts"))
        FormTallowby->ResetReadouts();
    else if (action == QLatin1String("New Game"))
        FormTallowby->MenuNewGameClick();
    else
        play(action);

    // The turn starts an endless job of its own; every other action leaves none.
    const bool newJob = action == QLatin1String("Tc");
    QCOMPARE(FormSelCards->equityText(), QStringLiteral("??"));
    QCOMPARE(FormSelCards->equityCalculator().working(), newJob);
    if (!newJob)
        QCOMPARE(FormSelCards->equityToolTip(), equityExplanation());
    QTRY_COMPARE_WITH_TIMEOUT(EquityCalculator::jobsInFlight(), newJob ? 1 : 0, kWorkerTimeout);
    QTest::qWait(50);
    QCOMPARE(FormSelCards->equityText(), QStringLiteral("??"));
}

void TestEquityReadout::clearedWhenShown()
{
    playWith(QStringLiteral("2"), QStringLiteral("Ah Kh Qh 7h 2c"));
    QTRY_COMPARE_WITH_TIMEOUT(FormSelCards->equityText(), QStringLiteral("72.7"), kWorkerTimeout);
    FormTallowby->ResetReadouts();
    QCOMPARE(FormSelCards->equityText(), QStringLiteral("??"));
    QCOMPARE(equityLabel()->accessibleName(), QStringLiteral("Equity %: ??"));
    QCOMPARE(FormSelCards->equityToolTip(), equityExplanation());
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
    playWith(QStringLiteral("3"), QStringLiteral("Ah Kh Qh 7h 2c"));
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
    // The exact figure is 85.20 %.
    QVERIFY2(std::abs(result.equity - 0.8520) <= result.margin95 * 1.5,
             qPrintable(QString::number(result.equity)));
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
    QTest::addColumn<double>("margin");
    QTest::addColumn<int>("players");
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("figure");
    QTest::addColumn<QString>("toolTip");

    const int exact = int(EquityResult::Method::Exact);
    const int simulated = int(EquityResult::Method::Simulated);
    const int table = int(EquityResult::Method::Table);
    QTest::newRow("exact flop, 1 opponent")
        << 0.726843 << 0.701234 << 0.051 << exact << qint64(1070190) << 0.0 << 2 << "C"
        << "72.7"
        << "Equity 72.68 % against one opponent holding random cards\n"
           "Win 70.12 %, tie 5.1 % (a pot split k ways counts 1/k)\n"
           "exact, 1070190 showdowns";
    QTest::newRow("simulated, 2 opponents")
        << 0.5 << 0.48 << 0.04 << simulated << qint64(32768) << 0.0049 << 3 << "C"
        << "50"
        << "Equity 50 % against 2 opponents holding random cards\n"
           "Win 48 %, tie 4 % (a pot split k ways counts 1/k)\n"
           "simulated, 32768 deals, \u00B10.49 % at 95 %";
    QTest::newRow("table, exact entry")
        << 0.852037 << 0.849319 << 0.005436 << table << qint64(2097572400) << 0.0 << 2 << "C"
        << "85.2"
        << "Equity 85.2 % against one opponent holding random cards\n"
           "Win 84.93 %, tie 0.54 % (a pot split k ways counts 1/k)\n"
           "pre-flop table: exact, 2097572400 showdowns";
    QTest::newRow("table, simulated entry, 9 opponents")
        << 0.310985 << 0.308855 << 0.004954 << table << qint64(4000000) << 0.00045276 << 10 << "C"
        << "31.1"
        << "Equity 31.1 % against 9 opponents holding random cards\n"
           "Win 30.89 %, tie 0.5 % (a pot split k ways counts 1/k)\n"
           "pre-flop table: simulated, 4000000 deals, \u00B10.05 % at 95 %";
    QTest::newRow("31.25 rounds half up to 31.3")
        << 0.3125 << 0.3 << 0.025 << exact << qint64(990) << 0.0 << 2 << "C"
        << "31.3"
        << "Equity 31.25 % against one opponent holding random cards\n"
           "Win 30 %, tie 2.5 % (a pot split k ways counts 1/k)\n"
           "exact, 990 showdowns";
    QTest::newRow("decimal comma, simulated")
        << 0.726843 << 0.701234 << 0.051 << simulated << qint64(40000) << 0.0049 << 4 << "de_DE"
        << "72,7"
        << "Equity 72,68 % against 3 opponents holding random cards\n"
           "Win 70,12 %, tie 5,1 % (a pot split k ways counts 1/k)\n"
           "simulated, 40000 deals, \u00B10,49 % at 95 %";
}

void TestEquityReadout::texts()
{
    QFETCH(double, equity);
    QFETCH(double, win);
    QFETCH(double, tie);
    QFETCH(int, method);
    QFETCH(qint64, samples);
    QFETCH(double, margin);
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
    result.margin95 = margin;
    const QLocale locale(localeName);
    QCOMPARE(equityReadoutText(result, locale), figure);
    QCOMPARE(equityToolTip(result, players, locale), toolTip);
}

// Saves the card panel with a figure on show, and its tooltip, into TALLOWBY_SHOTS when set.
void TestEquityReadout::renderPanel()
{
    playWith(QStringLiteral("2"), QStringLiteral("Ah Kh Qh 7h 2c"));
    QTRY_COMPARE_WITH_TIMEOUT(FormSelCards->equityText(), QStringLiteral("72.7"), kWorkerTimeout);
    const QString folder = qEnvironmentVariable("TALLOWBY_SHOTS");
    if (folder.isEmpty())
        QSKIP("TALLOWBY_SHOTS names no folder for the pictures");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(FormSelCards->grab().save(folder + QStringLiteral("/card-panel-equity.png")));

    // The tooltip as it shows, drawn the way QToolTip draws it.
    QLabel tip(FormSelCards->equityToolTip());
    tip.setPalette(QToolTip::palette());
    tip.setFont(QToolTip::font());
    tip.setAutoFillBackground(true);
    tip.setFrameStyle(QFrame::Box | QFrame::Plain);
    tip.setMargin(4);
    tip.adjustSize();
    QVERIFY(tip.grab().save(folder + QStringLiteral("/equity-tooltip.png")));
}

QTEST_MAIN(TestEquityReadout)
#include "tst_equityreadout.moc"
