// SPDX-License-Identifier: GPL-3.0-or-later
// Games taken out of the history and put back: every field and the order of recording come
// back as they were, long selections go in several statements, and a failure changes nothing.
#include "db/dbconnection.h"
#include "db/dberror.h"
#include "db/dbquery.h"
#include "history/historyedits.h"
#include "historyfiles.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

// Every row of History as "rowid|DateP|H1|H2|Rtg|Hand|Result", in rowid order.
QStringList rowsOf(DbConnection &connection)
{
    DbQuery query(connection);
    query.setSql(QStringLiteral("SELECT rowid AS id, * FROM History ORDER BY rowid"));
    query.open();
    QStringList rows;
    for (query.first(); !query.isEmpty() && !query.atEnd(); query.next()) {
        rows << QStringList{QString::number(query.integer("id")),
                            query.text("DateP"),
                            query.text("H1"),
                            query.text("H2"),
                            QString::number(query.integer("Rtg")),
                            query.text("Hand"),
                            query.text("Result")}
                    .join(QLatin1Char('|'));
    }
    return rows;
}

QList<QVariantList> numberedGames(int count)
{
    QList<QVariantList> rows;
    for (int i = 1; i <= count; ++i) {
        QVariantList row = historyRow(QDate(2024, 1, 1).addDays(i % 300), "As", "Kd",
                                      i % 2 ? "Win" : "Lose", QStringLiteral("game %1").arg(i));
        row[8] = i; // Rtg
        rows << row;
    }
    return rows;
}

} // namespace

class TestHistoryEdits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void deleteAndRestore_data();
    void deleteAndRestore();
    void aRowIdTakenMeanwhile();
    void aFailureChangesNothing();

private:
    std::optional<QTemporaryDir> m_dir;
    std::optional<DbConnection> m_connection;
    void open(int games);
};

void TestHistoryEdits::init()
{
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
}

void TestHistoryEdits::cleanup()
{
    m_connection.reset();
    m_dir.reset();
}

void TestHistoryEdits::open(int games)
{
    const QString file = m_dir->filePath(QStringLiteral("games.mdb"));
    makeHistoryFile(file, numberedGames(games));
    m_connection.emplace();
    m_connection->setConnectionString(DbConnection::connectionStringFor(file));
    m_connection->open();
}

void TestHistoryEdits::deleteAndRestore_data()
{
    QTest::addColumn<int>("games");
    QTest::addColumn<QList<qint64>>("ids");
    QTest::addColumn<int>("deleted");
    QTest::newRow("one game") << 5 << QList<qint64>{3} << 1;
    QTest::newRow("first and last") << 5 << QList<qint64>{1, 5} << 2;
    QTest::newRow("every game") << 4 << QList<qint64>{1, 2, 3, 4} << 4;
    QTest::newRow("ids no row has are passed over") << 3 << QList<qint64>{2, 7, 99} << 1;
    QList<qint64> many;
    for (qint64 id = 2; id <= 1201; ++id)
        many << id;
    QTest::newRow("1200 games, several statements") << 1300 << many << 1200;
}

void TestHistoryEdits::deleteAndRestore()
{
    QFETCH(int, games);
    QFETCH(QList<qint64>, ids);
    QFETCH(int, deleted);
    open(games);
    const QStringList before = rowsOf(*m_connection);

    const DeletedGames taken =
        deleteGames(*m_connection, std::vector<qint64>(ids.begin(), ids.end()));
    QCOMPARE(taken.rows.size(), deleted);
    QCOMPARE(taken.file, m_connection->filePath());
    QCOMPARE(taken.fields.size(), 11);
    const QStringList after = rowsOf(*m_connection);
    QCOMPARE(after.size(), games - deleted);
    for (const QString &row : after)
        QVERIFY2(!ids.contains(row.section(QLatin1Char('|'), 0, 0).toLongLong()), qPrintable(row));

    restoreGames(*m_connection, taken);
    QCOMPARE(rowsOf(*m_connection), before);
}

// A game recorded after the deletion took the old place of a deleted one: both stay, the
// restored one after it.
void TestHistoryEdits::aRowIdTakenMeanwhile()
{
    open(3);
    const DeletedGames taken = deleteGames(*m_connection, {3});
    executeCommand(*m_connection,
                   QStringLiteral("INSERT INTO History VALUES ('2024-05-01', 'Qh', 'Qs', '--', "
                                  "'--', '--', '--', '--', 7, 'new', 'Win')"));
    restoreGames(*m_connection, taken);
    const QStringList rows = rowsOf(*m_connection);
    QCOMPARE(rows.size(), 4);
    QVERIFY2(rows.at(2).startsWith(QLatin1String("3|2024-05-01|Qh|Qs|7|new|Win")),
             qPrintable(rows.join('\n')));
    QCOMPARE(rows.at(3).section(QLatin1Char('|'), 1),
             QStringLiteral("2024-01-04|As|Kd|3|game 3|Win"));
}

// Restoring into a table that lost a field fails as a whole: none of the rows come back.
void TestHistoryEdits::aFailureChangesNothing()
{
    open(4);
    DeletedGames taken = deleteGames(*m_connection, {1, 2});
    taken.fields.append(QStringLiteral("NoSuchField"));
    for (QVariantList &row : taken.rows)
        row.append(1);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, restoreGames(*m_connection, taken));
    QCOMPARE(rowsOf(*m_connection).size(), 2);
    // No transaction was left open: the next edit goes through.
    QCOMPARE(deleteGames(*m_connection, {3}).rows.size(), 1);
    QCOMPARE(rowsOf(*m_connection).size(), 1);
}

QTEST_GUILESS_MAIN(TestHistoryEdits)
#include "tst_historyedits.moc"
