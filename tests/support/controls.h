// SPDX-License-Identifier: GPL-3.0-or-later
// A control of a window found by its object name; a missing one ends the test run at once.
#pragma once

#include <QLatin1String>
#include <QWidget>

template <typename T> T *control(const QWidget &window, const char *name)
{
    auto *found = window.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

template <typename T> T *control(const QWidget *window, const char *name)
{
    return control<T>(*window, name);
}
