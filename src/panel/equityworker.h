// SPDX-License-Identifier: GPL-3.0-or-later
// Works out the equity of a hand on a worker thread so that the user interface goes on while it
// runs; a simulation deals on further threads of its own, one per core. Only the latest request
// counts: a new request or cancel() sets the cancel flag of the job before, and a figure that
// arrives for anything but the latest request is dropped.
#pragma once

#include "engine/equity.h"

#include <QObject>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <optional>

namespace tallowby {
class PreflopEquityTable;
}

class EquityCalculator : public QObject
{
    Q_OBJECT

public:
    // `table` may be null: pre-flop figures are then simulated.
    explicit EquityCalculator(std::shared_ptr<const tallowby::PreflopEquityTable> table,
                              QObject *parent = nullptr);
    // Cancels the jobs and waits for them, so no worker outlives the calculator.
    ~EquityCalculator() override;
    EquityCalculator(const EquityCalculator &) = delete;
    EquityCalculator &operator=(const EquityCalculator &) = delete;

    // Starts on a copy of the cards; returns at once. The result comes through finished().
    void request(const tallowby::EquityHand &hand, int activePlayers);
    // The latest job is dropped: it stops soon and its result is never delivered.
    void cancel();
    // A request is outstanding: neither delivered nor cancelled.
    bool working() const { return cancel_ != nullptr; }
    bool hasPreflopTable() const { return table_ != nullptr; }

    // For the jobs requested from now on.
    void setSimulationLimits(const tallowby::SimulationLimits &limits) { limits_ = limits; }

    // Jobs of every calculator that are queued or running on a worker.
    static int jobsInFlight();

Q_SIGNALS:
    // A simulated figure of the latest request on its way to the target margin, good to 0.5
    // points or better; finished() follows with the final one.
    void refined(const tallowby::EquityResult &result);
    // The equity of the latest request, on the calculator's own thread.
    void finished(const tallowby::EquityResult &result);
    // The latest request had nothing to compute (cards or player count out of range).
    void failed();

private:
    void deliver(quint64 generation, const std::optional<tallowby::EquityResult> &result);
    void deliverInterim(quint64 generation, const tallowby::EquityResult &result);

    std::shared_ptr<const tallowby::PreflopEquityTable> table_;
    tallowby::SimulationLimits limits_;
    std::shared_ptr<std::atomic<bool>> cancel_; // the latest job's flag; null when none is due
    quint64 generation_ = 0;                    // the latest request; results of others drop
    QThreadPool pool_;                          // last member: joined before the rest goes
};

// The pre-flop table the program ships beside its executable; null, with `error` set, when it
// cannot be read.
std::shared_ptr<const tallowby::PreflopEquityTable>
loadPreflopEquityTable(const QString &executableDir, QString &error);
