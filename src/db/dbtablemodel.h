// SPDX-License-Identifier: GPL-3.0-or-later
// A read-only Qt model over a DbTable, for the data grids: one row per table row in the
// table's sort and filter, one column per field. Dates show in the locale's short date format
// with a four-digit year. The model follows the table's signals, so while the table's views are
// suspended it stays as it was and catches up in one reset.
#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>

class DbTable;

class DbTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The stored value of a cell, as DbTable::cell() gives it.
    static constexpr int StoredValueRole = Qt::UserRole;

    // The table must outlive the model.
    explicit DbTableModel(DbTable &table, QObject *parent = nullptr);

    DbTable &table() const { return m_table; }
    // Titles by column position; a column without one shows its field name. With titles set,
    // the model keeps that many columns also while the table is closed.
    void setColumnTitles(const QStringList &titles);
    void setColumnAlignment(int column, Qt::Alignment alignment);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    int fieldCount() const;
    void reset();
    void changeRow(int row);

    DbTable &m_table;
    QStringList m_titles;
    QHash<int, Qt::Alignment> m_alignments;
    int m_rows = 0;
    int m_columns = 0;
};
