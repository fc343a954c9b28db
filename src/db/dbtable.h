// SPDX-License-Identifier: GPL-3.0-or-later
// A table of a database file as the program works with it: open it, order it by a sort text,
// narrow it by a filter text, walk its rows, read fields of the current row, locate a row by
// key fields, append or edit a row and post it. Views (grids through DbTableModel, reports)
// follow its rows through the signals; suspendViews() quiets them during a long walk.
//
// The table holds the row ids of its current order and filter and reads the rows themselves
// in blocks when they are needed, so opening and sorting stay fast on large files. What it
// shows is the state of the file at the last open, sort, filter or post.
#pragma once

#include "db/dbfieldreads.h"
#include "db/dbvalue.h"

#include <QAnyStringView>
#include <QCache>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

class DbConnection;

class DbTable : public QObject, public DbFieldReads<DbTable>
{
    Q_OBJECT

public:
    enum LocateOption
    {
        CaseInsensitive = 0x1, // texts compared without regard to letter case
        PartialKey = 0x2,      // a text key matches every value that begins with it
    };
    Q_DECLARE_FLAGS(LocateOptions, LocateOption)

    // The connection must outlive the table.
    DbTable(DbConnection &connection, const QString &tableName, QObject *parent = nullptr);

    QString tableName() const { return m_tableName; }
    DbConnection &connection() const { return m_connection; }

    // Opens the connection when it is closed, reads the columns and the rows in the current
    // sort and filter, and stands on the first row. A failure that opened the connection closes
    // it again. Closing the connection closes the table; sort and filter are kept.
    void open();
    void close();
    bool isOpen() const { return m_open; }

    // "Field" or "Field DESC" (several joined by commas); applied at once when open.
    QString sort() const { return m_sort; }
    void setSort(const QString &sort);
    // The filter text (dbfilter.h) applies while filtering is on; an empty one shows every row.
    QString filter() const { return m_filter; }
    void setFilter(const QString &filter);
    bool isFiltered() const { return m_filtered; }
    void setFiltered(bool on);
    // Reads the rows again, keeping the current row when it is still there.
    void refresh();
    // Forgets the rows read so far, so that they are read from the file when next needed
    // (after the caller rolled back writes of its own).
    void forgetCachedRows() { m_blocks.clear(); }

    // The statement that reads the row ids in the current order and filter, and the values
    // bound to its parameters in turn.
    struct RowIdQuery
    {
        QString sql;
        QVariantList values;
    };
    RowIdQuery rowIdQuery() const;

    const QList<DbColumn> &columns() const { return m_columns; }
    int rowCount() const { return int(m_rowIds.size()); }

    // Walking. next() on the last row sets atEnd() and stays on that row.
    int currentRow() const { return m_current; }
    bool isEmpty() const { return m_rowIds.empty(); }
    bool atEnd() const { return m_atEnd; }
    void first();
    void next();
    void moveTo(int row);
    // Moves to the first row, in the current order, whose key fields ("Hand" or
    // "HType;Rnd;Opps") equal the values; stays put and returns false when none does.
    bool locate(const QString &keyFields, const QVariantList &values, LocateOptions options = {});

    // Fields of the current row (while appending or editing: of the row being written).
    QVariant value(QAnyStringView field) const;
    QString text(QAnyStringView field) const;
    // date(), timeOfDay(), dateTime() and integer() read fields of the current row too.

    // Stored value of any row, for views.
    QVariant cell(int row, int column) const;
    // The SQLite row id of a row in the current order; -1 for none.
    qint64 rowId(int row) const;

    // Writing. A pending row is posted before the table moves, sorts or filters; a failed
    // setField() or post() drops the pending row, so no half row is ever written.
    void append();
    void edit();
    void setField(const QString &field, const QVariant &value);
    void post();
    void cancel();
    // Appends and posts a row given its values in column order.
    void appendRecord(const QVariantList &values);
    bool isEditing() const { return m_state != State::Browse; }

    // While suspended (calls nest) the table sends no signals; the last resume sends one reset.
    void suspendViews();
    void resumeViews();
    bool viewsSuspended() const { return m_suspended > 0; }

Q_SIGNALS:
    // The rows were read again (open, close, sort, filter, post of a new row).
    void rowsReset();
    // A row's values changed (post of an edited row).
    void rowChanged(int row);
    void currentRowChanged(int row);

private:
    enum class State
    {
        Browse,
        Edit,
        Insert
    };
    struct RowBlock
    {
        std::vector<QVariant> cells; // rows × columns
    };

    void reread();
    void readColumns();
    void requery(std::optional<qint64> keepRowId);
    RowBlock fetchBlock(int blockIndex) const;
    QVariant valueAt(int column) const;
    int requireColumn(QAnyStringView field) const;
    void requireOpen() const;
    void requireCurrentRow() const;
    void checkBrowseMode();
    void setFieldAt(int column, const QVariant &value);
    void postInsert();
    void postEdit();
    void notifyReset();
    void notifyCurrent();
    QString context(const char *sentence) const;

    DbConnection &m_connection;
    QString m_tableName;
    QString m_sort;
    QString m_filter;
    bool m_filtered = false;
    bool m_open = false;
    QList<DbColumn> m_columns;
    std::vector<qint64> m_rowIds;
    mutable QCache<int, RowBlock> m_blocks;
    int m_current = 0;
    bool m_atEnd = true;
    State m_state = State::Browse;
    std::vector<QVariant> m_pending;
    std::vector<bool> m_changed;
    int m_suspended = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(DbTable::LocateOptions)
