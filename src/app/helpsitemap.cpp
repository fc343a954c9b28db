// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the sitemap lists of a compiled help file.
#include "helpsitemap.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <optional>
#include <vector>

namespace {

QString decodeEntities(QString text)
{
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

// The value of one attribute of a tag's attribute text, quoted or not.
QString attribute(const QString &attributes, const QString &name)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"re((\w+)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>]+)))re"));
    for (auto it = pattern.globalMatch(attributes); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(1).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        for (int group = 2; group <= 4; ++group) {
            if (match.capturedStart(group) >= 0)
                return decodeEntities(match.captured(group));
        }
    }
    return {};
}

} // namespace

QList<HelpTopic> parseSitemap(const QByteArray &sitemap, QString *error)
{
    // A tag ends at its ">"; one that meets another "<" first is no tag, so no match attempt
    // runs past the next "<".
    static const QRegularExpression tagPattern(
        QStringLiteral(R"re(<(/?)(ul|object|param)\b([^<>]*)>)re"),
        QRegularExpression::CaseInsensitiveOption);
    QList<HelpTopic> topics;
    // The lists being filled, outermost first. A list is only appended to while it is on top,
    // so the pointers below it stay valid.
    std::vector<QList<HelpTopic> *> open{&topics};
    std::vector<bool> nestedLists; // per open <UL>: whether it pushed a list of children
    std::optional<HelpTopic> entry;

    const QString text = QString::fromUtf8(sitemap);
    for (auto it = tagPattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch tag = it.next();
        const bool closing = !tag.captured(1).isEmpty();
        const QString name = tag.captured(2).toLower();
        const QString attributes = tag.captured(3);
        if (name == QLatin1String("ul")) {
            if (closing) {
                if (!nestedLists.empty()) {
                    if (nestedLists.back())
                        open.pop_back();
                    nestedLists.pop_back();
                }
            } else {
                // The outermost list holds the top entries; a nested one the children of the
                // entry before it.
                const bool nested = !nestedLists.empty() && !open.back()->isEmpty();
                if (nested && int(open.size()) >= kDeepestSitemapNesting) {
                    if (error) {
                        *error = QCoreApplication::translate(
                                     "HelpSitemap", "The list of topics is nested more than %1 "
                                                    "levels deep; the entries below that level "
                                                    "are not shown.")
                                     .arg(kDeepestSitemapNesting);
                    }
                    return topics;
                }
                if (nested)
                    open.push_back(&open.back()->last().children);
                nestedLists.push_back(nested);
            }
        } else if (name == QLatin1String("object")) {
            if (closing) {
                if (entry && !entry->name.isEmpty())
                    open.back()->append(*entry);
                entry.reset();
            } else if (attribute(attributes, QStringLiteral("type"))
                           .compare(QLatin1String("text/sitemap"), Qt::CaseInsensitive) == 0) {
                entry.emplace();
            }
        } else if (name == QLatin1String("param") && entry) {
            const QString key = attribute(attributes, QStringLiteral("name"));
            const QString value = attribute(attributes, QStringLiteral("value"));
            if (key.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0 &&
                entry->name.isEmpty())
                entry->name = value;
            else if (key.compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0 &&
                     entry->local.isEmpty())
                entry->local = value;
        }
    }
    return topics;
}

QString firstLocalPage(const QList<HelpTopic> &topics)
{
    for (const HelpTopic &topic : topics) {
        if (!topic.local.isEmpty())
            return topic.local;
        if (const QString nested = firstLocalPage(topic.children); !nested.isEmpty())
            return nested;
    }
    return {};
}
