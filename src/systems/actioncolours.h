// SPDX-License-Identifier: GPL-3.0-or-later
// The colours of the player's actions in the pre-flop chart and its legend: a fill for each of
// the seven actions, one for any other text, and the text colour (black or white) that reads
// best on each fill. The fills do not follow the palette, so the text stays readable under a
// light and a dark one alike.
#pragma once

#include <QColor>
#include <QString>

struct ActionColours
{
    QColor fill;
    QColor text;
};

// The colours of an action ("Check/Fold" .. "Raise All-In"); a text that is none of them,
// typed by the user, gets a neutral grey; an empty one (no row) a lighter grey.
ActionColours actionColours(const QString &action);
