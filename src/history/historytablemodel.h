// SPDX-License-Identifier: GPL-3.0-or-later
// The model of the two history grids: the table's rows with the grids' titles and alignment,
// black text on white, and the result cell coloured by the result word.
#pragma once

#include "db/dbtablemodel.h"

#include <QColor>
#include <QStringView>

#include <optional>

// Light green for "Win", light yellow for "Split", light red for "Lose", light cyan for "Fold";
// nothing for any other text.
std::optional<QColor> resultColour(QStringView result);

class HistoryTableModel : public DbTableModel
{
    Q_OBJECT

public:
    // Titles "Date", "H1" .. "Rr", "Rtg", "Hand", "Result"; the date and cards centred, the hand
    // description left, the result centred.
    explicit HistoryTableModel(DbTable &table, QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};
