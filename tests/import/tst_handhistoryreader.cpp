// SPDX-License-Identifier: GPL-3.0-or-later
// The hand-history reader on sample files: what each hand becomes, which parts are skipped and
// why, the encodings and line breaks, and a file read piece by piece as the client writes it.
#include "engine/cards.h"
#include "import/handhistoryreader.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

namespace {

using Kind = HandHistoryHand::Kind;

QByteArray sample(const QString &name)
{
    QFile file(QStringLiteral(TALLOWBY_IMPORT_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing sample file %s", qPrintable(name));
    return file.readAll();
}

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Played:
        return QStringLiteral("played");
    case Kind::OtherGame:
        return QStringLiteral("other game");
    case Kind::Cancelled:
        return QStringLiteral("cancelled");
    case Kind::WithoutCards:
        return QStringLiteral("without cards");
    case Kind::Unreadable:
        return QStringLiteral("unreadable");
    }
    return {};
}

// "Ah Kd 2s 6d 6h -- --"
QString cardsText(const std::array<int, 7> &cards)
{
    QStringList codes;
    for (const int card : cards)
        codes << QString::fromStdString(tallowby::cardCode(card));
    return codes.join(QLatin1Char(' '));
}

// One line per part: kind, number, first line, and for a played hand its date, player, cards
// and result; for an unreadable part its line.
QStringList describe(const QList<HandHistoryHand> &hands)
{
    QStringList lines;
    for (const HandHistoryHand &hand : hands) {
        QString line = kindName(hand.kind) + QLatin1Char(' ') + hand.number + QStringLiteral(" @") +
                       QString::number(hand.line);
        if (hand.kind == Kind::Played)
            line += QLatin1Char(' ') + hand.date.toString(Qt::ISODate) + QLatin1Char(' ') +
                    hand.player + QLatin1Char(' ') + cardsText(hand.cards) + QLatin1Char(' ') +
                    hand.result;
        if (hand.kind == Kind::Unreadable)
            line += QStringLiteral(" problem @") + QString::number(hand.problemLine);
        lines << line;
    }
    return lines;
}

const QStringList kSamples = {
    "cash_usd.txt",
    "tournament_eur_bom_crlf.txt",
    "playmoney_cp1252.txt",
    "run_twice.txt",
    "cancelled_and_sitting_out.txt",
    "other_games.txt",
    "truncated.txt",
    "garbled.txt",
    "not_a_hand_history.txt",
    "other_formats.txt",
};

} // namespace

class TestHandHistoryReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hands_data();
    void hands();
    void everyPartOfAFile_data();
    void everyPartOfAFile();
    void problems_data();
    void problems();
    void lineBreaksAndEncodings_data();
    void lineBreaksAndEncodings();
    void shortTexts_data();
    void shortTexts();
    void lastHandWhileTheClientWrites_data();
    void lastHandWhileTheClientWrites();
    void aFileReadAsItGrows_data();
    void aFileReadAsItGrows();
    void damagedBytes();
};

void TestHandHistoryReader::hands_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("part");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("player");
    QTest::addColumn<QString>("cards");
    QTest::addColumn<QString>("result");

    const auto row = [](const char *name, const char *file, int part, const char *number,
                        const char *date, const QString &player, const char *cards,
                        const char *result) {
        QTest::newRow(name) << QString::fromLatin1(file) << part << QString::fromLatin1(number)
                            << QString::fromLatin1(date) << player << QString::fromLatin1(cards)
                            << QString::fromLatin1(result);
    };
    row("walk: the big blind collects the small blind's", "cash_usd.txt", 0, "230000000001",
        "2024-03-05", "Bob", "7c 2d -- -- -- -- --", "Win");
    row("raise, all fold, the raise comes back uncalled", "cash_usd.txt", 1, "230000000002",
        "2024-03-05", "Bob", "Ah Kd -- -- -- -- --", "Win");
    row("folded before the flop: the board as dealt", "cash_usd.txt", 2, "230000000003",
        "2024-03-05", "Bob", "9s 4h Qc 8d 3s -- --", "Fold");
    row("mucked at the showdown", "cash_usd.txt", 3, "230000000004", "2024-03-05", "Bob",
        "Jh Jd Ks 7h 2c 5d Kh", "Lose");
    row("split pot with a player whose name begins with the player's", "cash_usd.txt", 4,
        "230000000005", "2024-03-05", "Bob", "Ac Qd As Qh 6c 9d 6s", "Split");
    row("all-in before the flop, the board dealt out", "cash_usd.txt", 5, "230000000006",
        "2024-03-05", "Bob", "Qs Qc 8h 4s Td 2h 3c", "Win");
    row("side pot won, main pot lost", "cash_usd.txt", 6, "230000000007", "2024-03-05", "Bob",
        "Kh Ks Ac 7d 2s 9h Jc", "Split");
    row("main and side pot both lost", "cash_usd.txt", 7, "230000000008", "2024-03-05", "Bob",
        "Th 9h Jd 5c 5h 3d Ts", "Lose");
    row("tournament, folded on the flop, name in UTF-8", "tournament_eur_bom_crlf.txt", 0,
        "240100000001", "2024-02-11", QStringLiteral("Ångström"), "Td 8d Ac Kc 4h -- --", "Fold");
    row("tournament, the client's own day before the site's", "tournament_eur_bom_crlf.txt", 1,
        "240100000002", "2024-02-12", QStringLiteral("Ångström"), "6s 6h 6c Jd 2s 8c Qh", "Lose");
    row("freeroll", "tournament_eur_bom_crlf.txt", 2, "240100000003", "2024-02-12",
        QStringLiteral("Ångström"), "Qd Js Qc 9h 3d Tc 2d", "Win");
    row("play money in Windows-1252, bet returned", "playmoney_cp1252.txt", 0, "245500000001",
        "2024-01-02", QStringLiteral("Renée"), "8c 8s 8h Ts 4c Kd --", "Win");
    row("play money in Windows-1252, lost at the showdown", "playmoney_cp1252.txt", 1,
        "245500000002", "2024-01-02", QStringLiteral("Renée"), "As 5s 5d 9c Jc 2h Jh", "Lose");
    row("run twice from before the flop: first board, one run each", "run_twice.txt", 0,
        "250000000001", "2024-04-20", "Hero", "Ah Kh Qh 7h 2s 4h 9c", "Split");
    row("run twice from the turn: both runs won", "run_twice.txt", 1, "250000000002", "2024-04-20",
        "Hero", "Kc Kd Ks 9d 4c 2d 7s", "Win");
    row("playing again after sitting out, folded on the flop", "cancelled_and_sitting_out.txt", 2,
        "260000000003", "2024-05-01", "Hero", "Tc 3h Kd 8s 8c -- --", "Fold");
    row("Texas Hold'em hand of a mixed game", "other_games.txt", 4, "270000000005", "2024-06-01",
        "Hero", "Jc Tc 9c 8c 2h -- --", "Win");
    row("fast-fold table", "other_games.txt", 6, "270000000007", "2024-06-02", "Hero",
        "2s 2c -- -- -- -- --", "Fold");
    row("home game whose club is named after another game", "other_games.txt", 7, "270000000008",
        "2024-06-03", "Hero", "Ad 3d Kd 7d 2c Qd --", "Win");
    row("the complete hand before a truncated one", "truncated.txt", 0, "280000000001",
        "2024-07-14", "Hero", "Ks Qs Qd 6h 3c -- --", "Win");
    row("a good hand after garbled ones", "garbled.txt", 4, "290000000004", "2024-08-01", "Hero",
        "Td Tc 7s 7c 2h Jd 4h", "Win");
    row("older header with Game # and one time zone", "other_formats.txt", 0, "27853445522",
        "2009-05-05", "Hero", "Ts 9s Js 8d 2s 7c --", "Win");
    row("converter naming every player, cards for one", "other_formats.txt", 1, "RC1234567",
        "2021-03-02", "Hero", "Qh Jh Qc Ts 5d 5s Tc", "Split");
    row("ISO date and time", "other_formats.txt", 2, "1790000000000001", "2025-06-18", "Hero",
        "4c 4h Ac Kh 4d 3s 9h", "Win");
    row("pounds, fixed limit", "other_formats.txt", 3, "233000000042", "2024-09-09", "Hero",
        "Kh 2c -- -- -- -- --", "Fold");
}

void TestHandHistoryReader::hands()
{
    QFETCH(QString, file);
    QFETCH(int, part);
    QFETCH(QString, number);
    QFETCH(QString, date);
    QFETCH(QString, player);
    QFETCH(QString, cards);
    QFETCH(QString, result);

    const HandHistoryReading reading = readHandHistory(sample(file));
    QVERIFY(part < reading.hands.size());
    const HandHistoryHand &hand = reading.hands.at(part);
    QCOMPARE(kindName(hand.kind), QStringLiteral("played"));
    QCOMPARE(hand.number, number);
    QCOMPARE(hand.date, QDate::fromString(date, Qt::ISODate));
    QCOMPARE(hand.player, player);
    QCOMPARE(cardsText(hand.cards), cards);
    QCOMPARE(hand.result, result);
}

void TestHandHistoryReader::everyPartOfAFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("parts"); // kind, number and first line of each

    QTest::newRow("cash game") << "cash_usd.txt"
                               << QStringList{
                                      "played 230000000001 @1",   "played 230000000002 @30",
                                      "played 230000000003 @60",  "played 230000000004 @95",
                                      "played 230000000005 @136", "played 230000000006 @178",
                                      "played 230000000007 @214", "played 230000000008 @251"};
    QTest::newRow("tournament, BOM and CRLF")
        << "tournament_eur_bom_crlf.txt"
        << QStringList{"played 240100000001 @1", "played 240100000002 @40",
                       "played 240100000003 @84"};
    QTest::newRow("cancelled, sitting out, watching")
        << "cancelled_and_sitting_out.txt"
        << QStringList{"cancelled 260000000001 @1", "without cards 260000000002 @19",
                       "played 260000000003 @43", "without cards 260000000004 @76"};
    QTest::newRow("other games") << "other_games.txt" << QStringList{"other game 270000000001 @1",
                                                                     "other game 270000000002 @19",
                                                                     "other game 270000000003 @40",
                                                                     "other game 270000000004 @58",
                                                                     "played 270000000005 @76",
                                                                     "other game 270000000006 @99",
                                                                     "played 270000000007 @120",
                                                                     "played 270000000008 @138"};
    QTest::newRow("truncated last hand")
        << "truncated.txt"
        << QStringList{"played 280000000001 @1", "unreadable 280000000002 @25 problem @38"};
    QTest::newRow("garbled") << "garbled.txt"
                             << QStringList{"unreadable  @1 problem @1",
                                            "unreadable 290000000001 @2 problem @9",
                                            "unreadable 290000000002 @17 problem @27",
                                            "unreadable 290000000003 @38 problem @38",
                                            "played 290000000004 @54"};
    QTest::newRow("not a hand history")
        << "not_a_hand_history.txt" << QStringList{"unreadable  @1 problem @1"};
}

void TestHandHistoryReader::everyPartOfAFile()
{
    QFETCH(QString, file);
    QFETCH(QStringList, parts);
    QStringList found;
    for (const HandHistoryHand &hand : readHandHistory(sample(file)).hands) {
        found << kindName(hand.kind) + QLatin1Char(' ') + hand.number + QStringLiteral(" @") +
                     QString::number(hand.line) +
                     (hand.kind == Kind::Unreadable
                          ? QStringLiteral(" problem @") + QString::number(hand.problemLine)
                          : QString());
    }
    QCOMPARE(found, parts);
}

void TestHandHistoryReader::problems_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("part");
    QTest::addColumn<QString>("said");

    QTest::newRow("text before the first hand") << "garbled.txt" << 0 << "before the first hand";
    QTest::newRow("a card that is none") << "garbled.txt" << 1 << "[Ah Kx]";
    QTest::newRow("a card dealt twice") << "garbled.txt" << 2 << "Ah is dealt twice";
    QTest::newRow("a header without a date") << "garbled.txt" << 3 << "no date";
    QTest::newRow("a hand cut short") << "truncated.txt" << 1 << "ends before its summary";
    QTest::newRow("no hand at all") << "not_a_hand_history.txt" << 0 << "not a hand history";
}

void TestHandHistoryReader::problems()
{
    QFETCH(QString, file);
    QFETCH(int, part);
    QFETCH(QString, said);
    const HandHistoryReading reading = readHandHistory(sample(file));
    QVERIFY(part < reading.hands.size());
    QCOMPARE(reading.hands.at(part).kind, Kind::Unreadable);
    QVERIFY2(reading.hands.at(part).problem.contains(said),
             qPrintable(reading.hands.at(part).problem));
}

void TestHandHistoryReader::lineBreaksAndEncodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QStringList>("lines");

    const auto utf8 = int(TextEncoding::Utf8);
    const auto windows = int(TextEncoding::Windows1252);
    QTest::newRow("LF") << QByteArray("a\nb\n") << utf8 << QStringList{"a", "b"};
    QTest::newRow("CRLF") << QByteArray("a\r\nb\r\n") << utf8 << QStringList{"a", "b"};
    QTest::newRow("CR") << QByteArray("a\rb") << utf8 << QStringList{"a", "b"};
    QTest::newRow("blank lines kept")
        << QByteArray("a\r\n\r\n\nb") << utf8 << QStringList{"a", "", "", "b"};
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF\xC3\x85ngstr\xC3\xB6m\n") << utf8
                                    << QStringList{QStringLiteral("Ångström")};
    QTest::newRow("the byte-order mark of a file joined to another")
        << QByteArray("a\n\xEF\xBB\xBF"
                      "b\n")
        << utf8 << QStringList{"a", "b"};
    QTest::newRow("Windows-1252 euro and accents")
        << QByteArray("Ren\xE9"
                      "e \x80"
                      "5 \x93q\x94\n")
        << windows << QStringList{QStringLiteral("Renée €5 “q”")};
    QTest::newRow("an overlong UTF-8 form is Windows-1252")
        << QByteArray("\xC0\xAF") << windows << QStringList{QStringLiteral("À¯")};
    QTest::newRow("a lone UTF-8 lead byte at the end is Windows-1252")
        << QByteArray("ok \xC3") << windows << QStringList{QStringLiteral("ok Ã")};
}

void TestHandHistoryReader::lineBreaksAndEncodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, encoding);
    QFETCH(QStringList, lines);
    const DecodedLines decoded = decodeLines(bytes);
    QCOMPARE(int(decoded.encoding), encoding);
    QStringList texts;
    qsizetype expectedOffset = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    for (const TextLine &line : decoded.lines) {
        texts << line.text;
        QCOMPARE(line.offset, expectedOffset);
        expectedOffset = line.end;
    }
    QCOMPARE(texts, lines);
    QCOMPARE(expectedOffset, bytes.size());
}

void TestHandHistoryReader::shortTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("parts");

    const QString header =
        QStringLiteral("PokerStars Hand #11: Hold'em No Limit ($1/$2) - 2024/01/01 10:00:00 ET\n");
    const QString dealt = QStringLiteral("*** HOLE CARDS ***\nDealt to ann [Ah Kd]\n");
    const QString summary = QStringLiteral("*** SUMMARY ***\nTotal pot $3\n");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("only blank lines") << QStringLiteral("\n\n  \n") << QStringList();
    QTest::newRow("a chat line quoting a header stays in its hand")
        << header + dealt + QStringLiteral("bob said, \"PokerStars Hand #12: Hold'em\"\n") + summary
        << QStringList{"played 11 @1 2024-01-01 ann Ah Kd -- -- -- -- -- Lose"};
    QTest::newRow("someone quoting a fold or a win in the chat")
        << header + dealt +
               QStringLiteral("bob said, \"ann: folds\"\nbob said, \"carl collected $9 "
                              "from pot\"\nann collected $3 from pot\n") +
               summary
        << QStringList{"played 11 @1 2024-01-01 ann Ah Kd -- -- -- -- -- Win"};
    QTest::newRow("a fold with shown cards")
        << header + dealt + QStringLiteral("ann: folds [Ah Kd]\n") + summary
        << QStringList{"played 11 @1 2024-01-01 ann Ah Kd -- -- -- -- -- Fold"};
    QTest::newRow("only the summary says who won")
        << header + QStringLiteral("Seat 1: ann ($5 in chips)\nSeat 2: bob ($5 in chips)\n") +
               dealt + summary + QStringLiteral("Seat 1: ann collected ($3)\n")
        << QStringList{"played 11 @1 2024-01-01 ann Ah Kd -- -- -- -- -- Win"};
    QTest::newRow("only the summary board")
        << header + dealt + summary + QStringLiteral("Board [2c 3c 4c 5c]\n")
        << QStringList{"played 11 @1 2024-01-01 ann Ah Kd 2c 3c 4c 5c -- Lose"};
    QTest::newRow("a turn without a flop")
        << header + dealt + QStringLiteral("*** TURN *** [2c 3c 4c] [5c]\n") + summary
        << QStringList{"unreadable 11 @1 problem @4"};
    QTest::newRow("a flop of two cards")
        << header + dealt + QStringLiteral("*** FLOP *** [2c 3c]\n") + summary
        << QStringList{"unreadable 11 @1 problem @4"};
    QTest::newRow("a hand number too long to be one")
        << QStringLiteral("PokerStars Hand #%1: Hold'em - 2024/01/01\n").arg(QString(60, u'7'))
        << QStringList{"unreadable  @1 problem @1"};
    QTest::newRow("a day that does not exist, then one that does")
        << QStringLiteral("PokerStars Hand #11: Hold'em - 2024/02/30 [2024/03/01 ET]\n") + dealt +
               summary
        << QStringList{"played 11 @1 2024-03-01 ann Ah Kd -- -- -- -- -- Lose"};
    QTest::newRow("a name with brackets of its own, every player named in the deal")
        << header +
               QStringLiteral("Seat 1: bob ($5 in chips)\nSeat 2: ann [x] ($5 in chips)\n"
                              "*** HOLE CARDS ***\nDealt to bob\nDealt to ann [x] [Ah Kd]\n"
                              "ann [x] collected $3 from pot\n") +
               summary
        << QStringList{"played 11 @1 2024-01-01 ann [x] Ah Kd -- -- -- -- -- Win"};
    QTest::newRow("one card dealt in a hold'em hand is no hold'em")
        << header + QStringLiteral("Dealt to ann [Ah]\n") + summary
        << QStringList{"other game 11 @1"};
}

void TestHandHistoryReader::shortTexts()
{
    QFETCH(QString, text);
    QFETCH(QStringList, parts);
    QCOMPARE(describe(readHandHistory(text.toUtf8()).hands), parts);
}

void TestHandHistoryReader::lastHandWhileTheClientWrites_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("hands");
    QTest::addColumn<int>("consumedLines");

    const QString hand =
        QStringLiteral("PokerStars Hand #11: Hold'em No Limit ($1/$2) - 2024/01/01 10:00:00 ET\n"
                       "*** HOLE CARDS ***\nDealt to ann [Ah Kd]\n*** SUMMARY ***\n"
                       "Total pot $3\nSeat 1: ann collected ($3)\n");
    const QString next =
        QStringLiteral("PokerStars Hand #12: Hold'em No Limit ($1/$2) - 2024/01/01 10:01:00 ET\n");
    const int blank = int(HandEnd::BlankLine);
    const int summary = int(HandEnd::Summary);
    const int final = int(HandEnd::Final);
    QTest::newRow("summary without a blank line, waiting for one") << hand << blank << 0 << 0;
    QTest::newRow("summary and a blank line") << hand + "\n" << blank << 1 << 7;
    QTest::newRow("the next hand begins") << hand + next << blank << 1 << 6;
    QTest::newRow("summary begun, taken once settled") << hand << summary << 1 << 6;
    QTest::newRow("summary begun, its last line still being written")
        << hand.chopped(4) << summary << 0 << 0;
    QTest::newRow("before the summary, not even when settled")
        << hand.left(hand.indexOf("*** SUMMARY")) << summary << 0 << 0;
    QTest::newRow("a line still being written is not read")
        << hand + "\n" + next.chopped(1) << blank << 1 << 7;
    QTest::newRow("a header still being written")
        << next.chopped(30) << final << 1 << 1; // at the end of a file it is a part of its own
    QTest::newRow("a hand cut short, followed by the next")
        << hand.left(hand.indexOf("*** SUMMARY")) + next << blank << 1 << 3;
}

void TestHandHistoryReader::lastHandWhileTheClientWrites()
{
    QFETCH(QString, text);
    QFETCH(int, end);
    QFETCH(int, hands);
    QFETCH(int, consumedLines);
    const QByteArray bytes = text.toUtf8();
    HandHistoryReadOptions options;
    options.end = HandEnd(end);
    const HandHistoryReading reading = readHandHistory(bytes, options);
    QCOMPARE(reading.hands.size(), hands);
    QCOMPARE(reading.consumedLines, consumedLines);
    // What was read ends at the start of a line, or with the bytes.
    QVERIFY(reading.consumed == 0 || reading.consumed == bytes.size() ||
            bytes.at(reading.consumed - 1) == '\n');
}

void TestHandHistoryReader::aFileReadAsItGrows_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("step"); // bytes the client adds at a time
    for (const QString &file : kSamples) {
        for (const int step : {1, 37, 500}) {
            QTest::addRow("%s, %d bytes at a time", qPrintable(file), step) << file << step;
        }
    }
}

// Read whenever the client has written a little more, each time from where the last reading
// stopped, the file gives the same hands, on the same lines, as when read whole.
void TestHandHistoryReader::aFileReadAsItGrows()
{
    QFETCH(QString, file);
    QFETCH(int, step);
    const QByteArray whole = sample(file);
    QList<HandHistoryHand> found;
    qsizetype read = 0;
    int line = 1;
    bool insidePart = false;
    const auto readFrom = [&](qsizetype size, HandEnd end) {
        HandHistoryReadOptions options;
        options.end = end;
        options.firstLine = line;
        options.startsInsidePart = insidePart;
        const HandHistoryReading reading =
            readHandHistory(QByteArrayView(whole).sliced(read, size - read), options);
        found += reading.hands;
        read += reading.consumed;
        line += reading.consumedLines;
        if (reading.consumedLines > 0)
            insidePart = reading.endsInsidePart;
    };
    for (qsizetype size = step; size < whole.size(); size += step)
        readFrom(size, HandEnd::BlankLine);
    readFrom(whole.size(), HandEnd::Final);
    QCOMPARE(read, whole.size());
    QCOMPARE(describe(found), describe(readHandHistory(whole).hands));
}

// Bytes of every kind: prefixes and damaged copies of the samples, long lines of brackets and
// stars. Every reading stays within its bytes.
void TestHandHistoryReader::damagedBytes()
{
    QRandomGenerator random(15);
    QList<QByteArray> inputs;
    for (const QString &file : kSamples) {
        const QByteArray bytes = sample(file);
        for (qsizetype cut = 0; cut < bytes.size(); cut += 97)
            inputs << bytes.left(cut);
        for (int copy = 0; copy < 20; ++copy) {
            QByteArray damaged = bytes;
            for (int flip = 0; flip < 8; ++flip)
                damaged[int(random.bounded(int(damaged.size())))] = char(random.bounded(256));
            inputs << damaged;
        }
    }
    inputs << QByteArray(200000, '[') << QByteArray(200000, '*')
           << QByteArray("PokerStars Hand #1: Hold'em - 2024/01/01\nDealt to ") +
                  QByteArray(100000, '[')
           << QByteArray("PokerStars Hand #1: ") + QByteArray(100000, '(')
           << QByteArray(100000, '\n')
           << QByteArray("\xFF\xFE"
                         "a\0b\0",
                         6);
    for (const QByteArray &input : inputs) {
        for (const HandEnd end : {HandEnd::Final, HandEnd::BlankLine, HandEnd::Summary}) {
            HandHistoryReadOptions options;
            options.end = end;
            const HandHistoryReading reading = readHandHistory(input, options);
            QVERIFY(reading.consumed >= 0 && reading.consumed <= input.size());
            for (const HandHistoryHand &hand : reading.hands) {
                if (hand.kind == Kind::Played) {
                    QVERIFY(hand.date.isValid());
                    QVERIFY(hand.cards[0] > 0 && hand.cards[1] > 0);
                }
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestHandHistoryReader)
#include "tst_handhistoryreader.moc"
