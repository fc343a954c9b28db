// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands of printing and of the graph: Print Setup, Print and Game History
// Graph. Print and the graph take the two history views as they stand, filter and order included.
#include "app/tallowby.h"

#include "history/QRHistory.h"
#include "history/printhistory.h"
#include "report/reportprintdialogs.h"
#include "tools/gamehistorygraph.h"

void TFormTallowby::MenuPrintSetupClick()
{
    // The printer chosen here, or a PDF file as its output, is the one the next print uses.
    if (FormQRHistory)
        printerDialogs().setUpPrinter(this, FormQRHistory->printer());
}

void TFormTallowby::MenuPrintClick()
{
    if (!historyDatabaseAtHand() || !FormPrint)
        return;
    FormPrint->setTables(&gameHistoryTable(), &handHistoryTable());
    FormPrint->exec();
}

void TFormTallowby::MenuGameHistoryGraphClick()
{
    if (!historyDatabaseAtHand() || !FormGraph)
        return;
    FormGraph->setTables(&gameHistoryTable(), &handHistoryTable());
    FormGraph->exec();
}
