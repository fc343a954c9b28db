// SPDX-License-Identifier: GPL-3.0-or-later
// Sort texts of the history views.
#include "history/historysort.h"

QStringList sortItems()
{
    return {QStringLiteral("Date"),  QStringLiteral("H1"), QStringLiteral("H2"),
            QStringLiteral("F1"),    QStringLiteral("F2"), QStringLiteral("F3"),
            QStringLiteral("Tn"),    QStringLiteral("Rr"), QStringLiteral("Hand"),
            QStringLiteral("Result")};
}

QStringList sortFields()
{
    return {QStringLiteral("DateP"), QStringLiteral("H1"), QStringLiteral("H2"),
            QStringLiteral("F1"),    QStringLiteral("F2"), QStringLiteral("F3"),
            QStringLiteral("Tn"),    QStringLiteral("Rr"), QStringLiteral("Hand"),
            QStringLiteral("Result")};
}

QString titleClickSort(const QString &currentSort, const QString &field)
{
    if (currentSort.contains(QLatin1String("DESC"), Qt::CaseSensitive))
        return field;
    return field + QStringLiteral(" DESC");
}

std::optional<QString> sortForItem(const QString &itemText, bool descending)
{
    const QStringList items = sortItems();
    for (qsizetype item = 0; item < items.size(); ++item) {
        if (items.at(item).compare(itemText.trimmed(), Qt::CaseInsensitive) == 0) {
            const QString field = sortFields().at(item);
            return descending ? field + QStringLiteral(" DESC") : field;
        }
    }
    return std::nullopt;
}
