// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper: makes a new history or system file at a path over and over, as New Database and
// New System do, until it is killed.  newfilechild history|system PATH
#include "history/historyfile.h"
#include "systems/systemdatabase.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3)
        return 2;
    const bool history = arguments.at(1) == QLatin1String("history");
    const QString path = arguments.at(2);
    // "0": about to begin; then the number of files made so far, after each one.
    std::printf("0\n");
    std::fflush(stdout);
    for (long made = 1;; ++made) {
        if (history)
            buildHistoryFile(path);
        else
            BuildSystemFile(path);
        std::printf("%ld\n", made);
        std::fflush(stdout);
    }
}
