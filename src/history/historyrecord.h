// SPDX-License-Identifier: GPL-3.0-or-later
// One recorded game as it goes into the history: the day, the seven card codes, the rating and
// description of the best hand the entered cards make, and the result word.
#pragma once

#include "engine/handstate.h"

#include <QDate>
#include <QString>

#include <array>

class DbTable;

struct HistoryRecord
{
    QDate date;                   // the calendar day, without time of day
    std::array<QString, 7> cards; // H1 H2 F1 F2 F3 Tn Rr; "--" for an empty slot
    int rating = 0;
    QString result;
};

// The record of the hand: rates the slots' cards through the hand's evaluation scratch space.
HistoryRecord historyRecordFor(tallowby::HandState &hand, const QString &result, QDate today);

// Appends and posts the row. The description is made from the rating as stored, read back.
// A failure leaves no row behind.
void appendHistoryRecord(DbTable &table, const HistoryRecord &record);
