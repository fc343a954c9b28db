// SPDX-License-Identifier: GPL-3.0-or-later
// The history report's layout in millimetres.
#include "history/reporthistory.h"

#include <QCoreApplication>

namespace {

constexpr double kLetterWidthMm = 215.9;
constexpr double kLetterHeightMm = 279.4;

QString tr(const char *text)
{
    return QCoreApplication::translate("historyReport", text);
}

} // namespace

ReportPageSetup historyReportPage()
{
    // Left 15, top 10, right 25, bottom 10: a printable width of 175.9 mm.
    return {QSizeF(kLetterWidthMm, kLetterHeightMm), QMarginsF(15, 10, 25, 10)};
}

QList<HistoryReportColumn> historyReportColumns()
{
    const double end = historyReportPage().printableWidth();
    const Qt::Alignment centred = Qt::AlignHCenter;
    // Headings are the field names except for the date, the hand and the result.
    return {
        {tr("Date"), QStringLiteral("DateP"), centred, 0, 21.2},
        {QStringLiteral("H1"), QStringLiteral("H1"), centred, 21.2, 34.4},
        {QStringLiteral("H2"), QStringLiteral("H2"), centred, 34.4, 47.6},
        {QStringLiteral("F1"), QStringLiteral("F1"), centred, 47.6, 60.9},
        {QStringLiteral("F2"), QStringLiteral("F2"), centred, 60.9, 74.1},
        {QStringLiteral("F3"), QStringLiteral("F3"), centred, 74.1, 87.3},
        {QStringLiteral("Tn"), QStringLiteral("Tn"), centred, 87.3, 100.5},
        {QStringLiteral("Rr"), QStringLiteral("Rr"), centred, 100.5, 113.8},
        {tr("Hand"), QStringLiteral("Hand"), Qt::AlignLeft, 113.8, 158.8},
        {tr("Result"), QStringLiteral("Result"), centred, 158.8, end},
    };
}

ReportDefinition historyReport()
{
    ReportDefinition report;
    report.page = historyReportPage();
    report.fontFamily = QStringLiteral("DejaVu Sans");
    report.titlePointSize = 10;
    report.textPointSize = 8;
    const double width = report.page.printableWidth();
    const double half = width / 2;

    ReportBand title;
    title.kind = ReportBand::Kind::Title;
    title.heightMm = kHistoryTitleBandMm;
    title.frame = ReportFrame::box();
    title.elements = {
        {ReportElement::Kind::Label,
         QString::fromLatin1(kHistoryTitleLabel),
         tr("Game History"),
         {},
         QRectF(0, 0, half, kHistoryTitleBandMm),
         Qt::AlignLeft,
         true},
        {ReportElement::Kind::PrintDate,
         QStringLiteral("QRSysDataDate"),
         tr("Date:"),
         {},
         QRectF(half, 0, width - half, kHistoryTitleBandMm),
         Qt::AlignRight,
         true},
    };

    ReportBand headings;
    headings.kind = ReportBand::Kind::ColumnHeader;
    headings.heightMm = kHistoryRowBandMm;
    headings.frame = ReportFrame::openTop();

    ReportBand detail;
    detail.kind = ReportBand::Kind::Detail;
    detail.heightMm = kHistoryRowBandMm;
    detail.frame = ReportFrame::openTop();

    const QList<HistoryReportColumn> columns = historyReportColumns();
    for (const HistoryReportColumn &column : columns) {
        const QRectF cell(column.fromMm, 0, column.toMm - column.fromMm, kHistoryRowBandMm);
        headings.elements.append({ReportElement::Kind::Label,
                                  QStringLiteral("QRLabelHead") + column.field,
                                  column.heading,
                                  {},
                                  cell,
                                  column.alignment,
                                  true});
        detail.elements.append({ReportElement::Kind::Field,
                                QStringLiteral("QRDBText") + column.field,
                                {},
                                column.field,
                                cell,
                                column.alignment,
                                false});
        if (column.toMm < width) {
            headings.rulesMm.append(column.toMm);
            detail.rulesMm.append(column.toMm);
        }
    }

    report.bands = {title, headings, detail};
    return report;
}
