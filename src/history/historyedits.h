// SPDX-License-Identifier: GPL-3.0-or-later
// Taking games out of the history and putting them back: a deletion keeps the rows it removed,
// every field of them, so that undoing it restores them as they were, in their old places of
// the order of recording.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <vector>

class DbConnection;

struct DeletedGames
{
    QString file;         // the history file they were taken from
    QStringList fields;   // the table's fields, in its order
    QList<qint64> rowIds; // where each row stood
    QList<QVariantList> rows;

    bool isEmpty() const { return rows.isEmpty(); }
};

// Deletes the rows of "History" with these row ids in one transaction and returns them. Ids no
// row has are passed over. Throws DatabaseError; nothing is deleted then.
DeletedGames deleteGames(DbConnection &connection, const std::vector<qint64> &rowIds);

// Puts the rows back in one transaction, each under its old row id unless another row has taken
// it meanwhile. Throws DatabaseError; nothing is restored then.
void restoreGames(DbConnection &connection, const DeletedGames &games);
