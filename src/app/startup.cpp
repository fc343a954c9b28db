// Creating and destroying the long-lived windows.
#include "startup.h"

#include "app/tallowby.h"
#include "history/newgame.h"
#include "panel/selcards.h"
#include "tools/potodds.h"

#include <QCoreApplication>

LongLivedWindows::LongLivedWindows()
{
    // Without a display name of its own, Qt adds nothing to the windows' captions.
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));

    tallowby_ = std::make_unique<TFormTallowby>();
    FormTallowby = tallowby_.get();
    selCards_ = std::make_unique<TFormSelCards>();
    FormSelCards = selCards_.get();
    newGame_ = std::make_unique<TFormNewGame>();
    FormNewGame = newGame_.get();
    potOdds_ = std::make_unique<TFormPotOdds>();
    FormPotOdds = potOdds_.get();

    // Closing the main window ends the program, whatever else is still on the screen.
    FormSelCards->setAttribute(Qt::WA_QuitOnClose, false);
    FormPotOdds->setAttribute(Qt::WA_QuitOnClose, false);
}

LongLivedWindows::~LongLivedWindows()
{
    FormPotOdds = nullptr;
    potOdds_.reset();
    FormNewGame = nullptr;
    newGame_.reset();
    FormSelCards = nullptr;
    selCards_.reset();
    FormTallowby = nullptr;
    tallowby_.reset();
}
