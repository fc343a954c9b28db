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

std::optional<SortIndicator> sortIndicatorFor(const QString &sort, const QList<DbColumn> &columns)
{
    const QStringList words =
        sort.section(QLatin1Char(','), 0, 0).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty() || words.size() > 2)
        return std::nullopt;
    QString field = words.front();
    if (field.startsWith(QLatin1Char('[')) && field.endsWith(QLatin1Char(']')))
        field = field.mid(1, field.size() - 2);
    const int column = columnIndex(columns, field);
    if (column < 0)
        return std::nullopt;
    const bool descending =
        words.size() == 2 && words.back().compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
    if (words.size() == 2 && !descending &&
        words.back().compare(QLatin1String("ASC"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return SortIndicator{column, descending};
}
