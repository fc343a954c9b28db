// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: filter and sort texts of the history table, in two locales.
#include "db/dberror.h"
#include "db/dbfilter.h"
#include "db/dbvalue.h"

#include <QCoreApplication>
#include <QLocale>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QList<DbColumn> columns = {
        columnFromDeclaration(QStringLiteral("DateP"), QStringLiteral("DATE")),
        columnFromDeclaration(QStringLiteral("H1"), QStringLiteral("TEXT(2)")),
        columnFromDeclaration(QStringLiteral("Rtg"), QStringLiteral("NUMBER")),
        columnFromDeclaration(QStringLiteral("Hand"), QStringLiteral("TEXT(30)")),
    };
    static const QLocale german(QLocale::German, QLocale::Germany);
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QLocale &locale : {QLocale::c(), german}) {
        try {
            const DbWhereClause where = parseFilter(text, columns, locale);
            if (where.sql.count(QLatin1Char('?')) != where.values.size())
                __builtin_trap(); // every value is bound to one placeholder
        } catch (const DatabaseError &) {
        }
    }
    try {
        orderByClause(text, columns);
    } catch (const DatabaseError &) {
    }
    return 0;
}
