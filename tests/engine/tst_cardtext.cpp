// SPDX-License-Identifier: GPL-3.0-or-later
// The reader of written cards: texts of codes as people write them, the part it names when a
// text is refused, and its soundness on any bytes at all.
#include "engine/cards.h"
#include "engine/cardtext.h"

#include <QtTest>

#include <random>

using namespace tallowby;

Q_DECLARE_METATYPE(tallowby::CardTextProblem)

namespace {

std::string bytesOf(const QString &text)
{
    return text.toStdString();
}

QString codesOf(const CardTextReading &reading)
{
    QStringList codes;
    for (const int card : reading.cards)
        codes << QString::fromStdString(cardCode(card));
    return codes.join(' ');
}

// What any reading must satisfy, whatever the text.
void checkSound(std::string_view text, const CardTextReading &reading)
{
    const auto within = [text](TextSpan span) {
        return span.offset <= text.size() && span.length <= text.size() - span.offset;
    };
    if (reading.ok()) {
        QVERIFY(!reading.cards.empty());
        QCOMPARE(reading.where.size(), reading.cards.size());
        std::size_t after = 0;
        bool seen[kCardCount + 1] = {};
        for (std::size_t i = 0; i < reading.cards.size(); ++i) {
            const int card = reading.cards[i];
            QVERIFY(card >= 1 && card <= kCardCount);
            QVERIFY(!seen[card]);
            seen[card] = true;
            const TextSpan span = reading.where[i];
            QVERIFY(within(span) && span.length >= 2);
            QVERIFY(span.offset >= after);
            after = span.offset + span.length;
            // Each writing read alone is that card and nothing else.
            const CardTextReading alone = readCardText(span.of(text));
            QVERIFY(alone.ok());
            QCOMPARE(alone.cards, std::vector<int>{card});
        }
    } else {
        QVERIFY(reading.cards.empty());
        QVERIFY(within(reading.offending));
        QVERIFY(within(reading.word));
        QVERIFY(reading.word.offset <= reading.offending.offset);
        QVERIFY(reading.offending.offset + reading.offending.length <=
                reading.word.offset + reading.word.length);
        if (reading.problem != CardTextProblem::NoCards)
            QVERIFY(reading.offending.length > 0);
        if (reading.problem == CardTextProblem::RepeatedCard) {
            QVERIFY(within(reading.earlier));
            QVERIFY(reading.earlier.offset + reading.earlier.length <= reading.offending.offset);
        }
    }
}

} // namespace

class TestCardText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsCards_data();
    void readsCards();
    void refuses_data();
    void refuses();
    void wholeDeckInOneWord();
    void characters_data();
    void characters();
    void characterPositions();
    void soundOnEveryTwoBytes();
    void soundOnRandomTexts();
};

void TestCardText::readsCards_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cards");

    QTest::newRow("Ah Kh Qh 7h 2c") << "Ah Kh Qh 7h 2c"
                                    << "Ah Kh Qh 7h 2c";
    QTest::newRow("AhKh Qh7h2c") << "AhKh Qh7h2c"
                                 << "Ah Kh Qh 7h 2c";
    QTest::newRow("ah, kh") << "ah, kh"
                            << "Ah Kh";
    QTest::newRow("upper-case suits") << "AS KD QC JH"
                                      << "As Kd Qc Jh";
    QTest::newRow("10h Jh") << "10h Jh"
                            << "Th Jh";
    QTest::newRow("10h10s run together") << "10h10s"
                                         << "Th Ts";
    QTest::newRow("t and T") << "td Ts"
                             << "Td Ts";
    QTest::newRow("deuce to nine") << "2s3d4c5h6s7d8c9h"
                                   << "2s 3d 4c 5h 6s 7d 8c 9h";
    QTest::newRow("suit symbols") << "A\u2660 K\u2666 Q\u2663 J\u2665"
                                  << "As Kd Qc Jh";
    QTest::newRow("10\u2663J\u2663") << "10\u2663J\u2663"
                                     << "Tc Jc";
    QTest::newRow("white suit symbols") << "A\u2664 A\u2662 A\u2667 A\u2661"
                                        << "As Ad Ac Ah";
    QTest::newRow("emoji suits") << "A\u2660\uFE0FK\u2665\uFE0F"
                                 << "As Kh";
    QTest::newRow("tabs, line breaks, semicolons, no-break space") << "Ah\tKh\nQh;Jh\u00A0Th\r\n"
                                                                   << "Ah Kh Qh Jh Th";
    QTest::newRow("separators around") << " ,; Ah ,"
                                       << "Ah";
}

void TestCardText::readsCards()
{
    QFETCH(QString, text);
    QFETCH(QString, cards);
    const std::string bytes = bytesOf(text);
    const CardTextReading reading = readCardText(bytes);
    QCOMPARE(reading.problem, CardTextProblem::None);
    QCOMPARE(codesOf(reading), cards);
    checkSound(bytes, reading);
}

void TestCardText::refuses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<CardTextProblem>("problem");
    QTest::addColumn<QString>("offending");
    QTest::addColumn<QString>("word");

    using P = CardTextProblem;
    QTest::newRow("nothing") << "" << P::NoCards << ""
                             << "";
    QTest::newRow("separators only") << " , ;" << P::NoCards << " , ;"
                                     << " , ;";
    QTest::newRow("Xx") << "Xx" << P::NotACard << "X"
                        << "Xx";
    QTest::newRow("Ah Xx Kh") << "Ah Xx Kh" << P::NotACard << "X"
                              << "Xx";
    QTest::newRow("AhKhZz") << "AhKhZz" << P::NotACard << "Z"
                            << "AhKhZz";
    QTest::newRow("1s") << "1s" << P::NotACard << "1"
                        << "1s";
    QTest::newRow("empty slot --") << "Ah --" << P::NotACard << "-"
                                   << "--";
    QTest::newRow("a word") << "Ah Kh flop" << P::NotACard << "f"
                            << "flop";
    QTest::newRow("K at the end") << "Ah K" << P::MissingSuit << "K"
                                  << "K";
    QTest::newRow("K before a blank") << "Ah K Qh" << P::MissingSuit << "K"
                                      << "K";
    QTest::newRow("K before a comma") << "K,Qh" << P::MissingSuit << "K"
                                      << "K";
    QTest::newRow("10 without suit") << "Ah 10" << P::MissingSuit << "10"
                                     << "10";
    QTest::newRow("rank and suit apart") << "A h" << P::MissingSuit << "A"
                                         << "A";
    QTest::newRow("no-break space between") << "A\u00A0h" << P::MissingSuit << "A"
                                            << "A";
    QTest::newRow("Ax") << "Ax" << P::UnknownSuit << "Ax"
                        << "Ax";
    QTest::newRow("AKh") << "AKh" << P::UnknownSuit << "AK"
                         << "AKh";
    QTest::newRow("music sign for a suit") << "Ah A\u266A" << P::UnknownSuit << "A\u266A"
                                           << "A\u266A";
    QTest::newRow("Ah ah") << "Ah ah" << P::RepeatedCard << "ah"
                           << "ah";
    QTest::newRow("symbol and letter") << "A\u2665 Kh Ah" << P::RepeatedCard << "Ah"
                                       << "Ah";
    QTest::newRow("10h Th run together") << "Qs10hTh" << P::RepeatedCard << "Th"
                                         << "Qs10hTh";
}

void TestCardText::refuses()
{
    QFETCH(QString, text);
    QFETCH(CardTextProblem, problem);
    QFETCH(QString, offending);
    QFETCH(QString, word);
    const std::string bytes = bytesOf(text);
    const CardTextReading reading = readCardText(bytes);
    QCOMPARE(reading.problem, problem);
    QCOMPARE(QString::fromStdString(std::string(reading.offending.of(bytes))), offending);
    QCOMPARE(QString::fromStdString(std::string(reading.word.of(bytes))), word);
    QVERIFY(reading.cards.empty());
    checkSound(bytes, reading);
}

void TestCardText::wholeDeckInOneWord()
{
    std::string all;
    for (int card = 1; card <= kCardCount; ++card)
        all += cardCode(card);
    CardTextReading reading = readCardText(all);
    QVERIFY(reading.ok());
    QCOMPARE(reading.cards.size(), std::size_t(kCardCount));
    for (int card = 1; card <= kCardCount; ++card)
        QCOMPARE(reading.cards[card - 1], card);

    // A 53rd card can only be one of them again.
    reading = readCardText(all + "7c");
    QCOMPARE(reading.problem, CardTextProblem::RepeatedCard);
    QCOMPARE(reading.repeatedCard, cardIndex(6, 2));
    QCOMPARE(std::string(reading.earlier.of(all)), std::string("7c"));
}

void TestCardText::characters_data()
{
    QTest::addColumn<uint>("character");
    QTest::addColumn<int>("rank");
    QTest::addColumn<int>("suit");

    QTest::newRow("2") << uint('2') << 1 << -1;
    QTest::newRow("9") << uint('9') << 8 << -1;
    QTest::newRow("T") << uint('T') << 9 << -1;
    QTest::newRow("t") << uint('t') << 9 << -1;
    QTest::newRow("a") << uint('a') << 13 << -1;
    QTest::newRow("1 is no rank alone") << uint('1') << -1 << -1;
    QTest::newRow("0 is no rank alone") << uint('0') << -1 << -1;
    QTest::newRow("s") << uint('s') << -1 << 0;
    QTest::newRow("D") << uint('D') << -1 << 1;
    QTest::newRow("c") << uint('c') << -1 << 2;
    QTest::newRow("H") << uint('H') << -1 << 3;
    QTest::newRow("\u2660") << uint(0x2660) << -1 << 0;
    QTest::newRow("\u2666") << uint(0x2666) << -1 << 1;
    QTest::newRow("\u2663") << uint(0x2663) << -1 << 2;
    QTest::newRow("\u2665") << uint(0x2665) << -1 << 3;
    QTest::newRow("x") << uint('x') << -1 << -1;
    QTest::newRow("-") << uint('-') << -1 << -1;
    QTest::newRow("a letter above ASCII") << uint(0x0100 + 'A') << -1 << -1;
}

void TestCardText::characters()
{
    QFETCH(uint, character);
    QFETCH(int, rank);
    QFETCH(int, suit);
    QCOMPARE(rankOfCharacter(character), rank);
    QCOMPARE(suitOfCharacter(character), suit);
}

void TestCardText::characterPositions()
{
    const std::string text = bytesOf(QStringLiteral("\u2660\u2660Xx"));
    QCOMPARE(characterPosition(text, 0), std::size_t(1));
    QCOMPARE(characterPosition(text, 6), std::size_t(3));
    const CardTextReading reading = readCardText(text);
    QCOMPARE(characterPosition(text, reading.offending.offset), std::size_t(1));
    const std::string later = bytesOf(QStringLiteral("A\u2660 Xx"));
    QCOMPARE(characterPosition(later, readCardText(later).offending.offset), std::size_t(4));
}

// Every text of two bytes: nothing read out of bounds, and every reading consistent.
void TestCardText::soundOnEveryTwoBytes()
{
    for (int first = 0; first < 256; ++first) {
        for (int second = 0; second < 256; ++second) {
            const char bytes[2] = {static_cast<char>(first), static_cast<char>(second)};
            const std::string_view text(bytes, 2);
            checkSound(text, readCardText(text));
            checkSound(text.substr(0, 1), readCardText(text.substr(0, 1)));
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("bytes %1 %2").arg(first).arg(second)));
        }
    }
}

// Texts made of the pieces cards are written with, broken UTF-8 included.
void TestCardText::soundOnRandomTexts()
{
    const std::vector<std::string> pieces = {"A",
                                             "k",
                                             "T",
                                             "1",
                                             "0",
                                             "10",
                                             "s",
                                             "H",
                                             "d",
                                             "c",
                                             " ",
                                             ",",
                                             ";",
                                             "\n",
                                             "\xC2\xA0",
                                             "\xE2\x99\xA0",
                                             "\xE2\x99\xA5",
                                             "\xEF\xB8\x8F",
                                             "\xE2\x99",
                                             "\xFF",
                                             "\x80",
                                             "x",
                                             "-"};
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 24);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += pieces[piece(random)];
        checkSound(text, readCardText(text));
        if (QTest::currentTestFailed())
            QFAIL(QByteArray::fromStdString(text).toPercentEncoding().constData());
    }
}

QTEST_GUILESS_MAIN(TestCardText)
#include "tst_cardtext.moc"
