// SPDX-License-Identifier: GPL-3.0-or-later
// Writing one game into the history table.
#include "history/historyrecord.h"

#include "db/dbtable.h"
#include "engine/evaluate.h"
#include "history/historyfile.h"

HistoryRecord historyRecordFor(tallowby::HandState &hand, const QString &result, QDate today)
{
    HistoryRecord record;
    record.date = today;
    for (int s = 1; s <= tallowby::kSlotCount; ++s)
        record.cards.at(std::size_t(s - 1)) = QString::fromStdString(hand.CardCode(s));
    hand.LoadEvalHandFromSlots();
    record.rating = tallowby::EvaluateHand(hand.EvalHand);
    record.result = result;
    return record;
}

void appendHistoryRecord(DbTable &table, const HistoryRecord &record)
{
    const QStringList fields = historyFields();
    table.append();
    try {
        table.setField(QStringLiteral("DateP"), record.date);
        for (int c = 0; c < int(record.cards.size()); ++c)
            table.setField(fields.at(c + 1), record.cards.at(std::size_t(c)));
        table.setField(QStringLiteral("Rtg"), record.rating);
        const int stored = int(table.integer("Rtg"));
        table.setField(QStringLiteral("Hand"),
                       QString::fromStdString(tallowby::DescribeRating(stored)));
        table.setField(QStringLiteral("Result"), record.result);
        table.post();
    } catch (...) {
        table.cancel();
        throw;
    }
}
