// SPDX-License-Identifier: GPL-3.0-or-later
// The texts behind the history views: the hole-card filter, the title-click and Sort dialog
// orders, and the View dialog's date filters, each also read back by a table on a real file.
#include "db/dbconnection.h"
#include "db/dbdates.h"
#include "db/dbtable.h"
#include "history/datefilter.h"
#include "history/historyfile.h"
#include "history/historysort.h"
#include "history/holecardfilter.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

Q_DECLARE_METATYPE(DateFilterChoice)

namespace {

QVariantList game(const QString &date, const QString &h1, const QString &h2,
                  const QString &hand = QString(), const QString &result = QStringLiteral("Win"))
{
    const QString none = QStringLiteral("--");
    return {date, h1, h2, none, none, none, none, none, 0, hand, result};
}

QStringList column(DbTable &table, const QString &field)
{
    QStringList texts;
    for (table.first(); !table.isEmpty() && !table.atEnd(); table.next())
        texts.append(table.text(field));
    return texts;
}

DateFilterChoice byDay(int month, int day, int year)
{
    DateFilterChoice choice;
    choice.kind = DateFilterChoice::Kind::Day;
    choice.day = {month, day, year};
    return choice;
}

DateFilterChoice byMonth(int month, int year)
{
    DateFilterChoice choice;
    choice.kind = DateFilterChoice::Kind::Month;
    choice.month = month;
    choice.monthYear = year;
    return choice;
}

DateFilterChoice byRange(DateFilterChoice::Day start, DateFilterChoice::Day end)
{
    DateFilterChoice choice;
    choice.kind = DateFilterChoice::Kind::Range;
    choice.start = start;
    choice.end = end;
    return choice;
}

} // namespace

class TestHistoryRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void holeCardFilterText_data();
    void holeCardFilterText();
    void holeCardFilterOnAFile_data();
    void holeCardFilterOnAFile();
    void holeCardFilterReadsOnlyTheIndex_data();
    void holeCardFilterReadsOnlyTheIndex();

    void titleClicksAlternate();
    void sortDialogItems_data();
    void sortDialogItems();
    void equalValuesKeepTheRecordingOrder();

    void dateFilters_data();
    void dateFilters();

private:
    std::optional<QTemporaryDir> m_dir;
    std::optional<DbConnection> m_connection;
    std::optional<DbTable> m_table;
    void openHistory(const QList<QVariantList> &rows);
};

void TestHistoryRules::init()
{
    QLocale::setDefault(QLocale::c());
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_connection.emplace();
}

void TestHistoryRules::cleanup()
{
    m_table.reset();
    m_connection.reset();
    m_dir.reset();
    QLocale::setDefault(QLocale::c());
}

void TestHistoryRules::openHistory(const QList<QVariantList> &rows)
{
    createHistoryFile(*m_connection, m_dir->filePath(QStringLiteral("h.mdb")));
    m_table.emplace(*m_connection, QStringLiteral("History"));
    m_table->open();
    for (const QVariantList &row : rows)
        m_table->appendRecord(row);
}

void TestHistoryRules::holeCardFilterText_data()
{
    QTest::addColumn<QChar>("p");
    QTest::addColumn<QChar>("q");
    QTest::addColumn<QString>("begins");
    QTest::addColumn<QString>("ends");
    QTest::newRow("A K") << QChar('A') << QChar('K')
                         << "(H1 = 'As' AND H2 = 'Kd') OR (H1 = 'As' AND H2 = 'Kc') OR "
                         << " OR (H2 = 'Ah' AND H1 = 'Kh')";
    QTest::newRow("Q Q") << QChar('Q') << QChar('Q')
                         << "(H1 = 'Qs' AND H2 = 'Qd') OR (H1 = 'Qs' AND H2 = 'Qc') OR "
                         << " OR (H2 = 'Qh' AND H1 = 'Qh')";
    QTest::newRow("A and an empty slot")
        << QChar('A') << QChar('-') << "(H1 = 'As' AND H2 = '-d') OR "
        << " OR (H2 = 'Ah' AND H1 = '-h')";
}

void TestHistoryRules::holeCardFilterText()
{
    QFETCH(QChar, p);
    QFETCH(QChar, q);
    QFETCH(QString, begins);
    QFETCH(QString, ends);
    const QString text = ::holeCardFilterText(p, q);
    QVERIFY2(text.startsWith(begins), qPrintable(text.left(120)));
    QVERIFY2(text.endsWith(ends), qPrintable(text.right(120)));

    // 32 terms; the first half H1 with P, the second H2 with P, in the suit order given.
    const QStringList terms = text.split(QStringLiteral(" OR "));
    QCOMPARE(terms.size(), 32);
    const QStringList pairs{"sd", "sc", "sh", "ss", "ds", "dc", "dh", "dd",
                            "cs", "cd", "ch", "cc", "hs", "hc", "hd", "hh"};
    for (int i = 0; i < 32; ++i) {
        const QString pair = pairs.at(i % 16);
        const QString expected = QStringLiteral("(%1 = '%2%3' AND %4 = '%5%6')")
                                     .arg(i < 16 ? "H1" : "H2")
                                     .arg(p)
                                     .arg(pair.at(0))
                                     .arg(i < 16 ? "H2" : "H1")
                                     .arg(q)
                                     .arg(pair.at(1));
        QCOMPARE(terms.at(i), expected);
    }
}

void TestHistoryRules::holeCardFilterOnAFile_data()
{
    QTest::addColumn<QChar>("p");
    QTest::addColumn<QChar>("q");
    QTest::addColumn<QStringList>("shown"); // H1 H2 of the games shown, newest first
    QTest::newRow("Ah Ks entered") << QChar('A') << QChar('K') << QStringList{"Ks Ah", "Ad Kc"};
    QTest::newRow("Kd Ac entered") << QChar('K') << QChar('A') << QStringList{"Ks Ah", "Ad Kc"};
    QTest::newRow("pocket aces") << QChar('A') << QChar('A') << QStringList{"Ac Ah", "As Ad"};
    QTest::newRow("only H1") << QChar('A') << QChar('-') << QStringList{};
    QTest::newRow("no cards") << QChar('-') << QChar('-') << QStringList{};
}

void TestHistoryRules::holeCardFilterOnAFile()
{
    QFETCH(QChar, p);
    QFETCH(QChar, q);
    QFETCH(QStringList, shown);
    openHistory({game("2026-03-01", "Ad", "Kc"), game("2026-03-02", "As", "Ad"),
                 game("2026-03-03", "Kd", "Qs"), game("2026-03-04", "Ks", "Ah"),
                 game("2026-03-05", "Ac", "Ah"), game("2026-03-06", "--", "--")});
    m_table->setSort(QString::fromLatin1(kNewestFirst));
    applyHoleCardFilter(*m_table, ::holeCardFilterText(p, q));
    QVERIFY(m_table->isFiltered());
    QStringList pairs;
    const QStringList h1 = column(*m_table, QStringLiteral("H1"));
    const QStringList h2 = column(*m_table, QStringLiteral("H2"));
    for (int i = 0; i < h1.size(); ++i)
        pairs << h1.at(i) + QLatin1Char(' ') + h2.at(i);
    QCOMPARE(pairs, shown);
}

void TestHistoryRules::holeCardFilterReadsOnlyTheIndex_data()
{
    QTest::addColumn<bool>("earlierIndex"); // the file has the index on the hole cards alone
    QTest::newRow("a file made now") << false;
    QTest::newRow("a file of an earlier version, imported into") << true;
}

// On a million games the Hand History's filter by date finds some ten thousand rows: reading
// them from the table instead of the index costs several times what a click may take.
void TestHistoryRules::holeCardFilterReadsOnlyTheIndex()
{
    QFETCH(bool, earlierIndex);
    openHistory({game("2026-03-01", "Ad", "Kc")});
    if (earlierIndex) {
        executeCommand(*m_connection, QStringLiteral("DROP INDEX HistoryHoleCardDates"));
        executeCommand(*m_connection,
                       QStringLiteral("CREATE INDEX HistoryHoleCards ON History (H1, H2)"));
        addHistoryIndexes(*m_connection);
    }
    m_table->setSort(QString::fromLatin1(kNewestFirst));
    applyHoleCardFilter(*m_table, ::holeCardFilterText('A', 'K'));
    const DbTable::RowIdQuery query = m_table->rowIdQuery();
    QSqlQuery plan(m_connection->database());
    QVERIFY(plan.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + query.sql));
    for (const QVariant &value : query.values)
        plan.addBindValue(value);
    QVERIFY2(plan.exec(), qPrintable(plan.lastError().text()));
    QStringList steps;
    while (plan.next())
        steps << plan.value(3).toString();
    const QString described = steps.join(QStringLiteral(" | "));
    QVERIFY2(described.contains(QLatin1String("SEARCH History USING COVERING INDEX "
                                              "HistoryHoleCardDates (H1=? AND H2=?)")),
             qPrintable(described));
    QVERIFY2(!described.contains(QLatin1String("SCAN History")), qPrintable(described));

    QSqlQuery indexes(m_connection->database());
    QVERIFY(indexes.exec(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = 'History' "
        "ORDER BY name")));
    QStringList names;
    while (indexes.next())
        names << indexes.value(0).toString();
    QCOMPARE(names, (QStringList{"HistoryDates", "HistoryHoleCardDates"}));
}

void TestHistoryRules::titleClicksAlternate()
{
    // From newest first: every click turns the direction, whichever title is clicked.
    QString sort = QString::fromLatin1(kNewestFirst);
    QStringList seen;
    for (const char *field : {"Hand", "DateP", "DateP", "Result", "H1"}) {
        sort = titleClickSort(sort, QString::fromLatin1(field));
        seen << sort;
    }
    QCOMPARE(seen, (QStringList{"Hand", "DateP DESC", "DateP", "Result DESC", "H1"}));
    // "DESC" anywhere counts, and only in capitals.
    QCOMPARE(titleClickSort(QStringLiteral("Hand DESC, DateP"), QStringLiteral("Rr")),
             QStringLiteral("Rr"));
    QCOMPARE(titleClickSort(QStringLiteral("Hand desc"), QStringLiteral("Rr")),
             QStringLiteral("Rr DESC"));
}

void TestHistoryRules::sortDialogItems_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QString>("sort"); // empty: no item
    QTest::newRow("Date, descending") << "Date" << true << "DateP DESC";
    QTest::newRow("Result, ascending") << "Result" << false << "Result";
    QTest::newRow("hand typed in small letters") << "hand" << false << "Hand";
    QTest::newRow("TN") << "TN" << true << "Tn DESC";
    QTest::newRow("DateP is no item") << "DateP" << false << "";
    QTest::newRow("Rtg is no item") << "Rtg" << false << "";
    QTest::newRow("empty") << "" << true << "";
}

void TestHistoryRules::sortDialogItems()
{
    QFETCH(QString, typed);
    QFETCH(bool, descending);
    QFETCH(QString, sort);
    QCOMPARE(sortForItem(typed, descending).value_or(QString()), sort);
}

void TestHistoryRules::equalValuesKeepTheRecordingOrder()
{
    openHistory(
        {game("2026-03-02", "2c", "2d", "", "Win"), game("2026-03-01", "3c", "3d", "", "Lose"),
         game("2026-03-02", "4c", "4d", "", "Fold"), game("2026-03-02", "5c", "5d", "", "Win")});
    m_table->setSort(QString::fromLatin1(kNewestFirst));
    QCOMPARE(column(*m_table, QStringLiteral("H1")), (QStringList{"5c", "4c", "2c", "3c"}));
    m_table->setSort(QStringLiteral("DateP"));
    QCOMPARE(column(*m_table, QStringLiteral("H1")), (QStringList{"3c", "2c", "4c", "5c"}));
    m_table->setSort(QStringLiteral("Result"));
    QCOMPARE(column(*m_table, QStringLiteral("H1")), (QStringList{"4c", "3c", "2c", "5c"}));
    m_table->setSort(QStringLiteral("Result DESC"));
    QCOMPARE(column(*m_table, QStringLiteral("H1")), (QStringList{"5c", "2c", "3c", "4c"}));
}

void TestHistoryRules::dateFilters_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<DateFilterChoice>("choice");
    QTest::addColumn<QDate>("first"); // the filter's first and last day; null for none
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QString>("error"); // words the message must hold; empty for none
    QTest::addColumn<QStringList>("shown");

    const QLocale c = QLocale::c();
    const QLocale german(QLocale::German, QLocale::Germany);
    const QDate today = QDate::currentDate();
    QTest::newRow("All games") << c << DateFilterChoice{} << QDate() << QDate() << ""
                               << QStringList{"2008-03-01", "2008-02-29",
                                              "2008-02-01", "2008-01-31",
                                              "2007-02-28", today.toString(Qt::ISODate)};
    DateFilterChoice todays;
    todays.kind = DateFilterChoice::Kind::Today;
    QTest::newRow("Today's games")
        << c << todays << today << today << "" << QStringList{today.toString(Qt::ISODate)};
    QTest::newRow("By day, 29 February 2008")
        << german << byDay(2, 29, 2008) << QDate(2008, 2, 29) << QDate(2008, 2, 29) << ""
        << QStringList{"2008-02-29"};
    QTest::newRow("By month, February 2008, a leap year")
        << c << byMonth(2, 2008) << QDate(2008, 2, 1) << QDate(2008, 2, 29) << ""
        << QStringList{"2008-02-29", "2008-02-01"};
    QTest::newRow("By month, February 2007")
        << german << byMonth(2, 2007) << QDate(2007, 2, 1) << QDate(2007, 2, 28) << ""
        << QStringList{"2007-02-28"};
    QTest::newRow("By month, December 2099") << c << byMonth(12, 2099) << QDate(2099, 12, 1)
                                             << QDate(2099, 12, 31) << "" << QStringList{};
    QTest::newRow("By date, 31 Jan to 1 Mar 2008")
        << german << byRange({1, 31, 2008}, {3, 1, 2008}) << QDate(2008, 1, 31) << QDate(2008, 3, 1)
        << "" << QStringList{"2008-03-01", "2008-02-29", "2008-02-01", "2008-01-31"};
    QTest::newRow("By date, start after end")
        << c << byRange({3, 1, 2008}, {2, 1, 2008}) << QDate(2008, 3, 1) << QDate(2008, 2, 1) << ""
        << QStringList{};
    QTest::newRow("By day, 31 April 2026") << c << byDay(4, 31, 2026) << QDate() << QDate()
                                           << "day 31|April 2026|30 days" << QStringList{};
    QTest::newRow("By day, 29 February 2007") << german << byDay(2, 29, 2007) << QDate() << QDate()
                                              << "day 29|Februar 2007|28 days" << QStringList{};
    QTest::newRow("By date, end 30 February 2008")
        << c << byRange({2, 1, 2008}, {2, 30, 2008}) << QDate() << QDate()
        << "End date:|day 30|February 2008|29 days" << QStringList{};
    QTest::newRow("By date, start 31 June 2010")
        << c << byRange({6, 31, 2010}, {2, 30, 2008}) << QDate() << QDate()
        << "Start date:|day 31|June 2010|30 days" << QStringList{};
}

void TestHistoryRules::dateFilters()
{
    QFETCH(QLocale, locale);
    QFETCH(DateFilterChoice, choice);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(QString, error);
    QFETCH(QStringList, shown);
    QLocale::setDefault(locale);

    const DateFilterText text = gameHistoryFilterText(choice, QDate::currentDate(), locale);
    if (!error.isEmpty()) {
        QVERIFY(text.filter.isEmpty());
        for (const QString &words : error.split(QLatin1Char('|')))
            QVERIFY2(text.error.contains(words), qPrintable(text.error));
        return;
    }
    QVERIFY2(text.error.isEmpty(), qPrintable(text.error));
    if (!first.isValid()) {
        QCOMPARE(text.filter, QString());
    } else if (first == last && choice.kind != DateFilterChoice::Kind::Range &&
               choice.kind != DateFilterChoice::Kind::Month) {
        QCOMPARE(text.filter, QStringLiteral("DateP = ") + shortDateText(first, locale));
    } else {
        QCOMPARE(text.filter, QStringLiteral("DateP >= %1 AND DateP <= %2")
                                  .arg(shortDateText(first, locale), shortDateText(last, locale)));
    }
    // Dates written as the user reads them, with no quotes or other marks.
    QVERIFY(!text.filter.contains(QLatin1Char('\'')) && !text.filter.contains(QLatin1Char('#')));

    // The table reads the text back in the same locale.
    const QDate today = QDate::currentDate();
    openHistory({game("2007-02-28", "2c", "2d"), game("2008-01-31", "3c", "3d"),
                 game("2008-02-01", "4c", "4d"), game("2008-02-29", "5c", "5d"),
                 game("2008-03-01", "6c", "6d"), game(today.toString(Qt::ISODate), "7c", "7d")});
    m_table->setSort(QStringLiteral("DateP DESC"));
    m_table->setFiltered(false);
    m_table->setFilter(text.filter);
    m_table->setFiltered(true);
    QStringList dates;
    for (m_table->first(); !m_table->isEmpty() && !m_table->atEnd(); m_table->next())
        dates << m_table->date("DateP").toString(Qt::ISODate);
    // Today's game sorts first or last, as today lies after or before the fixed dates.
    std::sort(dates.begin(), dates.end(), std::greater<>());
    std::sort(shown.begin(), shown.end(), std::greater<>());
    QCOMPARE(dates, shown);
}

QTEST_GUILESS_MAIN(TestHistoryRules)
#include "tst_historyrules.moc"
