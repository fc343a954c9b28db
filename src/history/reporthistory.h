// SPDX-License-Identifier: GPL-3.0-or-later
// The design of the printed game history: US Letter, portrait, a boxed title band with the
// view's name and the date of printing, a ruled table of the ten printed fields under it.
#pragma once

#include "report/reportdefinition.h"

#include <QList>
#include <QString>

struct HistoryReportColumn
{
    QString heading;
    QString field;
    Qt::Alignment alignment;
    double fromMm = 0; // from the left of the printable area
    double toMm = 0;   // where the column's rule stands; the last one ends with the band
};

inline constexpr double kHistoryTitleBandMm = 6.6;
inline constexpr double kHistoryRowBandMm = 5.3;

// The name of the title label, whose text the program sets before each print.
inline constexpr char kHistoryTitleLabel[] = "QRLabelTitle";

ReportPageSetup historyReportPage();
QList<HistoryReportColumn> historyReportColumns();
// Title "Game History" until the program sets another.
ReportDefinition historyReport();
