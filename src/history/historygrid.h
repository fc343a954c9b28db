// SPDX-License-Identifier: GPL-3.0-or-later
// The look of the two history grids: columns "Date" (the locale's short date), the seven cards,
// "Hand" and "Result" at their widths, "Rtg" hidden, titles centred, grid lines, no row
// indicator, read-only, rows of the string grids' height, cells painted black on white with
// the result coloured.
#pragma once

#include <QList>

class HistoryTableModel;
class QFontMetrics;
class QTableView;

// Widths of the eleven table columns (Rtg's is 0: not shown). The date column is 65 pixels, or
// what the locale's short date needs in this font; the Hand column what a common description
// needs. On the grid Hand takes the width the others leave (130 pixels or so at the design
// size); a description longer than that is cut with "…" and shows whole in its tooltip.
QList<int> historyColumnWidths(const QFontMetrics &metrics);

// The grid shows the table's columns without Rtg, which is not there at all for a screen
// reader either: grid column of a table column (-1 for Rtg), and table column of a grid column.
int historyGridColumn(int tableColumn);
int historyTableColumn(int gridColumn);

// Shows the model's rows on the grid without Rtg, keeps the columns as above across every reset
// of the model, and the title row showing the table's sort column and direction. The grid is
// at least as wide as all its columns and a vertical scroll bar.
void setUpHistoryGrid(QTableView &grid, HistoryTableModel &model);

// The table model behind a grid set up as above (row for row), or null.
const HistoryTableModel *historyRowsOf(const QTableView &grid);

// Shows the sort of the grid's table on its title row: an arrow on the first sort column, none
// when the sort names no column.
void showSortIndicator(QTableView &grid);
