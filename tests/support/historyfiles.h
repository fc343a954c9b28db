// SPDX-License-Identifier: GPL-3.0-or-later
// History files made on disk for the tests: rows of History and games, each file written in
// one transaction and closed again.
#pragma once

#include "db/dbconnection.h"
#include "db/dbtable.h"
#include "history/historyfile.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

// One row of History: date, H1, H2, the board (all "--" unless given), hand, result.
inline QVariantList historyRow(const QVariant &date, const QString &h1, const QString &h2,
                               const QString &result = QStringLiteral("Win"),
                               const QString &hand = QStringLiteral("High Card. A, K, 9, 7, 4"))
{
    const QString none = QStringLiteral("--");
    return {date, h1, h2, none, none, none, none, none, 0, hand, result};
}

// A history file with the rows, in this order.
inline void makeHistoryFile(const QString &path, const QList<QVariantList> &rows)
{
    DbConnection connection;
    createHistoryFile(connection, path);
    DbTable table(connection, QStringLiteral("History"));
    table.open();
    DbTransaction writing(connection);
    for (const QVariantList &row : rows)
        table.appendRecord(row);
    writing.commit();
}

struct Game
{
    QDate date;
    QString h1;
    QString h2;
    QString hand;
    QString result;
    QStringList board = {QStringLiteral("--"), QStringLiteral("--"), QStringLiteral("--"),
                         QStringLiteral("--"), QStringLiteral("--")};
    int rating = 0;
};

// A history file holding the games, in this order.
inline void createHistoryFile(const QString &path, const QList<Game> &games)
{
    QList<QVariantList> rows;
    for (const Game &game : games) {
        QVariantList row{game.date, game.h1, game.h2};
        for (const QString &card : game.board)
            row.append(card);
        row << game.rating << game.hand << game.result;
        rows.append(row);
    }
    makeHistoryFile(path, rows);
}
