// SPDX-License-Identifier: GPL-3.0-or-later
// Arithmetic and number texts of the pot-odds calculator, free of widgets: the window reads its
// controls, calls these and writes the texts back.
#pragma once

#include <QChar>
#include <QColor>
#include <QString>

#include <optional>

namespace tallowby {

// The card or cards still to come.
enum class PotOddsRound
{
    Flop,
    Turn,
    River
};

// Unseen cards while waiting for the round: 52 less the hole cards (50), less the flop too (47),
// less the turn too (46).
int unseenCards(PotOddsRound round);

inline constexpr int kMinOuts = 0;
inline constexpr int kMaxOuts = 30;

// Nearest tenth with an exact half going toward +infinity, negative values included:
// 0.05 -> 0.1, -0.05 -> 0, -85.15 -> -85.1. A value that reads as an exact half in 15 significant
// digits counts as one (1.15 is stored as 1.1499999999999999 and still becomes 1.2).
double roundTenth(double value);

// General format: up to 15 significant digits, no trailing zeros, no thousands separators, the
// given decimal separator and "-" as minus sign: 17, -85.1, 1071,4. Empty for infinity and NaN.
QString generalNumberText(double value, const QString &decimalSeparator);

// Strict reading of a decimal number written with the given separator: an optional sign, digits
// with at most one separator, an optional exponent, and nothing else (no thousands separators,
// no blanks, no trailing characters). Infinite results count as failures.
std::optional<double> parseLocaleNumber(const QString &text, const QString &decimalSeparator);

// The Outs text as an integer: an optional sign and digits. Anything else (empty, a lone sign, a
// decimal number, too large for an int) reads as 0, the field's minimum.
int readOuts(const QString &text);

// What the Outs field shows after losing the focus: an integer outside 0..30 becomes the nearer
// bound; every other text stays as it is.
QString outsTextOnLeave(const QString &text);

// What the Outs field shows after its arrows step it: the read value plus the steps, kept within
// 0..30.
QString steppedOutsText(const QString &text, int steps);

// The key filter of Pot and Call: whether a typed character reaches a field that holds
// fieldText. Digits, "." and "," and backspace pass, but no second "." and no second ",".
bool potKeyAccepted(const QString &fieldText, QChar typed);

// The key filter of Outs: digits, a sign and the decimal separator.
bool outsKeyAccepted(QChar typed, const QString &decimalSeparator);

struct PotOddsInputs
{
    PotOddsRound round = PotOddsRound::Flop;
    QString outs;
    QString pot;
    QString call;
};

struct PotOddsTexts
{
    QString handOdds;
    QString potOdds;
    QString profit;

    friend bool operator==(const PotOddsTexts &, const PotOddsTexts &) = default;
};

// Hand odds, pot odds and profit from the inputs. Texts that the inputs leave undetermined (an
// empty Pot or Call, a Pot of 0 or less) keep their previous values; a Pot or Call that is no
// number empties pot odds and profit.
PotOddsTexts calcProfit(const PotOddsInputs &inputs, const PotOddsTexts &previous,
                        const QString &decimalSeparator);

// The sign of the profit text; empty and unreadable texts count as even.
enum class ProfitShade
{
    Gain,
    Loss,
    Even
};
ProfitShade profitShade(const QString &profitText, const QString &decimalSeparator);

// Background colours of the output fields.
QColor profitColour(ProfitShade shade);
QColor moneyGreen();

} // namespace tallowby
