// SPDX-License-Identifier: GPL-3.0-or-later
// tallowby-import: a history file made or extended, the JSON summary it prints and its exit
// statuses.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

QString sample(const QString &name)
{
    return QStringLiteral(TALLOWBY_IMPORT_DATA "/") + name;
}

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run runImport(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TALLOWBY_IMPORT_PATH), arguments);
    if (!process.waitForFinished(60000))
        qFatal("tallowby-import did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

QJsonObject json(const Run &run)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning("not JSON: %s", run.out.constData());
    return document.object();
}

} // namespace

class TestImportTool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_dir.emplace(); }
    void cleanup() { m_dir.reset(); }

    void makesAHistoryFileAndFillsIt();
    void importsNothingTwice();
    void reportsWhatItCouldNotRead_data();
    void reportsWhatItCouldNotRead();
    void refusesBadArguments_data();
    void refusesBadArguments();
    void refusesAFileThatIsNoHistory();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::optional<QTemporaryDir> m_dir;
};

void TestImportTool::makesAHistoryFileAndFillsIt()
{
    const Run run = runImport({path("new.mdb"), sample("cash_usd.txt"), sample("other_games.txt"),
                               sample("cancelled_and_sitting_out.txt")});
    QCOMPARE(run.status, 0);
    QVERIFY(run.err.isEmpty());
    QCOMPARE(run.out.count('\n'), 1);
    const QJsonObject summary = json(run);
    QCOMPARE(summary.keys(), (QStringList{"cancelled", "duplicates", "errors", "imported",
                                          "other_games", "unreadable", "without_cards"}));
    QCOMPARE(summary.value("imported").toInt(), 12);
    QCOMPARE(summary.value("duplicates").toInt(), 0);
    QCOMPARE(summary.value("other_games").toInt(), 5);
    QCOMPARE(summary.value("without_cards").toInt(), 2);
    QCOMPARE(summary.value("cancelled").toInt(), 1);
    QCOMPARE(summary.value("unreadable").toInt(), 0);
    QCOMPARE(summary.value("errors").toArray().size(), 0);
    // The keys come in the documented order.
    QVERIFY(run.out.startsWith("{\"imported\": 12, \"duplicates\": 0, \"other_games\": 5, "
                               "\"without_cards\": 2, \"cancelled\": 1, \"unreadable\": 0, "
                               "\"errors\": []}"));
    QVERIFY(QFile::exists(path("new.mdb")));
}

void TestImportTool::importsNothingTwice()
{
    QCOMPARE(runImport({path("games.mdb"), sample("run_twice.txt")}).status, 0);
    const Run again =
        runImport({path("games.mdb"), sample("run_twice.txt"), sample("truncated.txt")});
    QCOMPARE(again.status, 1);
    const QJsonObject summary = json(again);
    QCOMPARE(summary.value("imported").toInt(), 1);
    QCOMPARE(summary.value("duplicates").toInt(), 2);
    QCOMPARE(summary.value("unreadable").toInt(), 1);
}

void TestImportTool::reportsWhatItCouldNotRead_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("imported");
    QTest::addColumn<QList<int>>("lines");

    QTest::newRow("garbled hands") << sample("garbled.txt") << 1 << QList<int>{1, 9, 27, 38};
    QTest::newRow("a missing file") << "missing.txt" << 0 << QList<int>{0};
    QTest::newRow("a folder") << "." << 0 << QList<int>{0};
}

void TestImportTool::reportsWhatItCouldNotRead()
{
    QFETCH(QString, file);
    QFETCH(int, imported);
    QFETCH(QList<int>, lines);
    if (!file.contains(QLatin1Char('/')))
        file = QDir::cleanPath(path(file));
    const Run run = runImport({path("games.mdb"), file, sample("playmoney_cp1252.txt")});
    QCOMPARE(run.status, 1);
    const QJsonObject summary = json(run);
    QCOMPARE(summary.value("imported").toInt(), imported + 2);
    QCOMPARE(summary.value("unreadable").toInt(), lines.size());
    const QJsonArray errors = summary.value("errors").toArray();
    QCOMPARE(errors.size(), lines.size());
    for (qsizetype e = 0; e < errors.size(); ++e) {
        const QJsonObject error = errors.at(e).toObject();
        QCOMPARE(error.value("file").toString(), file);
        QCOMPARE(error.value("line").toInt(), lines.at(e));
        QVERIFY(!error.value("message").toString().isEmpty());
    }
}

void TestImportTool::refusesBadArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("no hand-history file") << QStringList{"games.mdb"};
    QTest::newRow("an unknown option") << QStringList{"--quiet", "games.mdb", "a.txt"};
    QTest::newRow("help") << QStringList{"--help"};
}

void TestImportTool::refusesBadArguments()
{
    QFETCH(QStringList, arguments);
    for (QString &argument : arguments) {
        if (argument.endsWith(QLatin1String(".mdb")))
            argument = path(argument);
    }
    const Run run = runImport(arguments);
    QCOMPARE(run.status, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.contains("usage: tallowby-import HISTORY.mdb FILE..."));
    QVERIFY(!QFile::exists(path("games.mdb")));
}

void TestImportTool::refusesAFileThatIsNoHistory()
{
    QFile text(path("notes.mdb"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("Hand, Result\n");
    text.close();
    const Run run = runImport({path("notes.mdb"), sample("cash_usd.txt")});
    QCOMPARE(run.status, 1);
    const QJsonArray errors = json(run).value("errors").toArray();
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.at(0).toObject().value("file").toString(), path("notes.mdb"));
    QVERIFY(errors.at(0).toObject().value("message").toString().contains("not a database file"));
    QCOMPARE(json(run).value("imported").toInt(), 0);

    // A hand-history file given first by mistake is left as it is.
    QFile::copy(sample("run_twice.txt"), path("hands.txt"));
    const QByteArray before = [&] {
        QFile hands(path("hands.txt"));
        return hands.open(QIODevice::ReadOnly) ? hands.readAll() : QByteArray();
    }();
    QCOMPARE(runImport({path("hands.txt"), sample("cash_usd.txt")}).status, 1);
    QFile hands(path("hands.txt"));
    QVERIFY(hands.open(QIODevice::ReadOnly));
    QCOMPARE(hands.readAll(), before);
}

QTEST_GUILESS_MAIN(TestImportTool)
#include "tst_importtool.moc"
