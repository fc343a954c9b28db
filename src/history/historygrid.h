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
// what the locale's short date needs in this font; the Hand column at least what the longest
// hand description needs.
QList<int> historyColumnWidths(const QFontMetrics &metrics);

// The grid shows the table's columns without Rtg, which is not there at all for a screen
// reader either: grid column of a table column (-1 for Rtg), and table column of a grid column.
int historyGridColumn(int tableColumn);
int historyTableColumn(int gridColumn);

// Shows the model's rows on the grid without Rtg and keeps the columns as above across every
// reset of the model.
void setUpHistoryGrid(QTableView &grid, HistoryTableModel &model);
