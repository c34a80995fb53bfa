// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesignSweep.h"

#include <QFutureWatcher>
#include <QObject>
#include <atomic>
#include <memory>
#include <vector>

namespace eh {

// What one run brings: the typed design's sweep and each pinned design's
// over the same plan; both empty when a newer run replaced it.
struct TExplorerSweeps {
    std::shared_ptr<const TDesignSweep> typed;
    std::vector<std::shared_ptr<const TDesignSweep>> pinned;
};

// The explorer's sweep on a worker thread: a newer run stops the one still
// going, and `finished` brings each run's sweeps to the window's thread.
class ExplorerSweepJob : public QObject {
    Q_OBJECT
public:
    ExplorerSweepJob();
    // Stops the run in progress and waits for it.
    ~ExplorerSweepJob() override;

    void Start(const TAntennaInputs& typed, const TSweepPlan& plan, std::vector<TAntennaInputs> pins);
    // Waits for the run in progress: its sweeps, or none when there was no
    // run.
    std::optional<TExplorerSweeps> Wait();
    // Runs stopped early because a newer one replaced them.
    int Cancelled() const { return cancelled_->load(); }

signals:
    void finished(const TExplorerSweeps& sweeps);

private:
    QFutureWatcher<TExplorerSweeps> watcher_;
    std::shared_ptr<std::atomic<bool>> stop_;
    std::shared_ptr<std::atomic<int>> cancelled_ = std::make_shared<std::atomic<int>>(0);
};

} // namespace eh
