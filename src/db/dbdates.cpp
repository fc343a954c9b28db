// SPDX-License-Identifier: GPL-3.0-or-later
// Date texts of the database layer.
#include "db/dbdates.h"

#include <algorithm>

namespace {

// Every run of 'y' outside quoted literals becomes "yyyy".
QString widenYear(const QString &format)
{
    QString widened;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        } else if (!quoted && c == QLatin1Char('y')) {
            while (i + 1 < format.size() && format.at(i + 1) == QLatin1Char('y'))
                ++i;
            widened += QStringLiteral("yyyy");
            continue;
        }
        widened += c;
    }
    return widened;
}

// "dd" and "MM" also accept one digit in their relaxed form.
QString relaxed(QString format)
{
    return format.replace(QStringLiteral("dd"), QStringLiteral("d"))
        .replace(QStringLiteral("MM"), QStringLiteral("M"));
}

} // namespace

QString shortDateFormat(const QLocale &locale)
{
    return widenYear(locale.dateFormat(QLocale::ShortFormat));
}

QString shortDateText(QDate date, const QLocale &locale)
{
    return locale.toString(date, shortDateFormat(locale));
}

QDate parseShortDate(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    const QString format = shortDateFormat(locale);
    // Only a text that the format writes back the same way counts, so "01.03.26" is not
    // taken for the year 26.
    for (const QString &candidate : {format, relaxed(format)}) {
        const QDate date = locale.toDate(trimmed, candidate);
        if (date.isValid() && locale.toString(date, candidate) == trimmed)
            return date;
    }
    return QDate::fromString(trimmed, Qt::ISODate);
}

QString storedDateText(QDate date, QTime time)
{
    if (!time.isValid() || time == QTime(0, 0))
        return date.toString(Qt::ISODate);
    return date.toString(Qt::ISODate) + QLatin1Char(' ') +
           time.toString(QStringLiteral("HH:mm:ss"));
}

QString storedDateText(const QDateTime &dateTime)
{
    return storedDateText(dateTime.date(), dateTime.time());
}

std::optional<StoredDate> parseStoredDate(QStringView text)
{
    const QStringView t = text.trimmed();
    const auto number = [t](qsizetype from, qsizetype count) {
        int value = 0;
        for (qsizetype i = from; i < from + count; ++i) {
            if (i >= t.size() || !t.at(i).isDigit())
                return -1;
            value = value * 10 + t.at(i).digitValue();
        }
        return value;
    };
    const auto at = [t](qsizetype i, char c) {
        return i < t.size() && t.at(i) == QLatin1Char(c);
    };

    if (t.size() < 10 || !at(4, '-') || !at(7, '-'))
        return std::nullopt;
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    if (!date.isValid())
        return std::nullopt;
    if (t.size() == 10)
        return StoredDate{date, QTime()};

    if (!(at(10, ' ') || at(10, 'T')) || !at(13, ':') || (t.size() != 16 && !at(16, ':')))
        return std::nullopt;
    const int hours = number(11, 2);
    const int minutes = number(14, 2);
    const int seconds = t.size() == 16 ? 0 : number(17, 2);
    int milliseconds = 0;
    if (t.size() > 19) {
        const qsizetype fraction = t.size() - 20;
        if (!at(19, '.') || fraction < 1 || fraction > 9 || number(20, fraction) < 0)
            return std::nullopt;
        milliseconds = number(20, std::min<qsizetype>(fraction, 3));
        for (qsizetype i = fraction; i < 3; ++i)
            milliseconds *= 10;
    } else if (t.size() != 16 && t.size() != 19) {
        return std::nullopt;
    }
    const QTime time(hours, minutes, seconds, milliseconds);
    if (!time.isValid())
        return std::nullopt;
    return StoredDate{date, time == QTime(0, 0) ? QTime() : time};
}
