// SPDX-License-Identifier: GPL-3.0-or-later
// Wording of database errors for the user.
#include "db/dberror.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlError>

#include <cerrno>
#include <cstring>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("DatabaseError", text);
}

// SQLite's primary result codes that deserve words of their own.
QString reasonFor(int code, const QString &text)
{
    // Extended codes first: they tell causes apart that share a primary code.
    switch (code) {
    case 1032: // SQLITE_READONLY_DBMOVED
        return tr("The file no longer exists: it was deleted or moved while it was open.");
    case 1544: // SQLITE_READONLY_DIRECTORY
        return tr("The folder is read-only.");
    case 3338: // SQLITE_IOERR_FSTAT, the file is gone
        return tr("The file no longer exists.");
    default:
        break;
    }
    switch (code & 0xff) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return tr("The file is in use by another program.");
    case 8: // SQLITE_READONLY
        return tr("The file is read-only.");
    case 10: // SQLITE_IOERR
        return tr("The file could not be read or written.");
    case 11: // SQLITE_CORRUPT
        return tr("The file is damaged.");
    case 13: // SQLITE_FULL
        return tr("The disk is full.");
    case 14: // SQLITE_CANTOPEN
        return tr("The file or its folder cannot be opened.");
    case 26: // SQLITE_NOTADB
        return tr("The file is not a database.");
    default:
        return text.isEmpty() ? tr("Unknown database error.") : text;
    }
}

} // namespace

DatabaseError sqlFailure(const QString &context, const QSqlError &error)
{
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return sqliteFailure(context, numeric ? code : -1, text);
}

DatabaseError sqliteFailure(const QString &context, int code, const QString &text)
{
    return DatabaseError(context + QLatin1Char('\n') + reasonFor(code, text));
}

QString fileSystemReason(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return tr("The disk is full.");
    case EROFS:
    case EACCES:
    case EPERM:
        return tr("The folder is read-only.");
    case ENOENT:
        return tr("The file no longer exists.");
    case EBUSY:
    case ETXTBSY:
        return tr("The file is in use by another program.");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString displayPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}
