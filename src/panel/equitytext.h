// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the "Equity %" read-out: the figure itself, and the tooltip that says what the
// figure is made of and how it was obtained. Numbers use the locale's decimal separator.
#pragma once

#include "engine/equity.h"

#include <QLocale>
#include <QString>

// The equity in percent rounded half up to one decimal, as the other read-outs show their
// figures: "72.7", "31,1", "100".
QString equityReadoutText(const tallowby::EquityResult &result, const QLocale &locale);

// How the figure was obtained: "exact, 1070190 showdowns", "simulated, 32768 deals, ±0.49 % at
// 95 %", and for a pre-flop table entry the same after "pre-flop table: ".
QString equityMethodDescription(const tallowby::EquityResult &result, const QLocale &locale);

// Three lines: the equity against the opponents, the win and tie chances, and the method.
QString equityToolTip(const tallowby::EquityResult &result, int activePlayers,
                      const QLocale &locale);

// What the read-out means, shown while it holds no figure.
QString equityExplanation();
