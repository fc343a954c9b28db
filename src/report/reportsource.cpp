// SPDX-License-Identifier: GPL-3.0-or-later
// Walking a table for a report.
#include "report/reportsource.h"

#include "db/dbdates.h"
#include "db/dbtable.h"
#include "db/dbvalue.h"

int DbTableReportSource::rowCount() const
{
    return m_table.rowCount();
}

void DbTableReportSource::first()
{
    m_table.first();
}

bool DbTableReportSource::atEnd() const
{
    return m_table.isEmpty() || m_table.atEnd();
}

void DbTableReportSource::next()
{
    m_table.next();
}

QString DbTableReportSource::text(const QString &field) const
{
    const int column = columnIndex(m_table.columns(), field);
    if (column >= 0 && m_table.columns().at(column).kind == DbColumnKind::Date) {
        // A value another program wrote that is no date prints as it is written.
        const QVariant stored = m_table.value(field);
        if (stored.typeId() == QMetaType::QString && !parseStoredDate(stored.toString()))
            return stored.toString();
        const QDate day = m_table.date(field);
        return day.isValid() ? shortDateText(day) : QString();
    }
    return m_table.text(field);
}

SuspendedViews::SuspendedViews(DbTable &table) : m_table(table)
{
    m_table.suspendViews();
}

SuspendedViews::~SuspendedViews()
{
    m_table.resumeViews();
}
