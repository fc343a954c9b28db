// SPDX-License-Identifier: GPL-3.0-or-later
// History files: the one table "History" that holds every recorded game, making an empty file,
// and opening the two tables the history views show.
#pragma once

#include <QString>
#include <QStringList>

class DbConnection;
class DbTable;

// The statement that makes the table of a new history file.
inline constexpr const char *kCreateHistoryTable =
    "CREATE TABLE History (DateP DATE, H1 TEXT(2), H2 TEXT(2), F1 TEXT(2), F2 TEXT(2), "
    "F3 TEXT(2), Tn TEXT(2), Rr TEXT(2), Rtg NUMBER, Hand TEXT(30), Result TEXT(5))";
inline constexpr const char *kHistoryTable = "History";

// The fields of the table, in their order.
QStringList historyFields();

// The result words, compared exactly wherever they are read.
inline constexpr const char *kResultWin = "Win";
inline constexpr const char *kResultLose = "Lose";
inline constexpr const char *kResultSplit = "Split";
inline constexpr const char *kResultFold = "Fold";

// Both history views start newest first.
inline constexpr const char *kNewestFirst = "DateP DESC";

// Makes a complete empty history file at `path`, all or nothing (buildDatabaseFile): the path
// holds the file that was there before, or the new file with its table.
void buildHistoryFile(const QString &path);

// Makes an empty history file at a path where no file exists, points the connection at it and
// connects it. The file is made complete, table and indexes, before it takes the path.
void createHistoryFile(DbConnection &connection, const QString &path);

// Indexes on the date and on the hole cards with the date, which keep the views and the
// statistics quick on a file of a million games. The table itself stays as it is.
void addHistoryIndexes(DbConnection &connection);

// The fields of historyFields() that the file's table "History" lacks, in that order; empty when
// the table has them all (or has no fields at all, which opening it reports).
QStringList missingHistoryFields(DbConnection &connection);
// Throws DatabaseError when the file has no table "History" or one without all the fields,
// naming those it lacks.
void requireHistoryFields(DbConnection &connection);

// Opens both tables, newest first: the Hand History with the given hole-card filter on, the
// Game History with whatever filter it had. Each table reads its rows once. A table without
// the fields of a history is refused with a message that names the missing ones. When a table
// cannot be opened the connection is closed, so no half-open file stays in use.
void openHistoryTables(DbConnection &connection, DbTable &handHistory, DbTable &gameHistory,
                       const QString &holeCardFilter);
