// SPDX-License-Identifier: GPL-3.0-or-later
// Views that look and behave like the program's string grids: fixed rows of 17 pixels (more
// only when the font needs it), read-only cells painted by the program (fill and alignment from
// the model, text in black, 2 pixels in from the left or 3 from the right), and fixed header
// cells in the button-face colour.
#pragma once

#include <QColor>
#include <QHeaderView>
#include <QStringList>
#include <QStyledItemDelegate>

class QFontMetrics;
class QModelIndex;
class QPalette;
class QTableView;

class GridCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    // A cell cut to its column shows its whole text as a tooltip when the model gives none.
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;
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
// Room a cell leaves around its text: 2 pixels on the left, 3 on the right.
inline constexpr int kCellTextPadding = 5;

// A model answers true for this role where the cell holds a list of card codes; a list too
// long for its cell shows as many codes as fit and the count of the rest ("2h 3h … +5").
inline constexpr int kCardListRole = Qt::UserRole + 40;
// A model answers true for this role where a cell's text may be cut with "…" when its column
// is narrow; the grid shows a cut text whole in a tooltip (every cut cell does).
inline constexpr int kMayBeCutRole = Qt::UserRole + 41;

// The list of card codes (" 2h 3h 4h ") as it fits `width`: whole, or its first codes followed
// by "… +n" for the n left out.
QString fittedCardList(const QString &list, const QFontMetrics &metrics, int width);

// The text a grid cell shows in `width` pixels of text room: a card list fitted as above, any
// other text elided with "…".
QString shownCellText(const QModelIndex &index, const QFontMetrics &metrics, int width);

// Fill and text colour of a grid cell: the model's, a white fill by default, and a text colour
// that is readable on the fill when the model names none.
struct CellColours
{
    QColor fill;
    QColor ink;
};
CellColours cellColours(const QModelIndex &index);

// The text colour of the fixed row and column, readable on the button face they are drawn on.
QColor headerTextColour(const QPalette &palette);

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
