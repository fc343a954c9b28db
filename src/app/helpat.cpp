// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the help at a window's page.
#include "app/helpat.h"

#include "app/helpwindow.h"

#include <QApplication>
#include <QTabWidget>
#include <QWidget>
#include <QWindow>

namespace {

struct WindowPage
{
    const char *window;
    const char *page;
};

// Windows by their object name. The main window is decided by its tab.
constexpr WindowPage kWindowPages[] = {
    {"FormSelCards", "entering.html"},
    {"FormPotOdds", "potodds.html"},
    {"FormNewGame", "recording.html#dialog"},
    {"FormFilter", "historyviews.html#filter"},
    {"FormSort", "historyviews.html#sort"},
    {"FormPrint", "printing.html#print"},
    {"FormGraph", "graph.html"},
    {"FormEditSystem", "editsystem.html"},
    {"FormAbout", "index.html"},
};

constexpr WindowPage kTabPages[] = {
    {"TabSheetHO", ""},
    {"TabSheetHH", "historyviews.html#hand-history"},
    {"TabSheetGH", "historyviews.html#game-history"},
    {"TabSheetGameStats", "statistics.html"},
};

QString mainWindowPage(const QWidget &mainWindow)
{
    const auto *tabs = mainWindow.findChild<QTabWidget *>(QStringLiteral("PageControl"));
    const QWidget *page = tabs ? tabs->currentWidget() : nullptr;
    if (!page)
        return {};
    for (const WindowPage &entry : kTabPages) {
        if (page->objectName() == QLatin1String(entry.window))
            return QString::fromLatin1(entry.page);
    }
    return {};
}

HelpWindow *openHelpWindow()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (auto *help = qobject_cast<HelpWindow *>(window); help && help->isVisible())
            return help;
    }
    return nullptr;
}

bool ownedBy(const QWidget *window, const QWidget *owner)
{
    for (const QWidget *w = window; w; w = w->parentWidget()) {
        if (w == owner)
            return true;
    }
    return false;
}

} // namespace

QString helpPageFor(const QWidget *window)
{
    for (const QWidget *w = window ? window->window() : nullptr; w;
         w = w->parentWidget() ? w->parentWidget()->window() : nullptr) {
        if (w->objectName() == QLatin1String("FormTallowby"))
            return mainWindowPage(*w);
        for (const WindowPage &entry : kWindowPages) {
            if (w->objectName() == QLatin1String(entry.window))
                return QString::fromLatin1(entry.page);
        }
    }
    return {};
}

void openHelpAt(const QString &page, QWidget *from)
{
    // A help window that a modal dialog would block is opened anew beside that dialog.
    QWidget *modal = QApplication::activeModalWidget();
    if (HelpWindow *help = openHelpWindow(); help && modal && !ownedBy(help, modal))
        delete help;
    showHelp(modal ? modal : from);
    HelpWindow *help = openHelpWindow();
    if (!help)
        return;
    if (!page.isEmpty())
        help->showPage(page);
    // Above the program's own kept-on-top windows, so the main window does not hide the page.
    if (!help->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        help->setWindowFlag(Qt::WindowStaysOnTopHint);
        help->show();
    }
    help->raise();
    if (QWindow *window = help->windowHandle())
        window->requestActivate();
}
