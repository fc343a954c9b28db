// SPDX-License-Identifier: GPL-3.0-or-later
// The rows an "Apply to..." changes.
#include "systems/applyto.h"

#include "db/dbtable.h"

#include <algorithm>

namespace {

bool same(const QVariant &stored, const QString &wanted)
{
    return stored.toString().compare(wanted, Qt::CaseInsensitive) == 0;
}

bool isTarget(const TypeSetKey &source, const TypeSetKey &row, ApplyScope scope)
{
    if (!same(row.type, source.type))
        return false;
    const bool sameOpponents = same(row.opponents, source.opponents);
    const bool sameRound = same(row.round, source.round);
    if (sameOpponents && sameRound)
        return false; // the source itself
    switch (scope) {
    case ApplyScope::Opponents:
        return sameRound;
    case ApplyScope::Rounds:
        return sameOpponents;
    case ApplyScope::Both:
        return true;
    }
    return false;
}

} // namespace

const QStringList &copiedTypeSetFields()
{
    static const QStringList fields = {QStringLiteral("HitE"), QStringLiteral("HitL"),
                                       QStringLiteral("HitS"), QStringLiteral("HitV"),
                                       QStringLiteral("HgrL"), QStringLiteral("HgrS"),
                                       QStringLiteral("HgrV")};
    return fields;
}

RowChanges applyToChanges(const DbTable &typeSet, const TypeSetKey &source, ApplyScope scope)
{
    RowChanges changes(QString::fromLatin1(kApplyKeys));
    const QList<DbColumn> &columns = typeSet.columns();
    const int typeColumn = columnIndex(columns, u"HType");
    const int opponentsColumn = columnIndex(columns, u"Opps");
    const int roundColumn = columnIndex(columns, u"Rnd");
    std::vector<int> fieldColumns;
    QVariantList values;
    for (const QString &field : copiedTypeSetFields()) {
        fieldColumns.push_back(columnIndex(columns, field));
        values.append(typeSet.cell(typeSet.currentRow(), fieldColumns.back()));
    }
    QList<TypeSetKey> seen;
    for (int row = 0; row < typeSet.rowCount(); ++row) {
        const TypeSetKey key{typeSet.cell(row, typeColumn).toString(),
                             typeSet.cell(row, opponentsColumn).toString(),
                             typeSet.cell(row, roundColumn).toString()};
        if (!isTarget(source, key, scope))
            continue;
        // Only the first row of a combination counts, as every lookup takes the first.
        const auto already = std::find_if(seen.begin(), seen.end(), [&key](const TypeSetKey &k) {
            return same(k.type, key.type) && same(k.opponents, key.opponents) &&
                   same(k.round, key.round);
        });
        if (already != seen.end())
            continue;
        seen.append(key);
        for (std::size_t f = 0; f < fieldColumns.size(); ++f) {
            changes.add({key.type, key.opponents, key.round},
                        copiedTypeSetFields().at(qsizetype(f)), typeSet.cell(row, fieldColumns[f]),
                        values.at(qsizetype(f)));
        }
    }
    return changes;
}
