// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of tallowby-odds, read into a request, and the analysis it asks for.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tallowby {

class PreflopEquityTable;

struct OddsRequest
{
    int players = 10;
    std::vector<int> slotCards; // card index per slot in slot order, 0 for "--"
    bool equity = false;        // --equity: add the equity against random hands
};

// Reads the arguments (without the program name). On bad input returns nullopt and sets
// `error` to one line for the user.
std::optional<OddsRequest> parseOddsArguments(const std::vector<std::string> &arguments,
                                              std::string &error);

// Runs the request on a freshly cleared hand and returns the JSON object to print. With
// request.equity the object ends with "equity": an object of the equity, its win and tie shares
// (percent, two decimals), "method" ("exact", "simulated" or "table"), "exact" (no sampling
// error), "samples" (showdowns or deals), "boards" (board completions each counted, or each dealt
// equally often; 0 when the board is dealt at random or looked up), "margin95" (percent, rounded
// up to two decimals, 0 only when exact) and "text" (how it was obtained, in words); or null when
// the cards form no complete stage. Pre-flop the equity comes from `table`, or is simulated when
// there is none.
std::string analyseToJson(const OddsRequest &request, const PreflopEquityTable *table = nullptr);

// Whether the request asks for the pre-flop table: equity wanted and only the hole cards given.
bool needsPreflopTable(const OddsRequest &request);

// JSON string literal of a text, quotes included.
std::string jsonString(const std::string &text);

} // namespace tallowby
