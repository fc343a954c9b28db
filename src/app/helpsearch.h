// SPDX-License-Identifier: GPL-3.0-or-later
// Full-text search over the pages of the help: every page's words are taken from its HTML
// once, and a search lists the pages that hold every word asked for, most mentions first.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class HelpSearchIndex
{
public:
    struct Hit
    {
        QString page;  // archive path, "/potodds.html"
        QString title; // the page's <title>, else its path
        int mentions = 0;
    };

    void addPage(const QString &page, const QByteArray &html);
    int pageCount() const { return int(pages_.size()); }

    // Words are letters and digits; letter case and accents of the query do not matter, and a
    // word matches where a word of the page begins with it ("odd" finds "odds"). An empty
    // query finds nothing.
    QList<Hit> find(const QString &query) const;

    // The words of a text as the search compares them.
    static QStringList wordsOf(const QString &text);

private:
    struct Page
    {
        QString page;
        QString title;
        QStringList words; // in reading order
    };
    QList<Page> pages_;
};
