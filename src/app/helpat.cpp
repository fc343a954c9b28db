// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the help at a window's page.
#include "app/helpat.h"

#include "app/helpviewer.h"

#include <QApplication>
#include <QTabWidget>
#include <QWidget>

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
    // The viewer is a process of its own, so a modal dialog does not block it; its failures are
    // reported over the dialog the request came from.
    QWidget *modal = QApplication::activeModalWidget();
    showHelp(modal ? modal : from, page);
}
