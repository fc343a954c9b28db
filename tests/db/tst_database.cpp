// SPDX-License-Identifier: GPL-3.0-or-later
// The database layer on real files: creating, refusing, filtering, sorting, locating, writing,
// walking, copying, and the grid model over a table.
#include "db/dbconnection.h"
#include "db/dbdates.h"
#include "db/dberror.h"
#include "db/dbfiles.h"
#include "db/dbquery.h"
#include "db/dbtable.h"
#include "db/dbtablemodel.h"
#include "failureof.h"
#include "history/historyfile.h"
#include "smalldisk.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <optional>

namespace {

const QString historySql = QStringLiteral(
    "CREATE TABLE History (DateP DATE, H1 TEXT(2), H2 TEXT(2), F1 TEXT(2), F2 TEXT(2), F3 "
    "TEXT(2), Tn TEXT(2), Rr TEXT(2), Rtg NUMBER, Hand TEXT(30), Result TEXT(5))");
const QString preFlopSql = QStringLiteral(
    "CREATE TABLE PreFlop (Hand TEXT(11), OppCl TEXT(12), OppR1 TEXT(12), OppR2 TEXT(12), OppR4 "
    "TEXT(12), OppR8 TEXT(12), OppAI TEXT(12))");
const QString ftrSql = QStringLiteral(
    "CREATE TABLE FTR (HType TEXT(14), Rnd TEXT(5), Opps TEXT(12), HitE TEXT(12), HitL TEXT(12), "
    "HitS TEXT(12), HitV NUMBER, HgrL TEXT(12), HgrS TEXT(12), HgrV NUMBER)");
const QString history = QStringLiteral("History");

QVariantList game(const QVariant &date, const QString &h1, const QString &h2,
                  const QString &hand = QStringLiteral("High Card. AKQJ9"),
                  const QString &result = QStringLiteral("Win"))
{
    const QString none = QStringLiteral("--");
    return {date, h1, h2, none, none, none, none, none, 0, hand, result};
}

// The hole-card filter as the history views write it: 32 terms for ranks p and q.
QString holeCardText(QChar p, QChar q)
{
    const char *suitPairs[] = {"sd", "sc", "sh", "ss", "ds", "dc", "dh", "dd",
                               "cs", "cd", "ch", "cc", "hs", "hc", "hd", "hh"};
    QStringList terms;
    for (const char *form : {"(H1 = '%1%2' AND H2 = '%3%4')", "(H2 = '%1%2' AND H1 = '%3%4')"}) {
        for (const char *pair : suitPairs) {
            terms.append(QString::fromLatin1(form)
                             .arg(p)
                             .arg(QLatin1Char(pair[0]))
                             .arg(q)
                             .arg(QLatin1Char(pair[1])));
        }
    }
    return terms.join(QStringLiteral(" OR "));
}

QStringList column(DbTable &table, const QString &field)
{
    QStringList texts;
    for (table.first(); !table.isEmpty() && !table.atEnd(); table.next())
        texts.append(table.text(field));
    return texts;
}

} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void createdFilesCarryTheApplicationId();
    void creatingNeverLeavesAHalfFile();
    void foreignFilesAreRefused_data();
    void foreignFilesAreRefused();
    void aMissingTableClosesTheConnectionItOpened();
    void unmarkedFiles_data();
    void unmarkedFiles();
    void aReadOnlyFileRefusesWrites();
    void aLockedFileIsReportedInUse();
    void aWrittenRowIsReportedWritten();
    void aVanishedFileIsNamed_data();
    void aVanishedFileIsNamed();
    void aFullDiskIsNamedAndLosesNothing();

    void holeCardFilter_data();
    void holeCardFilter();
    void dateFilters_data();
    void dateFilters();
    void filterSwitching();
    void sortOrders_data();
    void sortOrders();
    void sortingKeepsTheCurrentRow();

    void locate_data();
    void locate();
    void locateSearchesOnlyFilteredRows();

    void appendEditPost();
    void aPendingRowIsPostedWhenTheTableMoves();
    void aRefusedFieldDropsThePendingRow();
    void transactions();
    void writingNeedsAppendOrEdit();
    void walking();
    void readingNumbersAndDates();

    void suspendedViewsStayQuiet();
    void closingTheConnectionClosesItsTables();
    void queries();

    void safeCopy();
    void aFailedCopyLeavesTheTargetAlone();
    void samePath_data();
    void samePath();
    void deletingRemovesLeftOverJournals();

    void modelFollowsTheTable();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString historyFile(const QString &name, const QList<QVariantList> &rows);
    QString systemFile(const QString &name);
    void openOn(const QString &file)
    {
        m_connection->setConnectionString(DbConnection::connectionStringFor(file));
    }

    std::optional<QTemporaryDir> m_dir;
    std::optional<DbConnection> m_connection;
};

void TestDatabase::init()
{
    QLocale::setDefault(QLocale::c());
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_connection.emplace();
}

void TestDatabase::cleanup()
{
    m_connection.reset();
    m_dir.reset();
    QLocale::setDefault(QLocale::c());
}

QString TestDatabase::historyFile(const QString &name, const QList<QVariantList> &rows)
{
    const QString file = path(name);
    createDatabaseFile(file);
    DbConnection connection;
    connection.setConnectionString(DbConnection::connectionStringFor(file));
    executeCommand(connection, historySql);
    DbTable table(connection, history);
    table.open();
    for (const QVariantList &row : rows)
        table.appendRecord(row);
    return file;
}

QString TestDatabase::systemFile(const QString &name)
{
    const QString file = path(name);
    createDatabaseFile(file);
    DbConnection connection;
    connection.setConnectionString(DbConnection::connectionStringFor(file));
    executeCommand(connection, preFlopSql);
    executeCommand(connection, ftrSql);
    DbTable preFlop(connection, QStringLiteral("PreFlop"));
    preFlop.open();
    for (const char *hand : {"AA", "AK suited", "AK offsuit", "KK"})
        preFlop.appendRecord({QString::fromLatin1(hand), QStringLiteral("Check/Fold")});
    DbTable ftr(connection, QStringLiteral("FTR"));
    ftr.open();
    const QString call = QStringLiteral("Check/Call");
    ftr.appendRecord({"2 Kind", "Flop", "Call", call, call, call, 10});
    ftr.appendRecord({"2 Pair", "Flop", "Call", call, call, call, 2.5});
    ftr.appendRecord({"2 Pair", "Turn", "Call", call, call, call, 3.5});
    ftr.appendRecord({"2 Pair", "Turn", "Raise 100%", call, call, call, QVariant()});
    return file;
}

void TestDatabase::createdFilesCarryTheApplicationId()
{
    const QString file = path(QStringLiteral("new.mdb"));
    createDatabaseFile(file);
    QFile raw(file);
    QVERIFY(raw.open(QIODevice::ReadOnly));
    const QByteArray header = raw.read(100);
    QVERIFY(header.startsWith("SQLite format 3"));
    QCOMPARE(header.mid(68, 4), QByteArray("TLBY"));
    raw.close();

    openOn(file);
    QVERIFY(!m_connection->isConnected());
    for (const QString &sql : {historySql, preFlopSql, ftrSql})
        executeCommand(*m_connection, sql); // the first statement connects
    QVERIFY(m_connection->isConnected());
    DbTable table(*m_connection, history);
    table.open();
    QVERIFY(table.isEmpty());
    const QList<DbColumn> &columns = table.columns();
    QCOMPARE(columns.size(), 11);
    QCOMPARE(columns.at(0).kind, DbColumnKind::Date);
    QCOMPARE(columns.at(1).maxLength, 2);
    QCOMPARE(columns.at(8).kind, DbColumnKind::Number);
    QCOMPARE(columns.at(10).maxLength, 5);

    QVERIFY(failureOf([&] { executeCommand(*m_connection, historySql); }).contains("History"));
}

void TestDatabase::creatingNeverLeavesAHalfFile()
{
    const QString existing = historyFile(QStringLiteral("old.mdb"), {});
    const QByteArray before = [&] {
        QFile f(existing);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    QVERIFY(
        failureOf([&] { createDatabaseFile(existing); }).contains(QLatin1String("already exists")));
    QFile kept(existing);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), before);

    const QString nowhere = path(QStringLiteral("missing/new.mdb"));
    QVERIFY(failureOf([&] { createDatabaseFile(nowhere); }).contains(QLatin1String("new.mdb")));
    QVERIFY(!QFile::exists(nowhere));
}

void TestDatabase::foreignFilesAreRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("text file") << "text"
                               << "not a database file of this program";
    QTest::newRow("empty file") << "empty"
                                << "not a database file of this program";
    QTest::newRow("SQLite file of another program") << "foreign"
                                                    << "another program";
    QTest::newRow("missing file") << "missing"
                                  << "does not exist";
    QTest::newRow("folder") << "folder"
                            << "not a file";
}

void TestDatabase::foreignFilesAreRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QString file = path(QStringLiteral("chosen.mdb"));
    if (kind == QLatin1String("text") || kind == QLatin1String("empty")) {
        QFile text(file);
        QVERIFY(text.open(QIODevice::WriteOnly));
        if (kind == QLatin1String("text"))
            text.write(QByteArray("Date;H1;H2\n2026-03-01;As;Kd\n").repeated(10));
    } else if (kind == QLatin1String("foreign")) {
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
            other.setDatabaseName(file);
            QVERIFY(other.open());
            QVERIFY(QSqlQuery(other).exec(historySql));
            QVERIFY(QSqlQuery(other).exec(QStringLiteral("PRAGMA application_id = 1179403647")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        // Holding the needed table does not make another program's file one of ours.
        m_connection->setRequiredTables({history});
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("chosen.mdb")));
    }

    openOn(file);
    DbTable table(*m_connection, history);
    const QString message = failureOf([&] { table.open(); });
    QVERIFY2(message.contains(QLatin1String("chosen.mdb")), qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
    QVERIFY(!m_connection->isConnected());
    QVERIFY(!table.isOpen());
    QVERIFY(!failureOf([&] { m_connection->open(); }).isEmpty()); // nothing half open to trust
    QVERIFY(!m_connection->isConnected());
    QVERIFY(kind == QLatin1String("missing") ? !QFile::exists(file) : QFileInfo::exists(file));
}

void TestDatabase::aMissingTableClosesTheConnectionItOpened()
{
    const QString file = path(QStringLiteral("system.mdb"));
    createDatabaseFile(file);
    openOn(file);
    DbTable table(*m_connection, history);
    const QString message = failureOf([&] { table.open(); });
    QVERIFY2(message.contains(QStringLiteral("no table “History”")), qPrintable(message));
    QVERIFY(!m_connection->isConnected());

    // A connection that was already open stays open; only the table failed.
    executeCommand(*m_connection, preFlopSql);
    QVERIFY(!failureOf([&] { table.open(); }).isEmpty());
    QVERIFY(m_connection->isConnected());
}

// A file made with the sqlite3 tool carries no application id: it is taken when it holds every
// table the connection needs, and refused, naming what it lacks, when it does not.
void TestDatabase::unmarkedFiles_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QStringList>("required");
    QTest::addColumn<QString>("refusal"); // empty when the file is taken
    const QStringList system = {QStringLiteral("PreFlop"), QStringLiteral("FTR")};
    QTest::newRow("history file with History")
        << QStringList{historySql} << QStringList{history} << QString();
    QTest::newRow("system file with both tables")
        << QStringList{preFlopSql, ftrSql} << system << QString();
    QTest::newRow("system file in small letters")
        << QStringList{QString(preFlopSql).replace("PreFlop", "preflop"), ftrSql} << system
        << QString();
    QTest::newRow("system file without FTR")
        << QStringList{preFlopSql} << system << QStringLiteral("lacks the table “FTR”");
    QTest::newRow("empty file for a history")
        << QStringList{} << QStringList{history} << QStringLiteral("lacks the table “History”");
    QTest::newRow("history tables for a system")
        << QStringList{historySql} << system << QStringLiteral("lacks the table “PreFlop”, “FTR”");
    QTest::newRow("connection that names no tables")
        << QStringList{historySql} << QStringList{} << QStringLiteral("another program");
}

void TestDatabase::unmarkedFiles()
{
    QFETCH(QStringList, statements);
    QFETCH(QStringList, required);
    QFETCH(QString, refusal);
    const QString file = path(QStringLiteral("script.mdb"));
    {
        QSqlDatabase maker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "maker");
        maker.setDatabaseName(file);
        QVERIFY(maker.open());
        for (const QString &sql : statements)
            QVERIFY(QSqlQuery(maker).exec(sql));
        // Even a file without tables gets its header written.
        QVERIFY(QSqlQuery(maker).exec(QStringLiteral("PRAGMA user_version = 1")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("maker"));

    openOn(file);
    m_connection->setRequiredTables(required);
    const QString message = failureOf([&] { m_connection->open(); });
    if (refusal.isEmpty()) {
        QVERIFY2(message.isEmpty(), qPrintable(message));
        QVERIFY(m_connection->isConnected());
        QVERIFY(!m_connection->isReadOnly());
        DbTable table(*m_connection, required.front());
        table.open();
        QVERIFY(table.isEmpty());
    } else {
        QVERIFY2(message.contains(refusal), qPrintable(message));
        QVERIFY2(message.contains(QLatin1String("script.mdb")), qPrintable(message));
        QVERIFY(!m_connection->isConnected());
        QVERIFY(!DbConnection::isFileOpen(file));
    }
}

void TestDatabase::aReadOnlyFileRefusesWrites()
{
    const QString file =
        historyFile(QStringLiteral("old.mdb"), {game(QDate(2026, 3, 1), "As", "Kd")});
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    openOn(file);
    DbTable table(*m_connection, history);
    table.open();
    QVERIFY(m_connection->isReadOnly());
    QCOMPARE(table.text(QStringLiteral("H1")), QStringLiteral("As"));
    table.append();
    table.setField(QStringLiteral("H1"), QStringLiteral("Qc"));
    const QString message = failureOf([&] { table.post(); });
    QVERIFY2(message.contains(QLatin1String("old.mdb")), qPrintable(message));
    QVERIFY2(message.contains(QLatin1String("read-only")), qPrintable(message));
    QVERIFY(!table.isEditing());
    table.refresh();
    QCOMPARE(table.rowCount(), 1);
}

void TestDatabase::aLockedFileIsReportedInUse()
{
    const QString file =
        historyFile(QStringLiteral("busy.mdb"), {game(QDate(2026, 3, 1), "As", "Kd")});
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "locker");
        other.setDatabaseName(file);
        QVERIFY(other.open());
        QSqlQuery lock(other);
        QVERIFY(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));

        openOn(file);
        DbTable table(*m_connection, history);
        const QString message = failureOf([&] { table.open(); });
        QVERIFY2(message.contains(QLatin1String("in use by another program")), qPrintable(message));
        QVERIFY(!m_connection->isConnected());
        QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));
}

// The row is in the file even when the table cannot read its rows again right after: posting
// reports success, and the file holds the row once.
void TestDatabase::aWrittenRowIsReportedWritten()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString file =
        historyFile(QStringLiteral("games.mdb"), {game(QDate(2026, 3, 1), "As", "Kd")});
    openOn(file);
    DbTable table(*m_connection, history);
    table.setFilter(QStringLiteral("DateP >= 01.03.2026"));
    table.setFiltered(true);
    table.open();
    // The filter's date no longer reads in the locale now in force: every re-read fails.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(!failureOf([&] { table.refresh(); }).isEmpty());
    table.appendRecord(game(QDate(2026, 3, 2), "Qc", "Qh"));
    QCOMPARE(table.text(QStringLiteral("H1")), QStringLiteral("Qc"));
    QSqlDatabase database = m_connection->database();
    QSqlQuery count(database);
    QVERIFY(count.exec(QStringLiteral("SELECT count(*) FROM History WHERE H1 = 'Qc'")) &&
            count.next());
    QCOMPARE(count.value(0).toInt(), 1);
}

void TestDatabase::aVanishedFileIsNamed_data()
{
    QTest::addColumn<bool>("moved"); // else deleted
    QTest::newRow("file deleted while open") << false;
    QTest::newRow("file moved while open") << true;
}

void TestDatabase::aVanishedFileIsNamed()
{
    QFETCH(bool, moved);
    const QString file =
        historyFile(QStringLiteral("games.mdb"), {game(QDate(2026, 3, 1), "As", "Kd")});
    openOn(file);
    DbTable table(*m_connection, history);
    table.open();
    QVERIFY(moved ? QFile::rename(file, path(QStringLiteral("elsewhere.mdb")))
                  : QFile::remove(file));
    const QString message =
        failureOf([&] { table.appendRecord(game(QDate(2026, 3, 2), "Qc", "Qh")); });
    QVERIFY2(message.contains(QLatin1String("no longer exists")), qPrintable(message));
    QVERIFY2(!message.contains(QLatin1String("read-only")), qPrintable(message));
}

// A disk that fills up: the failure says so, and neither a copy nor a new file takes the place
// of the file that was there.
void TestDatabase::aFullDiskIsNamedAndLosesNothing()
{
    const SmallDisk disk(160);
    if (!disk.isMounted())
        QSKIP("A small file system of its own can only be mounted by root");
    const QString full = disk.filePath(QStringLiteral("full.mdb"));
    createDatabaseFile(full);
    openOn(full);
    executeCommand(*m_connection, historySql);
    DbTable table(*m_connection, history);
    table.open();
    const QString padding(30, QLatin1Char('x'));
    const QString written = failureOf([&] {
        for (int row = 0; row < 100000; ++row) {
            QVariantList record = game(QDate(2026, 3, 1), "As", "Kd");
            record[9] = padding;
            table.appendRecord(record);
        }
    });
    QVERIFY2(written.contains(QLatin1String("The disk is full.")), qPrintable(written));
    m_connection->close();
    // What SQLite gave back when it let go of its journal is taken too.
    QFile filler(disk.filePath(QStringLiteral("filler")));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    filler.close();

    // The disk is full: a copy onto it and a new file in place of the full one both fail by
    // name, and the full file is still there, whole.
    const QString source =
        historyFile(QStringLiteral("games.mdb"), {game(QDate(2026, 3, 1), "As", "Kd")});
    const QString copied =
        failureOf([&] { safeCopyFile(source, disk.filePath(QStringLiteral("copy.mdb"))); });
    QVERIFY2(copied.contains(QLatin1String("The disk is full.")), qPrintable(copied));
    QVERIFY(!QFileInfo::exists(disk.filePath(QStringLiteral("copy.mdb"))));
    const qint64 before = QFileInfo(full).size();
    const QString remade = failureOf([&] { buildHistoryFile(full); });
    QVERIFY2(remade.contains(QLatin1String("disk is full")), qPrintable(remade));
    QCOMPARE(QFileInfo(full).size(), before);
    openOn(full);
    DbTable again(*m_connection, history);
    again.open();
    QVERIFY(again.rowCount() > 100);
    m_connection->close();
}

void TestDatabase::holeCardFilter_data()
{
    QTest::addColumn<QChar>("p");
    QTest::addColumn<QChar>("q");
    QTest::addColumn<QStringList>("games");
    QTest::newRow("A K") << QChar('A') << QChar('K') << QStringList{"Ad Kc", "Ks Ah"};
    QTest::newRow("K A") << QChar('K') << QChar('A') << QStringList{"Ad Kc", "Ks Ah"};
    QTest::newRow("A A") << QChar('A') << QChar('A') << QStringList{"As Ad", "Ac Ah"};
    QTest::newRow("K K") << QChar('K') << QChar('K') << QStringList{"Kh Kd"};
    QTest::newRow("A and empty slot") << QChar('A') << QChar('-') << QStringList{};
}

void TestDatabase::holeCardFilter()
{
    QFETCH(QChar, p);
    QFETCH(QChar, q);
    QFETCH(QStringList, games);
    const QDate day(2026, 3, 1);
    openOn(historyFile(QStringLiteral("h.mdb"),
                       {game(day, "Ad", "Kc"), game(day, "Ks", "Ah"), game(day, "As", "Ad"),
                        game(day, "Ac", "Ah"), game(day, "Kd", "Qc"), game(day, "Ah", "--"),
                        game(day, "Kh", "Kd"), game(day, "ad", "kc")}));
    DbTable table(*m_connection, history);
    table.open();
    table.setFilter(holeCardText(p, q));
    table.setFiltered(true);
    QStringList found;
    for (table.first(); !table.isEmpty() && !table.atEnd(); table.next())
        found.append(table.text("H1") + ' ' + table.text("H2"));
    QCOMPARE(found, games);

    // A filter whose terms do not share their fields reads the same way.
    table.setFilter(QStringLiteral("(H1 = 'As' AND H2 = 'Ad') OR H1 = 'Kd' OR (H2 = '--')"));
    QCOMPARE(column(table, "H1"), QStringList({"As", "Kd", "Ah"}));
}

void TestDatabase::dateFilters_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("hands");
    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::newRow("DateP >= 01.03.2026 AND DateP <= 31.03.2026")
        << german << "DateP >= 01.03.2026 AND DateP <= 31.03.2026"
        << QStringList{"first", "fifth", "fifth at 14:30", "last"};
    QTest::newRow("DateP >= '01.03.2026' AND DateP <= '31.03.2026'")
        << german << "DateP >= '01.03.2026' AND DateP <= '31.03.2026'"
        << QStringList{"first", "fifth", "fifth at 14:30", "last"};
    QTest::newRow("DateP = 5 Mar 2026")
        << QLocale::c() << "DateP = 5 Mar 2026" << QStringList{"fifth"};
    QTest::newRow("DateP >= 2/1/2026 AND DateP <= 2/28/2026")
        << QLocale(QLocale::English, QLocale::UnitedStates)
        << "DateP >= 2/1/2026 AND DateP <= 2/28/2026" << QStringList{"february"};
    QTest::newRow("DateP = 2026. 04. 01.") << QLocale(QLocale::Hungarian, QLocale::Hungary)
                                           << "DateP = 2026. 04. 01." << QStringList{"april"};
    QTest::newRow("start after end")
        << german << "DateP >= 31.03.2026 AND DateP <= 01.03.2026" << QStringList{};
}

void TestDatabase::dateFilters()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, filter);
    QFETCH(QStringList, hands);
    openOn(historyFile(
        QStringLiteral("h.mdb"),
        {game(QDate(2026, 2, 28), "As", "Kd", "february"),
         game(QDate(2026, 3, 1), "As", "Kd", "first"), game(QDate(2026, 3, 5), "As", "Kd", "fifth"),
         game(QDateTime(QDate(2026, 3, 5), QTime(14, 30)), "As", "Kd", "fifth at 14:30"),
         game(QDate(2026, 3, 31), "As", "Kd", "last"),
         game(QDate(2026, 4, 1), "As", "Kd", "april")}));
    QLocale::setDefault(locale);
    DbTable table(*m_connection, history);
    table.setSort(QStringLiteral("DateP"));
    table.setFilter(filter);
    table.setFiltered(true);
    table.open();
    QCOMPARE(column(table, "Hand"), hands);
}

void TestDatabase::filterSwitching()
{
    const QDate day(2026, 3, 1);
    openOn(historyFile(QStringLiteral("h.mdb"), {game(day, "As", "Kd"), game(day, "Qs", "Qd")}));
    DbTable table(*m_connection, history);
    table.setFilter(QStringLiteral("H1 = 'Qs'"));
    table.setFiltered(true);
    table.open();
    QCOMPARE(table.rowCount(), 1);
    table.setFiltered(false);
    QCOMPARE(table.rowCount(), 2);
    table.setFilter(QString());
    table.setFiltered(true);
    QCOMPARE(table.rowCount(), 2); // an empty filter shows every row

    table.setFilter(QStringLiteral("H1 = 'Qs'"));
    QVERIFY(!failureOf([&] { table.setFilter(QStringLiteral("H1 = Qs")); }).isEmpty());
    QCOMPARE(table.filter(), QStringLiteral("H1 = 'Qs'"));
    QCOMPARE(table.rowCount(), 1);
    QVERIFY(table.isFiltered());

    // The filter outlives the file: the next file opens with it in force.
    m_connection->close();
    QVERIFY(!table.isOpen());
    openOn(historyFile(QStringLiteral("next.mdb"),
                       {game(day, "Qs", "Js"), game(day, "Qs", "Ts"), game(day, "2s", "2d")}));
    table.open();
    QCOMPARE(table.rowCount(), 2);
}

void TestDatabase::sortOrders_data()
{
    QTest::addColumn<QString>("sort");
    QTest::addColumn<QStringList>("hands");
    QTest::newRow("Result") << "Result" << QStringList{"fold", "lose", "split", "win"};
    QTest::newRow("DateP DESC: newest recorded first on a day")
        << "DateP DESC" << QStringList{"win", "split", "lose", "fold"};
    QTest::newRow("DateP: first recorded first on a day")
        << "DateP" << QStringList{"fold", "lose", "split", "win"};
    QTest::newRow("Hand DESC") << "Hand DESC" << QStringList{"win", "split", "lose", "fold"};
    QTest::newRow("no sort: as recorded") << "" << QStringList{"lose", "win", "fold", "split"};
}

void TestDatabase::sortOrders()
{
    QFETCH(QString, sort);
    QFETCH(QStringList, hands);
    openOn(historyFile(QStringLiteral("h.mdb"),
                       {game(QDate(2026, 3, 2), "As", "Kd", "lose", "Lose"),
                        game(QDate(2026, 3, 3), "As", "Kd", "win", "Win"),
                        game(QDate(2026, 3, 1), "As", "Kd", "fold", "Fold"),
                        game(QDate(2026, 3, 3), "As", "Kd", "split", "Split")}));
    DbTable table(*m_connection, history);
    table.open();
    table.setSort(sort);
    QCOMPARE(table.sort(), sort);
    QStringList expected = hands;
    if (sort == QLatin1String("DateP DESC") || sort == QLatin1String("DateP")) {
        // Two games on the 3rd: "win" was recorded before "split".
        expected = sort.endsWith(QLatin1String("DESC"))
                       ? QStringList{"split", "win", "lose", "fold"}
                       : QStringList{"fold", "lose", "win", "split"};
    }
    QCOMPARE(column(table, "Hand"), expected);
}

void TestDatabase::sortingKeepsTheCurrentRow()
{
    const QDate day(2026, 3, 1);
    openOn(historyFile(
        QStringLiteral("h.mdb"),
        {game(day, "As", "Kd", "b"), game(day, "As", "Kd", "c"), game(day, "As", "Kd", "a")}));
    DbTable table(*m_connection, history);
    table.open();
    QVERIFY(table.locate(QStringLiteral("Hand"), {QStringLiteral("c")}));
    table.setSort(QStringLiteral("Hand DESC"));
    QCOMPARE(table.currentRow(), 0);
    QCOMPARE(table.text("Hand"), QStringLiteral("c"));
    QVERIFY(!failureOf([&] { table.setSort(QStringLiteral("Hand DOWN")); }).isEmpty());
    QCOMPARE(table.sort(), QStringLiteral("Hand DESC"));
}

void TestDatabase::locate_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<int>("options");
    QTest::addColumn<int>("row"); // -1: not found
    const int none = 0;
    const int nocase = DbTable::CaseInsensitive;
    QTest::newRow("Hand = AK suited") << "PreFlop"
                                      << "Hand" << QVariantList{"AK suited"} << none << 1;
    QTest::newRow("Hand = ak SUITED, case counts")
        << "PreFlop"
        << "Hand" << QVariantList{"ak SUITED"} << none << -1;
    QTest::newRow("Hand = ak SUITED, any case")
        << "PreFlop"
        << "Hand" << QVariantList{"ak SUITED"} << nocase << 1;
    QTest::newRow("Hand begins AK")
        << "PreFlop"
        << "Hand" << QVariantList{"AK"} << int(DbTable::PartialKey) << 1;
    QTest::newRow("Hand begins KA")
        << "PreFlop"
        << "Hand" << QVariantList{"KA"} << int(DbTable::PartialKey) << -1;
    QTest::newRow("Hand = AK, whole key") << "PreFlop"
                                          << "Hand" << QVariantList{"AK"} << none << -1;
    QTest::newRow("HType;Rnd;Opps = 2 Pair, Turn, Call")
        << "FTR"
        << "HType;Rnd;Opps" << QVariantList{"2 Pair", "Turn", "Call"} << none << 2;
    QTest::newRow("HType;Opps;Rnd = 2 pair, raise 100%, turn")
        << "FTR"
        << "HType;Opps;Rnd" << QVariantList{"2 pair", "raise 100%", "turn"} << nocase << 3;
    QTest::newRow("HType;Rnd;Opps = 2 Pair, River, Call")
        << "FTR"
        << "HType;Rnd;Opps" << QVariantList{"2 Pair", "River", "Call"} << none << -1;
    QTest::newRow("HitV = 10") << "FTR"
                               << "HitV" << QVariantList{10} << none << 0;
}

void TestDatabase::locate()
{
    QFETCH(QString, table);
    QFETCH(QString, keys);
    QFETCH(QVariantList, values);
    QFETCH(int, options);
    QFETCH(int, row);
    openOn(systemFile(QStringLiteral("s.mdb")));
    DbTable rows(*m_connection, table);
    rows.open();
    rows.moveTo(rows.rowCount() - 1);
    QCOMPARE(rows.locate(keys, values, DbTable::LocateOptions(options)), row >= 0);
    QCOMPARE(rows.currentRow(), row >= 0 ? row : rows.rowCount() - 1); // not found: stays put
}

void TestDatabase::locateSearchesOnlyFilteredRows()
{
    openOn(systemFile(QStringLiteral("s.mdb")));
    DbTable preFlop(*m_connection, QStringLiteral("PreFlop"));
    preFlop.setFilter(QStringLiteral("Hand >= 'AK' AND Hand <= 'AKz'"));
    preFlop.setFiltered(true);
    preFlop.open();
    QVERIFY(!preFlop.locate(QStringLiteral("Hand"), {QStringLiteral("KK")}));
    QVERIFY(preFlop.locate(QStringLiteral("Hand"), {QStringLiteral("AK offsuit")}));
    QCOMPARE(preFlop.currentRow(), 1);
    QVERIFY(!failureOf([&] {
                 preFlop.locate(QStringLiteral("Hand;OppCl"), {QStringLiteral("KK")});
             }).isEmpty());
}

void TestDatabase::appendEditPost()
{
    const QString file =
        historyFile(QStringLiteral("h.mdb"), {game(QDate(2026, 3, 1), "Qs", "Qd")});
    openOn(file);
    DbTable table(*m_connection, history);
    table.setSort(QStringLiteral("DateP DESC"));
    table.open();

    table.append();
    table.setField(QStringLiteral("DateP"), QDate(2026, 3, 2));
    table.setField(QStringLiteral("H1"), QStringLiteral("As"));
    table.setField(QStringLiteral("H2"), QStringLiteral("Kd"));
    table.setField(QStringLiteral("Rtg"), 9297373);
    QCOMPARE(table.integer(QStringLiteral("Rtg")), 9297373); // read back before posting
    table.setField(QStringLiteral("Hand"), QStringLiteral("Straight Flush. AKQJT"));
    table.setField(QStringLiteral("Result"), QStringLiteral("Win"));
    table.post();
    QCOMPARE(table.rowCount(), 2);
    QCOMPARE(table.currentRow(), 0); // the new row, newest first
    QCOMPARE(table.text(QStringLiteral("H1")), QStringLiteral("As"));
    QCOMPARE(table.text(QStringLiteral("F1")), QString()); // never set: empty

    table.moveTo(1);
    table.edit();
    table.setField(QStringLiteral("Result"), QStringLiteral("Fold"));
    table.post();
    QCOMPARE(table.text(QStringLiteral("Result")), QStringLiteral("Fold"));
    table.edit();
    table.setField(QStringLiteral("Result"), QStringLiteral("Lose"));
    table.cancel();
    QCOMPARE(table.text(QStringLiteral("Result")), QStringLiteral("Fold"));

    // Posted means committed: another connection sees both writes.
    DbConnection other;
    other.setConnectionString(DbConnection::connectionStringFor(file));
    DbQuery query(other);
    query.setSql(QStringLiteral("SELECT H1, Result, DateP FROM History ORDER BY rowid"));
    query.open();
    QCOMPARE(query.text(QStringLiteral("Result")), QStringLiteral("Fold"));
    query.next();
    QCOMPARE(query.text(QStringLiteral("H1")), QStringLiteral("As"));
    QCOMPARE(query.value(QStringLiteral("DateP")), QVariant(QStringLiteral("2026-03-02")));
}

void TestDatabase::aPendingRowIsPostedWhenTheTableMoves()
{
    openOn(systemFile(QStringLiteral("s.mdb")));
    DbTable preFlop(*m_connection, QStringLiteral("PreFlop"));
    preFlop.open();
    preFlop.edit();
    preFlop.setField(QStringLiteral("OppCl"), QStringLiteral("Raise All-In"));
    QVERIFY(preFlop.locate(QStringLiteral("Hand"), {QStringLiteral("KK")}));
    QVERIFY(!preFlop.isEditing());
    preFlop.first();
    QCOMPARE(preFlop.text(QStringLiteral("OppCl")), QStringLiteral("Raise All-In"));
}

void TestDatabase::aRefusedFieldDropsThePendingRow()
{
    openOn(historyFile(QStringLiteral("h.mdb"), {}));
    DbTable table(*m_connection, history);
    table.open();
    table.append();
    table.setField(QStringLiteral("H1"), QStringLiteral("As"));
    const QString message =
        failureOf([&] { table.setField(QStringLiteral("Hand"), QString(31, QLatin1Char('x'))); });
    QVERIFY2(message.contains(QLatin1String("at most 30")), qPrintable(message));
    QVERIFY(!table.isEditing());
    table.first(); // would post a half row if one were still pending
    QVERIFY(table.isEmpty());
    QVERIFY(!failureOf([&] {
                 table.appendRecord(game(QDate(2026, 3, 1), "As", "Kd", "x", "Winner"));
             }).isEmpty());
    table.refresh();
    QVERIFY(table.isEmpty());
}

void TestDatabase::transactions()
{
    openOn(historyFile(QStringLiteral("h.mdb"), {game(QDate(2026, 3, 1), "As", "Kd")}));
    DbTable table(*m_connection, history);
    table.open();
    {
        DbTransaction transaction(*m_connection);
        for (int i = 0; i < 300; ++i)
            table.appendRecord(game(QDate(2026, 3, 2), "Qs", "Qd"));
        transaction.commit();
    }
    QCOMPARE(table.rowCount(), 301);
    {
        DbTransaction transaction(*m_connection);
        table.appendRecord(game(QDate(2026, 3, 3), "2s", "2d"));
        table.edit();
        table.setField(QStringLiteral("H1"), QStringLiteral("3s"));
        table.post();
        QCOMPARE(table.rowCount(), 302);
    } // left without commit: both writes are undone and the table shows it
    QCOMPARE(table.rowCount(), 301);
    QVERIFY(!table.locate(QStringLiteral("H1"), {QStringLiteral("3s")}));
    m_connection->close();
    table.open();
    QCOMPARE(table.rowCount(), 301);
}

void TestDatabase::writingNeedsAppendOrEdit()
{
    openOn(historyFile(QStringLiteral("h.mdb"), {game(QDate(2026, 3, 1), "As", "Kd")}));
    DbTable table(*m_connection, history);
    QVERIFY(failureOf([&] { table.first(); }).contains(QLatin1String("not open")));
    table.open();
    QVERIFY(
        !failureOf([&] { table.setField(QStringLiteral("H1"), QStringLiteral("Qs")); }).isEmpty());
    QVERIFY(!failureOf([&] { table.post(); }).isEmpty());
    QVERIFY(
        failureOf([&] { table.text(QStringLiteral("Nope")); }).contains(QStringLiteral("“Nope”")));
}

void TestDatabase::walking()
{
    openOn(historyFile(QStringLiteral("h.mdb"), {}));
    DbTable table(*m_connection, history);
    table.open();
    table.first();
    QVERIFY(table.isEmpty());
    QVERIFY(table.atEnd());
    QVERIFY(!failureOf([&] { table.text(QStringLiteral("H1")); }).isEmpty());

    for (const char *h1 : {"As", "Ks", "Qs"})
        table.appendRecord(game(QDate(2026, 3, 1), QString::fromLatin1(h1), "2d"));
    QStringList seen;
    for (table.first(); !table.atEnd(); table.next())
        seen.append(table.text(QStringLiteral("H1")));
    QCOMPARE(seen, QStringList({"As", "Ks", "Qs"}));
    QCOMPARE(table.currentRow(), 2); // the walk ends standing on the last row
    QCOMPARE(table.text(QStringLiteral("H1")), QStringLiteral("Qs"));
    table.first();
    QVERIFY(!table.atEnd());
}

void TestDatabase::readingNumbersAndDates()
{
    openOn(systemFile(QStringLiteral("s.mdb")));
    DbTable ftr(*m_connection, QStringLiteral("FTR"));
    ftr.open();
    QList<qint64> thresholds;
    for (ftr.first(); !ftr.atEnd(); ftr.next())
        thresholds.append(ftr.integer(QStringLiteral("HitV")));
    QCOMPARE(thresholds, QList<qint64>({10, 2, 4, 0})); // 2.5 -> 2, 3.5 -> 4, empty -> 0
    ftr.moveTo(1);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(ftr.text(QStringLiteral("HitV")), QStringLiteral("2,5"));
    QVERIFY(!failureOf([&] { ftr.integer(QStringLiteral("HType")); }).isEmpty());

    m_connection->close();
    const QDate day(2026, 3, 5);
    openOn(historyFile(QStringLiteral("h.mdb"),
                       {game(day, "As", "Kd"), game(QDateTime(day, QTime(14, 30)), "As", "Kd")}));
    DbTable table(*m_connection, history);
    table.open();
    QCOMPARE(table.date("DateP"), day);
    QVERIFY(table.timeOfDay("DateP").isNull());
    QCOMPARE(table.dateTime("DateP"), QDateTime(day, QTime(0, 0)));
    QCOMPARE(table.text("DateP"), QStringLiteral("05.03.2026"));
    table.next();
    QCOMPARE(table.date("DateP"), day); // the day still counts for its week and month
    QCOMPARE(table.timeOfDay("DateP"), QTime(14, 30));
    QCOMPARE(table.dateTime("DateP"), QDateTime(day, QTime(14, 30)));
    QCOMPARE(table.text("DateP"), QStringLiteral("05.03.2026 14:30"));
}

void TestDatabase::suspendedViewsStayQuiet()
{
    const QDate day(2026, 3, 1);
    openOn(historyFile(QStringLiteral("h.mdb"), {game(day, "As", "Kd"), game(day, "Ks", "Qd")}));
    DbTable table(*m_connection, history);
    table.open();
    QSignalSpy resets(&table, &DbTable::rowsReset);
    QSignalSpy moves(&table, &DbTable::currentRowChanged);
    table.suspendViews();
    table.suspendViews();
    for (table.first(); !table.atEnd(); table.next()) {
    }
    table.setSort(QStringLiteral("H1 DESC"));
    table.resumeViews();
    QCOMPARE(resets.count() + moves.count(), 0);
    table.resumeViews();
    QCOMPARE(resets.count(), 1);
    QCOMPARE(moves.count(), 1);
    table.next();
    QCOMPARE(moves.count(), 2);
}

void TestDatabase::closingTheConnectionClosesItsTables()
{
    openOn(historyFile(QStringLiteral("h.mdb"), {game(QDate(2026, 3, 1), "As", "Kd")}));
    DbTable table(*m_connection, history);
    DbQuery query(*m_connection);
    query.setSql(QStringLiteral("SELECT * FROM History"));
    table.open();
    query.open();
    QSignalSpy resets(&table, &DbTable::rowsReset);
    m_connection->close();
    QVERIFY(!table.isOpen());
    QVERIFY(!query.isOpen());
    QCOMPARE(table.rowCount(), 0);
    QCOMPARE(resets.count(), 1);
    QVERIFY(!DbConnection::isFileOpen(
        DbConnection::pathFromConnectionString(m_connection->connectionString())));
    table.open(); // opens the connection again
    QVERIFY(m_connection->isConnected());
    QCOMPARE(table.rowCount(), 1);
}

void TestDatabase::queries()
{
    const QDate day(2026, 3, 1);
    openOn(historyFile(QStringLiteral("h.mdb"),
                       {game(day, "As", "Kd"), game(day, "Ks", "Qd"), game(day, "2s", "2d")}));
    DbQuery query(*m_connection);
    query.setSql(QStringLiteral("SELECT * FROM History"));
    query.open();
    QVERIFY(m_connection->isConnected());
    QStringList seen;
    for (; !query.atEnd(); query.next())
        seen.append(query.text(QStringLiteral("h1")));
    QCOMPARE(seen, QStringList({"As", "Ks", "2s"}));
    query.first();
    QCOMPARE(query.text(QStringLiteral("H1")), QStringLiteral("As"));
    QCOMPARE(query.date(QStringLiteral("DateP")), day);
    QVERIFY(!failureOf([&] { query.setSql(QStringLiteral("SELECT 1")); }).isEmpty());
    query.close();

    m_connection->close();
    query.setSql(QStringLiteral("SELECT * FROM Histroy"));
    const QString message = failureOf([&] { query.open(); });
    QVERIFY2(message.contains(QLatin1String("Histroy")), qPrintable(message));
    QVERIFY(!m_connection->isConnected());
    QVERIFY(!query.isOpen());
}

void TestDatabase::safeCopy()
{
    const QString source =
        historyFile(QStringLiteral("a.mdb"), {game(QDate(2026, 3, 1), "As", "Kd")});
    const QString target = path(QStringLiteral("b.mdb"));
    openOn(source);
    m_connection->open();
    QVERIFY(failureOf([&] { safeCopyFile(source, target); }).contains(QLatin1String("still open")));
    m_connection->close();

    safeCopyFile(source, target);
    QFile a(source), b(target);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(b.readAll(), a.readAll());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList({"a.mdb", "b.mdb"}));
    QVERIFY(
        failureOf([&] { safeCopyFile(source, source); }).contains(QLatin1String("onto itself")));

    openOn(target); // the copy is a working database
    DbTable table(*m_connection, history);
    table.open();
    QCOMPARE(table.rowCount(), 1);
}

void TestDatabase::aFailedCopyLeavesTheTargetAlone()
{
    const QString target = path(QStringLiteral("b.mdb"));
    {
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old content");
    }
    QVERIFY(!failureOf([&] { safeCopyFile(path(QStringLiteral("gone.mdb")), target); }).isEmpty());
    QFile kept(target);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("old content"));

    const QString source = historyFile(QStringLiteral("a.mdb"), {});
    const QString nowhere = path(QStringLiteral("missing/b.mdb"));
    QVERIFY(failureOf([&] { safeCopyFile(source, nowhere); }).contains(QLatin1String("b.mdb")));
    QVERIFY(!QFileInfo::exists(nowhere));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList({"a.mdb", "b.mdb"}));
}

void TestDatabase::samePath_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");
    QTest::newRow("a.mdb, a.mdb") << "a.mdb"
                                  << "a.mdb" << true;
    QTest::newRow("a.mdb, sub/../a.mdb") << "a.mdb"
                                         << "sub/../a.mdb" << true;
    QTest::newRow("a.mdb, ./sub/../a.mdb") << "a.mdb"
                                           << "./sub/../a.mdb" << true;
    QTest::newRow("a.mdb, link.mdb") << "a.mdb"
                                     << "link.mdb" << true;
    QTest::newRow("a.mdb, A.mdb") << "a.mdb"
                                  << "A.mdb" << false;
    QTest::newRow("a.mdb, b.mdb") << "a.mdb"
                                  << "b.mdb" << false;
    QTest::newRow("new.mdb, sub/../new.mdb (not yet there)") << "new.mdb"
                                                             << "sub/../new.mdb" << true;
}

void TestDatabase::samePath()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);
    QDir dir(m_dir->path());
    QVERIFY(dir.mkdir(QStringLiteral("sub")));
    for (const char *name : {"a.mdb", "A.mdb", "b.mdb"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("a.mdb")),
                        dir.filePath(QStringLiteral("link.mdb"))));
    QCOMPARE(::samePath(dir.filePath(a), dir.path() + QLatin1Char('/') + b), same);
}

void TestDatabase::deletingRemovesLeftOverJournals()
{
    const QString file = historyFile(QStringLiteral("h.mdb"), {});
    QFile journal(file + QStringLiteral("-journal"));
    QVERIFY(journal.open(QIODevice::WriteOnly));
    journal.write("left over after a crash");
    journal.close();
    openOn(file);
    m_connection->open();
    QVERIFY(failureOf([&] { deleteDatabaseFile(file); }).contains(QLatin1String("still open")));
    QVERIFY(QFile::exists(file));
    m_connection->close();
    deleteDatabaseFile(file);
    QVERIFY(!QFile::exists(file));
    QVERIFY(!QFile::exists(journal.fileName()));
}

void TestDatabase::modelFollowsTheTable()
{
    openOn(
        historyFile(QStringLiteral("h.mdb"), {game(QDate(2026, 3, 1), "As", "Kd", "a", "Win"),
                                              game(QDate(2026, 3, 5), "Ks", "Qd", "b", "Lose")}));
    DbTable table(*m_connection, history);
    DbTableModel model(table);
    model.setColumnTitles(
        {"Date", "H1", "H2", "F1", "F2", "F3", "Tn", "Rr", "Rtg", "Hand", "Result"});
    QCOMPARE(model.columnCount(), 11); // headers stand also without a file
    QCOMPARE(model.rowCount(), 0);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

    table.open();
    QCOMPARE(resets.count(), 1);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Date"));
    QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("1 Mar 2026"));
    QCOMPARE(model.data(model.index(0, 0), DbTableModel::StoredValueRole).toString(),
             QStringLiteral("2026-03-01"));
    QCOMPARE(model.data(model.index(1, 10)).toString(), QStringLiteral("Lose"));

    table.setSort(QStringLiteral("DateP DESC"));
    QCOMPARE(resets.count(), 2);
    QCOMPARE(model.data(model.index(0, 9)).toString(), QStringLiteral("b"));

    table.suspendViews();
    table.setFilter(QStringLiteral("H1 = 'As'"));
    table.setFiltered(true);
    QCOMPARE(model.rowCount(), 2); // the view keeps its rows while suspended
    table.resumeViews();
    QCOMPARE(resets.count(), 3);
    QCOMPARE(model.rowCount(), 1);

    table.edit();
    table.setField(QStringLiteral("Result"), QStringLiteral("Split"));
    table.post();
    QCOMPARE(changes.count(), 1);
    QCOMPARE(model.data(model.index(0, 10)).toString(), QStringLiteral("Split"));

    m_connection->close();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 11);
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
