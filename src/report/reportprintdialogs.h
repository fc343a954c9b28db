// SPDX-License-Identifier: GPL-3.0-or-later
// The one door through which the program shows the platform's printer dialog. Tests install
// their own, so no test ever waits on a modal printer dialog.
#pragma once

class QPrinter;
class QWidget;

class PrinterDialogs
{
public:
    virtual ~PrinterDialogs() = default;

    // Print Setup: lets the user choose the printer, or a PDF file as its output, for the next
    // print. The printer keeps its settings when the user cancels.
    virtual void setUpPrinter(QWidget *parent, QPrinter &printer) = 0;
};

// The dialogs in force: the platform's unless a test installed others.
PrinterDialogs &printerDialogs();

// Installs other dialogs (not owned); nullptr goes back to the platform's.
void setPrinterDialogs(PrinterDialogs *replacement);
