// SPDX-License-Identifier: GPL-3.0-or-later
// The "Hand Odds" grid as a Qt model: the engine's grid texts, its header row as the column
// headers, and the cell colours of the analysis.
#pragma once

#include "engine/handoddsgrid.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QList>

class QFontMetrics;

class HandOddsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit HandOddsModel(QObject *parent = nullptr);

    const tallowby::HandOddsGrid &grid() const { return grid_; }
    // Shows new texts, written with the given decimal separator.
    void setGrid(const tallowby::HandOddsGrid &grid, char decimalSeparator);

    // Grid cell (column, row) as text; row 0 is the header row.
    QString cellText(int column, int row) const;

    // Model rows are the grid's rows below the header.
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QColor cellFill(int column, int row) const;

    tallowby::HandOddsGrid grid_;
    char decimalSeparator_ = '.';
};

// Widths of the four columns: 135, 205, 50 and 50 pixels, widened where the font needs it for
// the headers of every stage, the figures and the longest hand description, the "Need" column
// giving back what the others took as long as nine needed cards still fit in it.
QList<int> handOddsColumnWidths(const QFontMetrics &metrics);

// The fill of a cell shade; the button face comes from the palette.
QColor shadeColour(tallowby::CellShade shade, const QColor &buttonFace);

// "Ace of spades, King of hearts" for a Need text " As Kh "; "none" for " ".
QString spokenNeed(const QString &need);
