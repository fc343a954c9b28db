// SPDX-License-Identifier: GPL-3.0-or-later
// Tables over Qt SQL: row ids in order, rows read in cached blocks.
#include "db/dbtable.h"

#include "db/dbconnection.h"
#include "db/dberror.h"
#include "db/dbfilter.h"
#include "db/dbstatement.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>
#include <memory>

namespace {

constexpr int blockSize = 256; // rows read by one query
constexpr int cachedBlocks = 16;

bool isNumber(const QVariant &value)
{
    bool ok = false;
    value.toDouble(&ok);
    return ok;
}

bool keyMatches(const QVariant &stored, const QVariant &wanted, const DbColumn &column,
                DbTable::LocateOptions options)
{
    if (wanted.isNull() || stored.isNull())
        return wanted.isNull() && stored.isNull();
    if (column.kind == DbColumnKind::Number && isNumber(stored) && isNumber(wanted))
        return stored.toDouble() == wanted.toDouble();
    const Qt::CaseSensitivity cs =
        options.testFlag(DbTable::CaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const QString text = stored.toString();
    if (options.testFlag(DbTable::PartialKey))
        return text.startsWith(wanted.toString(), cs);
    return text.compare(wanted.toString(), cs) == 0;
}

} // namespace

DbTable::DbTable(DbConnection &connection, const QString &tableName, QObject *parent)
    : QObject(parent), m_connection(connection), m_tableName(tableName), m_blocks(cachedBlocks)
{
    connect(&m_connection, &DbConnection::aboutToClose, this, &DbTable::close);
    connect(&m_connection, &DbConnection::rolledBack, this, &DbTable::reread);
}

// After a rollback the rows the table holds may be gone; a table that cannot read them now
// closes rather than show them.
void DbTable::reread()
{
    if (!m_open)
        return;
    cancel();
    try {
        requery(m_rowIds.empty() ? std::nullopt : std::optional(m_rowIds.at(m_current)));
    } catch (const DatabaseError &) {
        close();
    }
}

QString DbTable::context(const char *sentence) const
{
    return tr(sentence).arg(m_tableName, displayPath(m_connection.filePath()));
}

void DbTable::open()
{
    if (m_open)
        return;
    openOnConnection(
        m_connection,
        [this] {
            readColumns();
            m_open = true;
            requery(std::nullopt);
        },
        [this] { close(); });
}

void DbTable::close()
{
    const bool wasOpen = m_open;
    cancel();
    m_open = false;
    m_columns.clear();
    m_rowIds.clear();
    m_blocks.clear();
    m_current = 0;
    m_atEnd = true;
    if (wasOpen)
        notifyReset();
}

void DbTable::readColumns()
{
    QList<DbColumn> columns;
    {
        QSqlQuery info(m_connection.database());
        if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quotedIdentifier(m_tableName))))
            throw sqlFailure(context(QT_TR_NOOP("The table “%1” of “%2” could not be read.")),
                             info.lastError());
        while (info.next())
            columns.append(
                columnFromDeclaration(info.value(1).toString(), info.value(2).toString()));
    }
    if (columns.isEmpty())
        throw DatabaseError(context(QT_TR_NOOP("The database “%2” has no table “%1”.")));
    m_columns = columns;
}

DbTable::RowIdQuery DbTable::rowIdQuery() const
{
    DbWhereClause where = m_filtered ? parseFilter(m_filter, m_columns) : DbWhereClause{};
    QString sql = QStringLiteral("SELECT rowid FROM ") + quotedIdentifier(m_tableName);
    if (!where.sql.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.sql;
    sql += QStringLiteral(" ORDER BY ") + orderByClause(m_sort, m_columns);
    return {sql, std::move(where.values)};
}

void DbTable::requery(std::optional<qint64> keepRowId)
{
    const RowIdQuery query = rowIdQuery();
    std::vector<qint64> rowIds;
    rowIds.reserve(m_rowIds.size());
    {
        DbStatement rows(m_connection.database(), query.sql,
                         context(QT_TR_NOOP("The table “%1” of “%2” could not be read.")));
        for (int i = 0; i < query.values.size(); ++i)
            rows.bind(i + 1, query.values.at(i));
        while (rows.step())
            rowIds.push_back(rows.value(0).toLongLong());
    }
    m_rowIds = std::move(rowIds);
    m_blocks.clear();
    m_current = 0;
    if (keepRowId) {
        const auto found = std::find(m_rowIds.begin(), m_rowIds.end(), *keepRowId);
        if (found != m_rowIds.end())
            m_current = int(found - m_rowIds.begin());
    }
    m_atEnd = m_rowIds.empty();
    notifyReset();
}

void DbTable::refresh()
{
    requireOpen();
    checkBrowseMode();
    requery(m_rowIds.empty() ? std::nullopt : std::optional(m_rowIds.at(m_current)));
}

void DbTable::setSort(const QString &sort)
{
    checkBrowseMode();
    const QString previous = m_sort;
    m_sort = sort;
    if (!m_open)
        return;
    try {
        requery(m_rowIds.empty() ? std::nullopt : std::optional(m_rowIds.at(m_current)));
    } catch (...) {
        m_sort = previous;
        throw;
    }
}

void DbTable::setFilter(const QString &filter)
{
    checkBrowseMode();
    const QString previous = m_filter;
    m_filter = filter;
    if (!m_open || !m_filtered)
        return;
    try {
        requery(std::nullopt);
    } catch (...) {
        m_filter = previous;
        throw;
    }
}

void DbTable::setFiltered(bool on)
{
    if (on == m_filtered)
        return;
    checkBrowseMode();
    m_filtered = on;
    if (!m_open)
        return;
    try {
        requery(std::nullopt);
    } catch (...) {
        m_filtered = !on;
        throw;
    }
}

void DbTable::first()
{
    requireOpen();
    checkBrowseMode();
    m_current = 0;
    m_atEnd = m_rowIds.empty();
    notifyCurrent();
}

void DbTable::next()
{
    requireOpen();
    checkBrowseMode();
    if (m_current + 1 < rowCount()) {
        ++m_current;
        notifyCurrent();
    } else {
        m_atEnd = true;
    }
}

void DbTable::moveTo(int row)
{
    requireOpen();
    checkBrowseMode();
    if (row < 0 || row >= rowCount()) {
        throw DatabaseError(tr("The table “%1” has no row %2.").arg(m_tableName).arg(row + 1));
    }
    m_current = row;
    m_atEnd = false;
    notifyCurrent();
}

bool DbTable::locate(const QString &keyFields, const QVariantList &values, LocateOptions options)
{
    requireOpen();
    checkBrowseMode();
    const QStringList names = keyFields.split(QLatin1Char(';'));
    if (names.size() != values.size()) {
        throw DatabaseError(tr("Locating a row of “%1” needs one value for each of the key "
                               "fields “%2”.")
                                .arg(m_tableName, keyFields));
    }
    std::vector<int> keyColumns;
    QVariantList wanted;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const int column = requireColumn(names.at(i).trimmed());
        keyColumns.push_back(column);
        const DbColumn &definition = m_columns.at(column);
        wanted.append(definition.kind == DbColumnKind::Date ? storageValue(definition, values.at(i))
                                                            : values.at(i));
    }
    for (int row = 0; row < rowCount(); ++row) {
        bool matches = true;
        for (std::size_t k = 0; k < keyColumns.size() && matches; ++k) {
            const int column = keyColumns[k];
            matches = keyMatches(cell(row, column), wanted.at(qsizetype(k)), m_columns.at(column),
                                 options);
        }
        if (matches) {
            m_current = row;
            m_atEnd = false;
            notifyCurrent();
            return true;
        }
    }
    return false;
}

QVariant DbTable::value(QAnyStringView field) const
{
    requireOpen();
    return valueAt(requireColumn(field));
}

QVariant DbTable::valueAt(int column) const
{
    if (m_state == State::Insert || (m_state == State::Edit && m_changed[std::size_t(column)]))
        return m_pending[std::size_t(column)];
    requireCurrentRow();
    return cell(m_current, column);
}

QString DbTable::text(QAnyStringView field) const
{
    requireOpen();
    const int column = requireColumn(field);
    return valueText(valueAt(column), m_columns.at(column).kind);
}

QVariant DbTable::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= m_columns.size())
        return {};
    const int blockIndex = row / blockSize;
    const RowBlock *block = m_blocks.object(blockIndex);
    if (!block) {
        auto fetched = std::make_unique<RowBlock>(fetchBlock(blockIndex));
        block = fetched.get();
        m_blocks.insert(blockIndex, fetched.release());
    }
    return block
        ->cells[std::size_t(row % blockSize) * std::size_t(m_columns.size()) + std::size_t(column)];
}

qint64 DbTable::rowId(int row) const
{
    return row >= 0 && row < rowCount() ? m_rowIds[std::size_t(row)] : -1;
}

DbTable::RowBlock DbTable::fetchBlock(int blockIndex) const
{
    const int start = blockIndex * blockSize;
    const int end = std::min(start + blockSize, rowCount());
    const auto columnCount = std::size_t(m_columns.size());
    QHash<qint64, int> positions;
    for (int row = start; row < end; ++row)
        positions.insert(m_rowIds[std::size_t(row)], row - start);

    RowBlock block;
    block.cells.resize(std::size_t(end - start) * columnCount);
    // The row ids come from the table's own query, so they are written as numbers: bound one
    // by one, hundreds of parameters cost the driver more than the reading itself.
    QStringList ids;
    ids.reserve(end - start);
    for (int row = start; row < end; ++row)
        ids.append(QString::number(m_rowIds[std::size_t(row)]));
    const QString sql = QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid IN (%2)")
                            .arg(quotedIdentifier(m_tableName), ids.join(QLatin1Char(',')));
    DbStatement query(m_connection.database(), sql,
                      context(QT_TR_NOOP("The table “%1” of “%2” could not be read.")));
    while (query.step()) {
        const int slot = positions.value(query.value(0).toLongLong(), -1);
        if (slot < 0)
            continue;
        for (std::size_t column = 0; column < columnCount; ++column)
            block.cells[std::size_t(slot) * columnCount + column] = query.value(int(column) + 1);
    }
    return block;
}

int DbTable::requireColumn(QAnyStringView field) const
{
    const int column = columnIndex(m_columns, field);
    if (column < 0) {
        throw DatabaseError(
            tr("The table “%1” has no field “%2”.").arg(m_tableName, field.toString()));
    }
    return column;
}

void DbTable::requireOpen() const
{
    if (!m_open)
        throw DatabaseError(tr("The table “%1” is not open.").arg(m_tableName));
}

void DbTable::requireCurrentRow() const
{
    if (m_rowIds.empty())
        throw DatabaseError(tr("The table “%1” has no current row.").arg(m_tableName));
}

void DbTable::checkBrowseMode()
{
    if (m_state == State::Browse)
        return;
    if (std::find(m_changed.begin(), m_changed.end(), true) != m_changed.end())
        post();
    else
        cancel();
}

void DbTable::append()
{
    requireOpen();
    checkBrowseMode();
    m_pending.assign(std::size_t(m_columns.size()), QVariant());
    m_changed.assign(std::size_t(m_columns.size()), false);
    m_state = State::Insert;
}

void DbTable::edit()
{
    requireOpen();
    if (m_state != State::Browse)
        return;
    requireCurrentRow();
    m_pending.clear();
    for (int column = 0; column < m_columns.size(); ++column)
        m_pending.push_back(cell(m_current, column));
    m_changed.assign(std::size_t(m_columns.size()), false);
    m_state = State::Edit;
}

void DbTable::setField(const QString &field, const QVariant &value)
{
    setFieldAt(requireColumn(field), value);
}

void DbTable::setFieldAt(int column, const QVariant &value)
{
    if (m_state == State::Browse) {
        throw DatabaseError(tr("The table “%1” is not being written: append or edit a row "
                               "first.")
                                .arg(m_tableName));
    }
    try {
        m_pending[std::size_t(column)] = storageValue(m_columns.at(column), value);
        m_changed[std::size_t(column)] = true;
    } catch (...) {
        cancel();
        throw;
    }
}

void DbTable::post()
{
    switch (m_state) {
    case State::Browse:
        throw DatabaseError(
            tr("The table “%1” has no row being written to post.").arg(m_tableName));
    case State::Insert:
        postInsert();
        break;
    case State::Edit:
        postEdit();
        break;
    }
}

void DbTable::postInsert()
{
    QStringList names;
    QVariantList values;
    for (int column = 0; column < m_columns.size(); ++column) {
        if (m_changed[std::size_t(column)]) {
            names.append(quotedIdentifier(m_columns.at(column).name));
            values.append(m_pending[std::size_t(column)]);
        }
    }
    cancel();
    const QString sql =
        names.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedIdentifier(m_tableName))
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(quotedIdentifier(m_tableName), names.join(QStringLiteral(", ")),
                       QStringList(values.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    qint64 rowId = -1;
    {
        QSqlQuery insert(m_connection.database());
        bool ok = insert.prepare(sql);
        for (const QVariant &value : values)
            insert.addBindValue(value);
        ok = ok && insert.exec();
        if (!ok)
            throw sqlFailure(
                context(QT_TR_NOOP("The row could not be added to the table “%1” of “%2”.")),
                insert.lastError());
        rowId = insert.lastInsertId().toLongLong();
    }
    // The row is written: a re-read that fails now must not report it as not written, or a
    // retry would store it twice. The table then lists it after the rows it had, and the next
    // read of the file says what is wrong.
    try {
        requery(rowId);
    } catch (const DatabaseError &) {
        m_rowIds.push_back(rowId);
        m_blocks.clear();
        m_current = int(m_rowIds.size()) - 1;
        m_atEnd = false;
        notifyReset();
    }
}

void DbTable::postEdit()
{
    QStringList assignments;
    QVariantList values;
    for (int column = 0; column < m_columns.size(); ++column) {
        if (m_changed[std::size_t(column)]) {
            assignments.append(quotedIdentifier(m_columns.at(column).name) +
                               QStringLiteral(" = ?"));
            values.append(m_pending[std::size_t(column)]);
        }
    }
    cancel();
    if (assignments.isEmpty())
        return;
    const qint64 rowId = m_rowIds.at(std::size_t(m_current));
    {
        QSqlQuery update(m_connection.database());
        bool ok = update.prepare(
            QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                .arg(quotedIdentifier(m_tableName), assignments.join(QStringLiteral(", "))));
        for (const QVariant &value : values)
            update.addBindValue(value);
        update.addBindValue(rowId);
        ok = ok && update.exec();
        if (!ok)
            throw sqlFailure(
                context(QT_TR_NOOP("The row could not be changed in the table “%1” of “%2”.")),
                update.lastError());
    }
    m_blocks.remove(m_current / blockSize);
    if (m_suspended == 0)
        Q_EMIT rowChanged(m_current);
}

void DbTable::cancel()
{
    m_state = State::Browse;
    m_pending.clear();
    m_changed.clear();
}

void DbTable::appendRecord(const QVariantList &values)
{
    requireOpen();
    if (values.size() > m_columns.size()) {
        throw DatabaseError(tr("The table “%1” has %2 fields, not %3.")
                                .arg(m_tableName)
                                .arg(m_columns.size())
                                .arg(values.size()));
    }
    append();
    for (int column = 0; column < values.size(); ++column)
        setFieldAt(column, values.at(column));
    post();
}

void DbTable::suspendViews()
{
    ++m_suspended;
}

void DbTable::resumeViews()
{
    if (m_suspended == 0 || --m_suspended > 0)
        return;
    notifyReset();
}

void DbTable::notifyReset()
{
    if (m_suspended > 0)
        return;
    Q_EMIT rowsReset();
    Q_EMIT currentRowChanged(m_current);
}

void DbTable::notifyCurrent()
{
    if (m_suspended == 0)
        Q_EMIT currentRowChanged(m_current);
}
