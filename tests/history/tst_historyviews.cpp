// SPDX-License-Identifier: GPL-3.0-or-later
// The history tabs: the two grids' columns and colours, the Hand History and the statistics
// following the card panel, title-click sorting, and the View and Sort History dialogs.
#include "historyfixture.h"

#include "controls.h"
#include "db/dbconnection.h"
#include "db/dbdates.h"
#include "history/filter.h"
#include "history/historygrid.h"
#include "history/holecardfilter.h"
#include "history/newgame.h"
#include "history/sort.h"
#include "panel/gamestatsmodel.h"
#include "panel/selcards.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

namespace {

// Card indexes: spades 1..13, diamonds 14..26, clubs 27..39, hearts 40..52, deuce first.
constexpr int kAceSpades = 13;
constexpr int kKingSpades = 12;
constexpr int kKingDiamonds = 25;
constexpr int kAceHearts = 52;

void setSpin(QWidget *dialog, const char *name, int value)
{
    control<QSpinBox>(dialog, name)->setValue(value);
}

// A click on the title of a table column (numbered as in `History`).
void clickTitle(QTableView *grid, int tableColumn)
{
    QHeaderView *titles = grid->horizontalHeader();
    const int column = historyGridColumn(tableColumn);
    const QPoint middle(titles->sectionViewportPosition(column) + titles->sectionSize(column) / 2,
                        titles->height() / 2);
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {}, middle);
}

// Games on fixed days; the hands are named so that sorting by Hand is easy to read.
const QList<QVariantList> kGames = {
    historyRow(QDate(2008, 2, 29), "Ad", "Kc", "Win", "b"),
    historyRow(QDate(2008, 2, 1), "As", "Ad", "Lose", "d"),
    historyRow(QDate(2008, 3, 1), "Kd", "Qs", "Split", "a"),
    historyRow(QDate(2007, 2, 28), "Ks", "Ah", "Fold", "c"),
    historyRow(QDate(2008, 2, 29), "Kd", "As", "Win", "e"),
    historyRow(QDate(2008, 1, 31), "Jh", "Th", "Draw", "f"),
};

} // namespace

class TestHistoryViews : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void gridColumns();
    void resultColours_data();
    void resultColours();
    void handHistoryFollowsThePanel();
    void statisticsFollowThePanel();
    void titleClicks();
    void aLockedFileGivesOneMessage();

    void filterDialogStartsAtThisYear();
    void filterDialog_data();
    void filterDialog();
    void aDayThatDoesNotExist();
    void filterCancelKeepsTheChoice();
    void sortDialog();
    void sortDialogRefusesAnUnknownColumn();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    ScriptedPrompts &prompts() { return m_program->prompts; }
    void filterWith(const std::function<void()> &choose);

    std::optional<QTemporaryDir> m_dir;
    std::unique_ptr<RunningProgram> m_program;
};

void TestHistoryViews::init()
{
    QLocale::setDefault(QLocale::c());
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_program = std::make_unique<RunningProgram>();
    makeHistoryFile(path("games.mdb"), kGames);
    runWithFile(prompts(), "MenuOpenDatabase", path("games.mdb"));
    QVERIFY(FormTallowby->historyDatabaseOpen());
    prompts().clear();
}

void TestHistoryViews::cleanup()
{
    m_program.reset();
    m_dir.reset();
}

void TestHistoryViews::filterWith(const std::function<void()> &choose)
{
    whileModal(
        FormFilter,
        [&choose] {
            choose();
            control<QPushButton>(FormFilter, "BitBtnOK")->click();
        },
        [] { menuItem("MenuFilter")->trigger(); });
}

void TestHistoryViews::gridColumns()
{
    // Rtg is left out of the grid altogether, so a screen reader counts ten columns too.
    const QStringList titles{"Date", "H1", "H2", "F1", "F2", "F3", "Tn", "Rr", "Hand", "Result"};
    for (QTableView *grid : {FormTallowby->handHistoryGrid(), FormTallowby->gameHistoryGrid()}) {
        const QAbstractItemModel *model = grid->model();
        QCOMPARE(model->columnCount(), titles.size());
        const QList<int> widths = historyColumnWidths(grid->fontMetrics());
        QVERIFY(widths.at(0) >= 65);
        QCOMPARE(widths.mid(1, 8), (QList<int>{25, 25, 25, 25, 25, 25, 25, 0}));
        QVERIFY(widths.at(9) >=
                grid->fontMetrics().horizontalAdvance(QStringLiteral("Two Pair. KK, 99, 4")));
        QCOMPARE(widths.at(10), 46);
        for (int column = 0; column < titles.size(); ++column) {
            QCOMPARE(model->headerData(column, Qt::Horizontal).toString(), titles.at(column));
            QVERIFY(!grid->isColumnHidden(column));
            // Hand takes what the others leave.
            if (column == historyGridColumn(9))
                QVERIFY(grid->columnWidth(column) >= widths.at(9));
            else
                QCOMPARE(grid->columnWidth(column), widths.at(historyTableColumn(column)));
        }
        QVERIFY(!grid->verticalHeader()->isVisible());
        QVERIFY(grid->showGrid());
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(grid->horizontalHeader()->defaultAlignment(), Qt::AlignCenter);
    }

    // The widths stay when the rows are read again.
    QTableView *games = FormTallowby->gameHistoryGrid();
    FormTallowby->findChild<QTabWidget *>(QStringLiteral("PageControl"))->setCurrentIndex(2);
    QApplication::processEvents();
    const int hand = historyGridColumn(9);
    const int handWidth = games->columnWidth(hand);
    clickTitle(games, 9);
    QCOMPARE(FormTallowby->gameHistoryTable().sort(), QStringLiteral("Hand"));
    QCOMPARE(games->model()->columnCount(), titles.size());
    QCOMPARE(games->columnWidth(hand), handWidth);

    // The date in the locale's short format, centred; the hand description on the left.
    FormTallowby->DBGridGHistoryTitleClick(0); // back to newest first
    const QAbstractItemModel *model = games->model();
    const int result = historyGridColumn(10);
    QCOMPARE(model->index(0, 0).data().toString(), shortDateText(QDate(2008, 3, 1)));
    QCOMPARE(model->index(0, 0).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    QCOMPARE(model->index(0, 1).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    QCOMPARE(model->index(0, hand).data(Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignLeft | Qt::AlignVCenter));
    QCOMPARE(model->index(0, result).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    QCOMPARE(model->flags(model->index(0, result)) & Qt::ItemIsEditable, Qt::ItemFlags());
}

void TestHistoryViews::resultColours_data()
{
    QTest::addColumn<QString>("hand"); // the game, by its hand name
    QTest::addColumn<QColor>("colour");
    QTest::newRow("Win") << "b" << QColor(128, 255, 128);
    QTest::newRow("Split") << "a" << QColor(255, 255, 128);
    QTest::newRow("Lose") << "d" << QColor(255, 128, 128);
    QTest::newRow("Fold") << "c" << QColor(128, 255, 255);
    QTest::newRow("Draw, no result word") << "f" << QColor(Qt::white);
}

void TestHistoryViews::resultColours()
{
    QFETCH(QString, hand);
    QFETCH(QColor, colour);
    const QAbstractItemModel *model = FormTallowby->gameHistoryGrid()->model();
    const int row = gridColumn(FormTallowby->gameHistoryGrid(), 9).indexOf(hand);
    QVERIFY(row >= 0);
    QCOMPARE(model->index(row, historyGridColumn(10)).data(Qt::BackgroundRole).value<QColor>(),
             colour);
    for (int column : {0, 1, 7, 9}) {
        const QModelIndex cell = model->index(row, historyGridColumn(column));
        QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
        QCOMPARE(cell.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
    }
}

void TestHistoryViews::handHistoryFollowsThePanel()
{
    const QTableView *hands = FormTallowby->handHistoryGrid();
    QCOMPARE(hands->model()->rowCount(), 0);

    FormSelCards->SelectCard(kAceHearts);
    QCOMPARE(hands->model()->rowCount(), 0); // only H1
    FormSelCards->SelectCard(kKingSpades);
    QCOMPARE(FormTallowby->handHistoryTable().filter(), holeCardFilterText('A', 'K'));
    QCOMPARE(gridHoleCards(hands), (QStringList{"Kd As", "Ad Kc", "Ks Ah"}));

    // The Game History filter never touches it.
    filterWith([] { control<QRadioButton>(FormFilter, "RadioButtonToday")->click(); });
    QCOMPARE(FormTallowby->gameHistoryGrid()->model()->rowCount(), 0);
    QCOMPARE(hands->model()->rowCount(), 3);

    // New Game (not recorded here) keeps the previous hand's list until the next card.
    whileModal(
        FormNewGame, [] {}, [] { FormTallowby->MenuNewGameClick(); });
    QCOMPARE(hands->model()->rowCount(), 3);
    FormSelCards->SelectCard(kAceSpades);
    QCOMPARE(hands->model()->rowCount(), 0);
}

// While another program holds the file, every card click fails to read it: one message says so,
// not one per click; once the file is free again, a new lock is reported again.
void TestHistoryViews::aLockedFileGivesOneMessage()
{
    const int defaultTimeout = DbConnection::busyTimeout();
    QVERIFY(defaultTimeout >= 2000); // a short hold of another program is waited out
    DbConnection::setBusyTimeout(100);
    const auto restore =
        qScopeGuard([defaultTimeout] { DbConnection::setBusyTimeout(defaultTimeout); });
    runWithFile(prompts(), "MenuOpenDatabase", path("games.mdb")); // reopened, waiting briefly
    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "locker");
    const auto remove = qScopeGuard([] { QSqlDatabase::removeDatabase(QStringLiteral("locker")); });
    {
        other.setDatabaseName(path("games.mdb"));
        QVERIFY(other.open());
        QSqlQuery lock(other);
        const auto holdAndClick = [&](const QList<int> &cards) {
            QVERIFY(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            for (const int card : cards)
                FormSelCards->SelectCard(card);
            QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));
        };
        prompts().clear();
        holdAndClick({kAceHearts, kKingSpades, kAceSpades});
        QCOMPARE(prompts().messages.size(), 1);
        QVERIFY2(
            prompts().messages.front().text.contains(QLatin1String("in use by another program")),
            qPrintable(prompts().messages.front().text));

        // Free again: the next click reads the file, and a new hold is a new message.
        whileModal(
            FormNewGame, [] {}, [] { FormTallowby->MenuNewGameClick(); });
        FormSelCards->SelectCard(kAceHearts);
        FormSelCards->SelectCard(kKingSpades);
        QCOMPARE(prompts().messages.size(), 1);
        QCOMPARE(FormTallowby->handHistoryGrid()->model()->rowCount(), 3);
        whileModal(
            FormNewGame, [] {}, [] { FormTallowby->MenuNewGameClick(); });
        holdAndClick({kAceHearts, kKingSpades});
        QCOMPARE(prompts().messages.size(), 2);
        other.close();
    }
    other = QSqlDatabase();
}

void TestHistoryViews::statisticsFollowThePanel()
{
    const GameStatsModel &statistics = FormTallowby->gameStatistics();
    FormSelCards->SelectCard(kAceSpades);
    FormSelCards->SelectCard(kKingDiamonds);
    QCOMPARE(statistics.cell(1, 0), QStringLiteral("As Kd"));
    // "Kd As" counts, "Ad Kc" and "Ks Ah" do not: one win of one game.
    QCOMPARE(statistics.cell(1, 1), QStringLiteral("100"));
    QCOMPARE(statistics.cell(1, 2), QStringLiteral("1"));
    QCOMPARE(statistics.cell(1, 4), QStringLiteral("0"));
    // All games: 2 wins, 1 loss, 1 split, 1 fold; the draw counts nowhere.
    QCOMPARE(statistics.cell(6, 1), QStringLiteral("40"));
    QCOMPARE(statistics.cell(6, 3), QStringLiteral("20"));
    QCOMPARE(statistics.cell(6, 8), QStringLiteral("1"));

    // A game written by another program since the last card counts at the next refresh.
    {
        DbConnection other;
        other.setConnectionString(DbConnection::connectionStringFor(path("games.mdb")));
        DbTable table(other, QStringLiteral("History"));
        table.open();
        table.appendRecord(historyRow(QDate(2009, 1, 1), "As", "Kd", "Lose"));
    }
    FormTallowby->UpdateGameStatistics();
    QCOMPARE(statistics.cell(1, 2), QStringLiteral("1"));
    QCOMPARE(statistics.cell(1, 4), QStringLiteral("1"));
    QCOMPARE(statistics.cell(1, 1), QStringLiteral("50"));

    // With a hole card cleared the figures stay until both are entered again.
    FormSelCards->findChild<QRadioButton *>(QStringLiteral("RadioButtonH2"))->click();
    FormSelCards->SelectCard(0);
    QCOMPARE(statistics.cell(1, 0), QStringLiteral("As Kd"));
    QCOMPARE(statistics.cell(1, 4), QStringLiteral("1"));
}

void TestHistoryViews::titleClicks()
{
    auto *tabs = FormTallowby->findChild<QTabWidget *>(QStringLiteral("PageControl"));
    tabs->setCurrentIndex(2);
    QTableView *games = FormTallowby->gameHistoryGrid();
    QApplication::processEvents();

    // Newest first, the later of two games of a day first.
    QCOMPARE(gridColumn(games, 9), (QStringList{"a", "e", "b", "d", "f", "c"}));
    // The title row shows the sort column (as the table numbers it) and direction in force.
    const auto indicator = [](QTableView *grid) {
        const QHeaderView *titles = grid->horizontalHeader();
        return QStringLiteral("%1 %2")
            .arg(historyTableColumn(titles->sortIndicatorSection()))
            .arg(titles->sortIndicatorOrder() == Qt::DescendingOrder ? "down" : "up");
    };
    QVERIFY(games->horizontalHeader()->isSortIndicatorShown());
    QCOMPARE(indicator(games), QStringLiteral("0 down"));
    clickTitle(games, 9);
    QCOMPARE(FormTallowby->gameHistoryTable().sort(), QStringLiteral("Hand"));
    QCOMPARE(gridColumn(games, 9), (QStringList{"a", "b", "c", "d", "e", "f"}));
    QCOMPARE(indicator(games), QStringLiteral("9 up"));
    clickTitle(games, 0);
    QCOMPARE(FormTallowby->gameHistoryTable().sort(), QStringLiteral("DateP DESC"));
    QCOMPARE(gridColumn(games, 9), (QStringList{"a", "e", "b", "d", "f", "c"}));
    QCOMPARE(indicator(games), QStringLiteral("0 down"));
    clickTitle(games, 0);
    QCOMPARE(gridColumn(games, 9), (QStringList{"c", "f", "d", "b", "e", "a"}));
    QCOMPARE(indicator(games), QStringLiteral("0 up"));
    clickTitle(games, 10);
    QCOMPARE(gridColumn(games, 10), (QStringList{"Win", "Win", "Split", "Lose", "Fold", "Draw"}));
    QCOMPARE(indicator(games), QStringLiteral("10 down"));
    QCOMPARE(indicator(FormTallowby->handHistoryGrid()), QStringLiteral("0 down"));
    // Each grid sorts its own table.
    QCOMPARE(FormTallowby->handHistoryTable().sort(), QStringLiteral("DateP DESC"));
}

void TestHistoryViews::filterDialogStartsAtThisYear()
{
    const int year = QDate::currentDate().year();
    QCOMPARE(FormFilter->windowTitle(), QStringLiteral("View"));
    QVERIFY(control<QRadioButton>(FormFilter, "RadioButtonAll")->isChecked());
    for (const char *name : {"SpinEditDY", "SpinEditMY", "SpinEditSY", "SpinEditEY"}) {
        const QSpinBox *box = control<QSpinBox>(FormFilter, name);
        QCOMPARE(box->minimum(), 1980);
        QCOMPARE(box->maximum(), 2099);
        QCOMPARE(box->value(), year);
        QCOMPARE(box->toolTip(), QStringLiteral("Year"));
        QCOMPARE(box->text(), QString::number(year));
    }
    for (const char *name : {"SpinEditDM", "SpinEditM", "SpinEditSM", "SpinEditEM"}) {
        QCOMPARE(control<QSpinBox>(FormFilter, name)->maximum(), 12);
        QCOMPARE(control<QSpinBox>(FormFilter, name)->toolTip(), QStringLiteral("Month"));
    }
    for (const char *name : {"SpinEditDD", "SpinEditSD", "SpinEditED"})
        QCOMPARE(control<QSpinBox>(FormFilter, name)->maximum(), 31);
    for (QAbstractButton *each : FormFilter->findChildren<QAbstractButton *>())
        QVERIFY2(!each->accessibleName().isEmpty(), qPrintable(each->objectName()));
    for (QSpinBox *each : FormFilter->findChildren<QSpinBox *>())
        QVERIFY2(!each->accessibleName().isEmpty(), qPrintable(each->objectName()));
}

void TestHistoryViews::filterDialog_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QList<int>>("values"); // the boxes of the choice, left to right
    QTest::addColumn<QStringList>("hands"); // the games shown, newest first
    QTest::addColumn<QString>("named");     // the filter as the tab's tooltip names it
    const QString today = shortDateText(QDate::currentDate());
    QTest::newRow("By month, February 2008")
        << "RadioButtonMonth" << QList<int>{2, 2008} << QStringList{"e", "b", "d"}
        << "The games of February 2008";
    QTest::newRow("By month, February 2007") << "RadioButtonMonth" << QList<int>{2, 2007}
                                             << QStringList{"c"} << "The games of February 2007";
    QTest::newRow("By day, 29 February 2008")
        << "RadioButtonDay" << QList<int>{2, 29, 2008} << QStringList{"e", "b"}
        << "The games of " + shortDateText(QDate(2008, 2, 29));
    QTest::newRow("By date, 31 Jan to 29 Feb 2008")
        << "RadioButtonDate" << QList<int>{1, 31, 2008, 2, 29, 2008}
        << QStringList{"e", "b", "d", "f"}
        << "The games from " + shortDateText(QDate(2008, 1, 31)) + " to " +
               shortDateText(QDate(2008, 2, 29));
    QTest::newRow("By date, start after end")
        << "RadioButtonDate" << QList<int>{3, 1, 2008, 2, 1, 2008} << QStringList{}
        << "The games from " + shortDateText(QDate(2008, 3, 1)) + " to " +
               shortDateText(QDate(2008, 2, 1));
    QTest::newRow("Today's games")
        << "RadioButtonToday" << QList<int>{} << QStringList{} << "Today's games (" + today + ")";
}

void TestHistoryViews::filterDialog()
{
    QFETCH(QString, choice);
    QFETCH(QList<int>, values);
    QFETCH(QStringList, hands);
    QFETCH(QString, named);
    const QMap<QString, QStringList> boxes{
        {"RadioButtonDay", {"SpinEditDM", "SpinEditDD", "SpinEditDY"}},
        {"RadioButtonMonth", {"SpinEditM", "SpinEditMY"}},
        {"RadioButtonDate",
         {"SpinEditSM", "SpinEditSD", "SpinEditSY", "SpinEditEM", "SpinEditED", "SpinEditEY"}},
    };
    const QTableView *games = FormTallowby->gameHistoryGrid();
    filterWith([&] {
        control<QRadioButton>(FormFilter, choice.toLatin1())->click();
        const QStringList names = boxes.value(choice);
        for (int i = 0; i < values.size(); ++i)
            setSpin(FormFilter, names.at(i).toLatin1(), values.at(i));
    });
    QVERIFY2(prompts().messages.isEmpty(), qPrintable(prompts().texts().join('\n')));
    QCOMPARE(gridColumn(games, 9), hands);
    QCOMPARE(FormTallowby->gameHistoryCaption(), QStringLiteral("Game History (filtered)"));
    // The sign of the filter leaves every tab whole, with no scrolling of the tab bar.
    const QTabBar *tabs =
        FormTallowby->findChild<QTabWidget *>(QStringLiteral("PageControl"))->tabBar();
    QVERIFY(!tabs->tabIcon(2).isNull());
    for (int tab = 0; tab < tabs->count(); ++tab)
        QVERIFY2(tabs->rect().contains(tabs->tabRect(tab)), qPrintable(tabs->tabText(tab)));
    QVERIFY2(FormTallowby->gameHistoryToolTip().contains(named),
             qPrintable(FormTallowby->gameHistoryToolTip()));

    // The choice stays for the next file, and the tab keeps saying so; "All games" shows every
    // game again.
    runWithFile(prompts(), "MenuOpenDatabase", path("games.mdb"));
    QCOMPARE(gridColumn(games, 9), hands);
    QCOMPARE(FormTallowby->gameHistoryCaption(), QStringLiteral("Game History (filtered)"));
    QVERIFY(FormTallowby->gameHistoryToolTip().contains(named));
    filterWith([] { control<QRadioButton>(FormFilter, "RadioButtonAll")->click(); });
    QCOMPARE(games->model()->rowCount(), kGames.size());
    QCOMPARE(FormTallowby->gameHistoryCaption(), QStringLiteral("Game History"));
    QCOMPARE(FormTallowby->gameHistoryToolTip(), QString());
}

void TestHistoryViews::aDayThatDoesNotExist()
{
    filterWith([] {
        control<QRadioButton>(FormFilter, "RadioButtonMonth")->click();
        setSpin(FormFilter, "SpinEditM", 2);
        setSpin(FormFilter, "SpinEditMY", 2008);
    });
    const QString inForce = FormTallowby->gameHistoryTable().filter();

    bool stayedOpen = false;
    whileModal(
        FormFilter,
        [&stayedOpen] {
            control<QRadioButton>(FormFilter, "RadioButtonDay")->click();
            setSpin(FormFilter, "SpinEditDM", 4);
            setSpin(FormFilter, "SpinEditDD", 31);
            setSpin(FormFilter, "SpinEditDY", 2026);
            control<QPushButton>(FormFilter, "BitBtnOK")->click();
            stayedOpen = FormFilter->isVisible();
        },
        [] { menuItem("MenuFilter")->trigger(); });
    QVERIFY(stayedOpen);
    QCOMPARE(prompts().messages.size(), 1);
    QCOMPARE(prompts().messages.first().kind, ScriptedPrompts::Message::Warning);
    QCOMPARE(prompts().messages.first().text,
             QStringLiteral("There is no day 31 in April 2026: that month has 30 days. The "
                            "filter in force stays as it is."));
    QCOMPARE(FormTallowby->gameHistoryTable().filter(), inForce);
    QVERIFY(FormTallowby->gameHistoryTable().isFiltered());
    QCOMPARE(gridColumn(FormTallowby->gameHistoryGrid(), 9), (QStringList{"e", "b", "d"}));
}

void TestHistoryViews::filterCancelKeepsTheChoice()
{
    filterWith([] {
        control<QRadioButton>(FormFilter, "RadioButtonMonth")->click();
        setSpin(FormFilter, "SpinEditM", 2);
        setSpin(FormFilter, "SpinEditMY", 2008);
    });
    whileModal(
        FormFilter,
        [] {
            control<QRadioButton>(FormFilter, "RadioButtonDay")->click();
            setSpin(FormFilter, "SpinEditMY", 1999);
            control<QPushButton>(FormFilter, "BitBtnCancel")->click();
        },
        [] { menuItem("MenuFilter")->trigger(); });
    QCOMPARE(gridColumn(FormTallowby->gameHistoryGrid(), 9), (QStringList{"e", "b", "d"}));
    // The next opening shows the choice in force.
    QVERIFY(control<QRadioButton>(FormFilter, "RadioButtonMonth")->isChecked());
    QCOMPARE(control<QSpinBox>(FormFilter, "SpinEditMY")->value(), 2008);
}

void TestHistoryViews::sortDialog()
{
    FormSelCards->SelectCard(kAceHearts);
    FormSelCards->SelectCard(kKingSpades);
    QCOMPARE(FormSort->windowTitle(), QStringLiteral("Sort History"));
    auto *combo = control<QComboBox>(FormSort, "ComboBoxSortBy");
    QCOMPARE(combo->count(), 10);
    QCOMPARE(combo->currentText(), QStringLiteral("Date"));
    QVERIFY(combo->isEditable());
    QVERIFY(control<QRadioButton>(FormSort, "RadioButtonDesc")->isChecked());

    whileModal(
        FormSort,
        [combo] {
            combo->setCurrentText(QStringLiteral("result"));
            control<QRadioButton>(FormSort, "RadioButtonAsc")->click();
            control<QPushButton>(FormSort, "BitBtnOK")->click();
        },
        [] { menuItem("MenuSort")->trigger(); });
    QVERIFY(prompts().messages.isEmpty());
    QCOMPARE(FormTallowby->gameHistoryTable().sort(), QStringLiteral("Result"));
    QCOMPARE(FormTallowby->handHistoryTable().sort(), QStringLiteral("Result"));
    QCOMPARE(gridColumn(FormTallowby->gameHistoryGrid(), 10),
             (QStringList{"Draw", "Fold", "Lose", "Split", "Win", "Win"}));
    QCOMPARE(gridColumn(FormTallowby->handHistoryGrid(), 10), (QStringList{"Fold", "Win", "Win"}));
    QCOMPARE(combo->currentText(), QStringLiteral("Result"));

    // A title click goes on from the order the dialog set.
    FormTallowby->DBGridHHistoryTitleClick(9);
    QCOMPARE(FormTallowby->handHistoryTable().sort(), QStringLiteral("Hand DESC"));
}

void TestHistoryViews::sortDialogRefusesAnUnknownColumn()
{
    auto *combo = control<QComboBox>(FormSort, "ComboBoxSortBy");
    bool stayedOpen = false;
    whileModal(
        FormSort,
        [combo, &stayedOpen] {
            combo->setCurrentText(QStringLiteral("Rating"));
            control<QPushButton>(FormSort, "BitBtnOK")->click();
            stayedOpen = FormSort->isVisible();
        },
        [] { menuItem("MenuSort")->trigger(); });
    QVERIFY(stayedOpen);
    QCOMPARE(prompts().messages.size(), 1);
    QVERIFY(prompts().messages.first().text.contains(QStringLiteral("“Rating”")));
    QCOMPARE(FormTallowby->gameHistoryTable().sort(), QStringLiteral("DateP DESC"));
    // Cancel shows the choice in force again.
    QCOMPARE(combo->currentText(), QStringLiteral("Date"));
}

QTEST_MAIN(TestHistoryViews)
#include "tst_historyviews.moc"
