// The program: the window system chosen, the long-lived windows made, the event loop run
// until the main window closes.
#include "app/platform.h"
#include "app/startup.h"
#include "app/tallowby.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    preferStayOnTopPlatform();
    QApplication application(argc, argv);
    const LongLivedWindows windows;
    FormTallowby->show();
    return QApplication::exec();
}
