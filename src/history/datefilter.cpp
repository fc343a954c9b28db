// SPDX-License-Identifier: GPL-3.0-or-later
// Filter texts of the View dialog.
#include "history/datefilter.h"

#include "db/dbdates.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("DateFilter", text);
}

// The date, or the sentence that says why there is none; `which` names the box ("" for the
// only one).
QDate dateOf(const DateFilterChoice::Day &day, const QString &which, const QLocale &locale,
             QString &error)
{
    const QDate date(day.year, day.month, day.day);
    if (date.isValid())
        return date;
    const QString monthName = locale.standaloneMonthName(day.month, QLocale::LongFormat);
    const QDate first(day.year, day.month, 1);
    QString sentence;
    if (first.isValid()) {
        sentence = tr("There is no day %1 in %2 %3: that month has %4 days.")
                       .arg(day.day)
                       .arg(monthName)
                       .arg(day.year)
                       .arg(first.daysInMonth());
    } else {
        sentence = tr("There is no date with month %1, day %2, year %3.")
                       .arg(day.month)
                       .arg(day.day)
                       .arg(day.year);
    }
    error = which.isEmpty() ? sentence : which + QLatin1Char(' ') + sentence;
    error += QLatin1Char(' ') + tr("The filter in force stays as it is.");
    return {};
}

QString between(QDate first, QDate last, const QLocale &locale)
{
    return QStringLiteral("DateP >= ") + shortDateText(first, locale) +
           QStringLiteral(" AND DateP <= ") + shortDateText(last, locale);
}

} // namespace

DateFilterText gameHistoryFilterText(const DateFilterChoice &choice, QDate today,
                                     const QLocale &locale)
{
    using Kind = DateFilterChoice::Kind;
    DateFilterText text;
    switch (choice.kind) {
    case Kind::All:
        break;
    case Kind::Today:
        text.filter = QStringLiteral("DateP = ") + shortDateText(today, locale);
        break;
    case Kind::Day: {
        const QDate day = dateOf(choice.day, QString(), locale, text.error);
        if (day.isValid())
            text.filter = QStringLiteral("DateP = ") + shortDateText(day, locale);
        break;
    }
    case Kind::Month: {
        const QDate first(choice.monthYear, choice.month, 1);
        if (!first.isValid()) {
            dateOf({choice.month, 1, choice.monthYear}, QString(), locale, text.error);
            break;
        }
        text.filter = between(first, first.addDays(first.daysInMonth() - 1), locale);
        break;
    }
    case Kind::Range: {
        const QDate start = dateOf(choice.start, tr("Start date:"), locale, text.error);
        if (!start.isValid())
            break;
        const QDate end = dateOf(choice.end, tr("End date:"), locale, text.error);
        if (end.isValid())
            text.filter = between(start, end, locale);
        break;
    }
    }
    return text;
}

QString describeDateFilter(const DateFilterChoice &choice, QDate today, const QLocale &locale)
{
    using Kind = DateFilterChoice::Kind;
    const auto dayOf = [](const DateFilterChoice::Day &day) {
        return QDate(day.year, day.month, day.day);
    };
    switch (choice.kind) {
    case Kind::All:
        return {};
    case Kind::Today:
        return tr("Today's games (%1)").arg(shortDateText(today, locale));
    case Kind::Day:
        if (!dayOf(choice.day).isValid())
            return {};
        return tr("The games of %1").arg(shortDateText(dayOf(choice.day), locale));
    case Kind::Month: {
        const QDate first(choice.monthYear, choice.month, 1);
        if (!first.isValid())
            return {};
        return tr("The games of %1 %2")
            .arg(locale.standaloneMonthName(choice.month, QLocale::LongFormat))
            .arg(choice.monthYear);
    }
    case Kind::Range:
        if (!dayOf(choice.start).isValid() || !dayOf(choice.end).isValid())
            return {};
        return tr("The games from %1 to %2")
            .arg(shortDateText(dayOf(choice.start), locale),
                 shortDateText(dayOf(choice.end), locale));
    }
    return {};
}
