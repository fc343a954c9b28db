// SPDX-License-Identifier: GPL-3.0-or-later
// A check of an installed copy of the program: its own files found and opened from where it runs.
#include "installcheck.h"

#include "app/chmarchive.h"
#include "app/paths.h"
#include "engine/preflopequity.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <string>

namespace {

const char *const requestVariable = "TALLOWBY_CHECK_INSTALL";

QString helpFileLine(const QString &path, bool &opens)
{
    const ChmArchive archive(path);
    opens = archive.isOpen() && archive.contains(archive.defaultTopic());
    if (!archive.isOpen())
        return QStringLiteral("help file: FAILED: %1").arg(archive.errorString());
    if (!opens)
        return QStringLiteral("help file: FAILED: %1 has no start page").arg(path);
    return QStringLiteral("help file: %1 opens, %2 pages").arg(path).arg(archive.files().size());
}

QString equityTableLine(const QString &programFolder, bool &opens)
{
    const std::string path = tallowby::defaultPreflopEquityPath(programFolder.toStdString());
    std::string error;
    opens = tallowby::PreflopEquityTable::load(path, error).has_value();
    if (!opens)
        return QStringLiteral("pre-flop equity table: FAILED: %1")
            .arg(QString::fromStdString(error));
    return QStringLiteral("pre-flop equity table: %1 reads").arg(QString::fromStdString(path));
}

// The window icon that start-up set, which the program carries in its resources.
QString windowIconLine(bool &present)
{
    QStringList sizes;
    for (const QSize &size : QGuiApplication::windowIcon().availableSizes())
        sizes.append(QString::number(size.width()));
    present = !sizes.isEmpty();
    if (!present)
        return QStringLiteral("window icon: FAILED: none set");
    return QStringLiteral("window icon: %1 pixels").arg(sizes.join(QStringLiteral(", ")));
}

} // namespace

InstallCheck checkInstalledFiles(const QString &programFolder)
{
    InstallCheck check;
    bool helpOpens = false;
    bool tableOpens = false;
    check.lines << QStringLiteral("program folder: %1").arg(QDir::cleanPath(programFolder))
                << helpFileLine(helpFilePath(programFolder), helpOpens)
                << equityTableLine(programFolder, tableOpens)
                << QStringLiteral("history databases: %1").arg(dataFolder(programFolder))
                << QStringLiteral("betting systems: %1").arg(systemsFolder(programFolder));
    check.passed = helpOpens && tableOpens;
    return check;
}

void scheduleInstallCheckIfRequested()
{
    if (qEnvironmentVariable(requestVariable) != QLatin1String("1"))
        return;
    // Queued, so that it runs only after start-up has finished and the event loop is running.
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        InstallCheck check = checkInstalledFiles(QCoreApplication::applicationDirPath());
        bool iconPresent = false;
        check.lines.append(windowIconLine(iconPresent));
        check.passed = check.passed && iconPresent;
        for (const QString &line : check.lines)
            std::printf("%s\n", qPrintable(line));
        std::printf("install check: %s\n", check.passed ? "passed" : "FAILED");
        std::fflush(stdout);
        QCoreApplication::exit(check.passed ? 0 : 1);
    });
}
