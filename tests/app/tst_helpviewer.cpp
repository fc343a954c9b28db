// SPDX-License-Identifier: GPL-3.0-or-later
// The help viewer process: started by F1, reused while it runs, and every way it can fail
// reported with the help file's path while the program goes on.
#include "app/helpviewer.h"
#include "app/paths.h"
#include "scriptedprompts.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString inBuildTree(const char *program)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(program));
}

} // namespace

class TestHelpViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void failuresAreReported_data();
    void failuresAreReported();
    void realViewerReportsBadFiles_data();
    void realViewerReportsBadFiles();
    void viewerOpensAtThePageAndIsReused();
    void closedViewerIsStartedAgain();

private:
    QTemporaryDir scratch_;
    ScriptedPrompts prompts_;
};

void TestHelpViewer::initTestCase()
{
    QVERIFY(scratch_.isValid());
    QVERIFY(QFileInfo::exists(inBuildTree("tallowby-help")));
    QVERIFY(QFileInfo::exists(inBuildTree("fakehelpviewer")));
}

void TestHelpViewer::cleanup()
{
    prompts_.clear();
}

// A stand-in viewer that misbehaves in each way a damaged file can make the real one fail.
void TestHelpViewer::failuresAreReported_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("behaviour");
    QTest::addColumn<QString>("reason"); // empty: nothing is reported
    const QString fake = inBuildTree("fakehelpviewer");
    QTest::newRow("crashes while reading") << fake << "crash"
                                           << "stopped while reading";
    QTest::newRow("never gets ready") << fake << "hang"
                                      << "did not get it ready";
    QTest::newRow("ends with code 3") << fake << "exit-3"
                                      << "ended with code 3";
    QTest::newRow("crashes once open") << fake << "ready-then-crash"
                                       << "stopped while it was open";
    QTest::newRow("closed by the user") << fake << "ready-then-close" << QString();
    QTest::newRow("viewer program missing")
        << scratch_.filePath(QStringLiteral("no-such-viewer")) << "ready"
        << "could not be started";
}

void TestHelpViewer::failuresAreReported()
{
    QFETCH(QString, program);
    QFETCH(QString, behaviour);
    QFETCH(QString, reason);
    QWidget window;
    HelpViewerClient viewer;
    viewer.setProgram(program);
    viewer.setReadyTimeout(1500);
    QSignalSpy failed(&viewer, &HelpViewerClient::failed);
    viewer.show(&window, behaviour, QString());
    if (reason.isEmpty()) {
        QTRY_VERIFY(viewer.isReady());
        QTRY_VERIFY(!viewer.isRunning());
        QTest::qWait(100);
        QCOMPARE(failed.size(), 0);
        QVERIFY(prompts_.messages.isEmpty());
        return;
    }
    QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, 10000);
    QCOMPARE(prompts_.messages.size(), 1);
    QCOMPARE(prompts_.messages.first().kind, ScriptedPrompts::Message::Error);
    const QString text = prompts_.messages.first().text;
    QVERIFY2(text.contains(reason), qPrintable(text));
    QVERIFY2(text.contains(behaviour) || text.contains(program), qPrintable(text));
    QVERIFY(!viewer.isRunning());
}

void TestHelpViewer::realViewerReportsBadFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    const QString text = scratch_.filePath(QStringLiteral("plain.chm"));
    QVERIFY(writeFile(text, "plain text\n"));
    // The first listing names itself as the next one: the help library would walk it for ever.
    QByteArray help = readFile(helpFilePath());
    QVERIFY(help.size() > 0x100);
    qsizetype chunk = 0x54;
    for (int i = 7; i >= 0; --i)
        chunk += qsizetype(uchar(help.at(0x48 + i))) << (8 * i);
    help.replace(chunk + 0x10, 4, QByteArray(4, '\0'));
    const QString looping = scratch_.filePath(QStringLiteral("looping.chm"));
    QVERIFY(writeFile(looping, help));
    QTest::newRow("missing file") << scratch_.filePath(QStringLiteral("gone/tallowbyhelp.chm"))
                                  << "does not exist";
    QTest::newRow("text file") << text << "is not a compiled help file";
    QTest::newRow("listing chain in a ring") << looping << "is damaged";
}

void TestHelpViewer::realViewerReportsBadFiles()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    QWidget window;
    HelpViewerClient viewer;
    QSignalSpy failed(&viewer, &HelpViewerClient::failed);
    viewer.show(&window, path, QString());
    QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, 20000);
    const QString text = prompts_.messages.value(0).text;
    QVERIFY2(text.contains(path) && text.contains(reason), qPrintable(text));
}

void TestHelpViewer::viewerOpensAtThePageAndIsReused()
{
    QWidget window;
    HelpViewerClient viewer;
    QSignalSpy shown(&viewer, &HelpViewerClient::pageShown);
    viewer.show(&window, helpFilePath(), QStringLiteral("potodds.html#profit"));
    // A second F1 while the viewer starts goes to its page once it is ready.
    viewer.show(&window, helpFilePath(), QStringLiteral("graph.html"));
    QTRY_VERIFY_WITH_TIMEOUT(viewer.isReady(), 20000);
    QVERIFY2(prompts_.messages.isEmpty(), qPrintable(prompts_.texts().join(u'\n')));
    QTRY_COMPARE(viewer.currentPage(), QStringLiteral("/graph.html"));
    QCOMPARE(shown.first().first().toString(), QStringLiteral("/potodds.html#profit"));
    const qint64 process = viewer.processId();

    viewer.show(&window, helpFilePath(), QStringLiteral("systems.html"));
    QTRY_COMPARE(viewer.currentPage(), QStringLiteral("/systems.html"));
    // Without a page (Contents, or a window with no page of its own) it goes to the first page.
    viewer.show(&window, helpFilePath(), QString());
    QTRY_COMPARE(shown.size(), 4);
    QCOMPARE(viewer.currentPage(), QStringLiteral("/index.html"));
    QCOMPARE(viewer.processId(), process);
}

void TestHelpViewer::closedViewerIsStartedAgain()
{
    QWidget window;
    HelpViewerClient viewer;
    viewer.setProgram(inBuildTree("fakehelpviewer"));
    viewer.show(&window, QStringLiteral("ready-then-close"), QString());
    QTRY_VERIFY(viewer.isReady());
    QTRY_VERIFY(!viewer.isRunning());
    viewer.show(&window, QStringLiteral("ready"), QStringLiteral("graph.html"));
    QTRY_VERIFY(viewer.isReady());
    QTRY_COMPARE(viewer.currentPage(), QStringLiteral("/index.html"));
    QVERIFY(prompts_.messages.isEmpty());
}

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
