// SPDX-License-Identifier: GPL-3.0-or-later
// The models behind the main window's grids and the reading of the number of active players.
#include "engine/handoddsgrid.h"
#include "panel/activeplayers.h"
#include "panel/gamestatsmodel.h"
#include "panel/handoddsmodel.h"
#include "panel/localenumbers.h"
#include "panel/stringgrid.h"

#include <QApplication>
#include <QFontMetrics>
#include <QSignalSpy>
#include <QTest>

using tallowby::HandOddsGrid;

class TestGridModels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void activePlayers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("players"); // 0 for none

        QTest::newRow("10") << "10" << 10;
        QTest::newRow("2") << "2" << 2;
        QTest::newRow(" 7 with blanks") << " 7 " << 7;
        QTest::newRow("1") << "1" << 0;
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("-3") << "-3" << 0;
        QTest::newRow("11") << "11" << 0;
        QTest::newRow("7.5") << "7.5" << 0;
        QTest::newRow("abc") << "abc" << 0;
        QTest::newRow("empty") << "" << 0;
    }

    void activePlayers()
    {
        QFETCH(QString, text);
        QFETCH(int, players);
        QCOMPARE(activePlayersFrom(text).value_or(0), players);
    }

    void decimalSeparator_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<char>("separator");
        QTest::newRow("C") << QLocale::c() << '.';
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << ',';
        QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom) << '.';
        QTest::newRow("fa_IR, separator outside ASCII")
            << QLocale(QLocale::Persian, QLocale::Iran) << '.';
    }

    void decimalSeparator()
    {
        QFETCH(QLocale, locale);
        QFETCH(char, separator);
        QCOMPARE(decimalSeparatorOf(locale), separator);
    }

    // The header row becomes the column headers; fewer grid rows mean fewer model rows.
    void handOddsRows()
    {
        HandOddsModel model;
        HandOddsGrid grid;
        grid.setCell(2, 0, "River %");
        grid.setRowCount(5);
        grid.setCell(0, 1, "Two Pair. KK, 99, 4");
        grid.setCell(1, 1, " ");
        grid.setCell(2, 1, "100");
        grid.setCell(3, 1, "52,22");
        model.setGrid(grid, ',');

        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("River %"));
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("Two Pair. KK, 99, 4"));
        QCOMPARE(model.index(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(128, 255, 128));
        QCOMPARE(model.index(0, 3).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 169, 128));
        QCOMPARE(model.index(0, 1).data(Qt::AccessibleTextRole).toString(), QStringLiteral("none"));
        QCOMPARE(model.index(1, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    }

    void gameStatistics()
    {
        GameStatsModel model;
        model.clearForNewGame();
        QCOMPARE(model.rowCount(), 8);
        QCOMPARE(model.columnCount(), 6);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("-- --"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Today"));
        QCOMPARE(model.headerData(7, Qt::Vertical).toString(), QStringLiteral("Fold"));

        QSignalSpy headers(&model, &QAbstractItemModel::headerDataChanged);
        QSignalSpy cells(&model, &QAbstractItemModel::dataChanged);
        model.setCell(1, 0, QStringLiteral("As Kd"));
        model.setCell(2, 1, QStringLiteral("33.33"));
        QCOMPARE(headers.size(), 1);
        QCOMPARE(cells.size(), 1);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("As Kd"));
        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("33.33"));
        QCOMPARE(model.index(0, 1).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
                 int(Qt::AlignRight));
        QCOMPARE(model.headerData(0, Qt::Vertical, Qt::TextAlignmentRole).toInt() & Qt::AlignLeft,
                 int(Qt::AlignLeft));

        model.clearForNewGame();
        QCOMPARE(model.cell(2, 1), QString());
        QCOMPARE(model.cell(1, 0), QStringLiteral("-- --"));
    }

    // The design widths hold for a font that fits them; a wider font widens the columns, the
    // "Need" column of the odds grid giving back what it can.
    void columnWidths()
    {
        QFont small = QApplication::font();
        small.setPixelSize(8);
        const QList<int> design = handOddsColumnWidths(QFontMetrics(small));
        QCOMPARE(design, (QList<int>{135, 205, 50, 50}));
        QCOMPARE(GameStatsModel::columnWidths(QFontMetrics(small)),
                 (QList<int>{64, 62, 62, 62, 62, 62, 62}));

        QFont large = QApplication::font();
        large.setPixelSize(22);
        const QFontMetrics metrics(large);
        const QList<int> odds = handOddsColumnWidths(metrics);
        QVERIFY(odds[3] >= metrics.horizontalAdvance(QStringLiteral("Higher %")) + 5);
        QVERIFY(odds[1] >=
                metrics.horizontalAdvance(QStringLiteral(" 2h 3h 4h 5h 6h 7h 8h 9h Th")));
        QVERIFY(GameStatsModel::columnWidths(metrics)[5] >=
                metrics.horizontalAdvance(QStringLiteral("This Month")) + 5);
        QVERIFY(gridRowHeight(metrics) > 17);
        QCOMPARE(gridRowHeight(QFontMetrics(small)), 17);
    }
};

QTEST_MAIN(TestGridModels)
#include "tst_gridmodels.moc"
