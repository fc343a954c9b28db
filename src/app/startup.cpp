// SPDX-License-Identifier: GPL-3.0-or-later
// Creating and destroying the long-lived windows.
#include "startup.h"

#include "app/accessibleroles.h"
#include "app/tallowby.h"
#include "history/QRHistory.h"
#include "history/filter.h"
#include "history/newgame.h"
#include "history/printhistory.h"
#include "history/sort.h"
#include "panel/selcards.h"
#include "tools/gamehistorygraph.h"
#include "tools/potodds.h"

#include <QCoreApplication>

LongLivedWindows::LongLivedWindows()
{
    // The application name is the window class the desktop sees (WM_CLASS "tallowby",
    // "Tallowby", as the launcher's StartupWMClass says); the title the user reads is the main
    // window's caption. Without a display name of its own, Qt adds nothing to the captions.
    QCoreApplication::setApplicationName(QString::fromLatin1(kWindowClass));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
    installAccessibleRoles();

    tallowby_ = std::make_unique<TFormTallowby>();
    FormTallowby = tallowby_.get();
    // The card panel and the calculator belong to the main window: one entry in the task bar
    // and the window switcher, and they stay with it when it is minimised and restored.
    selCards_ = std::make_unique<TFormSelCards>(FormTallowby);
    FormSelCards = selCards_.get();
    newGame_ = std::make_unique<TFormNewGame>();
    FormNewGame = newGame_.get();
    // The history dialogs belong to the main window, so they open above it.
    filter_ = std::make_unique<TFormFilter>(FormTallowby);
    FormFilter = filter_.get();
    qrHistory_ = std::make_unique<TFormQRHistory>();
    FormQRHistory = qrHistory_.get();
    print_ = std::make_unique<TFormPrint>(*FormQRHistory, FormTallowby);
    FormPrint = print_.get();
    sort_ = std::make_unique<TFormSort>(FormTallowby);
    FormSort = sort_.get();
    graph_ = std::make_unique<TFormGraph>(FormTallowby);
    FormGraph = graph_.get();
    potOdds_ = std::make_unique<TFormPotOdds>(FormTallowby);
    FormPotOdds = potOdds_.get();

    // Cards typed into the main window go to the panel.
    FormSelCards->takeCardKeysFrom(*FormTallowby);

    // Closing the main window ends the program, whatever else is still on the screen.
    FormSelCards->setAttribute(Qt::WA_QuitOnClose, false);
    FormPotOdds->setAttribute(Qt::WA_QuitOnClose, false);
}

LongLivedWindows::~LongLivedWindows()
{
    FormPotOdds = nullptr;
    potOdds_.reset();
    FormGraph = nullptr;
    graph_.reset();
    FormSort = nullptr;
    sort_.reset();
    FormPrint = nullptr;
    print_.reset();
    FormQRHistory = nullptr;
    qrHistory_.reset();
    FormFilter = nullptr;
    filter_.reset();
    FormNewGame = nullptr;
    newGame_.reset();
    FormSelCards = nullptr;
    selCards_.reset();
    FormTallowby = nullptr;
    tallowby_.reset();
}
