// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program finds its files.
#include "paths.h"

#include "systems/startersystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString helpFileName = QStringLiteral("tallowbyhelp.chm");
const QString buildTreeMarker = QStringLiteral("CMakeCache.txt");
// Installed layout: <prefix>/bin/tallowby and <prefix>/share/tallowby/.
const QString installedDataFromProgram = QStringLiteral("../share/tallowby");
const QString userFolderName = QStringLiteral("tallowby");

QString withSeparator(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// The user's own data folder for the program, ~/.local/share/tallowby/ by default. Taken from
// the generic location so that it does not depend on the application and organisation names.
QString userFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return withSeparator(QDir(base).filePath(userFolderName));
}

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString folderFor(const QString &folder, const QString &name)
{
    const QString base = runsFromBuildTree(folder) ? withSeparator(folder) : userFolder();
    return withSeparator(base + name);
}

} // namespace

bool runsFromBuildTree(const QString &folder)
{
    return QFileInfo(QDir(folder).filePath(buildTreeMarker)).isFile();
}

bool runsFromBuildTree()
{
    return runsFromBuildTree(programFolder());
}

QString helpFilePath(const QString &folder)
{
    if (runsFromBuildTree(folder))
        return QDir(folder).filePath(helpFileName);
    const QString installed = QDir(folder).filePath(installedDataFromProgram);
    return QDir::cleanPath(QDir(installed).filePath(helpFileName));
}

QString helpFilePath()
{
    return helpFilePath(programFolder());
}

QString starterSystemPath(const QString &folder)
{
    const QString name = QString::fromLatin1(kStarterSystemFileName);
    if (runsFromBuildTree(folder))
        return QDir(folder).filePath(name);
    const QString installed = QDir(folder).filePath(installedDataFromProgram);
    return QDir::cleanPath(QDir(installed).filePath(name));
}

QString starterSystemPath()
{
    return starterSystemPath(programFolder());
}

QString dataFolder(const QString &folder)
{
    return folderFor(folder, QStringLiteral("Data"));
}

QString dataFolder()
{
    return dataFolder(programFolder());
}

QString systemsFolder(const QString &folder)
{
    return folderFor(folder, QStringLiteral("Systems"));
}

QString systemsFolder()
{
    return systemsFolder(programFolder());
}

bool ensureFolder(const QString &folder)
{
    return QDir().mkpath(folder) && QFileInfo(folder).isDir();
}

bool ensureSystemsFolder(const QString &folder, const QString &starterSystem)
{
    if (QFileInfo(folder).isDir())
        return true;
    if (!ensureFolder(folder))
        return false;
    if (QFileInfo(starterSystem).isFile()) {
        // A failed copy costs the user nothing but the starter, so it goes unreported; an
        // installed file is read-only for the user, the copy must not be.
        const QString copy = QDir(folder).filePath(QFileInfo(starterSystem).fileName());
        if (QFile::copy(starterSystem, copy))
            QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner);
    }
    return true;
}
