// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing bands: frames and rules as black lines, texts clipped to their cells, all placed in
// millimetres and turned into device units here.
#include "report/reportrenderer.h"

#include "db/dbdates.h"
#include "report/reportpagination.h"
#include "report/reportsource.h"

#include <QCoreApplication>
#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

namespace {

constexpr double kMmPerInch = 25.4;

class BandPainter
{
public:
    BandPainter(const ReportDefinition &report, const ReportSurface &surface, QDate printDate)
        : m_report(report), m_painter(surface.painter), m_xScale(surface.dotsPerMmX),
          m_yScale(surface.dotsPerMmY), m_printDate(printDate)
    {}

    void draw(const ReportBand &band, double topMm, const ReportDataSource *row)
    {
        for (const ReportElement &element : band.elements)
            drawElement(band, element, topMm, row);
        drawRules(band, topMm);
    }

private:
    QPointF toDevice(double xMm, double yMm) const { return {xMm * m_xScale, yMm * m_yScale}; }

    QRectF toDevice(const QRectF &mm) const
    {
        return {toDevice(mm.left(), mm.top()), toDevice(mm.right(), mm.bottom())};
    }

    QString elementText(const ReportElement &element, const ReportDataSource *row) const
    {
        switch (element.kind) {
        case ReportElement::Kind::Label:
            return element.text;
        case ReportElement::Kind::Field:
            return row ? row->text(element.field) : QString();
        case ReportElement::Kind::PrintDate:
            return element.text + QLatin1Char(' ') + shortDateText(m_printDate);
        }
        return {};
    }

    void drawElement(const ReportBand &band, const ReportElement &element, double topMm,
                     const ReportDataSource *row)
    {
        QFont font(m_report.fontFamily);
        font.setPointSizeF(band.kind == ReportBand::Kind::Title ? m_report.titlePointSize
                                                                : m_report.textPointSize);
        font.setBold(element.bold);
        m_painter.setFont(font);
        m_painter.setPen(Qt::black);

        // Text never touches the rules beside it.
        QRectF cell = element.rectMm.translated(0, topMm);
        if (element.alignment & Qt::AlignLeft)
            cell.setLeft(cell.left() + m_report.textInsetMm);
        if (element.alignment & Qt::AlignRight)
            cell.setRight(cell.right() - m_report.textInsetMm);
        const int flags = int(element.alignment) | Qt::AlignVCenter | Qt::TextSingleLine;
        m_painter.drawText(toDevice(cell), flags, elementText(element, row));
    }

    void drawRules(const ReportBand &band, double topMm)
    {
        QPen pen(Qt::black);
        pen.setWidthF(m_report.ruleWidthMm * m_xScale);
        m_painter.setPen(pen);
        const double left = 0;
        const double right = m_report.page.printableWidth();
        const double bottom = topMm + band.heightMm;
        const auto line = [this](double x1, double y1, double x2, double y2) {
            m_painter.drawLine(QLineF(toDevice(x1, y1), toDevice(x2, y2)));
        };
        if (band.frame.left)
            line(left, topMm, left, bottom);
        if (band.frame.top)
            line(left, topMm, right, topMm);
        if (band.frame.right)
            line(right, topMm, right, bottom);
        if (band.frame.bottom)
            line(left, bottom, right, bottom);
        for (const double x : band.rulesMm)
            line(x, topMm, x, bottom);
    }

    const ReportDefinition &m_report;
    QPainter &m_painter;
    double m_xScale;
    double m_yScale;
    QDate m_printDate;
};

// Moves the surface on to the page the placement asks for.
void turnPage(const ReportSurface &surface, int &currentPage, const BandPlacement &placement)
{
    while (currentPage < placement.page) {
        if (!surface.newPage || !surface.newPage()) {
            throw ReportError(
                QCoreApplication::translate("renderReport", "The printer did not accept page %1.")
                    .arg(currentPage + 2));
        }
        ++currentPage;
    }
}

} // namespace

bool applyPageSetup(QPagedPaintDevice &device, const ReportPageSetup &page)
{
    const QPageSize paper(page.paperMm, QPageSize::Millimeter, QString(),
                          QPageSize::FuzzyOrientationMatch);
    const QPageLayout layout(paper, QPageLayout::Portrait, page.marginMm, QPageLayout::Millimeter);
    return device.setPageLayout(layout);
}

ReportRun renderReport(const ReportDefinition &report, ReportDataSource &source, QPainter &painter,
                       QPagedPaintDevice &device, QDate printDate, const ReportProgress &progress)
{
    // The device may have kept margins of its own; its printable area decides the breaks.
    const double pageHeight = device.pageLayout().paintRect(QPageLayout::Millimeter).height();
    const ReportSurface surface{
        painter, device.logicalDpiX() / kMmPerInch, device.logicalDpiY() / kMmPerInch,
        pageHeight > 0 ? pageHeight : report.page.printableHeight(), [&device] {
            return device.newPage();
        }};
    return renderReport(report, source, surface, printDate, progress);
}

ReportRun renderReport(const ReportDefinition &report, ReportDataSource &source,
                       const ReportSurface &surface, QDate printDate,
                       const ReportProgress &progress)
{
    ReportPaginator paginator(surface.pageHeightMm);
    BandPainter bands(report, surface, printDate);
    int currentPage = 0;
    ReportRun run;

    for (const ReportBand::Kind once : {ReportBand::Kind::Title, ReportBand::Kind::ColumnHeader}) {
        if (const ReportBand *band = report.band(once)) {
            const BandPlacement placement = paginator.place(band->heightMm);
            turnPage(surface, currentPage, placement);
            bands.draw(*band, placement.topMm, nullptr);
        }
    }

    if (const ReportBand *detail = report.band(ReportBand::Kind::Detail)) {
        for (source.first(); !source.atEnd(); source.next()) {
            const BandPlacement placement = paginator.place(detail->heightMm);
            turnPage(surface, currentPage, placement);
            bands.draw(*detail, placement.topMm, &source);
            ++run.rows;
            if (progress && !progress(run.rows, currentPage + 1)) {
                run.completed = false;
                break;
            }
        }
    }
    run.pages = currentPage + 1;
    return run;
}
