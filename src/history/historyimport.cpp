// SPDX-License-Identifier: GPL-3.0-or-later
// Adding imported hands to the history, file by file.
#include "history/historyimport.h"

#include "db/dbconnection.h"
#include "db/dbdates.h"
#include "db/dberror.h"
#include "engine/evaluate.h"
#include "engine/handstate.h"
#include "history/historyfile.h"
#include "history/historyrecord.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("HistoryImport", text);
}

constexpr int kPartsBetweenQuestions = 64;
constexpr int kProblemsShown = 8;

// The three statements of one file's transaction, prepared once.
class ImportStatements
{
public:
    explicit ImportStatements(DbConnection &connection)
        : m_connection(connection), m_known(connection.database()),
          m_remember(connection.database()), m_add(connection.database())
    {
        prepare(m_known, QStringLiteral("SELECT 1 FROM ImportedHands WHERE Site = ? AND "
                                        "HandNumber = ?"));
        prepare(m_remember,
                QStringLiteral("INSERT INTO ImportedHands (Site, HandNumber) VALUES (?, ?)"));
        prepare(m_add, QStringLiteral("INSERT INTO History (DateP, H1, H2, F1, F2, F3, Tn, Rr, "
                                      "Rtg, Hand, Result) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                      "?)"));
    }

    bool known(const HandHistoryHand &hand)
    {
        m_known.bindValue(0, hand.site);
        m_known.bindValue(1, hand.number);
        run(m_known);
        const bool found = m_known.next();
        m_known.finish();
        return found;
    }

    void add(const HandHistoryHand &hand, const HistoryRecord &record)
    {
        m_remember.bindValue(0, hand.site);
        m_remember.bindValue(1, hand.number);
        run(m_remember);
        m_add.bindValue(0, storedDateText(record.date));
        for (int c = 0; c < int(record.cards.size()); ++c)
            m_add.bindValue(c + 1, record.cards.at(std::size_t(c)));
        m_add.bindValue(8, record.rating);
        m_add.bindValue(9, QString::fromStdString(tallowby::DescribeRating(record.rating)));
        m_add.bindValue(10, record.result);
        run(m_add);
    }

private:
    void prepare(QSqlQuery &query, const QString &sql)
    {
        if (!query.prepare(sql))
            fail(query);
    }

    void run(QSqlQuery &query)
    {
        if (!query.exec())
            fail(query);
    }

    [[noreturn]] void fail(const QSqlQuery &query) const
    {
        throw sqlFailure(tr("The imported hands could not be written to “%1”.")
                             .arg(displayPath(m_connection.filePath())),
                         query.lastError());
    }

    DbConnection &m_connection;
    QSqlQuery m_known;
    QSqlQuery m_remember;
    QSqlQuery m_add;
};

HistoryRecord recordOf(tallowby::HandState &state, const HandHistoryHand &hand)
{
    state.ResetHand();
    for (int slot = 1; slot <= tallowby::kSlotCount; ++slot) {
        if (const int card = hand.cards.at(std::size_t(slot - 1)))
            state.SetSlotCard(slot, card);
    }
    return historyRecordFor(state, hand.result, hand.date);
}

// Counts one part of a reading, adding a played hand not imported before.
void countPart(ImportSummary &summary, ImportStatements &statements, tallowby::HandState &state,
               const QString &file, const HandHistoryHand &hand)
{
    using Kind = HandHistoryHand::Kind;
    switch (hand.kind) {
    case Kind::Played:
        if (statements.known(hand)) {
            ++summary.counts.duplicates;
        } else {
            statements.add(hand, recordOf(state, hand));
            ++summary.counts.imported;
        }
        break;
    case Kind::OtherGame:
        ++summary.counts.otherGames;
        break;
    case Kind::Cancelled:
        ++summary.counts.cancelled;
        break;
    case Kind::WithoutCards:
        ++summary.counts.withoutCards;
        break;
    case Kind::Unreadable:
        ++summary.counts.unreadable;
        summary.problems.append({file, hand.problemLine, hand.problem});
        break;
    }
}

ImportSummary fileProblem(const QString &file, const QString &message)
{
    ImportSummary summary;
    summary.counts.unreadable = 1;
    summary.problems.append({file, 0, message});
    return summary;
}

} // namespace

ImportCounts &ImportCounts::operator+=(const ImportCounts &other)
{
    imported += other.imported;
    duplicates += other.duplicates;
    otherGames += other.otherGames;
    withoutCards += other.withoutCards;
    cancelled += other.cancelled;
    unreadable += other.unreadable;
    return *this;
}

ImportSummary &ImportSummary::operator+=(const ImportSummary &other)
{
    counts += other.counts;
    problems += other.problems;
    cancelled = cancelled || other.cancelled;
    return *this;
}

void prepareForImport(DbConnection &connection)
{
    requireHistoryFields(connection);
    executeCommand(connection, QStringLiteral("CREATE TABLE IF NOT EXISTS ImportedHands (Site TEXT "
                                              "NOT NULL, HandNumber TEXT NOT NULL, PRIMARY KEY "
                                              "(Site, HandNumber))"));
    addHistoryIndexes(connection);
}

ImportSummary addImportedHands(DbConnection &connection, const QString &file,
                               const QList<HandHistoryHand> &hands,
                               const std::function<bool(int handled)> &keepGoing)
{
    ImportSummary summary;
    DbTransaction writing(connection);
    {
        ImportStatements statements(connection);
        tallowby::HandState state;
        for (int part = 0; part < hands.size(); ++part) {
            if (keepGoing && part % kPartsBetweenQuestions == 0 && !keepGoing(part)) {
                ImportSummary stopped;
                stopped.cancelled = true;
                return stopped; // the transaction rolls back
            }
            countPart(summary, statements, state, file, hands.at(part));
        }
    }
    writing.commit();
    return summary;
}

ImportSummary importHandHistoryFiles(DbConnection &connection, const QStringList &files,
                                     const ImportProgress &progress)
{
    ImportSummary summary;
    qint64 total = 0;
    for (const QString &file : files)
        total += std::max<qint64>(QFileInfo(file).size(), 1);
    qint64 done = 0;
    prepareForImport(connection);
    for (int index = 0; index < int(files.size()); ++index) {
        const QString &file = files.at(index);
        const qint64 size = std::max<qint64>(QFileInfo(file).size(), 1);
        if (progress && !progress(done, total, index)) {
            summary.cancelled = true;
            break;
        }
        QFile input(file);
        if (!QFileInfo(file).isFile() || !input.open(QIODevice::ReadOnly)) {
            summary += fileProblem(
                file, QFileInfo(file).isDir()
                          ? tr("This is a folder, not a hand-history file.")
                          : tr("The file could not be opened: %1").arg(input.errorString()));
            done += size;
            continue;
        }
        const QByteArray bytes = input.readAll();
        if (input.error() != QFileDevice::NoError) {
            summary +=
                fileProblem(file, tr("The file could not be read: %1").arg(input.errorString()));
            done += size;
            continue;
        }
        const HandHistoryReading reading = readHandHistory(bytes);
        const qsizetype parts = std::max<qsizetype>(reading.hands.size(), 1);
        const auto keepGoing = [&](int handled) {
            return !progress || progress(done + size * handled / parts, total, index);
        };
        try {
            const ImportSummary added =
                addImportedHands(connection, file, reading.hands, keepGoing);
            summary += added;
            if (added.cancelled)
                break;
        } catch (const DatabaseError &failure) {
            summary.problems.append({file, 0, failure.message()});
            break;
        }
        done += size;
    }
    if (progress && !summary.cancelled)
        progress(total, total, int(files.size()));
    return summary;
}

QString importProgressText(const QStringList &files, int file, int nameLength)
{
    if (file < 0 || file >= files.size())
        return tr("Importing hand histories...");
    QString name = QFileInfo(files.at(file)).fileName();
    if (name.size() > nameLength && nameLength > 1) {
        // Both ends stay: the client's names begin with the date and end with the table.
        const qsizetype head = (nameLength - 1) / 2;
        name = name.left(head) + QChar(0x2026) + name.right(nameLength - 1 - head);
    }
    if (files.size() == 1)
        return tr("Importing “%1”...").arg(name);
    return tr("Importing “%1” (file %2 of %3)...").arg(name).arg(file + 1).arg(files.size());
}

QString importSummaryText(const ImportSummary &summary)
{
    const ImportCounts &c = summary.counts;
    QStringList lines;
    lines.append(tr("Games imported: %1").arg(c.imported));
    lines.append(tr("Already in the history: %1").arg(c.duplicates));
    lines.append(tr("Other games: %1").arg(c.otherGames));
    lines.append(tr("Without your cards: %1").arg(c.withoutCards));
    lines.append(tr("Cancelled hands: %1").arg(c.cancelled));
    lines.append(tr("Unreadable: %1").arg(c.unreadable));
    if (summary.cancelled)
        lines.append(tr("The import was cancelled: the file being read then added nothing, and "
                        "the files after it were not read."));
    if (!summary.problems.isEmpty()) {
        lines.append(QString());
        for (qsizetype p = 0; p < summary.problems.size() && p < kProblemsShown; ++p) {
            const ImportProblem &problem = summary.problems.at(p);
            const QString where = QFileInfo(problem.file).fileName();
            lines.append(problem.line > 0
                             ? tr("%1, line %2: %3")
                                   .arg(where, QString::number(problem.line), problem.message)
                             : tr("%1: %2").arg(where, problem.message));
        }
        if (summary.problems.size() > kProblemsShown)
            lines.append(tr("… and %1 more.").arg(summary.problems.size() - kProblemsShown));
    }
    return lines.join(QLatin1Char('\n'));
}

namespace {

// A JSON string, as JSON writes it.
QByteArray jsonText(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace

QByteArray importSummaryJson(const ImportSummary &summary)
{
    const ImportCounts &c = summary.counts;
    QByteArray json = "{";
    const std::pair<const char *, qint64> counts[] = {
        {"imported", c.imported},      {"duplicates", c.duplicates},
        {"other_games", c.otherGames}, {"without_cards", c.withoutCards},
        {"cancelled", c.cancelled},    {"unreadable", c.unreadable}};
    for (const auto &[key, value] : counts)
        json += '"' + QByteArray(key) + "\": " + QByteArray::number(value) + ", ";
    json += "\"errors\": [";
    for (qsizetype p = 0; p < summary.problems.size(); ++p) {
        const ImportProblem &problem = summary.problems.at(p);
        if (p > 0)
            json += ", ";
        json += "{\"file\": " + jsonText(problem.file) +
                ", \"line\": " + QByteArray::number(problem.line) +
                ", \"message\": " + jsonText(problem.message) + "}";
    }
    json += "]}";
    return json;
}
