// SPDX-License-Identifier: GPL-3.0-or-later
// The pre-flop chart's model over the `PreFlop` table.
#include "systems/preflopchartmodel.h"

#include "db/dbtable.h"
#include "systems/actioncolours.h"

#include <algorithm>
#include <exception>

namespace {

constexpr int kRanks = 13;
const QString kRankLetters = QStringLiteral("AKQJT98765432");

} // namespace

QString chartHandName(int row, int column)
{
    const QString high = kRankLetters.mid(std::min(row, column), 1);
    const QString low = kRankLetters.mid(std::max(row, column), 1);
    if (row == column)
        return high + low;
    return high + low + (column > row ? QStringLiteral(" suited") : QStringLiteral(" offsuit"));
}

QString chartCellText(int row, int column)
{
    const QString name = chartHandName(row, column);
    return row == column ? name
                         : name.left(2) + (column > row ? QLatin1Char('s') : QLatin1Char('o'));
}

PreFlopChartModel::PreFlopChartModel(DbTable &handSet, QObject *parent)
    : QAbstractTableModel(parent), m_handSet(handSet), m_column(QStringLiteral("OppCl"))
{
    connect(&m_handSet, &DbTable::rowsReset, this, &PreFlopChartModel::reindex);
    connect(&m_handSet, &DbTable::rowChanged, this, &PreFlopChartModel::refresh);
    reindex();
}

void PreFlopChartModel::setColumn(const QString &column)
{
    if (column == m_column)
        return;
    m_column = column;
    refresh();
}

void PreFlopChartModel::reindex()
{
    m_rowOfHand.clear();
    const int hand = m_handSet.isOpen() ? columnIndex(m_handSet.columns(), u"Hand") : -1;
    if (hand >= 0) {
        try {
            for (int row = 0; row < m_handSet.rowCount(); ++row) {
                const QString name = m_handSet.cell(row, hand).toString().toLower();
                if (!m_rowOfHand.contains(name))
                    m_rowOfHand.insert(name, row);
            }
        } catch (const std::exception &) {
            m_rowOfHand.clear();
        }
    }
    refresh();
}

void PreFlopChartModel::refresh()
{
    Q_EMIT dataChanged(index(0, 0), index(kRanks - 1, kRanks - 1));
}

bool PreFlopChartModel::hasRow(const QString &hand) const
{
    return m_rowOfHand.contains(hand.toLower());
}

QString PreFlopChartModel::action(const QString &hand) const
{
    const auto found = m_rowOfHand.constFind(hand.toLower());
    if (found == m_rowOfHand.constEnd() || !m_handSet.isOpen())
        return {};
    const int column = columnIndex(m_handSet.columns(), m_column);
    if (column < 0)
        return {};
    try {
        return m_handSet.cell(*found, column).toString();
    } catch (const std::exception &) {
        return {}; // a file that cannot be read now shows as unknown until it can
    }
}

int PreFlopChartModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kRanks;
}

int PreFlopChartModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kRanks;
}

QVariant PreFlopChartModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const QString hand = chartHandName(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
        return chartCellText(index.row(), index.column());
    case HandRole:
        return hand;
    case ActionRole:
        return action(hand);
    case Qt::BackgroundRole:
        return actionColours(action(hand)).fill;
    case Qt::ForegroundRole:
        return actionColours(action(hand)).text;
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        if (!hasRow(hand))
            return tr("%1: not in this system").arg(hand);
        return tr("%1: %2").arg(hand, action(hand).isEmpty() ? tr("no action") : action(hand));
    default:
        return {};
    }
}

QVariant PreFlopChartModel::headerData(int section, Qt::Orientation, int role) const
{
    if (role == Qt::DisplayRole && section >= 0 && section < kRanks)
        return kRankLetters.mid(section, 1);
    return {};
}
