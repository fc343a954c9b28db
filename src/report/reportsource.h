// SPDX-License-Identifier: GPL-3.0-or-later
// The rows a report prints: a walk from the first row to the last, reading fields as display
// text. DbTableReportSource walks a table in its current sort and filter, which is how the
// history views show it.
#pragma once

#include <QString>

class DbTable;

class ReportDataSource
{
public:
    virtual ~ReportDataSource() = default;

    // For the progress window.
    virtual int rowCount() const = 0;
    virtual void first() = 0;
    // True also when there are no rows at all.
    virtual bool atEnd() const = 0;
    virtual void next() = 0;
    virtual QString text(const QString &field) const = 0;
};

class DbTableReportSource final : public ReportDataSource
{
public:
    // The table must outlive the source.
    explicit DbTableReportSource(DbTable &table) : m_table(table) {}

    int rowCount() const override;
    void first() override;
    bool atEnd() const override;
    void next() override;
    // A date field prints as its calendar day in the short date format, without a time of day.
    QString text(const QString &field) const override;

private:
    DbTable &m_table;
};

// Keeps the views of a table quiet for the life of the object, so that a walk over every row
// does not move the grid row by row; they catch up in one reset at the end, also after a failure.
class SuspendedViews
{
public:
    explicit SuspendedViews(DbTable &table);
    ~SuspendedViews();
    SuspendedViews(const SuspendedViews &) = delete;
    SuspendedViews &operator=(const SuspendedViews &) = delete;

private:
    DbTable &m_table;
};
