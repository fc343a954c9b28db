// SPDX-License-Identifier: GPL-3.0-or-later
// The design of a banded report, in millimetres: the paper and its margins, and the bands from
// top to bottom with their frames, vertical rules and elements. The renderer (reportrenderer.h)
// lays it out on a paged device; the history report (history/reporthistory.h) is one such
// design.
#pragma once

#include <QList>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>

struct ReportPageSetup
{
    QSizeF paperMm;     // width × height of the sheet
    QMarginsF marginMm; // left, top, right, bottom

    double printableWidth() const { return paperMm.width() - marginMm.left() - marginMm.right(); }
    double printableHeight() const { return paperMm.height() - marginMm.top() - marginMm.bottom(); }
};

// Which edges of a band carry a black rule.
struct ReportFrame
{
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;

    static ReportFrame box() { return {true, true, true, true}; }
    static ReportFrame openTop() { return {true, false, true, true}; }
};

struct ReportElement
{
    enum class Kind
    {
        Label,     // fixed text
        Field,     // the named field of the current row
        PrintDate, // the text followed by the date of printing
    };

    Kind kind = Kind::Label;
    QString name; // "QRLabelTitle", "QRDBTextDateP": how the program finds it
    QString text; // the label's text, or the words before the date
    QString field;
    QRectF rectMm; // within the band: x from the left of the printable area, y from the band's top
    Qt::Alignment alignment = Qt::AlignLeft;
    bool bold = false;
};

struct ReportBand
{
    enum class Kind
    {
        Title,        // once, at the top of the first page
        ColumnHeader, // once, directly under the title
        Detail,       // once for every row of the data source
    };

    Kind kind = Kind::Detail;
    double heightMm = 0;
    ReportFrame frame;
    QList<double> rulesMm; // x of the vertical rules between columns
    QList<ReportElement> elements;
};

struct ReportDefinition
{
    ReportPageSetup page;
    QString fontFamily;
    double titlePointSize = 10;
    double textPointSize = 8;
    double ruleWidthMm = 0.25;
    double textInsetMm = 1; // gap between a rule and left- or right-aligned text
    QList<ReportBand> bands;

    // The element of that name in any band; nullptr when there is none.
    ReportElement *element(const QString &name);
    const ReportElement *element(const QString &name) const;
    const ReportBand *band(ReportBand::Kind kind) const;
};
