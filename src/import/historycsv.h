// SPDX-License-Identifier: GPL-3.0-or-later
// The history views written out as CSV for a spreadsheet: RFC 4180 (fields separated by commas,
// a field with a comma, quote or line break in double quotes, lines ending in CRLF), UTF-8, a
// header row with the grid's titles, dates in ISO 8601 and the rating as a whole number. The
// rows are the table's, in its current filter and order.
#pragma once

#include <QByteArray>
#include <QString>

class DbTable;

// One field as the file writes it. A text that a spreadsheet would take for a formula ("=...",
// "+...", "@...", "-..." other than a number or the empty-card mark "--") is written after an
// apostrophe, so that it shows as the text it is and runs nothing.
QByteArray csvField(const QString &text);

// The whole file: the header row, then one row per table row.
QByteArray historyCsv(const DbTable &table);

// Writes historyCsv() to a file beside `path` and renames it into place, so that an existing
// file is replaced only once the new one is complete. Returns the reason when it failed, else
// an empty text.
QString writeHistoryCsv(const DbTable &table, const QString &path);
