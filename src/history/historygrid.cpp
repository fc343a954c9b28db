// SPDX-License-Identifier: GPL-3.0-or-later
// Setting up the history grids.
#include "history/historygrid.h"

#include "db/dbdates.h"
#include "db/dbtable.h"
#include "history/historysort.h"
#include "history/historytablemodel.h"
#include "panel/stringgrid.h"

#include <QHeaderView>
#include <QTableView>

namespace {

constexpr int kDateWidth = 65;
constexpr int kCardWidth = 25;
constexpr int kRatingColumn = 8;
constexpr int kHandWidth = 130;
constexpr int kResultWidth = 46;

void layOutColumns(QTableView &grid)
{
    const QList<int> widths = historyColumnWidths(grid.fontMetrics());
    for (int column = 0; column < widths.size(); ++column) {
        grid.setColumnHidden(column, widths.at(column) == 0);
        if (widths.at(column) > 0)
            grid.setColumnWidth(column, widths.at(column));
    }
}

} // namespace

QList<int> historyColumnWidths(const QFontMetrics &metrics)
{
    // The widest day of the year in the locale's short format.
    const int date = fittedColumnWidth(metrics, {shortDateText(QDate(2028, 12, 28))}, kDateWidth);
    QList<int> widths{date};
    for (int card = 0; card < 7; ++card)
        widths.append(kCardWidth);
    widths.append(0);
    widths.append(kHandWidth);
    widths.append(kResultWidth);
    Q_ASSERT(widths.at(kRatingColumn) == 0);
    return widths;
}

void setUpHistoryGrid(QTableView &grid, HistoryTableModel &model)
{
    grid.setModel(&model);
    grid.setItemDelegate(new GridCellDelegate(&grid));
    grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid.setShowGrid(true);
    grid.setWordWrap(false);
    grid.setCornerButtonEnabled(false);

    const int rowHeight = gridRowHeight(grid.fontMetrics());
    QHeaderView *rows = grid.verticalHeader();
    rows->setVisible(false);
    // Fixed heights let the view place any of a hundred thousand rows without measuring them.
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(rowHeight);

    QHeaderView *titles = grid.horizontalHeader();
    titles->setDefaultAlignment(Qt::AlignCenter);
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setMinimumSectionSize(1);
    titles->setFixedHeight(rowHeight + 2);
    titles->setStretchLastSection(false);

    titles->setSortIndicatorShown(true);

    layOutColumns(grid);
    showSortIndicator(grid);
    // A reset of the model (new rows, sort or filter) gives the header default widths again.
    QObject::connect(&model, &QAbstractItemModel::modelReset, &grid, [&grid] {
        layOutColumns(grid);
        showSortIndicator(grid);
    });
}

void showSortIndicator(QTableView &grid)
{
    const auto *model = qobject_cast<const HistoryTableModel *>(grid.model());
    if (!model)
        return;
    const DbTable &table = model->table();
    const std::optional<SortIndicator> shown =
        table.isOpen() ? sortIndicatorFor(table.sort(), table.columns()) : std::nullopt;
    QHeaderView *titles = grid.horizontalHeader();
    if (shown)
        titles->setSortIndicator(shown->column,
                                 shown->descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    else
        titles->setSortIndicator(-1, Qt::AscendingOrder);
}
