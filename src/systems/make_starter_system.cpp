// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the starter betting system from the pre-flop equity table; run by the build:
//   make-starter-system data/preflop-equity.txt <build>/Starter.mdb
#include "db/dbconnection.h"
#include "db/dberror.h"
#include "db/dbtable.h"
#include "engine/preflopequity.h"
#include "systems/startersystem.h"
#include "systems/systemdatabase.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <string>

namespace {

void writeSystem(const QString &path, const tallowby::PreflopEquityTable &equities)
{
    DbConnection connection;
    DbTable handSet(connection, QString::fromLatin1(kHandSetTable));
    DbTable typeSet(connection, QString::fromLatin1(kTypeSetTable));
    CreateSystemFile(connection, path);
    OpenSystemTables(connection, handSet, typeSet);
    FillStarterSystem(connection, handSet, typeSet, equities);
    handSet.close();
    typeSet.close();
    connection.close();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-starter-system <preflop-equity.txt> <Starter.mdb>\n");
        return 2;
    }
    std::string error;
    const auto equities = tallowby::PreflopEquityTable::load(argv[1], error);
    if (!equities) {
        std::fprintf(stderr, "make-starter-system: %s\n", error.c_str());
        return 1;
    }
    // Written under another name and renamed at the end, so that a failed run leaves no file
    // the build would take as done.
    const QString target = QString::fromLocal8Bit(argv[2]);
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    try {
        writeSystem(partial, *equities);
    } catch (const std::exception &failure) {
        QFile::remove(partial);
        std::fprintf(stderr, "make-starter-system: %s\n", failure.what());
        return 1;
    }
    QFile::remove(target);
    if (!QFile::rename(partial, target)) {
        std::fprintf(stderr, "make-starter-system: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
