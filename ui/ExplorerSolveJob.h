// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExplorerSolutions.h"

#include <QFutureWatcher>
#include <QObject>
#include <atomic>
#include <memory>
#include <optional>

namespace eh {

// The search for a target on a worker thread: a newer search stops the one
// still going; `finished` says that answers may be taken.
class ExplorerSolveJob : public QObject {
    Q_OBJECT
public:
    ExplorerSolveJob();
    // Stops the search in progress and waits for it.
    ~ExplorerSolveJob() override;

    void Start(const TSolveRequest& request);
    // The finished search's answers, once: none while it runs, when it was
    // stopped, or when they were taken already.
    std::optional<TFoundSolutions> Take();
    // Waits for the search in progress, then takes its answers.
    std::optional<TFoundSolutions> WaitAndTake();

signals:
    void finished();

private:
    QFutureWatcher<TFoundSolutions> watcher_;
    std::shared_ptr<std::atomic<bool>> stop_;
    bool taken_ = true;
};

} // namespace eh
