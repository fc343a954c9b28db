// SPDX-License-Identifier: GPL-3.0-or-later
// Forward-only queries.
#include "db/dbquery.h"

#include "db/dbconnection.h"
#include "db/dberror.h"
#include "db/dbvalue.h"

DbQuery::DbQuery(DbConnection &connection, QObject *parent)
    : QObject(parent), m_connection(connection)
{
    connect(&m_connection, &DbConnection::aboutToClose, this, &DbQuery::close);
}

void DbQuery::setSql(const QString &sql)
{
    if (isOpen())
        throw DatabaseError(tr("The query must be closed before its SQL is replaced."));
    m_sql = sql;
}

void DbQuery::open()
{
    if (isOpen())
        return;
    openOnConnection(
        m_connection, [this] { run(); }, [this] { close(); });
}

void DbQuery::run()
{
    m_statement.emplace(
        m_connection.database(), m_sql,
        tr("The query “%1” failed on “%2”.").arg(m_sql, displayPath(m_connection.filePath())));
    m_fields.clear();
    for (int i = 0; i < m_statement->columnCount(); ++i)
        m_fields.append(m_statement->columnName(i));
    m_position = 0;
    m_empty = !m_statement->step();
    m_atEnd = m_empty;
}

void DbQuery::close()
{
    m_statement.reset();
    m_fields.clear();
    m_atEnd = true;
    m_empty = true;
}

void DbQuery::first()
{
    if (!isOpen())
        throw DatabaseError(tr("The query “%1” is not open.").arg(m_sql));
    if (m_position == 0)
        return;
    m_statement->rewind();
    m_position = 0;
    m_empty = !m_statement->step();
    m_atEnd = m_empty;
}

void DbQuery::next()
{
    if (!isOpen() || m_atEnd)
        return;
    if (m_statement->step()) {
        ++m_position;
    } else {
        m_atEnd = true;
        m_statement->rewind(); // lets go of the file's read lock
    }
}

int DbQuery::fieldIndex(QAnyStringView field) const
{
    if (!isOpen())
        throw DatabaseError(tr("The query “%1” is not open.").arg(m_sql));
    if (m_atEnd)
        throw DatabaseError(tr("The query “%1” has no current row.").arg(m_sql));
    for (int i = 0; i < m_fields.size(); ++i) {
        if (QAnyStringView::equal(m_fields.at(i), field))
            return i;
    }
    for (int i = 0; i < m_fields.size(); ++i) {
        if (QAnyStringView::compare(m_fields.at(i), field, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw DatabaseError(tr("The query “%1” has no field “%2”.").arg(m_sql, field.toString()));
}

QVariant DbQuery::value(QAnyStringView field) const
{
    const int index = fieldIndex(field);
    return m_statement->value(index);
}

QString DbQuery::text(QAnyStringView field) const
{
    return valueText(value(field), DbColumnKind::Text);
}
