// SPDX-License-Identifier: GPL-3.0-or-later
// Sort texts of the history views: the title click, which alternates the direction, and the
// choice of the Sort dialog.
#pragma once

#include "db/dbvalue.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The items of the Sort dialog ("Date", "H1" .. "Rr", "Hand", "Result") and their fields
// ("DateP", "H1" .. "Rr", "Hand", "Result"), position by position.
QStringList sortItems();
QStringList sortFields();

// After a title click on `field`: the field ascending when the current sort contains "DESC",
// otherwise the field followed by " DESC".
QString titleClickSort(const QString &currentSort, const QString &field);

// The sort for an item text of the Sort dialog, compared without regard to case; nothing when
// the text names no item.
std::optional<QString> sortForItem(const QString &itemText, bool descending);

// The column and direction a grid's title row shows for a sort text: its first field, ascending
// or followed by DESC; nothing for an empty sort or one that names no column.
struct SortIndicator
{
    int column = -1;
    bool descending = false;
    bool operator==(const SortIndicator &) const = default;
};
std::optional<SortIndicator> sortIndicatorFor(const QString &sort, const QList<DbColumn> &columns);
