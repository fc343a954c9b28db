// SPDX-License-Identifier: GPL-3.0-or-later
// The read-out and tooltip texts of the equity.
#include "equitytext.h"

#include "engine/odds.h"
#include "panel/localenumbers.h"

#include <QCoreApplication>

#include <cmath>

using namespace tallowby;

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("EquityText", text);
}

// A fraction of 1 as a percentage with at most two decimals: "70.12", "0,5".
QString percentText(double fraction, const QLocale &locale)
{
    return QString::fromStdString(
        numberText(twoDecimals(fraction * 100), decimalSeparatorOf(locale)));
}

// The simulated figure to the digits its margin bears out.
QString simulatedFigure(const EquityResult &result, const QLocale &locale)
{
    const double percent = result.equity * 100;
    if (marginPercent(result) > 0.05)
        return QString::number(static_cast<long long>(std::floor(percent + 0.5)));
    QString text = QString::number(oneDecimal(percent), 'f', 1);
    text.replace(QLatin1Char('.'), QLatin1Char(decimalSeparatorOf(locale)));
    return text;
}

} // namespace

QString equityReadoutText(const EquityResult &result, const QLocale &locale)
{
    if (!result.exact)
        return QStringLiteral("\u2248 ") + simulatedFigure(result, locale);
    return QString::fromStdString(
        numberText(oneDecimal(result.equity * 100), decimalSeparatorOf(locale)));
}

QString equitySpokenText(const EquityResult &result, const QLocale &locale)
{
    if (!result.exact)
        return translated("about %1").arg(simulatedFigure(result, locale));
    return equityReadoutText(result, locale);
}

QString equityMethodDescription(const EquityResult &result, const QLocale &locale)
{
    // Counts are written without group separators, as the command-line tool writes them.
    const QString samples = QString::number(result.samples);
    QString how;
    if (result.exact && result.samples == 0) {
        how = translated("exact, every deal ends alike");
    } else if (result.exact) {
        how = translated("exact, %1 showdowns").arg(samples);
    } else {
        const QString deals = result.boards > 1
                                  ? translated("%1 deals over all %2 board completions")
                                        .arg(samples, QString::number(result.boards))
                                  : translated("%1 deals").arg(samples);
        const QString margin =
            QString::fromStdString(numberText(marginPercent(result), decimalSeparatorOf(locale)));
        how = result.final ? translated("simulated, %1, \u00B1%2 % at 95 %").arg(deals, margin)
                           : translated("simulated, %1 so far, \u00B1%2 % at 95 %, refining")
                                 .arg(deals, margin);
    }
    if (result.method == EquityResult::Method::Table)
        return translated("pre-flop table: %1").arg(how);
    return how;
}

QString equityToolTip(const EquityResult &result, int activePlayers, const QLocale &locale)
{
    const int opponents = activePlayers - 1;
    const QString equity = percentText(result.equity, locale);
    const QString against =
        opponents == 1
            ? translated("Equity %1 % against one opponent holding random cards").arg(equity)
            : translated("Equity %1 % against %2 opponents holding random cards")
                  .arg(equity)
                  .arg(opponents);
    const QString shares =
        translated("Win %1 %, tie %2 % (a pot split k ways counts 1/k)")
            .arg(percentText(result.win, locale), percentText(result.tie, locale));
    return against + QLatin1Char('\n') + shares + QLatin1Char('\n') +
           equityMethodDescription(result, locale);
}

QString equityExplanation()
{
    return translated("Equity: the share of the pot the hand wins on average against the active "
                      "players holding random cards, a pot split k ways counting 1/k");
}
