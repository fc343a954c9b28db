// SPDX-License-Identifier: GPL-3.0-or-later
// The pot-odds arithmetic: rounding, number texts, strict reading, the key filters and the whole
// recomputation from the field texts.
#include "tools/potoddsmath.h"

#include <QTest>

#include <limits>

using namespace tallowby;

Q_DECLARE_METATYPE(tallowby::PotOddsRound)

class TestPotOddsMath : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundedText_data();
    void roundedText();
    void generalFormat_data();
    void generalFormat();
    void parse_data();
    void parse();
    void outs_data();
    void outs();
    void potKeyFilter_data();
    void potKeyFilter();
    void outsKeyFilter_data();
    void outsKeyFilter();
    void calc_data();
    void calc();
    void profitShades_data();
    void profitShades();
};

void TestPotOddsMath::roundedText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0.05") << 0.05 << "0.1";
    QTest::newRow("0.04") << 0.04 << "0";
    QTest::newRow("-0.05") << -0.05 << "0";
    QTest::newRow("-0.04") << -0.04 << "0";
    QTest::newRow("-0.06") << -0.06 << "-0.1";
    QTest::newRow("0.15") << 0.15 << "0.2";
    QTest::newRow("-0.15") << -0.15 << "-0.1";
    QTest::newRow("1.15") << 1.15 << "1.2";
    QTest::newRow("2.25") << 2.25 << "2.3";
    QTest::newRow("-2.25") << -2.25 << "-2.2";
    QTest::newRow("-85.15") << -85.15 << "-85.1";
    QTest::newRow("-85.16") << -85.16 << "-85.2";
    QTest::newRow("-85.106") << -85.106 << "-85.1";
    QTest::newRow("19.149") << 19.149 << "19.1";
    QTest::newRow("1071.4286") << 1071.4286 << "1071.4";
    QTest::newRow("17.96") << 17.96 << "18";
    QTest::newRow("-0.95") << -0.95 << "-0.9";
}

void TestPotOddsMath::roundedText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(generalNumberText(roundTenth(value), QStringLiteral(".")), text);
}

void TestPotOddsMath::generalFormat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("text");
    QTest::newRow("17") << 17.0 << "."
                        << "17";
    QTest::newRow("-85.1") << -85.1 << "."
                           << "-85.1";
    QTest::newRow("-85.1 comma") << -85.1 << ","
                                 << "-85,1";
    QTest::newRow("1071.4 comma") << 1071.4 << ","
                                  << "1071,4";
    QTest::newRow("-0") << -0.0 << "."
                        << "0";
    QTest::newRow("no thousands separator") << 99999900.5 << "."
                                            << "99999900.5";
    QTest::newRow("15 significant digits") << 1234567890.123456789 << "."
                                           << "1234567890.12346";
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "."
                              << "";
}

void TestPotOddsMath::generalFormat()
{
    QFETCH(double, value);
    QFETCH(QString, separator);
    QFETCH(QString, text);
    QCOMPARE(generalNumberText(value, separator), text);
}

void TestPotOddsMath::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("100") << "100"
                         << "." << true << 100.0;
    QTest::newRow("1.5") << "1.5"
                         << "." << true << 1.5;
    QTest::newRow("1,5 comma") << "1,5"
                               << "," << true << 1.5;
    QTest::newRow("1.") << "1."
                        << "." << true << 1.0;
    QTest::newRow(".5") << ".5"
                        << "." << true << 0.5;
    QTest::newRow("+5") << "+5"
                        << "." << true << 5.0;
    QTest::newRow("-12.25") << "-12.25"
                            << "." << true << -12.25;
    QTest::newRow("1e3") << "1e3"
                         << "." << true << 1000.0;
    QTest::newRow("1,5 under dot") << "1,5"
                                   << "." << false << 0.0;
    QTest::newRow("1.5 under comma") << "1.5"
                                     << "," << false << 0.0;
    QTest::newRow("1,000 thousands") << "1,000"
                                     << "." << false << 0.0;
    QTest::newRow("1.000,5 thousands comma") << "1.000,5"
                                             << "," << false << 0.0;
    QTest::newRow("1.5,") << "1.5,"
                          << "." << false << 0.0;
    QTest::newRow("1.5.1") << "1.5.1"
                           << "." << false << 0.0;
    QTest::newRow("lone dot") << "."
                              << "." << false << 0.0;
    QTest::newRow("empty") << ""
                           << "." << false << 0.0;
    QTest::newRow("lone sign") << "-"
                               << "." << false << 0.0;
    QTest::newRow("12a") << "12a"
                         << "." << false << 0.0;
    QTest::newRow("leading blank") << " 12"
                                   << "." << false << 0.0;
    QTest::newRow("trailing blank") << "12 "
                                    << "." << false << 0.0;
    QTest::newRow("1e") << "1e"
                        << "." << false << 0.0;
    QTest::newRow("inf") << "inf"
                         << "." << false << 0.0;
    QTest::newRow("nan") << "nan"
                         << "." << false << 0.0;
    QTest::newRow("9e999") << "9e999"
                           << "." << false << 0.0;
    QTest::newRow("0x10") << "0x10"
                          << "." << false << 0.0;
}

void TestPotOddsMath::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const std::optional<double> parsed = parseLocaleNumber(text, separator);
    QCOMPARE(parsed.has_value(), ok);
    if (ok)
        QCOMPARE(*parsed, value);
}

void TestPotOddsMath::outs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("read");
    QTest::addColumn<QString>("afterLeave");
    QTest::addColumn<QString>("stepUp");
    QTest::addColumn<QString>("stepDown");
    QTest::newRow("9") << "9" << 9 << "9"
                       << "10"
                       << "8";
    QTest::newRow("0") << "0" << 0 << "0"
                       << "1"
                       << "0";
    QTest::newRow("30") << "30" << 30 << "30"
                        << "30"
                        << "29";
    QTest::newRow("35") << "35" << 35 << "30"
                        << "30"
                        << "30";
    QTest::newRow("-3") << "-3" << -3 << "0"
                        << "0"
                        << "0";
    QTest::newRow("+7") << "+7" << 7 << "+7"
                        << "8"
                        << "6";
    QTest::newRow("empty") << "" << 0 << ""
                           << "1"
                           << "0";
    QTest::newRow("lone minus") << "-" << 0 << "-"
                                << "1"
                                << "0";
    QTest::newRow("1.5") << "1.5" << 0 << "1.5"
                         << "1"
                         << "0";
    QTest::newRow("too large for an int") << "99999999999" << 0 << "99999999999"
                                          << "1"
                                          << "0";
}

void TestPotOddsMath::outs()
{
    QFETCH(QString, text);
    QFETCH(int, read);
    QFETCH(QString, afterLeave);
    QFETCH(QString, stepUp);
    QFETCH(QString, stepDown);
    QCOMPARE(readOuts(text), read);
    QCOMPARE(outsTextOnLeave(text), afterLeave);
    QCOMPARE(steppedOutsText(text, 1), stepUp);
    QCOMPARE(steppedOutsText(text, -1), stepDown);
}

void TestPotOddsMath::potKeyFilter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("7 into empty") << "" << QChar(u'7') << true;
    QTest::newRow("0 into 12") << "12" << QChar(u'0') << true;
    QTest::newRow(". into 12") << "12" << QChar(u'.') << true;
    QTest::newRow(", into 12") << "12" << QChar(u',') << true;
    QTest::newRow(". into 1.5") << "1.5" << QChar(u'.') << false;
    QTest::newRow(", into 1.5") << "1.5" << QChar(u',') << true;
    QTest::newRow(", into 1,5") << "1,5" << QChar(u',') << false;
    QTest::newRow(". into 1,5") << "1,5" << QChar(u'.') << true;
    QTest::newRow(". into 1.5,") << "1.5," << QChar(u'.') << false;
    QTest::newRow(", into 1.5,") << "1.5," << QChar(u',') << false;
    QTest::newRow("backspace into 1.5") << "1.5" << QChar(u'\b') << true;
    QTest::newRow("backspace into empty") << "" << QChar(u'\b') << true;
    QTest::newRow("minus") << "" << QChar(u'-') << false;
    QTest::newRow("plus") << "" << QChar(u'+') << false;
    QTest::newRow("blank") << "1" << QChar(u' ') << false;
    QTest::newRow("letter a") << "1" << QChar(u'a') << false;
    QTest::newRow("exponent e") << "1" << QChar(u'e') << false;
    QTest::newRow("Arabic-Indic three") << "1" << QChar(u'\u0663') << false;
}

void TestPotOddsMath::potKeyFilter()
{
    QFETCH(QString, text);
    QFETCH(QChar, typed);
    QFETCH(bool, accepted);
    QCOMPARE(potKeyAccepted(text, typed), accepted);
}

void TestPotOddsMath::outsKeyFilter_data()
{
    QTest::addColumn<QChar>("typed");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("digit") << QChar(u'5') << "." << true;
    QTest::newRow("plus") << QChar(u'+') << "." << true;
    QTest::newRow("minus") << QChar(u'-') << "." << true;
    QTest::newRow("dot under dot") << QChar(u'.') << "." << true;
    QTest::newRow("comma under dot") << QChar(u',') << "." << false;
    QTest::newRow("comma under comma") << QChar(u',') << "," << true;
    QTest::newRow("dot under comma") << QChar(u'.') << "," << false;
    QTest::newRow("letter") << QChar(u'x') << "." << false;
    QTest::newRow("blank") << QChar(u' ') << "." << false;
}

void TestPotOddsMath::outsKeyFilter()
{
    QFETCH(QChar, typed);
    QFETCH(QString, separator);
    QFETCH(bool, accepted);
    QCOMPARE(outsKeyAccepted(typed, separator), accepted);
}

void TestPotOddsMath::calc_data()
{
    QTest::addColumn<PotOddsRound>("round");
    QTest::addColumn<QString>("outs");
    QTest::addColumn<QString>("pot");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("handOdds");
    QTest::addColumn<QString>("potOdds");
    QTest::addColumn<QString>("profit");

    // Previous texts are "p", "q" and "r", so a kept text is told from a written one.
    const auto turn = PotOddsRound::Turn;
    const auto flop = PotOddsRound::Flop;
    const auto river = PotOddsRound::River;
    QTest::newRow("Turn, 9 outs, pot 100, call 20") << turn << "9"
                                                    << "100"
                                                    << "20"
                                                    << "."
                                                    << "19.1"
                                                    << "20"
                                                    << "-85.1";
    QTest::newRow("Flop, 8 outs, pot 50, call 10") << flop << "8"
                                                   << "50"
                                                   << "10"
                                                   << "."
                                                   << "16"
                                                   << "20"
                                                   << "1071.4";
    QTest::newRow("River, 9 outs, pot 100, call 20") << river << "9"
                                                     << "100"
                                                     << "20"
                                                     << "."
                                                     << "19.6"
                                                     << "20"
                                                     << "-43.5";
    // The flop shows the one-card chance but profits from the three-card chance of 45.6 %.
    QTest::newRow("Flop, 9 outs, pot 100, call 20") << flop << "9"
                                                    << "100"
                                                    << "20"
                                                    << "."
                                                    << "18"
                                                    << "20"
                                                    << "2561.2";
    QTest::newRow("Flop, 0 outs, call 10") << flop << "0"
                                           << "100"
                                           << "10"
                                           << "."
                                           << "0"
                                           << "10"
                                           << "-1000";
    QTest::newRow("pot 0, call 5") << turn << "9"
                                   << "0"
                                   << "5"
                                   << "."
                                   << "19.1"
                                   << "q"
                                   << "-500";
    QTest::newRow("pot -10, call 5") << turn << "9"
                                     << "-10"
                                     << "5"
                                     << "."
                                     << "19.1"
                                     << "q"
                                     << "-691.5";
    QTest::newRow("empty pot") << turn << "9"
                               << ""
                               << "20"
                               << "."
                               << "19.1"
                               << "q"
                               << "r";
    QTest::newRow("empty call") << turn << "9"
                                << "100"
                                << ""
                                << "."
                                << "19.1"
                                << "q"
                                << "r";
    QTest::newRow("pot 1.5, under dot") << turn << "9"
                                        << "1.5,"
                                        << "20"
                                        << "."
                                        << "19.1"
                                        << ""
                                        << "";
    QTest::newRow("lone dot call") << turn << "9"
                                   << "100"
                                   << "."
                                   << "."
                                   << "19.1"
                                   << ""
                                   << "";
    QTest::newRow("outs 35 typed, not yet left") << turn << "35"
                                                 << "100"
                                                 << "0"
                                                 << "."
                                                 << "74.5"
                                                 << "0"
                                                 << "7446.8";
    QTest::newRow("outs 1.5 reads 0") << turn << "1.5"
                                      << "100"
                                      << "0"
                                      << "."
                                      << "0"
                                      << "0"
                                      << "0";
    QTest::newRow("Flop, 8 outs, pot 12,5, call 2,5, comma") << flop << "8"
                                                             << "12,5"
                                                             << "2,5"
                                                             << ","
                                                             << "16"
                                                             << "20"
                                                             << "267,9";
    QTest::newRow("Turn, 9 outs, pot 100, call 20, comma") << turn << "9"
                                                           << "100"
                                                           << "20"
                                                           << ","
                                                           << "19,1"
                                                           << "20"
                                                           << "-85,1";
    QTest::newRow("pot 1.5 under comma") << turn << "9"
                                         << "1.5"
                                         << "20"
                                         << ","
                                         << "19,1"
                                         << ""
                                         << "";
}

void TestPotOddsMath::calc()
{
    QFETCH(PotOddsRound, round);
    QFETCH(QString, outs);
    QFETCH(QString, pot);
    QFETCH(QString, call);
    QFETCH(QString, separator);
    QFETCH(QString, handOdds);
    QFETCH(QString, potOdds);
    QFETCH(QString, profit);
    const PotOddsTexts previous{QStringLiteral("o"), QStringLiteral("q"), QStringLiteral("r")};
    const PotOddsTexts texts = calcProfit({round, outs, pot, call}, previous, separator);
    QCOMPARE(texts.handOdds, handOdds);
    QCOMPARE(texts.potOdds, potOdds);
    QCOMPARE(texts.profit, profit);
}

void TestPotOddsMath::profitShades_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QColor>("colour");
    const QColor green(128, 255, 128);
    const QColor red(255, 128, 128);
    const QColor cyan(128, 255, 255);
    QTest::newRow("1071.4") << "1071.4"
                            << "." << green;
    QTest::newRow("0.1") << "0.1"
                         << "." << green;
    QTest::newRow("-85.1") << "-85.1"
                           << "." << red;
    QTest::newRow("-85,1 comma") << "-85,1"
                                 << "," << red;
    QTest::newRow("0") << "0"
                       << "." << cyan;
    QTest::newRow("-0") << "-0"
                        << "." << cyan;
    QTest::newRow("empty") << ""
                           << "." << cyan;
    QTest::newRow("-85,1 under dot") << "-85,1"
                                     << "." << cyan;
    QTest::newRow("letters") << "abc"
                             << "." << cyan;
}

void TestPotOddsMath::profitShades()
{
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(QColor, colour);
    QCOMPARE(profitColour(profitShade(text, separator)), colour);
}

QTEST_GUILESS_MAIN(TestPotOddsMath)
#include "tst_potoddsmath.moc"
