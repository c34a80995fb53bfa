// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cli.h"
#include "ReportFileWriter.h"

#include <csignal>
#include <iostream>

namespace {

extern "C" void EndWithoutUnfinishedFile(int signal)
{
    eh::RemoveUnfinishedReportFile();
    // SA_RESETHAND has restored the default action: the signal, held until
    // this handler returns, then ends the process as it would have anyway.
    std::raise(signal);
}

// A save cut short by a signal leaves no temporary file beside the report,
// and a write beyond the file size limit fails with its own message
// instead of killing the tool.
void HandleSignals()
{
    std::signal(SIGXFSZ, SIG_IGN);
    for (const int number : {SIGHUP, SIGINT, SIGQUIT, SIGTERM}) {
        struct sigaction action {};
        // A signal that the caller chose to ignore (nohup, a background
        // job) stays ignored.
        if (sigaction(number, nullptr, &action) != 0 || action.sa_handler == SIG_IGN)
            continue;
        action.sa_handler = EndWithoutUnfinishedFile;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        sigaction(number, &action, nullptr);
    }
}

} // namespace

int main(int argc, char** argv)
{
    HandleSignals();
    std::ios::sync_with_stdio(false);
    // The arguments stay bytes: a file name need not be UTF-8.
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return eh::cli::RunCli(args, {std::cin, std::cout, std::cerr});
}
