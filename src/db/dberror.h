// SPDX-License-Identifier: GPL-3.0-or-later
// The one error the database layer raises. Its text is meant for the user: it names the file
// or table concerned and says what is wrong, so the general error report can show it as is.
#pragma once

#include <QString>

#include <stdexcept>

class QSqlError;

class DatabaseError : public std::runtime_error
{
public:
    explicit DatabaseError(const QString &message) : std::runtime_error(message.toStdString()) {}

    QString message() const { return QString::fromUtf8(what()); }
};

// Turns a driver error into a user's message: `context` is a full sentence naming what failed
// ("The table “History” of “/home/ann/games.mdb” could not be read."), followed by the reason.
DatabaseError sqlFailure(const QString &context, const QSqlError &error);

// The same for an error code and text of SQLite itself.
DatabaseError sqliteFailure(const QString &context, int code, const QString &text);

// The words for a failure of the file system, from its error code (errno): "The disk is full.",
// "The folder is read-only.", "The file no longer exists." and so on.
QString fileSystemReason(int error);

// The path as the user would write it, for messages.
QString displayPath(const QString &path);
