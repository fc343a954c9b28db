// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's printer dialog.
#include "report/reportprintdialogs.h"

#include <QCoreApplication>
#include <QPrintDialog>
#include <QPrinter>

namespace {

class PlatformPrinterDialogs final : public PrinterDialogs
{
public:
    void setUpPrinter(QWidget *parent, QPrinter &printer) override
    {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QCoreApplication::translate("PrinterDialogs", "Print Setup"));
        // Only the printer is chosen here: paper, copies and pages come from the report. The
        // printer list also offers printing into a PDF file.
        dialog.setOptions(QAbstractPrintDialog::PrintToFile);
        dialog.exec();
    }
};

PlatformPrinterDialogs platformDialogs;
PrinterDialogs *installed = nullptr;

} // namespace

PrinterDialogs &printerDialogs()
{
    return installed ? *installed : platformDialogs;
}

void setPrinterDialogs(PrinterDialogs *replacement)
{
    installed = replacement;
}
