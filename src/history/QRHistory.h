// SPDX-License-Identifier: GPL-3.0-or-later
// The report layout of the printed history, never shown as a window: the title label, the
// binding to the table of the chosen view, and printing it on the current printer with a
// progress window. With no usable printer the user is told so and may save the report as a PDF
// file instead.
#pragma once

#include "report/reportdefinition.h"

#include <QObject>
#include <QString>

#include <memory>

class DbTable;
class QPagedPaintDevice;
class QPrinter;
class QProgressDialog;
class QWidget;

class TFormQRHistory : public QObject
{
    Q_OBJECT

public:
    enum class Outcome
    {
        Printed,    // sent to the printer
        SavedAsPdf, // written into a PDF file
        NotPrinted, // no printer, and the user chose no PDF file
        Cancelled,  // stopped from the progress window; nothing is kept
    };

    explicit TFormQRHistory(QObject *parent = nullptr);
    ~TFormQRHistory() override;

    // The text of QRLabelTitle.
    void setTitle(const QString &title);
    QString title() const;

    // Binds the report and its ten detail fields to the table, until the next binding. The
    // table must outlive the binding.
    void bindTable(DbTable &table);
    DbTable *boundTable() const { return m_table; }

    // The printer the next print uses, as Print Setup left it.
    QPrinter &printer() { return *m_printer; }

    const ReportDefinition &report() const { return m_report; }

    // Walks the bound table from its first row to its last and prints a band per row. Throws
    // ReportError when the printer or the file refuses the report, DatabaseError when the
    // table cannot be read.
    Outcome print(QWidget *parent);

    // Writes the report into a PDF file, replacing it only when the whole report was written.
    // False when the user stopped it.
    bool saveAsPdf(const QString &path, QWidget *parent);

private:
    Outcome printOnPrinter(QWidget *parent);
    Outcome offerPdf(QWidget *parent);
    // Paints the report; false when stopped from the progress window.
    bool paint(QPagedPaintDevice &device, QPrinter *printer, const QString &deviceName,
               QWidget *parent);
    QString suggestedPdfPath() const;

    ReportDefinition m_report;
    DbTable *m_table = nullptr;
    std::unique_ptr<QPrinter> m_printer;
};

// The progress window shown while a report of `rows` rows prints.
std::unique_ptr<QProgressDialog> makePrintProgress(QWidget *parent, int rows);

// The one report layout, made by the start-up code.
extern TFormQRHistory *FormQRHistory;
