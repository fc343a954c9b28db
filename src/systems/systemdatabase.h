// SPDX-License-Identifier: GPL-3.0-or-later
// Betting-system files: the two tables `PreFlop` and `FTR`, making a new file with the default
// content, and opening the tables of a loaded one. Plain routines over the database layer; the
// main window's commands put them in order and own the connection and the tables.
#pragma once

#include <QString>

class DbConnection;
class DbTable;

inline constexpr const char *kHandSetTable = "PreFlop";
inline constexpr const char *kTypeSetTable = "FTR";

// The file dialogs' filter and default extension for system files.
QString systemFileFilter();
inline constexpr const char *kSystemFileSuffix = "mdb";

// Creates the empty file at `path` (which must not exist), points the connection at it and
// creates both tables; the first statement connects. After a failure the connection is closed.
void CreateSystemFile(DbConnection &connection, const QString &path);

// Makes a complete new system at `path`, its two tables with the default content, all or
// nothing (buildDatabaseFile): the path holds the file that was there before, or the complete
// new system.
void BuildSystemFile(const QString &path);

// Opens `PreFlop` and then `FTR` on the connection, each standing on its first row. If either
// fails, the connection is closed too, so a file that is no system is never taken as loaded.
void OpenSystemTables(DbConnection &connection, DbTable &handSet, DbTable &typeSet);

// Appends the content of a new system to the open, empty tables, in one transaction: 168 `FTR`
// rows (hand type, then opponents' action, then round) and 169 `PreFlop` rows, all advising
// "Check/Fold" before the flop; both tables then stand on their first row.
void FillDefaultSystem(DbConnection &connection, DbTable &handSet, DbTable &typeSet);

// The path of the file the connection is set to.
QString SystemFilePath(const DbConnection &connection);
