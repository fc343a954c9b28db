// SPDX-License-Identifier: GPL-3.0-or-later
// Checks that any window of the program can be put through: every text fits its control,
// every coloured cell and field is readable, every control tells a screen reader what it is.
// Each returns one line per fault found ("FormAbout/LabelName \"Hold'em Tallowby\": text 151
// px, room 120 px"), empty when the window passes; only controls visible in the window count,
// so a test shows each tab page in turn.
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <QStringList>

class QWidget;

// Labels, buttons, radio and check boxes, every item of a combo box, line edits with their
// current text, spin boxes with their smallest and largest values, group box titles, tab texts,
// header sections and the cells of item views, measured with their own font's metrics against
// the room their style gives them. A list of cards cut by its grid must say how many cards it
// leaves out ("… +5") and keep its whole text in its tooltip and for a screen reader.
QStringList checkTextsFit(const QWidget *window);

// A dark palette like the ones desktops ship: light text on dark window, base and button fills,
// tooltips and placeholders included.
QPalette darkPalette();

// The options of the tools that render windows to PNG files: "--font=N" sets the font size in
// points, "--dark" the Fusion style with the dark palette; any other argument names the folder
// to write into, which is returned ("." without one).
QString applyShotOptions();

// The contrast of two colours, 1 to 21, as screen-reading guidelines define it.
double contrastOf(const QColor &a, const QColor &b);

// Text on the fills the program paints: grid cells and headers, line edits, labels on their
// background. Each must reach `minimum` (4.5:1 for ordinary text).
QStringList checkContrast(const QWidget *window, double minimum = 4.5);

// The window is announced as a window or dialog with its caption; every control has a name
// and no description that merely repeats it; a control with a label is named by that label
// and gives its current text as its value; a table has as many columns for a screen reader as
// it shows.
QStringList checkAccessibility(const QWidget *window);

// The widget's window and its object path, for messages ("FormPotOdds/EditProfit").
QString describe(const QWidget *widget);
