// SPDX-License-Identifier: GPL-3.0-or-later
// The window system the program runs on. Staying above other windows is the point of the
// program, and a Wayland client cannot keep itself on top, while an X client (XWayland
// included) can: so X is preferred whenever a display is there and the user chose nothing.
#pragma once

#include <QByteArray>

// The value for QT_QPA_PLATFORM: empty to leave Qt's own choice, else "xcb", followed by
// ";wayland" when a Wayland display is there to fall back on if X cannot be reached.
QByteArray preferredPlatform(const QByteArray &chosenPlatform, const QByteArray &x11Display,
                             const QByteArray &waylandDisplay);

// Applies the preference to this process's environment; call before QApplication exists.
void preferStayOnTopPlatform();
