// SPDX-License-Identifier: GPL-3.0-or-later
// A printed report read back from its PDF file with poppler-utils: the text of each page, the
// words with their positions in millimetres, and pictures of the pages.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace pdfreport {

inline QString tool(const char *name)
{
    const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (found.isEmpty())
        qFatal("%s is missing: install poppler-utils", name);
    return found;
}

inline QByteArray run(const char *program, const QStringList &arguments)
{
    QProcess process;
    process.start(tool(program), arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qFatal("%s failed: %s", program, process.readAllStandardError().constData());
    return process.readAllStandardOutput();
}

// The text of each page, laid out as on paper.
inline QStringList pdfPages(const QString &pdf)
{
    QStringList pages =
        QString::fromUtf8(run("pdftotext", {QStringLiteral("-layout"), pdf, QStringLiteral("-")}))
            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The lines of a page that hold any text, blanks between words squeezed to one.
inline QStringList textLines(const QString &page)
{
    QStringList lines;
    for (const QString &line : page.split(QLatin1Char('\n'))) {
        const QString squeezed = line.simplified();
        if (!squeezed.isEmpty())
            lines.append(squeezed);
    }
    return lines;
}

struct PdfWord
{
    int page = 0; // from 0
    QString text;
    double xMinMm = 0; // from the left edge of the sheet
    double xMaxMm = 0;
    double yMinMm = 0; // from the top edge of the sheet
    double yMaxMm = 0;
};

inline QList<PdfWord> pdfWords(const QString &pdf)
{
    const QString html =
        QString::fromUtf8(run("pdftotext", {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    const double mmPerPoint = 25.4 / 72;
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    int page = -1;
    for (const QString &line : html.split(QLatin1Char('\n'))) {
        if (line.contains(QLatin1String("<page ")))
            ++page;
        const QRegularExpressionMatch match = word.match(line);
        if (match.hasMatch()) {
            words.append({page, match.captured(5), match.captured(1).toDouble() * mmPerPoint,
                          match.captured(3).toDouble() * mmPerPoint,
                          match.captured(2).toDouble() * mmPerPoint,
                          match.captured(4).toDouble() * mmPerPoint});
        }
    }
    return words;
}

// Saves every page as a PNG into the folder named by TALLOWBY_SHOTS, when it is set; with a
// crop (in pixels at that resolution), only that part of the first page.
inline void savePagePictures(const QString &pdf, const QString &name, int resolution = 80,
                             const QRect &crop = {})
{
    const QString folder = qEnvironmentVariable("TALLOWBY_SHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    QStringList arguments = {QStringLiteral("-png"), QStringLiteral("-r"),
                             QString::number(resolution)};
    if (!crop.isNull()) {
        arguments << QStringLiteral("-singlefile") << QStringLiteral("-x")
                  << QString::number(crop.x()) << QStringLiteral("-y") << QString::number(crop.y())
                  << QStringLiteral("-W") << QString::number(crop.width()) << QStringLiteral("-H")
                  << QString::number(crop.height());
    }
    run("pdftoppm", arguments << pdf << QDir(folder).filePath(name));
}

} // namespace pdfreport
