// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing where a report goes and setting the printer up for it.
#include "report/reportprinter.h"

#include "report/reportrenderer.h"

#include <QPrinter>

PrinterChoice printerChoiceOf(const QPrinter &printer)
{
    return {printer.outputFormat() == QPrinter::PdfFormat, printer.printerName(),
            printer.outputFileName()};
}

PrintTarget printTargetFor(const PrinterChoice &choice, const QStringList &installedPrinters)
{
    if (choice.pdfOutput)
        return choice.outputFileName.isEmpty() ? PrintTarget::None : PrintTarget::PdfFile;
    // A printer chosen earlier may have been removed since.
    if (!choice.printerName.isEmpty() && installedPrinters.contains(choice.printerName))
        return PrintTarget::Printer;
    return PrintTarget::None;
}

void prepareReportPrinter(QPrinter &printer, const ReportPageSetup &page)
{
    printer.setFullPage(false);
    applyPageSetup(printer, page);
    printer.setCopyCount(1);
    printer.setCollateCopies(false);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPaperSource(QPrinter::Auto);
}
