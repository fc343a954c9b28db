// SPDX-License-Identifier: GPL-3.0-or-later
// Cards, codes and the hand state: the deck table, the seven slots and the evaluation hand.
#include "engine/cards.h"
#include "engine/handstate.h"

#include <QTest>

#include <cctype>

using namespace tallowby;

namespace {

// Indices of the slots, in the order the cards are entered.
constexpr int kFlopHand[] = {13, 14, 52, 27, 8};

QString codeOf(const TCard &card)
{
    return QString(QLatin1Char(card.Rank)) + QLatin1Char(card.Suit);
}

int liveCount(const HandState &hand)
{
    int live = 0;
    for (int i = 1; i <= kCardCount; ++i)
        live += hand.Deck[i].Live;
    return live;
}

} // namespace

class TestHand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cardIndices_data();
    void cardIndices();
    void deckAfterReset();
    void unseenCountByStage();
    void emptyingASlotFreesItsCard();
    void replacingACardFreesTheOldOne();
    void emptiedSlotLooksLikeAfterReset();
    void loadEvalHandWithTwoHoleCards();
    void loadEvalHandKeepsSlotPositions();
    void codesRoundTrip();
    void codesRejected_data();
    void codesRejected();
    void rankLetters();
    void spokenNames();
    void oneSharedHand();
};

void TestHand::cardIndices_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("value");
    QTest::addColumn<QChar>("rank");
    QTest::addColumn<QChar>("suit");
    QTest::addColumn<QString>("code");

    QTest::newRow("1") << 1 << 1 << QChar('2') << QChar('s') << "2s";
    QTest::newRow("13") << 13 << 13 << QChar('A') << QChar('s') << "As";
    QTest::newRow("14") << 14 << 1 << QChar('2') << QChar('d') << "2d";
    QTest::newRow("22") << 22 << 9 << QChar('T') << QChar('d') << "Td";
    QTest::newRow("26") << 26 << 13 << QChar('A') << QChar('d') << "Ad";
    QTest::newRow("27") << 27 << 1 << QChar('2') << QChar('c') << "2c";
    QTest::newRow("39") << 39 << 13 << QChar('A') << QChar('c') << "Ac";
    QTest::newRow("40") << 40 << 1 << QChar('2') << QChar('h') << "2h";
    QTest::newRow("52") << 52 << 13 << QChar('A') << QChar('h') << "Ah";
}

void TestHand::cardIndices()
{
    QFETCH(int, index);
    QFETCH(int, value);
    QFETCH(QChar, rank);
    QFETCH(QChar, suit);
    QFETCH(QString, code);

    HandState hand;
    hand.ResetHand();
    const TCard &entry = hand.Deck[index];
    QCOMPARE(entry.Index, index);
    QCOMPARE(entry.Value, value);
    QCOMPARE(QChar(entry.Rank), rank);
    QCOMPARE(QChar(entry.Suit), suit);

    hand.SetSlotCard(F2, index);
    QCOMPARE(QString::fromStdString(hand.CardCode(F2)), code);
    QCOMPARE(QString::fromStdString(cardCode(index)), code);
    QCOMPARE(cardValue(index), value);
    QCOMPARE(cardIndex(cardValue(index), cardSuit(index)), index);

    const TCard made = makeCard(index);
    QCOMPARE(made.Index, index);
    QCOMPARE(made.Value, value);
    QCOMPARE(made.Live, 0);
    QCOMPARE(codeOf(made), code);
}

void TestHand::deckAfterReset()
{
    HandState hand;
    hand.ResetHand();
    for (int s = H1; s <= Rr; ++s)
        hand.SetSlotCard(s, 40 + s);
    hand.ResetHand();
    for (int r = 1; r <= 13; ++r) {
        int block = 0;
        for (char suit : {'s', 'd', 'c', 'h'}) {
            const TCard &entry = hand.Deck[r + 13 * block++];
            QCOMPARE(entry.Index, r + 13 * (block - 1));
            QCOMPARE(entry.Value, r);
            QCOMPARE(entry.Suit, suit);
            QCOMPARE(entry.Rank, "23456789TJQKA"[r - 1]);
            QCOMPARE(entry.Live, 1);
        }
    }
    for (int s = H1; s <= Rr; ++s) {
        QCOMPARE(hand.Slots[s].Index, 0);
        QCOMPARE(hand.Slots[s].Value, -1);
        QCOMPARE(hand.Slots[s].Live, 0);
        QCOMPARE(hand.CardCode(s), std::string("--"));
    }
}

void TestHand::unseenCountByStage()
{
    HandState hand;
    hand.ResetHand();
    QCOMPARE(hand.UnseenCount(), 52);
    hand.SetSlotCard(H1, 13);
    hand.SetSlotCard(H2, 26);
    QCOMPARE(hand.UnseenCount(), 50);
    hand.SetSlotCard(F1, 1);
    hand.SetSlotCard(F2, 2);
    hand.SetSlotCard(F3, 3);
    QCOMPARE(hand.UnseenCount(), 47);
    hand.SetSlotCard(Tn, 40);
    QCOMPARE(hand.UnseenCount(), 46);
    hand.SetSlotCard(Rr, 52);
    QCOMPARE(hand.UnseenCount(), 45);
    QCOMPARE(liveCount(hand), 45);
}

void TestHand::emptyingASlotFreesItsCard()
{
    HandState hand;
    hand.ResetHand();
    for (int s = H1; s <= F3; ++s)
        hand.SetSlotCard(s, kFlopHand[s - 1]);
    QCOMPARE(hand.Deck[52].Live, 0);
    hand.SetSlotCard(F1, 0);
    QCOMPARE(hand.Deck[52].Live, 1);
    QCOMPARE(hand.UnseenCount(), 48);
    QCOMPARE(liveCount(hand), 48);
    QCOMPARE(hand.Deck[13].Live, 0);
}

void TestHand::replacingACardFreesTheOldOne()
{
    HandState hand;
    hand.ResetHand();
    hand.SetSlotCard(H1, 13);
    hand.SetSlotCard(H1, 26);
    QCOMPARE(hand.Deck[13].Live, 1);
    QCOMPARE(hand.Deck[26].Live, 0);
    QCOMPARE(hand.Slots[H1].Index, 26);
    QCOMPARE(hand.CardCode(H1), std::string("Ad"));
    QCOMPARE(hand.UnseenCount(), 51);
    QCOMPARE(liveCount(hand), 51);
}

void TestHand::emptiedSlotLooksLikeAfterReset()
{
    HandState hand;
    hand.ResetHand();
    hand.SetSlotCard(H1, 13);
    hand.SetSlotCard(Tn, 30);
    hand.SetSlotCard(Tn, 0);
    const TCard &emptied = hand.Slots[Tn];
    QCOMPARE(emptied.Index, 0);
    QCOMPARE(emptied.Value, -1);
    QCOMPARE(emptied.Live, 0);
    QCOMPARE(emptied.Suit, '-');
    QCOMPARE(emptied.Rank, '-');
    QCOMPARE(hand.CardCode(Tn), std::string("--"));
    QCOMPARE(liveCount(hand), 51);

    hand.ResetHand();
    QCOMPARE(liveCount(hand), 52);
    QCOMPARE(hand.CardCode(H1), std::string("--"));
}

void TestHand::loadEvalHandWithTwoHoleCards()
{
    HandState hand;
    hand.ResetHand();
    hand.SetSlotCard(H1, 13);
    hand.SetSlotCard(H2, 14);
    hand.LoadEvalHandFromSlots();
    QCOMPARE(hand.EvalHand[0].Value, 13);
    QCOMPARE(hand.EvalHand[0].Suit, 's');
    QCOMPARE(hand.EvalHand[1].Value, 1);
    QCOMPARE(hand.EvalHand[1].Rank, '2');
    for (int i = 2; i < 7; ++i) {
        QCOMPARE(hand.EvalHand[i].Value, -1);
        QCOMPARE(hand.EvalHand[i].Suit, '-');
        QCOMPARE(hand.EvalHand[i].Rank, '-');
    }
}

void TestHand::loadEvalHandKeepsSlotPositions()
{
    HandState hand;
    hand.ResetHand();
    hand.SetSlotCard(F2, 22);
    hand.SetSlotCard(Rr, 40);
    hand.LoadEvalHandFromSlots();
    for (int k = 1; k <= 7; ++k) {
        QCOMPARE(hand.EvalHand[k - 1].Value, hand.Slots[k].Value);
        QCOMPARE(hand.EvalHand[k - 1].Suit, hand.Slots[k].Suit);
        QCOMPARE(hand.EvalHand[k - 1].Rank, hand.Slots[k].Rank);
    }
    QCOMPARE(hand.EvalHand[3].Rank, 'T');
    QCOMPARE(hand.EvalHand[6].Suit, 'h');
}

void TestHand::codesRoundTrip()
{
    for (int index = 0; index <= kCardCount; ++index) {
        const std::string code = cardCode(index);
        QCOMPARE(cardIndexFromCode(code), index);
        if (index > 0) {
            const std::string lower{static_cast<char>(std::tolower(code[0])), code[1]};
            QCOMPARE(cardIndexFromCode(lower), index);
        }
    }
    QCOMPARE(cardCode(0), std::string("--"));
}

void TestHand::codesRejected_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("empty") << "";
    QTest::newRow("one letter") << "A";
    QTest::newRow("three letters") << "Ass";
    QTest::newRow("rank 1") << "1s";
    QTest::newRow("rank 10") << "10";
    QTest::newRow("upper-case suit") << "AS";
    QTest::newRow("unknown suit") << "Ax";
    QTest::newRow("rank without suit") << "A-";
    QTest::newRow("suit without rank") << "-s";
    QTest::newRow("blank") << " s";
}

void TestHand::codesRejected()
{
    QFETCH(QString, code);
    QCOMPARE(cardIndexFromCode(code.toStdString()), -1);
}

void TestHand::rankLetters()
{
    for (int value = 1; value <= 13; ++value) {
        QCOMPARE(rankLetter(value), "23456789TJQKA"[value - 1]);
        QCOMPARE(rankValueOf(rankLetter(value)), value);
    }
    QCOMPARE(rankValueOf('t'), 9);
    QCOMPARE(rankValueOf('a'), 13);
    QCOMPARE(rankLetter(0), '-');
    QCOMPARE(rankLetter(-1), '-');
    QCOMPARE(rankLetter(14), '-');
    QCOMPARE(rankValueOf('-'), -1);
    QCOMPARE(rankValueOf('1'), -1);
    QCOMPARE(rankValueOf('x'), -1);
}

void TestHand::spokenNames()
{
    QCOMPARE(cardName(13), std::string("Ace of spades"));
    QCOMPARE(cardName(40), std::string("Deuce of hearts"));
}

void TestHand::oneSharedHand()
{
    QCOMPARE(&currentHand(), &currentHand());
}

QTEST_GUILESS_MAIN(TestHand)
#include "tst_hand.moc"
