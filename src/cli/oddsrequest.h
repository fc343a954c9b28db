// The command line of tallowby-odds, read into a request, and the analysis it asks for.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tallowby {

struct OddsRequest
{
    int players = 10;
    std::vector<int> slotCards; // card index per slot in slot order, 0 for "--"
    bool equity = false;
};

// Reads the arguments (without the program name). On bad input returns nullopt and sets
// `error` to one line for the user.
std::optional<OddsRequest> parseOddsArguments(const std::vector<std::string> &arguments,
                                              std::string &error);

// Runs the request on a freshly cleared hand and returns the JSON object to print.
std::string analyseToJson(const OddsRequest &request);

// JSON string literal of a text, quotes included.
std::string jsonString(const std::string &text);

} // namespace tallowby
