// SPDX-License-Identifier: GPL-3.0-or-later
// Card pictures drawn by the program: the 52 small faces of the card panel's deck and the
// 53-picture list of the slots (picture 0 the card back, 1..52 the faces by card index).
#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>

namespace cardpictures {

inline constexpr QSize kSmallSize{20, 30};
inline constexpr QSize kLargeSize{57, 77};
inline constexpr int kLargeCount = 53; // the back and 52 faces

// Face of card index 1..52 at kSmallSize logical pixels, rendered for the sharpest screen.
// A null pixmap for any other index.
QPixmap smallCard(int index);

// Picture `index` of the slot list at kLargeSize: 0 the card back, 1..52 the faces.
// A null pixmap for any other index.
QPixmap largeCard(int index);

// The uncached painters behind the two above, at a chosen device pixel ratio.
QImage paintSmallCard(int index, qreal devicePixelRatio);
QImage paintLargeCard(int index, qreal devicePixelRatio);

} // namespace cardpictures
