// SPDX-License-Identifier: GPL-3.0-or-later
// Database files as a whole: create an empty one, delete one, copy one safely, and tell
// whether two paths name the same file. None of these works on a file a connection holds
// open; the caller closes the connection first.
#pragma once

#include <QString>

// Creates an empty database file carrying the program's application id. The file must not
// exist yet. Throws DatabaseError; a failed creation leaves no file behind.
void createDatabaseFile(const QString &path);

// Deletes a database file together with any journal SQLite left beside it.
void deleteDatabaseFile(const QString &path);

// Copies `from` byte for byte to `to`, through a temporary file beside `to` that is renamed
// into place at the end, so a failed copy never leaves a half file. Replaces `to`.
void safeCopyFile(const QString &from, const QString &to);

// Whether both paths name the same file: canonical paths when the files exist, otherwise
// absolute clean paths.
bool samePath(const QString &a, const QString &b);
