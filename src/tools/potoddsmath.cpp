// SPDX-License-Identifier: GPL-3.0-or-later
// Arithmetic and number texts of the pot-odds calculator.
#include "tools/potoddsmath.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace tallowby {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Walks a text once, copying what it accepts into plain C notation for std::from_chars.
class NumberScanner
{
public:
    explicit NumberScanner(const QString &text) : text_(text) {}

    bool atEnd() const { return pos_ == text_.size(); }

    // A leading "-" is copied; a "+" only skipped, as from_chars knows no plus sign.
    void takeSign()
    {
        if (atEnd())
            return;
        if (text_[pos_] == u'-')
            plain_ += '-';
        if (text_[pos_] == u'-' || text_[pos_] == u'+')
            ++pos_;
    }

    int takeDigits()
    {
        int count = 0;
        for (; !atEnd() && isAsciiDigit(text_[pos_]); ++pos_, ++count)
            plain_ += static_cast<char>(text_[pos_].unicode());
        return count;
    }

    bool take(const QString &token, char replacement)
    {
        if (token.isEmpty() || !QStringView(text_).sliced(pos_).startsWith(token))
            return false;
        pos_ += token.size();
        plain_ += replacement;
        return true;
    }

    bool takeExponentMark()
    {
        if (atEnd() || (text_[pos_] != u'e' && text_[pos_] != u'E'))
            return false;
        ++pos_;
        plain_ += 'e';
        return true;
    }

    const std::string &plain() const { return plain_; }

private:
    const QString &text_;
    qsizetype pos_ = 0;
    std::string plain_;
};

template <typename Number> std::optional<Number> convertPlain(const std::string &plain)
{
    Number value{};
    const char *end = plain.data() + plain.size();
    const auto [ptr, ec] = std::from_chars(plain.data(), end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::optional<int> parseInteger(const QString &text)
{
    NumberScanner scanner(text);
    scanner.takeSign();
    if (scanner.takeDigits() == 0 || !scanner.atEnd())
        return std::nullopt;
    return convertPlain<int>(scanner.plain());
}

// The hit chance in percent: on the flop, that at least one of three cards is an out; else that
// the one card is.
double hitPercent(PotOddsRound round, double outs)
{
    const double n = unseenCards(round);
    if (round != PotOddsRound::Flop)
        return outs / n * 100.0;
    const double missAll =
        ((n - outs) / n) * ((n - outs - 1.0) / (n - 1.0)) * ((n - outs - 2.0) / (n - 2.0));
    return (1.0 - missAll) * 100.0;
}

} // namespace

int unseenCards(PotOddsRound round)
{
    switch (round) {
    case PotOddsRound::Flop:
        return 50;
    case PotOddsRound::Turn:
        return 47;
    case PotOddsRound::River:
        return 46;
    }
    return 50;
}

double roundTenth(double value)
{
    // Going through the 15-digit text makes a half that binary floating point cannot hold
    // exactly (1.15 * 10 = 11.499999999999998) count as the half it is meant to be.
    const double tenths = QString::number(value * 10.0, 'g', 15).toDouble();
    if (!std::isfinite(tenths))
        return value;
    const double rounded = std::floor(tenths + 0.5) / 10.0;
    return rounded == 0.0 ? 0.0 : rounded; // never -0
}

QString generalNumberText(double value, const QString &decimalSeparator)
{
    if (!std::isfinite(value))
        return {};
    if (value == 0.0)
        value = 0.0; // -0 shows as 0
    QString text = QString::number(value, 'g', 15);
    text.replace(u'.', decimalSeparator);
    return text;
}

std::optional<double> parseLocaleNumber(const QString &text, const QString &decimalSeparator)
{
    NumberScanner scanner(text);
    scanner.takeSign();
    int mantissaDigits = scanner.takeDigits();
    if (scanner.take(decimalSeparator, '.'))
        mantissaDigits += scanner.takeDigits();
    if (mantissaDigits == 0)
        return std::nullopt;
    if (scanner.takeExponentMark()) {
        scanner.takeSign();
        if (scanner.takeDigits() == 0)
            return std::nullopt;
    }
    if (!scanner.atEnd())
        return std::nullopt;
    const std::optional<double> value = convertPlain<double>(scanner.plain());
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

int readOuts(const QString &text)
{
    return parseInteger(text).value_or(kMinOuts);
}

QString outsTextOnLeave(const QString &text)
{
    const std::optional<int> value = parseInteger(text);
    if (!value || (*value >= kMinOuts && *value <= kMaxOuts))
        return text;
    return QString::number(std::clamp(*value, kMinOuts, kMaxOuts));
}

QString steppedOutsText(const QString &text, int steps)
{
    const long long stepped = static_cast<long long>(readOuts(text)) + steps;
    return QString::number(std::clamp<long long>(stepped, kMinOuts, kMaxOuts));
}

bool potKeyAccepted(const QString &fieldText, QChar typed)
{
    if (typed == u'.' && fieldText.contains(u'.'))
        return false;
    if (typed == u',' && fieldText.contains(u','))
        return false;
    return typed == u'\b' || typed == u',' || typed == u'.' || isAsciiDigit(typed);
}

bool outsKeyAccepted(QChar typed, const QString &decimalSeparator)
{
    return isAsciiDigit(typed) || typed == u'+' || typed == u'-' ||
           QString(typed) == decimalSeparator;
}

PotOddsTexts calcProfit(const PotOddsInputs &inputs, const PotOddsTexts &previous,
                        const QString &decimalSeparator)
{
    PotOddsTexts result = previous;
    const auto text = [&decimalSeparator](double value) {
        return generalNumberText(roundTenth(value), decimalSeparator);
    };

    const double outs = readOuts(inputs.outs);
    // The one-card chance, shown for the flop too; the profit below uses the real hit chance.
    result.handOdds = text(outs / unseenCards(inputs.round) * 100.0);
    const double hit = hitPercent(inputs.round, outs);

    if (inputs.pot.isEmpty() || inputs.call.isEmpty())
        return result;
    const std::optional<double> pot = parseLocaleNumber(inputs.pot, decimalSeparator);
    const std::optional<double> call = parseLocaleNumber(inputs.call, decimalSeparator);
    if (!pot || !call) {
        result.potOdds.clear();
        result.profit.clear();
        return result;
    }
    if (*pot > 0.0)
        result.potOdds = text(*call / *pot * 100.0);
    result.profit = text(hit * *pot - 100.0 * *call);
    return result;
}

ProfitShade profitShade(const QString &profitText, const QString &decimalSeparator)
{
    const std::optional<double> value = parseLocaleNumber(profitText, decimalSeparator);
    if (!value || *value == 0.0)
        return ProfitShade::Even;
    return *value > 0.0 ? ProfitShade::Gain : ProfitShade::Loss;
}

QColor profitColour(ProfitShade shade)
{
    switch (shade) {
    case ProfitShade::Gain:
        return QColor(128, 255, 128);
    case ProfitShade::Loss:
        return QColor(255, 128, 128);
    case ProfitShade::Even:
        break;
    }
    return QColor(128, 255, 255);
}

QColor moneyGreen()
{
    return QColor(192, 220, 192);
}

} // namespace tallowby
