// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the window system.
#include "platform.h"

#include <QtGlobal>

QByteArray preferredPlatform(const QByteArray &chosenPlatform, const QByteArray &x11Display,
                             const QByteArray &waylandDisplay)
{
    if (!chosenPlatform.trimmed().isEmpty() || x11Display.trimmed().isEmpty())
        return {};
    QByteArray platforms("xcb");
    if (!waylandDisplay.trimmed().isEmpty())
        platforms += ";wayland";
    return platforms;
}

void preferStayOnTopPlatform()
{
    const QByteArray platforms = preferredPlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"),
                                                   qgetenv("WAYLAND_DISPLAY"));
    if (!platforms.isEmpty())
        qputenv("QT_QPA_PLATFORM", platforms);
}
