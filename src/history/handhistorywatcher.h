// SPDX-License-Identifier: GPL-3.0-or-later
// Watching the folder in which a poker client writes its hand histories: every so often the
// watcher looks at the folder's text files, reads what was appended to each since it last
// looked, and imports the hands that are complete into the open history file. A hand is
// complete once a blank line or the next hand follows its summary, or once the file has stayed
// as it is for one look with the summary written. What the files held when watching began is
// left alone: that is what Import Hand Histories is for.
#pragma once

#include "history/historyimport.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

class DbConnection;
class QTimer;

class HandHistoryWatcher : public QObject
{
    Q_OBJECT

public:
    static constexpr int kDefaultInterval = 1000; // milliseconds between looks

    // The connection must outlive the watcher.
    explicit HandHistoryWatcher(DbConnection &connection, QObject *parent = nullptr);

    // Starts watching the folder from its files as they are now; an empty folder stops.
    void setFolder(const QString &folder);
    QString folder() const { return m_folder; }
    bool isWatching() const { return !m_folder.isEmpty(); }

    void setInterval(int milliseconds);
    // Asked before each look; while it says no (no history file open, a dialog in the way) the
    // watcher waits, and reads the files at the next look that may write.
    void setMayImport(std::function<bool()> mayImport) { m_mayImport = std::move(mayImport); }

    // One look at the folder, as the timer takes it.
    void look();

Q_SIGNALS:
    // Something was read: hands added or skipped, or parts that could not be read.
    void imported(const ImportSummary &summary);

private:
    struct FileState
    {
        qint64 read = 0;            // bytes read
        qint64 lines = 0;           // lines in them; -1 while not counted
        bool insidePart = false;    // the bytes read end inside a part that may go on
        qint64 sizeAtLastLook = -1; // to tell a file that has settled
    };

    ImportSummary readFile(const QString &path, FileState &state);
    qint64 linesBefore(const QString &path, qint64 bytes) const;

    DbConnection &m_connection;
    QTimer *m_timer = nullptr;
    QString m_folder;
    QHash<QString, FileState> m_files;
    std::function<bool()> m_mayImport;
    bool m_looking = false;
};
