// SPDX-License-Identifier: GPL-3.0-or-later
// The starter system as the build writes it: loaded the way Load System loads a file, every
// row is checked against the rule the help page states, with the bars written out here again.
#include "db/dbconnection.h"
#include "db/dbtable.h"
#include "engine/preflopequity.h"
#include "systems/startersystem.h"
#include "systems/systemdatabase.h"
#include "systems/systemvocabulary.h"

#include <QFile>
#include <QSet>
#include <QTest>

#include <memory>

namespace {

const QString fold = QStringLiteral("Check/Fold");
const QString call = QStringLiteral("Check/Call");
const QString raise = QStringLiteral("Raise 100%");

const QStringList preflopColumns = {QStringLiteral("OppCl"), QStringLiteral("OppR1"),
                                    QStringLiteral("OppR2"), QStringLiteral("OppR4"),
                                    QStringLiteral("OppR8"), QStringLiteral("OppAI")};

// "AK suited" → "AKs" as the equity table names it.
std::string tableName(const QString &hand)
{
    if (hand.size() == 2)
        return hand.toStdString();
    return (hand.left(2) + (hand.endsWith(QStringLiteral("suited")) ? 's' : 'o')).toStdString();
}

} // namespace

class TestStarterSystem : public QObject
{
    Q_OBJECT

private:
    DbConnection connection_;
    std::unique_ptr<DbTable> handSet_;
    std::unique_ptr<DbTable> typeSet_;
    std::optional<tallowby::PreflopEquityTable> equities_;

    double equityOf(const QString &hand) const
    {
        const int handClass = tallowby::startingHandClassFromName(tableName(hand));
        return equities_->entry(handClass, 1).equity * 100;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(QStringLiteral(TALLOWBY_STARTER_SYSTEM_PATH)),
                 "the build writes Starter.mdb beside the program");
        std::string error;
        equities_ = tallowby::PreflopEquityTable::load(TALLOWBY_PREFLOP_EQUITY_PATH, error);
        QVERIFY2(equities_, error.c_str());
        connection_.setRequiredTables(
            {QString::fromLatin1(kHandSetTable), QString::fromLatin1(kTypeSetTable)});
        connection_.setConnectionString(
            DbConnection::connectionStringFor(QStringLiteral(TALLOWBY_STARTER_SYSTEM_PATH)));
        handSet_ = std::make_unique<DbTable>(connection_, QString::fromLatin1(kHandSetTable));
        typeSet_ = std::make_unique<DbTable>(connection_, QString::fromLatin1(kTypeSetTable));
        OpenSystemTables(connection_, *handSet_, *typeSet_);
    }

    void cleanupTestCase() { connection_.close(); }

    void rowsComeInTheOrderOfANewSystem()
    {
        QStringList hands;
        for (handSet_->first(); !handSet_->atEnd(); handSet_->next())
            hands.append(handSet_->text(QStringLiteral("Hand")));
        QCOMPARE(hands, startingHandNames());

        QStringList keys;
        for (typeSet_->first(); !typeSet_->atEnd(); typeSet_->next()) {
            keys.append(typeSet_->text(QStringLiteral("HType")) + '/' +
                        typeSet_->text(QStringLiteral("Opps")) + '/' +
                        typeSet_->text(QStringLiteral("Rnd")));
        }
        QStringList expected;
        for (const QString &type : systemHandTypes()) {
            for (const QString &opponents : opponentsActions()) {
                for (const QString &round : systemRounds())
                    expected.append(type + '/' + opponents + '/' + round);
            }
        }
        QCOMPARE(keys, expected);
    }

    // The bars of the help page, in percent of heads-up equity.
    void preflopFollowsEquity_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<double>("raiseFrom");
        QTest::addColumn<double>("callFrom");
        QTest::newRow("Call") << 0 << 62.0 << 54.0;
        QTest::newRow("Raise 100%") << 1 << 64.0 << 57.0;
        QTest::newRow("Raise 200%") << 2 << 66.0 << 60.0;
        QTest::newRow("Raise 400%") << 3 << 70.0 << 63.0;
        QTest::newRow("Raise 800%") << 4 << 75.0 << 66.0;
        QTest::newRow("Raise All-In") << 5 << 1000.0 << 70.0;
    }

    void preflopFollowsEquity()
    {
        QFETCH(int, column);
        QFETCH(double, raiseFrom);
        QFETCH(double, callFrom);
        for (handSet_->first(); !handSet_->atEnd(); handSet_->next()) {
            const QString hand = handSet_->text(QStringLiteral("Hand"));
            const double equity = equityOf(hand);
            const QString expected = equity >= raiseFrom ? raise : equity >= callFrom ? call : fold;
            QVERIFY2(handSet_->text(preflopColumns.at(column)) == expected,
                     qPrintable(QStringLiteral("%1 (%2%) advises %3, the rule %4")
                                    .arg(hand)
                                    .arg(equity)
                                    .arg(handSet_->text(preflopColumns.at(column)), expected)));
        }
    }

    // Whatever the bars, a stronger opponents' action never gets bolder advice, and a hand
    // with more equity never gets more timid advice than one with less.
    void preflopGetsStricterAndFollowsStrength()
    {
        struct Row
        {
            QString hand;
            double equity;
            QList<int> actions;
        };
        QList<Row> rows;
        for (handSet_->first(); !handSet_->atEnd(); handSet_->next()) {
            Row row{handSet_->text(QStringLiteral("Hand")), 0, {}};
            row.equity = equityOf(row.hand);
            for (const QString &column : preflopColumns) {
                const int action = playerActions().indexOf(handSet_->text(column));
                QVERIFY2(action >= 0, qPrintable(row.hand + ' ' + column));
                QVERIFY2(row.actions.isEmpty() || action <= row.actions.last(),
                         qPrintable(row.hand + QStringLiteral(" bolder at ") + column));
                row.actions.append(action);
            }
            rows.append(row);
        }
        for (const Row &stronger : rows) {
            for (const Row &weaker : rows) {
                if (stronger.equity <= weaker.equity)
                    continue;
                for (int column = 0; column < preflopColumns.size(); ++column) {
                    QVERIFY2(stronger.actions.at(column) >= weaker.actions.at(column),
                             qPrintable(stronger.hand + QStringLiteral(" below ") + weaker.hand));
                }
            }
        }
        // The ends of the range: aces call an all-in, seven-deuce folds to a call.
        QCOMPARE(rows.first().hand, QStringLiteral("AA"));
        QCOMPARE(rows.first().actions, (QList<int>{2, 2, 2, 2, 2, 1}));
        const auto sevenDeuce = std::find_if(rows.cbegin(), rows.cend(), [](const Row &row) {
            return row.hand == QStringLiteral("72 offsuit");
        });
        QCOMPARE(sevenDeuce->actions, (QList<int>{0, 0, 0, 0, 0, 0}));
    }

    // Per opponents' action: the pot odds a draw needs, the chance of a higher hand that folds,
    // and the weakest made hand that raises (none against an all-in).
    void postflopRows_data()
    {
        QTest::addColumn<QString>("opponents");
        QTest::addColumn<int>("hitThreshold");
        QTest::addColumn<int>("higherThreshold");
        QTest::addColumn<QString>("weakestRaise");
        QTest::newRow("Check") << "Check" << 20 << 70 << "2 Pair";
        QTest::newRow("Call") << "Call" << 25 << 60 << "2 Pair";
        QTest::newRow("Raise 100%") << "Raise 100%" << 33 << 50 << "3 Kind";
        QTest::newRow("Raise 200%") << "Raise 200%" << 40 << 45 << "3 Kind";
        QTest::newRow("Raise 400%") << "Raise 400%" << 44 << 40 << "3 Kind";
        QTest::newRow("Raise 800%") << "Raise 800%" << 47 << 35 << "3 Kind";
        QTest::newRow("Raise All-In") << "Raise All-In" << 50 << 30 << "";
    }

    void postflopRows()
    {
        QFETCH(QString, opponents);
        QFETCH(int, hitThreshold);
        QFETCH(int, higherThreshold);
        QFETCH(QString, weakestRaise);
        const QStringList &types = systemHandTypes();
        const int raisesFrom =
            weakestRaise.isEmpty() ? int(types.size()) : types.indexOf(weakestRaise);
        int seen = 0;
        for (typeSet_->first(); !typeSet_->atEnd(); typeSet_->next()) {
            if (typeSet_->text(QStringLiteral("Opps")) != opponents)
                continue;
            ++seen;
            const QString type = typeSet_->text(QStringLiteral("HType"));
            const QString where = type + ' ' + typeSet_->text(QStringLiteral("Rnd"));
            QCOMPARE(typeSet_->text(QStringLiteral("HitE")),
                     types.indexOf(type) >= raisesFrom ? raise : call);
            QVERIFY2(typeSet_->text(QStringLiteral("HitL")) == call, qPrintable(where));
            QVERIFY2(typeSet_->text(QStringLiteral("HitS")) == fold, qPrintable(where));
            QVERIFY2(typeSet_->text(QStringLiteral("HgrL")) == fold, qPrintable(where));
            QVERIFY2(typeSet_->text(QStringLiteral("HgrS")) == call, qPrintable(where));
            QCOMPARE(typeSet_->value(QStringLiteral("HitV")).toInt(), hitThreshold);
            QCOMPARE(typeSet_->value(QStringLiteral("HgrV")).toInt(), higherThreshold);
        }
        QCOMPARE(seen, 24);
    }
};

QTEST_GUILESS_MAIN(TestStarterSystem)
#include "tst_startersystem.moc"
