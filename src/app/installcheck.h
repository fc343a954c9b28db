// SPDX-License-Identifier: GPL-3.0-or-later
// A check of an installed copy of the program, run by the package test.
//
// Started with the environment variable TALLOWBY_CHECK_INSTALL=1, the program starts as usual,
// and once its event loop runs it writes to standard output where it found its help file and
// its pre-flop equity table and whether each opens, and which sizes its window icon has; then it
// quits with status 0 when all are there and 1 when any is not. Without the variable it does
// nothing.
#pragma once

#include <QString>
#include <QStringList>

struct InstallCheck
{
    QStringList lines; // one per file or folder, for the person reading the test's output
    bool passed = false;
};

// Looks for the files as the program in the given folder would.
InstallCheck checkInstalledFiles(const QString &programFolder);

// Queues the check when the environment asks for it; call just before the event loop starts.
void scheduleInstallCheckIfRequested();
