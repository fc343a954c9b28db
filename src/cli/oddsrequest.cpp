// SPDX-License-Identifier: GPL-3.0-or-later
// tallowby-odds: a hand cleared as by New Game, the slots filled in order, one analysis run as
// a change of "Active players:" runs it, and the figures printed as JSON.
#include "oddsrequest.h"

#include "engine/equity.h"
#include "engine/evaluate.h"
#include "engine/odds.h"

#include <cstdio>
#include <set>

namespace tallowby {

namespace {

constexpr const char *kUsage =
    "usage: tallowby-odds [--players N] [--equity] CODE... (codes such as As Td 2h, -- for an "
    "empty slot)";

std::optional<int> parsePlayers(const std::string &text)
{
    if (text.empty() || text.size() > 2)
        return std::nullopt;
    for (const char ch : text)
        if (ch < '0' || ch > '9')
            return std::nullopt;
    const int players = std::stoi(text);
    if (players < 2 || players > 10)
        return std::nullopt;
    return players;
}

const char *methodName(EquityResult::Method method)
{
    switch (method) {
    case EquityResult::Method::Exact:
        return "exact";
    case EquityResult::Method::Simulated:
        return "simulated";
    case EquityResult::Method::Table:
        break;
    }
    return "table";
}

std::string percentNumber(double fraction)
{
    return numberText(twoDecimals(fraction * 100));
}

std::string equityJson(const HandState &hand, int players, const PreflopEquityTable *table)
{
    const auto result = computeEquity(hand, players, nullptr, table);
    if (!result)
        return "null";
    return "{\"equity\": " + percentNumber(result->equity) +
           ", \"win\": " + percentNumber(result->win) + ", \"tie\": " + percentNumber(result->tie) +
           ", \"method\": " + jsonString(methodName(result->method)) +
           ", \"exact\": " + (result->exact ? "true" : "false") +
           ", \"samples\": " + std::to_string(result->samples) +
           ", \"boards\": " + std::to_string(result->boards) +
           ", \"margin95\": " + numberText(marginPercent(*result)) +
           ", \"text\": " + jsonString(equityMethodText(*result)) + "}";
}

} // namespace

bool needsPreflopTable(const OddsRequest &request)
{
    int cards = 0;
    for (std::size_t slot = 0; slot < request.slotCards.size(); ++slot)
        if (request.slotCards[slot] != 0) {
            if (slot >= 2)
                return false;
            ++cards;
        }
    return request.equity && cards == 2;
}

std::optional<OddsRequest> parseOddsArguments(const std::vector<std::string> &arguments,
                                              std::string &error)
{
    OddsRequest request;
    std::set<int> seen;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        std::string playersText;
        if (argument == "--players") {
            if (i + 1 == arguments.size()) {
                error = "--players needs a number from 2 to 10";
                return std::nullopt;
            }
            playersText = arguments[++i];
        } else if (argument.rfind("--players=", 0) == 0) {
            playersText = argument.substr(10);
        } else if (argument == "--equity") {
            request.equity = true;
            continue;
        } else if (argument == "--help" || argument == "-h") {
            error = kUsage;
            return std::nullopt;
        } else {
            // "--" is an empty slot here, not the end of the options.
            const int card = cardIndexFromCode(argument);
            if (card < 0 || (argument.size() == 2 && argument[1] >= 'A' && argument[1] <= 'Z')) {
                error = "not a card code: \"" + argument +
                        "\" (rank 23456789TJQKA, suit s d c h, or -- for an empty slot)";
                return std::nullopt;
            }
            if (card > 0 && !seen.insert(card).second) {
                error = "card given twice: " + argument;
                return std::nullopt;
            }
            if (request.slotCards.size() == 7) {
                error = "more than seven cards given";
                return std::nullopt;
            }
            request.slotCards.push_back(card);
            continue;
        }
        const auto players = parsePlayers(playersText);
        if (!players) {
            error = "the number of players must be a whole number from 2 to 10, not \"" +
                    playersText + "\"";
            return std::nullopt;
        }
        request.players = *players;
    }
    return request;
}

std::string jsonString(const std::string &text)
{
    std::string out = "\"";
    for (const char ch : text) {
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            if (static_cast<unsigned char>(ch) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", ch);
                out += escaped;
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

std::string analyseToJson(const OddsRequest &request, const PreflopEquityTable *table)
{
    HandState hand;
    hand.ResetHand();
    HandOddsGrid grid;
    Readouts readouts;
    for (std::size_t i = 0; i < request.slotCards.size(); ++i)
        hand.SetSlotCard(static_cast<int>(i) + 1, request.slotCards[i]);

    AnalysisHooks hooks;
    hooks.activePlayers = [&] {
        return std::optional<int>(request.players);
    };
    analyzeHand(hand, grid, readouts, '.', hooks);

    hand.LoadEvalHandFromSlots();
    const int rating = EvaluateHand(hand.EvalHand);

    std::string json = "{\"header\": " + jsonString(grid.cell(2, 0)) + ", \"rows\": [";
    for (int row = 1; row < grid.rowCount(); ++row) {
        if (row > 1)
            json += ", ";
        json += "{\"type\": " + jsonString(grid.cell(0, row)) +
                ", \"need\": " + jsonString(grid.cell(1, row)) +
                ", \"you\": " + jsonString(grid.cell(2, row)) +
                ", \"higher\": " + jsonString(grid.cell(3, row)) + "}";
    }
    json += "], \"outs\": " + jsonString(readouts.outs) + ", \"hit\": " + jsonString(readouts.hit) +
            ", \"win\": " + jsonString(readouts.win) +
            ", \"rating\": " + jsonString(ratingHex(rating)) +
            ", \"description\": " + jsonString(DescribeRating(rating));
    if (request.equity)
        json += ", \"equity\": " + equityJson(hand, request.players, table);
    return json + "}";
}

} // namespace tallowby
