// SPDX-License-Identifier: GPL-3.0-or-later
// One connection to a database file: the connection string, the connected flag and the file's
// path. A file is a SQLite 3 database that carries the program's application id, or one that
// carries no application id at all (made by a script or another tool) but holds every table
// the connection was told it needs; any other file is refused when the connection opens. Tables,
// queries and commands open the connection on first use; closing it closes them too.
#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

// "TLBY": the SQLite application id of every database file the program creates.
inline constexpr qint32 tallowbyApplicationId = 0x544C4259;

class DbConnection : public QObject
{
    Q_OBJECT

public:
    explicit DbConnection(QObject *parent = nullptr);
    ~DbConnection() override;
    DbConnection(const DbConnection &) = delete;
    DbConnection &operator=(const DbConnection &) = delete;

    // "Provider=Tallowby.SQLite;Data Source=<path>;Persist Security Info=False". A path with
    // ";" or a leading quote is written in double quotes, so that it reads back whole.
    static QString connectionStringFor(const QString &path);
    // The text after the first "Data Source" and the character after it, up to the next ";"
    // (or the quoted text there); empty when the string names no file.
    static QString pathFromConnectionString(const QString &connectionString);

    QString connectionString() const { return m_connectionString; }
    // Closes the connection first when it is open.
    void setConnectionString(const QString &connectionString);
    QString filePath() const { return pathFromConnectionString(m_connectionString); }

    // The tables a file without the program's application id must hold to be taken, for
    // example {"PreFlop", "FTR"}; with none set such a file is refused.
    void setRequiredTables(const QStringList &tables) { m_requiredTables = tables; }

    bool isConnected() const { return m_connected; }
    // Whether the open file was opened read-only, because the file may not be written.
    bool isReadOnly() const { return m_connected && m_readOnly; }
    // Throws DatabaseError for a missing, foreign, damaged or locked file; the connection is
    // then left closed.
    void open();
    void close();

    // The open database, opening it first; for the classes of this layer.
    QSqlDatabase database();

    // How long a statement waits for a file that another program holds locked before it gives
    // up, in milliseconds: long enough that a short hold of another program is waited out.
    static int busyTimeout();
    static void setBusyTimeout(int milliseconds);

    // Whether some connection of this process has the file open.
    static bool isFileOpen(const QString &path);

Q_SIGNALS:
    // Tables and queries on the connection let go of the file.
    void aboutToClose();
    // A transaction was rolled back: tables read their rows again.
    void rolledBack();

private:
    // Returns whether the file carries the program's application id.
    bool checkFile(const QString &path) const;
    void checkRequiredTables(const QString &path);
    void release();

    QString m_name;
    QString m_connectionString;
    QString m_openPath;
    QSqlDatabase m_database;
    QStringList m_requiredTables;
    bool m_connected = false;
    bool m_readOnly = false;
};

// Runs one SQL statement on the connection, opening it first.
void executeCommand(DbConnection &connection, const QString &sql);

// How tables and queries open: runs `opening`; when that throws, runs `undo`, closes the
// connection again if it was closed before, and passes the failure on.
void openOnConnection(DbConnection &connection, const std::function<void()> &opening,
                      const std::function<void()> &undo);

// Outside a transaction every posted row is committed (and synced to disk) on its own. Writing
// many rows at once (a new system's default content) inside one transaction commits them
// together: commit() keeps them, leaving the scope without commit() rolls them back.
class DbTransaction
{
public:
    explicit DbTransaction(DbConnection &connection);
    ~DbTransaction();
    DbTransaction(const DbTransaction &) = delete;
    DbTransaction &operator=(const DbTransaction &) = delete;

    void commit();

private:
    DbConnection &m_connection;
    bool m_active = false;
};
