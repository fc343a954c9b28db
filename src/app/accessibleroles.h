// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is told about the program's windows and combo boxes, where Qt's own
// answer falls short on Linux: a plain top-level widget is announced as a window with its
// caption (Qt calls it a filler), and a combo box is named by its label with its current text
// as its value (Qt names it by its value).
#pragma once

// Installs the accessibility factory; once per process is enough, later calls do nothing.
void installAccessibleRoles();
