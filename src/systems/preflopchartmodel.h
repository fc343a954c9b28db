// SPDX-License-Identifier: GPL-3.0-or-later
// The `PreFlop` table as players read starting hands: a 13 x 13 grid, ace first, the pairs on
// the diagonal, suited hands above it and offsuit hands below, showing for one opponents'
// action (one column of the table) each hand's action. The model reads the rows the table
// holds, so the chart and the list of the "Pre-Flop" page always show the same stored values.
#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QString>

class DbTable;

// The hand name of a cell: "AA", "AK suited" above the diagonal, "AK offsuit" below it.
QString chartHandName(int row, int column);
// The short name written in the cell: "AA", "AKs", "AKo".
QString chartCellText(int row, int column);

class PreFlopChartModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The action text of a cell, for views and tests.
    static constexpr int ActionRole = Qt::UserRole;
    // The full hand name of a cell ("AK suited").
    static constexpr int HandRole = Qt::UserRole + 1;

    // The table must outlive the model.
    explicit PreFlopChartModel(DbTable &handSet, QObject *parent = nullptr);

    // The `PreFlop` column shown: "OppCl" .. "OppAI".
    QString column() const { return m_column; }
    void setColumn(const QString &column);

    // The stored action of a hand in the column shown; empty when the hand has no row.
    QString action(const QString &hand) const;
    bool hasRow(const QString &hand) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void reindex();
    void refresh();

    DbTable &m_handSet;
    QString m_column;
    QHash<QString, int> m_rowOfHand; // hand name in small letters -> first table row
};
