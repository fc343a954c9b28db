// SPDX-License-Identifier: GPL-3.0-or-later
// The installed program: its window icon as the build rendered it, and the check that an
// installed copy runs to find its help file and pre-flop equity table.
#include "app/desktopidentity.h"
#include "app/installcheck.h"
#include "app/paths.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The build tree keeps both files beside the test executables.
QString builtFile(const QString &name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void iconHasEveryRenderedSize_data();
    void iconHasEveryRenderedSize();

    void installCheckFindsTheFiles_data();
    void installCheckFindsTheFiles();

private:
    QTemporaryDir scratch_;
};

void TestInstall::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(scratch_.isValid());
}

void TestInstall::iconHasEveryRenderedSize_data()
{
    QTest::addColumn<int>("size");
    for (const int size : kApplicationIconSizes)
        QTest::newRow(qPrintable(QStringLiteral("%1x%1").arg(size))) << size;
}

void TestInstall::iconHasEveryRenderedSize()
{
    QFETCH(int, size);
    const QString resource =
        QStringLiteral(":/icons/%1x%1/%2.png").arg(size).arg(QLatin1String(kDesktopId));
    const QImage image(resource);
    QVERIFY2(!image.isNull(), qPrintable(resource));
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());
    // A card on a clear ground: the top-left corner is transparent, the middle is drawn.
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(image.pixelColor(size / 2, size / 2).alpha(), 255);

    // The window icon takes each size as drawn rather than scaling another.
    QVERIFY(applicationIcon().availableSizes().contains(QSize(size, size)));
}

void TestInstall::installCheckFindsTheFiles_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<bool>("passed");
    QTest::addColumn<QStringList>("expectedLines"); // each a part of one line, in line order

    // Lays out a prefix with bin/ and share/tallowby/ holding the given files.
    const auto prefix = [this](const QString &name, bool help, bool table) {
        const QString root = scratch_.filePath(name);
        [&] {
            QVERIFY(QDir().mkpath(root + QStringLiteral("/bin")));
            QVERIFY(QDir().mkpath(root + QStringLiteral("/share/tallowby")));
            if (help)
                QVERIFY(QFile::copy(builtFile(QStringLiteral("tallowbyhelp.chm")),
                                    root + QStringLiteral("/share/tallowby/tallowbyhelp.chm")));
            if (table)
                QVERIFY(QFile::copy(builtFile(QStringLiteral("preflop-equity.txt")),
                                    root + QStringLiteral("/share/tallowby/preflop-equity.txt")));
        }();
        return root;
    };
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/tallowby/");

    const QString whole = prefix(QStringLiteral("whole"), true, true);
    QTest::newRow("installed, both files")
        << whole + "/bin" << true
        << QStringList{
               whole + "/bin", "help file: " + whole + "/share/tallowby/tallowbyhelp.chm opens",
               "pre-flop equity table: " + whole + "/share/tallowby/preflop-equity.txt",
               "history databases: " + user + "Data/", "betting systems: " + user + "Systems/"};

    const QString noHelp = prefix(QStringLiteral("no help"), false, true);
    QTest::newRow("installed, help file missing")
        << noHelp + "/bin" << false
        << QStringList{"help file: FAILED", noHelp + "/share/tallowby/tallowbyhelp.chm",
                       "pre-flop equity table: " + noHelp + "/share/tallowby/preflop-equity.txt"};

    const QString badHelp = prefix(QStringLiteral("bad help"), false, true);
    QVERIFY(writeFile(badHelp + "/share/tallowby/tallowbyhelp.chm", "<html>not a help file"));
    QTest::newRow("installed, help file not compiled help")
        << badHelp + "/bin" << false
        << QStringList{"help file: FAILED", badHelp + "/share/tallowby/tallowbyhelp.chm"};

    const QString noTable = prefix(QStringLiteral("no table"), true, false);
    QTest::newRow("installed, equity table missing")
        << noTable + "/bin" << false
        << QStringList{"help file: " + noTable + "/share/tallowby/tallowbyhelp.chm opens",
                       "pre-flop equity table: FAILED"};

    // A folder that is neither a build tree nor an installed bin/: nothing is found.
    QTest::newRow("build folder without its files")
        << prefix(QStringLiteral("bare"), false, false) << false
        << QStringList{"help file: FAILED", "pre-flop equity table: FAILED"};

    const QString build = QCoreApplication::applicationDirPath();
    QTest::newRow("build tree") << build << true
                                << QStringList{"help file: " + build + "/tallowbyhelp.chm opens",
                                               "pre-flop equity table: " + build +
                                                   "/preflop-equity.txt",
                                               "history databases: " + build + "/Data/"};
}

void TestInstall::installCheckFindsTheFiles()
{
    QFETCH(QString, programFolder);
    QFETCH(bool, passed);
    QFETCH(QStringList, expectedLines);

    const InstallCheck check = checkInstalledFiles(programFolder);
    const QString report = check.lines.join(QLatin1Char('\n'));
    QCOMPARE(check.passed, passed);
    int line = 0;
    for (const QString &expected : expectedLines) {
        while (line < check.lines.size() && !check.lines.at(line).contains(expected))
            ++line;
        QVERIFY2(line < check.lines.size(),
                 qPrintable(
                     QStringLiteral("no line with \"%1\" in order in:\n%2").arg(expected, report)));
    }
    // Looking never makes the user's folders.
    QVERIFY(!QFileInfo::exists(dataFolder(programFolder)) || runsFromBuildTree(programFolder));
}

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
