// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the reader of a help file's table of contents and keyword index.
#include "app/helpsitemap.h"

#include <cstddef>
#include <cstdint>

namespace {

// The depth of the tree, walked with a stack of its own.
int depthOf(const QList<HelpTopic> &topics)
{
    int deepest = 0;
    QList<QPair<const QList<HelpTopic> *, int>> pending{{&topics, 1}};
    while (!pending.isEmpty()) {
        const auto [level, depth] = pending.takeLast();
        for (const HelpTopic &topic : *level) {
            deepest = std::max(deepest, depth);
            pending.append({&topic.children, depth + 1});
        }
    }
    return deepest;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QString error;
    const QList<HelpTopic> topics =
        parseSitemap(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &error);
    if (depthOf(topics) > kDeepestSitemapNesting)
        __builtin_trap();
    firstLocalPage(topics);
    return 0;
}
