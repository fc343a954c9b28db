// SPDX-License-Identifier: GPL-3.0-or-later
// Raw SQLite statements over a Qt SQL connection. Qt's SQLite driver on this platform uses the
// system's SQLite library, the same one linked here, so its handle can be used directly.
#include "db/dbstatement.h"

#include "db/dberror.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlDriver>

#include <sqlite3.h>

namespace {

sqlite3 *handleOf(const QSqlDatabase &database)
{
    const QVariant handle = database.driver() ? database.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

} // namespace

DbStatement::DbStatement(const QSqlDatabase &database, const QString &sql, const QString &context)
    : m_handle(handleOf(database)), m_context(context)
{
    if (!m_handle) {
        throw DatabaseError(
            context + QLatin1Char('\n') +
            QCoreApplication::translate("DbStatement", "The database is not open."));
    }
    const QByteArray text = sql.toUtf8();
    const int code =
        sqlite3_prepare_v2(m_handle, text.constData(), int(text.size()), &m_statement, nullptr);
    if (code != SQLITE_OK)
        fail(code);
}

DbStatement::~DbStatement()
{
    sqlite3_finalize(m_statement);
}

void DbStatement::fail(int code) const
{
    throw sqliteFailure(m_context, code, QString::fromUtf8(sqlite3_errmsg(m_handle)));
}

void DbStatement::bind(int index, const QVariant &value)
{
    int code = SQLITE_OK;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Bool:
        code = sqlite3_bind_int64(m_statement, index, value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        code = sqlite3_bind_double(m_statement, index, value.toDouble());
        break;
    default:
        if (value.isNull()) {
            code = sqlite3_bind_null(m_statement, index);
        } else {
            const QByteArray text = value.toString().toUtf8();
            code = sqlite3_bind_text(m_statement, index, text.constData(), int(text.size()),
                                     SQLITE_TRANSIENT);
        }
    }
    if (code != SQLITE_OK)
        fail(code);
}

bool DbStatement::step()
{
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    fail(code);
}

void DbStatement::rewind()
{
    sqlite3_reset(m_statement);
}

int DbStatement::columnCount() const
{
    return sqlite3_column_count(m_statement);
}

QString DbStatement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_statement, column));
}

QVariant DbStatement::value(int column) const
{
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(m_statement, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_statement, column);
    case SQLITE_NULL:
        return {};
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_column_blob(m_statement, column)),
                          sqlite3_column_bytes(m_statement, column));
    default: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
        return QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column));
    }
    }
}
