// SPDX-License-Identifier: GPL-3.0-or-later
// How the running program presents itself to the desktop: its window icon, drawn from the
// application icon, and the launcher its windows belong to.
#pragma once

#include <QIcon>
#include <QString>

// The name shared by the launcher (<id>.desktop), the AppStream metainfo and the icon files.
inline constexpr const char *kDesktopId = "org.tallowby.Tallowby";

// The sizes in which the build renders the application icon.
inline constexpr int kApplicationIconSizes[] = {16, 32, 48, 64, 128, 256};

// The application icon with every rendered size, from the program's resources.
QIcon applicationIcon();

// Gives every window the application icon and names the launcher, so that a task bar shows
// the program's windows under the launcher's name and icon. Call once the application exists.
void applyDesktopIdentity();
