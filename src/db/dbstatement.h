// SPDX-License-Identifier: GPL-3.0-or-later
// A read statement run on the SQLite handle beneath a Qt SQL connection. Reading many rows
// through Qt converts every column of every row; here a row costs only the columns read,
// which keeps a walk over a large history file fast. The statement is finalized when it is
// destroyed, so it must not outlive its connection.
#pragma once

#include <QString>
#include <QVariant>

class QSqlDatabase;
struct sqlite3;
struct sqlite3_stmt;

class DbStatement
{
public:
    // `context` is the sentence that starts an error message ("The table … could not be read.").
    DbStatement(const QSqlDatabase &database, const QString &sql, const QString &context);
    ~DbStatement();
    DbStatement(const DbStatement &) = delete;
    DbStatement &operator=(const DbStatement &) = delete;

    // Binds the value of the parameter at `index` (from 1): integers, numbers, texts, null.
    void bind(int index, const QVariant &value);
    // Moves to the next row; false when there is none.
    bool step();
    // Starts again before the first row.
    void rewind();

    int columnCount() const;
    QString columnName(int column) const;
    // A value of the current row: qint64, double, QString, QByteArray or null.
    QVariant value(int column) const;

private:
    [[noreturn]] void fail(int code) const;

    sqlite3 *m_handle = nullptr;
    sqlite3_stmt *m_statement = nullptr;
    QString m_context;
};
