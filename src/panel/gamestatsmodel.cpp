// SPDX-License-Identifier: GPL-3.0-or-later
// The "Game Statistics" model.
#include "gamestatsmodel.h"

#include "panel/stringgrid.h"

#include <QColor>

namespace {
const std::array<const char *, GameStatsModel::kColumns> kHeaders{
    "",
    "-- --",
    QT_TRANSLATE_NOOP("GameStatsModel", "Today"),
    QT_TRANSLATE_NOOP("GameStatsModel", "Yesterday"),
    QT_TRANSLATE_NOOP("GameStatsModel", "This Week"),
    QT_TRANSLATE_NOOP("GameStatsModel", "This Month"),
    QT_TRANSLATE_NOOP("GameStatsModel", "All Games")};
const std::array<const char *, GameStatsModel::kRows> kLabels{
    "",
    QT_TRANSLATE_NOOP("GameStatsModel", "Win %"),
    QT_TRANSLATE_NOOP("GameStatsModel", "Win"),
    QT_TRANSLATE_NOOP("GameStatsModel", "Lose %"),
    QT_TRANSLATE_NOOP("GameStatsModel", "Lose"),
    QT_TRANSLATE_NOOP("GameStatsModel", "Split %"),
    QT_TRANSLATE_NOOP("GameStatsModel", "Split"),
    QT_TRANSLATE_NOOP("GameStatsModel", "Fold %"),
    QT_TRANSLATE_NOOP("GameStatsModel", "Fold")};
} // namespace

GameStatsModel::GameStatsModel(QObject *parent) : QAbstractTableModel(parent) {}

QString GameStatsModel::cell(int column, int row) const
{
    return cells_.at(column).at(row);
}

void GameStatsModel::setCell(int column, int row, const QString &text)
{
    cells_.at(column).at(row) = text;
    if (row == 0 && column > 0) {
        Q_EMIT headerDataChanged(Qt::Horizontal, column - 1, column - 1);
    } else if (column == 0 && row > 0) {
        Q_EMIT headerDataChanged(Qt::Vertical, row - 1, row - 1);
    } else if (row > 0) {
        const QModelIndex changed = index(row - 1, column - 1);
        Q_EMIT dataChanged(changed, changed);
    }
}

void GameStatsModel::clearForNewGame()
{
    beginResetModel();
    for (auto &column : cells_)
        column.fill(QString());
    for (int c = 1; c < kColumns; ++c)
        cells_[c][0] = tr(kHeaders[c]);
    for (int r = 1; r < kRows; ++r)
        cells_[0][r] = tr(kLabels[r]);
    endResetModel();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, kColumns - 2);
    Q_EMIT headerDataChanged(Qt::Vertical, 0, kRows - 2);
}

int GameStatsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kRows - 1;
}

int GameStatsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns - 1;
}

QVariant GameStatsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return cell(index.column() + 1, index.row() + 1);
    case Qt::BackgroundRole:
        return QColor(Qt::white);
    case Qt::ForegroundRole:
        return QColor(Qt::black);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant GameStatsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const bool across = orientation == Qt::Horizontal;
    if (section < 0 || section >= (across ? kColumns : kRows) - 1)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return across ? cell(section + 1, 0) : cell(0, section + 1);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(across ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

Qt::ItemFlags GameStatsModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QList<int> GameStatsModel::columnWidths(const QFontMetrics &metrics)
{
    QStringList labels;
    for (int r = 1; r < kRows; ++r)
        labels.append(tr(kLabels[r]));
    QList<int> widths{fittedColumnWidth(metrics, labels, kLabelColumnWidth)};
    for (int c = 1; c < kColumns; ++c)
        widths.append(fittedColumnWidth(
            metrics, {tr(kHeaders[c]), QStringLiteral("Kd Kh"), QStringLiteral("33.33")},
            kColumnWidth));
    return widths;
}
