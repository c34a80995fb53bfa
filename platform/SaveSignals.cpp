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

// The signals whose default action ends the process and that another
// process or the terminal sends. The faults a program causes itself
// (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS) are left to
// the runtime and to sanitizers, which report them; SIGKILL cannot be
// caught, and SIGXFSZ is ignored so that a save over the file-size limit
// fails with its message.
constexpr int kEndingSignals[] = {SIGHUP,  SIGINT,    SIGQUIT, SIGTERM, SIGUSR1, SIGUSR2,  SIGPIPE,
                                  SIGALRM, SIGVTALRM, SIGPROF, SIGXCPU, SIGIO,   SIGSTKFLT, SIGPWR};

void EndWithoutUnfinishedFileOn(int number)
{
    struct sigaction action {};
    // A signal that the caller chose to ignore (nohup, a background job)
    // stays ignored, and one with a handler of its own keeps it.
    if (sigaction(number, nullptr, &action) != 0 || action.sa_handler != SIG_DFL)
        return;
    action.sa_handler = EndWithoutUnfinishedFile;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(number, &action, nullptr);
}

} // namespace

void HandleSignalsDuringSaves()
{
    std::signal(SIGXFSZ, SIG_IGN);
    for (const int number : kEndingSignals)
        EndWithoutUnfinishedFileOn(number);
    for (int number = SIGRTMIN; number <= SIGRTMAX; ++number)
        EndWithoutUnfinishedFileOn(number);
}

} // namespace eh
