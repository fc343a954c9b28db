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

QList<HelpTopic> parseSitemap(const QByteArray &sitemap);

// The first entry, depth first, that names a page; empty when none does.
QString firstLocalPage(const QList<HelpTopic> &topics);
