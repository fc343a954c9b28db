// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the history as CSV.
#include "import/historycsv.h"

#include "db/dbdates.h"
#include "db/dberror.h"
#include "db/dbtable.h"
#include "db/dbvalue.h"

#include <QDateTime>

#include <QCoreApplication>
#include <QLocale>
#include <QSaveFile>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("HistoryCsv", text);
}

// The grid's title of a field: "Date" for the date, the field's name for the others.
QString titleOf(const DbColumn &column)
{
    return column.name.compare(QLatin1String("DateP"), Qt::CaseInsensitive) == 0 ? tr("Date")
                                                                                 : column.name;
}

bool looksLikeAFormula(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    if (first == u'=' || first == u'+' || first == u'@' || first == u'\t' || first == u'\r')
        return true;
    if (first != u'-' || text == QLatin1String("--"))
        return false;
    bool number = false;
    QLocale::c().toDouble(text, &number);
    return !number;
}

// Numbers without a locale's separators: 1234567, 0.5.
QString numberText(const QVariant &stored)
{
    if (stored.typeId() == QMetaType::Double)
        return QString::number(stored.toDouble(), 'g', 17);
    return stored.toString();
}

QString cellText(const QVariant &stored, const DbColumn &column)
{
    if (stored.isNull())
        return {};
    const bool text = stored.typeId() == QMetaType::QString;
    switch (column.kind) {
    case DbColumnKind::Date:
        if (text) {
            if (const std::optional<StoredDate> date = parseStoredDate(stored.toString())) {
                return date->time.isNull()
                           ? date->date.toString(Qt::ISODate)
                           : QDateTime(date->date, date->time).toString(Qt::ISODate);
            }
            return stored.toString(); // written by another program: shown as it is
        }
        return numberText(stored);
    case DbColumnKind::Number:
    case DbColumnKind::Text:
        return text ? stored.toString() : numberText(stored);
    }
    return {};
}

} // namespace

QByteArray csvField(const QString &text)
{
    QString field = looksLikeAFormula(text) ? QLatin1Char('\'') + text : text;
    const bool quoted = field.contains(u',') || field.contains(u'"') || field.contains(u'\n') ||
                        field.contains(u'\r');
    if (quoted)
        field = QLatin1Char('"') + field.replace(u'"', QStringLiteral("\"\"")) + QLatin1Char('"');
    return field.toUtf8();
}

QByteArray historyCsv(const DbTable &table)
{
    const QList<DbColumn> &columns = table.columns();
    QByteArray csv;
    const auto endRow = [&csv](qsizetype rowStart) {
        if (csv.size() > rowStart)
            csv.chop(1); // the last comma
        csv += "\r\n";
    };
    qsizetype rowStart = csv.size();
    for (const DbColumn &column : columns)
        csv += csvField(titleOf(column)) + ',';
    endRow(rowStart);
    for (int row = 0; row < table.rowCount(); ++row) {
        rowStart = csv.size();
        for (int column = 0; column < columns.size(); ++column)
            csv += csvField(cellText(table.cell(row, column), columns.at(column))) + ',';
        endRow(rowStart);
    }
    return csv;
}

QString writeHistoryCsv(const DbTable &table, const QString &path)
{
    QByteArray csv;
    try {
        csv = historyCsv(table);
    } catch (const DatabaseError &failure) {
        return failure.message();
    }
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    const QString failed = tr("The file “%1” could not be written.\n%2");
    if (!file.open(QIODevice::WriteOnly))
        return failed.arg(displayPath(path), file.errorString());
    if (file.write(csv) != csv.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failed.arg(displayPath(path), reason);
    }
    if (!file.commit())
        return failed.arg(displayPath(path), file.errorString());
    return {};
}
