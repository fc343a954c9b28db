// SPDX-License-Identifier: GPL-3.0-or-later
// The history as CSV: fields as RFC 4180 quotes them, rows in the table's filter and order
// read back by a reader of the standard, and the file replaced only once it is complete.
#include "db/dbconnection.h"
#include "db/dbtable.h"
#include "historyfiles.h"
#include "import/historycsv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

// RFC 4180 read strictly: CRLF between records, quoted fields with doubled quotes.
QList<QStringList> readCsv(const QByteArray &bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                field += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"' && field.isEmpty()) {
            quoted = true;
        } else if (c == u',') {
            record << field;
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            record << field;
            records << record;
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !record.isEmpty())
        records << (record << field);
    return records;
}

const QString kNone = QStringLiteral("--");

} // namespace

class TestHistoryCsv : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void fields_data();
    void fields();
    void rowsAsTheViewShowsThem_data();
    void rowsAsTheViewShowsThem();
    void valuesOtherProgramsWrote();
    void replacedOnlyWhenComplete();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::optional<QTemporaryDir> m_dir;
    std::optional<DbConnection> m_connection;
    std::optional<DbTable> m_table;
};

void TestHistoryCsv::init()
{
    QLocale::setDefault(QLocale(QLocale::German)); // no decimal commas may reach the file
    m_dir.emplace();
    makeHistoryFile(
        path("games.mdb"),
        {historyRow(QDate(2024, 3, 5), "Ah", "Kd", "Win", "High Card. A, K, -, -, -"),
         historyRow(QDate(2024, 3, 7), "Qs", "Qc", "Lose", "Two Kind. QQ, T, 8, 4"),
         historyRow(QDate(2024, 3, 6), "Ac", "Kc", "Fold", "High Card. A, K, -, -, -")});
    m_connection.emplace();
    m_connection->setConnectionString(DbConnection::connectionStringFor(path("games.mdb")));
    executeCommand(*m_connection,
                   QStringLiteral("UPDATE History SET Rtg = 1245987 WHERE H1 = 'Qs'"));
    m_table.emplace(*m_connection, QStringLiteral("History"));
}

void TestHistoryCsv::cleanup()
{
    m_table.reset();
    m_connection.reset();
    m_dir.reset();
    QLocale::setDefault(QLocale::c());
}

void TestHistoryCsv::fields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("plain") << "Win" << QByteArray("Win");
    QTest::newRow("empty") << "" << QByteArray("");
    QTest::newRow("the empty-card mark") << "--" << QByteArray("--");
    QTest::newRow("a negative number") << "-12.5" << QByteArray("-12.5");
    QTest::newRow("commas") << "Two Pair. KK, 99, 4" << QByteArray("\"Two Pair. KK, 99, 4\"");
    QTest::newRow("quotes") << "say \"hi\"" << QByteArray("\"say \"\"hi\"\"\"");
    QTest::newRow("a line break") << "a\nb" << QByteArray("\"a\nb\"");
    QTest::newRow("a formula") << "=HYPERLINK(\"x\")" << QByteArray("\"'=HYPERLINK(\"\"x\"\")\"");
    QTest::newRow("a plus formula") << "+1+2" << QByteArray("'+1+2");
    QTest::newRow("a minus formula") << "-A1" << QByteArray("'-A1");
    QTest::newRow("an at formula") << "@SUM(A1)" << QByteArray("'@SUM(A1)");
    QTest::newRow("UTF-8") << "Ångström" << QByteArray("\xC3\x85ngstr\xC3\xB6m");
}

void TestHistoryCsv::fields()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, written);
    QCOMPARE(csvField(text), written);
}

void TestHistoryCsv::rowsAsTheViewShowsThem_data()
{
    QTest::addColumn<QString>("sort");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("firstCards");
    QTest::newRow("newest first") << "DateP DESC"
                                  << "" << QStringList{"Qs", "Ac", "Ah"};
    QTest::newRow("by hand, then by date") << "Hand"
                                           << "" << QStringList{"Ah", "Ac", "Qs"};
    QTest::newRow("the aces only") << "DateP"
                                   << "H1 = 'Ah' OR H1 = 'Ac'" << QStringList{"Ah", "Ac"};
}

void TestHistoryCsv::rowsAsTheViewShowsThem()
{
    QFETCH(QString, sort);
    QFETCH(QString, filter);
    QFETCH(QStringList, firstCards);
    m_table->setSort(sort);
    m_table->setFilter(filter);
    m_table->setFiltered(true);
    m_table->open();
    const QList<QStringList> records = readCsv(historyCsv(*m_table));
    QCOMPARE(records.size(), firstCards.size() + 1);
    QCOMPARE(records.front(), (QStringList{"Date", "H1", "H2", "F1", "F2", "F3", "Tn", "Rr", "Rtg",
                                           "Hand", "Result"}));
    QStringList cards;
    for (const QStringList &record : records.mid(1)) {
        QCOMPARE(record.size(), 11);
        cards << record.at(1);
        QCOMPARE(record.mid(3, 5), QStringList(5, kNone));
        if (record.at(1) == QLatin1String("Qs")) {
            QCOMPARE(record.at(0), QStringLiteral("2024-03-07"));
            QCOMPARE(record.at(8), QStringLiteral("1245987"));
            QCOMPARE(record.at(9), QStringLiteral("Two Kind. QQ, T, 8, 4"));
            QCOMPARE(record.at(10), QStringLiteral("Lose"));
        }
    }
    QCOMPARE(cards, firstCards);
}

void TestHistoryCsv::valuesOtherProgramsWrote()
{
    executeCommand(*m_connection, QStringLiteral("DELETE FROM History"));
    executeCommand(
        *m_connection,
        QStringLiteral("INSERT INTO History VALUES ('2024-03-05 14:30:00', 'Ah', 'Kd', "
                       "'--', '--', '--', '--', '--', 12.0, 'x', 'Win'), "
                       "('last week', 'Qs', 'Qc', '--', '--', '--', '--', '--', "
                       "'n/a', 'said \"hi\"', '=1+1'), "
                       "(NULL, NULL, 'Qc', '--', '--', '--', '--', '--', 0.5, NULL, '')"));
    m_table->setSort(QStringLiteral("H2"));
    m_table->open();
    const QList<QStringList> records = readCsv(historyCsv(*m_table));
    QCOMPARE(records.size(), 4);
    QCOMPARE(records.at(1).at(0), QStringLiteral("2024-03-05T14:30:00"));
    QCOMPARE(records.at(1).at(8), QStringLiteral("12"));
    QCOMPARE(records.at(2).at(0), QStringLiteral("last week"));
    QCOMPARE(records.at(2).at(8), QStringLiteral("n/a"));
    QCOMPARE(records.at(2).at(9), QStringLiteral("said \"hi\""));
    QCOMPARE(records.at(2).at(10), QStringLiteral("'=1+1"));
    QCOMPARE(records.at(3).at(0), QString());
    QCOMPARE(records.at(3).at(1), QString());
    QCOMPARE(records.at(3).at(8), QStringLiteral("0.5"));
}

void TestHistoryCsv::replacedOnlyWhenComplete()
{
    m_table->open();
    const QString target = path("games.csv");
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();

    QCOMPARE(writeHistoryCsv(*m_table, target), QString());
    QFile written(target);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), historyCsv(*m_table));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), (QStringList{"games.csv", "games.mdb"}));

    // Into a folder that is not there: the reason, and nothing changed.
    const QString message = writeHistoryCsv(*m_table, path("missing/games.csv"));
    QVERIFY2(message.contains(QStringLiteral("could not be written")), qPrintable(message));
    QVERIFY(!QFile::exists(path("missing")));
}

QTEST_GUILESS_MAIN(TestHistoryCsv)
#include "tst_historycsv.moc"
