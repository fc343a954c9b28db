// SPDX-License-Identifier: GPL-3.0-or-later
// make-preflop-equity: writes the pre-flop equity table that the program ships as
// data/preflop-equity.txt. Heads-up every entry is counted exactly (every board and every
// opponent hand); against 2..9 opponents each entry is a fixed number of random deals from a seed
// fixed by the cards, so a rerun writes the same file. Run by hand, never by the build:
//
//   make-preflop-equity [--deals N] [--threads T] OUTPUT
#include "engine/equity.h"
#include "engine/preflopequity.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace tallowby;

namespace {

constexpr const char *kUsage = "usage: make-preflop-equity [--deals N] [--threads T] OUTPUT";

struct Options
{
    std::int64_t deals = 4'000'000; // per simulated entry
    int threads = 2;
    std::string output;
};

bool readWhole(const std::string &text, std::int64_t &value)
{
    char *end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return !text.empty() && end != nullptr && *end == '\0' && value > 0;
}

bool parseOptions(int argc, char **argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        std::int64_t number = 0;
        if ((argument == "--deals" || argument == "--threads") && i + 1 < argc) {
            if (!readWhole(argv[++i], number))
                return false;
            if (argument == "--deals")
                options.deals = number;
            else
                options.threads = static_cast<int>(std::min<std::int64_t>(number, 64));
        } else if (!argument.empty() && argument[0] != '-' && options.output.empty()) {
            options.output = argument;
        } else {
            return false;
        }
    }
    return !options.output.empty();
}

// One entry to compute: a starting-hand class against a number of opponents.
struct Job
{
    int handClass = 0;
    int opponents = 0;
};

PreflopEquityTable::Entry entryOf(const EquityResult &result)
{
    PreflopEquityTable::Entry entry;
    entry.equity = result.equity;
    entry.win = result.win;
    entry.tie = result.tie;
    entry.exact = result.exact;
    entry.samples = result.samples;
    entry.standardError = result.exact ? 0 : result.margin95 / kZ95;
    return entry;
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(stderr, "%s\n", kUsage);
        return 2;
    }

    // The slow exact counts first, so the threads finish together on the short simulations.
    std::vector<Job> jobs;
    for (int handClass = 0; handClass < kStartingHandClasses; ++handClass)
        jobs.push_back({handClass, 1});
    for (int opponents = kMaxOpponents; opponents >= 2; --opponents)
        for (int handClass = 0; handClass < kStartingHandClasses; ++handClass)
            jobs.push_back({handClass, opponents});

    PreflopEquityTable table;
    std::atomic<std::size_t> nextJob{0};
    std::mutex progress;
    std::size_t done = 0;
    double largestError = 0;
    const auto start = std::chrono::steady_clock::now();
    const auto work = [&] {
        for (std::size_t j = nextJob++; j < jobs.size(); j = nextJob++) {
            const Job job = jobs[j];
            EquityHand hand;
            hand.hole = startingHandCards(job.handClass);
            SimulationLimits limits;
            limits.targetMargin95 = 0; // a fixed number of deals
            limits.minDeals = options.deals;
            limits.maxDeals = options.deals;
            const EquityResult result = job.opponents == 1
                                            ? exactHeadsUpEquity(hand, nullptr)
                                            : simulateEquityPlain(hand, job.opponents, nullptr, limits);
            const PreflopEquityTable::Entry entry = entryOf(result);
            const std::lock_guard lock(progress);
            table.setEntry(job.handClass, job.opponents, entry);
            largestError = std::max(largestError, entry.standardError);
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::fprintf(stderr, "\r%zu/%zu  %-3s vs %d  %7.3f %%  %.0f s   ", ++done, jobs.size(),
                         startingHandClassName(job.handClass).c_str(), job.opponents,
                         entry.equity * 100, seconds);
            std::fflush(stderr);
        }
    };
    std::vector<std::thread> threads;
    for (int t = 1; t < options.threads; ++t)
        threads.emplace_back(work);
    work();
    for (std::thread &thread : threads)
        thread.join();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "\ndone in %.0f s\n", seconds);

    char precision[200];
    std::snprintf(precision, sizeof precision,
                  "2..9 opponents: %lld random deals per entry; largest standard error %.4f "
                  "percentage points.",
                  static_cast<long long>(options.deals), largestError * 100);
    const std::vector<std::string> comments = {
        "Tallowby pre-flop equity: the share of the pot a starting hand wins on average against",
        "1..9 opponents holding random cards, the board dealt out to the river; a pot split k ways",
        "counts 1/k. Written by make-preflop-equity; do not edit by hand.",
        "",
        "1 opponent: exact, every board and every opponent hand counted (C(50,5) * C(45,2) =",
        "2097572400 showdowns per hand); figures rounded to four decimals.",
        precision,
        "Deals come from a seed fixed by the cards and the number of opponents.",
        "",
        "hand opponents method samples equity% win% tie% stderr%",
    };
    const std::string temporary = options.output + ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << table.toText(comments);
        if (!file.flush()) {
            std::fprintf(stderr, "make-preflop-equity: cannot write %s\n", temporary.c_str());
            return 1;
        }
    }
    std::error_code failure;
    std::filesystem::rename(temporary, options.output, failure);
    if (failure) {
        std::fprintf(stderr, "make-preflop-equity: cannot write %s: %s\n", options.output.c_str(),
                     failure.message().c_str());
        return 1;
    }
    return 0;
}
