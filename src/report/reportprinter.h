// SPDX-License-Identifier: GPL-3.0-or-later
// The printer a report goes to. Without a usable printer nothing would come out, so the program
// decides before it paints: the chosen printer when it is installed, the PDF file chosen in
// Print Setup, or else no printer, in which case the user is offered a PDF file instead.
#pragma once

#include "report/reportdefinition.h"

#include <QString>
#include <QStringList>

class QPrinter;

enum class PrintTarget
{
    Printer, // an installed printer
    PdfFile, // the PDF file chosen as the output of Print Setup
    None,    // no usable printer
};

struct PrinterChoice
{
    bool pdfOutput = false; // Print Setup chose "print to file" rather than a printer
    QString printerName;
    QString outputFileName;
};

PrinterChoice printerChoiceOf(const QPrinter &printer);
PrintTarget printTargetFor(const PrinterChoice &choice, const QStringList &installedPrinters);

// The report's own settings: its paper, orientation and margins, one copy, all pages, the
// automatic paper bin. The printer itself stays as Print Setup chose it.
void prepareReportPrinter(QPrinter &printer, const ReportPageSetup &page);
