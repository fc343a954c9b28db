// SPDX-License-Identifier: GPL-3.0-or-later
// The hand-history folder watched: hands appended to its files are imported once complete,
// what the files held before watching began is left alone, each hand comes in once, and the
// watcher waits while it may not write.
#include "db/dbconnection.h"
#include "db/dbquery.h"
#include "history/handhistorywatcher.h"
#include "history/historyfile.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

// The hands of a sample file, each with the blank lines that follow it.
QStringList handsOf(const QString &name)
{
    QFile file(QStringLiteral(TALLOWBY_IMPORT_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    QStringList hands;
    const QString header = QStringLiteral("PokerStars Hand #");
    for (qsizetype from = text.indexOf(header); from >= 0;) {
        const qsizetype next = text.indexOf(header, from + 1);
        hands << text.mid(from, next < 0 ? -1 : next - from);
        from = next;
    }
    return hands;
}

void append(const QString &path, const QString &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Append));
    QVERIFY(file.write(text.toUtf8()) == text.toUtf8().size());
}

} // namespace

class TestHandHistoryWatcher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void handsAppendedAreImported();
    void aHandIsTakenOnceComplete_data();
    void aHandIsTakenOnceComplete();
    void aReplacedFileIsReadAfresh();
    void waitsWhileItMayNotWrite();
    void stopping();

private:
    qint64 games();
    QString hands(const QString &name) const { return m_folder->filePath(name); }

    std::optional<QTemporaryDir> m_dir;
    std::optional<QTemporaryDir> m_folder;
    std::optional<DbConnection> m_connection;
    std::optional<HandHistoryWatcher> m_watcher;
    const QStringList m_hands = handsOf(QStringLiteral("cash_usd.txt"));
};

void TestHandHistoryWatcher::init()
{
    QVERIFY(m_hands.size() >= 4);
    m_dir.emplace();
    m_folder.emplace();
    m_connection.emplace();
    createHistoryFile(*m_connection, m_dir->filePath(QStringLiteral("games.mdb")));
    m_watcher.emplace(*m_connection);
    m_watcher->setInterval(20);
}

void TestHandHistoryWatcher::cleanup()
{
    m_watcher.reset();
    m_connection.reset();
    m_folder.reset();
    m_dir.reset();
}

qint64 TestHandHistoryWatcher::games()
{
    DbQuery query(*m_connection);
    query.setSql(QStringLiteral("SELECT count(*) AS n FROM History"));
    query.open();
    return query.integer("n");
}

// The first hand of cash_usd.txt is a walk for Bob, one game; the others follow it.
void TestHandHistoryWatcher::handsAppendedAreImported()
{
    append(hands("old.txt"), m_hands.at(0));
    m_watcher->setFolder(m_folder->path());
    QVERIFY(m_watcher->isWatching());
    QSignalSpy reads(m_watcher.operator->(), &HandHistoryWatcher::imported);

    append(hands("old.txt"), m_hands.at(1));
    QTRY_COMPARE(games(), 1);
    // A file the client starts while watched is read from its start; a file of another kind is
    // not read at all.
    append(hands("new.txt"), m_hands.at(2));
    append(hands("notes.log"), m_hands.at(3));
    QTRY_COMPARE(games(), 2);
    QTest::qWait(100);
    QCOMPARE(games(), 2);
    QVERIFY(!reads.isEmpty());
    qint64 imported = 0;
    for (const QList<QVariant> &read : reads)
        imported += read.at(0).value<ImportSummary>().counts.imported;
    QCOMPARE(imported, 2);
}

void TestHandHistoryWatcher::aHandIsTakenOnceComplete_data()
{
    QTest::addColumn<int>("cut"); // characters of the second hand written at first, from its end
    QTest::newRow("in the middle of its actions") << 400;
    QTest::newRow("within its summary") << 60;
    QTest::newRow("its last line without the line end") << 2;
}

// Written in two goes: nothing of the cut hand is taken while the rest is missing, then it is
// taken whole, once.
void TestHandHistoryWatcher::aHandIsTakenOnceComplete()
{
    QFETCH(int, cut);
    m_watcher->setFolder(m_folder->path());
    const QString second = m_hands.at(1).trimmed() + QLatin1Char('\n');
    QVERIFY(second.size() > cut);
    append(hands("table.txt"), m_hands.at(0) + second.left(second.size() - cut));
    QTRY_COMPARE(games(), 1);
    QTest::qWait(150);
    QCOMPARE(games(), 1);
    append(hands("table.txt"), second.right(cut) + QStringLiteral("\n\n"));
    QTRY_COMPARE(games(), 2);
    append(hands("table.txt"), m_hands.at(2));
    QTRY_COMPARE(games(), 3);
    QTest::qWait(100);
    QCOMPARE(games(), 3);
}

// A client that rewrites a file shorter than before: its hands are read again, and those
// imported already are not added twice.
void TestHandHistoryWatcher::aReplacedFileIsReadAfresh()
{
    m_watcher->setFolder(m_folder->path());
    append(hands("table.txt"), m_hands.at(0) + m_hands.at(1) + m_hands.at(2));
    QTRY_COMPARE(games(), 3);
    QFile::remove(hands("table.txt"));
    append(hands("table.txt"), m_hands.at(0) + m_hands.at(3));
    QTRY_COMPARE(games(), 4);
    QTest::qWait(100);
    QCOMPARE(games(), 4);
}

void TestHandHistoryWatcher::waitsWhileItMayNotWrite()
{
    bool may = false;
    m_watcher->setMayImport([&may] { return may; });
    m_watcher->setFolder(m_folder->path());
    append(hands("table.txt"), m_hands.at(0) + m_hands.at(1));
    QTest::qWait(150);
    QCOMPARE(games(), 0);
    may = true;
    QTRY_COMPARE(games(), 2);
}

void TestHandHistoryWatcher::stopping()
{
    m_watcher->setFolder(m_folder->path());
    m_watcher->setFolder(QString());
    QVERIFY(!m_watcher->isWatching());
    append(hands("table.txt"), m_hands.at(0) + m_hands.at(1));
    QTest::qWait(150);
    QCOMPARE(games(), 0);
}

QTEST_GUILESS_MAIN(TestHandHistoryWatcher)
#include "tst_handhistorywatcher.moc"
