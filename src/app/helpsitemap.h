// SPDX-License-Identifier: GPL-3.0-or-later
// The table of contents (.hhc) and keyword index (.hhk) of a compiled help file: HTML lists of
// <OBJECT type="text/sitemap"> entries, each with a "Name" and a "Local" page, nested by <UL>.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

struct HelpTopic
{
    QString name;
    QString local; // page as written, relative to the archive's root ("entering.html#slots")
    QList<HelpTopic> children;
};

// Lists nested deeper than this are not read: what came before them is returned, and `error`
// (when given) says why the rest is missing. The reader keeps its own stack, and each tag is
// matched up to the next "<" at most, so its time grows with the length of the text alone.
inline constexpr int kDeepestSitemapNesting = 64;

QList<HelpTopic> parseSitemap(const QByteArray &sitemap, QString *error = nullptr);

// The first entry, depth first, that names a page; empty when none does.
QString firstLocalPage(const QList<HelpTopic> &topics);
