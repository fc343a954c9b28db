// SPDX-License-Identifier: GPL-3.0-or-later
// Starting-hand classes and the pre-flop equity table file.
#include "preflopequity.h"

#include "cards.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tallowby {

namespace {

// Classes form a 13 x 13 grid of rank values: pairs on the diagonal, suited hands with the higher
// rank as the row, offsuit hands with the higher rank as the column.
int classOf(int high, int low, bool suited)
{
    return suited ? (high - 1) * 13 + (low - 1) : (low - 1) * 13 + (high - 1);
}

struct ClassRanks
{
    int high = 0;
    int low = 0;
    bool pair = false;
    bool suited = false;
};

ClassRanks ranksOf(int handClass)
{
    const int row = handClass / 13 + 1;
    const int column = handClass % 13 + 1;
    if (row == column)
        return {row, row, true, false};
    if (row > column)
        return {row, column, false, true};
    return {column, row, false, false};
}

std::vector<std::string_view> fieldsOf(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
            ++at;
        const std::size_t start = at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t')
            ++at;
        if (at > start)
            fields.push_back(line.substr(start, at - start));
    }
    return fields;
}

template <typename Number> bool readNumber(std::string_view text, Number &value)
{
    const char *end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, value);
    return failure == std::errc() && stop == end;
}

std::string quoted(std::string_view text)
{
    std::string result = "\"";
    result += text;
    result += '"';
    return result;
}

constexpr double kRoundingSlack = 1e-3; // percentage points; the file keeps four decimals

} // namespace

int startingHandClass(int card1, int card2)
{
    const int v1 = cardValue(card1);
    const int v2 = cardValue(card2);
    if (v1 == v2)
        return classOf(v1, v1, false);
    return classOf(std::max(v1, v2), std::min(v1, v2), cardSuit(card1) == cardSuit(card2));
}

std::string startingHandClassName(int handClass)
{
    const ClassRanks ranks = ranksOf(handClass);
    std::string name{rankLetter(ranks.high), rankLetter(ranks.low)};
    if (!ranks.pair)
        name += ranks.suited ? 's' : 'o';
    return name;
}

int startingHandClassFromName(std::string_view name)
{
    if (name.size() < 2 || name.size() > 3)
        return -1;
    const int high = rankValueOf(name[0]);
    const int low = rankValueOf(name[1]);
    if (high < 1 || low < 1 || name[0] == 't' || name[1] == 't')
        return -1;
    if (high == low)
        return name.size() == 2 ? classOf(high, high, false) : -1;
    if (high < low || name.size() != 3 || (name[2] != 's' && name[2] != 'o'))
        return -1;
    return classOf(high, low, name[2] == 's');
}

std::array<int, 2> startingHandCards(int handClass)
{
    const ClassRanks ranks = ranksOf(handClass);
    return {cardIndex(ranks.high, 0), cardIndex(ranks.low, ranks.suited ? 0 : 1)};
}

int startingHandCombos(int handClass)
{
    const ClassRanks ranks = ranksOf(handClass);
    return ranks.pair ? 6 : ranks.suited ? 4 : 12;
}

PreflopEquityTable::PreflopEquityTable() : entries_(kStartingHandClasses * kMaxOpponents) {}

const PreflopEquityTable::Entry &PreflopEquityTable::entry(int handClass, int opponents) const
{
    return entries_[handClass * kMaxOpponents + opponents - 1];
}

void PreflopEquityTable::setEntry(int handClass, int opponents, const Entry &entry)
{
    entries_[handClass * kMaxOpponents + opponents - 1] = entry;
}

std::optional<PreflopEquityTable> PreflopEquityTable::load(const std::string &path,
                                                           std::string &error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open the pre-flop equity table " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) {
        error = "cannot read the pre-flop equity table " + path;
        return std::nullopt;
    }
    return parse(text.str(), path, error);
}

std::optional<PreflopEquityTable>
PreflopEquityTable::parse(std::string_view text, const std::string &source, std::string &error)
{
    PreflopEquityTable table;
    std::vector<int> lineOf(table.entries_.size(), 0);
    int lineNumber = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const auto fail = [&](const std::string &message) {
            error = source + ":" + std::to_string(lineNumber) + ": " + message;
            return std::nullopt;
        };
        const std::vector<std::string_view> fields = fieldsOf(line);
        if (fields.empty() || fields[0].front() == '#')
            continue;
        if (fields.size() != 8)
            return fail("expected 8 fields (hand, opponents, method, samples, equity, win, tie, "
                        "standard error), found " +
                        std::to_string(fields.size()));
        const int handClass = startingHandClassFromName(fields[0]);
        if (handClass < 0)
            return fail(quoted(fields[0]) + " is no starting hand such as AA, AKs, AKo");
        int opponents = 0;
        if (!readNumber(fields[1], opponents) || opponents < 1 || opponents > kMaxOpponents)
            return fail("the number of opponents must be 1 to 9, not \"" + std::string(fields[1]) +
                        "\"");
        Entry entry;
        if (fields[2] == "exact")
            entry.exact = true;
        else if (fields[2] != "simulated")
            return fail("the method must be \"exact\" or \"simulated\", not \"" +
                        std::string(fields[2]) + "\"");
        if (!readNumber(fields[3], entry.samples) || entry.samples < 1)
            return fail("the number of samples must be a positive whole number, not \"" +
                        std::string(fields[3]) + "\"");
        std::array<double, 4> percent{};
        for (std::size_t k = 0; k < percent.size(); ++k)
            if (!readNumber(fields[4 + k], percent[k]) || !(percent[k] >= 0 && percent[k] <= 100))
                return fail(quoted(fields[4 + k]) + " is no percentage from 0 to 100");
        const auto [equity, win, tie, standardError] = percent;
        if (win + tie > 100 + kRoundingSlack || equity < win - kRoundingSlack ||
            equity > win + tie / 2 + kRoundingSlack)
            return fail("equity, win and tie do not fit together (the equity lies between the win "
                        "share and the win share plus half the tie share)");
        if (entry.exact && standardError != 0)
            return fail("an exact entry has no standard error");
        entry.equity = equity / 100;
        entry.win = win / 100;
        entry.tie = tie / 100;
        entry.standardError = standardError / 100;
        const std::size_t place =
            static_cast<std::size_t>(handClass * kMaxOpponents + opponents - 1);
        if (lineOf[place] != 0)
            return fail(std::string(fields[0]) + " against " + std::string(fields[1]) +
                        " opponents was already given on line " + std::to_string(lineOf[place]));
        lineOf[place] = lineNumber;
        table.entries_[place] = entry;
    }
    for (std::size_t place = 0; place < lineOf.size(); ++place)
        if (lineOf[place] == 0) {
            const int handClass = static_cast<int>(place) / kMaxOpponents;
            const int opponents = static_cast<int>(place) % kMaxOpponents + 1;
            error = source + ": no entry for " + startingHandClassName(handClass) + " against " +
                    std::to_string(opponents) + (opponents == 1 ? " opponent" : " opponents");
            return std::nullopt;
        }
    return table;
}

std::string PreflopEquityTable::toText(const std::vector<std::string> &comments) const
{
    std::string text;
    for (const std::string &comment : comments)
        text += comment.empty() ? "#\n" : "# " + comment + "\n";
    char line[160];
    for (int handClass = 0; handClass < kStartingHandClasses; ++handClass)
        for (int opponents = 1; opponents <= kMaxOpponents; ++opponents) {
            const Entry &e = entry(handClass, opponents);
            std::snprintf(line, sizeof line, "%-3s %d %-9s %11lld %8.4f %8.4f %8.4f %.4f\n",
                          startingHandClassName(handClass).c_str(), opponents,
                          e.exact ? "exact" : "simulated", static_cast<long long>(e.samples),
                          e.equity * 100, e.win * 100, e.tie * 100, e.standardError * 100);
            text += line;
        }
    return text;
}

std::string defaultPreflopEquityPath(const std::string &executableDir)
{
    namespace fs = std::filesystem;
    const fs::path beside = fs::path(executableDir) / "preflop-equity.txt";
    const fs::path installed =
        (fs::path(executableDir) / ".." / "share" / "tallowby" / "preflop-equity.txt")
            .lexically_normal();
    std::error_code ignored;
    if (!fs::exists(beside, ignored) && fs::exists(installed, ignored))
        return installed.string();
    return beside.string();
}

} // namespace tallowby
