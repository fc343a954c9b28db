// SPDX-License-Identifier: GPL-3.0-or-later
// The decimal separator the analysis writes its numbers with: the user's own.
#pragma once

#include <QLocale>
#include <QString>

// The first character of the locale's decimal point. The engine writes plain characters, so a
// separator outside ASCII (Arabic, Persian) falls back to the full stop.
inline char decimalSeparatorOf(const QLocale &locale)
{
    const QString point = locale.decimalPoint();
    if (point.isEmpty() || point.front().unicode() > 0x7f)
        return '.';
    return static_cast<char>(point.front().unicode());
}
