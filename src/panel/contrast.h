// SPDX-License-Identifier: GPL-3.0-or-later
// Text colours that stay readable on the fills the program paints, whatever the desktop's
// colour scheme: black or white, whichever stands out more.
#pragma once

#include <QColor>

// The contrast ratio of two colours as screen-reading guidelines define it: 1 (none) to 21.
double contrastRatio(const QColor &a, const QColor &b);

// Black on light fills, white on dark ones.
QColor readableTextOn(const QColor &fill);
