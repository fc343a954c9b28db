// SPDX-License-Identifier: GPL-3.0-or-later
// The grid model over a table.
#include "db/dbtablemodel.h"

#include "db/dbtable.h"

#include <algorithm>
#include <exception>

DbTableModel::DbTableModel(DbTable &table, QObject *parent)
    : QAbstractTableModel(parent), m_table(table), m_rows(table.rowCount()), m_columns(fieldCount())
{
    connect(&m_table, &DbTable::rowsReset, this, &DbTableModel::reset);
    connect(&m_table, &DbTable::rowChanged, this, &DbTableModel::changeRow);
}

int DbTableModel::fieldCount() const
{
    return std::max(int(m_table.columns().size()), int(m_titles.size()));
}

void DbTableModel::setColumnTitles(const QStringList &titles)
{
    beginResetModel();
    m_titles = titles;
    m_columns = fieldCount();
    endResetModel();
}

void DbTableModel::setColumnAlignment(int column, Qt::Alignment alignment)
{
    m_alignments.insert(column, alignment);
    if (m_rows > 0 && column < m_columns)
        Q_EMIT dataChanged(index(0, column), index(m_rows - 1, column), {Qt::TextAlignmentRole});
}

int DbTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DbTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant DbTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows || index.column() >= m_columns)
        return {};
    if (index.column() >= m_table.columns().size())
        return {};
    if (role == Qt::TextAlignmentRole) {
        const auto found = m_alignments.constFind(index.column());
        return found == m_alignments.cend() ? QVariant() : QVariant::fromValue(*found);
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole && role != StoredValueRole)
        return {};
    // A view paints outside any command: a file that fails now shows empty cells, and the
    // error reaches the user at the next command that reads the table.
    try {
        const QVariant stored = m_table.cell(index.row(), index.column());
        if (role == StoredValueRole)
            return stored;
        return valueText(stored, m_table.columns().at(index.column()).kind);
    } catch (const std::exception &) {
        return {};
    }
}

QVariant DbTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section < m_titles.size())
        return m_titles.at(section);
    if (section < m_table.columns().size())
        return m_table.columns().at(section).name;
    return {};
}

void DbTableModel::reset()
{
    beginResetModel();
    m_rows = m_table.rowCount();
    m_columns = fieldCount();
    endResetModel();
}

void DbTableModel::changeRow(int row)
{
    if (row >= 0 && row < m_rows && m_columns > 0)
        Q_EMIT dataChanged(index(row, 0), index(row, m_columns - 1));
}
