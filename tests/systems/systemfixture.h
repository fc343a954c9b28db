// SPDX-License-Identifier: GPL-3.0-or-later
// A new betting system in a temporary folder, open on its own connection, for the tests of
// this folder; and a way to change one field of one row.
#pragma once

#include "db/dbconnection.h"
#include "db/dbtable.h"
#include "systems/systemdatabase.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <QVariantList>

struct TemporarySystem
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("system.mdb"));
    DbConnection connection;
    DbTable handSet{connection, QStringLiteral("PreFlop")};
    DbTable typeSet{connection, QStringLiteral("FTR")};

    TemporarySystem()
    {
        CreateSystemFile(connection, path);
        OpenSystemTables(connection, handSet, typeSet);
        FillDefaultSystem(connection, handSet, typeSet);
    }
};

// Locates the row by its keys (exactly), stores `value` into `field` and goes back to the row
// the table stood on. Returns false when no row has the keys.
inline bool changeField(DbTable &table, const QString &keys, const QVariantList &keyValues,
                        const QString &field, const QVariant &value)
{
    const int before = table.currentRow();
    if (!table.locate(keys, keyValues))
        return false;
    table.edit();
    table.setField(field, value);
    table.post();
    table.moveTo(before);
    return true;
}

// The stored text of a field, read through a connection of its own, so that only what reached
// the file counts.
inline QString storedText(const QString &path, const QString &tableName, const QString &keys,
                          const QVariantList &keyValues, const QString &field)
{
    DbConnection connection;
    connection.setConnectionString(DbConnection::connectionStringFor(path));
    DbTable table(connection, tableName);
    table.open();
    if (!table.locate(keys, keyValues))
        return QStringLiteral("<no row>");
    return table.text(field);
}
