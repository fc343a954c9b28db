// SPDX-License-Identifier: GPL-3.0-or-later
// Columns and the conversions of one stored value: what a field holds as the user reads it
// (text, date, whole number) and what a value becomes when it is stored into a field.
#pragma once

#include <QAnyStringView>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

enum class DbColumnKind
{
    Text,
    Number,
    Date
};

struct DbColumn
{
    QString name;
    DbColumnKind kind = DbColumnKind::Text;
    int maxLength = 0; // TEXT(n) holds at most n characters; 0 means no limit
};

// The kind and length of a column from its declared type ("TEXT(2)", "NUMBER", "DATE").
DbColumn columnFromDeclaration(const QString &name, const QString &declaredType);
// Index of the named column, compared without regard to case; -1 when there is none.
int columnIndex(const QList<DbColumn> &columns, QAnyStringView name);
// SQL identifier in double quotes.
QString quotedIdentifier(const QString &name);

// Readings of a stored value; `field` names it in error messages. A null value reads as "",
// an invalid date and 0.
QString valueText(const QVariant &stored, DbColumnKind kind);
// The calendar day of a stored date, with or without a time of day.
QDate valueDate(const QVariant &stored, QAnyStringView field);
// The time of day a stored date carries; a null QTime for a plain date (or midnight).
QTime valueTimeOfDay(const QVariant &stored, QAnyStringView field);
QDateTime valueDateTime(const QVariant &stored, QAnyStringView field);
// Whole number; a fraction is rounded to the nearest integer, a half to the even neighbour.
qint64 valueInteger(const QVariant &stored, QAnyStringView field);
double roundHalfEven(double value);

// The value to store into `column`: dates become ISO text, numbers are checked, texts are
// checked against the column's length. Throws DatabaseError for a value the column cannot hold.
QVariant storageValue(const DbColumn &column, const QVariant &value);
