// SPDX-License-Identifier: GPL-3.0-or-later
// Dates as the user reads and writes them (the locale's short date format, always with a
// four-digit year) and as the database stores them (ISO text, so that they sort and compare).
#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

#include <optional>

// The locale's short date format with its year widened to four digits: many locales write
// "dd.MM.yy", which would not read back to the same century.
QString shortDateFormat(const QLocale &locale = QLocale());
QString shortDateText(QDate date, const QLocale &locale = QLocale());
// Reads a date written by shortDateText(), also with one-digit days and months or as ISO
// "yyyy-MM-dd"; an invalid date when the text is neither.
QDate parseShortDate(const QString &text, const QLocale &locale = QLocale());

// Storage form: "yyyy-MM-dd", or "yyyy-MM-dd HH:mm:ss" when a time of day is present.
QString storedDateText(QDate date, QTime time = QTime());
QString storedDateText(const QDateTime &dateTime);

struct StoredDate
{
    QDate date;
    QTime time; // null when the value holds no time of day (a plain date or midnight)
};
// Reads the storage form (also with "T" between date and time, without seconds or with
// fractions of a second); nothing when the text is not a date. Builds no QDateTime, so
// reading every row of a large table stays cheap.
std::optional<StoredDate> parseStoredDate(QStringView text);
