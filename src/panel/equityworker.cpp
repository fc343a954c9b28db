// SPDX-License-Identifier: GPL-3.0-or-later
// The equity jobs: each runs computeEquity on its own copy of the cards in a private thread pool
// and posts its result back to the calculator's thread.
#include "equityworker.h"

#include "engine/preflopequity.h"

#include <utility>

using namespace tallowby;

namespace {

std::atomic<int> jobsInFlight_{0};

// Counts a job from the moment it is handed to the pool until its worker lets go of it.
class InFlight
{
public:
    InFlight() { ++jobsInFlight_; }
    ~InFlight() { --jobsInFlight_; }
    InFlight(const InFlight &) = delete;
    InFlight &operator=(const InFlight &) = delete;
};

} // namespace

EquityCalculator::EquityCalculator(std::shared_ptr<const PreflopEquityTable> table, QObject *parent)
    : QObject(parent), table_(std::move(table))
{
    pool_.setObjectName(QStringLiteral("EquityWorkers"));
}

// The engine looks at the cancel flag every few thousand showdowns or deals, so the wait lasts
// milliseconds.
EquityCalculator::~EquityCalculator()
{
    cancel();
    pool_.waitForDone();
}

int EquityCalculator::jobsInFlight()
{
    return jobsInFlight_.load();
}

void EquityCalculator::request(const EquityHand &hand, int activePlayers)
{
    cancel();
    auto flag = std::make_shared<std::atomic<bool>>(false);
    cancel_ = flag;
    const quint64 generation = generation_;
    auto inFlight = std::make_shared<InFlight>();
    // The job owns everything it reads; `this` only receives the posted result, and the
    // destructor waits for the pool before the calculator goes.
    pool_.start([this, hand, activePlayers, flag, table = table_, limits = limits_, generation,
                 inFlight] {
        const EquityProgress progress = [this, generation](const EquityResult &interim) {
            QMetaObject::invokeMethod(
                this, [this, generation, interim] { deliverInterim(generation, interim); },
                Qt::QueuedConnection);
        };
        std::optional<EquityResult> result;
        if (!flag->load())
            result = computeEquity(hand, activePlayers, flag.get(), table.get(), limits, progress);
        if (flag->load())
            return;
        QMetaObject::invokeMethod(
            this, [this, generation, result] { deliver(generation, result); },
            Qt::QueuedConnection);
    });
}

void EquityCalculator::cancel()
{
    if (cancel_)
        cancel_->store(true);
    cancel_.reset();
    ++generation_;
}

void EquityCalculator::deliver(quint64 generation, const std::optional<EquityResult> &result)
{
    if (generation != generation_ || !cancel_)
        return;
    cancel_.reset();
    ++generation_;
    if (!result || result->cancelled) {
        Q_EMIT failed();
        return;
    }
    Q_EMIT finished(*result);
}

void EquityCalculator::deliverInterim(quint64 generation, const EquityResult &result)
{
    if (generation != generation_ || !cancel_ || result.cancelled)
        return;
    Q_EMIT refined(result);
}

std::shared_ptr<const PreflopEquityTable> loadPreflopEquityTable(const QString &executableDir,
                                                                 QString &error)
{
    std::string why;
    const std::string path = defaultPreflopEquityPath(executableDir.toStdString());
    std::optional<PreflopEquityTable> table = PreflopEquityTable::load(path, why);
    if (!table) {
        error = QString::fromStdString(why);
        return nullptr;
    }
    error.clear();
    return std::make_shared<const PreflopEquityTable>(std::move(*table));
}
