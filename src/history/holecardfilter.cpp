// SPDX-License-Identifier: GPL-3.0-or-later
// The hole-card filter text.
#include "history/holecardfilter.h"

#include "db/dbtable.h"

#include <QStringList>

namespace {

constexpr const char *kSuitPairs[] = {"sd", "sc", "sh", "ss", "ds", "dc", "dh", "dd",
                                      "cs", "cd", "ch", "cc", "hs", "hc", "hd", "hh"};

QString quotedCode(QChar rank, char suit)
{
    return QLatin1Char('\'') + rank + QLatin1Char(suit) + QLatin1Char('\'');
}

} // namespace

QString holeCardFilterText(QChar p, QChar q)
{
    QString text;
    text.reserve(32 * 34);
    // The first half compares H1 with P and H2 with Q, the second the other way round.
    for (const QLatin1String first : {QLatin1String("H1"), QLatin1String("H2")}) {
        const QLatin1String second =
            first == QLatin1String("H1") ? QLatin1String("H2") : QLatin1String("H1");
        for (const char *pair : kSuitPairs) {
            if (!text.isEmpty())
                text += QLatin1String(" OR ");
            text += QLatin1Char('(') + first + QLatin1String(" = ") + quotedCode(p, pair[0]) +
                    QLatin1String(" AND ") + second + QLatin1String(" = ") +
                    quotedCode(q, pair[1]) + QLatin1Char(')');
        }
    }
    return text;
}

void applyHoleCardFilter(DbTable &handHistory, const QString &filter)
{
    // With filtering already on, the new text reads the rows once; otherwise switching it on
    // does. Switching it off first would read every game in between.
    handHistory.setFilter(filter);
    handHistory.setFiltered(true);
}
