// SPDX-License-Identifier: GPL-3.0-or-later
// The game history graph window: the mode and type boxes with their checks, the axis and scroll
// ranges each type sets, the scroll rule, "Percent (%)", the bars drawn from the chosen view, the
// settings kept between openings and the counts taken afresh at each. Saves a picture of every
// chart type into the folder named by TALLOWBY_SHOTS.
#include "controls.h"
#include "db/dbconnection.h"
#include "db/dbfiles.h"
#include "db/dbtable.h"
#include "scriptedprompts.h"
#include "tools/gamehistorygraph.h"

#include <QBarSet>
#include <QCategoryAxis>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHorizontalStackedBarSeries>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace tallowby;

namespace {

QString card(int rank, int suit)
{
    return QString(QStringLiteral("23456789TJQKA")[rank]) + QStringLiteral("sdch")[suit];
}

} // namespace

class TestGraph : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsOnCardsOfTheGameHistory();
    void eachTypeSetsItsRanges_data();
    void eachTypeSetsItsRanges();
    void switchingToTheHandHistory();
    void aTypedModeIsChecked_data();
    void aTypedModeIsChecked();
    void aTypedTypeThatIsNoItemIsIgnored();
    void scrollingTheLongCharts();
    void percentKeepsScrollAndRanges();
    void barsCarryTheirColours();
    void settingsStayAndCountsRenewBetweenOpenings();
    void controlsHaveAccessibleNames();
    void pictures();

private:
    void chooseMode(const QString &name);
    void chooseType(const QString &name);
    void typeInto(QComboBox *combo, const QString &text);
    int countOf(const QString &label) const;
    void addGame(const char *h1, const char *h2, int rating, const char *result);

    std::optional<QTemporaryDir> m_dir;
    std::optional<ScriptedPrompts> m_prompts;
    std::optional<DbConnection> m_connection;
    std::optional<DbTable> m_game;
    std::optional<DbTable> m_hand;
    std::optional<TFormGraph> m_graph;
};

void TestGraph::init()
{
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_prompts.emplace();
    const QString file = m_dir->filePath(QStringLiteral("history.mdb"));
    createDatabaseFile(file);
    m_connection.emplace();
    m_connection->setConnectionString(DbConnection::connectionStringFor(file));
    executeCommand(*m_connection,
                   QStringLiteral("CREATE TABLE History (DateP DATE, H1 TEXT(2), H2 TEXT(2), F1 "
                                  "TEXT(2), F2 TEXT(2), F3 TEXT(2), Tn TEXT(2), Rr TEXT(2), Rtg "
                                  "NUMBER, Hand TEXT(30), Result TEXT(5))"));
    m_game.emplace(*m_connection, QStringLiteral("History"));
    m_game->open();
    // 60 games spread over ranks, suits, hand types and results; every fifth an ace and a king.
    {
        DbTransaction together(*m_connection);
        const char *results[] = {"Win", "Lose", "Split", "Fold", "Win"};
        for (int i = 0; i < 60; ++i) {
            const bool aceKing = i % 5 == 0;
            const QString h1 = aceKing ? card(12, i % 4) : card(i % 13, i % 4);
            const QString h2 =
                aceKing ? card(11, (i / 5) % 4) : card((i * 7 + 3) % 13, (i / 3) % 4);
            const int category = (i * 5) % 9;
            const QString none = QStringLiteral("--");
            m_game->appendRecord({QDate(2024, 6, 1 + i % 28), h1, h2, none, none, none, none, none,
                                  category * 0x100000 + 0xC9000, QStringLiteral("High Card."),
                                  QString::fromLatin1(results[i % 5])});
        }
        together.commit();
    }
    m_game->setSort(QStringLiteral("DateP DESC"));
    m_hand.emplace(*m_connection, QStringLiteral("History"));
    m_hand->open();
    m_hand->setFilter(QStringLiteral("(H1 >= 'A' AND H1 <= 'Az' AND H2 >= 'K' AND H2 <= 'Kz')"));
    m_hand->setFiltered(true);

    m_graph.emplace();
    m_graph->setTables(&*m_game, &*m_hand);
    m_graph->show();
    QVERIFY(QTest::qWaitForWindowExposed(&*m_graph));
}

void TestGraph::cleanup()
{
    m_graph.reset();
    m_hand.reset();
    m_game.reset();
    m_connection.reset();
    m_prompts.reset();
    m_dir.reset();
}

void TestGraph::addGame(const char *h1, const char *h2, int rating, const char *result)
{
    const QString none = QStringLiteral("--");
    m_game->appendRecord({QDate(2024, 7, 1), QString::fromLatin1(h1), QString::fromLatin1(h2), none,
                          none, none, none, none, rating, QStringLiteral("High Card."),
                          QString::fromLatin1(result)});
}

// As the user picks an item from the list.
void TestGraph::chooseMode(const QString &name)
{
    auto *combo = control<QComboBox>(*m_graph, "ComboBoxMode");
    const int item = combo->findText(name);
    QVERIFY(item >= 0);
    combo->setCurrentIndex(item);
    Q_EMIT combo->activated(item);
}

void TestGraph::chooseType(const QString &name)
{
    auto *combo = control<QComboBox>(*m_graph, "ComboBoxType");
    const int item = combo->findText(name);
    QVERIFY2(item >= 0, qPrintable(name));
    combo->setCurrentIndex(item);
    Q_EMIT combo->activated(item);
}

// As the user types over the box's text and presses Enter.
void TestGraph::typeInto(QComboBox *combo, const QString &text)
{
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), text);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
}

int TestGraph::countOf(const QString &label) const
{
    for (const GraphBar &bar : m_graph->bars()) {
        if (bar.label == label)
            return bar.count;
    }
    return -1;
}

void TestGraph::startsOnCardsOfTheGameHistory()
{
    QCOMPARE(m_graph->windowTitle(), QStringLiteral("Game History Graph"));
    QCOMPARE(m_graph->size(), QSize(TFormGraph::kClientWidth, TFormGraph::kClientHeight));
    auto *mode = control<QComboBox>(*m_graph, "ComboBoxMode");
    auto *type = control<QComboBox>(*m_graph, "ComboBoxType");
    QCOMPARE(mode->currentText(), QStringLiteral("Game History"));
    QCOMPARE(type->count(), 6);
    QCOMPARE(type->currentText(), QStringLiteral("Card"));
    QCOMPARE(type->maxVisibleItems(), 15);
    QVERIFY(mode->isEditable() && type->isEditable());
    QVERIFY(!control<QCheckBox>(*m_graph, "CheckBoxAvg")->isChecked());

    QCOMPARE(m_graph->bars().size(), 13);
    QCOMPARE(m_graph->bars().first().label, QStringLiteral("A"));
    // 12 ace-king games add an ace each, and the other hole cards add more.
    int total = 0;
    for (const GraphBar &bar : m_graph->bars())
        total += bar.count;
    QVERIFY(countOf(QStringLiteral("A")) >= 12);
    QVERIFY(total > 60 && total <= 120);
    QCOMPARE(m_graph->leftAxisRange().min, 0.0);
    QCOMPARE(m_graph->leftAxisRange().max, 14.0);
    auto *scroll = control<QScrollBar>(*m_graph, "ScrollBarGS");
    QCOMPARE(scroll->minimum(), 0);
    QCOMPARE(scroll->maximum(), 14);
    QCOMPARE(scroll->value(), 14);
}

void TestGraph::eachTypeSetsItsRanges_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("bars");
    QTest::addColumn<double>("axisMax");
    QTest::addColumn<int>("scrollMax");
    QTest::newRow("Card") << "Card" << 13 << 14.0 << 14;
    QTest::newRow("Hand (suited)") << "Hand (suited)" << 78 << 13.0 << 79;
    QTest::newRow("Hand (offsuit)") << "Hand (offsuit)" << 78 << 13.0 << 79;
    QTest::newRow("Hand Type") << "Hand Type" << 9 << 10.0 << 10;
    QTest::newRow("Pocket Pair") << "Pocket Pair" << 13 << 14.0 << 14;
    QTest::newRow("Result") << "Result" << 4 << 5.0 << 5;
}

void TestGraph::eachTypeSetsItsRanges()
{
    QFETCH(QString, type);
    QFETCH(int, bars);
    QFETCH(double, axisMax);
    QFETCH(int, scrollMax);
    // Start from a scrolled chart of another type.
    chooseType(QStringLiteral("Hand (offsuit)"));
    control<QScrollBar>(*m_graph, "ScrollBarGS")->setValue(3);

    chooseType(type);
    QCOMPARE(m_graph->bars().size(), bars);
    QCOMPARE(m_graph->leftAxisRange().min, 0.0);
    QCOMPARE(m_graph->leftAxisRange().max, axisMax);
    auto *scroll = control<QScrollBar>(*m_graph, "ScrollBarGS");
    QCOMPARE(scroll->maximum(), scrollMax);
    QCOMPARE(scroll->value(), scrollMax);

    // The chart's own axis carries a label at each bar's height.
    auto *view = control<QChartView>(*m_graph, "ChartGameStats");
    auto *axis = qobject_cast<QCategoryAxis *>(view->chart()->axes(Qt::Vertical).value(0));
    QVERIFY(axis);
    const int inView = std::min(bars, int(axisMax));
    QCOMPARE(axis->count(), inView);
    QCOMPARE(axis->endValue(m_graph->bars().first().label), 1.0);
    QCOMPARE(axis->endValue(m_graph->bars().at(inView - 1).label), double(inView));
}

void TestGraph::switchingToTheHandHistory()
{
    chooseType(QStringLiteral("Pocket Pair"));
    chooseMode(QStringLiteral("Hand History"));
    auto *type = control<QComboBox>(*m_graph, "ComboBoxType");
    QCOMPARE(type->count(), 2);
    QCOMPARE(type->itemText(0), QStringLiteral("Hand Type"));
    QCOMPARE(type->itemText(1), QStringLiteral("Result"));
    QCOMPARE(type->currentText(), QStringLiteral("Hand Type"));
    QCOMPARE(m_graph->leftAxisRange().max, 10.0);
    QCOMPARE(control<QScrollBar>(*m_graph, "ScrollBarGS")->maximum(), 10);
    // The hand history holds the twelve ace-king games only.
    int total = 0;
    for (const GraphBar &bar : m_graph->bars())
        total += bar.count;
    QCOMPARE(total, 12);

    chooseType(QStringLiteral("Result"));
    QCOMPARE(countOf(QStringLiteral("Win")), 12); // every fifth game is a win
    QCOMPARE(countOf(QStringLiteral("Lose")), 0);

    chooseMode(QStringLiteral("Game History"));
    QCOMPARE(type->count(), 6);
    QCOMPARE(type->currentText(), QStringLiteral("Card"));
    QCOMPARE(m_graph->bars().size(), 13);
    QVERIFY(m_prompts->messages.isEmpty());
}

void TestGraph::aTypedModeIsChecked_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("Nonsense") << "Nonsense" << false;
    QTest::newRow("Hand History!") << "Hand History!" << false;
    QTest::newRow("Hand Hist, completed") << "Hand Hist" << true;
    QTest::newRow("hand history, lower case") << "hand history" << true;
    QTest::newRow("Hand History") << "Hand History" << true;
}

void TestGraph::aTypedModeIsChecked()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    chooseType(QStringLiteral("Result"));
    const QList<GraphBar> before = m_graph->bars();
    auto *mode = control<QComboBox>(*m_graph, "ComboBoxMode");

    typeInto(mode, typed);

    auto *type = control<QComboBox>(*m_graph, "ComboBoxType");
    if (accepted) {
        QVERIFY(m_prompts->messages.isEmpty());
        QCOMPARE(mode->currentText(), QStringLiteral("Hand History"));
        QCOMPARE(type->count(), 2);
        QCOMPARE(m_graph->bars().size(), 9);
        return;
    }
    QCOMPARE(m_prompts->messages.size(), 1);
    QCOMPARE(m_prompts->messages.first().kind, ScriptedPrompts::Message::Error);
    QCOMPARE(m_prompts->messages.first().text, QStringLiteral("Invalid option"));
    // Nothing else changed: the type list, the chart and its ranges.
    QCOMPARE(type->count(), 6);
    QCOMPARE(type->currentText(), QStringLiteral("Result"));
    QCOMPARE(m_graph->bars().size(), before.size());
    QCOMPARE(m_graph->leftAxisRange().max, 5.0);
    // Leaving the box does not ask again.
    control<QCheckBox>(*m_graph, "CheckBoxAvg")->setFocus();
    QCOMPARE(m_prompts->messages.size(), 1);
    // The next opening goes back to the mode in force and counts its view again.
    m_graph->hide();
    m_graph->show();
    QCOMPARE(mode->currentText(), QStringLiteral("Game History"));
    QCOMPARE(type->currentText(), QStringLiteral("Result"));
    QCOMPARE(m_graph->bars().size(), 4);
    QCOMPARE(m_prompts->messages.size(), 1);
}

void TestGraph::aTypedTypeThatIsNoItemIsIgnored()
{
    chooseType(QStringLiteral("Hand (suited)"));
    control<QScrollBar>(*m_graph, "ScrollBarGS")->setValue(40);
    const AxisRange shown = m_graph->leftAxisRange();
    const QList<GraphBar> before = m_graph->bars();
    auto *type = control<QComboBox>(*m_graph, "ComboBoxType");

    typeInto(type, QStringLiteral("Hand (sorted)"));
    QVERIFY(m_prompts->messages.isEmpty());
    QCOMPARE(m_graph->bars().size(), before.size());
    QCOMPARE(m_graph->leftAxisRange().min, shown.min);
    QCOMPARE(m_graph->leftAxisRange().max, shown.max);

    // "Percent (%)" now counts with no type chosen: the chart has no bars.
    control<QCheckBox>(*m_graph, "CheckBoxAvg")->click();
    QVERIFY(m_graph->bars().isEmpty());
    QCOMPARE(m_graph->leftAxisRange().max, shown.max);

    // A type typed as it is listed is taken, whatever the letter case.
    typeInto(type, QStringLiteral("pocket pair"));
    QCOMPARE(type->currentText(), QStringLiteral("Pocket Pair"));
    QCOMPARE(m_graph->bars().size(), 13);
    QCOMPARE(m_graph->leftAxisRange().max, 14.0);
}

void TestGraph::scrollingTheLongCharts()
{
    chooseType(QStringLiteral("Hand (suited)"));
    auto *scroll = control<QScrollBar>(*m_graph, "ScrollBarGS");
    QCOMPARE(scroll->value(), 79);
    const auto shownAfter = [&](int stepsUp) {
        scroll->setValue(79 - stepsUp);
        return std::pair(m_graph->leftAxisRange().min, m_graph->leftAxisRange().max);
    };
    QCOMPARE(shownAfter(1), std::pair(0.0, 13.0));
    QCOMPARE(shownAfter(13), std::pair(0.0, 13.0));
    QCOMPARE(shownAfter(14), std::pair(1.0, 14.0));
    QCOMPARE(shownAfter(79), std::pair(66.0, 79.0));
    // Only the bars in view carry labels: 74 at 66 up to 32 at 78.
    auto *view = control<QChartView>(*m_graph, "ChartGameStats");
    auto *axis = qobject_cast<QCategoryAxis *>(view->chart()->axes(Qt::Vertical).value(0));
    QCOMPARE(axis->categoriesLabels().first(), QStringLiteral("74"));
    QCOMPARE(axis->categoriesLabels().last(), QStringLiteral("32"));
    QCOMPARE(axis->endValue(QStringLiteral("32")), 78.0);
    QCOMPARE(shownAfter(0), std::pair(0.0, 13.0));
    // Moved by the keyboard as well.
    scroll->setFocus();
    QTest::keyClick(scroll, Qt::Key_Home);
    QCOMPARE(std::pair(m_graph->leftAxisRange().min, m_graph->leftAxisRange().max),
             std::pair(66.0, 79.0));
}

void TestGraph::percentKeepsScrollAndRanges()
{
    chooseType(QStringLiteral("Card"));
    const QList<GraphBar> counts = m_graph->bars();
    chooseType(QStringLiteral("Hand (offsuit)"));
    auto *scroll = control<QScrollBar>(*m_graph, "ScrollBarGS");
    scroll->setValue(50);
    const AxisRange shown = m_graph->leftAxisRange();

    control<QCheckBox>(*m_graph, "CheckBoxAvg")->click();
    QCOMPARE(scroll->value(), 50);
    QCOMPARE(m_graph->leftAxisRange().min, shown.min);
    QCOMPARE(m_graph->leftAxisRange().max, shown.max);
    double sum = 0;
    for (const GraphBar &bar : m_graph->bars())
        sum += bar.value;
    QVERIFY(qFuzzyCompare(sum, 100.0));

    // Card percentages are the counts' shares of all hole cards counted, unrounded.
    chooseType(QStringLiteral("Card"));
    int total = 0;
    for (const GraphBar &bar : counts)
        total += bar.count;
    for (int k = 0; k < counts.size(); ++k)
        QCOMPARE(m_graph->bars().at(k).value, double(counts.at(k).count) / total * 100);
}

void TestGraph::barsCarryTheirColours()
{
    chooseType(QStringLiteral("Hand Type"));
    auto *view = control<QChartView>(*m_graph, "ChartGameStats");
    auto *series = qobject_cast<QHorizontalStackedBarSeries *>(view->chart()->series().value(0));
    QVERIFY(series);
    QCOMPARE(series->barWidth(), 0.35);
    // Each bar stands at its height, in its own colour.
    for (const GraphBar &bar : m_graph->bars()) {
        QBarSet *own = nullptr;
        for (QBarSet *set : series->barSets()) {
            if (set->color() == bar.colour)
                own = set;
        }
        QVERIFY2(own, qPrintable(bar.label));
        QCOMPARE(own->at(bar.height), bar.value);
    }
    QCOMPARE(series->barSets().size(), 9);
    chooseType(QStringLiteral("Result"));
    QCOMPARE(series->barSets().size(), 4);
    chooseType(QStringLiteral("Pocket Pair"));
    QCOMPARE(series->barSets().size(), 1);
    QCOMPARE(series->barSets().first()->color(), QColor(0, 213, 213));
}

void TestGraph::settingsStayAndCountsRenewBetweenOpenings()
{
    chooseType(QStringLiteral("Result"));
    control<QCheckBox>(*m_graph, "CheckBoxAvg")->click();
    const double winsBefore = m_graph->bars().first().value;
    m_graph->hide();

    addGame("2c", "3d", 0x1A0000, "Win");
    addGame("4c", "5d", 0x1A0000, "Win");
    m_graph->show();

    QCOMPARE(control<QComboBox>(*m_graph, "ComboBoxType")->currentText(), QStringLiteral("Result"));
    QVERIFY(control<QCheckBox>(*m_graph, "CheckBoxAvg")->isChecked());
    QCOMPARE(m_graph->bars().first().count, 26);
    QCOMPARE(m_graph->bars().first().value, 26.0 / 62 * 100);
    QVERIFY(m_graph->bars().first().value > winsBefore);

    // A type left typed over and never taken does not keep the old bars on show.
    auto *type = control<QComboBox>(*m_graph, "ComboBoxType");
    typeInto(type, QStringLiteral("Bogus"));
    m_graph->hide();
    addGame("6c", "7d", 0x1A0000, "Win");
    m_graph->show();
    QCOMPARE(type->currentText(), QStringLiteral("Result"));
    QCOMPARE(m_graph->bars().first().count, 27);
}

void TestGraph::controlsHaveAccessibleNames()
{
    for (QWidget *widget : m_graph->findChildren<QWidget *>()) {
        if (widget->focusPolicy() != Qt::NoFocus && widget->parentWidget() == &*m_graph)
            QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
    }
}

void TestGraph::pictures()
{
    const QString folder = qEnvironmentVariable("TALLOWBY_SHOTS");
    if (folder.isEmpty())
        QSKIP("Set TALLOWBY_SHOTS to a folder to save the pictures.");
    QDir().mkpath(folder);
    const auto save = [&](const QString &name) {
        QTest::qWait(50); // the chart lays its axes out when the events run
        QVERIFY(m_graph->grab().save(QDir(folder).filePath(name + QStringLiteral(".png"))));
    };
    const QStringList types = {"Card",      "Hand (suited)", "Hand (offsuit)",
                               "Hand Type", "Pocket Pair",   "Result"};
    for (const QString &type : types) {
        chooseType(type);
        save(QStringLiteral("game-") + type.toLower()
                                           .remove(QLatin1Char('('))
                                           .remove(QLatin1Char(')'))
                                           .replace(QLatin1Char(' '), QLatin1Char('-')));
    }
    chooseType(QStringLiteral("Hand (offsuit)"));
    control<QScrollBar>(*m_graph, "ScrollBarGS")->setValue(0);
    save(QStringLiteral("game-hand-offsuit-top"));
    control<QCheckBox>(*m_graph, "CheckBoxAvg")->click();
    chooseType(QStringLiteral("Card"));
    save(QStringLiteral("game-card-percent"));
    chooseMode(QStringLiteral("Hand History"));
    save(QStringLiteral("hand-hand-type-percent"));
    control<QCheckBox>(*m_graph, "CheckBoxAvg")->click();
    chooseType(QStringLiteral("Result"));
    save(QStringLiteral("hand-result"));
}

QTEST_MAIN(TestGraph)
#include "tst_graph.moc"
