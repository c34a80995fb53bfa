// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExplorerSolveJob.h"

#include <QtConcurrent>

namespace eh {

ExplorerSolveJob::ExplorerSolveJob()
{
    connect(&watcher_, &QFutureWatcherBase::finished, this, &ExplorerSolveJob::finished);
}

ExplorerSolveJob::~ExplorerSolveJob()
{
    if (stop_)
        stop_->store(true);
    watcher_.waitForFinished();
}

void ExplorerSolveJob::Start(const TSolveRequest& request)
{
    if (stop_)
        stop_->store(true);
    stop_ = std::make_shared<std::atomic<bool>>(false);
    taken_ = false;
    watcher_.setFuture(QtConcurrent::run([request, stop = stop_] {
        return TFoundSolutions{request, SolveForTarget(request, stop.get())};
    }));
}

std::optional<TFoundSolutions> ExplorerSolveJob::Take()
{
    const QFuture<TFoundSolutions> future = watcher_.future();
    if (taken_ || !future.isValid() || future.resultCount() == 0 || future.result().outcome.cancelled)
        return std::nullopt;
    taken_ = true;
    return future.result();
}

std::optional<TFoundSolutions> ExplorerSolveJob::WaitAndTake()
{
    watcher_.waitForFinished();
    return Take();
}

} // namespace eh
