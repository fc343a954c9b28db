// SPDX-License-Identifier: GPL-3.0-or-later
// Setting up the history grids.
#include "history/historygrid.h"

#include "db/dbdates.h"
#include "db/dbtable.h"
#include "history/historysort.h"
#include "history/historytablemodel.h"
#include "panel/stringgrid.h"

#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QStringList>
#include <QStyle>
#include <QTableView>

#include <algorithm>
#include <numeric>

namespace {

constexpr int kDateWidth = 65;
constexpr int kCardWidth = 25;
constexpr int kRatingColumn = 8;
constexpr int kHandColumn = 9;
constexpr int kResultWidth = 46;

void layOutColumns(QTableView &grid, const QList<int> &widths)
{
    for (int column = 0; column < widths.size(); ++column) {
        const int shown = historyGridColumn(column);
        if (shown >= 0)
            grid.setColumnWidth(shown, widths.at(column));
    }
    QHeaderView *titles = grid.horizontalHeader();
    if (titles->count() > historyGridColumn(kHandColumn))
        titles->setSectionResizeMode(historyGridColumn(kHandColumn), QHeaderView::Stretch);
}

// The table's rows with every column but Rtg.
class WithoutRating : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() || !sourceModel() ? 0
                                                  : std::max(sourceModel()->columnCount() - 1, 0);
    }
    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override
    {
        if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() ||
            column >= columnCount())
            return {};
        return createIndex(row, column);
    }
    QModelIndex mapToSource(const QModelIndex &shown) const override
    {
        if (!shown.isValid() || !sourceModel())
            return {};
        return sourceModel()->index(shown.row(), historyTableColumn(shown.column()));
    }
    QModelIndex mapFromSource(const QModelIndex &stored) const override
    {
        const int column = stored.isValid() ? historyGridColumn(stored.column()) : -1;
        return column < 0 ? QModelIndex() : createIndex(stored.row(), column);
    }
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override
    {
        if (!sourceModel())
            return {};
        return sourceModel()->headerData(orientation == Qt::Horizontal ? historyTableColumn(section)
                                                                       : section,
                                         orientation, role);
    }
};

// A title with the header's margin of 4 pixels on either side.
int titleWidth(const QFontMetrics &metrics, const QString &title)
{
    return metrics.horizontalAdvance(title) + 2 * 4;
}

// The width of a column whose cells show each of the texts whole. The grid elides a cell's text
// by its exact width, which the rounded advance can fall short of; the pixel more is the grid
// line.
int wholeCellsWidth(const QFontMetrics &metrics, const QStringList &texts, int minimum)
{
    int widest = 0;
    for (const QString &text : texts) {
        int width = metrics.horizontalAdvance(text);
        while (metrics.elidedText(text, Qt::ElideRight, width) != text)
            ++width;
        widest = std::max(widest, width);
    }
    return std::max(minimum, widest + kCellTextPadding + 1);
}

QStringList everyCardCode()
{
    QStringList codes;
    for (const QChar rank : QStringLiteral("23456789TJQKA"))
        for (const QChar suit : QStringLiteral("cdhs"))
            codes.append(QString(rank) + suit);
    return codes;
}

} // namespace

QList<int> historyColumnWidths(const QFontMetrics &metrics)
{
    // A two-digit day of every month in the locale's short format: month names differ in
    // width ("Nov" is wider than "Dec" in many fonts).
    QStringList days;
    for (int month = 1; month <= 12; ++month)
        days.append(shortDateText(QDate(2028, month, 28)));
    const int date = wholeCellsWidth(metrics, days, kDateWidth);
    QList<int> widths{std::max(date, titleWidth(metrics, QStringLiteral("Date")))};
    const QString cardTitles[] = {QStringLiteral("H1"), QStringLiteral("H2"), QStringLiteral("F1"),
                                  QStringLiteral("F2"), QStringLiteral("F3"), QStringLiteral("Tn"),
                                  QStringLiteral("Rr")};
    const int card = wholeCellsWidth(metrics, everyCardCode(), kCardWidth);
    for (const QString &title : cardTitles)
        widths.append(std::max(card, titleWidth(metrics, title)));
    widths.append(0);
    // Room for a common description; on the grid the column takes what the others leave, 130
    // pixels or so in the window's design size.
    widths.append(fittedColumnWidth(metrics, {QStringLiteral("Two Pair. KK, 99, 4")}, 0));
    widths.append(std::max(wholeCellsWidth(metrics,
                                           {QStringLiteral("Win"), QStringLiteral("Lose"),
                                            QStringLiteral("Split"), QStringLiteral("Fold")},
                                           kResultWidth),
                           titleWidth(metrics, QStringLiteral("Result"))));
    Q_ASSERT(widths.at(kRatingColumn) == 0);
    return widths;
}

int historyGridColumn(int tableColumn)
{
    if (tableColumn == kRatingColumn)
        return -1;
    return tableColumn > kRatingColumn ? tableColumn - 1 : tableColumn;
}

int historyTableColumn(int gridColumn)
{
    return gridColumn >= kRatingColumn ? gridColumn + 1 : gridColumn;
}

void setUpHistoryGrid(QTableView &grid, HistoryTableModel &model)
{
    auto *shown = new WithoutRating(&grid);
    shown->setSourceModel(&model);
    grid.setModel(shown);
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

    // Measured once: the grid's font stays what it was at start.
    const QList<int> widths = historyColumnWidths(grid.fontMetrics());
    layOutColumns(grid, widths);
    // Every column beside the vertical scroll bar, Hand at least as wide as a common
    // description: the window grows for a font that needs it rather than hide Result behind a
    // sideways scroll.
    grid.setMinimumWidth(std::accumulate(widths.begin(), widths.end(), 0) + 2 * grid.frameWidth() +
                         grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid));
    showSortIndicator(grid);
    // A reset of the model (new rows, sort or filter) gives the header default widths again.
    QObject::connect(&model, &QAbstractItemModel::modelReset, &grid, [&grid, widths] {
        layOutColumns(grid, widths);
        showSortIndicator(grid);
    });
}

const HistoryTableModel *historyRowsOf(const QTableView &grid)
{
    // The grid shows the table's model through the proxy that leaves out Rtg; its rows are the
    // table's rows.
    const auto *shownRows = qobject_cast<const QAbstractProxyModel *>(grid.model());
    return qobject_cast<const HistoryTableModel *>(shownRows ? shownRows->sourceModel()
                                                             : grid.model());
}

void showSortIndicator(QTableView &grid)
{
    const HistoryTableModel *model = historyRowsOf(grid);
    if (!model)
        return;
    const DbTable &table = model->table();
    const std::optional<SortIndicator> shown =
        table.isOpen() ? sortIndicatorFor(table.sort(), table.columns()) : std::nullopt;
    QHeaderView *titles = grid.horizontalHeader();
    const int column = shown ? historyGridColumn(shown->column) : -1;
    if (column >= 0) {
        titles->setSortIndicator(column,
                                 shown->descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        // The arrow takes room from the title: the sorted column widens so its title stays whole.
        titles->resizeSection(
            column, std::max(titles->sectionSize(column), titles->sectionSizeHint(column)));
    } else
        titles->setSortIndicator(-1, Qt::AscendingOrder);
}
