// SPDX-License-Identifier: GPL-3.0-or-later
// Painting and set-up of the string grids.
#include "stringgrid.h"

#include "panel/contrast.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QToolTip>

#include <algorithm>

namespace {
constexpr int kLeftPad = 2;
constexpr int kRightPad = kCellTextPadding - kLeftPad;

QRect textRoom(const QRect &cell)
{
    return cell.adjusted(kLeftPad, 0, -kRightPad, 0);
}

void drawCellText(QPainter &painter, const QRect &textRect, const QString &shown,
                  Qt::Alignment alignment)
{
    painter.drawText(
        textRect,
        int((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
}

} // namespace

QString fittedCardList(const QString &list, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(list) <= width)
        return list;
    const QStringList codes = list.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString lead = list.startsWith(QLatin1Char(' ')) ? QStringLiteral(" ") : QString();
    for (qsizetype shown = codes.size() - 1; shown >= 0; --shown) {
        const QString rest = QStringLiteral("\u2026 +%1").arg(codes.size() - shown);
        const QString text =
            lead +
            (shown > 0 ? codes.first(shown).join(QLatin1Char(' ')) + QLatin1Char(' ') : QString()) +
            rest;
        if (metrics.horizontalAdvance(text) <= width || shown == 0)
            return text;
    }
    return list;
}

QString shownCellText(const QModelIndex &index, const QFontMetrics &metrics, int width)
{
    const QString text = index.data(Qt::DisplayRole).toString();
    if (index.data(kCardListRole).toBool())
        return fittedCardList(text, metrics, width);
    return metrics.elidedText(text, Qt::ElideRight, width);
}

CellColours cellColours(const QModelIndex &index)
{
    const QVariant fill = index.data(Qt::BackgroundRole);
    const QColor background = fill.canConvert<QColor>() ? fill.value<QColor>() : QColor(Qt::white);
    const QVariant ink = index.data(Qt::ForegroundRole);
    return {background,
            ink.canConvert<QColor>() ? ink.value<QColor>() : readableTextOn(background)};
}

QColor headerTextColour(const QPalette &palette)
{
    return readableTextOn(palette.color(QPalette::Button));
}

void GridCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    painter->save();
    const CellColours colours = cellColours(index);
    painter->fillRect(option.rect, colours.fill);
    painter->setPen(colours.ink);
    painter->setFont(option.font);
    const QRect room = textRoom(option.rect);
    drawCellText(*painter, room, shownCellText(index, option.fontMetrics, room.width()),
                 Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()));

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.initFrom(option.widget);
        focus.rect = option.rect.adjusted(1, 1, -1, -1);
        focus.backgroundColor = colours.fill;
        option.widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter,
                                              option.widget);
    }
    painter->restore();
}

bool GridCellDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                 const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event && event->type() == QEvent::ToolTip && index.isValid() &&
        !index.data(Qt::ToolTipRole).isValid()) {
        const QString whole = index.data(Qt::DisplayRole).toString();
        const int width = textRoom(option.rect).width();
        if (!whole.isEmpty() && shownCellText(index, option.fontMetrics, width) != whole) {
            QToolTip::showText(event->globalPos(), whole, view, option.rect);
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

void GridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    option.text.clear();
    painter->save();
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
    painter->setPen(headerTextColour(palette()));
    const QVariant aligned =
        model()->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole);
    const QRect room = textRoom(rect);
    drawCellText(
        *painter, room,
        fontMetrics().elidedText(model()->headerData(logicalIndex, orientation()).toString(),
                                 Qt::ElideRight, room.width()),
        aligned.isValid() ? Qt::Alignment(aligned.toInt()) : Qt::AlignCenter);
    painter->restore();
}

int gridRowHeight(const QFontMetrics &metrics)
{
    return std::max(kGridRowHeight, metrics.height() + 3);
}

int fittedColumnWidth(const QFontMetrics &metrics, const QStringList &texts, int minimum)
{
    int widest = 0;
    for (const QString &text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return std::max(minimum, widest + kCellTextPadding + 1);
}

void setUpStringGrid(QTableView &view, bool rowLabels)
{
    view.setItemDelegate(new GridCellDelegate(&view));
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setSelectionMode(QAbstractItemView::NoSelection);
    view.setTabKeyNavigation(false);
    view.setWordWrap(false);
    view.setCornerButtonEnabled(false);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const int rowHeight = gridRowHeight(view.fontMetrics());

    auto *across = new GridHeader(Qt::Horizontal, &view);
    view.setHorizontalHeader(across);
    across->setSectionResizeMode(QHeaderView::Fixed);
    across->setHighlightSections(false);
    across->setSectionsClickable(false);
    across->setMinimumSectionSize(1);
    across->setFixedHeight(rowHeight);

    auto *down = new GridHeader(Qt::Vertical, &view);
    view.setVerticalHeader(down);
    down->setSectionResizeMode(QHeaderView::Fixed);
    down->setMinimumSectionSize(1);
    down->setDefaultSectionSize(rowHeight);
    down->setHighlightSections(false);
    down->setSectionsClickable(false);
    down->setVisible(rowLabels);
}

void setColumnWidths(QTableView &view, const QList<int> &widths)
{
    for (int c = 0; c < widths.size(); ++c)
        view.setColumnWidth(c, widths[c]);
}

QSize wholeGridSize(const QTableView &view, int labelWidth, int dataRows)
{
    const QHeaderView *across = view.horizontalHeader();
    int width = 2 * view.frameWidth() + labelWidth;
    for (int c = 0; c < across->count(); ++c)
        width += across->sectionSize(c);
    const int height = 2 * view.frameWidth() + across->height() +
                       dataRows * view.verticalHeader()->defaultSectionSize();
    return {width, height};
}
