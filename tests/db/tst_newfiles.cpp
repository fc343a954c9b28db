// SPDX-License-Identifier: GPL-3.0-or-later
// New history and system files are all or nothing: a process killed at a random moment while
// it makes one leaves the file that was there before or the complete new one, never a part.
#include "db/dbconnection.h"
#include "db/dberror.h"
#include "db/dbfiles.h"
#include "failureof.h"
#include "history/historyfile.h"
#include "systems/systemdatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

// One count per table; -1 when the table is missing. Empty when the file is no sound database.
std::optional<QMap<QString, int>> tableRows(const QString &path, const QStringList &tables)
{
    std::optional<QMap<QString, int>> rows;
    const QString name = QStringLiteral("tst-newfiles-check");
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(path);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (database.open()) {
            QSqlQuery check(database);
            if (check.exec(QStringLiteral("PRAGMA integrity_check")) && check.next() &&
                check.value(0).toString() == QLatin1String("ok")) {
                rows.emplace();
                for (const QString &table : tables) {
                    QSqlQuery count(database);
                    const bool read =
                        count.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table)) &&
                        count.next();
                    rows->insert(table, read ? count.value(0).toInt() : -1);
                }
            }
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

QString describe(const std::optional<QMap<QString, int>> &rows)
{
    if (!rows)
        return QStringLiteral("not a sound database");
    QStringList parts;
    for (auto it = rows->cbegin(); it != rows->cend(); ++it)
        parts.append(QStringLiteral("%1: %2 rows").arg(it.key()).arg(it.value()));
    return parts.join(QStringLiteral(", "));
}

QString child()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("newfilechild"));
}

} // namespace

class TestNewFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedWhileMakingLeavesNoHalfFile_data();
    void killedWhileMakingLeavesNoHalfFile();
    void failedBuildLeavesTheOldFile();
    void newFileReplacesTheOld_data();
    void newFileReplacesTheOld();
};

void TestNewFiles::killedWhileMakingLeavesNoHalfFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("tables");
    QTest::addColumn<QList<int>>("complete"); // rows of each table in a complete new file
    QTest::newRow("history") << "history" << QStringList{"History"} << QList<int>{0};
    QTest::newRow("system") << "system" << QStringList{"FTR", "PreFlop"} << QList<int>{168, 169};
}

// Killed 32 times at random moments, each while the helper makes a file (it makes one after
// the other): the first runs start with no file at the path, the others with a complete one.
void TestNewFiles::killedWhileMakingLeavesNoHalfFile()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, tables);
    QFETCH(QList<int>, complete);
    QMap<QString, int> completeRows;
    for (int i = 0; i < tables.size(); ++i)
        completeRows.insert(tables.at(i), complete.at(i));

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("new.mdb"));
    // About how long one file takes, so that the kills land anywhere within one.
    QElapsedTimer clock;
    clock.start();
    kind == QLatin1String("history") ? buildHistoryFile(path) : BuildSystemFile(path);
    const int oneFile = std::max(5, int(clock.elapsed()));
    QFile::remove(path);

    QRandomGenerator random(20261209);
    for (int run = 0; run < 32; ++run) {
        const bool hadFile = QFileInfo::exists(path);
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(child(), {kind, path});
        QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
        QVERIFY(process.waitForReadyRead(30000));
        QTest::qSleep(int(random.bounded(oneFile * 3)));
        process.kill();
        QVERIFY(process.waitForFinished(10000));
        if (!QFileInfo::exists(path)) {
            QVERIFY2(!hadFile, "the file was there before and is gone");
            continue;
        }
        const auto rows = tableRows(path, tables);
        QVERIFY2(rows == completeRows,
                 qPrintable(QStringLiteral("run %1: %2").arg(run).arg(describe(rows))));
    }
}

// A content that cannot be made leaves the file as it was, and no temporary file beside it.
void TestNewFiles::failedBuildLeavesTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("games.mdb"));
    buildHistoryFile(path);
    const QByteArray before = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    const QString message = failureOf([&path] {
        buildDatabaseFile(path, [](const QString &temporary) {
            DbConnection connection;
            connection.setConnectionString(DbConnection::connectionStringFor(temporary));
            executeCommand(connection, QStringLiteral("CREATE TABLE T (A TEXT)"));
            executeCommand(connection, QStringLiteral("CREATE TABLE T (A TEXT)"));
        });
    });
    QVERIFY2(message.contains(QLatin1String("CREATE TABLE T")), qPrintable(message));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("games.mdb")});
}

void TestNewFiles::newFileReplacesTheOld_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("rows");
    QTest::newRow("history over a system") << "history"
                                           << "History" << 0;
    QTest::newRow("system over a history") << "system"
                                           << "PreFlop" << 169;
}

void TestNewFiles::newFileReplacesTheOld()
{
    QFETCH(QString, kind);
    QFETCH(QString, table);
    QFETCH(int, rows);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("file.mdb"));
    kind == QLatin1String("history") ? BuildSystemFile(path) : buildHistoryFile(path);
    // A journal left beside the old file must not be rolled into the new one.
    QFile journal(path + QStringLiteral("-journal"));
    QVERIFY(journal.open(QIODevice::WriteOnly) && journal.write(QByteArray(512, 'j')) == 512);
    journal.close();
    kind == QLatin1String("history") ? buildHistoryFile(path) : BuildSystemFile(path);
    QCOMPARE(tableRows(path, {table}), (QMap<QString, int>{{table, rows}}));
    QVERIFY(!journal.exists());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("file.mdb")});
}

QTEST_GUILESS_MAIN(TestNewFiles)
#include "tst_newfiles.moc"
