// SPDX-License-Identifier: GPL-3.0-or-later
// How the running program presents itself to the desktop.
#include "desktopidentity.h"

#include <QGuiApplication>

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : kApplicationIconSizes)
        icon.addFile(
            QStringLiteral(":/icons/%1x%1/%2.png").arg(size).arg(QLatin1String(kDesktopId)),
            QSize(size, size));
    return icon;
}

void applyDesktopIdentity()
{
    QGuiApplication::setWindowIcon(applicationIcon());
    QGuiApplication::setDesktopFileName(QLatin1String(kDesktopId));
}
