// SPDX-License-Identifier: GPL-3.0-or-later
// System files: the vocabulary, the exact content of a new system, and files that are no
// system.
#include "systemfixture.h"

#include "db/dberror.h"
#include "db/dbfiles.h"
#include "engine/cards.h"
#include "systems/systemvocabulary.h"

#include <QFile>
#include <QTest>

using namespace tallowby;

namespace {

// The hand names in the order a new system lists them, made the long way round: for each
// first rank and second rank, skip the pair of ranks already listed the other way round.
QStringList handNamesByPrefixSearch()
{
    const QString ranks = QStringLiteral("AKQJT98765432");
    QStringList names;
    for (const QChar r1 : ranks) {
        for (const QChar r2 : ranks) {
            const QString reversed = QString(r2) + r1;
            bool listed = false;
            for (const QString &name : names)
                listed = listed || name.startsWith(reversed);
            if (listed)
                continue;
            const QString letters = QString(r1) + r2;
            if (r1 == r2) {
                names.append(letters);
            } else {
                names.append(letters + QStringLiteral(" suited"));
                names.append(letters + QStringLiteral(" offsuit"));
            }
        }
    }
    return names;
}

QStringList columnNames(const DbTable &table)
{
    QStringList names;
    for (const DbColumn &column : table.columns())
        names.append(column.name + QLatin1Char(':') + QString::number(column.maxLength));
    return names;
}

TCard slotCard(const char *code)
{
    return makeCard(cardIndexFromCode(code));
}

} // namespace

class TestSystemDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startingHandNamesInOrder()
    {
        const QStringList &names = startingHandNames();
        QCOMPARE(names, handNamesByPrefixSearch());
        QCOMPARE(names.size(), 169);
        QCOMPARE(names.at(0), QStringLiteral("AA"));
        QCOMPARE(names.at(1), QStringLiteral("AK suited"));
        QCOMPARE(names.at(2), QStringLiteral("AK offsuit"));
        QCOMPARE(names.at(24), QStringLiteral("A2 offsuit"));
        QCOMPARE(names.at(25), QStringLiteral("KK"));
        QCOMPARE(names.at(26), QStringLiteral("KQ suited"));
        QCOMPARE(names.at(166), QStringLiteral("32 suited"));
        QCOMPARE(names.at(167), QStringLiteral("32 offsuit"));
        QCOMPARE(names.at(168), QStringLiteral("22"));
        int longest = 0;
        for (const QString &name : names)
            longest = std::max(longest, int(name.size()));
        QCOMPARE(longest, 10);
    }

    void handNameOfTwoCards_data()
    {
        QTest::addColumn<QString>("h1");
        QTest::addColumn<QString>("h2");
        QTest::addColumn<QString>("name");
        QTest::newRow("Kh Ac") << "Kh"
                               << "Ac"
                               << "AK offsuit";
        QTest::newRow("Ac Kh") << "Ac"
                               << "Kh"
                               << "AK offsuit";
        QTest::newRow("As Ks") << "As"
                               << "Ks"
                               << "AK suited";
        QTest::newRow("Ks As") << "Ks"
                               << "As"
                               << "AK suited";
        QTest::newRow("7s 7d") << "7s"
                               << "7d"
                               << "77";
        QTest::newRow("2c 2h") << "2c"
                               << "2h"
                               << "22";
        QTest::newRow("2c 3c") << "2c"
                               << "3c"
                               << "32 suited";
        QTest::newRow("9d Th") << "9d"
                               << "Th"
                               << "T9 offsuit";
        QTest::newRow("Qd 2h") << "Qd"
                               << "2h"
                               << "Q2 offsuit";
    }
    void handNameOfTwoCards()
    {
        QFETCH(QString, h1);
        QFETCH(QString, h2);
        QFETCH(QString, name);
        const QString found = startingHandName(slotCard(qPrintable(h1)), slotCard(qPrintable(h2)));
        QCOMPARE(found, name);
        QVERIFY(startingHandNames().contains(found));
    }

    void preFlopColumnOfOpponents_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("column");
        QTest::newRow("typed text (-1)") << -1 << "";
        QTest::newRow("Check (0)") << 0 << "";
        QTest::newRow("Call (1)") << 1 << "OppCl";
        QTest::newRow("Raise 100% (2)") << 2 << "OppR1";
        QTest::newRow("Raise 200% (3)") << 3 << "OppR2";
        QTest::newRow("Raise 400% (4)") << 4 << "OppR4";
        QTest::newRow("Raise 800% (5)") << 5 << "OppR8";
        QTest::newRow("Raise All-In (6)") << 6 << "OppAI";
        QTest::newRow("past the list (7)") << 7 << "";
    }
    void preFlopColumnOfOpponents()
    {
        QFETCH(int, index);
        QFETCH(QString, column);
        QCOMPARE(preFlopColumnFor(index), column);
    }

    // The schema and every row of a new system, read back through a connection of its own.
    void newSystemContent()
    {
        QString path;
        TemporarySystem made;
        path = made.path;
        made.connection.close();

        DbConnection connection;
        connection.setConnectionString(DbConnection::connectionStringFor(path));
        DbTable handSet(connection, QStringLiteral("PreFlop"));
        DbTable typeSet(connection, QStringLiteral("FTR"));
        OpenSystemTables(connection, handSet, typeSet);
        QVERIFY(connection.isConnected());

        QCOMPARE(columnNames(handSet), QStringList({"Hand:11", "OppCl:12", "OppR1:12", "OppR2:12",
                                                    "OppR4:12", "OppR8:12", "OppAI:12"}));
        QCOMPARE(columnNames(typeSet),
                 QStringList({"HType:14", "Rnd:5", "Opps:12", "HitE:12", "HitL:12", "HitS:12",
                              "HitV:0", "HgrL:12", "HgrS:12", "HgrV:0"}));

        const QStringList hands = handNamesByPrefixSearch();
        QCOMPARE(handSet.rowCount(), 169);
        for (int row = 0; row < handSet.rowCount(); ++row) {
            handSet.moveTo(row);
            QCOMPARE(handSet.text("Hand"), hands.at(row));
            for (const char *column : {"OppCl", "OppR1", "OppR2", "OppR4", "OppR8", "OppAI"})
                QCOMPARE(handSet.text(column), QStringLiteral("Check/Fold"));
        }

        const QStringList types = {"2 Kind", "2 Pair",     "3 Kind", "Straight",
                                   "Flush",  "Full House", "4 Kind", "Straight Flush"};
        const QStringList opponents = {"Check",      "Call",       "Raise 100%",  "Raise 200%",
                                       "Raise 400%", "Raise 800%", "Raise All-In"};
        const QStringList rounds = {"Flop", "Turn", "River"};
        QCOMPARE(typeSet.rowCount(), 168);
        int row = 0;
        for (const QString &type : types) {
            for (const QString &opps : opponents) {
                for (const QString &round : rounds) {
                    typeSet.moveTo(row++);
                    QCOMPARE(typeSet.text("HType"), type);
                    QCOMPARE(typeSet.text("Rnd"), round);
                    QCOMPARE(typeSet.text("Opps"), opps);
                    QCOMPARE(typeSet.text("HitE"), QStringLiteral("Check/Call"));
                    QCOMPARE(typeSet.text("HitL"), QStringLiteral("Check/Call"));
                    QCOMPARE(typeSet.text("HitS"), QStringLiteral("Check/Fold"));
                    QCOMPARE(typeSet.value("HitV").toDouble(), 50.0);
                    QCOMPARE(typeSet.text("HgrL"), QStringLiteral("Check/Fold"));
                    QCOMPARE(typeSet.text("HgrS"), QStringLiteral("Check/Call"));
                    QCOMPARE(typeSet.value("HgrV").toDouble(), 50.0);
                }
            }
        }
    }

    // After a new system is made its tables stand on their first rows, as after loading.
    void newSystemStandsOnFirstRows()
    {
        TemporarySystem made;
        QCOMPARE(made.handSet.currentRow(), 0);
        QCOMPARE(made.typeSet.currentRow(), 0);
        QCOMPARE(made.handSet.text("Hand"), QStringLiteral("AA"));
    }

    void createRefusesExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("taken.mdb"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("keep me");
        }
        DbConnection connection;
        QVERIFY_THROWS_EXCEPTION(DatabaseError, CreateSystemFile(connection, path));
        QVERIFY(!connection.isConnected());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("keep me"));
    }

    // A file that is no system is refused, and the connection is left closed even when the
    // first table opened it.
    void filesThatAreNoSystem_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<bool>("database");
        QTest::newRow("text file") << QStringList() << false;
        QTest::newRow("database without tables") << QStringList() << true;
        QTest::newRow("history database")
            << QStringList{"CREATE TABLE History (DateP DATE, H1 TEXT(2), Result TEXT(5))"} << true;
        QTest::newRow("PreFlop without FTR")
            << QStringList{"CREATE TABLE PreFlop (Hand TEXT(11), OppCl TEXT(12))"} << true;
    }
    void filesThatAreNoSystem()
    {
        QFETCH(QStringList, statements);
        QFETCH(bool, database);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("other.mdb"));
        if (database) {
            createDatabaseFile(path);
            DbConnection maker;
            maker.setConnectionString(DbConnection::connectionStringFor(path));
            for (const QString &sql : statements)
                executeCommand(maker, sql);
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(200, 'x'));
        }

        DbConnection connection;
        connection.setConnectionString(DbConnection::connectionStringFor(path));
        DbTable handSet(connection, QStringLiteral("PreFlop"));
        DbTable typeSet(connection, QStringLiteral("FTR"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, OpenSystemTables(connection, handSet, typeSet));
        QVERIFY(!connection.isConnected());
        QVERIFY(!handSet.isOpen());
        QVERIFY(!typeSet.isOpen());
        QVERIFY(!DbConnection::isFileOpen(path));
    }
};

QTEST_GUILESS_MAIN(TestSystemDatabase)
#include "tst_systemdatabase.moc"
