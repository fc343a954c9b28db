// SPDX-License-Identifier: GPL-3.0-or-later
// Fills and text colours of the player's actions.
#include "systems/actioncolours.h"

#include "systems/systemvocabulary.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Folding is dark red, calling green, and the raises run from a pale yellow to deep purple as
// they grow, so that the strength of the advice reads as a gradient across the chart.
constexpr std::array<QRgb, 7> kFills = {
    qRgb(128, 0, 0),     // Check/Fold
    qRgb(0, 110, 0),     // Check/Call
    qRgb(255, 236, 140), // Raise 100%
    qRgb(255, 190, 70),  // Raise 200%
    qRgb(240, 130, 30),  // Raise 400%
    qRgb(190, 40, 60),   // Raise 800%
    qRgb(90, 30, 130),   // Raise All-In
};
constexpr QRgb kOther = qRgb(150, 150, 150);
constexpr QRgb kNone = qRgb(220, 220, 220);

double channel(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &colour)
{
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

ActionColours actionColours(const QString &action)
{
    const qsizetype index = playerActions().indexOf(action);
    const QColor fill(index >= 0 ? kFills[std::size_t(index)] : action.isEmpty() ? kNone : kOther);
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return {fill, contrastRatio(fill, black) >= contrastRatio(fill, white) ? black : white};
}
