// SPDX-License-Identifier: GPL-3.0-or-later
// Conversions between stored values and what the program reads and writes.
#include "db/dbvalue.h"

#include "db/dbdates.h"
#include "db/dberror.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("DbValue", text);
}

bool isNumeric(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

// A number typed by the user (locale) or written by a program (C locale).
std::optional<double> parseNumber(const QString &text)
{
    bool ok = false;
    double number = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        number = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

QString numberText(const QVariant &stored)
{
    if (stored.typeId() == QMetaType::Double || stored.typeId() == QMetaType::Float) {
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale.toString(stored.toDouble(), 'g', QLocale::FloatingPointShortest);
    }
    return stored.toString();
}

} // namespace

DbColumn columnFromDeclaration(const QString &name, const QString &declaredType)
{
    const QString type = declaredType.toUpper();
    DbColumn column{name, DbColumnKind::Text, 0};
    if (type.contains(QLatin1String("DATE")) || type.contains(QLatin1String("TIME"))) {
        column.kind = DbColumnKind::Date;
    } else if (type.contains(QLatin1String("CHAR")) || type.contains(QLatin1String("TEXT")) ||
               type.contains(QLatin1String("CLOB")) || type.contains(QLatin1String("MEMO"))) {
        static const QRegularExpression length(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
        const QRegularExpressionMatch match = length.match(type);
        if (match.hasMatch())
            column.maxLength = match.captured(1).toInt();
    } else {
        for (const char *numeric :
             {"INT", "NUM", "REAL", "FLOA", "DOUB", "DEC", "CURRENCY", "MONEY", "BYTE", "BIT"}) {
            if (type.contains(QLatin1String(numeric)))
                column.kind = DbColumnKind::Number;
        }
    }
    return column;
}

int columnIndex(const QList<DbColumn> &columns, QAnyStringView name)
{
    // Callers mostly spell the name as the table does; that is the cheap comparison.
    for (int i = 0; i < columns.size(); ++i) {
        if (QAnyStringView::equal(columns.at(i).name, name))
            return i;
    }
    for (int i = 0; i < columns.size(); ++i) {
        if (QAnyStringView::compare(columns.at(i).name, name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString quotedIdentifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString valueText(const QVariant &stored, DbColumnKind kind)
{
    if (stored.isNull())
        return {};
    if (kind == DbColumnKind::Date && !isNumeric(stored)) {
        if (const std::optional<StoredDate> date = parseStoredDate(stored.toString())) {
            if (date->time.isNull())
                return shortDateText(date->date);
            return shortDateText(date->date) + QLatin1Char(' ') +
                   QLocale().toString(date->time, QLocale::ShortFormat);
        }
    }
    if (isNumeric(stored))
        return numberText(stored);
    return stored.toString();
}

namespace {

std::optional<StoredDate> storedDate(const QVariant &stored, QAnyStringView field)
{
    if (stored.isNull())
        return std::nullopt;
    if (stored.typeId() == QMetaType::QString) {
        if (std::optional<StoredDate> date = parseStoredDate(stored.toString()))
            return date;
    }
    throw DatabaseError(tr("The value “%1” of the field “%2” is not a date.")
                            .arg(stored.toString(), field.toString()));
}

} // namespace

QDate valueDate(const QVariant &stored, QAnyStringView field)
{
    const std::optional<StoredDate> date = storedDate(stored, field);
    return date ? date->date : QDate();
}

QTime valueTimeOfDay(const QVariant &stored, QAnyStringView field)
{
    const std::optional<StoredDate> date = storedDate(stored, field);
    return date ? date->time : QTime();
}

QDateTime valueDateTime(const QVariant &stored, QAnyStringView field)
{
    const std::optional<StoredDate> date = storedDate(stored, field);
    if (!date)
        return {};
    return QDateTime(date->date, date->time.isNull() ? QTime(0, 0) : date->time);
}

double roundHalfEven(double value)
{
    const double nearest = std::round(value); // halves go away from zero here
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return nearest;
}

qint64 valueInteger(const QVariant &stored, QAnyStringView field)
{
    if (stored.isNull())
        return 0;
    if (stored.typeId() == QMetaType::LongLong || stored.typeId() == QMetaType::Int ||
        stored.typeId() == QMetaType::UInt || stored.typeId() == QMetaType::Bool)
        return stored.toLongLong();
    std::optional<double> number;
    if (isNumeric(stored))
        number = stored.toDouble();
    else
        number = parseNumber(stored.toString());
    constexpr double limit = 9.0e18;
    if (!number || !std::isfinite(*number) || std::fabs(*number) > limit) {
        throw DatabaseError(tr("The value “%1” of the field “%2” is not a whole number.")
                                .arg(stored.toString(), field.toString()));
    }
    return static_cast<qint64>(roundHalfEven(*number));
}

QVariant storageValue(const DbColumn &column, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (column.kind) {
    case DbColumnKind::Date: {
        if (value.typeId() == QMetaType::QDate && value.toDate().isValid())
            return storedDateText(value.toDate());
        if (value.typeId() == QMetaType::QDateTime && value.toDateTime().isValid())
            return storedDateText(value.toDateTime());
        if (value.typeId() == QMetaType::QString) {
            if (const std::optional<StoredDate> stored = parseStoredDate(value.toString()))
                return storedDateText(stored->date, stored->time);
            const QDate typed = parseShortDate(value.toString());
            if (typed.isValid())
                return storedDateText(typed);
        }
        throw DatabaseError(tr("“%1” is not a date and cannot be stored in the field “%2”.")
                                .arg(value.toString(), column.name));
    }
    case DbColumnKind::Number: {
        if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
            if (std::isfinite(value.toDouble()))
                return value.toDouble();
        } else if (isNumeric(value)) {
            return value.toLongLong();
        } else if (value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty()) {
            return {};
        } else if (const std::optional<double> number = parseNumber(value.toString())) {
            return *number;
        }
        throw DatabaseError(tr("“%1” is not a number and cannot be stored in the field “%2”.")
                                .arg(value.toString(), column.name));
    }
    case DbColumnKind::Text: {
        const QString text =
            value.typeId() == QMetaType::Double ? numberText(value) : value.toString();
        if (column.maxLength > 0 && text.size() > column.maxLength) {
            throw DatabaseError(
                tr("The text “%1” is too long for the field “%2”, which holds at most %3 "
                   "characters.")
                    .arg(text, column.name)
                    .arg(column.maxLength));
        }
        return text;
    }
    }
    return {};
}
