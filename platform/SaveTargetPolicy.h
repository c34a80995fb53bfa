// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace eh {

// What the windows save into, the report and the explorer's files alike.
// A regular file is replaced and a device (/dev/null, a terminal) written
// into, as SaveFileAtomically does; a pipe or a socket is refused, since the
// save would wait for a reader the user cannot see, and the window with it.
// The command-line tool waits there, as a shell redirection would.
// Throws EFileCreateError naming the file when `path` is refused.
void RefuseWaitingTarget(const std::string& path);

} // namespace eh
