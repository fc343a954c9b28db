// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the tests that hold the engine against the reference in oracle.h: moving a
// hand between the two, naming it in a failure message, and gathering mismatches so that one
// run reports many of them instead of stopping at the first.
#pragma once

#include "engine/handstate.h"
#include "oracle.h"

#include <QString>
#include <QStringList>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace oraclecheck {

inline constexpr std::string_view kRanks = "23456789TJQKA";
inline constexpr std::string_view kSuits = "sdch";

// Card index of a code such as "As"; the reference's own reading, independent of the engine's.
inline int indexOf(std::string_view code)
{
    if (code.size() != 2)
        std::abort();
    const auto rank = kRanks.find(code[0]);
    const auto suit = kSuits.find(code[1]);
    if (rank == std::string_view::npos || suit == std::string_view::npos)
        std::abort();
    return static_cast<int>(suit * 13 + rank + 1);
}

// Card indices of a blank-separated list of codes ("As Kd 7c").
inline std::vector<int> indicesOf(const QString &codes)
{
    std::vector<int> indices;
    for (const QString &code : codes.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        indices.push_back(indexOf(code.toStdString()));
    return indices;
}

inline tallowby::TCard toEngine(const oracle::Card &card)
{
    tallowby::TCard t;
    t.Index = card.index;
    t.Value = card.value;
    t.Live = 0;
    t.Suit = card.suit;
    t.Rank = card.rank;
    return t;
}

inline tallowby::EvalCards toEngine(const oracle::Hand &hand)
{
    tallowby::EvalCards cards{};
    for (std::size_t i = 0; i < hand.size(); ++i)
        cards[i] = toEngine(hand[i]);
    return cards;
}

inline bool samePositions(const tallowby::EvalCards &engine, const oracle::Hand &reference)
{
    for (std::size_t i = 0; i < engine.size(); ++i) {
        const auto &e = engine[i];
        const auto &r = reference[i];
        if (e.Index != r.index || e.Value != r.value || e.Suit != r.suit || e.Rank != r.rank)
            return false;
    }
    return true;
}

inline QString handText(const oracle::Hand &hand)
{
    QStringList codes;
    for (const auto &card : hand)
        codes << QString::fromStdString(oracle::codeOf(card));
    return codes.join(QLatin1Char(' '));
}

inline QString handText(const tallowby::EvalCards &hand)
{
    QStringList codes;
    for (const auto &card : hand)
        codes << QString(QLatin1Char(card.Rank)) + QLatin1Char(card.Suit);
    return codes.join(QLatin1Char(' '));
}

inline QString hex(int rating)
{
    return QString::number(rating, 16).toUpper();
}

// Counts mismatches and keeps the first few descriptions for the failure message.
class Mismatches
{
public:
    void add(const QString &what)
    {
        if (count_++ < kKept)
            kept_ << what;
    }
    bool empty() const { return count_ == 0; }
    QByteArray report() const
    {
        return QStringLiteral("%1 mismatches; first ones:\n  %2")
            .arg(count_)
            .arg(kept_.join(QStringLiteral("\n  ")))
            .toUtf8();
    }

private:
    static constexpr int kKept = 25;
    int count_ = 0;
    QStringList kept_;
};

// True in a build with AddressSanitizer, where the heavy loops are cut down.
inline constexpr bool sanitizedBuild()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

// A count for the heavy loops: the environment variable when set, else the build's default.
inline int scaledCount(const char *variable, int release, int sanitized)
{
    if (const char *text = std::getenv(variable)) {
        const int value = std::atoi(text);
        if (value > 0)
            return value;
    }
    return sanitizedBuild() ? sanitized : release;
}

} // namespace oraclecheck
