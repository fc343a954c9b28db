// SPDX-License-Identifier: GPL-3.0-or-later
// Fills and text colours of the player's actions.
#include "systems/actioncolours.h"

#include "panel/contrast.h"
#include "systems/systemvocabulary.h"

#include <QtGlobal>

#include <array>

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

} // namespace

ActionColours actionColours(const QString &action)
{
    const qsizetype index = playerActions().indexOf(action);
    const QColor fill(index >= 0 ? kFills[std::size_t(index)] : action.isEmpty() ? kNone : kOther);
    return {fill, readableTextOn(fill)};
}
