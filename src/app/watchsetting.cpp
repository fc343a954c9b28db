// SPDX-License-Identifier: GPL-3.0-or-later
// The watched folder kept with QSettings.
#include "app/watchsetting.h"

#include <QSettings>

namespace {

const char *const kFolderKey = "HandHistoryFolder";
const char *const kName = "tallowby"; // ~/.config/tallowby/tallowby.conf

} // namespace

QString rememberedHandHistoryFolder()
{
    const QSettings settings{QString::fromLatin1(kName), QString::fromLatin1(kName)};
    return settings.value(QLatin1String(kFolderKey)).toString();
}

void rememberHandHistoryFolder(const QString &folder)
{
    QSettings settings{QString::fromLatin1(kName), QString::fromLatin1(kName)};
    if (folder.isEmpty())
        settings.remove(QLatin1String(kFolderKey));
    else
        settings.setValue(QLatin1String(kFolderKey), folder);
}
