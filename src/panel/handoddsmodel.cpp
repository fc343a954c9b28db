// SPDX-License-Identifier: GPL-3.0-or-later
// The "Hand Odds" model.
#include "handoddsmodel.h"

#include "engine/cards.h"
#include "panel/contrast.h"
#include "panel/stringgrid.h"

#include <QApplication>
#include <QPalette>
#include <QStringList>

#include <algorithm>

using tallowby::CellShade;
using tallowby::HandOddsGrid;

namespace {
constexpr int kNeedColumn = 1;
constexpr int kFirstNumberColumn = 2;
} // namespace

HandOddsModel::HandOddsModel(QObject *parent) : QAbstractTableModel(parent) {}

void HandOddsModel::setGrid(const HandOddsGrid &grid, char decimalSeparator)
{
    beginResetModel();
    grid_ = grid;
    decimalSeparator_ = decimalSeparator;
    endResetModel();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, HandOddsGrid::kColumns - 1);
}

QString HandOddsModel::cellText(int column, int row) const
{
    return QString::fromStdString(grid_.cell(column, row));
}

int HandOddsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(grid_.rowCount() - 1, 0);
}

int HandOddsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : HandOddsGrid::kColumns;
}

QVariant HandOddsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int column = index.column();
    const int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return cellText(column, row);
    case Qt::AccessibleTextRole: {
        const QString text = cellText(column, row);
        return column == kNeedColumn && !text.isEmpty() ? spokenNeed(text) : text;
    }
    case Qt::BackgroundRole:
        return cellFill(column, row);
    case Qt::ForegroundRole:
        // The button face of the desktop's colours may be dark.
        return readableTextOn(cellFill(column, row));
    case kCardListRole:
        return column == kNeedColumn;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (column < kFirstNumberColumn ? Qt::AlignLeft : Qt::AlignRight));
    default:
        return {};
    }
}

QVariant HandOddsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= HandOddsGrid::kColumns)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cellText(section, 0);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignCenter);
    default:
        return {};
    }
}

QColor HandOddsModel::cellFill(int column, int row) const
{
    return shadeColour(tallowby::handOddsCellShade(grid_, column, row, decimalSeparator_),
                       QApplication::palette().color(QPalette::Button));
}

Qt::ItemFlags HandOddsModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QList<int> handOddsColumnWidths(const QFontMetrics &metrics)
{
    const auto &design = HandOddsGrid::kColumnWidths;
    const int name =
        fittedColumnWidth(metrics,
                          {QStringLiteral("Hand Type"), QStringLiteral("Straight Flush."),
                           QStringLiteral("Straight Flush. T, 9, 8, 7, 6")},
                          design[0]);
    const int you = fittedColumnWidth(metrics,
                                      {QStringLiteral("You %"), QStringLiteral("Flop %"),
                                       QStringLiteral("Turn %"), QStringLiteral("River %"),
                                       QStringLiteral("99.99")},
                                      design[2]);
    const int higher = fittedColumnWidth(
        metrics, {QStringLiteral("Higher %"), QStringLiteral("99.99")}, design[3]);
    const int designTotal = design[0] + design[1] + design[2] + design[3];
    const int need =
        std::max(designTotal - name - you - higher,
                 fittedColumnWidth(metrics, {QStringLiteral(" 2h 3h 4h 5h 6h 7h 8h 9h Th")}, 0));
    return {name, need, you, higher};
}

QColor shadeColour(CellShade shade, const QColor &buttonFace)
{
    switch (shade) {
    case CellShade::ButtonFace:
        return buttonFace;
    case CellShade::LightGreen:
        return {128, 255, 128};
    case CellShade::LightYellow:
        return {255, 255, 128};
    case CellShade::LightOrange:
        return {255, 169, 128};
    case CellShade::LightRed:
        return {255, 128, 128};
    case CellShade::Pink:
        return {255, 128, 192};
    case CellShade::White:
        break;
    }
    return Qt::white;
}

QString spokenNeed(const QString &need)
{
    QStringList names;
    const QStringList codes = need.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &code : codes) {
        const int index = tallowby::cardIndexFromCode(code.toStdString());
        names.append(index > 0 ? QString::fromStdString(tallowby::cardName(index)) : code);
    }
    return names.isEmpty() ? QCoreApplication::translate("HandOddsModel", "none")
                           : names.join(QStringLiteral(", "));
}
