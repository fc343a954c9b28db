// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file operations on database files.
#include "db/dbfiles.h"

#include "db/dbconnection.h"
#include "db/dberror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("DbFiles", text);
}

// A journal left by a crash beside a file would be rolled into a new file of the same name.
void removeLeftOverJournals(const QString &path)
{
    for (const char *suffix : {"-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

void refuseOpenFile(const QString &path)
{
    if (DbConnection::isFileOpen(path)) {
        throw DatabaseError(
            tr("The file “%1” is still open in this program.").arg(displayPath(path)));
    }
}

} // namespace

void createDatabaseFile(const QString &path)
{
    if (QFileInfo::exists(path))
        throw DatabaseError(tr("The file “%1” already exists.").arg(displayPath(path)));
    removeLeftOverJournals(path);

    const QString name = QStringLiteral("tallowby-create");
    QSqlError error;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(path);
        if (database.open()) {
            QSqlQuery pragma(database);
            if (!pragma.exec(
                    QStringLiteral("PRAGMA application_id = %1").arg(tallowbyApplicationId)))
                error = pragma.lastError();
        } else {
            error = database.lastError();
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (error.isValid()) {
        QFile::remove(path);
        throw sqlFailure(tr("The database file “%1” could not be created.").arg(displayPath(path)),
                         error);
    }
}

void deleteDatabaseFile(const QString &path)
{
    refuseOpenFile(path);
    QFile file(path);
    if (file.exists() && !file.remove()) {
        throw DatabaseError(tr("The file “%1” could not be deleted.\n%2")
                                .arg(displayPath(path), file.errorString()));
    }
    removeLeftOverJournals(path);
}

void safeCopyFile(const QString &from, const QString &to)
{
    if (samePath(from, to))
        throw DatabaseError(tr("“%1” cannot be copied onto itself.").arg(displayPath(from)));
    refuseOpenFile(from);
    refuseOpenFile(to);

    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        throw DatabaseError(tr("The file “%1” could not be read.\n%2")
                                .arg(displayPath(from), source.errorString()));
    }
    QSaveFile target(to);
    target.setDirectWriteFallback(false);
    const QString cannotWrite = tr("The copy “%1” could not be written.\n%2");
    if (!target.open(QIODevice::WriteOnly))
        throw DatabaseError(cannotWrite.arg(displayPath(to), target.errorString()));

    constexpr qint64 chunkSize = 1 << 16;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(chunkSize);
        if (chunk.isEmpty() && source.error() != QFile::NoError) {
            target.cancelWriting();
            throw DatabaseError(tr("The file “%1” could not be read.\n%2")
                                    .arg(displayPath(from), source.errorString()));
        }
        if (target.write(chunk) != chunk.size()) {
            const QString reason = target.errorString();
            target.cancelWriting();
            throw DatabaseError(cannotWrite.arg(displayPath(to), reason));
        }
    }
    removeLeftOverJournals(to);
    if (!target.commit())
        throw DatabaseError(cannotWrite.arg(displayPath(to), target.errorString()));
}

bool samePath(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const auto resolved = [](const QString &path) {
        const QFileInfo info(path);
        const QString canonical = info.canonicalFilePath();
        return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
    };
    return resolved(a) == resolved(b);
}
