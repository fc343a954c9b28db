// SPDX-License-Identifier: GPL-3.0-or-later
// Where the start windows go, and which window system the program asks Qt for.
#include "app/placement.h"
#include "app/platform.h"

#include <QTest>

namespace {
const QSize kMain(475, 280);
const QSize kPanel(793, 252);
const QSize kPotOdds(177, 259);
} // namespace

class TestPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startWindows_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<bool>("roomForAll");
        QTest::addColumn<bool>("mainCentred");

        QTest::newRow("1920x1050") << QRect(0, 0, 1920, 1050) << true << true;
        QTest::newRow("1920x1080 without a panel") << QRect(0, 0, 1920, 1080) << true << true;
        QTest::newRow("1366x768 without a panel") << QRect(0, 0, 1366, 768) << true << false;
        QTest::newRow("1280x720") << QRect(0, 0, 1280, 720) << true << false;
        QTest::newRow("2560x1600 at 200 %") << QRect(0, 0, 1280, 800) << true << true;
        QTest::newRow("1366x728 laptop") << QRect(0, 0, 1366, 728) << true << false;
        QTest::newRow("1280x1024 right of another screen")
            << QRect(1920, 0, 1280, 1024) << true << true;
        QTest::newRow("1024x738 below a panel") << QRect(0, 30, 1024, 738) << true << false;
        QTest::newRow("800x600") << QRect(0, 0, 800, 600) << false << false;
        QTest::newRow("screen left of the primary") << QRect(-1600, 100, 1600, 900) << true << true;
    }

    void startWindows()
    {
        QFETCH(QRect, available);
        QFETCH(bool, roomForAll);
        QFETCH(bool, mainCentred);

        const StartPlacement placed = placeStartWindows(available, kMain, kPanel, kPotOdds);

        QCOMPARE(placed.main.size(), kMain);
        QCOMPARE(placed.panel.size(), kPanel);
        QCOMPARE(placed.potOdds.size(), kPotOdds);
        for (const QRect &window : {placed.main, placed.panel, placed.potOdds})
            QVERIFY2(available.contains(window),
                     qPrintable(QStringLiteral("%1,%2").arg(window.x()).arg(window.y())));
        if (roomForAll) {
            QVERIFY(!placed.main.intersects(placed.panel));
            QVERIFY(!placed.main.intersects(placed.potOdds));
            QVERIFY(!placed.panel.intersects(placed.potOdds));
        }
        QCOMPARE(placed.main.center() == available.center() ||
                     (placed.main.center() - available.center()).manhattanLength() <= 1,
                 mainCentred);
    }

    void preferredPlatform_data()
    {
        QTest::addColumn<QByteArray>("chosen");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("platform");

        QTest::newRow("X session")
            << QByteArray() << QByteArray(":0") << QByteArray() << QByteArray("xcb");
        QTest::newRow("Wayland with XWayland")
            << QByteArray() << QByteArray(":1") << QByteArray("wayland-0")
            << QByteArray("xcb;wayland");
        QTest::newRow("Wayland without XWayland")
            << QByteArray() << QByteArray() << QByteArray("wayland-0") << QByteArray();
        QTest::newRow("user chose wayland")
            << QByteArray("wayland") << QByteArray(":1") << QByteArray("wayland-0") << QByteArray();
        QTest::newRow("user chose offscreen")
            << QByteArray("offscreen") << QByteArray(":0") << QByteArray() << QByteArray();
        QTest::newRow("no display at all")
            << QByteArray() << QByteArray() << QByteArray() << QByteArray();
    }

    void preferredPlatform()
    {
        QFETCH(QByteArray, chosen);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, platform);
        QCOMPARE(::preferredPlatform(chosen, display, wayland), platform);
    }
};

QTEST_GUILESS_MAIN(TestPlacement)
#include "tst_mainwindow_placement.moc"
