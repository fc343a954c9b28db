// SPDX-License-Identifier: GPL-3.0-or-later
// Full-text search over the help pages.
#include "app/helpsearch.h"

#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <algorithm>

namespace {

QString titleOf(const QString &html)
{
    static const QRegularExpression title(QStringLiteral("<title[^<>]*>([^<]*)</title>"),
                                          QRegularExpression::CaseInsensitiveOption);
    return title.match(html).captured(1).trimmed();
}

// Letters without their accents and in lower case, so that "Équité" matches "equite".
QString folded(const QString &word)
{
    QString plain;
    for (const QChar c : word.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            plain += c.toLower();
    }
    return plain;
}

} // namespace

QStringList HelpSearchIndex::wordsOf(const QString &text)
{
    QStringList words;
    QString word;
    for (const QChar c : text) {
        if (c.isLetterOrNumber()) {
            word += c;
        } else if (!word.isEmpty()) {
            words.append(folded(word));
            word.clear();
        }
    }
    if (!word.isEmpty())
        words.append(folded(word));
    return words;
}

void HelpSearchIndex::addPage(const QString &page, const QByteArray &html)
{
    const QString text = QString::fromUtf8(html);
    // The text a reader sees: without tags, scripts and styles, entities decoded.
    static const QRegularExpression hidden(QStringLiteral("<(script|style|head)\\b.*?</\\1\\s*>"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::DotMatchesEverythingOption);
    QString body = text;
    body.remove(hidden);
    const QString plain = QTextDocumentFragment::fromHtml(body).toPlainText();
    const QString title = titleOf(text);
    pages_.append(Page{page, title.isEmpty() ? page : title, wordsOf(title + u' ' + plain)});
}

QList<HelpSearchIndex::Hit> HelpSearchIndex::find(const QString &query) const
{
    const QStringList asked = wordsOf(query);
    QList<Hit> hits;
    if (asked.isEmpty())
        return hits;
    for (const Page &page : pages_) {
        int mentions = 0;
        bool all = true;
        for (const QString &word : asked) {
            const auto count =
                std::count_if(page.words.cbegin(), page.words.cend(),
                              [&word](const QString &w) { return w.startsWith(word); });
            if (count == 0) {
                all = false;
                break;
            }
            mentions += int(count);
        }
        if (all)
            hits.append(Hit{page.page, page.title, mentions});
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const Hit &a, const Hit &b) { return a.mentions > b.mentions; });
    return hits;
}
