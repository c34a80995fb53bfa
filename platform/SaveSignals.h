// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace eh {

// Sets up the process's signals for saving reports, once at start-up, the
// same for the window and the command-line tool: a save cut short by any
// signal that ends the process by default and that is sent to it (a
// hang-up, an interrupt, a termination, SIGUSR1, SIGALRM, SIGPIPE, the
// real-time signals ...) leaves no temporary file beside the report (the
// signal then ends the program as it would have anyway), and a write beyond
// the file size limit fails with the save's own message instead of killing
// the program. A signal that the caller chose to ignore (nohup, a background
// job) stays ignored.
void HandleSignalsDuringSaves();

} // namespace eh
