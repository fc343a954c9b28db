// SPDX-License-Identifier: GPL-3.0-or-later
// tallowby-import: hand-history files imported into a history file without a display, the
// summary printed as one JSON object.
#include "db/dbconnection.h"
#include "db/dberror.h"
#include "history/historyfile.h"
#include "history/historyimport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace {

constexpr const char *kUsage =
    "usage: tallowby-import HISTORY.mdb FILE... (imports the hand-history files FILE into the "
    "history file HISTORY.mdb, which is made when it does not exist)";

int usage(const QString &problem)
{
    if (problem.isEmpty())
        std::fprintf(stderr, "%s\n", kUsage);
    else
        std::fprintf(stderr, "tallowby-import: %s; %s\n", qPrintable(problem), kUsage);
    return 2;
}

int print(const ImportSummary &summary)
{
    std::printf("%s\n", importSummaryJson(summary).constData());
    return summary.problems.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    // The SQL driver is a plugin, found through the application object.
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    QStringList paths;
    bool options = true;
    for (const QString &argument : arguments) {
        if (options && argument == QLatin1String("--")) {
            options = false;
        } else if (options &&
                   (argument == QLatin1String("-h") || argument == QLatin1String("--help"))) {
            return usage({});
        } else if (options && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            return usage(QStringLiteral("unknown option \"%1\"").arg(argument));
        } else {
            paths.append(argument);
        }
    }
    if (paths.size() < 2)
        return usage(paths.isEmpty() ? QStringLiteral("no history file and no hand-history file")
                                     : QStringLiteral("no hand-history file"));

    const QString history = paths.takeFirst();
    DbConnection connection;
    try {
        if (QFileInfo::exists(history))
            connection.setConnectionString(DbConnection::connectionStringFor(history));
        else
            createHistoryFile(connection, history);
        return print(importHandHistoryFiles(connection, paths));
    } catch (const DatabaseError &failure) {
        ImportSummary summary;
        summary.problems.append({history, 0, failure.message()});
        return print(summary);
    }
}
