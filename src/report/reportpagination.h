// SPDX-License-Identifier: GPL-3.0-or-later
// Where each band of a report lands: bands are stacked down the printable area of a page, and a
// band that would cross the bottom margin starts the next page, so no band is ever split.
#pragma once

#include "report/reportdefinition.h"

#include <QList>

struct BandPlacement
{
    int page = 0;     // from 0
    double topMm = 0; // from the top of the printable area
};

class ReportPaginator
{
public:
    explicit ReportPaginator(double pageHeightMm) : m_pageHeight(pageHeightMm) {}

    // Places the next band; a band taller than a whole page still gets a page of its own.
    BandPlacement place(double bandHeightMm);
    int pageCount() const { return m_page + 1; }

private:
    double m_pageHeight;
    int m_page = 0;
    double m_used = 0;
};

// The number of detail rows on each page of a report of `rowCount` rows, on pages of the
// design's printable height: the title and the column headings once on the first page, then
// the rows. An empty report still has its first page.
QList<int> rowsPerPage(const ReportDefinition &report, int rowCount);
QList<int> rowsPerPage(const ReportDefinition &report, int rowCount, double pageHeightMm);
