// SPDX-License-Identifier: GPL-3.0-or-later
// Importing hand histories into the open history file: every Texas Hold'em hand dealt to the
// player becomes one row of "History", written as New Game / Save writes a game. The site and
// number of each imported hand go into a table of their own, "ImportedHands", so that a hand
// imported once is never added again. Each file is added in one transaction: a file that fails
// part-way, or whose import is cancelled, adds none of its hands.
#pragma once

#include "import/handhistoryreader.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class DbConnection;

inline constexpr const char *kImportedHandsTable = "ImportedHands";

struct ImportCounts
{
    qint64 imported = 0;     // rows added to History
    qint64 duplicates = 0;   // hands imported before
    qint64 otherGames = 0;   // Omaha, stud, draw, 6+ hold'em ...
    qint64 withoutCards = 0; // no cards dealt to the player
    qint64 cancelled = 0;    // hands the site called off
    qint64 unreadable = 0;   // parts that could not be read, files that could not be opened

    ImportCounts &operator+=(const ImportCounts &other);
    bool operator==(const ImportCounts &) const = default;
};

struct ImportProblem
{
    QString file;
    int line = 0; // 0 when the file as a whole could not be read or written
    QString message;
    bool operator==(const ImportProblem &) const = default;
};

struct ImportSummary
{
    ImportCounts counts;
    QList<ImportProblem> problems;
    bool cancelled = false; // the user stopped; the file being read then added nothing

    ImportSummary &operator+=(const ImportSummary &other);
};

// Makes the table of imported hands and the history's indexes when they are missing.
void prepareForImport(DbConnection &connection);

// Adds the played hands of one reading in one transaction and counts every part of it. The
// problems of its unreadable parts name `file`. `keepGoing`, asked now and then with the number
// of parts handled, stops the import when it returns false: the transaction is then rolled back
// and the summary says it was cancelled, with no counts. A failure of the database rolls back
// too, and throws DatabaseError.
ImportSummary addImportedHands(DbConnection &connection, const QString &file,
                               const QList<HandHistoryHand> &hands,
                               const std::function<bool(int handled)> &keepGoing = {});

// Reads and adds the files one after the other. `progress` is told the bytes handled of all
// files' bytes and the index in `files` of the file being read (the count of files once all
// are read); returning false cancels the file being read, and the files after it are not
// read. A file that cannot be opened counts as one unreadable part; when the database fails,
// the problem names it and no further file is read.
using ImportProgress = std::function<bool(qint64 done, qint64 total, int file)>;
ImportSummary importHandHistoryFiles(DbConnection &connection, const QStringList &files,
                                     const ImportProgress &progress = {});

// The counts, one a line, and the problems with their files and lines, for the summary box.
// What the progress dialog says while the file at `file` of `files` is read: its name, cut in
// the middle to `nameLength` characters when longer, and with several files its place among
// them.
QString importProgressText(const QStringList &files, int file, int nameLength = 40);

QString importSummaryText(const ImportSummary &summary);

// One JSON object on one line: "imported", "duplicates", "other_games", "without_cards",
// "cancelled" and "unreadable", then "errors", a list of {"file", "line", "message"}.
QByteArray importSummaryJson(const ImportSummary &summary);
