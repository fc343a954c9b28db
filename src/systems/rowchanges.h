// SPDX-License-Identifier: GPL-3.0-or-later
// A batch of field changes to rows of one table, each row found by its key fields: what a
// paint stroke of the pre-flop chart or an "Apply to..." writes. The batch is written in one
// transaction, so that it lands whole or not at all, and undone by writing back the values it
// replaced. Either way the table goes back to the row it stood on.
#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <vector>

class DbTable;

struct FieldChange
{
    QVariantList keys; // values of the key fields, in their order
    QString field;
    QVariant before;
    QVariant after;
};

class RowChanges
{
public:
    // `keyFields` as DbTable::locate takes them: "Hand" or "HType;Opps;Rnd".
    explicit RowChanges(QString keyFields = QString());

    const QString &keyFields() const { return m_keyFields; }
    const std::vector<FieldChange> &changes() const { return m_changes; }
    bool isEmpty() const { return m_changes.empty(); }

    // Adds a change unless `before` and `after` are the same text.
    void add(const QVariantList &keys, const QString &field, const QVariant &before,
             const QVariant &after);
    // How many distinct rows the batch changes.
    int rowCount() const;

    // Writes every `after` (apply) or every `before` (revert). Throws DatabaseError, having
    // changed nothing, when a row is missing or the file refuses the writing.
    void apply(DbTable &table) const;
    void revert(DbTable &table) const;

private:
    void write(DbTable &table, bool forward) const;

    QString m_keyFields;
    std::vector<FieldChange> m_changes;
};
