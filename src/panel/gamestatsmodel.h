// SPDX-License-Identifier: GPL-3.0-or-later
// The "Game Statistics" grid: 7 columns by 9 rows of texts. Row 0 holds the column headers and
// column 0 the row labels; the views show them as the table's headers.
#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <array>

class QFontMetrics;

class GameStatsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kColumns = 7;
    static constexpr int kRows = 9;
    static constexpr int kLabelColumnWidth = 64;
    static constexpr int kColumnWidth = 62;

    explicit GameStatsModel(QObject *parent = nullptr);

    // Grid cell (column, row), row 0 and column 0 included.
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

    // Every cell empty, then the header row and the row labels that New Game writes:
    // "-- --", "Today" .. "All Games" and "Win %" .. "Fold".
    void clearForNewGame();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Widths of the seven columns: 64 for the labels and 62 for the others, widened where the
    // font needs it for the headers, labels and percentages.
    static QList<int> columnWidths(const QFontMetrics &metrics);

private:
    std::array<std::array<QString, kRows>, kColumns> cells_;
};
