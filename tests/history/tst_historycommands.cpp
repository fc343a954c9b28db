// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands that bring games in and take them out: Import Hand Histories with
// its summary, Export History, deleting games in either grid with undo, and watching a folder,
// remembered for the next start.
#include "historyfixture.h"

#include "app/watchsetting.h"
#include "history/handhistorywatcher.h"
#include "panel/gamestatsmodel.h"

#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

namespace {

// Card indexes: spades 1..13, diamonds 14..26, deuce first.
constexpr int kAceSpades = 13;
constexpr int kKingDiamonds = 25;

QString sample(const char *name)
{
    return QStringLiteral(TALLOWBY_IMPORT_DATA "/") + QLatin1String(name);
}

const QList<QVariantList> kGames = {
    historyRow(QDate(2008, 2, 29), "Ad", "Kc", "Win", "b"),
    historyRow(QDate(2008, 2, 1), "As", "Kd", "Lose", "d"),
    historyRow(QDate(2008, 3, 1), "Kd", "Qs", "Split", "a"),
    historyRow(QDate(2007, 2, 28), "As", "Kd", "Fold", "c"),
};

QAction *gridAction(QTableView *grid, const char *what)
{
    return grid->findChild<QAction *>(grid->objectName() + QLatin1String(what));
}

// Selects the rows of the grid, as Ctrl+clicks would.
void selectRows(QTableView *grid, const QList<int> &rows)
{
    grid->clearSelection();
    for (int row : rows)
        grid->selectionModel()->select(grid->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

} // namespace

class TestHistoryCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void importShowsTheSummary();
    void importReportsAnUnreadablePart();
    void exportWritesTheViewOnShow_data();
    void exportWritesTheViewOnShow();
    void deleteAndUndo_data();
    void deleteAndUndo();
    void undoBelongsToItsFile();
    void watchingAFolder();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    ScriptedPrompts &prompts() { return m_program->prompts; }
    int games() const { return FormTallowby->gameHistoryGrid()->model()->rowCount(); }
    // Wins, losses, splits and folds of all games in the statistics.
    static int counted()
    {
        int sum = 0;
        for (int row : {2, 4, 6, 8})
            sum += FormTallowby->gameStatistics().cell(6, row).toInt();
        return sum;
    }

    std::optional<QTemporaryDir> m_dir;
    std::unique_ptr<RunningProgram> m_program;
};

void TestHistoryCommands::init()
{
    QLocale::setDefault(QLocale::c());
    rememberHandHistoryFolder(QString());
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_program = std::make_unique<RunningProgram>();
    makeHistoryFile(path("games.mdb"), kGames);
    runWithFile(prompts(), "MenuOpenDatabase", path("games.mdb"));
    QVERIFY(FormTallowby->historyDatabaseOpen());
    prompts().clear();
}

void TestHistoryCommands::cleanup()
{
    m_program.reset();
    m_dir.reset();
    rememberHandHistoryFolder(QString());
}

// Both views and the statistics follow the import at once; the same files again add nothing.
void TestHistoryCommands::importShowsTheSummary()
{
    FormSelCards->SelectCard(kAceSpades);
    FormSelCards->SelectCard(kKingDiamonds);
    const int handRows = FormTallowby->handHistoryGrid()->model()->rowCount();
    const QStringList files{sample("cash_usd.txt"), sample("other_games.txt")};
    for (int round = 0; round < 2; ++round) {
        prompts().clear();
        for (const QString &file : files)
            prompts().fileNames.enqueue(file);
        menuItem("MenuImportHandHistories")->trigger();
        QCOMPARE(prompts().fileCaptions, QStringList{"Import Hand Histories..."});
        QCOMPARE(prompts().messages.size(), 1);
        QCOMPARE(prompts().messages.first().kind, ScriptedPrompts::Message::Information);
        const QString summary = prompts().messages.first().text;
        QVERIFY2(summary.contains(round == 0 ? "Games imported: 11" : "Games imported: 0"),
                 qPrintable(summary));
        QCOMPARE(games(), int(kGames.size()) + 11);
    }
    // "Dealt to Bob [Ah Kd]" is one of them: the Hand History of the panel's As Kd holds it
    // too; the statistics of all games count every game.
    QVERIFY(FormTallowby->handHistoryGrid()->model()->rowCount() > handRows);
    QCOMPARE(counted(), int(kGames.size()) + 11);
}

void TestHistoryCommands::importReportsAnUnreadablePart()
{
    prompts().fileNames.enqueue(sample("truncated.txt"));
    menuItem("MenuImportHandHistories")->trigger();
    QCOMPARE(prompts().messages.size(), 1);
    QCOMPARE(prompts().messages.first().kind, ScriptedPrompts::Message::Warning);
    QVERIFY2(prompts().messages.first().text.contains("truncated.txt"),
             qPrintable(prompts().messages.first().text));
}

void TestHistoryCommands::exportWritesTheViewOnShow_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("rows");
    QTest::newRow("Game History") << 2 << "Export Game History..." << int(kGames.size());
    QTest::newRow("Hand History of As Kd") << 1 << "Export Hand History..." << 3;
    QTest::newRow("another tab gives the Game History")
        << 0 << "Export Game History..." << int(kGames.size());
}

void TestHistoryCommands::exportWritesTheViewOnShow()
{
    QFETCH(int, tab);
    QFETCH(QString, caption);
    QFETCH(int, rows);
    FormSelCards->SelectCard(kAceSpades);
    FormSelCards->SelectCard(kKingDiamonds);
    FormTallowby->findChild<QTabWidget *>(QStringLiteral("PageControl"))->setCurrentIndex(tab);
    // A name typed without extension gets ".csv".
    runWithFile(prompts(), "MenuExportHistory", path("out"));
    QVERIFY2(prompts().messages.isEmpty(), qPrintable(prompts().texts().join('\n')));
    QCOMPARE(prompts().fileCaptions, QStringList{caption});
    QFile file(path("out.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
    QCOMPARE(lines.size(), 1 + rows);
    QVERIFY2(lines.first().startsWith("Date,H1,H2"), lines.first().constData());
    // Newest first, as the view shows them.
    QVERIFY2(lines.at(1).startsWith(tab == 1 ? "2008-02-29," : "2008-03-01,"),
             lines.at(1).constData());
}

void TestHistoryCommands::deleteAndUndo_data()
{
    QTest::addColumn<bool>("handHistory");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("left");
    QTest::addColumn<bool>("byKeys"); // Delete and Ctrl+Z in the grid, or the context menu
    const int yes = int(Prompts::Answer::Yes);
    const int no = int(Prompts::Answer::No);
    QTest::newRow("one game, Game History")
        << false << QList<int>{0} << yes << "Delete 1 game(s)" << 3 << false;
    QTest::newRow("three games, Game History")
        << false << QList<int>{0, 2, 3} << yes << "Delete 3 game(s)" << 1 << true;
    QTest::newRow("two A K games, Hand History")
        << true << QList<int>{0, 2} << yes << "Delete 2 game(s)" << 2 << true;
    QTest::newRow("No keeps them")
        << false << QList<int>{1, 2} << no << "Delete 2 game(s)" << 4 << false;
}

void TestHistoryCommands::deleteAndUndo()
{
    QFETCH(bool, handHistory);
    QFETCH(QList<int>, selected);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(int, left);
    QFETCH(bool, byKeys);
    FormSelCards->SelectCard(kAceSpades);
    FormSelCards->SelectCard(kKingDiamonds);
    QTableView *grid =
        handHistory ? FormTallowby->handHistoryGrid() : FormTallowby->gameHistoryGrid();
    const QStringList before = gridHoleCards(FormTallowby->gameHistoryGrid());
    QAction *remove = gridAction(grid, "Delete");
    QAction *undo = gridAction(grid, "Undo");
    QVERIFY(remove && undo);
    QVERIFY(!undo->isEnabled());
    selectRows(grid, selected);
    QVERIFY(remove->isEnabled());

    prompts().answers.enqueue(Prompts::Answer(answer));
    if (byKeys) {
        FormTallowby->activateWindow();
        FormTallowby->findChild<QTabWidget *>(QStringLiteral("PageControl"))
            ->setCurrentIndex(handHistory ? 1 : 2);
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
        QTest::keyClick(grid, Qt::Key_Delete);
    } else {
        remove->trigger();
    }
    QCOMPARE(prompts().messages.size(), 1);
    QVERIFY2(prompts().messages.first().text.startsWith(question),
             qPrintable(prompts().messages.first().text));
    QCOMPARE(games(), left);
    if (left == kGames.size()) {
        QVERIFY(!undo->isEnabled());
        return;
    }
    // The statistics and the other grid follow; Undo puts every field back.
    QCOMPARE(counted(), left);
    QVERIFY(undo->isEnabled());
    QVERIFY(gridAction(FormTallowby->handHistoryGrid(), "Undo")->isEnabled());
    if (byKeys)
        QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    else
        undo->trigger();
    QCOMPARE(gridHoleCards(FormTallowby->gameHistoryGrid()), before);
    QCOMPARE(counted(), int(kGames.size()));
    QVERIFY(!undo->isEnabled());
    QCOMPARE(prompts().messages.size(), 1);
}

// A deletion is undone only in the file it was made in.
void TestHistoryCommands::undoBelongsToItsFile()
{
    QTableView *grid = FormTallowby->gameHistoryGrid();
    selectRows(grid, {0});
    prompts().answers.enqueue(Prompts::Answer::Yes);
    gridAction(grid, "Delete")->trigger();
    QCOMPARE(games(), 3);
    makeHistoryFile(path("other.mdb"), kGames);
    runWithFile(prompts(), "MenuOpenDatabase", path("other.mdb"));
    QVERIFY(!gridAction(grid, "Undo")->isEnabled());
    gridAction(grid, "Undo")->trigger();
    QCOMPARE(games(), 4);
    runWithFile(prompts(), "MenuOpenDatabase", path("games.mdb"));
    QVERIFY(gridAction(grid, "Undo")->isEnabled());
    gridAction(grid, "Undo")->trigger();
    QCOMPARE(games(), 4);
}

// Hands the client appends come in as they appear; the status bar names the folder, which is
// remembered for the next start until watching stops.
void TestHistoryCommands::watchingAFolder()
{
    QTemporaryDir folder;
    auto *panel = FormTallowby->findChild<QLabel *>(QStringLiteral("StatusPanelWatch"));
    QVERIFY(panel && !panel->isVisible());
    FormTallowby->handHistoryWatcher().setInterval(20);
    runWithFile(prompts(), "MenuWatchFolder", folder.path());
    QCOMPARE(prompts().fileCaptions, QStringList{"Watch Hand History Folder..."});
    QVERIFY(panel->isVisible());
    QVERIFY2(panel->text().contains(QFileInfo(folder.path()).fileName()),
             qPrintable(panel->text()));
    QVERIFY(!panel->accessibleName().isEmpty());
    QVERIFY(menuItem("MenuStopWatching")->isEnabled());
    QCOMPARE(rememberedHandHistoryFolder(), QDir::cleanPath(folder.path()));

    QFile hands(folder.filePath(QStringLiteral("table.txt")));
    QFile source(sample("cash_usd.txt"));
    QVERIFY(hands.open(QIODevice::WriteOnly) && source.open(QIODevice::ReadOnly));
    hands.write(source.readAll());
    hands.close();
    QTRY_COMPARE(games(), int(kGames.size()) + 8);
    QTRY_VERIFY(panel->toolTip().contains("Games imported: "));

    // The next start watches the same folder.
    m_program.reset();
    m_program = std::make_unique<RunningProgram>();
    QVERIFY(FormTallowby->handHistoryWatcher().isWatching());
    QCOMPARE(FormTallowby->handHistoryWatcher().folder(), QDir::cleanPath(folder.path()));
    menuItem("MenuStopWatching")->trigger();
    QVERIFY(!FormTallowby->handHistoryWatcher().isWatching());
    QVERIFY(!menuItem("MenuStopWatching")->isEnabled());
    QCOMPARE(rememberedHandHistoryFolder(), QString());
}

QTEST_MAIN(TestHistoryCommands)
#include "tst_historycommands.moc"
