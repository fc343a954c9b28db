// SPDX-License-Identifier: GPL-3.0-or-later
// Shows the busy cursor for the life of the object, so it is restored also when a step fails.
#pragma once

#include <QApplication>
#include <QCursor>

class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};
