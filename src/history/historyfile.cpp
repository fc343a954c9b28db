// SPDX-License-Identifier: GPL-3.0-or-later
// Making and opening history files.
#include "history/historyfile.h"

#include "db/dbconnection.h"
#include "db/dberror.h"
#include "db/dbfiles.h"
#include "db/dbtable.h"

#include <QCoreApplication>
#include <QFileInfo>

QStringList historyFields()
{
    return {QStringLiteral("DateP"), QStringLiteral("H1"),    QStringLiteral("H2"),
            QStringLiteral("F1"),    QStringLiteral("F2"),    QStringLiteral("F3"),
            QStringLiteral("Tn"),    QStringLiteral("Rr"),    QStringLiteral("Rtg"),
            QStringLiteral("Hand"),  QStringLiteral("Result")};
}

void buildHistoryFile(const QString &path)
{
    buildDatabaseFile(path, [](const QString &temporary) {
        DbConnection connection;
        connection.setConnectionString(DbConnection::connectionStringFor(temporary));
        executeCommand(connection, QString::fromLatin1(kCreateHistoryTable));
        connection.close();
    });
}

void createHistoryFile(DbConnection &connection, const QString &path)
{
    if (QFileInfo::exists(path))
        throw DatabaseError(
            QCoreApplication::translate("HistoryFile", "The file “%1” already exists.")
                .arg(displayPath(path)));
    buildHistoryFile(path);
    connection.setConnectionString(DbConnection::connectionStringFor(path));
    connection.open();
}

void openHistoryTables(DbConnection &connection, DbTable &handHistory, DbTable &gameHistory,
                       const QString &holeCardFilter)
{
    try {
        // Sort and filter are set while the tables are closed, so each reads its rows once.
        handHistory.close();
        handHistory.setSort(QString::fromLatin1(kNewestFirst));
        handHistory.setFilter(holeCardFilter);
        handHistory.setFiltered(true);
        handHistory.open();
        gameHistory.close();
        gameHistory.setSort(QString::fromLatin1(kNewestFirst));
        gameHistory.open();
    } catch (...) {
        connection.close();
        throw;
    }
}
