// SPDX-License-Identifier: GPL-3.0-or-later
// Filter and sort texts of a table, turned into SQL.
//
// A filter compares fields with values and joins the comparisons with AND and OR, with
// parentheses:  (H1 = 'As' AND H2 = 'Kd') OR (H2 = 'As' AND H1 = 'Kd')
//               DateP >= 01.03.2026 AND DateP <= 31.03.2026
// Operators: =, <>, <, >, <=, >=. A text is written in single quotes ('' for a quote inside).
// A date is written in the user's short date format (dbdates.h), with or without quotes; a
// number as it is. Field names are checked against the table's columns and every value is
// bound, never pasted into the SQL. A text that cannot be read throws DatabaseError.
//
// A sort text names one field or several separated by commas, each optionally followed by
// ASC or DESC:  "DateP DESC".
#pragma once

#include "db/dbvalue.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QVariantList>

struct DbWhereClause
{
    QString sql; // empty for an empty filter
    QVariantList values;
};

DbWhereClause parseFilter(const QString &filter, const QList<DbColumn> &columns,
                          const QLocale &locale = QLocale());

// The terms after ORDER BY. Rows of equal sort values keep the order in which they were
// recorded, in the direction of the first term: under "DateP DESC" the newest row comes first.
QString orderByClause(const QString &sort, const QList<DbColumn> &columns);
