// SPDX-License-Identifier: GPL-3.0-or-later
// tallowby-odds: reading the command line, the JSON it prints, and the program's exit statuses.
#include "cli/oddsrequest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "engine/equity.h"
#include "engine/preflopequity.h"

using namespace tallowby;

namespace {

std::vector<std::string> split(const QString &line)
{
    std::vector<std::string> words;
    for (const QString &word : line.split(' ', Qt::SkipEmptyParts))
        words.push_back(word.toStdString());
    return words;
}

QJsonObject analyse(const QString &line)
{
    std::string error;
    const auto request = parseOddsArguments(split(line), error);
    if (!request)
        return {};
    return QJsonDocument::fromJson(QByteArray::fromStdString(analyseToJson(*request))).object();
}

} // namespace

class TestOddsTool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsArguments_data();
    void readsArguments();
    void refusesBadInput_data();
    void refusesBadInput();
    void printsTheAnalysis();
    void anyWritingGivesTheSameAnalysis_data();
    void anyWritingGivesTheSameAnalysis();
    void emptySlotKeepsTheRiverInPlace();
    void noStageStillRuns();
    void escapesJsonTexts();
    void programExitStatuses_data();
    void programExitStatuses();
    void equityJoinsTheOutput_data();
    void equityJoinsTheOutput();
    void equityWithoutTheTableIsSimulated();
};

void TestOddsTool::readsArguments_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("players");
    QTest::addColumn<QString>("slots");

    QTest::newRow("two hole cards") << "As Kd" << 10 << "13 25";
    QTest::newRow("players first") << "--players 6 Ah Kh" << 6 << "52 51";
    QTest::newRow("players last") << "2c 3c --players 2" << 2 << "27 28";
    QTest::newRow("players with equals") << "--players=9 Td" << 9 << "22";
    QTest::newRow("lower-case rank") << "td 9s" << 10 << "22 8";
    QTest::newRow("lower case") << "ah kh qh 7h 2c" << 10 << "52 51 50 45 27";
    QTest::newRow("upper-case suit") << "AS KD" << 10 << "13 25";
    QTest::newRow("ten as 10") << "10s 10H" << 10 << "9 48";
    QTest::newRow("run together") << "AhKh Qh7h2c" << 10 << "52 51 50 45 27";
    QTest::newRow("run together with empty slots") << "AhKh -- -- -- Qh" << 10 << "52 51 0 0 0 50";
    QTest::newRow("suit symbols") << "A\u2660 10\u2665" << 10 << "13 48";
    QTest::newRow("empty slots in between") << "As Ks Qs Js Ts -- 2h" << 10 << "13 12 11 10 9 0 40";
    QTest::newRow("nothing") << "" << 10 << "";
}

void TestOddsTool::readsArguments()
{
    QFETCH(QString, line);
    QFETCH(int, players);
    QFETCH(QString, slots);
    std::string error;
    const auto request = parseOddsArguments(split(line), error);
    QVERIFY2(request, error.c_str());
    QCOMPARE(request->players, players);
    QStringList got;
    for (const int card : request->slotCards)
        got << QString::number(card);
    QCOMPARE(got.join(' '), slots);
}

void TestOddsTool::refusesBadInput_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("mentions");

    QTest::newRow("unknown code") << "As Xx"
                                  << "Xx";
    QTest::newRow("unknown suit") << "As Kx"
                                  << "\"Kx\"";
    QTest::newRow("rank without suit") << "As K"
                                       << "no suit after \"K\"";
    QTest::newRow("1 for ten") << "1s Kd"
                               << "\"1\" in \"1s\"";
    QTest::newRow("card twice") << "As Kd As"
                                << "twice";
    QTest::newRow("card twice, lower case and 10") << "Th Kd 10h"
                                                   << "\"Th\" and \"10h\"";
    QTest::newRow("card twice in one argument") << "AhKhah"
                                                << "\"Ah\" and \"ah\"";
    QTest::newRow("eight cards run together") << "AsKd2c3c4c5c6c7c"
                                              << "\"7c\" would be the eighth";
    QTest::newRow("unknown option") << "--player 3 As"
                                    << "unknown option \"--player\"";
    QTest::newRow("eight codes") << "As Kd 2c 3c 4c 5c 6c 7c"
                                 << "seven";
    QTest::newRow("one player") << "--players 1 As Kd"
                                << "2 to 10";
    QTest::newRow("eleven players") << "--players 11 As Kd"
                                    << "2 to 10";
    QTest::newRow("players not a number") << "--players six As"
                                          << "six";
    QTest::newRow("players missing") << "As Kd --players"
                                     << "2 to 10";
}

void TestOddsTool::refusesBadInput()
{
    QFETCH(QString, line);
    QFETCH(QString, mentions);
    std::string error;
    QVERIFY(!parseOddsArguments(split(line), error));
    QVERIFY2(QString::fromStdString(error).contains(mentions), error.c_str());
}

void TestOddsTool::printsTheAnalysis()
{
    const QJsonObject pocketEights = analyse("8s 8d");
    QCOMPARE(pocketEights["header"].toString(), "Flop %");
    const QJsonArray rows = pocketEights["rows"].toArray();
    QCOMPARE(rows.size(), 8);
    QCOMPARE(rows[0].toObject()["type"].toString(), "Two Kind.");
    QCOMPARE(rows[0].toObject()["you"].toString(), "100");
    QCOMPARE(rows[2].toObject()["need"].toString(), " 8c 8h ");
    QCOMPARE(rows[2].toObject()["you"].toString(), "11.76");
    QCOMPARE(rows[2].toObject()["higher"].toString(), "??");
    QCOMPARE(pocketEights["outs"].toString(), "2");
    QCOMPARE(pocketEights["hit"].toString(), "11.8");
    QCOMPARE(pocketEights["win"].toString(), "??");
    QCOMPARE(pocketEights["rating"].toString(), "177000");
    QCOMPARE(pocketEights["description"].toString(), "Two Kind. 88, -, -, -");

    const QJsonObject royal = analyse("Ah Kh Qh Jh Th 2c 3d");
    QCOMPARE(royal["header"].toString(), "You %");
    QCOMPARE(royal["rows"].toArray().size(), 1);
    QCOMPARE(royal["rating"].toString(), "8DCBA9");
    QCOMPARE(royal["win"].toString(), "100");
}

void TestOddsTool::anyWritingGivesTheSameAnalysis_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("written");

    QTest::newRow("lower case") << "--players 3 Ah Kh Th 7h 2c"
                                << "--players 3 ah kh th 7h 2c";
    QTest::newRow("10 for ten") << "--players 3 Ah Kh Th 7h 2c"
                                << "--players 3 Ah Kh 10h 7h 2c";
    QTest::newRow("one argument") << "--players 3 Ah Kh Th 7h 2c"
                                  << "--players 3 AhKh10h7h2c";
    QTest::newRow("symbols") << "Qs Qd Qc 5h 2d"
                             << "Q\u2660 Q\u2666 Q\u2663 5\u2665 2\u2666";
}

void TestOddsTool::anyWritingGivesTheSameAnalysis()
{
    QFETCH(QString, line);
    QFETCH(QString, written);
    const QJsonObject plain = analyse(line);
    QVERIFY(!plain.isEmpty());
    QCOMPARE(analyse(written), plain);
}

void TestOddsTool::emptySlotKeepsTheRiverInPlace()
{
    // A river after an empty turn is no complete stage: the grid stays as New Game left it.
    const QJsonObject hand = analyse("As Ks Qs Js Ts -- 2h");
    QCOMPARE(hand["header"].toString(), "You %");
    const QJsonArray rows = hand["rows"].toArray();
    QCOMPARE(rows.size(), 8);
    QCOMPARE(rows[0].toObject()["type"].toString(), "Two Kind.");
    QCOMPARE(rows[7].toObject()["you"].toString(), "0");
    QCOMPARE(hand["win"].toString(), "??");
    // The rating covers every slot given, the river included.
    QCOMPARE(hand["rating"].toString(), "8DCBA9");
}

void TestOddsTool::noStageStillRuns()
{
    const QJsonObject empty = analyse("");
    QCOMPARE(empty["header"].toString(), "You %");
    QCOMPARE(empty["rows"].toArray().size(), 8);
    QCOMPARE(empty["rows"].toArray()[0].toObject()["type"].toString(), "");
    QCOMPARE(empty["outs"].toString(), "0");
    QCOMPARE(empty["hit"].toString(), "0");
    QCOMPARE(empty["win"].toString(), "??");
    QCOMPARE(empty["rating"].toString(), "0");
    QCOMPARE(empty["description"].toString(), "High Card. -, -, -, -, -");
}

void TestOddsTool::escapesJsonTexts()
{
    QCOMPARE(jsonString("a\"b\\c\n"), std::string("\"a\\\"b\\\\c\\n\""));
    QCOMPARE(jsonString(std::string("\x01", 1)), std::string("\"\\u0001\""));
}

void TestOddsTool::programExitStatuses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");

    QTest::newRow("good hand") << QStringList{"--players", "3", "Ah", "Kh", "Qh", "7h", "2c"} << 0;
    QTest::newRow("bad code") << QStringList{"Zz"} << 2;
    QTest::newRow("lower case and 10") << QStringList{"--players", "3", "ah", "kh", "10h"} << 0;
    QTest::newRow("bad code in a hand") << QStringList{"ahkh", "qhxh"} << 2;
    QTest::newRow("twelve players") << QStringList{"--players", "12"} << 2;
}

void TestOddsTool::programExitStatuses()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QProcess tool;
    tool.start(QStringLiteral(TALLOWBY_ODDS_PATH), arguments);
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), status);
    const QByteArray out = tool.readAllStandardOutput();
    const QByteArray err = tool.readAllStandardError();
    if (status == 0) {
        QVERIFY(QJsonDocument::fromJson(out).isObject());
        QVERIFY(err.isEmpty());
    } else {
        QVERIFY(out.isEmpty());
        QCOMPARE(err.count('\n'), 1);
    }
}

namespace {

struct ToolRun
{
    int status = -1;
    QJsonObject output;
    QString errors;
};

ToolRun runTool(const QString &program, const QString &line)
{
    QProcess tool;
    tool.start(program, line.split(' ', Qt::SkipEmptyParts));
    ToolRun run;
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = tool.exitCode();
    run.output = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
    run.errors = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

} // namespace

void TestOddsTool::equityJoinsTheOutput_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("method"); // empty: no equity figure

    QTest::newRow("AA pre-flop, 2 players") << "--equity --players 2 As Ad"
                                            << "table";
    QTest::newRow("AA pre-flop, 10 players") << "--equity As Ad"
                                             << "table";
    QTest::newRow("flop, 2 players") << "--equity --players 2 Ah Kh Qh 7h 2c"
                                     << "exact";
    QTest::newRow("river, 2 players") << "--players 2 Ah Kh Qh 7h 2c 9d 3s --equity"
                                      << "exact";
    QTest::newRow("flop, 3 players") << "--equity --players 3 Ah Kh Qh 2h 7c"
                                     << "exact";
    QTest::newRow("river, 3 players") << "--equity --players 3 Qs 9s Kd 9c 4s 2d Ah"
                                      << "exact";
    QTest::newRow("flop, 6 players") << "--equity --players 6 Ah Kh Qh 7h 2c"
                                     << "simulated";
    QTest::newRow("river, 10 players") << "--equity Ks Jd Kh 8c 5d 3s 2h"
                                       << "simulated";
    QTest::newRow("empty turn") << "--equity As Ks Qs Js Ts -- 2h"
                                << "";
}

void TestOddsTool::equityJoinsTheOutput()
{
    QFETCH(QString, line);
    QFETCH(QString, method);
    const ToolRun withEquity = runTool(QStringLiteral(TALLOWBY_ODDS_PATH), line);
    QCOMPARE(withEquity.status, 0);
    QVERIFY2(withEquity.errors.isEmpty(), qPrintable(withEquity.errors));

    // Every key of the plain run is there with the same value; "win" stays the Win % text.
    QString plainLine = line;
    plainLine.remove(QStringLiteral("--equity"));
    const ToolRun plain = runTool(QStringLiteral(TALLOWBY_ODDS_PATH), plainLine);
    QVERIFY(!plain.output.contains("equity"));
    for (const QString &key : plain.output.keys())
        QCOMPARE(withEquity.output[key], plain.output[key]);
    QVERIFY(withEquity.output["win"].isString());

    const QJsonValue equity = withEquity.output["equity"];
    if (method.isEmpty()) {
        QVERIFY(equity.isNull());
        return;
    }
    // The figures of the engine, as a caller of computeEquity gets them.
    std::string error;
    const auto request = parseOddsArguments(split(line), error);
    QVERIFY(request);
    EquityHand hand;
    hand.hole = {request->slotCards[0], request->slotCards[1]};
    for (std::size_t slot = 2; slot < request->slotCards.size(); ++slot)
        hand.board[hand.boardCount++] = request->slotCards[slot];
    const auto table = PreflopEquityTable::load(
        defaultPreflopEquityPath(
            QFileInfo(QStringLiteral(TALLOWBY_ODDS_PATH)).path().toStdString()),
        error);
    QVERIFY2(table, error.c_str());
    const auto expected = computeEquity(hand, request->players, nullptr, &*table);
    QVERIFY(expected);

    const QJsonObject figures = equity.toObject();
    QCOMPARE(figures["method"].toString(), method);
    QCOMPARE(figures["exact"].toBool(), expected->exact);
    QCOMPARE(figures["samples"].toInteger(), expected->samples);
    QCOMPARE(figures["equity"].toDouble(), std::round(expected->equity * 10000) / 100);
    QCOMPARE(figures["win"].toDouble(), std::round(expected->win * 10000) / 100);
    QCOMPARE(figures["tie"].toDouble(), std::round(expected->tie * 10000) / 100);
    QCOMPARE(figures["boards"].toInt(), expected->boards);
    // The margin is rounded up, never down to 0.
    const double margin = figures["margin95"].toDouble();
    QVERIFY(margin >= expected->margin95 * 100 && margin < expected->margin95 * 100 + 0.01);
    QCOMPARE(figures["text"].toString(), QString::fromStdString(equityMethodText(*expected)));
    if (expected->exact)
        QCOMPARE(margin, 0.0);
    else if (method == QLatin1String("simulated"))
        QVERIFY(margin > 0 && margin <= 0.05);
    else
        QVERIFY(margin > 0 && margin <= 0.5);
    // The boards behind the figure: every completion after the flop, none dealt at random.
    const int boardCards = int(request->slotCards.size()) - 2;
    const int completions = boardCards == 3 ? 1081 : boardCards == 4 ? 46 : 1;
    QCOMPARE(expected->boards, method == QLatin1String("table") ? 0 : completions);
}

void TestOddsTool::equityWithoutTheTableIsSimulated()
{
    // A copy of the program in a folder without the table says so and simulates instead.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString copy = folder.filePath("tallowby-odds");
    QVERIFY(QFile::copy(QStringLiteral(TALLOWBY_ODDS_PATH), copy));
    const ToolRun run = runTool(copy, "--equity --players 2 As Ad");
    QCOMPARE(run.status, 0);
    QVERIFY2(run.errors.startsWith("tallowby-odds: cannot open the pre-flop equity table " +
                                   folder.filePath("preflop-equity.txt")),
             qPrintable(run.errors));
    QCOMPARE(run.errors.count('\n'), 1);
    const QJsonObject figures = run.output["equity"].toObject();
    QCOMPARE(figures["method"].toString(), "simulated");
    QVERIFY(std::abs(figures["equity"].toDouble() - 85.2) <= 2 * figures["margin95"].toDouble());

    // Past the pre-flop the table is not needed, so nothing is said.
    const ToolRun flop = runTool(copy, "--equity --players 2 As Ad Kh 7c 2d");
    QVERIFY(flop.errors.isEmpty());
    QCOMPARE(flop.output["equity"].toObject()["method"].toString(), "exact");
}

QTEST_GUILESS_MAIN(TestOddsTool)
#include "tst_oddstool.moc"
