// SPDX-License-Identifier: GPL-3.0-or-later
// Views that look and behave like the program's string grids: fixed rows of 17 pixels (more
// only when the font needs it), read-only cells painted by the program (fill and alignment from
// the model, text in black, 2 pixels in from the left or 3 from the right), and fixed header
// cells in the button-face colour.
#pragma once

#include <QHeaderView>
#include <QStringList>
#include <QStyledItemDelegate>

class QFontMetrics;
class QTableView;

class GridCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};

// The fixed row or column of a string grid: button face, texts as the model aligns them, with
// the same small margins as the cells, so narrow columns keep their headers readable.
class GridHeader : public QHeaderView
{
    Q_OBJECT

public:
    using QHeaderView::QHeaderView;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
};

inline constexpr int kGridRowHeight = 17;

// The row height for the font: 17 pixels unless its text would not fit.
int gridRowHeight(const QFontMetrics &metrics);

// The width a column needs to show each of the texts in full, and at least `minimum`.
int fittedColumnWidth(const QFontMetrics &metrics, const QStringList &texts, int minimum);

// Read-only, no selection drawn, rows and header row of gridRowHeight, the program's cell and
// header painting. The vertical header shows only when the model labels its rows.
void setUpStringGrid(QTableView &view, bool rowLabels);

void setColumnWidths(QTableView &view, const QList<int> &widths);

// The size that shows every column and the given number of rows below the header row without
// scrolling; the row labels are `labelWidth` wide, or absent for 0.
QSize wholeGridSize(const QTableView &view, int labelWidth, int dataRows);
