// SPDX-License-Identifier: GPL-3.0-or-later
// The typed reads of a field of the current row that tables and queries share: each takes the
// stored value from the row's own value() and reads it as a date, a time of day or a number.
#pragma once

#include "db/dbvalue.h"

#include <QAnyStringView>
#include <QDate>
#include <QDateTime>
#include <QTime>

// Row is the class that derives from it and has `QVariant value(QAnyStringView) const`.
template <typename Row> class DbFieldReads
{
public:
    // The calendar day of a date field, with or without a time of day.
    QDate date(QAnyStringView field) const { return valueDate(row().value(field), field); }
    // The time of day a date field carries; null for a plain date. A game stored with a time
    // of day never falls on "today" as a plain date does.
    QTime timeOfDay(QAnyStringView field) const
    {
        return valueTimeOfDay(row().value(field), field);
    }
    // The date with its time of day (midnight for a plain date).
    QDateTime dateTime(QAnyStringView field) const
    {
        return valueDateTime(row().value(field), field);
    }
    qint64 integer(QAnyStringView field) const { return valueInteger(row().value(field), field); }

protected:
    DbFieldReads() = default;
    ~DbFieldReads() = default;

private:
    const Row &row() const { return static_cast<const Row &>(*this); }
};
