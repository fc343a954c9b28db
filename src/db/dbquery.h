// SPDX-License-Identifier: GPL-3.0-or-later
// A read-only SQL query on a connection, walked forward row by row ("SELECT * FROM History").
#pragma once

#include "db/dbfieldreads.h"
#include "db/dbstatement.h"

#include <QAnyStringView>
#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

class DbConnection;

class DbQuery : public QObject, public DbFieldReads<DbQuery>
{
    Q_OBJECT

public:
    // The connection must outlive the query.
    explicit DbQuery(DbConnection &connection, QObject *parent = nullptr);

    QString sql() const { return m_sql; }
    // Replaces the SQL text; the query must be closed.
    void setSql(const QString &sql);
    // Opens the connection when it is closed, runs the SQL and stands on the first row.
    // A failure that opened the connection closes it again.
    void open();
    void close();
    bool isOpen() const { return m_statement.has_value(); }

    // first() runs the SQL again unless the query still stands on its first row.
    void first();
    void next();
    bool atEnd() const { return m_atEnd; }
    bool isEmpty() const { return m_empty; }

    // Fields of the current row. A date stored with a time of day keeps it in dateTime().
    QVariant value(QAnyStringView field) const;
    QString text(QAnyStringView field) const;
    // date(), timeOfDay(), dateTime() and integer() read fields of the current row too.

private:
    void run();
    int fieldIndex(QAnyStringView field) const;

    DbConnection &m_connection;
    QString m_sql;
    std::optional<DbStatement> m_statement;
    QStringList m_fields;
    int m_position = 0;
    bool m_atEnd = true;
    bool m_empty = true;
};
