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
#include <QUuid>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

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

// Writes what the system still holds of a file or folder to the disk.
bool syncToDisk(const QString &path, bool folder)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(),
                                  (folder ? O_DIRECTORY : 0) | O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool synced = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
}

// A name no other file of the folder has, hidden, and outside the file dialogs' "*.mdb".
QString temporaryNameBeside(const QString &path)
{
    const QFileInfo target(path);
    return target.absoluteDir().filePath(
        QStringLiteral(".%1.new-%2")
            .arg(target.fileName(), QUuid::createUuid().toString(QUuid::Id128).left(12)));
}

} // namespace

void buildDatabaseFile(const QString &path, const std::function<void(const QString &)> &fill)
{
    refuseOpenFile(path);
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir()) {
        throw DatabaseError(
            tr("The file “%1” cannot be made: its folder does not exist.").arg(displayPath(path)));
    }
    if (!folder.isWritable()) {
        throw DatabaseError(tr("The file “%1” cannot be made.\n%2")
                                .arg(displayPath(path), fileSystemReason(EACCES)));
    }
    const QString temporary = temporaryNameBeside(path);
    const auto discard = [&temporary] {
        QFile::remove(temporary);
        removeLeftOverJournals(temporary);
    };
    try {
        createDatabaseFile(temporary);
        fill(temporary);
        refuseOpenFile(temporary);
    } catch (...) {
        discard();
        throw;
    }
    const QString cannotMake = tr("The file “%1” could not be made.\n%2");
    if (!syncToDisk(temporary, false)) {
        const int error = errno;
        discard();
        throw DatabaseError(cannotMake.arg(displayPath(path), fileSystemReason(error)));
    }
    // A journal beside the target belongs to the file being replaced; left there, it would be
    // rolled into the new one.
    removeLeftOverJournals(path);
    if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) !=
        0) {
        const int error = errno;
        discard();
        throw DatabaseError(cannotMake.arg(displayPath(path), fileSystemReason(error)));
    }
    // The new name itself is on the disk once the folder is.
    syncToDisk(folder.absoluteFilePath(), true);
}

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
    // QSaveFile's own texts say "Unknown error" for a full disk: the cause is taken from the
    // system's error code instead.
    const auto reason = [&target](int error) {
        return error != 0 ? fileSystemReason(error) : target.errorString();
    };
    errno = 0;
    if (!target.open(QIODevice::WriteOnly))
        throw DatabaseError(cannotWrite.arg(displayPath(to), reason(errno)));

    constexpr qint64 chunkSize = 1 << 16;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(chunkSize);
        if (chunk.isEmpty() && source.error() != QFile::NoError) {
            target.cancelWriting();
            throw DatabaseError(tr("The file “%1” could not be read.\n%2")
                                    .arg(displayPath(from), source.errorString()));
        }
        errno = 0;
        if (target.write(chunk) != chunk.size() || !target.flush()) {
            const QString why = reason(errno);
            target.cancelWriting();
            throw DatabaseError(cannotWrite.arg(displayPath(to), why));
        }
    }
    removeLeftOverJournals(to);
    errno = 0;
    if (!target.commit())
        throw DatabaseError(cannotWrite.arg(displayPath(to), reason(errno)));
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
