// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of the database layer that need no file: filter and sort texts, date formats,
// value conversions and the connection string's path.
#include "db/dbconnection.h"
#include "db/dbdates.h"
#include "db/dberror.h"
#include "db/dbfilter.h"
#include "db/dbvalue.h"
#include "failureof.h"

#include <QTest>

namespace {

const QList<DbColumn> historyColumns = {
    columnFromDeclaration(QStringLiteral("DateP"), QStringLiteral("DATE")),
    columnFromDeclaration(QStringLiteral("H1"), QStringLiteral("TEXT(2)")),
    columnFromDeclaration(QStringLiteral("H2"), QStringLiteral("TEXT(2)")),
    columnFromDeclaration(QStringLiteral("Rtg"), QStringLiteral("NUMBER")),
    columnFromDeclaration(QStringLiteral("Hand"), QStringLiteral("TEXT(30)")),
};

} // namespace

class TestDbFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void widensTheYear_data();
    void widensTheYear();
    void shortDatesRoundTrip_data();
    void shortDatesRoundTrip();
    void storedDates_data();
    void storedDates();

    void badFiltersAreRefused_data();
    void badFiltersAreRefused();
    void hugeFiltersAreReadOrRefused_data();
    void hugeFiltersAreReadOrRefused();
    void valuesAreBoundNotPasted();
    void datesInFiltersFollowTheLocale();

    void sortTexts_data();
    void sortTexts();

    void integersRoundHalfToEven_data();
    void integersRoundHalfToEven();
    void storingChecksTheColumn_data();
    void storingChecksTheColumn();
    void columnKinds_data();
    void columnKinds();

    void pathOfConnectionString_data();
    void pathOfConnectionString();
};

void TestDbFilter::widensTheYear_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("format");
    QTest::newRow("en_US M/d/yy") << "en_US"
                                  << "M/d/yyyy";
    QTest::newRow("de_DE dd.MM.yy") << "de_DE"
                                    << "dd.MM.yyyy";
    QTest::newRow("ko_KR yy. M. d.") << "ko_KR"
                                     << "yyyy. M. d.";
    QTest::newRow("bg_BG quoted year letter kept") << "bg_BG"
                                                   << "d.MM.yyyy 'г'.";
    QTest::newRow("fr_FR already four digits") << "fr_FR"
                                               << "dd/MM/yyyy";
    QTest::newRow("C") << "C"
                       << "d MMM yyyy";
}

void TestDbFilter::widensTheYear()
{
    QFETCH(QString, locale);
    QFETCH(QString, format);
    QCOMPARE(shortDateFormat(QLocale(locale)), format);
}

void TestDbFilter::shortDatesRoundTrip_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDate>("date");
    for (const char *name : {"C", "en_US", "de_DE", "hu_HU", "ko_KR", "bg_BG", "ar_EG"}) {
        for (const QDate date : {QDate(1999, 1, 1), QDate(2008, 2, 29), QDate(2030, 12, 31)}) {
            const QByteArray row = QByteArray(name) + ' ' + date.toString(Qt::ISODate).toLatin1();
            QTest::newRow(row.constData()) << QString::fromLatin1(name) << date;
        }
    }
}

void TestDbFilter::shortDatesRoundTrip()
{
    QFETCH(QString, locale);
    QFETCH(QDate, date);
    const QLocale l(locale);
    QCOMPARE(parseShortDate(shortDateText(date, l), l), date);
}

void TestDbFilter::storedDates_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QDate>("date"); // invalid: not a stored date
    QTest::addColumn<QTime>("time");
    const QDate day(2026, 3, 1);
    QTest::newRow("2026-03-01") << "2026-03-01" << day << QTime();
    QTest::newRow("2026-03-01 14:30:00") << "2026-03-01 14:30:00" << day << QTime(14, 30);
    QTest::newRow("2026-03-01T14:30") << "2026-03-01T14:30" << day << QTime(14, 30);
    QTest::newRow("2026-03-01 14:30:05.25")
        << "2026-03-01 14:30:05.25" << day << QTime(14, 30, 5, 250);
    QTest::newRow("2026-03-01 00:00:00 is a plain date") << "2026-03-01 00:00:00" << day << QTime();
    QTest::newRow("2026-02-30") << "2026-02-30" << QDate() << QTime();
    QTest::newRow("2026-03-01 25:00") << "2026-03-01 25:00" << QDate() << QTime();
    QTest::newRow("2026-03-01 14:30Z") << "2026-03-01 14:30Z" << QDate() << QTime();
    QTest::newRow("01.03.2026") << "01.03.2026" << QDate() << QTime();
    QTest::newRow("2026-3-1") << "2026-3-1" << QDate() << QTime();
}

void TestDbFilter::storedDates()
{
    QFETCH(QString, stored);
    QFETCH(QDate, date);
    QFETCH(QTime, time);
    const std::optional<StoredDate> read = parseStoredDate(stored);
    QCOMPARE(read.has_value(), date.isValid());
    if (read) {
        QCOMPARE(read->date, date);
        QCOMPARE(read->time, time);
    }
}

void TestDbFilter::badFiltersAreRefused_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("reason");
    QTest::newRow("H1 = 'As") << "H1 = 'As"
                              << "closing quote";
    QTest::newRow("(H1 = 'As'") << "(H1 = 'As'"
                                << "closing parenthesis";
    QTest::newRow("H1 = 'As')") << "H1 = 'As')"
                                << "not expected";
    QTest::newRow("Foo = 'x'") << "Foo = 'x'"
                               << "no field “Foo”";
    QTest::newRow("H1 'As'") << "H1 'As'"
                             << "comparison";
    QTest::newRow("H1 = As") << "H1 = As"
                             << "single quotes";
    QTest::newRow("H1 = 'As' AND") << "H1 = 'As' AND"
                                   << "field name";
    QTest::newRow("H1 = 'As' OR OR H2 = 'Kd'") << "H1 = 'As' OR OR H2 = 'Kd'"
                                               << "field name";
    QTest::newRow("DateP = 31.02.2026") << "DateP = 31.02.2026"
                                        << "not a date";
    QTest::newRow("DateP >= 01.03.26") << "DateP >= 01.03.26"
                                       << "not a date";
    QTest::newRow("DateP = ") << "DateP = "
                              << "value was expected";
    QTest::newRow("Rtg = abc") << "Rtg = abc"
                               << "not a number";
    QTest::newRow("H1 LIKE 'A%'") << "H1 LIKE 'A%'"
                                  << "comparison";
}

void TestDbFilter::badFiltersAreRefused()
{
    QFETCH(QString, filter);
    QFETCH(QString, reason);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString message = failureOf([&] { parseFilter(filter, historyColumns); });
    QVERIFY2(message.contains(filter.trimmed()), qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
}

// Texts far larger than a person types: deep nesting is refused with a message, long runs of
// blanks are read; neither may exhaust the stack.
void TestDbFilter::hugeFiltersAreReadOrRefused_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("reason"); // empty: the filter is read
    QTest::addColumn<int>("values");
    const auto nested = [](int depth) {
        return QString(depth, QLatin1Char('(')) + QStringLiteral("Rtg = 5") +
               QString(depth, QLatin1Char(')'));
    };
    const QString blanks(200000, QLatin1Char(' '));
    QTest::newRow("100 nested parentheses") << nested(100) << QString() << 1;
    QTest::newRow("101 nested parentheses") << nested(101) << "nested more than 100" << 0;
    QTest::newRow("10000 nested parentheses") << nested(10000) << "nested more than 100" << 0;
    QTest::newRow("10000 open parentheses")
        << QString(10000, QLatin1Char('(')) << "nested more than 100" << 0;
    QTest::newRow("200000 blanks after a number")
        << QStringLiteral("Rtg = 5") + blanks + QStringLiteral("AND Rtg = 6") << QString() << 2;
    QTest::newRow("200000 blanks inside a number")
        << QStringLiteral("Rtg = 5") + blanks + QStringLiteral("6") << "not a number" << 0;
    QTest::newRow("200000 blanks before OR")
        << QStringLiteral("(Rtg = 5") + blanks + QStringLiteral(")") + blanks +
               QStringLiteral("OR Rtg = 6")
        << QString() << 2;
    QString manyTerms = QStringLiteral("Rtg = 1");
    for (int i = 0; i < 20000; ++i)
        manyTerms += QStringLiteral(" OR Rtg = 2 AND H1 = 'As'");
    QTest::newRow("20000 terms") << manyTerms << QString() << 40001;
}

void TestDbFilter::hugeFiltersAreReadOrRefused()
{
    QFETCH(QString, filter);
    QFETCH(QString, reason);
    QFETCH(int, values);
    if (reason.isEmpty()) {
        QCOMPARE(parseFilter(filter, historyColumns).values.size(), values);
        return;
    }
    const QString message = failureOf([&] { parseFilter(filter, historyColumns); });
    QVERIFY2(message.contains(reason), qPrintable(message.left(400)));
    QVERIFY2(message.size() < 600, "the message shows the filter's beginning only");
}

void TestDbFilter::valuesAreBoundNotPasted()
{
    const QString hostile = QStringLiteral("x'); DROP TABLE History; --");
    QString quoted = hostile;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    const DbWhereClause where =
        parseFilter(QStringLiteral("Hand = '%1' OR h1 = 'As'").arg(quoted), historyColumns);
    QVERIFY(!where.sql.contains(QLatin1String("DROP")));
    QVERIFY(where.sql.contains(QLatin1String("\"H1\""))); // the column's own spelling
    QCOMPARE(where.values, QVariantList({hostile, QStringLiteral("As")}));
}

void TestDbFilter::datesInFiltersFollowTheLocale()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QString filter =
        QStringLiteral("DateP >= %1 AND DateP <= '%2'")
            .arg(shortDateText(QDate(2008, 2, 1)), shortDateText(QDate(2008, 2, 29)));
    QCOMPARE(filter, QStringLiteral("DateP >= 2/1/2008 AND DateP <= '2/29/2008'"));
    const DbWhereClause where = parseFilter(filter, historyColumns);
    QCOMPARE(where.values,
             QVariantList({QStringLiteral("2008-02-01"), QStringLiteral("2008-02-29")}));
}

void TestDbFilter::sortTexts_data()
{
    QTest::addColumn<QString>("sort");
    QTest::addColumn<QString>("orderBy");
    QTest::newRow("DateP DESC") << "DateP DESC"
                                << "\"DateP\" DESC, rowid DESC";
    QTest::newRow("Hand") << "Hand"
                          << "\"Hand\", rowid";
    QTest::newRow("hand asc") << "hand asc"
                              << "\"Hand\", rowid";
    QTest::newRow("H1 DESC, H2") << "H1 DESC, H2"
                                 << "\"H1\" DESC, \"H2\", rowid DESC";
    QTest::newRow("empty") << ""
                           << "rowid";
    QTest::newRow("Foo") << "Foo"
                         << "";
    QTest::newRow("DateP DOWN") << "DateP DOWN"
                                << "";
    QTest::newRow("DateP;DROP") << "DateP;DROP"
                                << "";
}

void TestDbFilter::sortTexts()
{
    QFETCH(QString, sort);
    QFETCH(QString, orderBy);
    if (orderBy.isEmpty()) {
        const QString message = failureOf([&] { orderByClause(sort, historyColumns); });
        QVERIFY2(message.contains(sort), qPrintable(message));
    } else {
        QCOMPARE(orderByClause(sort, historyColumns), orderBy);
    }
}

void TestDbFilter::integersRoundHalfToEven_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("2.5") << QVariant(2.5) << qint64(2);
    QTest::newRow("3.5") << QVariant(3.5) << qint64(4);
    QTest::newRow("0.5") << QVariant(0.5) << qint64(0);
    QTest::newRow("-2.5") << QVariant(-2.5) << qint64(-2);
    QTest::newRow("49.51") << QVariant(49.51) << qint64(50);
    QTest::newRow("49.49") << QVariant(49.49) << qint64(49);
    QTest::newRow("text 2.5") << QVariant(QStringLiteral("2.5")) << qint64(2);
    QTest::newRow("9297373") << QVariant(qint64(9297373)) << qint64(9297373);
    QTest::newRow("null") << QVariant() << qint64(0);
}

void TestDbFilter::integersRoundHalfToEven()
{
    QFETCH(QVariant, stored);
    QFETCH(qint64, expected);
    QCOMPARE(valueInteger(stored, QStringLiteral("HitV")), expected);
}

void TestDbFilter::storingChecksTheColumn_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("stored"); // invalid: refused
    QTest::newRow("date 2026-03-01") << 0 << QVariant(QDate(2026, 3, 1)) << QVariant("2026-03-01");
    QTest::newRow("date with time") << 0 << QVariant(QDateTime(QDate(2026, 3, 1), QTime(9, 5)))
                                    << QVariant("2026-03-01 09:05:00");
    QTest::newRow("date text 1 Mar 2026") << 0 << QVariant("1 Mar 2026") << QVariant("2026-03-01");
    QTest::newRow("date text nonsense") << 0 << QVariant("soon") << QVariant();
    QTest::newRow("text As") << 1 << QVariant("As") << QVariant("As");
    QTest::newRow("text Ace too long") << 1 << QVariant("Ace") << QVariant();
    QTest::newRow("number 50") << 3 << QVariant(50) << QVariant(qint64(50));
    QTest::newRow("number text 2.5") << 3 << QVariant("2.5") << QVariant(2.5);
    QTest::newRow("number text x") << 3 << QVariant("x") << QVariant();
}

void TestDbFilter::storingChecksTheColumn()
{
    QFETCH(int, column);
    QFETCH(QVariant, value);
    QFETCH(QVariant, stored);
    if (stored.isValid()) {
        QCOMPARE(storageValue(historyColumns.at(column), value), stored);
    } else {
        const QString message = failureOf([&] { storageValue(historyColumns.at(column), value); });
        QVERIFY2(message.contains(historyColumns.at(column).name), qPrintable(message));
    }
}

void TestDbFilter::columnKinds_data()
{
    QTest::addColumn<QString>("declared");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("maxLength");
    QTest::newRow("DATE") << "DATE" << int(DbColumnKind::Date) << 0;
    QTest::newRow("DATETIME") << "DATETIME" << int(DbColumnKind::Date) << 0;
    QTest::newRow("TEXT(12)") << "TEXT(12)" << int(DbColumnKind::Text) << 12;
    QTest::newRow("NUMBER") << "NUMBER" << int(DbColumnKind::Number) << 0;
    QTest::newRow("INTEGER") << "INTEGER" << int(DbColumnKind::Number) << 0;
    QTest::newRow("empty") << "" << int(DbColumnKind::Text) << 0;
}

void TestDbFilter::columnKinds()
{
    QFETCH(QString, declared);
    QFETCH(int, kind);
    QFETCH(int, maxLength);
    const DbColumn column = columnFromDeclaration(QStringLiteral("X"), declared);
    QCOMPARE(int(column.kind), kind);
    QCOMPARE(column.maxLength, maxLength);
}

void TestDbFilter::pathOfConnectionString_data()
{
    QTest::addColumn<QString>("connectionString");
    QTest::addColumn<QString>("path");
    QTest::newRow("plain") << "Provider=Tallowby.SQLite;Data "
                              "Source=/home/ann/Data/games.mdb;Persist Security Info=False"
                           << "/home/ann/Data/games.mdb";
    QTest::newRow("no Data Source") << "Provider=Tallowby.SQLite"
                                    << "";
    QTest::newRow("Data Source at the end") << "Data Source=/x.mdb"
                                            << "/x.mdb";
    QTest::newRow("any character after Data Source") << "Data Source:/x.mdb;"
                                                     << "/x.mdb";
}

void TestDbFilter::pathOfConnectionString()
{
    QFETCH(QString, connectionString);
    QFETCH(QString, path);
    QCOMPARE(DbConnection::pathFromConnectionString(connectionString), path);
    // Whatever the path holds, the string the program writes reads back whole.
    for (const QString &odd : {path, QStringLiteral("/tmp/a;b.mdb"), QStringLiteral("\"q\";.mdb")})
        QCOMPARE(DbConnection::pathFromConnectionString(DbConnection::connectionStringFor(odd)),
                 odd);
}

QTEST_GUILESS_MAIN(TestDbFilter)
#include "tst_dbfilter.moc"
