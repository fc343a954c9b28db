// SPDX-License-Identifier: GPL-3.0-or-later
// Database files as a whole: create an empty one, delete one, copy one safely, and tell
// whether two paths name the same file. None of these works on a file a connection holds
// open; the caller closes the connection first.
#pragma once

#include <QString>

#include <functional>

// Creates an empty database file carrying the program's application id. The file must not
// exist yet. Throws DatabaseError; a failed creation leaves no file behind.
void createDatabaseFile(const QString &path);

// Makes a complete new database file at `path`, all or nothing: an empty database file is made
// under a temporary name in the same folder, `fill` makes its tables and content (on a
// connection of its own, closed again before it returns), the file is flushed to the disk and
// then renamed onto `path`, replacing any file there only in that last step. So at every
// moment `path` holds the file that was there before or the complete new one. Throws
// DatabaseError naming the real cause (the disk is full, the folder is read-only); the
// temporary file is then removed.
void buildDatabaseFile(const QString &path, const std::function<void(const QString &)> &fill);

// Deletes a database file together with any journal SQLite left beside it.
void deleteDatabaseFile(const QString &path);

// Copies `from` byte for byte to `to`, through a temporary file beside `to` that is renamed
// into place at the end, so a failed copy never leaves a half file. Replaces `to`.
void safeCopyFile(const QString &from, const QString &to);

// Whether both paths name the same file: canonical paths when the files exist, otherwise
// absolute clean paths.
bool samePath(const QString &a, const QString &b);
