// SPDX-License-Identifier: GPL-3.0-or-later
// Connections to database files over Qt SQL's SQLite driver.
#include "db/dbconnection.h"

#include "db/dberror.h"
#include "db/dbfiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QtEndian>

namespace {

const QString providerPrefix = QStringLiteral("Provider=Tallowby.SQLite;Data Source=");
const QString providerSuffix = QStringLiteral(";Persist Security Info=False");

// Canonical paths of the files that connections hold open.
QSet<QString> &openFiles()
{
    static QSet<QString> files;
    return files;
}

QString canonical(const QString &path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? QFileInfo(path).absoluteFilePath() : resolved;
}

int &busyMilliseconds()
{
    static int milliseconds = 3000;
    return milliseconds;
}

int nextConnectionNumber()
{
    static int number = 0;
    return ++number;
}

} // namespace

DbConnection::DbConnection(QObject *parent)
    : QObject(parent), m_name(QStringLiteral("tallowby-db-%1").arg(nextConnectionNumber()))
{}

DbConnection::~DbConnection()
{
    close();
}

QString DbConnection::connectionStringFor(const QString &path)
{
    QString source = path;
    if (source.contains(QLatin1Char(';')) || source.startsWith(QLatin1Char('"')))
        source = QLatin1Char('"') + source.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                 QLatin1Char('"');
    return providerPrefix + source + providerSuffix;
}

QString DbConnection::pathFromConnectionString(const QString &connectionString)
{
    const QString key = QStringLiteral("Data Source");
    const qsizetype found = connectionString.indexOf(key);
    if (found < 0)
        return {};
    const qsizetype start = found + key.size() + 1;
    if (start < connectionString.size() && connectionString.at(start) == QLatin1Char('"')) {
        QString path;
        for (qsizetype i = start + 1; i < connectionString.size(); ++i) {
            if (connectionString.at(i) == QLatin1Char('"')) {
                if (i + 1 < connectionString.size() && connectionString.at(i + 1) == '"') {
                    path += QLatin1Char('"');
                    ++i;
                    continue;
                }
                return path;
            }
            path += connectionString.at(i);
        }
        return path;
    }
    const qsizetype end = connectionString.indexOf(QLatin1Char(';'), start);
    return connectionString.mid(start, end < 0 ? -1 : end - start);
}

void DbConnection::setConnectionString(const QString &connectionString)
{
    close();
    m_connectionString = connectionString;
}

bool DbConnection::checkFile(const QString &path) const
{
    const QFileInfo info(path);
    if (path.isEmpty())
        throw DatabaseError(tr("No database file has been chosen."));
    if (!info.exists())
        throw DatabaseError(tr("The database file “%1” does not exist.").arg(displayPath(path)));
    if (!info.isFile())
        throw DatabaseError(tr("“%1” is not a file.").arg(displayPath(path)));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw DatabaseError(tr("The database file “%1” cannot be read.\n%2")
                                .arg(displayPath(path), file.errorString()));
    }
    // The header of a SQLite 3 file: its magic text, and the application id at offset 68.
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3\0"))) {
        throw DatabaseError(
            tr("“%1” is not a database file of this program.").arg(displayPath(path)));
    }
    const qint32 applicationId = qFromBigEndian<qint32>(header.constData() + 68);
    // A file made with the sqlite3 tool or a script carries no id; its tables decide.
    if (applicationId == tallowbyApplicationId)
        return true;
    if (applicationId != 0 || m_requiredTables.isEmpty()) {
        throw DatabaseError(tr("“%1” is a database of another program, not a history or "
                               "system file of this program.")
                                .arg(displayPath(path)));
    }
    return false;
}

void DbConnection::checkRequiredTables(const QString &path)
{
    QStringList missing;
    {
        QSqlQuery tables(m_database);
        tables.prepare(QStringLiteral(
            "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
        for (const QString &table : std::as_const(m_requiredTables)) {
            tables.bindValue(0, table);
            if (!tables.exec() || !tables.next() || tables.value(0).toInt() == 0)
                missing.append(table);
        }
    }
    if (missing.isEmpty())
        return;
    release();
    throw DatabaseError(tr("“%1” is no file of this program: it carries no mark of this program, "
                           "and it lacks the table “%2” that it would need.")
                            .arg(displayPath(path), missing.join(QStringLiteral("”, “"))));
}

void DbConnection::open()
{
    if (m_connected)
        return;
    const QString path = filePath();
    const bool marked = checkFile(path);

    // A file marked read-only is opened read-only, so that writing fails even for a user
    // whom the system would let write.
    const QFileInfo info(path);
    const bool readOnly =
        !info.isWritable() ||
        !(info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_database.setDatabaseName(path);
    const QString busy = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout());
    m_database.setConnectOptions(readOnly ? busy + QStringLiteral(";QSQLITE_OPEN_READONLY") : busy);
    const QString failed = tr("The database “%1” could not be opened.").arg(displayPath(path));
    if (!m_database.open()) {
        const QSqlError error = m_database.lastError();
        release();
        throw sqlFailure(failed, error);
    }
    // Reading the schema proves the file readable now rather than at the first table.
    QSqlQuery probe(m_database);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        const QSqlError error = probe.lastError();
        probe = QSqlQuery();
        release();
        throw sqlFailure(failed, error);
    }
    probe = QSqlQuery();
    if (!marked)
        checkRequiredTables(path);
    m_connected = true;
    m_readOnly = readOnly;
    m_openPath = canonical(path);
    openFiles().insert(m_openPath);
}

void DbConnection::close()
{
    if (!m_connected)
        return;
    Q_EMIT aboutToClose();
    openFiles().remove(m_openPath);
    m_openPath.clear();
    m_connected = false;
    release();
}

void DbConnection::release()
{
    if (m_database.isValid())
        m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase DbConnection::database()
{
    open();
    return m_database;
}

int DbConnection::busyTimeout()
{
    return busyMilliseconds();
}

void DbConnection::setBusyTimeout(int milliseconds)
{
    busyMilliseconds() = milliseconds;
}

bool DbConnection::isFileOpen(const QString &path)
{
    return openFiles().contains(canonical(path));
}

void executeCommand(DbConnection &connection, const QString &sql)
{
    const bool openedHere = !connection.isConnected();
    QSqlError error;
    {
        QSqlQuery command(connection.database());
        if (command.exec(sql))
            return;
        error = command.lastError();
    }
    const QString context =
        QCoreApplication::translate("DbConnection", "The statement “%1” failed on “%2”.")
            .arg(sql, displayPath(connection.filePath()));
    if (openedHere)
        connection.close();
    throw sqlFailure(context, error);
}

void openOnConnection(DbConnection &connection, const std::function<void()> &opening,
                      const std::function<void()> &undo)
{
    const bool openedHere = !connection.isConnected();
    try {
        opening();
    } catch (...) {
        undo();
        if (openedHere)
            connection.close();
        throw;
    }
}

DbTransaction::DbTransaction(DbConnection &connection) : m_connection(connection)
{
    QSqlDatabase database = m_connection.database();
    if (!database.transaction()) {
        throw sqlFailure(
            QCoreApplication::translate("DbConnection", "Writing to “%1” could not begin.")
                .arg(displayPath(m_connection.filePath())),
            database.lastError());
    }
    m_active = true;
}

DbTransaction::~DbTransaction()
{
    if (!m_active || !m_connection.isConnected())
        return;
    QSqlDatabase database = m_connection.database();
    database.rollback();
    Q_EMIT m_connection.rolledBack();
}

void DbTransaction::commit()
{
    if (!m_active)
        return;
    QSqlDatabase database = m_connection.database();
    if (!database.commit()) {
        throw sqlFailure(
            QCoreApplication::translate("DbConnection", "The changes to “%1” could not be saved.")
                .arg(displayPath(m_connection.filePath())),
            database.lastError());
    }
    m_active = false;
}
