// SPDX-License-Identifier: GPL-3.0-or-later
// History files through the File menu: New, Open and Save Database As with their dialogs,
// questions and status bar, the refusals ("still in use", "No database open"), and files that
// are not history databases.
#include "historyfixture.h"

#include "app/paths.h"
#include "db/dbdates.h"
#include "db/dbquery.h"
#include "history/filter.h"
#include "history/sort.h"
#include "panel/gamestatsmodel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

namespace {

// Answers as the scripted prompts do and notes whether each question offered Cancel.
class QuestionButtons final : public Prompts
{
public:
    explicit QuestionButtons(ScriptedPrompts &inner) : m_inner(inner) { setPrompts(this); }
    ~QuestionButtons() override { setPrompts(&m_inner); }
    QuestionButtons(const QuestionButtons &) = delete;
    QuestionButtons &operator=(const QuestionButtons &) = delete;

    QList<bool> offeredCancel;

    void warning(QWidget *parent, const QString &text) override { m_inner.warning(parent, text); }
    void error(QWidget *parent, const QString &text) override { m_inner.error(parent, text); }
    Answer question(QWidget *parent, const QString &caption, const QString &text,
                    bool withCancel) override
    {
        offeredCancel << withCancel;
        return m_inner.question(parent, caption, text, withCancel);
    }
    QString openFileName(QWidget *parent, const QString &caption, const QString &folder,
                         const QString &filter) override
    {
        return m_inner.openFileName(parent, caption, folder, filter);
    }
    QString saveFileName(QWidget *parent, const QString &caption, const QString &folder,
                         const QString &filter, const QString &suffix) override
    {
        return m_inner.saveFileName(parent, caption, folder, filter, suffix);
    }

private:
    ScriptedPrompts &m_inner;
};

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int rowsIn(const QString &path)
{
    DbConnection connection;
    connection.setConnectionString(DbConnection::connectionStringFor(path));
    DbTable table(connection, QStringLiteral("History"));
    table.open();
    return table.rowCount();
}

const QList<QVariantList> kThreeGames = {
    historyRow(QDate(2026, 3, 1), "As", "Kd", "Win"),
    historyRow(QDate(2026, 3, 3), "7c", "2d", "Fold"),
    historyRow(QDate(2026, 3, 2), "Qh", "Qs", "Lose"),
};

} // namespace

class TestHistoryFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void newDatabase();
    void openAndSaveAs();
    void stillInUse_data();
    void stillInUse();
    void overwrite_data();
    void overwrite();
    void notAHistoryFile_data();
    void notAHistoryFile();
    void saveAsWithoutADatabase();
    void commandsThatNeedADatabase();
    void openingStartsNewestFirst();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    ScriptedPrompts &prompts() { return m_program->prompts; }
    void open(const QString &file) { runWithFile(prompts(), "MenuOpenDatabase", file); }

    std::optional<QTemporaryDir> m_dir;
    std::unique_ptr<RunningProgram> m_program;
};

void TestHistoryFile::init()
{
    QLocale::setDefault(QLocale::c());
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_program = std::make_unique<RunningProgram>();
}

void TestHistoryFile::cleanup()
{
    m_program.reset();
    m_dir.reset();
}

void TestHistoryFile::newDatabase()
{
    QVERIFY(menuItem("MenuNewDatabase")->isEnabled());
    // A name typed without extension gets ".mdb".
    runWithFile(prompts(), "MenuNewDatabase", path("games"));
    QVERIFY2(prompts().messages.isEmpty(), qPrintable(prompts().texts().join('\n')));
    QCOMPARE(prompts().fileCaptions, QStringList{"New Database..."});
    QCOMPARE(prompts().fileFolders, QStringList{dataFolder()});
    QVERIFY(QFileInfo::exists(path("games.mdb")));
    QVERIFY(FormTallowby->historyDatabaseOpen());
    QCOMPARE(FormTallowby->HistoryFilePath(), path("games.mdb"));
    QCOMPARE(FormTallowby->statusPanelText(0), QStringLiteral("Database: games.mdb"));

    // The table as the statement made it, and empty views and statistics.
    DbQuery schema(FormTallowby->historyConnection());
    schema.setSql(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'History'"));
    schema.open();
    QCOMPARE(schema.text("sql"), QString::fromLatin1(kCreateHistoryTable));
    schema.close();
    QCOMPARE(FormTallowby->handHistoryGrid()->model()->rowCount(), 0);
    QCOMPARE(FormTallowby->gameHistoryGrid()->model()->rowCount(), 0);
    QCOMPARE(FormTallowby->gameHistoryGrid()->model()->columnCount(), 10); // Rtg not shown
    const GameStatsModel &statistics = FormTallowby->gameStatistics();
    QCOMPARE(statistics.cell(1, 0), QStringLiteral("-- --"));
    for (int column = 1; column < GameStatsModel::kColumns; ++column) {
        for (int row = 1; row < GameStatsModel::kRows; ++row)
            QCOMPARE(statistics.cell(column, row), QStringLiteral("0"));
    }
}

void TestHistoryFile::openAndSaveAs()
{
    makeHistoryFile(path("a.mdb"), kThreeGames);
    open(path("a"));
    QVERIFY2(prompts().messages.isEmpty(), qPrintable(prompts().texts().join('\n')));
    QCOMPARE(prompts().fileCaptions.last(), QStringLiteral("Open Database..."));
    QCOMPARE(prompts().fileFolders.last(), dataFolder());
    QCOMPARE(FormTallowby->statusPanelText(0), QStringLiteral("Database: a.mdb"));
    const QTableView *games = FormTallowby->gameHistoryGrid();
    QCOMPARE(gridHoleCards(games), (QStringList{"7c 2d", "Qh Qs", "As Kd"}));
    QCOMPARE(gridColumn(games, 0).first(), shortDateText(QDate(2026, 3, 3)));
    QCOMPARE(gridColumn(games, 10), (QStringList{"Fold", "Lose", "Win"}));

    runWithFile(prompts(), "MenuSaveDatabaseAs", path("b"));
    QVERIFY2(prompts().messages.isEmpty(), qPrintable(prompts().texts().join('\n')));
    QCOMPARE(prompts().fileCaptions.last(), QStringLiteral("Save Database As..."));
    QCOMPARE(prompts().fileFolders.last(), dataFolder());
    QCOMPARE(contentsOf(path("b.mdb")), contentsOf(path("a.mdb")));
    QCOMPARE(FormTallowby->HistoryFilePath(), path("b.mdb"));
    QCOMPARE(FormTallowby->statusPanelText(0), QStringLiteral("Database: b.mdb"));
    QCOMPARE(gridHoleCards(games), (QStringList{"7c 2d", "Qh Qs", "As Kd"}));

    // Games recorded from now on go into the copy only.
    FormTallowby->gameHistoryTable().appendRecord(historyRow(QDate(2026, 3, 4), "Jh", "Th"));
    QCOMPARE(games->model()->rowCount(), 4);
    QCOMPARE(rowsIn(path("b.mdb")), 4);
    QCOMPARE(rowsIn(path("a.mdb")), 3);
}

void TestHistoryFile::stillInUse_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("named"); // how the dialog names the open file
    QTest::newRow("New Database, same path") << "MenuNewDatabase"
                                             << "a.mdb";
    QTest::newRow("New Database, path through ./") << "MenuNewDatabase"
                                                   << "./a.mdb";
    QTest::newRow("Save Database As, same path") << "MenuSaveDatabaseAs"
                                                 << "a.mdb";
    QTest::newRow("Save Database As, no extension") << "MenuSaveDatabaseAs"
                                                    << "a";
}

void TestHistoryFile::stillInUse()
{
    QFETCH(QString, command);
    QFETCH(QString, named);
    makeHistoryFile(path("a.mdb"), kThreeGames);
    open(path("a.mdb"));
    const QByteArray before = contentsOf(path("a.mdb"));
    prompts().clear();

    runWithFile(prompts(), command.toLatin1(), path(named));
    QCOMPARE(prompts().texts(), QStringList{"Can not create file. File is still in use."});
    QCOMPARE(prompts().messages.first().kind, ScriptedPrompts::Message::Warning);
    QCOMPARE(contentsOf(path("a.mdb")), before);
    QVERIFY(FormTallowby->historyDatabaseOpen());
    QCOMPARE(FormTallowby->HistoryFilePath(), path("a.mdb"));
    QCOMPARE(FormTallowby->statusPanelText(0), QStringLiteral("Database: a.mdb"));
    QCOMPARE(FormTallowby->gameHistoryGrid()->model()->rowCount(), 3);
}

void TestHistoryFile::overwrite_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("rowsAfter"); // rows of other.mdb afterwards; -1: untouched
    QTest::newRow("New Database, Yes") << "MenuNewDatabase" << int(Prompts::Answer::Yes) << 0;
    QTest::newRow("New Database, No") << "MenuNewDatabase" << int(Prompts::Answer::No) << -1;
    QTest::newRow("Save Database As, Yes")
        << "MenuSaveDatabaseAs" << int(Prompts::Answer::Yes) << 3;
    QTest::newRow("Save Database As, No") << "MenuSaveDatabaseAs" << int(Prompts::Answer::No) << -1;
    QTest::newRow("Save Database As, Cancel")
        << "MenuSaveDatabaseAs" << int(Prompts::Answer::Cancel) << -1;
}

void TestHistoryFile::overwrite()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(int, rowsAfter);
    QuestionButtons buttons(prompts());
    makeHistoryFile(path("a.mdb"), kThreeGames);
    makeHistoryFile(path("other.mdb"), {historyRow(QDate(2025, 1, 1), "2c", "2d")});
    const QByteArray other = contentsOf(path("other.mdb"));
    open(path("a.mdb"));
    prompts().clear();

    prompts().answers.enqueue(Prompts::Answer(answer));
    runWithFile(prompts(), command.toLatin1(), path("other.mdb"));
    QCOMPARE(prompts().messages.size(), 1);
    QCOMPARE(prompts().messages.first().caption, QStringLiteral("Overwrite"));
    QCOMPARE(prompts().messages.first().text, QStringLiteral("File already exists. Overwrite?"));
    QCOMPARE(buttons.offeredCancel, QList<bool>{command == "MenuSaveDatabaseAs"});

    if (rowsAfter < 0) {
        QCOMPARE(contentsOf(path("other.mdb")), other);
        QCOMPARE(FormTallowby->HistoryFilePath(), path("a.mdb"));
        QCOMPARE(FormTallowby->statusPanelText(0), QStringLiteral("Database: a.mdb"));
        return;
    }
    QCOMPARE(FormTallowby->HistoryFilePath(), path("other.mdb"));
    QCOMPARE(FormTallowby->statusPanelText(0), QStringLiteral("Database: other.mdb"));
    QCOMPARE(FormTallowby->gameHistoryGrid()->model()->rowCount(), rowsAfter);
    if (command == "MenuSaveDatabaseAs")
        QCOMPARE(contentsOf(path("other.mdb")), contentsOf(path("a.mdb")));
}

void TestHistoryFile::notAHistoryFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("openBefore");
    QTest::addColumn<QString>("said"); // words of the message
    QTest::newRow("a text file, a.mdb open") << "text" << true << "not a database file";
    QTest::newRow("a database without History, a.mdb open")
        << "no table" << true << "has no table “History”";
    QTest::newRow("a missing file, a.mdb open") << "missing" << true << "does not exist";
    QTest::newRow("a text file, nothing open") << "text" << false << "not a database file";
}

void TestHistoryFile::notAHistoryFile()
{
    QFETCH(QString, kind);
    QFETCH(bool, openBefore);
    QFETCH(QString, said);
    const QString bad = path("bad.mdb");
    if (kind == "text") {
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Hand, Result\nAs Kd, Win\n");
    } else if (kind == "no table") {
        makeHistoryFile(bad, {});
        DbConnection connection;
        connection.setConnectionString(DbConnection::connectionStringFor(bad));
        executeCommand(connection, QStringLiteral("DROP TABLE History"));
    }
    if (openBefore) {
        makeHistoryFile(path("a.mdb"), kThreeGames);
        open(path("a.mdb"));
    }
    prompts().clear();

    open(bad);
    QCOMPARE(prompts().messages.size(), 1);
    QCOMPARE(prompts().messages.first().kind, ScriptedPrompts::Message::Error);
    QVERIFY2(prompts().messages.first().text.contains(said),
             qPrintable(prompts().messages.first().text));
    QCOMPARE(FormTallowby->historyDatabaseOpen(), openBefore);
    if (openBefore) {
        QCOMPARE(FormTallowby->HistoryFilePath(), path("a.mdb"));
        QCOMPARE(FormTallowby->statusPanelText(0), QStringLiteral("Database: a.mdb"));
        QCOMPARE(FormTallowby->gameHistoryGrid()->model()->rowCount(), 3);
        QVERIFY(FormTallowby->handHistoryTable().isFiltered());
    } else {
        QCOMPARE(FormTallowby->statusPanelText(0), QStringLiteral("Database:"));
        QCOMPARE(FormTallowby->gameHistoryGrid()->model()->rowCount(), 0);
    }
}

void TestHistoryFile::saveAsWithoutADatabase()
{
    runWithFile(prompts(), "MenuSaveDatabaseAs", path("copy.mdb"));
    QCOMPARE(prompts().texts(), QStringList{"No database open"});
    QVERIFY(prompts().fileCaptions.isEmpty());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
    QCOMPARE(FormTallowby->statusPanelText(0), QStringLiteral("Database:"));
}

void TestHistoryFile::commandsThatNeedADatabase()
{
    for (const char *name :
         {"MenuNewDatabase", "MenuOpenDatabase", "MenuSaveDatabaseAs", "MenuFilter", "MenuSort"})
        QVERIFY2(menuItem(name)->isEnabled(), name);
    makeHistoryFile(path("a.mdb"), kThreeGames);
    open(path("a.mdb"));
    prompts().clear();

    const std::pair<const char *, QDialog *> commands[] = {{"MenuFilter", FormFilter},
                                                           {"MenuSort", FormSort}};
    for (const auto &[command, dialog] : commands) {
        bool shown = false;
        whileModal(
            dialog, [&shown, dialog] { shown = dialog->isVisible() && dialog->isModal(); },
            [command] { menuItem(command)->trigger(); });
        QVERIFY2(shown, command);
        QVERIFY(!dialog->isVisible());
    }
    QVERIFY(prompts().messages.isEmpty());
}

void TestHistoryFile::openingStartsNewestFirst()
{
    makeHistoryFile(path("a.mdb"), kThreeGames);
    open(path("a.mdb"));
    FormTallowby->DBGridGHistoryTitleClick(9);
    FormTallowby->DBGridHHistoryTitleClick(10);
    QCOMPARE(FormTallowby->gameHistoryTable().sort(), QStringLiteral("Hand"));
    QCOMPARE(FormTallowby->handHistoryTable().sort(), QStringLiteral("Result"));

    open(path("a.mdb"));
    QCOMPARE(FormTallowby->gameHistoryTable().sort(), QStringLiteral("DateP DESC"));
    QCOMPARE(FormTallowby->handHistoryTable().sort(), QStringLiteral("DateP DESC"));
    QCOMPARE(gridHoleCards(FormTallowby->gameHistoryGrid()),
             (QStringList{"7c 2d", "Qh Qs", "As Kd"}));
}

QTEST_MAIN(TestHistoryFile)
#include "tst_historyfile.moc"
