// SPDX-License-Identifier: GPL-3.0-or-later
// Reading what a poker client appends to its hand-history files.
#include "history/handhistorywatcher.h"

#include "db/dbconnection.h"
#include "db/dberror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTimer>

namespace {

// The hand-history files of the folder: its text files.
QFileInfoList textFilesOf(const QString &folder)
{
    QFileInfoList files;
    for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::Files | QDir::Readable)) {
        if (info.suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0)
            files.append(info);
    }
    return files;
}

} // namespace

HandHistoryWatcher::HandHistoryWatcher(DbConnection &connection, QObject *parent)
    : QObject(parent), m_connection(connection), m_timer(new QTimer(this))
{
    m_timer->setInterval(kDefaultInterval);
    connect(m_timer, &QTimer::timeout, this, &HandHistoryWatcher::look);
}

void HandHistoryWatcher::setFolder(const QString &folder)
{
    m_files.clear();
    m_folder = folder.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (m_folder.isEmpty()) {
        m_timer->stop();
        return;
    }
    // What is there now may end in the middle of a hand; reading goes on from there.
    for (const QFileInfo &info : textFilesOf(m_folder))
        m_files.insert(info.absoluteFilePath(), FileState{info.size(), -1, true, info.size()});
    m_timer->start();
}

void HandHistoryWatcher::setInterval(int milliseconds)
{
    m_timer->setInterval(milliseconds);
}

void HandHistoryWatcher::look()
{
    if (m_folder.isEmpty() || m_looking || (m_mayImport && !m_mayImport()))
        return;
    m_looking = true;
    ImportSummary summary;
    bool readSomething = false;
    QSet<QString> present;
    for (const QFileInfo &info : textFilesOf(m_folder)) {
        const QString path = info.absoluteFilePath();
        present.insert(path);
        FileState &state = m_files[path]; // a new file is read from its start
        if (info.size() < state.read)
            state = FileState{}; // replaced by a shorter file: read afresh
        if (info.size() > state.read) {
            const ImportSummary read = readFile(path, state);
            readSomething =
                readSomething || !read.problems.isEmpty() || read.counts != ImportCounts{};
            summary += read;
        }
        state.sizeAtLastLook = info.size();
    }
    for (auto file = m_files.begin(); file != m_files.end();) {
        file = present.contains(file.key()) ? std::next(file) : m_files.erase(file);
    }
    m_looking = false;
    if (readSomething)
        Q_EMIT imported(summary);
}

ImportSummary HandHistoryWatcher::readFile(const QString &path, FileState &state)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(state.read))
        return {}; // the client may hold it for a moment; the next look tries again
    const QByteArray bytes = file.readAll();
    const bool settled = state.read + bytes.size() == state.sizeAtLastLook;
    HandHistoryReadOptions options;
    options.end = settled ? HandEnd::Summary : HandEnd::BlankLine;
    options.startsInsidePart = state.insidePart;
    HandHistoryReading reading = readHandHistory(bytes, options);
    ImportSummary summary;
    if (!reading.hands.isEmpty()) {
        bool problems = false;
        for (const HandHistoryHand &hand : reading.hands)
            problems = problems || hand.kind == HandHistoryHand::Kind::Unreadable;
        if (problems && state.lines < 0)
            state.lines = linesBefore(path, state.read);
        for (HandHistoryHand &hand : reading.hands) {
            hand.line += int(std::max<qint64>(state.lines, 0));
            hand.problemLine += int(std::max<qint64>(state.lines, 0));
        }
        try {
            prepareForImport(m_connection);
            summary = addImportedHands(m_connection, path, reading.hands);
        } catch (const DatabaseError &failure) {
            // Nothing was added: the same bytes are read again at the next look.
            summary.problems.append({path, 0, failure.message()});
            return summary;
        }
    }
    state.read += reading.consumed;
    if (state.lines >= 0)
        state.lines += reading.consumedLines;
    if (reading.consumedLines > 0)
        state.insidePart = reading.endsInsidePart;
    return summary;
}

qint64 HandHistoryWatcher::linesBefore(const QString &path, qint64 bytes) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    qint64 lines = 0;
    qint64 left = bytes;
    while (left > 0) {
        const QByteArray chunk = file.read(std::min<qint64>(left, 1 << 20));
        if (chunk.isEmpty())
            break;
        lines += chunk.count('\n');
        left -= chunk.size();
    }
    return lines;
}
