// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerSweepJob.h"

#include <QtConcurrent>

namespace eh {

ExplorerSweepJob::ExplorerSweepJob()
{
    connect(&watcher_, &QFutureWatcherBase::finished, this, [this] {
        if (watcher_.future().resultCount() > 0)
            emit finished(watcher_.result());
    });
}

ExplorerSweepJob::~ExplorerSweepJob()
{
    if (stop_)
        stop_->store(true);
    watcher_.waitForFinished();
}

void ExplorerSweepJob::Start(const TAntennaInputs& typed, const TSweepPlan& plan, std::vector<TAntennaInputs> pins)
{
    // The sweep still running is of no use any more.
    if (stop_)
        stop_->store(true);
    stop_ = std::make_shared<std::atomic<bool>>(false);
    watcher_.setFuture(QtConcurrent::run([base = typed, plan, pins = std::move(pins), stop = stop_,
                                          cancelled = cancelled_] {
        const auto run = [&](const TAntennaInputs& design) {
            auto sweep = std::make_shared<const TDesignSweep>(RunDesignSweep(plan, design, stop.get()));
            return sweep->Complete() ? sweep : nullptr;
        };
        TExplorerSweeps sweeps{run(base), {}};
        for (const TAntennaInputs& pin : pins)
            if (sweeps.typed)
                if (auto pinned = run(pin))
                    sweeps.pinned.push_back(std::move(pinned));
        if (!sweeps.typed || sweeps.pinned.size() != pins.size()) {
            ++*cancelled;
            return TExplorerSweeps{};
        }
        return sweeps;
    }));
}

std::optional<TExplorerSweeps> ExplorerSweepJob::Wait()
{
    watcher_.waitForFinished();
    const QFuture<TExplorerSweeps> future = watcher_.future();
    if (future.isValid() && future.resultCount() > 0)
        return future.result();
    return std::nullopt;
}

} // namespace eh
