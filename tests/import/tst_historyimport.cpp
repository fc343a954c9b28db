// SPDX-License-Identifier: GPL-3.0-or-later
// Importing hand-history files into a history file: the rows written, the counts of what was
// skipped, hands imported once only, one transaction per file, cancelling, and the summary.
#include "db/dbconnection.h"
#include "db/dberror.h"
#include "db/dbquery.h"
#include "history/historyfile.h"
#include "history/historyimport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

QString sample(const QString &name)
{
    return QStringLiteral(TALLOWBY_IMPORT_DATA "/") + name;
}

QStringList samples(const QStringList &names)
{
    QStringList paths;
    for (const QString &name : names)
        paths << sample(name);
    return paths;
}

// "imported duplicates other without cancelled unreadable"
QString countsText(const ImportCounts &c)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6")
        .arg(c.imported)
        .arg(c.duplicates)
        .arg(c.otherGames)
        .arg(c.withoutCards)
        .arg(c.cancelled)
        .arg(c.unreadable);
}

// Every row of History as "DateP H1 .. Rr Rtg(hex) Hand Result", in the order written.
QStringList historyRows(DbConnection &connection)
{
    DbQuery query(connection);
    query.setSql(QStringLiteral("SELECT * FROM History ORDER BY rowid"));
    query.open();
    QStringList rows;
    for (query.first(); !query.isEmpty() && !query.atEnd(); query.next()) {
        QStringList fields{query.text("DateP")};
        for (const char *card : {"H1", "H2", "F1", "F2", "F3", "Tn", "Rr"})
            fields << query.text(card);
        fields << QString::number(query.integer("Rtg"), 16).toUpper() << query.text("Hand")
               << query.text("Result");
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}

qint64 count(DbConnection &connection, const QString &table)
{
    DbQuery query(connection);
    query.setSql(QStringLiteral("SELECT count(*) AS n FROM ") + table);
    query.open();
    return query.integer("n");
}

} // namespace

class TestHistoryImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void rowsAsRecordingWritesThem();
    void counts_data();
    void counts();
    void importedOnceOnly();
    void aFileThatFailsPartWayAddsNothing();
    void cancelling_data();
    void cancelling();
    void progressText_data();
    void progressText();
    void filesThatCannotBeRead_data();
    void filesThatCannotBeRead();
    void aTableThatIsNoHistory_data();
    void aTableThatIsNoHistory();
    void summaryForTheUser();
    void summaryAsJson();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::optional<QTemporaryDir> m_dir;
    std::optional<DbConnection> m_connection;
};

void TestHistoryImport::init()
{
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_connection.emplace();
    createHistoryFile(*m_connection, path("games.mdb"));
}

void TestHistoryImport::cleanup()
{
    m_connection.reset();
    m_dir.reset();
}

void TestHistoryImport::rowsAsRecordingWritesThem()
{
    const ImportSummary summary =
        importHandHistoryFiles(*m_connection, samples({"cash_usd.txt", "run_twice.txt"}));
    QCOMPARE(countsText(summary.counts), QStringLiteral("10 0 0 0 0 0"));
    // The rating: the category, then five rank digits (1 for a deuce .. D for an ace, 0 where
    // no card fills the place).
    QCOMPARE(historyRows(*m_connection),
             (QStringList{
                 "2024-03-05|7c|2d|--|--|--|--|--|61000|High Card. 7, 2, -, -, -|Win",
                 "2024-03-05|Ah|Kd|--|--|--|--|--|DC000|High Card. A, K, -, -, -|Win",
                 "2024-03-05|9s|4h|Qc|8d|3s|--|--|B8732|High Card. Q, 9, 8, 4, 3|Fold",
                 "2024-03-05|Jh|Jd|Ks|7h|2c|5d|Kh|2CCAA6|Two Pair. KK, JJ, 7|Lose",
                 "2024-03-05|Ac|Qd|As|Qh|6c|9d|6s|2DDBB8|Two Pair. AA, QQ, 9|Split",
                 "2024-03-05|Qs|Qc|8h|4s|Td|2h|3c|1BB973|Two Kind. QQ, T, 8, 4|Win",
                 "2024-03-05|Kh|Ks|Ac|7d|2s|9h|Jc|1CCDA8|Two Kind. KK, A, J, 9|Split",
                 "2024-03-05|Th|9h|Jd|5c|5h|3d|Ts|29944A|Two Pair. TT, 55, J|Lose",
                 "2024-04-20|Ah|Kh|Qh|7h|2s|4h|9c|5DCB63|Flush. A, K, Q, 7, 4|Split",
                 "2024-04-20|Kc|Kd|Ks|9d|4c|2d|7s|3CCC86|Three Kind. KKK, 9, 7|Win",
             }));
}

void TestHistoryImport::counts_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("counts"); // imported duplicates other without cancelled unreadable
    QTest::addColumn<int>("problems");

    QTest::newRow("cash game") << QStringList{"cash_usd.txt"} << "8 0 0 0 0 0" << 0;
    QTest::newRow("tournament, BOM, CRLF")
        << QStringList{"tournament_eur_bom_crlf.txt"} << "3 0 0 0 0 0" << 0;
    QTest::newRow("play money, Windows-1252")
        << QStringList{"playmoney_cp1252.txt"} << "2 0 0 0 0 0" << 0;
    QTest::newRow("cancelled, sitting out, watching")
        << QStringList{"cancelled_and_sitting_out.txt"} << "1 0 0 2 1 0" << 0;
    QTest::newRow("other games") << QStringList{"other_games.txt"} << "3 0 5 0 0 0" << 0;
    QTest::newRow("truncated last hand") << QStringList{"truncated.txt"} << "1 0 0 0 0 1" << 1;
    QTest::newRow("garbled") << QStringList{"garbled.txt"} << "1 0 0 0 0 4" << 4;
    QTest::newRow("not a hand history")
        << QStringList{"not_a_hand_history.txt"} << "0 0 0 0 0 1" << 1;
    QTest::newRow("several files, one hand twice among them")
        << QStringList{"cash_usd.txt", "other_formats.txt", "cash_usd.txt"} << "12 8 0 0 0 0" << 0;
}

void TestHistoryImport::counts()
{
    QFETCH(QStringList, files);
    QFETCH(QString, counts);
    QFETCH(int, problems);
    const ImportSummary summary = importHandHistoryFiles(*m_connection, samples(files));
    QCOMPARE(countsText(summary.counts), counts);
    QCOMPARE(summary.problems.size(), problems);
    QVERIFY(!summary.cancelled);
    QCOMPARE(count(*m_connection, "History"), summary.counts.imported);
    QCOMPARE(count(*m_connection, "ImportedHands"), summary.counts.imported);
    for (const ImportProblem &problem : summary.problems) {
        QVERIFY(files.contains(QFileInfo(problem.file).fileName()));
        QVERIFY(problem.line > 0);
        QVERIFY(!problem.message.isEmpty());
    }
}

void TestHistoryImport::importedOnceOnly()
{
    const QStringList files = samples({"cash_usd.txt", "tournament_eur_bom_crlf.txt"});
    QCOMPARE(countsText(importHandHistoryFiles(*m_connection, files).counts),
             QStringLiteral("11 0 0 0 0 0"));
    const QStringList before = historyRows(*m_connection);

    // Again, and again after the connection was closed and opened.
    QCOMPARE(countsText(importHandHistoryFiles(*m_connection, files).counts),
             QStringLiteral("0 11 0 0 0 0"));
    m_connection->close();
    QCOMPARE(countsText(importHandHistoryFiles(*m_connection, files).counts),
             QStringLiteral("0 11 0 0 0 0"));
    QCOMPARE(historyRows(*m_connection), before);

    // The same hand number at another site is another hand.
    QFile renamed(path("other site.txt"));
    QVERIFY(renamed.open(QIODevice::WriteOnly));
    QFile cash(sample("cash_usd.txt"));
    QVERIFY(cash.open(QIODevice::ReadOnly));
    renamed.write(cash.readAll().replace("PokerStars Hand #", "Otherstars Hand #"));
    renamed.close();
    QCOMPARE(countsText(importHandHistoryFiles(*m_connection, {path("other site.txt")}).counts),
             QStringLiteral("8 0 0 0 0 0"));
}

void TestHistoryImport::aFileThatFailsPartWayAddsNothing()
{
    // The database refuses one row of the second file, its sixth hand.
    executeCommand(*m_connection,
                   QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON History WHEN "
                                  "NEW.H1 = 'Qs' AND NEW.H2 = 'Qc' BEGIN SELECT RAISE(ABORT, "
                                  "'refused for the test'); END"));
    const ImportSummary summary = importHandHistoryFiles(
        *m_connection, samples({"run_twice.txt", "cash_usd.txt", "playmoney_cp1252.txt"}));
    QCOMPARE(summary.counts.imported, 2);
    QCOMPARE(summary.problems.size(), 1);
    QCOMPARE(summary.problems.front().file, sample("cash_usd.txt"));
    QCOMPARE(summary.problems.front().line, 0);
    QVERIFY2(summary.problems.front().message.contains(QStringLiteral("refused for the test")),
             qPrintable(summary.problems.front().message));
    // Nothing of the failing file, and the files after it not read.
    QCOMPARE(count(*m_connection, "History"), 2);
    QCOMPARE(count(*m_connection, "ImportedHands"), 2);

    executeCommand(*m_connection, QStringLiteral("DROP TRIGGER refuse"));
    QCOMPARE(countsText(importHandHistoryFiles(*m_connection, samples({"cash_usd.txt"})).counts),
             QStringLiteral("8 0 0 0 0 0"));
}

void TestHistoryImport::cancelling_data()
{
    QTest::addColumn<double>("stopAt"); // the share of all bytes handled when the user cancels
    QTest::addColumn<qint64>("rows");
    QTest::newRow("before the first file") << 0.0 << qint64(0);
    QTest::newRow("inside the first file") << 0.25 << qint64(0);
    QTest::newRow("inside the second file") << 0.75 << qint64(300);
}

// Two files of 300 hands each, so that the user is asked between hands.
void TestHistoryImport::cancelling()
{
    QFETCH(double, stopAt);
    QFETCH(qint64, rows);
    QFile tournament(sample("tournament_eur_bom_crlf.txt"));
    QVERIFY(tournament.open(QIODevice::ReadOnly));
    const QByteArray hands = tournament.readAll();
    QStringList files;
    for (const char *site : {"98", "99"}) {
        QByteArray many;
        for (int copy = 0; copy < 100; ++copy)
            many += QByteArray(hands).replace("#2401000000",
                                              QByteArray("#") + site + QByteArray::number(copy));
        files << path(QStringLiteral("large%1.txt").arg(QLatin1String(site)));
        QFile large(files.back());
        QVERIFY(large.open(QIODevice::WriteOnly));
        large.write(many);
    }

    QList<qint64> told;
    QList<int> fileTold;
    const ImportSummary summary = importHandHistoryFiles(
        *m_connection, files, [&told, &fileTold, stopAt](qint64 done, qint64 total, int file) {
            told << done;
            fileTold << file;
            return done < qint64(stopAt * double(total));
        });
    QVERIFY(summary.cancelled);
    QCOMPARE(count(*m_connection, "History"), rows);
    QCOMPARE(summary.counts.imported, rows);
    QCOMPARE(count(*m_connection, "ImportedHands"), rows);
    // Progress only goes forward, and is told between hands of a file, naming the file read.
    QVERIFY(told.size() > 2 || stopAt == 0);
    for (qsizetype i = 1; i < told.size(); ++i) {
        QVERIFY(told.at(i) >= told.at(i - 1));
        QVERIFY(fileTold.at(i) >= fileTold.at(i - 1));
    }
    QCOMPARE(fileTold.back(), stopAt < 0.5 ? 0 : 1);
}

void TestHistoryImport::progressText_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("file");
    QTest::addColumn<QString>("text");
    QTest::newRow("one file") << QStringList{"/hh/Aludra.txt"} << 0 << "Importing “Aludra.txt”...";
    QTest::newRow("the second of three") << QStringList{"/a/one.txt", "/a/two.txt", "/a/three.txt"}
                                         << 1 << "Importing “two.txt” (file 2 of 3)...";
    QTest::newRow("a long name, cut in the middle")
        << QStringList{"/hh/HH20240305 Aludra - No Limit Hold'em far too long.txt"} << 0
        << "Importing “HH20240305 Aludra -…'em far too long.txt”...";
    QTest::newRow("a name of just the length")
        << QStringList{QString(40, 'a')} << 0 << "Importing “" + QString(40, 'a') + "”...";
    QTest::newRow("all files read")
        << QStringList{"/a/one.txt"} << 1 << "Importing hand histories...";
}

void TestHistoryImport::progressText()
{
    QFETCH(QStringList, files);
    QFETCH(int, file);
    QFETCH(QString, text);
    QCOMPARE(importProgressText(files, file), text);
}

void TestHistoryImport::filesThatCannotBeRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("said");
    QTest::newRow("missing") << "missing"
                             << "could not be opened";
    QTest::newRow("a folder") << "folder"
                              << "folder";
    QTest::newRow("not readable") << "unreadable"
                                  << "could not be opened";
}

void TestHistoryImport::filesThatCannotBeRead()
{
    QFETCH(QString, kind);
    QFETCH(QString, said);
    const QString bad = path("bad.txt");
    if (kind == "folder") {
        QVERIFY(QDir().mkpath(bad));
    } else if (kind == "unreadable") {
        QFile::copy(sample("cash_usd.txt"), bad);
        QFile::setPermissions(bad, QFileDevice::WriteOwner);
        if (QFile(bad).open(QIODevice::ReadOnly))
            QSKIP("this user reads files whatever their permissions");
    }
    const ImportSummary summary =
        importHandHistoryFiles(*m_connection, {bad, sample("run_twice.txt")});
    QCOMPARE(countsText(summary.counts), QStringLiteral("2 0 0 0 0 1"));
    QCOMPARE(summary.problems.size(), 1);
    QCOMPARE(summary.problems.front().file, bad);
    QCOMPARE(summary.problems.front().line, 0);
    QVERIFY2(summary.problems.front().message.contains(said),
             qPrintable(summary.problems.front().message));
}

void TestHistoryImport::aTableThatIsNoHistory_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("said");
    QTest::newRow("no History") << "DROP TABLE History"
                                << "has no table “History”";
    QTest::newRow("History without two fields")
        << "CREATE TABLE History (DateP DATE, H2 TEXT(2), F1 TEXT(2), F2 TEXT(2), F3 TEXT(2), "
           "Tn TEXT(2), Rr TEXT(2), Rtg NUMBER, Hand TEXT(30))"
        << "lacks the fields H1, Result.";
}

void TestHistoryImport::aTableThatIsNoHistory()
{
    QFETCH(QString, sql);
    QFETCH(QString, said);
    executeCommand(*m_connection, QStringLiteral("DROP TABLE History"));
    if (sql.startsWith(QLatin1String("CREATE")))
        executeCommand(*m_connection, sql);
    try {
        importHandHistoryFiles(*m_connection, samples({"cash_usd.txt"}));
        QFAIL("a table that is no history was written to");
    } catch (const DatabaseError &failure) {
        QVERIFY2(failure.message().contains(said), qPrintable(failure.message()));
        QVERIFY(failure.message().size() < 200);
    }
}

void TestHistoryImport::summaryForTheUser()
{
    const ImportSummary summary =
        importHandHistoryFiles(*m_connection, samples({"garbled.txt", "other_games.txt"}));
    const QString text = importSummaryText(summary);
    for (const QString &line :
         {QStringLiteral("Games imported: 4"), QStringLiteral("Already in the history: 0"),
          QStringLiteral("Other games: 5"), QStringLiteral("Without your cards: 0"),
          QStringLiteral("Unreadable: 4"), QStringLiteral("garbled.txt, line 9: "),
          QStringLiteral("garbled.txt, line 27: The card Ah is dealt twice")})
        QVERIFY2(text.contains(line), qPrintable(text));
}

void TestHistoryImport::summaryAsJson()
{
    const ImportSummary summary = importHandHistoryFiles(
        *m_connection, samples({"truncated.txt", "cancelled_and_sitting_out.txt"}));
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(importSummaryJson(summary), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonObject object = json.object();
    QCOMPARE(object.keys().size(), 7);
    QCOMPARE(object.value("imported").toInt(), 2);
    QCOMPARE(object.value("duplicates").toInt(), 0);
    QCOMPARE(object.value("other_games").toInt(), 0);
    QCOMPARE(object.value("without_cards").toInt(), 2);
    QCOMPARE(object.value("cancelled").toInt(), 1);
    QCOMPARE(object.value("unreadable").toInt(), 1);
    const QJsonArray errors = object.value("errors").toArray();
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.at(0).toObject().value("file").toString(), sample("truncated.txt"));
    QCOMPARE(errors.at(0).toObject().value("line").toInt(), 38);
    QVERIFY(errors.at(0).toObject().value("message").toString().contains("summary"));
    QVERIFY(!importSummaryJson(summary).contains('\n'));
}

QTEST_GUILESS_MAIN(TestHistoryImport)
#include "tst_historyimport.moc"
