// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveSignals.h"

#include "ReportFileWriter.h"

#include <csignal>

namespace eh {

namespace {

extern "C" void EndWithoutUnfinishedFile(int signal)
{
    RemoveUnfinishedReportFile();
    // SA_RESETHAND has restored the default action: the signal, held until
    // this handler returns, then ends the process as it would have anyway.
    std::raise(signal);
}

} // namespace

void HandleSignalsDuringSaves()
{
    std::signal(SIGXFSZ, SIG_IGN);
    for (const int number : {SIGHUP, SIGINT, SIGQUIT, SIGTERM}) {
        struct sigaction action {};
        if (sigaction(number, nullptr, &action) != 0 || action.sa_handler == SIG_IGN)
            continue;
        action.sa_handler = EndWithoutUnfinishedFile;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        sigaction(number, &action, nullptr);
    }
}

} // namespace eh
