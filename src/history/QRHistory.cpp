// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the history report: the printer or a PDF file, the progress window, and every
// refusal of the device reported instead of passed over.
#include "history/QRHistory.h"

#include "app/prompts.h"
#include "app/startup.h"
#include "db/dberror.h"
#include "history/reporthistory.h"
#include "report/reportprinter.h"
#include "report/reportrenderer.h"
#include "report/reportsource.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QSaveFile>
#include <QStandardPaths>

TFormQRHistory *FormQRHistory = nullptr;

namespace {

constexpr int kProgressDelayMs = 500;

} // namespace

std::unique_ptr<QProgressDialog> makePrintProgress(QWidget *parent, int rows)
{
    auto progress = std::make_unique<QProgressDialog>(
        QCoreApplication::translate("TFormQRHistory", "Printing..."),
        QCoreApplication::translate("TFormQRHistory", "Cancel"), 0, rows, parent);
    progress->setObjectName(QStringLiteral("ProgressPrint"));
    progress->setWindowTitle(QCoreApplication::translate("TFormQRHistory", "Printing"));
    progress->setAccessibleName(progress->windowTitle());
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(kProgressDelayMs);
    return progress;
}

TFormQRHistory::TFormQRHistory(QObject *parent)
    : QObject(parent), m_report(historyReport()),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("FormQRHistory"));
}

TFormQRHistory::~TFormQRHistory() = default;

void TFormQRHistory::setTitle(const QString &title)
{
    m_report.element(QString::fromLatin1(kHistoryTitleLabel))->text = title;
}

QString TFormQRHistory::title() const
{
    return m_report.element(QString::fromLatin1(kHistoryTitleLabel))->text;
}

void TFormQRHistory::bindTable(DbTable &table)
{
    // The detail fields read the report's one data source, so binding it binds them all.
    m_table = &table;
}

TFormQRHistory::Outcome TFormQRHistory::print(QWidget *parent)
{
    if (!m_table)
        throw ReportError(tr("No history view is bound to the report."));
    switch (printTargetFor(printerChoiceOf(*m_printer), QPrinterInfo::availablePrinterNames())) {
    case PrintTarget::Printer:
        return printOnPrinter(parent);
    case PrintTarget::PdfFile:
        return saveAsPdf(m_printer->outputFileName(), parent) ? Outcome::SavedAsPdf
                                                              : Outcome::Cancelled;
    case PrintTarget::None:
        break;
    }
    return offerPdf(parent);
}

TFormQRHistory::Outcome TFormQRHistory::printOnPrinter(QWidget *parent)
{
    prepareReportPrinter(*m_printer, m_report.page);
    m_printer->setDocName(title());
    const QString name = tr("the printer “%1”").arg(m_printer->printerName());
    return paint(*m_printer, m_printer.get(), name, parent) ? Outcome::Printed : Outcome::Cancelled;
}

TFormQRHistory::Outcome TFormQRHistory::offerPdf(QWidget *parent)
{
    const Prompts::Answer save = prompts().question(
        parent, tr("Print"), tr("No printer is available. Save the report as a PDF file instead?"),
        false);
    if (save != Prompts::Answer::Yes)
        return Outcome::NotPrinted;
    const QString path =
        prompts().saveFileName(parent, tr("Save Report as PDF"), suggestedPdfPath(),
                               tr("PDF File (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return Outcome::NotPrinted;
    if (QFileInfo::exists(path) &&
        prompts().question(parent, tr("Overwrite"), tr("File already exists. Overwrite?"), false) !=
            Prompts::Answer::Yes) {
        return Outcome::NotPrinted;
    }
    return saveAsPdf(path, parent) ? Outcome::SavedAsPdf : Outcome::Cancelled;
}

bool TFormQRHistory::saveAsPdf(const QString &path, QWidget *parent)
{
    if (!m_table)
        throw ReportError(tr("No history view is bound to the report."));
    // Written beside the file and renamed at the end, so a failed or stopped report never
    // leaves half a file or destroys the one it was to replace.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw ReportError(tr("The report could not be saved as “%1”: %2")
                              .arg(displayPath(path), file.errorString()));
    }
    bool completed = false;
    {
        QPdfWriter writer(&file);
        writer.setCreator(QString::fromLatin1(kApplicationTitle));
        writer.setTitle(title());
        applyPageSetup(writer, m_report.page);
        completed = paint(writer, nullptr, tr("the file “%1”").arg(displayPath(path)), parent);
    }
    if (!completed) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        throw ReportError(tr("The report could not be saved as “%1”: %2")
                              .arg(displayPath(path), file.errorString()));
    }
    return true;
}

bool TFormQRHistory::paint(QPagedPaintDevice &device, QPrinter *printer, const QString &deviceName,
                           QWidget *parent)
{
    QPainter painter;
    if (!painter.begin(&device))
        throw ReportError(tr("The report could not be started on %1.").arg(deviceName));

    DbTableReportSource source(*m_table);
    const std::unique_ptr<QProgressDialog> progress = makePrintProgress(parent, source.rowCount());
    const auto showProgress = [&progress, shownPage = 0](int rows, int page) mutable {
        if (page != shownPage) {
            progress->setLabelText(tr("Printing page %1...").arg(page));
            shownPage = page;
        }
        progress->setValue(rows);
        return !progress->wasCanceled();
    };
    const ReportRun run =
        renderReport(m_report, source, painter, device, QDate::currentDate(), showProgress);
    if (!run.completed && printer)
        printer->abort();
    if (!painter.end() && run.completed)
        throw ReportError(tr("The report could not be finished on %1.").arg(deviceName));
    if (printer && printer->printerState() == QPrinter::Error)
        throw ReportError(tr("The report could not be finished on %1.").arg(deviceName));
    return run.completed;
}

QString TFormQRHistory::suggestedPdfPath() const
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(title() + QStringLiteral(".pdf"));
}
