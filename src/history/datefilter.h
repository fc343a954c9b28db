// SPDX-License-Identifier: GPL-3.0-or-later
// The date filter of the "Game History" view, as the View dialog chooses it: all games, today's,
// one day's, one month's, or those from a start date to an end date, both included. Dates are
// written in the user's short date format.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

struct DateFilterChoice
{
    enum class Kind
    {
        All,
        Today,
        Day,
        Month,
        Range
    };
    struct Day
    {
        int month = 1;
        int day = 1;
        int year = 2004;
        bool operator==(const Day &) const = default;
    };

    Kind kind = Kind::All;
    Day day;       // "By day"
    int month = 1; // "By month"
    int monthYear = 2004;
    Day start; // "By date"
    Day end;

    bool operator==(const DateFilterChoice &) const = default;
};

// The filter text, or the message that says which chosen day does not exist.
struct DateFilterText
{
    QString filter; // empty for "All games"
    QString error;  // empty when the filter can be used
};

// "All games": "" ; "Today's games": "DateP = <today>"; "By day": "DateP = <day>";
// "By month": "DateP >= <first day> AND DateP <= <last day>"; "By date":
// "DateP >= <start> AND DateP <= <end>". A start after the end is no error: no game matches.
DateFilterText gameHistoryFilterText(const DateFilterChoice &choice, QDate today,
                                     const QLocale &locale = QLocale());

// The games the choice shows, in words for the Game History tab's tooltip: "Today's games
// (05/03/2024)", "The games of 05/03/2024", "The games of March 2024", "The games from
// 01/03/2024 to 15/03/2024"; empty for "All games" and for a day that does not exist.
QString describeDateFilter(const DateFilterChoice &choice, QDate today,
                           const QLocale &locale = QLocale());
