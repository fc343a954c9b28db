// SPDX-License-Identifier: GPL-3.0-or-later
// The pre-flop equity table: for each of the 169 starting-hand classes and 1..9 opponents holding
// random cards, the share of the pot the hand wins on average once the board is dealt out.
// Generated once by make-preflop-equity and shipped as data/preflop-equity.txt.
//
// File format (plain text, UTF-8). Lines starting with '#' are comments and blank lines are
// skipped; every other line is one entry of eight fields separated by blanks:
//
//   hand  opponents  method     samples      equity%   win%      tie%     stderr%
//   AA    1          exact      2097572400   85.2037   84.9290   0.5494   0
//   AKs   3          simulated  8000000      50.6127   48.9081   3.4090   0.0171
//
// hand: "AA", "AKs", "AKo" (higher rank first); method: "exact" (every board and opponent hand
// counted) or "simulated" (random deals); samples: showdowns or deals; stderr: the standard
// error of the equity in percentage points, 0 for exact entries. Every hand appears exactly once
// for each number of opponents 1..9.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallowby {

inline constexpr int kStartingHandClasses = 169;
inline constexpr int kMaxOpponents = 9;

// Class 0..168 of two distinct hole cards (card indices 1..52): the pairs, the suited and the
// offsuit rank combinations. The order of the two cards does not matter.
int startingHandClass(int card1, int card2);

// "AA", "AKs", "72o".
std::string startingHandClassName(int handClass);

// The class of a name as startingHandClassName writes it; -1 for anything else.
int startingHandClassFromName(std::string_view name);

// Two cards of the class: spades and, for pairs and offsuit hands, diamonds.
std::array<int, 2> startingHandCards(int handClass);

// How many two-card hands the class holds: 6 for a pair, 4 suited, 12 offsuit.
int startingHandCombos(int handClass);

class PreflopEquityTable
{
public:
    struct Entry
    {
        double equity = 0; // fractions of 1
        double win = 0;
        double tie = 0;
        double standardError = 0; // of the equity, a fraction; 0 when exact
        std::int64_t samples = 0; // showdowns (exact) or deals (simulated)
        bool exact = false;
    };

    // Reads the file. On failure returns nullopt and sets `error` to one line naming the file
    // and, for a malformed file, the line at fault.
    static std::optional<PreflopEquityTable> load(const std::string &path, std::string &error);

    // The same from the text of a file; `source` names it in error messages.
    static std::optional<PreflopEquityTable> parse(std::string_view text, const std::string &source,
                                                   std::string &error);

    // A table with every entry empty, for the generator to fill.
    PreflopEquityTable();

    const Entry &entry(int handClass, int opponents) const;
    void setEntry(int handClass, int opponents, const Entry &entry);

    // The file text: `comments` (each line prefixed with "# ") and then one line per entry.
    std::string toText(const std::vector<std::string> &comments) const;

private:
    std::vector<Entry> entries_; // kStartingHandClasses * kMaxOpponents, opponents fastest
};

// Where the program looks for the table: beside the executable (the build tree copies it
// there), else in ../share/tallowby/ of an installed program. Returns the first that exists, or
// the one beside the executable when neither does, so that an error can name it.
std::string defaultPreflopEquityPath(const std::string &executableDir);

} // namespace tallowby
