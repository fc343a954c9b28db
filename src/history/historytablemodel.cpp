// SPDX-License-Identifier: GPL-3.0-or-later
// The history grids' model.
#include "history/historytablemodel.h"

#include "db/dbtable.h"
#include "db/dbvalue.h"
#include "history/historyfile.h"
#include "panel/stringgrid.h"

namespace {

constexpr int kHandColumn = 9;
constexpr int kResultColumn = 10;

} // namespace

std::optional<QColor> resultColour(QStringView result)
{
    if (result == QLatin1String(kResultWin))
        return QColor(128, 255, 128);
    if (result == QLatin1String(kResultSplit))
        return QColor(255, 255, 128);
    if (result == QLatin1String(kResultLose))
        return QColor(255, 128, 128);
    if (result == QLatin1String(kResultFold))
        return QColor(128, 255, 255);
    return std::nullopt;
}

HistoryTableModel::HistoryTableModel(DbTable &table, QObject *parent) : DbTableModel(table, parent)
{
    QStringList titles = historyFields();
    titles.front() = tr("Date");
    titles[kHandColumn] = tr("Hand");
    titles[kResultColumn] = tr("Result");
    setColumnTitles(titles);
    for (int column = 0; column < titles.size(); ++column)
        setColumnAlignment(column, column == kHandColumn ? Qt::AlignLeft | Qt::AlignVCenter
                                                         : Qt::AlignCenter);
}

QVariant HistoryTableModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::ForegroundRole)
        return index.isValid() ? QVariant(QColor(Qt::black)) : QVariant();
    // The longest hand descriptions are cut rather than push Result out of a narrow window.
    if (role == kMayBeCutRole)
        return index.isValid() && index.column() == kHandColumn;
    if (role != Qt::BackgroundRole)
        return DbTableModel::data(index, role);
    if (!index.isValid())
        return {};
    if (index.column() == columnIndex(table().columns(), QLatin1String("Result"))) {
        const QVariant stored = DbTableModel::data(index, StoredValueRole);
        if (stored.typeId() == QMetaType::QString) {
            if (const std::optional<QColor> colour = resultColour(stored.toString()))
                return *colour;
        }
    }
    return QColor(Qt::white);
}
