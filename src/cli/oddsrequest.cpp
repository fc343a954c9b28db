// SPDX-License-Identifier: GPL-3.0-or-later
// tallowby-odds: a hand cleared as by New Game, the slots filled in order, one analysis run as
// a change of "Active players:" runs it, and the figures printed as JSON.
#include "oddsrequest.h"

#include "engine/cardtext.h"
#include "engine/equity.h"
#include "engine/evaluate.h"
#include "engine/odds.h"

#include <cstdio>
#include <map>

namespace tallowby {

namespace {

constexpr const char *kUsage =
    "usage: tallowby-odds [--players N] [--equity] CARDS... (cards such as As 10d 2h, in either "
    "case, apart or run together as AhKh; -- for an empty slot)";

constexpr const char *kHowCardsAreWritten =
    "a card is its rank 2-9, T or 10, J, Q, K, A, then its suit s, d, c, h or \u2660 \u2666 "
    "\u2663 \u2665, in either case; -- for an empty slot";

// The part of the argument at fault, and the argument around it when that holds more.
std::string quotedPart(const CardTextReading &reading, std::string_view argument)
{
    std::string part = "\"" + std::string(reading.offending.of(argument)) + "\"";
    if (!(reading.word == reading.offending))
        part += " in \"" + std::string(reading.word.of(argument)) + "\"";
    return part;
}

std::string cardTextError(const CardTextReading &reading, std::string_view argument)
{
    switch (reading.problem) {
    case CardTextProblem::NoCards:
        return "no card in \"" + std::string(argument) + "\" (" + kHowCardsAreWritten + ")";
    case CardTextProblem::MissingSuit:
        return "no suit after " + quotedPart(reading, argument) + " (" + kHowCardsAreWritten + ")";
    case CardTextProblem::RepeatedCard:
        return "card given twice: \"" + std::string(reading.earlier.of(argument)) + "\" and \"" +
               std::string(reading.offending.of(argument)) + "\"";
    case CardTextProblem::None:
    case CardTextProblem::NotACard:
    case CardTextProblem::UnknownSuit:
        break;
    }
    return "not a card: " + quotedPart(reading, argument) + " (" + kHowCardsAreWritten + ")";
}

// The next slot of the request, unless all seven are taken.
bool addSlotCard(OddsRequest &request, int card, const std::string &written, std::string &error)
{
    if (request.slotCards.size() == 7) {
        error = "more than seven cards given: \"" + written + "\" would be the eighth";
        return false;
    }
    request.slotCards.push_back(card);
    return true;
}

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
    std::map<int, std::string> writtenAs; // each card given, as it was written
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
        } else if (argument == "--") {
            // An empty slot here, not the end of the options.
            if (!addSlotCard(request, 0, argument, error))
                return std::nullopt;
            continue;
        } else if (argument.size() > 1 && argument[0] == '-') {
            error = "unknown option \"" + argument + "\"; " + kUsage;
            return std::nullopt;
        } else {
            const CardTextReading reading = readCardText(argument);
            if (!reading.ok()) {
                error = cardTextError(reading, argument);
                return std::nullopt;
            }
            for (std::size_t c = 0; c < reading.cards.size(); ++c) {
                const int card = reading.cards[c];
                const std::string written(reading.where[c].of(argument));
                const auto [before, isNew] = writtenAs.try_emplace(card, written);
                if (!isNew) {
                    error = "card given twice: \"" + before->second + "\" and \"" + written + "\"";
                    return std::nullopt;
                }
                if (!addSlotCard(request, card, written, error))
                    return std::nullopt;
            }
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
