// SPDX-License-Identifier: GPL-3.0-or-later
// Paints a report design (reportdefinition.h) with the rows of a data source onto a paged
// device: the title and the column headings once at the top of the first page, then one detail
// band per row, a new page whenever the next band would cross the bottom margin.
#pragma once

#include "report/reportdefinition.h"

#include <QDate>
#include <QString>

#include <functional>
#include <stdexcept>

class QPagedPaintDevice;
class QPainter;
class ReportDataSource;

// A printer or file that refused the report; the text is meant for the user.
class ReportError : public std::runtime_error
{
public:
    explicit ReportError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

struct ReportRun
{
    bool completed = true; // false when the progress callback stopped it
    int pages = 0;
    int rows = 0;
};

// Told after every printed row (rows so far, current page from 1); returning false stops the
// report there.
using ReportProgress = std::function<bool(int rows, int page)>;

// Gives the device the design's paper, orientation and margins. False when the device cannot
// take them (it then keeps its own).
bool applyPageSetup(QPagedPaintDevice &device, const ReportPageSetup &page);

// What the report is painted on: a painter whose origin is the top left of the printable area,
// the device's dots per millimetre, the printable height of a page and the way to the next page.
struct ReportSurface
{
    QPainter &painter;
    double dotsPerMmX = 1;
    double dotsPerMmY = 1;
    double pageHeightMm = 0;
    std::function<bool()> newPage;
};

// Walks the source from its first row to its end. Throws ReportError when the surface refuses a
// new page.
ReportRun renderReport(const ReportDefinition &report, ReportDataSource &source,
                       const ReportSurface &surface, QDate printDate,
                       const ReportProgress &progress = {});

// The same on a printer or PDF writer the painter is active on, whose printable area decides
// the page breaks.
ReportRun renderReport(const ReportDefinition &report, ReportDataSource &source, QPainter &painter,
                       QPagedPaintDevice &device, QDate printDate,
                       const ReportProgress &progress = {});
