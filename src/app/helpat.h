// SPDX-License-Identifier: GPL-3.0-or-later
// The one way into the help: every F1 and the Contents command end here, with the page that
// explains the window the user is in.
#pragma once

#include <QString>

class QWidget;

// The help page (relative to the help file's root, with an optional "#fragment") that explains
// `window` or the control in it: the card panel's, the calculator's, each dialog's, and the
// main window's by its current tab. A window with no page of its own takes its owner's; empty
// means the help's first page.
QString helpPageFor(const QWidget *window);

// Opens the help at `page` (the first page when empty) in the help viewer, which comes up above
// the program's windows; a viewer already open goes to the page. `from` is the window the
// request came from: failures are reported over it, or over the modal dialog that is open.
void openHelpAt(const QString &page, QWidget *from = nullptr);
