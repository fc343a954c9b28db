// SPDX-License-Identifier: GPL-3.0-or-later
// Recording finished games through New Game / Save: the row as stored, Cancel, the choices the
// dialog keeps, a write that fails (the hand stays for a second try), and both history grids
// showing a new game at once.
#include "controls.h"
#include "historyfixture.h"

#include "db/dbquery.h"
#include "engine/evaluate.h"
#include "engine/handstate.h"
#include "history/newgame.h"
#include "panel/gamestatsmodel.h"
#include "panel/selcards.h"

#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using namespace tallowby;

namespace {

// Card indexes: spades 1..13, diamonds 14..26, clubs 27..39, hearts 40..52, deuce first.
constexpr int kAceSpades = 13;
constexpr int kKingDiamonds = 25;
constexpr int kSevenClubs = 32;
constexpr int kDeuceHearts = 40;
constexpr int kNineHearts = 47;

// A control of the New Game dialog.
template <typename T> T *control(const char *name)
{
    return ::control<T>(FormNewGame, name);
}

// New Game from the menu; while the dialog is up, `inside` sets it and closes it.
bool newGame(const std::function<void()> &inside)
{
    bool shown = false;
    whileModal(
        FormNewGame,
        [&shown, &inside] {
            shown = FormNewGame->isVisible();
            inside();
        },
        [] { menuItem("MenuNewGame")->trigger(); });
    return shown;
}

void chooseAndRecord(const char *result, int players = 10)
{
    control<QRadioButton>(result)->click();
    control<QSpinBox>("SpinEditTP")->setValue(players);
    control<QPushButton>("BitBtnOK")->click();
}

void enter(std::initializer_list<int> cards)
{
    for (int card : cards)
        FormSelCards->SelectCard(card);
}

struct StoredRow
{
    QVariant date;
    QStringList cards;
    qint64 rating = 0;
    QString hand;
    QString result;
};

QList<StoredRow> storedRows()
{
    DbQuery query(FormTallowby->historyConnection());
    query.setSql(QStringLiteral("SELECT * FROM History ORDER BY rowid"));
    query.open();
    QList<StoredRow> rows;
    for (query.first(); !query.isEmpty() && !query.atEnd(); query.next()) {
        StoredRow row{query.value("DateP"),
                      {},
                      query.integer("Rtg"),
                      query.text("Hand"),
                      query.text("Result")};
        for (const char *field : {"H1", "H2", "F1", "F2", "F3", "Tn", "Rr"})
            row.cards << query.text(field);
        rows << row;
    }
    return rows;
}

} // namespace

class TestRecording : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void preFlopFold();
    void cancelRecordsNothing();
    void onlyOneHoleCardRecordsNothing();
    void theDialogKeepsItsChoices();
    void aFailedWriteKeepsTheHand();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    ScriptedPrompts &prompts() { return m_program->prompts; }

    std::optional<QTemporaryDir> m_dir;
    std::unique_ptr<RunningProgram> m_program;
};

void TestRecording::init()
{
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_program = std::make_unique<RunningProgram>();
    makeHistoryFile(path("games.mdb"), {});
    runWithFile(prompts(), "MenuOpenDatabase", path("games.mdb"));
    QVERIFY(FormTallowby->historyDatabaseOpen());
}

void TestRecording::cleanup()
{
    m_program.reset();
    m_dir.reset();
}

void TestRecording::preFlopFold()
{
    enter({kAceSpades, kKingDiamonds});
    QVERIFY(newGame([] { chooseAndRecord("RadioButtonFold"); }));
    QVERIFY2(prompts().messages.isEmpty(), qPrintable(prompts().texts().join('\n')));

    const QList<StoredRow> rows = storedRows();
    QCOMPARE(rows.size(), 1);
    const StoredRow &row = rows.first();
    // The day alone, with no time of day.
    QCOMPARE(row.date, QVariant(QDate::currentDate().toString(Qt::ISODate)));
    QCOMPARE(row.cards, (QStringList{"As", "Kd", "--", "--", "--", "--", "--"}));
    // High card: ace 13 and king 12 in the two top rank digits, no card in the other three.
    QCOMPARE(row.rating, 13 * 0x10000 + 12 * 0x1000);
    QCOMPARE(row.hand, QString::fromStdString(DescribeRating(13 * 0x10000 + 12 * 0x1000)));
    QCOMPARE(row.result, QStringLiteral("Fold"));

    // The hand is cleared; both grids show the game at once.
    QVERIFY(!currentHand().filled(H1) && !currentHand().filled(H2));
    QCOMPARE(FormSelCards->slotPicture(H1), 0);
    QCOMPARE(gridHoleCards(FormTallowby->gameHistoryGrid()), QStringList{"As Kd"});
    QCOMPARE(gridHoleCards(FormTallowby->handHistoryGrid()), QStringList{"As Kd"});
    // The statistics of the empty hand count it among today's games.
    const GameStatsModel &statistics = FormTallowby->gameStatistics();
    QCOMPARE(statistics.cell(1, 0), QStringLiteral("-- --"));
    QCOMPARE(statistics.cell(2, 7), QStringLiteral("100"));
    QCOMPARE(statistics.cell(2, 8), QStringLiteral("1"));
    QCOMPARE(statistics.cell(6, 8), QStringLiteral("1"));
}

void TestRecording::cancelRecordsNothing()
{
    enter({kAceSpades, kKingDiamonds, kSevenClubs, kDeuceHearts, kNineHearts});
    QVERIFY(newGame([] { control<QPushButton>("BitBtnCancel")->click(); }));
    QVERIFY(storedRows().isEmpty());
    QVERIFY(!currentHand().filled(H1));
    QVERIFY(!currentHand().filled(F1));
    QCOMPARE(FormTallowby->gameHistoryGrid()->model()->rowCount(), 0);
}

void TestRecording::onlyOneHoleCardRecordsNothing()
{
    enter({kAceSpades});
    QVERIFY(!newGame([] { chooseAndRecord("RadioButtonWin"); }));
    QVERIFY(storedRows().isEmpty());
    QVERIFY(!currentHand().filled(H1));
}

void TestRecording::theDialogKeepsItsChoices()
{
    enter({kAceSpades, kKingDiamonds, kSevenClubs, kDeuceHearts, kNineHearts});
    QVERIFY(newGame([] { chooseAndRecord("RadioButtonLose", 6); }));
    QCOMPARE(FormSelCards->activePlayersText(), QStringLiteral("6"));

    enter({kSevenClubs, kNineHearts});
    bool kept = false;
    QVERIFY(newGame([&kept] {
        kept = control<QRadioButton>("RadioButtonLose")->isChecked() &&
               control<QSpinBox>("SpinEditTP")->value() == 6;
        control<QPushButton>("BitBtnOK")->click();
    }));
    QVERIFY(kept);
    const QList<StoredRow> rows = storedRows();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).cards, (QStringList{"As", "Kd", "7c", "2h", "9h", "--", "--"}));
    QCOMPARE(rows.at(0).result, QStringLiteral("Lose"));
    QCOMPARE(rows.at(1).cards.mid(0, 3), (QStringList{"7c", "9h", "--"}));
    QCOMPARE(rows.at(1).result, QStringLiteral("Lose"));
    // Newest first.
    QCOMPARE(gridHoleCards(FormTallowby->gameHistoryGrid()), (QStringList{"7c 9h", "As Kd"}));
}

// A file that cannot be written: the error is shown and the hand stays, so that the game can
// be recorded once the file is writable again.
void TestRecording::aFailedWriteKeepsTheHand()
{
    const QString file = path("games.mdb");
    const QFile::Permissions writable = QFile::permissions(file);
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    runWithFile(prompts(), "MenuOpenDatabase", file);
    prompts().clear();

    enter({kAceSpades, kKingDiamonds, kSevenClubs, kDeuceHearts, kNineHearts});
    QVERIFY(newGame([] { chooseAndRecord("RadioButtonWin"); }));
    QCOMPARE(prompts().messages.size(), 1);
    QCOMPARE(prompts().messages.first().kind, ScriptedPrompts::Message::Error);
    QVERIFY2(prompts().messages.first().text.contains(QLatin1String("History")),
             qPrintable(prompts().messages.first().text));
    QVERIFY(storedRows().isEmpty());
    QCOMPARE(currentHand().Slots[H1].Index, kAceSpades);
    QCOMPARE(currentHand().Slots[F3].Index, kNineHearts);
    QCOMPARE(FormSelCards->slotPicture(H2), kKingDiamonds);

    // Mended: writable again and opened afresh, the same game is recorded.
    QVERIFY(QFile::setPermissions(file, writable));
    runWithFile(prompts(), "MenuOpenDatabase", file);
    QCOMPARE(currentHand().Slots[H1].Index, kAceSpades);
    prompts().clear();
    QVERIFY(newGame([] { control<QPushButton>("BitBtnOK")->click(); }));
    QVERIFY2(prompts().messages.isEmpty(), qPrintable(prompts().texts().join('\n')));
    const QList<StoredRow> rows = storedRows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().cards, (QStringList{"As", "Kd", "7c", "2h", "9h", "--", "--"}));
    QVERIFY(!currentHand().filled(H1));
}

QTEST_MAIN(TestRecording)
#include "tst_recording.moc"
