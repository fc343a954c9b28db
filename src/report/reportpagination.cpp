// SPDX-License-Identifier: GPL-3.0-or-later
// Stacking bands on pages.
#include "report/reportpagination.h"

namespace {

// Millimetre sums like 46 × 5.3 carry rounding noise; a band that fits up to it still fits.
constexpr double kTolerance = 1e-6;

} // namespace

BandPlacement ReportPaginator::place(double bandHeightMm)
{
    if (m_used > 0 && m_used + bandHeightMm > m_pageHeight + kTolerance) {
        ++m_page;
        m_used = 0;
    }
    const BandPlacement placement{m_page, m_used};
    m_used += bandHeightMm;
    return placement;
}

QList<int> rowsPerPage(const ReportDefinition &report, int rowCount)
{
    return rowsPerPage(report, rowCount, report.page.printableHeight());
}

QList<int> rowsPerPage(const ReportDefinition &report, int rowCount, double pageHeightMm)
{
    ReportPaginator paginator(pageHeightMm);
    for (const ReportBand::Kind once : {ReportBand::Kind::Title, ReportBand::Kind::ColumnHeader}) {
        if (const ReportBand *band = report.band(once))
            paginator.place(band->heightMm);
    }
    QList<int> rows(1, 0);
    if (const ReportBand *detail = report.band(ReportBand::Kind::Detail)) {
        for (int row = 0; row < rowCount; ++row) {
            const BandPlacement placement = paginator.place(detail->heightMm);
            if (placement.page >= rows.size())
                rows.resize(placement.page + 1, 0);
            ++rows[placement.page];
        }
    }
    return rows;
}
