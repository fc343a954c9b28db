// SPDX-License-Identifier: GPL-3.0-or-later
// Batches of field changes written in one transaction.
#include "systems/rowchanges.h"

#include "db/dbconnection.h"
#include "db/dberror.h"
#include "db/dbtable.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>

#include <utility>

namespace {

QString sameText(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

} // namespace

RowChanges::RowChanges(QString keyFields) : m_keyFields(std::move(keyFields)) {}

void RowChanges::add(const QVariantList &keys, const QString &field, const QVariant &before,
                     const QVariant &after)
{
    if (before.isNull() == after.isNull() && sameText(before) == sameText(after))
        return;
    m_changes.push_back({keys, field, before, after});
}

int RowChanges::rowCount() const
{
    QList<QVariantList> rows;
    for (const FieldChange &change : m_changes) {
        if (!rows.contains(change.keys))
            rows.append(change.keys);
    }
    return int(rows.size());
}

void RowChanges::apply(DbTable &table) const
{
    write(table, true);
}

void RowChanges::revert(DbTable &table) const
{
    write(table, false);
}

void RowChanges::write(DbTable &table, bool forward) const
{
    const int home = table.currentRow();
    const auto goHome = [&table, home] {
        if (table.isOpen() && home < table.rowCount())
            table.moveTo(home);
    };
    // A transaction of its own: rolled back, it leaves the table as it is rather than have it
    // read its rows again from a file that another program may still hold locked.
    QSqlDatabase database = table.connection().database();
    if (!database.transaction()) {
        throw DatabaseError(
            QCoreApplication::translate("RowChanges", "Writing to “%1” could not begin.\n%2")
                .arg(displayPath(table.connection().filePath()), database.lastError().text()));
    }
    bool written = false;
    try {
        for (const FieldChange &change : m_changes) {
            if (!table.locate(m_keyFields, change.keys, DbTable::CaseInsensitive)) {
                QStringList keys;
                for (const QVariant &key : change.keys)
                    keys.append(key.toString());
                throw DatabaseError(QCoreApplication::translate(
                                        "RowChanges", "The table “%1” has no row “%2” any more.")
                                        .arg(table.tableName(), keys.join(QStringLiteral(" · "))));
            }
            table.edit();
            table.setField(change.field, forward ? change.after : change.before);
            table.post();
            written = true;
        }
        if (!database.commit()) {
            throw DatabaseError(
                QCoreApplication::translate("RowChanges", "The changes to “%1” could not be "
                                                          "saved.\n%2")
                    .arg(displayPath(table.connection().filePath()), database.lastError().text()));
        }
    } catch (...) {
        table.cancel();
        database.rollback();
        // Rows written before the failure are read again; the others were never touched.
        if (written)
            table.forgetCachedRows();
        try {
            goHome();
        } catch (const DatabaseError &) {
            // The file cannot be read now; the table shows its rows once it can.
        }
        throw;
    }
    goHome();
}
