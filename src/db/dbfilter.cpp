// SPDX-License-Identifier: GPL-3.0-or-later
// A small recursive-descent reader for filter texts, and the sort-text reader. Its depth is
// bounded by the nesting of parentheses, which is limited, and every character is looked at a
// bounded number of times, so no text can exhaust the stack or take long to read.
#include "db/dbfilter.h"

#include "db/dbdates.h"
#include "db/dberror.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("DbFilter", text);
}

struct Node
{
    enum class Kind
    {
        Compare,
        And,
        Or
    } kind = Kind::Compare;
    int column = -1;
    QString op;
    QVariant value;
    std::vector<Node> children;
};

// Far deeper than any filter a person writes, far shallower than the stack allows.
constexpr int kDeepestNesting = 100;

// A text too long to read in a message is shown by its beginning.
QString clipped(const QString &text)
{
    constexpr qsizetype shown = 200;
    return text.size() <= shown ? text : text.left(shown) + QChar(0x2026);
}

bool isIdentifierChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

class FilterReader
{
public:
    FilterReader(const QString &text, const QList<DbColumn> &columns, const QLocale &locale)
        : m_text(text), m_columns(columns), m_locale(locale)
    {}

    Node read()
    {
        Node node = readOr();
        skipSpace();
        if (m_pos < m_text.size())
            fail(tr("“%1” was not expected here").arg(m_text.mid(m_pos, 12)));
        return node;
    }

private:
    Node readOr()
    {
        Node node{Node::Kind::Or, -1, {}, {}, {}};
        node.children.push_back(readAnd());
        while (keyword("OR"))
            node.children.push_back(readAnd());
        return node.children.size() == 1 ? std::move(node.children.front()) : node;
    }

    Node readAnd()
    {
        Node node{Node::Kind::And, -1, {}, {}, {}};
        node.children.push_back(readPrimary());
        while (keyword("AND"))
            node.children.push_back(readPrimary());
        return node.children.size() == 1 ? std::move(node.children.front()) : node;
    }

    Node readPrimary()
    {
        skipSpace();
        if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char('(')) {
            if (m_depth == kDeepestNesting)
                fail(tr("the parentheses are nested more than %1 deep").arg(kDeepestNesting));
            ++m_pos;
            ++m_depth;
            Node inner = readOr();
            --m_depth;
            skipSpace();
            if (m_pos >= m_text.size() || m_text.at(m_pos) != QLatin1Char(')'))
                fail(tr("a closing parenthesis is missing"));
            ++m_pos;
            return inner;
        }
        return readComparison();
    }

    Node readComparison()
    {
        const QString name = readFieldName();
        const int column = columnIndex(m_columns, name);
        if (column < 0)
            fail(tr("the table has no field “%1”").arg(clipped(name)));
        const QString op = readOperator();
        return Node{Node::Kind::Compare, column, op, readValue(m_columns.at(column)), {}};
    }

    QString readFieldName()
    {
        skipSpace();
        if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char('[')) {
            const qsizetype end = m_text.indexOf(QLatin1Char(']'), m_pos);
            if (end < 0)
                fail(tr("a closing bracket is missing"));
            const QString name = m_text.mid(m_pos + 1, end - m_pos - 1);
            m_pos = end + 1;
            return name;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && isIdentifierChar(m_text.at(m_pos)))
            ++m_pos;
        const QString name = m_text.mid(start, m_pos - start);
        if (name.isEmpty() || name.compare(QLatin1String("AND"), Qt::CaseInsensitive) == 0 ||
            name.compare(QLatin1String("OR"), Qt::CaseInsensitive) == 0)
            failAt(start, tr("a field name was expected"));
        return name;
    }

    QString readOperator()
    {
        skipSpace();
        for (const char *op : {"<=", ">=", "<>", "=", "<", ">"}) {
            const QLatin1String candidate(op);
            if (m_text.mid(m_pos, candidate.size()) == candidate) {
                m_pos += candidate.size();
                return candidate;
            }
        }
        fail(tr("a comparison (=, <>, <, >, <= or >=) was expected"));
    }

    QVariant readValue(const DbColumn &column)
    {
        skipSpace();
        const qsizetype start = m_pos;
        bool quoted = false;
        QString text;
        if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char('\'')) {
            quoted = true;
            text = readQuoted();
        } else {
            text = readBareValue();
        }
        switch (column.kind) {
        case DbColumnKind::Text:
            if (!quoted)
                failAt(start,
                       tr("the text %1 must be written in single quotes").arg(clipped(text)));
            return text;
        case DbColumnKind::Date: {
            const QDate date = parseShortDate(text, m_locale);
            if (!date.isValid()) {
                const QString example = shortDateText(QDate(2004, 12, 31), m_locale);
                failAt(start,
                       tr("“%1” is not a date; write dates like %2").arg(clipped(text), example));
            }
            return storedDateText(date);
        }
        case DbColumnKind::Number: {
            bool ok = false;
            double number = m_locale.toDouble(text.trimmed(), &ok);
            if (!ok)
                number = QLocale::c().toDouble(text.trimmed(), &ok);
            if (!ok || !std::isfinite(number))
                failAt(start, tr("“%1” is not a number").arg(clipped(text)));
            return number;
        }
        }
        return {};
    }

    QString readQuoted()
    {
        QString text;
        for (++m_pos; m_pos < m_text.size(); ++m_pos) {
            const QChar c = m_text.at(m_pos);
            if (c == QLatin1Char('\'')) {
                if (m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == QLatin1Char('\'')) {
                    text += c;
                    ++m_pos;
                    continue;
                }
                ++m_pos;
                return text;
            }
            text += c;
        }
        fail(tr("a closing quote is missing"));
    }

    // An unquoted value (a date or a number) runs to a ")", to AND or OR, or to the end. A run
    // of blanks is stepped over once: the word after it decides whether the value ends there.
    QString readBareValue()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && m_text.at(m_pos) != QLatin1Char(')')) {
            if (m_text.at(m_pos).isSpace()) {
                const qsizetype mark = m_pos;
                skipSpace();
                if (wordAhead("AND") || wordAhead("OR")) {
                    m_pos = mark;
                    break;
                }
                continue;
            }
            ++m_pos;
        }
        const QString text = m_text.mid(start, m_pos - start).trimmed();
        if (text.isEmpty())
            failAt(start, tr("a value was expected"));
        return text;
    }

    // Consumes the keyword when it comes next as a whole word.
    bool keyword(const char *word)
    {
        skipSpace();
        if (!wordAhead(word))
            return false;
        m_pos += qsizetype(std::strlen(word));
        return true;
    }

    // Whether the word stands at the current position as a whole word.
    bool wordAhead(const char *word) const
    {
        const QLatin1String candidate(word);
        const qsizetype end = m_pos + candidate.size();
        if (QStringView(m_text)
                .mid(m_pos, candidate.size())
                .compare(candidate, Qt::CaseInsensitive) != 0)
            return false;
        return end >= m_text.size() || !isIdentifierChar(m_text.at(end));
    }

    void skipSpace()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }

    [[noreturn]] void fail(const QString &reason) const { failAt(m_pos, reason); }

    [[noreturn]] void failAt(qsizetype position, const QString &reason) const
    {
        throw DatabaseError(tr("The filter “%1” cannot be used: %2 (at character %3).")
                                .arg(clipped(m_text), reason)
                                .arg(position + 1));
    }

    const QString &m_text;
    const QList<DbColumn> &m_columns;
    const QLocale &m_locale;
    qsizetype m_pos = 0;
    int m_depth = 0;
};

// The columns of a comparison "field = value", or of an AND of such comparisons on distinct
// fields, in column order.
std::optional<std::map<int, QVariant>> equalities(const Node &node)
{
    std::map<int, QVariant> fields;
    const auto add = [&fields](const Node &compare) {
        return compare.kind == Node::Kind::Compare && compare.op == QLatin1String("=") &&
               fields.emplace(compare.column, compare.value).second;
    };
    if (node.kind == Node::Kind::And) {
        for (const Node &child : node.children) {
            if (!add(child))
                return std::nullopt;
        }
    } else if (!add(node)) {
        return std::nullopt;
    }
    return fields;
}

class SqlWriter
{
public:
    explicit SqlWriter(const QList<DbColumn> &columns) : m_columns(columns) {}

    QString write(const Node &node)
    {
        switch (node.kind) {
        case Node::Kind::Compare:
            m_values.append(node.value);
            return name(node.column) + QLatin1Char(' ') + node.op + QStringLiteral(" ?");
        case Node::Kind::And:
            return joined(node, QStringLiteral(" AND "));
        case Node::Kind::Or:
            if (const std::optional<QString> list = asValueList(node))
                return *list;
            return joined(node, QStringLiteral(" OR "));
        }
        return {};
    }

    QVariantList values() const { return m_values; }

private:
    QString name(int column) const { return quotedIdentifier(m_columns.at(column).name); }

    QString joined(const Node &node, const QString &separator)
    {
        QStringList parts;
        for (const Node &child : node.children)
            parts.append(write(child));
        return QLatin1Char('(') + parts.join(separator) + QLatin1Char(')');
    }

    // An OR of equalities over the same fields, like the 32 terms of the hole-card filter,
    // becomes one IN over a list of values: SQLite then looks each row up once instead of
    // evaluating every term, and the result is the same.
    std::optional<QString> asValueList(const Node &node)
    {
        std::vector<std::map<int, QVariant>> rows;
        for (const Node &child : node.children) {
            std::optional<std::map<int, QVariant>> fields = equalities(child);
            if (!fields ||
                (!rows.empty() && !std::equal(fields->begin(), fields->end(), rows.front().begin(),
                                              rows.front().end(), [](const auto &a, const auto &b) {
                                                  return a.first == b.first;
                                              })))
                return std::nullopt;
            rows.push_back(std::move(*fields));
        }
        QStringList names;
        for (const auto &field : rows.front())
            names.append(name(field.first));
        const QString placeholders =
            QStringList(qsizetype(rows.front().size()), QStringLiteral("?"))
                .join(QStringLiteral(", "));
        // SQLite looks a list of row values up in no index: each field's own list of values,
        // which the rows imply, lets it search an index on those fields (the hole cards' on a
        // history of a million games) for just the pairs of values instead of reading every
        // row.
        QString leading;
        if (names.size() > 1) {
            int index = 0;
            for (const auto &field : rows.front()) {
                QVariantList distinct;
                for (const auto &row : rows) {
                    const QVariant &value = row.at(field.first);
                    if (!distinct.contains(value))
                        distinct.append(value);
                }
                m_values.append(distinct);
                leading +=
                    names.at(index++) + QStringLiteral(" IN (") +
                    QStringList(distinct.size(), QStringLiteral("?")).join(QStringLiteral(", ")) +
                    QStringLiteral(") AND ");
            }
        }
        QStringList tuples;
        for (const auto &row : rows) {
            for (const auto &field : row)
                m_values.append(field.second);
            tuples.append(QLatin1Char('(') + placeholders + QLatin1Char(')'));
        }
        if (names.size() == 1)
            return names.front() + QStringLiteral(" IN (") +
                   QStringList(qsizetype(rows.size()), QStringLiteral("?"))
                       .join(QStringLiteral(", ")) +
                   QLatin1Char(')');
        return QStringLiteral("(") + leading + QLatin1Char('(') + names.join(QStringLiteral(", ")) +
               QStringLiteral(") IN (VALUES ") + tuples.join(QStringLiteral(", ")) +
               QStringLiteral("))");
    }

    const QList<DbColumn> &m_columns;
    QVariantList m_values;
};

} // namespace

DbWhereClause parseFilter(const QString &filter, const QList<DbColumn> &columns,
                          const QLocale &locale)
{
    if (filter.trimmed().isEmpty())
        return {};
    const Node root = FilterReader(filter, columns, locale).read();
    SqlWriter writer(columns);
    const QString sql = writer.write(root);
    return {sql, writer.values()};
}

QString orderByClause(const QString &sort, const QList<DbColumn> &columns)
{
    static const QRegularExpression term(
        QStringLiteral("^\\s*(\\[[^\\]]+\\]|[^\\s\\[\\],]+)\\s*(ASC|DESC)?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList terms;
    bool firstDescending = false;
    if (!sort.trimmed().isEmpty()) {
        for (const QString &part : sort.split(QLatin1Char(','))) {
            const QRegularExpressionMatch match = term.match(part);
            if (!match.hasMatch()) {
                throw DatabaseError(tr("The sort order “%1” cannot be used: “%2” is not a field "
                                       "name followed by ASC or DESC.")
                                        .arg(sort, part.trimmed()));
            }
            QString name = match.captured(1);
            if (name.startsWith(QLatin1Char('[')))
                name = name.mid(1, name.size() - 2);
            const int column = columnIndex(columns, name);
            if (column < 0) {
                throw DatabaseError(tr("The sort order “%1” cannot be used: the table has no "
                                       "field “%2”.")
                                        .arg(sort, name));
            }
            const bool descending =
                match.captured(2).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
            if (terms.isEmpty())
                firstDescending = descending;
            terms.append(quotedIdentifier(columns.at(column).name) +
                         (descending ? QStringLiteral(" DESC") : QString()));
        }
    }
    terms.append(firstDescending ? QStringLiteral("rowid DESC") : QStringLiteral("rowid"));
    return terms.join(QStringLiteral(", "));
}
