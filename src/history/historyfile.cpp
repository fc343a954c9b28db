// SPDX-License-Identifier: GPL-3.0-or-later
// Making and opening history files.
#include "history/historyfile.h"

#include "db/dbconnection.h"
#include "db/dberror.h"
#include "db/dbfiles.h"
#include "db/dbtable.h"
#include "db/dbvalue.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

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
        addHistoryIndexes(connection);
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

void addHistoryIndexes(DbConnection &connection)
{
    executeCommand(connection,
                   QStringLiteral("CREATE INDEX IF NOT EXISTS HistoryDates ON History (DateP)"));
    // The date beside the hole cards answers the Hand History's filter and its order by date
    // from the index alone; reading ten thousand rows from the table itself costs more than
    // a card click may take.
    executeCommand(connection, QStringLiteral("CREATE INDEX IF NOT EXISTS HistoryHoleCardDates ON "
                                              "History (H1, H2, DateP)"));
    // The index of earlier files on the hole cards alone is a part of this one.
    executeCommand(connection, QStringLiteral("DROP INDEX IF EXISTS HistoryHoleCards"));
}

namespace {

QList<DbColumn> historyColumns(DbConnection &connection)
{
    QList<DbColumn> columns;
    {
        QSqlQuery info(connection.database());
        if (!info.exec(QStringLiteral("PRAGMA table_info(History)"))) {
            throw sqlFailure(QCoreApplication::translate("HistoryFile",
                                                         "The table “History” of “%1” could not "
                                                         "be read.")
                                 .arg(displayPath(connection.filePath())),
                             info.lastError());
        }
        while (info.next())
            columns.append(columnFromDeclaration(info.value(1).toString(), QString()));
    }
    return columns;
}

} // namespace

QStringList missingHistoryFields(DbConnection &connection)
{
    const QList<DbColumn> columns = historyColumns(connection);
    QStringList missing;
    if (columns.isEmpty())
        return missing;
    for (const QString &field : historyFields()) {
        if (columnIndex(columns, field) < 0)
            missing.append(field);
    }
    return missing;
}

void requireHistoryFields(DbConnection &connection)
{
    const QString file = displayPath(connection.filePath());
    if (historyColumns(connection).isEmpty()) {
        throw DatabaseError(QCoreApplication::translate("HistoryFile",
                                                        "The database “%1” has no table "
                                                        "“History”.")
                                .arg(file));
    }
    const QStringList missing = missingHistoryFields(connection);
    if (missing.isEmpty())
        return;
    throw DatabaseError(
        missing.size() == 1
            ? QCoreApplication::translate("HistoryFile",
                                          "“%1” is no history file: its table “History” has no "
                                          "field %2.")
                  .arg(file, missing.front())
            : QCoreApplication::translate("HistoryFile",
                                          "“%1” is no history file: its table “History” lacks "
                                          "the fields %2.")
                  .arg(file, missing.join(QStringLiteral(", "))));
}

void openHistoryTables(DbConnection &connection, DbTable &handHistory, DbTable &gameHistory,
                       const QString &holeCardFilter)
{
    try {
        requireHistoryFields(connection);
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
