// SPDX-License-Identifier: GPL-3.0-or-later
// The program: the window system chosen, the long-lived windows made, the event loop run
// until the main window closes.
#include "app/desktopidentity.h"
#include "app/installcheck.h"
#include "app/platform.h"
#include "app/startup.h"
#include "app/tallowby.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    preferStayOnTopPlatform();
    // The instance half of the window class, whatever name the program was started under.
    if (!qEnvironmentVariableIsSet("RESOURCE_NAME"))
        qputenv("RESOURCE_NAME", kWindowInstance);
    QApplication application(argc, argv);
    applyDesktopIdentity();
    const LongLivedWindows windows;
    FormTallowby->show();
    scheduleInstallCheckIfRequested();
    return QApplication::exec();
}
