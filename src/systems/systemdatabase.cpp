// SPDX-License-Identifier: GPL-3.0-or-later
// Betting-system files over the database layer.
#include "systems/systemdatabase.h"

#include "db/dbconnection.h"
#include "db/dbfiles.h"
#include "db/dbtable.h"
#include "systems/systemvocabulary.h"

#include <QCoreApplication>
#include <QVariantList>

namespace {

const QString createHandSet =
    QStringLiteral("CREATE TABLE PreFlop (Hand TEXT(11), OppCl TEXT(12), OppR1 TEXT(12), "
                   "OppR2 TEXT(12), OppR4 TEXT(12), OppR8 TEXT(12), OppAI TEXT(12))");
const QString createTypeSet = QStringLiteral(
    "CREATE TABLE FTR (HType TEXT(14), Rnd TEXT(5), Opps TEXT(12), HitE TEXT(12), "
    "HitL TEXT(12), HitS TEXT(12), HitV NUMBER, HgrL TEXT(12), HgrS TEXT(12), HgrV NUMBER)");

// A new system calls after the flop when the hand is made or likely, and folds when an opponent
// likely holds better.
constexpr int kDefaultThreshold = 50;

} // namespace

QString systemFileFilter()
{
    return QCoreApplication::translate("SystemDatabase", "MS Access Database (*.mdb)");
}

void CreateSystemFile(DbConnection &connection, const QString &path)
{
    createDatabaseFile(path);
    connection.setConnectionString(DbConnection::connectionStringFor(path));
    try {
        executeCommand(connection, createHandSet);
        executeCommand(connection, createTypeSet);
    } catch (...) {
        connection.close();
        throw;
    }
}

void BuildSystemFile(const QString &path)
{
    buildDatabaseFile(path, [](const QString &temporary) {
        DbConnection connection;
        connection.setConnectionString(DbConnection::connectionStringFor(temporary));
        executeCommand(connection, createHandSet);
        executeCommand(connection, createTypeSet);
        DbTable handSet(connection, QString::fromLatin1(kHandSetTable));
        DbTable typeSet(connection, QString::fromLatin1(kTypeSetTable));
        OpenSystemTables(connection, handSet, typeSet);
        FillDefaultSystem(connection, handSet, typeSet);
        connection.close();
    });
}

void OpenSystemTables(DbConnection &connection, DbTable &handSet, DbTable &typeSet)
{
    try {
        handSet.open();
        typeSet.open();
    } catch (...) {
        connection.close();
        throw;
    }
}

void FillDefaultSystem(DbConnection &connection, DbTable &handSet, DbTable &typeSet)
{
    const QString fold = playerActions().at(0);
    const QString call = playerActions().at(1);
    DbTransaction transaction(connection);
    for (const QString &type : systemHandTypes()) {
        for (const QString &opponents : opponentsActions()) {
            for (const QString &round : systemRounds()) {
                typeSet.appendRecord({type, round, opponents, call, call, fold, kDefaultThreshold,
                                      fold, call, kDefaultThreshold});
            }
        }
    }
    for (const QString &hand : startingHandNames())
        handSet.appendRecord({hand, fold, fold, fold, fold, fold, fold});
    transaction.commit();
    typeSet.first();
    handSet.first();
}

QString SystemFilePath(const DbConnection &connection)
{
    return connection.filePath();
}
