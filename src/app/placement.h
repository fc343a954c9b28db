// SPDX-License-Identifier: GPL-3.0-or-later
// Where the three windows of the start go: the main window in the middle of the screen, the
// card panel and the pot-odds window beside it, none covering another, all on the same screen.
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

struct StartPlacement
{
    QRect main;
    QRect panel;
    QRect potOdds;
};

// Frames (window sizes with their title bar and border) placed in the available area of one
// screen. The main window stays centred when the other two fit beside it there; otherwise it
// moves as little as the order of trial allows. When the screen is too small for all three
// side by side, they stay on it and overlap as little as possible.
StartPlacement placeStartWindows(const QRect &available, const QSize &mainFrame,
                                 const QSize &panelFrame, const QSize &potOddsFrame, int gap = 8);

// Title bar and border of a window not shown yet: the real ones once the window system has
// decorated a window, a generous guess before.
QMargins estimatedFrameMargins(const QWidget &shownOrNot);

// Puts the top-left corner of the window's frame (title bar included) at `frameTopLeft`, also
// for a window that has been created but not yet mapped, whose frame the window system has not
// reported yet.
void moveFrameTo(QWidget &window, const QPoint &frameTopLeft);

// The size a window will have when first shown.
QSize windowSizeBeforeShow(QWidget &window);
