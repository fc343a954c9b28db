// SPDX-License-Identifier: GPL-3.0-or-later
// Deleting games and restoring them.
#include "history/historyedits.h"

#include "db/dbconnection.h"
#include "db/dberror.h"
#include "db/dbstatement.h"
#include "db/dbvalue.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// Row ids written into one statement; long selections go in several.
constexpr std::size_t kIdsAtOnce = 500;

QString tr(const char *text)
{
    return QCoreApplication::translate("HistoryEdits", text);
}

QString idList(const std::vector<qint64> &ids, std::size_t from, std::size_t to)
{
    QStringList texts;
    for (std::size_t i = from; i < to; ++i)
        texts << QString::number(ids[i]);
    return texts.join(QLatin1Char(','));
}

void run(QSqlQuery &query, const QString &failed)
{
    if (!query.exec())
        throw sqlFailure(failed, query.lastError());
}

} // namespace

DeletedGames deleteGames(DbConnection &connection, const std::vector<qint64> &rowIds)
{
    const QString failed =
        tr("The games could not be deleted from “%1”.").arg(displayPath(connection.filePath()));
    DeletedGames deleted;
    deleted.file = connection.filePath();
    DbTransaction writing(connection);
    for (std::size_t from = 0; from < rowIds.size(); from += kIdsAtOnce) {
        const std::size_t to = std::min(rowIds.size(), from + kIdsAtOnce);
        const QString ids = idList(rowIds, from, to);
        {
            DbStatement rows(connection.database(),
                             QStringLiteral("SELECT rowid, * FROM History WHERE rowid IN (%1) "
                                            "ORDER BY rowid")
                                 .arg(ids),
                             failed);
            if (deleted.fields.isEmpty()) {
                for (int column = 1; column < rows.columnCount(); ++column)
                    deleted.fields << rows.columnName(column);
            }
            while (rows.step()) {
                deleted.rowIds << rows.value(0).toLongLong();
                QVariantList values;
                for (int column = 1; column < rows.columnCount(); ++column)
                    values << rows.value(column);
                deleted.rows << values;
            }
        }
        QSqlQuery remove(connection.database());
        remove.prepare(QStringLiteral("DELETE FROM History WHERE rowid IN (%1)").arg(ids));
        run(remove, failed);
    }
    writing.commit();
    return deleted;
}

void restoreGames(DbConnection &connection, const DeletedGames &games)
{
    const QString failed = tr("The deleted games could not be put back into “%1”.")
                               .arg(displayPath(connection.filePath()));
    QStringList names;
    for (const QString &field : games.fields)
        names << quotedIdentifier(field);
    const QString places = QStringList(games.fields.size(), QStringLiteral("?")).join(u',');
    DbTransaction writing(connection);
    {
        QSqlQuery taken(connection.database());
        QSqlQuery inPlace(connection.database());
        QSqlQuery elsewhere(connection.database());
        taken.prepare(QStringLiteral("SELECT 1 FROM History WHERE rowid = ?"));
        inPlace.prepare(QStringLiteral("INSERT INTO History (rowid, %1) VALUES (?, %2)")
                            .arg(names.join(u','), places));
        elsewhere.prepare(
            QStringLiteral("INSERT INTO History (%1) VALUES (%2)").arg(names.join(u','), places));
        for (qsizetype row = 0; row < games.rows.size(); ++row) {
            taken.bindValue(0, games.rowIds.at(row));
            run(taken, failed);
            const bool free = !taken.next();
            taken.finish();
            QSqlQuery &insert = free ? inPlace : elsewhere;
            int place = 0;
            if (free)
                insert.bindValue(place++, games.rowIds.at(row));
            for (const QVariant &value : games.rows.at(row))
                insert.bindValue(place++, value);
            run(insert, failed);
        }
    }
    writing.commit();
}
