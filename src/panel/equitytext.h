// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the "Equity %" read-out: the figure itself, and the tooltip that says what the
// figure is made of and how it was obtained. Numbers use the locale's decimal separator.
#pragma once

#include "engine/equity.h"

#include <QLocale>
#include <QString>

// The equity in percent. An exact figure is rounded half up to one decimal, as the other
// read-outs show theirs: "72.7", "31,1", "100". A simulated one is marked "≈" and shows only the
// digits its margin bears out: one decimal once the margin is at most 0.05 points ("≈ 39.0"),
// whole points before ("≈ 39").
QString equityReadoutText(const tallowby::EquityResult &result, const QLocale &locale);

// The read-out as a screen reader says it: "72.7", "about 39.0".
QString equitySpokenText(const tallowby::EquityResult &result, const QLocale &locale);

// How the figure was obtained: "exact, 1070190 showdowns", "simulated, 2162000 deals over all
// 1081 board completions, ±0.05 % at 95 %" ("so far, refining" while it is refined), and for a
// pre-flop table entry the same after "pre-flop table: ". The margin is rounded up, so a
// simulation never claims ±0.
QString equityMethodDescription(const tallowby::EquityResult &result, const QLocale &locale);

// Three lines: the equity against the opponents, the win and tie chances, and the method.
QString equityToolTip(const tallowby::EquityResult &result, int activePlayers,
                      const QLocale &locale);

// What the read-out means, shown while it holds no figure.
QString equityExplanation();
